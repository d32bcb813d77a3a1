#include "browse/entry_texts.h"

#include <cstdio>

#include "browse/list_texts.h"
#include "platform/file_time.h"

namespace browse {

std::string EntryDateText(int64_t modifiedTicks) {
  // Without the seconds, cut from the end: a year may have five digits.
  const std::string time = filetime::FormatLocal(modifiedTicks);
  return time.empty() ? time : time.substr(0, time.size() - 3);
}

std::string AttributesText(int64_t attributes) {
  // The bit values Windows gives them (create/dir_source.h).
  static const struct {
    int64_t bit;
    const char* name;
  } kNames[] = {{0x1, "只读"}, {0x2, "隐藏"}, {0x4, "系统"}, {0x20, "存档"}, {0x400, "链接"}};
  std::string text;
  for (const auto& n : kNames)
    if (attributes & n.bit) text += (text.empty() ? "" : "、") + std::string(n.name);
  return text.empty() ? "无" : text;
}

std::string FileDetailsWithDates(std::string_view name, std::string_view location, int64_t sizeBytes,
                                 bool hasDetails, int64_t modifiedTicks, int64_t attributes) {
  std::string text = FileDetailsText(name, location, sizeBytes);
  if (!hasDetails) return text;
  const std::string date = filetime::FormatLocal(modifiedTicks);
  // The lines of the box are ended as FileDetailsText ends them.
  text += "\r修改日期: " + (date.empty() ? std::string("未记录") : date) + "  ";
  text += "\r属性: " + AttributesText(attributes) + "  ";
  return text;
}

std::string GroupedNumber(int64_t n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

std::string ArchiveMembersLine(int64_t members) {
  return "\r压缩包内容: " + GroupedNumber(members < 0 ? 0 : members) + " 个文件和文件夹  ";
}

std::string SizeText(int64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes < 0 ? 0 : bytes) + " B";
  static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
  double v = static_cast<double>(bytes) / 1024;
  int unit = 0;
  while (v >= 1024 && unit < 3) v /= 1024, ++unit;
  char buf[32];
  std::snprintf(buf, sizeof buf, v < 100 && unit >= 2 ? "%.2f %s" : "%.1f %s", v, kUnits[unit]);
  return buf;
}

}  // namespace browse
