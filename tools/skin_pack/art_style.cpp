#include "tools/skin_pack/art_style.h"

#include <stdexcept>

namespace art {
namespace {

uint32_t HexColour(const ini::IniFile& f, const char* key, uint32_t def) {
  std::string v = f.ReadString("Art", key, "");
  if (v.empty()) return def;
  if (v.size() != 7 || v[0] != '#') throw std::runtime_error(std::string("Art colour ") + key + " is not #RRGGBB");
  return static_cast<uint32_t>(std::stoul(v.substr(1), nullptr, 16));
}

template <typename E>
E Choice(const ini::IniFile& f, const char* key, std::initializer_list<std::pair<const char*, E>> choices) {
  std::string v = f.ReadString("Art", key, "");
  for (const auto& [name, value] : choices)
    if (v == name) return value;
  throw std::runtime_error(std::string("Art key ") + key + " has an unknown value '" + v + "'");
}

}  // namespace

Style ReadStyle(const ini::IniFile& f) {
  Style s;
  s.captionHeight = f.ReadInteger("Art", "CaptionHeight", s.captionHeight);
  s.border = f.ReadInteger("Art", "Border", s.border);
  s.cornerRadius = f.ReadInteger("Art", "CornerRadius", s.cornerRadius);
  s.buttonRadius = f.ReadInteger("Art", "ButtonRadius", s.buttonRadius);
  s.titleButtonSize = f.ReadInteger("Art", "TitleButtonSize", s.titleButtonSize);
  s.titleButtonGap = f.ReadInteger("Art", "TitleButtonGap", s.titleButtonGap);
  s.patternPeriod = f.ReadInteger("Art", "PatternPeriod", s.patternPeriod);
  s.gloss = f.ReadBool("Art", "Gloss", false);
  s.ribbon = f.ReadBool("Art", "Ribbon", false);
  s.pattern = Choice<Pattern>(f, "Pattern",
                              {{"none", Pattern::kNone}, {"pinstripe", Pattern::kPinstripe},
                               {"hearts", Pattern::kHearts}, {"waves", Pattern::kWaves}});
  s.captionButtons = Choice<CaptionButtons>(
      f, "CaptionButtons",
      {{"traffic", CaptionButtons::kTrafficLights}, {"squares", CaptionButtons::kRoundedSquares},
       {"rings", CaptionButtons::kRings}, {"glass", CaptionButtons::kGlassTiles}});
  s.captionTop = HexColour(f, "CaptionTop", 0x3060C0);
  s.captionBottom = HexColour(f, "CaptionBottom", s.captionTop);
  s.inactiveTop = HexColour(f, "InactiveTop", 0xA0A0A0);
  s.inactiveBottom = HexColour(f, "InactiveBottom", s.inactiveTop);
  s.frame = HexColour(f, "Frame", 0x204080);
  s.frameInactive = HexColour(f, "FrameInactive", 0x808080);
  s.patternColour = HexColour(f, "PatternColour", 0xFFFFFF);
  s.face = HexColour(f, "Face", 0xECECEC);
  s.buttonTop = HexColour(f, "ButtonTop", 0xFFFFFF);
  s.buttonBottom = HexColour(f, "ButtonBottom", 0xD0D0D0);
  s.buttonBorder = HexColour(f, "ButtonBorder", 0x707070);
  s.accent = HexColour(f, "Accent", 0x3080E0);
  s.accentDark = HexColour(f, "AccentDark", 0x1050A0);
  s.closeButton = HexColour(f, "CloseButton", s.accent);
  s.glyph = HexColour(f, "Glyph", 0xFFFFFF);
  s.menuBarTop = HexColour(f, "MenuBarTop", s.face);
  s.menuBarBottom = HexColour(f, "MenuBarBottom", s.face);
  s.menu = HexColour(f, "Menu", 0xFFFFFF);
  s.text = HexColour(f, "Text", 0x000000);
  s.window = HexColour(f, "Window", 0xFFFFFF);
  s.ribbonColour = HexColour(f, "RibbonColour", 0xFFFFFF);
  s.ribbonBorder = HexColour(f, "RibbonBorder", s.frame);
  return s;
}

}  // namespace art
