// Helpers for the skin tests: stored skins built in memory and a recorder
// for the messages the skin engine shows.
#pragma once

#include <string>
#include <vector>

#include "skin/image/bitmap.h"
#include "skin/archive/bmp_codec.h"
#include "skin/archive/skin_archive.h"
#include "skin/model/skin_manager_link.h"
#include "skin/archive/skin_messages.h"
#include "skin/archive/stored_skin.h"

namespace skintest {

inline std::string StoredSkin(const std::string& description, std::vector<skin::ArchiveEntry> images = {}) {
  images.insert(images.begin(), {"skin.ini", description});
  return skin::PackStoredSkin(skin::BuildArchive(images));
}

inline skin::ArchiveEntry BmpEntry(const std::string& name, int w, int h, uint32_t fill = 0x336699) {
  return {name, skin::EncodeBmp24(skin::Bitmap(w, h, fill))};
}

class MessageRecorder {
 public:
  MessageRecorder() {
    old_ = skin::SetMessageSink([this](std::string_view t) { messages.emplace_back(t); });
  }
  ~MessageRecorder() { skin::SetMessageSink(std::move(old_)); }
  std::vector<std::string> messages;

 private:
  skin::MessageSink old_;
};

// Stands in for the Windows skin manager: records what the components ask.
// Installed once for the whole test program; Reset() between tests.
class RecordingManager : public skin::SkinManagerLink {
 public:
  static RecordingManager& Installed() {
    static RecordingManager* made = [] {
      static RecordingManager m;
      skin::InstallSkinManagerFactory([] { return static_cast<skin::SkinManagerLink*>(&m); });
      return &m;
    }();
    return *made;
  }
  void Register(skin::TSkinData& d) override { registered.push_back(&d); }
  void Unregister(skin::TSkinData& d) override { std::erase(registered, &d); }
  void Request(skin::SkinRequest kind) override { requests.push_back(kind); }
  void SkinChanged(skin::TSkinData& d) override { announced.push_back(&d); }
  void Reset() {
    requests.clear();
    announced.clear();
  }

  std::vector<skin::TSkinData*> registered;
  std::vector<skin::SkinRequest> requests;
  std::vector<skin::TSkinData*> announced;
};

}  // namespace skintest
