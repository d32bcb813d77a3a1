#include "skin/model/skin_colour.h"

#include <string>

#include "platform/text.h"

namespace skin {
namespace {

int ConvertField(const std::string& digits) {
  if (digits.size() > 9) return 0;  // would not fit an integer: conversion fails
  return std::stoi(digits);
}

}  // namespace

TColor ParseColour(std::string_view raw, TColor def) {
  std::string t = text::TrimSpace(raw);
  if (t.empty()) return def;
  int component[4] = {0, 0, 0, 0};  // 1 red, 2 green, 3 blue
  int k = 1;
  std::string field;
  for (char ch : t) {
    if (ch >= '0' && ch <= '9') {
      field += ch;
      continue;
    }
    if (!field.empty() && k <= 3) component[k] = ConvertField(field);
    field.clear();
    ++k;
  }
  if (k == 3 && !field.empty()) component[3] = ConvertField(field);
  return RgbColour(component[1], component[2], component[3]);
}

uint32_t ClassicSystemPixel(int index) {
  switch (index) {
    case kColorScrollbar: return 0xD4D0C8;
    case kColorActiveCaption: return 0x0A246A;
    case kColorMenu: return 0xD4D0C8;
    case kColorWindow: return 0xFFFFFF;
    case kColorHighlight: return 0x0A246A;
    case kColorHighlightText: return 0xFFFFFF;
    case kColorBtnFace: return 0xD4D0C8;
    case kColorBtnShadow: return 0x808080;
    case kColorBtnHighlight: return 0xFFFFFF;
    case kColorCaptionText: return 0xFFFFFF;
    case kColorInactiveCaptionText: return 0xD4D0C8;
    default: return 0x000000;  // the text colours
  }
}

uint32_t ColourToPixel(TColor c) {
  if (IsSystemColour(c)) return ClassicSystemPixel(SystemColourIndex(c));
  uint32_t v = static_cast<uint32_t>(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

}  // namespace skin
