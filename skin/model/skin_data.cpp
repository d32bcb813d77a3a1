#include "skin/model/skin_data.h"

#include <exception>

#include "platform/file_io.h"
#include "skin/model/skin_description.h"
#include "skin/model/skin_manager_link.h"
#include "skin/archive/skin_messages.h"
#include "skin/archive/skin_read.h"
#include "skin/archive/stored_skin.h"
#include "skin/model/skin_store.h"

namespace skin {

namespace {

std::function<SkinManagerLink*()>& Factory() {
  static std::function<SkinManagerLink*()> make;
  return make;
}

SkinManagerLink*& Made() {
  static SkinManagerLink* manager = nullptr;
  return manager;
}

}  // namespace

void InstallSkinManagerFactory(std::function<SkinManagerLink*()> make) { Factory() = std::move(make); }

SkinManagerLink* SkinManager() {
  if (!Made() && Factory()) Made() = Factory()();
  return Made();
}

TSkinData::TSkinData() {
  if (SkinManagerLink* m = SkinManager()) m->Register(*this);
}

TSkinData::~TSkinData() {
  if (SkinManagerLink* m = Made()) m->Unregister(*this);
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (ownerBeingRead_ || SkinFormtype != sfMainform) return;
  if (value && notLoaded_) return;
  if (SkinManagerLink* m = SkinManager()) m->Request(value ? kRequestActivate : kRequestDeactivate);
}

void TSkinData::Loaded() {
  ownerBeingRead_ = false;
  if (!active_) return;
  if (notLoaded_) {
    active_ = false;
    return;
  }
  if (SkinManagerLink* m = SkinManager()) m->Request(kRequestActivate);
}

void TSkinData::SkinChanged() {
  if (ownerBeingRead_ || SkinFormtype != sfMainform) return;
  if (SkinManagerLink* m = SkinManager()) m->SkinChanged(*this);
}

bool TSkinData::LoadSkinData() {
  notLoaded_ = true;
  try {
    TSkinReader reader;
    if (!reader.Open(stored_)) return false;
    std::string description, descriptionName;
    reader.FindEntry(".ini", description, descriptionName);
    // Built aside and moved in only when complete, so a refused skin leaves
    // the previous model whole.
    auto fresh = std::make_unique<SkinModel>();
    std::string error;
    if (!ParseSkinDescription(description, reader, *fresh, error)) {
      ShowMessage(DamagedSkinMessage(error));
      return false;
    }
    model_ = std::move(*fresh);
  } catch (const std::exception& e) {
    ShowMessage(e.what());
    return false;
  }
  notLoaded_ = false;
  return true;
}

bool TSkinData::LoadFromStore(const TSkinStore& store, int index) {
  if (index < 0 || index >= store.Store().Count()) return false;
  notLoaded_ = true;
  stored_ = store.Store().Item(index).DataStream();
  bool loaded = LoadSkinData();
  Announce();
  return loaded;
}

void TSkinData::SetSkinFile(const std::string& path) {
  notLoaded_ = true;
  skinFile_ = path;
  std::string data;
  if (!fileio::FileExists(path) || !fileio::ReadWholeFile(path, data)) return;
  stored_ = std::move(data);
  LoadSkinData();
  Announce();
}

bool TSkinData::ReadSkinStream(std::string_view persisted) {
  if (persisted.size() < 4) return false;
  int32_t length = static_cast<int32_t>(ReadLE32(persisted.data()));
  if (length <= 0) return true;
  if (static_cast<uint64_t>(length) > persisted.size() - 4) return false;
  stored_.assign(persisted.substr(4, static_cast<size_t>(length)));
  LoadSkinData();
  return true;
}

std::string TSkinData::WriteSkinStream() const {
  std::string out;
  AppendLE32(out, static_cast<uint32_t>(stored_.size()));
  out += stored_;
  return out;
}

}  // namespace skin
