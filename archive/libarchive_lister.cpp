// The archive lister over libarchive: headers only, every member's data
// skipped. A name stored in no Unicode form (a zip without the UTF-8 flag)
// is taken as UTF-8 when it is valid UTF-8, and otherwise as GBK, the code
// page Chinese archivers write; on Linux and on Windows alike, whatever the
// machine's code page.
#include <archive.h>
#include <archive_entry.h>

#include <locale.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "archive/archive_lister.h"
#include "platform/text.h"

#ifdef _WIN32
// archive/libarchive_name_form.c
extern "C" const char* vorlune_entry_name_bytes(struct archive_entry* entry);
#endif

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
  // The compressions of the tar names the scan lists, and no more: the
  // other filters, where the build lacks their library (the Windows one),
  // would start outside programs.
  archive_read_support_filter_gzip(a.get());
  archive_read_support_filter_bzip2(a.get());
  archive_read_support_filter_xz(a.get());
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
// On Windows libarchive converts through the C runtime's locale, which the
// program leaves at "C" (it never calls setlocale): stored bytes then stay
// as they are, where another locale would take them from the OEM code page.
struct Utf8Thread {
  Utf8Thread() {}
};

// Stored bytes of no declared encoding: UTF-8 when they are valid UTF-8,
// otherwise GBK, as the conversion to UTF-8 decides on Linux.
std::string FromBytes(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t at = i;
    if (text::NextCodePoint(bytes, i) == 0xFFFD && bytes.substr(at, 3) != "\xEF\xBF\xBD")
      return text::FromGb18030(bytes);
  }
  return std::string(bytes);
}
#endif

// The member's name in UTF-8.
std::string MemberName(struct archive_entry* entry) {
#ifdef _WIN32
  // Text is kept as UTF-16 there, exact; bytes are given as stored.
  if (const char* bytes = vorlune_entry_name_bytes(entry)) return FromBytes(bytes);
  const wchar_t* wide = archive_entry_pathname_w(entry);
  return wide ? text::Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide)) : std::string();
#else
  // The conversion to UTF-8 fails for stored bytes that are no UTF-8.
  if (const char* utf8 = archive_entry_pathname_utf8(entry)) return utf8;
  const char* raw = archive_entry_pathname(entry);
  return raw ? text::FromGb18030(raw) : std::string();
#endif
}

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
    ArchiveMember m;
    m.path = SafeMemberPath(MemberName(entry));
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
#ifdef _WIN32
    // The narrow open would take the path in the process's code page.
    const std::u16string wide = text::Utf8ToUtf16(path);
    return ReadMembers(
        a.get(), archive_read_open_filename_w(a.get(), reinterpret_cast<const wchar_t*>(wide.c_str()), 64 * 1024),
        member);
#else
    return ReadMembers(a.get(), archive_read_open_filename(a.get(), path.c_str(), 64 * 1024), member);
#endif
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
