// TSkinData: the skin component's data side. It holds one stored skin, the
// skin model built from it, and the not-loaded flag that keeps a refused or
// missing skin from being switched on.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "skin/skin_model.h"

namespace skin {

class TSkinStore;

class TSkinData {
 public:
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

  // Called after a load from the store or a skin file (the skin manager's
  // skin-changed request).
  std::function<void()> onSkinChanged;

 private:
  void Announce() {
    if (onSkinChanged) onSkinChanged();
  }

  std::string stored_;
  std::string skinFile_;
  bool notLoaded_ = true;
  SkinModel model_;
};

}  // namespace skin
