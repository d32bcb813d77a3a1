#include "create/scan_rules.h"

#include <algorithm>

#include "platform/ini.h"
#include "platform/text.h"

namespace create {

int64_t DiskSizeKBFromBytes(uint64_t bytes) { return static_cast<int64_t>(bytes / 1024); }

int64_t TotalMFromKB(int64_t diskSizeKB) { return diskSizeKB / 1024; }

int GaugeAfterTick(int current, int64_t scannedKB, int64_t diskSizeKB) {
  if (diskSizeKB <= 100) return current;
  if (scannedKB <= 0) return 0;
  // Hard links and compressed files can make the sum exceed the capacity.
  if (scannedKB >= diskSizeKB) return 100;
  return static_cast<int>(scannedKB * 100 / diskSizeKB);
}

bool IsRefusedLabelChar(char32_t c) { return c == U'[' || c == U']' || c == U'\\'; }

std::string CleanLabelText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t start = i;
    char32_t cp = text::NextCodePoint(text, i);
    if (!IsRefusedLabelChar(cp)) out.append(text.substr(start, i - start));
  }
  return text::AsciiUpper(out);
}

std::string LabelFromField(std::string_view fieldText) { return text::TrimBlanks(fieldText); }

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

FittedText FitToLimit(std::string_view before, std::string_view after, size_t maxBytes) {
  if (text::GbByteLength(after) <= maxBytes) return {std::string(after), after.size()};
  // The common beginning and end, on character boundaries, not overlapping.
  size_t limit = std::min(before.size(), after.size());
  size_t prefix = 0;
  while (prefix < limit && before[prefix] == after[prefix]) ++prefix;
  while (prefix > 0 && prefix < after.size() && IsContinuation(after[prefix])) --prefix;
  size_t suffix = 0;
  limit -= prefix;
  while (suffix < limit && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
  while (suffix > 0 && IsContinuation(after[after.size() - suffix])) --suffix;

  std::string_view head = after.substr(0, prefix);
  std::string_view tail = after.substr(after.size() - suffix);
  std::string_view inserted = after.substr(prefix, after.size() - prefix - suffix);
  size_t kept = text::GbByteLength(head) + text::GbByteLength(tail);
  if (kept > maxBytes) {  // `before` was over the limit already: cut the end
    std::string cut = text::GbCut(after, maxBytes);
    return {cut, cut.size()};
  }
  std::string middle = text::GbCut(inserted, maxBytes - kept);
  FittedText r;
  r.text.reserve(head.size() + middle.size() + tail.size());
  r.text.append(head).append(middle).append(tail);
  r.caret = head.size() + middle.size();
  return r;
}

bool ListArchivesSetting(const ini::IniFile& settings) {
  if (settings.HasKey(kArchivesSection, kArchivesKey)) return settings.ReadBool(kArchivesSection, kArchivesKey, true);
  return settings.Sections().empty();
}

}  // namespace create
