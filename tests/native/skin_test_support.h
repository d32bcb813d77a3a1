// Helpers for the skin tests: stored skins built in memory and a recorder
// for the messages the skin engine shows.
#pragma once

#include <string>
#include <vector>

#include "skin/bitmap.h"
#include "skin/bmp_codec.h"
#include "skin/skin_archive.h"
#include "skin/skin_messages.h"
#include "skin/stored_skin.h"

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

}  // namespace skintest
