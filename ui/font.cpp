#include "ui/font.h"

#include <map>
#include <tuple>

#include "ui/gdi.h"
#include "ui/wide.h"

namespace ui {
namespace {

// A callback of the system: it needs the system's calling convention, which
// a lambda does not have in 32-bit builds.
int CALLBACK MarkFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM p) {
  *reinterpret_cast<bool*>(p) = true;
  return 0;
}

bool FaceInstalled(const wchar_t* face) {
  gdi::WindowDc screen;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(screen.get(), &lf, MarkFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

const std::string& DefaultFaceName() {
  static const std::string face = [] {
    for (const wchar_t* f : {L"宋体", L"SimSun", L"WenQuanYi Micro Hei", L"Microsoft YaHei"})
      if (FaceInstalled(f)) return Narrow(f);
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    return Narrow(m.lfMessageFont.lfFaceName);
  }();
  return face;
}

HFONT FontHandle(const Font& font) {
  using Key = std::tuple<std::string, int, bool, bool, bool>;
  static std::map<Key, HFONT> cache;
  const std::string& face = font.name.empty() ? DefaultFaceName() : font.name;
  Key key{face, font.size, font.bold, font.italic, font.underline};
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.size, GetDeviceCaps(gdi::WindowDc().get(), LOGPIXELSY), 72);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring w = Wide(face);
  wcsncpy(lf.lfFaceName, w.c_str(), LF_FACESIZE - 1);
  HFONT h = CreateFontIndirectW(&lf);
  cache[key] = h;
  return h;
}

HBRUSH SolidBrush(COLORREF colour) {
  static std::map<COLORREF, HBRUSH> cache;
  auto it = cache.find(colour);
  if (it != cache.end()) return it->second;
  HBRUSH b = CreateSolidBrush(colour);
  cache[colour] = b;
  return b;
}

}  // namespace ui
