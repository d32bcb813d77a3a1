// The archive lister over libarchive: headers only, every member's data
// skipped. A name stored in no Unicode form (a zip without the UTF-8 flag)
// is taken as UTF-8 when it is valid UTF-8, and otherwise as GBK, the code
// page Chinese archivers write.
#include <archive.h>
#include <archive_entry.h>

#include <locale.h>

#include <memory>
#include <string_view>

#include "archive/archive_lister.h"
#include "platform/text.h"

namespace archives {
namespace {

// Seconds since 1970 to Windows file-time ticks.
int64_t Ticks(int64_t seconds, long nanoseconds) {
  return (seconds + 11644473600LL) * 10000000LL + nanoseconds / 100;
}

struct ReaderCloser {
  void operator()(struct archive* a) const { archive_read_free(a); }
};

class LibarchiveLister : public ArchiveLister {
 public:
  ListOutcome List(const std::string& path, int64_t fileSize,
                   const std::function<void(const ArchiveMember&)>& member) override {
#ifndef _WIN32
    // Names are converted through the thread's character set: UTF-8 here,
    // whatever the process's locale.
    struct Utf8Thread {
      locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
      locale_t old = utf8 ? uselocale(utf8) : static_cast<locale_t>(nullptr);
      ~Utf8Thread() {
        if (!utf8) return;
        uselocale(old);
        freelocale(utf8);
      }
    } utf8;
#endif
    if (IsCompressedTarName(path) && fileSize > kMaxCompressedTar) return ListOutcome::TooLarge;
    std::unique_ptr<struct archive, ReaderCloser> a(archive_read_new());
    if (!a) return ListOutcome::Unreadable;
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
    if (archive_read_open_filename(a.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK) {
      const char* why = archive_error_string(a.get());
      return why && std::string_view(why).starts_with("Unrecognized archive format") ? ListOutcome::NotAnArchive
                                                                                     : ListOutcome::Unreadable;
    }
    struct archive_entry* entry = nullptr;
    for (;;) {
      const int r = archive_read_next_header(a.get(), &entry);
      if (r == ARCHIVE_EOF) return ListOutcome::Listed;
      if (r < ARCHIVE_WARN) return ListOutcome::Unreadable;  // damaged, truncated, encrypted headers
      // A name that is no UTF-8 (a zip without the UTF-8 flag, written by
      // a Chinese archiver) is read as GBK.
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
      if (archive_read_data_skip(a.get()) < ARCHIVE_WARN) return ListOutcome::Unreadable;
    }
  }
};

}  // namespace

std::unique_ptr<ArchiveLister> MakeArchiveLister() { return std::make_unique<LibarchiveLister>(); }

}  // namespace archives
