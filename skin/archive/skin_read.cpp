#include "skin/archive/skin_read.h"

#include "platform/text.h"
#include "skin/archive/skin_archive.h"
#include "skin/archive/skin_messages.h"
#include "skin/archive/stored_skin.h"

namespace skin {

void TSkinReader::Reset() {
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  entries_.clear();
  header_.clear();
}

TSkinReader::OpenResult TSkinReader::OpenQuietly(std::string_view stored, std::string& error) {
  Reset();
  std::string archive;
  if (!UnpackStoredSkin(stored, archive, error)) return OpenResult::kDamaged;
  return OpenArchive(std::move(archive), error);
}

TSkinReader::OpenResult TSkinReader::OpenArchive(std::string archive, std::string& error) {
  Reset();
  header_ = archive.substr(0, 16);
  if (archive.size() < 16 || static_cast<int32_t>(ReadLE32(archive.data())) != kArchiveVersion) {
    header_.clear();
    error = kOlderSkinMessage;
    return OpenResult::kOlderSkin;
  }
  auto damaged = [&](const char* why) {
    Reset();
    error = why;
    return OpenResult::kDamaged;
  };
  const int64_t nameLength = static_cast<int32_t>(ReadLE32(archive.data() + 4));
  size_t pos = 16;
  if (nameLength < 0 || nameLength > static_cast<int64_t>(archive.size() - pos))
    return damaged("name list longer than the archive");
  names_ = SplitNameLines(text::AsciiLower(std::string_view(archive).substr(pos, nameLength)));
  pos += nameLength;
  if (names_.size() > static_cast<size_t>(kMaxArchiveEntries)) return damaged("more than 1001 entries");
  if (names_.size() * 4 > archive.size() - pos) return damaged("entry sizes missing");
  size_t total = 0;
  for (size_t i = 0; i < names_.size(); ++i, pos += 4) {
    int32_t size = static_cast<int32_t>(ReadLE32(archive.data() + pos));
    if (size < 0) return damaged("negative entry size");
    offsets_.push_back(total);
    sizes_.push_back(size);
    total += static_cast<size_t>(size);
    if (total > archive.size()) return damaged("entry sizes beyond the archive");
  }
  if (total > archive.size() - pos) return damaged("entry sizes beyond the archive");
  archive.erase(0, pos);
  entries_ = std::move(archive);
  return OpenResult::kOk;
}

bool TSkinReader::Open(std::string_view stored) {
  std::string error;
  OpenResult result = OpenQuietly(stored, error);
  if (result == OpenResult::kOlderSkin) ShowMessage(kOlderSkinMessage);
  if (result == OpenResult::kDamaged) ShowMessage(DamagedSkinMessage(error));
  return result == OpenResult::kOk;
}

std::string_view TSkinReader::EntryBytes(size_t index) const {
  return std::string_view(entries_).substr(offsets_[index], static_cast<size_t>(sizes_[index]));
}

void TSkinReader::GetEntry(std::string_view name, std::string& out) const {
  out.clear();
  std::string wanted = text::AsciiLower(name);
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == wanted) {
      out.assign(EntryBytes(i));
      return;
    }
  }
}

bool TSkinReader::FindEntry(std::string_view text, std::string& out, std::string& name) const {
  out.clear();
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(text) != std::string::npos) {
      out.assign(EntryBytes(i));
      name = names_[i];
      return true;
    }
  }
  return false;
}

}  // namespace skin
