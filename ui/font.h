// Fonts and brushes shared by all controls. The default is the Chinese GUI
// face at 9 pt: SimSun where it is installed, else the installed CJK face
// (WenQuanYi Micro Hei under Wine), else the system message font.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// "The usual colour" (the system's text colour for fonts).
constexpr COLORREF kDefaultColor = 0xFF000000;

struct Font {
  std::string name;   // empty: the default face
  int size = 9;       // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  COLORREF color = kDefaultColor;  // text colour; kDefaultColor: the window text colour

  COLORREF TextColor() const { return color == kDefaultColor ? GetSysColor(COLOR_WINDOWTEXT) : color; }
};

// The face name the default font resolves to.
const std::string& DefaultFaceName();
// A font handle for the font, kept for the process's lifetime.
HFONT FontHandle(const Font& font);
// A solid brush of the colour, kept for the process's lifetime.
HBRUSH SolidBrush(COLORREF colour);

// Colours by their usual names.
inline COLORREF clBtnFace() { return GetSysColor(COLOR_BTNFACE); }
inline COLORREF clWindow() { return GetSysColor(COLOR_WINDOW); }
constexpr COLORREF clNavy = RGB(0, 0, 128);
constexpr COLORREF clBlue = RGB(0, 0, 255);
constexpr COLORREF clWhite = RGB(255, 255, 255);
constexpr COLORREF clBlack = RGB(0, 0, 0);
constexpr COLORREF clCream = RGB(255, 251, 240);

}  // namespace ui
