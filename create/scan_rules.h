// The arithmetic and text rules of the create window that need no window:
// capacities, the progress gauge, the label field and the memo limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ini {
class IniFile;
}

namespace create {

inline constexpr size_t kLabelMaxBytes = 40;  // GBK bytes
inline constexpr size_t kMemoMaxBytes = 200;  // GBK bytes

// A disk's capacity in bytes as whole KB (the disk-size query's result).
int64_t DiskSizeKBFromBytes(uint64_t bytes);
// Whole megabytes of a capacity in KB, as the snapshot row keeps it.
int64_t TotalMFromKB(int64_t diskSizeKB);
// The gauge after a progress tick: the share of the disk that the recorded
// files fill, 0 to 100; unchanged on a disk of 100 KB or less.
int GaugeAfterTick(int current, int64_t scannedKB, int64_t diskSizeKB);

// Characters a label never holds: they would break the stored path.
bool IsRefusedLabelChar(char32_t c);
// The label as the field may hold it: refused characters removed and ASCII
// letters in upper case (the window also upper-cases other letters).
std::string CleanLabelText(std::string_view text);
// The label of a run: the field's text trimmed of blanks.
std::string LabelFromField(std::string_view fieldText);

// The result of fitting an edit's new text under a byte limit.
struct FittedText {
  std::string text;
  size_t caret = 0;  // byte offset in text: just after what was inserted
};
// An edit changed from `before` (within the limit) to `after`; when `after`
// is over maxBytes GBK bytes, the part that was inserted is cut short so the
// whole fits, as a limited edit does with typed or pasted text. Never splits
// a character.
FittedText FitToLimit(std::string_view before, std::string_view after, size_t maxBytes);

// The create window's option "记录压缩包和光盘映像中的文件", kept in the
// settings as [Create] Archives: on for a new user (no settings yet), off
// for a settings file written before the option existed.
inline constexpr const char* kArchivesSection = "Create";
inline constexpr const char* kArchivesKey = "Archives";
bool ListArchivesSetting(const ini::IniFile& settings);

}  // namespace create
