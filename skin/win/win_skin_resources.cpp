#include "skin/win/win_skin_resources.h"

#include "platform/text.h"
#include "skin/archive/skin_messages.h"
#include "skin/model/skin_resource_names.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"

namespace skin::win32 {

bool LoadResourceBytes(HMODULE module, const char* name, std::string& out) {
  out.clear();
  HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!info) return false;
  HGLOBAL handle = LoadResource(module, info);
  const void* bytes = handle ? LockResource(handle) : nullptr;
  if (!bytes) return false;
  out.assign(static_cast<const char*>(bytes), SizeofResource(module, info));
  return true;
}

bool LoadSkinStore(HMODULE module, TSkinStore& store) {
  std::string bytes;
  if (!LoadResourceBytes(module, kSkinStoreResource, bytes)) {
    store.Store().Clear();
    return false;
  }
  return store.ReadPersisted(bytes);
}

bool LoadMainSkinStream(HMODULE module, TSkinData& data) {
  std::string bytes;
  return LoadResourceBytes(module, kSkinStreamResource, bytes) && data.ReadSkinStream(bytes);
}


}  // namespace skin::win32
