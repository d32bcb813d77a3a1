// The skins kept in the program's resources, and the message box that shows
// what the skin engine has to tell the user.
#pragma once

#include <windows.h>

#include <string>

namespace skin {
class TSkinStore;
class TSkinData;
}  // namespace skin

namespace skin::win32 {

// The bytes of RCDATA resource `name` of `module`; false when missing.
bool LoadResourceBytes(HMODULE module, const char* name, std::string& out);

// Fills `store` from the SKINSTORE resource. False when it is missing or
// damaged (the store is then empty).
bool LoadSkinStore(HMODULE module, TSkinStore& store);
// Reads the SKINSTREAM resource into `data` as the form loader would,
// which loads that skin at once. False when the resource is missing.
bool LoadMainSkinStream(HMODULE module, TSkinData& data);

}  // namespace skin::win32
