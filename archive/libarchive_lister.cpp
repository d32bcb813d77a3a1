// The archive lister over libarchive: headers only, every member's data
// skipped. A name stored in no Unicode form (a zip without the UTF-8 flag)
// is taken as UTF-8 when it is valid UTF-8, and otherwise as GBK, the code
// page Chinese archivers write.
#include <archive.h>
#include <archive_entry.h>

#include <locale.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "archive/archive_lister.h"
#include "platform/text.h"

namespace archives {
namespace {

// Seconds since 1970 to Windows file-time ticks; 0 (not known) for a time
// before 1601 or past what the ticks hold, which a damaged header gives.
int64_t Ticks(int64_t seconds, long nanoseconds) {
  constexpr int64_t kEpochGap = 11644473600LL;  // 1601 to 1970
  constexpr int64_t kMostSeconds = INT64_MAX / 10000000LL - kEpochGap - 1;
  if (seconds < -kEpochGap || seconds > kMostSeconds) return 0;
  if (nanoseconds < 0 || nanoseconds > 999999999L) nanoseconds = 0;
  return (seconds + kEpochGap) * 10000000LL + nanoseconds / 100;
}

struct ReaderCloser {
  void operator()(struct archive* a) const { archive_read_free(a); }
};

using Reader = std::unique_ptr<struct archive, ReaderCloser>;

Reader NewReader() {
  Reader a(archive_read_new());
  if (!a) return a;
  archive_read_support_filter_all(a.get());
  // Zips by their central directory only: one cut short or damaged there
  // is not listed halfway from its local headers.
  archive_read_support_format_zip_seekable(a.get());
  archive_read_support_format_rar(a.get());
  archive_read_support_format_rar5(a.get());
  archive_read_support_format_7zip(a.get());
  archive_read_support_format_cab(a.get());
  archive_read_support_format_tar(a.get());
  archive_read_support_format_iso9660(a.get());
  return a;
}

#ifndef _WIN32
// Names are converted through the thread's character set: UTF-8 here,
// whatever the process's locale.
class Utf8Thread {
 public:
  Utf8Thread() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {
    if (utf8_) old_ = uselocale(utf8_);
  }
  ~Utf8Thread() {
    if (!utf8_) return;
    uselocale(old_);
    freelocale(utf8_);
  }

 private:
  locale_t utf8_;
  locale_t old_ = static_cast<locale_t>(nullptr);
};
#else
struct Utf8Thread {};
#endif

// The members of an opened archive; `opened` is what the open returned.
ListOutcome ReadMembers(struct archive* a, int opened, const std::function<void(const ArchiveMember&)>& member) {
  if (opened != ARCHIVE_OK) {
    const char* why = archive_error_string(a);
    return why && std::string_view(why).starts_with("Unrecognized archive format") ? ListOutcome::NotAnArchive
                                                                                   : ListOutcome::Unreadable;
  }
  struct archive_entry* entry = nullptr;
  for (;;) {
    const int r = archive_read_next_header(a, &entry);
    if (r == ARCHIVE_EOF) return ListOutcome::Listed;
    if (r < ARCHIVE_WARN) return ListOutcome::Unreadable;  // damaged, truncated, encrypted headers
    // A name that is no UTF-8 (a zip without the UTF-8 flag, written by a
    // Chinese archiver) is read as GBK.
    const char* utf8 = archive_entry_pathname_utf8(entry);
    const char* raw = utf8 ? utf8 : archive_entry_pathname(entry);
    ArchiveMember m;
    m.path = SafeMemberPath(utf8 ? std::string(utf8) : raw ? text::FromGb18030(raw) : std::string());
    const mode_t type = archive_entry_filetype(entry);
    m.isFolder = type == AE_IFDIR;
    if (!m.path.empty() && (m.isFolder || type == AE_IFREG || type == 0)) {
      m.size = m.isFolder ? 0 : archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
      if (m.size < 0) m.size = 0;
      if (archive_entry_mtime_is_set(entry))
        m.modified = Ticks(archive_entry_mtime(entry), archive_entry_mtime_nsec(entry));
      member(m);
    }
    if (archive_read_data_skip(a) < ARCHIVE_WARN) return ListOutcome::Unreadable;
  }
}

class LibarchiveLister : public ArchiveLister {
 public:
  ListOutcome List(const std::string& path, int64_t fileSize,
                   const std::function<void(const ArchiveMember&)>& member) override {
    if (IsCompressedTarName(path) && fileSize > kMaxCompressedTar) return ListOutcome::TooLarge;
    Utf8Thread utf8;
    Reader a = NewReader();
    if (!a) return ListOutcome::Unreadable;
    return ReadMembers(a.get(), archive_read_open_filename(a.get(), path.c_str(), 64 * 1024), member);
  }
  ListOutcome ListBytes(std::string_view bytes, std::string_view name,
                        const std::function<void(const ArchiveMember&)>& member) override {
    if (IsCompressedTarName(name) && static_cast<int64_t>(bytes.size()) > kMaxCompressedTar)
      return ListOutcome::TooLarge;
    Utf8Thread utf8;
    Reader a = NewReader();
    if (!a) return ListOutcome::Unreadable;
    return ReadMembers(a.get(), archive_read_open_memory(a.get(), bytes.data(), bytes.size()), member);
  }
};

}  // namespace

std::unique_ptr<ArchiveLister> MakeArchiveLister() { return std::make_unique<LibarchiveLister>(); }

}  // namespace archives
