// TSkinReader: unpacks a stored skin and serves its archive entries by name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

class TSkinReader {
 public:
  enum class OpenResult { kOk, kOlderSkin, kDamaged };

  // Decompresses and indexes the archive. False, after showing the older-skin
  // message (version not 20000) or a damaged-skin message, when refused; the
  // reader is then empty. Throws lzh::ElzhException when out of memory.
  bool Open(std::string_view stored);
  // The same without showing anything; `error` says why it was refused.
  OpenResult OpenQuietly(std::string_view stored, std::string& error);
  // Indexes an archive that is already decompressed.
  OpenResult OpenArchive(std::string archive, std::string& error);

  // Copies the entry whose lower-cased name equals lower-cased `name` into
  // `out`; `out` stays empty when there is none.
  void GetEntry(std::string_view name, std::string& out) const;
  // Copies the first entry whose name contains `text` (compared as given) and
  // sets `name` to its full name. False, `out` empty and `name` unchanged,
  // when none matches.
  bool FindEntry(std::string_view text, std::string& out, std::string& name) const;

  const std::vector<std::string>& Names() const { return names_; }
  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Header() const { return header_; }

 private:
  void Reset();
  std::string_view EntryBytes(size_t index) const;

  std::vector<std::string> names_;  // lower-cased
  std::vector<int32_t> sizes_;      // at most kMaxArchiveEntries
  std::vector<size_t> offsets_;
  std::string entries_;
  std::string header_;
};

}  // namespace skin
