// TSkinData: the skin component. It holds one stored skin, the skin model
// built from it, and the not-loaded flag that keeps a refused or missing
// skin from being switched on; its Active switch and the settings below are
// what the skin manager reads when it skins the program's windows.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "skin/model/skin_match.h"
#include "skin/model/skin_model.h"

namespace skin {

class TSkinStore;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

class TSkinData;
// Asked before a window of class `className` is skinned; doSkin is true on
// entry.
using TOnFormSkin = std::function<void(TSkinData& sender, const std::string& className, bool& doSkin)>;

class TSkinData {
 public:
  // Registers with the skin manager (made at the first registration).
  TSkinData();
  ~TSkinData();
  TSkinData(const TSkinData&) = delete;
  TSkinData& operator=(const TSkinData&) = delete;

  // Skinning on or off. Switching on a component whose skin is not loaded,
  // or while its owner is still being read, stores the value only.
  bool Active() const { return active_; }
  void SetActive(bool value);
  // The holder's form finished reading its parts: an Active component with
  // no loaded skin turns off, one with a skin asks to be switched on.
  void Loaded();

  // The form that holds the component (opaque to the core; the manager
  // compares it with the forms it skins), and whether that form is still
  // reading its parts (no requests go out meanwhile).
  void SetOwner(const void* form, bool beingRead) {
    owner_ = form;
    ownerBeingRead_ = beingRead;
  }
  const void* Owner() const { return owner_; }

  // A component whose Tag mod 100 equals this is never skinned.
  int DisableTag = 99;
  SkinControlSet SkinControls = kDefaultSkinControls;
  TSkinFormType SkinFormtype = sfMainform;
  TOnFormSkin OnFormSkin;
  // Fired after a new skin has been applied to the skinned windows.
  std::function<void()> OnSkinChanged;

  // Unpacks the stored skin held by the component and rebuilds the model.
  // False when the skin is refused (older version, damaged archive, bad
  // image); the component then stays marked not loaded. Never throws: an
  // out-of-memory decoder error is shown as a message and refuses the skin.
  bool LoadSkinData();

  // Copies item `index` of `store` in and loads it, then announces the new
  // skin. An index outside the store (negative ones included) changes
  // nothing and returns false.
  bool LoadFromStore(const TSkinStore& store, int index);

  // Marks the skin not loaded and keeps the name; when the file exists its
  // contents become the stored skin, which is loaded and announced.
  void SetSkinFile(const std::string& path);
  const std::string& SkinFile() const { return skinFile_; }

  // The persisted "SkinStream": int32 length L, then L bytes. Reading a
  // length of 0 or less holds no skin; otherwise the skin is loaded (without
  // an announcement). False when the data is shorter than its length says.
  bool ReadSkinStream(std::string_view persisted);
  std::string WriteSkinStream() const;

  const std::string& StoredSkin() const { return stored_; }
  bool SkinNotLoaded() const { return notLoaded_; }
  const SkinModel& Model() const { return model_; }

  // Announces the new skin to the manager, which has the skinned windows
  // take it over (called after a load from the store or a skin file).
  void SkinChanged();

 private:
  void Announce() { SkinChanged(); }

  std::string stored_;
  std::string skinFile_;
  bool notLoaded_ = true;
  bool active_ = false;
  const void* owner_ = nullptr;
  bool ownerBeingRead_ = false;
  SkinModel model_;
};

}  // namespace skin
