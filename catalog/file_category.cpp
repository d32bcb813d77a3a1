#include "catalog/file_category.h"

#include <algorithm>
#include <array>
#include <string>

namespace catalog {
namespace {

struct Known {
  std::string_view extension;  // in small letters
  FileCategory category;
};

using C = FileCategory;
// Sorted by extension, for a binary search.
constexpr std::array kKnown = std::to_array<Known>({
    {"3gp", C::Video},     {"7z", C::Archive},    {"aac", C::Music},     {"aiff", C::Music},
    {"ape", C::Music},     {"apk", C::Program},   {"arj", C::Archive},   {"arw", C::Picture},
    {"asf", C::Video},     {"avi", C::Video},     {"bat", C::Program},   {"bmp", C::Picture},
    {"bz2", C::Archive},   {"cab", C::Archive},   {"chm", C::Document},  {"cmd", C::Program},
    {"com", C::Program},   {"cr2", C::Picture},   {"csv", C::Document},  {"dll", C::Program},
    {"dng", C::Picture},   {"doc", C::Document},  {"docx", C::Document}, {"dps", C::Document},
    {"epub", C::Document}, {"et", C::Document},   {"exe", C::Program},   {"flac", C::Music},
    {"flv", C::Video},     {"gif", C::Picture},   {"gz", C::Archive},    {"heic", C::Picture},
    {"htm", C::Document},  {"html", C::Document}, {"ico", C::Picture},   {"iso", C::Archive},
    {"jar", C::Program},   {"jpe", C::Picture},   {"jpeg", C::Picture},  {"jpg", C::Picture},
    {"lha", C::Archive},   {"lzh", C::Archive},   {"m2ts", C::Video},    {"m4a", C::Music},
    {"m4v", C::Video},     {"md", C::Document},   {"mid", C::Music},     {"midi", C::Music},
    {"mkv", C::Video},     {"mov", C::Video},     {"mp3", C::Music},     {"mp4", C::Video},
    {"mpeg", C::Video},    {"mpg", C::Video},     {"msi", C::Program},   {"nef", C::Picture},
    {"ocx", C::Program},   {"odp", C::Document},  {"ods", C::Document},  {"odt", C::Document},
    {"ogg", C::Music},     {"opus", C::Music},    {"pdf", C::Document},  {"png", C::Picture},
    {"ppt", C::Document},  {"pptx", C::Document}, {"psd", C::Picture},   {"rar", C::Archive},
    {"rm", C::Video},      {"rmvb", C::Video},    {"rtf", C::Document},  {"scr", C::Program},
    {"svg", C::Picture},   {"sys", C::Program},   {"tar", C::Archive},   {"tbz2", C::Archive},
    {"tga", C::Picture},   {"tgz", C::Archive},   {"tif", C::Picture},   {"tiff", C::Picture},
    {"ts", C::Video},      {"txt", C::Document},  {"txz", C::Archive},   {"vob", C::Video},
    {"wav", C::Music},     {"webm", C::Video},    {"webp", C::Picture},  {"wma", C::Music},
    {"wmv", C::Video},     {"wps", C::Document},  {"xls", C::Document},  {"xlsx", C::Document},
    {"xz", C::Archive},    {"zip", C::Archive},   {"zst", C::Archive},
});
static_assert(std::is_sorted(kKnown.begin(), kKnown.end(),
                             [](const Known& a, const Known& b) { return a.extension < b.extension; }));

}  // namespace

std::string_view CategoryName(FileCategory c) {
  static constexpr std::string_view kNames[kFileCategoryCount] = {"图片", "音乐", "视频", "文档",
                                                                  "压缩包", "程序", "其他"};
  const auto i = static_cast<size_t>(c);
  return i < kFileCategoryCount ? kNames[i] : kNames[kFileCategoryCount - 1];
}

std::string_view ExtensionOf(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : fileName.substr(dot + 1);
}

FileCategory CategoryOfExtension(std::string_view extension) {
  if (extension.empty() || extension.size() > 4) return FileCategory::Other;
  char low[4];
  for (size_t i = 0; i < extension.size(); ++i) {
    const char c = extension[i];
    low[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  const std::string_view key(low, extension.size());
  const auto it = std::lower_bound(kKnown.begin(), kKnown.end(), key,
                                   [](const Known& k, std::string_view x) { return k.extension < x; });
  return it != kKnown.end() && it->extension == key ? it->category : FileCategory::Other;
}

}  // namespace catalog
