#include "browse/unit_public.h"

namespace browse {
namespace {

struct Extension {
  std::string_view text;
  int image;
};

// Tested in this order; no name can end in two of them.
constexpr Extension kExtensions[] = {
    {".EXE", kImageProgram},  {".BAT", kImageProgram},  {".TXT", kImageText},     {".LOG", kImageText},
    {".HTM", kImageWebPage},  {".HTML", kImageWebPage}, {".BMP", kImageBitmap},   {".RTF", kImageDocument},
    {".DOC", kImageDocument}, {".DOT", kImageDocument}, {".WAV", kImageMedia},    {".AVI", kImageMedia},
    {".MDI", kImageMedia},    {".WMV", kImageMedia},    {".DLL", kImageSystem},   {".SYS", kImageSystem},
    {".OCX", kImageSystem},   {".COM", kImageSystem},   {".BIN", kImageSystem},   {".JPG", kImageJpeg},
};

// Whether the name ends in `ext` (capitals), ASCII letters of the name
// compared in capitals.
bool EndsWith(std::string_view name, std::string_view ext) {
  if (name.size() < ext.size()) return false;
  const char* tail = name.data() + name.size() - ext.size();
  for (size_t i = 0; i < ext.size(); ++i) {
    char c = tail[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != ext[i]) return false;
  }
  return true;
}

}  // namespace

int GetFileIconIndex(std::string_view fileName) {
  // The extensions are ASCII, and in UTF-8 an ASCII byte is always a whole
  // character, so comparing the last bytes is comparing the last characters;
  // a name ending in any other character never matches.
  for (const Extension& e : kExtensions)
    if (EndsWith(fileName, e.text)) return e.image;
  return kImageOtherFile;
}

}  // namespace browse
