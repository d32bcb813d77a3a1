// Texts of an entry's time and attributes as the lists and the file details
// box show them. A time of 0 (a row made before the catalogue kept times)
// shows as nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace browse {

// "2026-11-02 14:05" in local time; "" when not known.
std::string EntryDateText(int64_t modifiedTicks);
// "12,345".
std::string GroupedNumber(int64_t n);
// "512 B", "1.5 KB", "12.0 MB", "4.38 GB": sizes of the hit list.
std::string SizeText(int64_t bytes);
// "只读、隐藏、系统、存档、链接" for the bits set, "无" for none.
std::string AttributesText(int64_t attributes);
// The file details box's text with the time and the attributes after the
// size; the plain text when the catalogue has neither (hasDetails false).
std::string FileDetailsWithDates(std::string_view name, std::string_view location, int64_t sizeBytes,
                                 bool hasDetails, int64_t modifiedTicks, int64_t attributes);
// The line the box adds for an archive whose members the catalogue holds:
// "压缩包内容: 1,234 个文件和文件夹".
std::string ArchiveMembersLine(int64_t members);

}  // namespace browse
