// The kinds of file that the search conditions, the statistics and the space
// map share: a file's category follows from the extension of its name alone,
// so that a catalogue of any age (rows without dates or types) sorts the same.
#pragma once

#include <cstdint>
#include <string_view>

namespace catalog {

enum class FileCategory : uint8_t { Picture, Music, Video, Document, Archive, Program, Other };
inline constexpr int kFileCategoryCount = 7;

// "图片", "音乐", "视频", "文档", "压缩包", "程序", "其他".
std::string_view CategoryName(FileCategory c);

// The text after the name's last dot ("" for none, or a name ending in a
// dot): "a.tar.gz" gives "gz", ".profile" gives "profile".
std::string_view ExtensionOf(std::string_view fileName);

// The category of a file by its extension, ASCII letters compared without
// regard to case. Callers pass names of files, never of folders.
FileCategory CategoryOfExtension(std::string_view extension);
inline FileCategory CategoryOfName(std::string_view fileName) { return CategoryOfExtension(ExtensionOf(fileName)); }

}  // namespace catalog
