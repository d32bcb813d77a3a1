#include "skin/model/skin_description.h"

#include <type_traits>

#include "platform/ini.h"
#include "platform/text.h"
#include "skin/model/skin_image_ref.h"
#include "skin/archive/skin_read.h"

namespace skin {
namespace {

constexpr const char* kBorderNames[4] = {"Left", "Right", "Top", "Bottom"};

class DescriptionParser {
 public:
  DescriptionParser(std::string_view text, const TSkinReader& reader, SkinModel& model)
      : ini_(ini::IniFile::FromText(text)), images_(reader), m_(model) {}

  void Run() {
    m_.skinName = Str("TitlebarSkin", "SkinName");
    ReadBorders();
    ReadColours();
    ReadExtraColours();
    ReadSysButtons();
    ReadMdiButtons();
    ReadPushButtons();
    ReadTitle();
    ReadProgress();
    ReadMenuBar();
    ReadPlainElements();
    SetFrameCounts();
  }
  const std::string& ImageError() const { return images_.Error(); }

 private:
  std::string Str(std::string_view section, std::string_view key) const { return ini_.ReadString(section, key, ""); }
  int32_t Int(std::string_view section, std::string_view key, int32_t def) const {
    return ini_.ReadInteger(section, key, def);
  }
  TColor Colour(std::string_view section, std::string_view key, TColor def) const {
    return ParseColour(Str(section, key), def);
  }
  bool LoadImage(Bitmap& bitmap, std::string_view section, std::string_view key) {
    images_.Load(bitmap, Str(section, key));
    return !bitmap.Empty();
  }

  void ReadBorders() {
    for (int side = 0; side < 4; ++side) {
      TDataSkinBorder& b = m_.borders[side];
      std::string n = kBorderNames[side];
      b = TDataSkinBorder();
      b.name = n;
      LoadImage(b.image, "Personality", n);
      int32_t first = Int("Personality", n + "TopHeight", 0);
      int32_t second = Int("Personality", n + "BotHeight", 0);
      if (side == kTopBorder || side == kBottomBorder) {
        b.leftWidth = first;
        b.rightWidth = second;
      } else {
        b.topHeight = first;
        b.bottomHeight = second;
      }
      b.frameCount = Int("Personality", n + "Frame", 1);
      b.tile = Int("Personality", n + "Stretch", 1);
      b.trans = Int("Personality", n + "Trans", 1);
    }
  }

  void ReadColours() {
    SkinColours& c = m_.colours;
    const char* s = "Colours";
    c.windowText = Colour(s, "WindowText", SystemColour(kColorWindowText));
    c.buttonFace = Colour(s, "ButtonFace", SystemColour(kColorBtnFace));
    c.scrollbar = Colour(s, "Scrollbar", SystemColour(kColorScrollbar));
    c.hilightText = Colour(s, "HilightText", SystemColour(kColorHighlightText));
    c.hilight = Colour(s, "Hilight", SystemColour(kColorHighlight));
    c.menubar = Colour(s, "Menubar", c.buttonFace);
    c.menu = Colour(s, "Menu", SystemColour(kColorMenu));
    std::string menuText = Str(s, "MenuText");
    c.menuText = ParseColour(menuText.empty() ? Str(s, "ButtonFace") : menuText, SystemColour(kColorMenuText));
    c.buttonText = Colour(s, "ButtonText", SystemColour(kColorBtnText));
    c.buttonHilight = Colour(s, "ButtonHilight", SystemColour(kColorBtnHighlight));
    c.buttonLight = Colour(s, "Buttonlight", SystemColour(kColorBtnHighlight));
    c.buttonShadow = Colour(s, "ButtonShadow", SystemColour(kColorBtnShadow));
    c.buttonDkShadow = Colour(s, "ButtonDkShadow", SystemColour(kColorBtnShadow));
    // The menu colour as a default would make bar captions vanish into the
    // bar; the menu text colour keeps them readable.
    c.menuBarText = Colour(s, "MenuBarText", SystemColour(kColorMenuText));
    c.titleTextActive = Colour(s, "TitleTextActive", SystemColour(kColorCaptionText));
    c.titleTextInactive = Colour(s, "TitleTextInactive", SystemColour(kColorInactiveCaptionText));
  }

  void ReadExtraColours() {
    m_.extraColours.clear();
    for (const std::string& section : ini_.Sections()) {
      std::string upper = text::AsciiUpper(section);
      if (upper.rfind("COLOUR", 0) == 0 && upper != "COLOURS")
        m_.extraColours.push_back(Colour(section, "color", SystemColour(kColorWindowText)));
    }
  }

  static bool IsSysButtonSection(const std::string& upper) {
    return upper.rfind("BUTTON", 0) == 0 && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
           upper != "BUTTON.CHECKBOX";
  }

  void ReadSysButtons() {
    m_.sysButtons.clear();
    for (const std::string& section : ini_.Sections()) {
      std::string upper = text::AsciiUpper(section);
      if (!IsSysButtonSection(upper)) continue;
      TDataSkinSysButton b;
      b.name = upper;
      b.action = Int(section, "Action", 0);
      b.align = Int(section, "Align", 0);
      b.x = Int(section, "Xcoord", 0);
      b.y = Int(section, "Ycoord", 0);
      b.visibility = Int(section, "Visibility", 0);
      b.visibility1 = Int(section, "Visibility1", 0);
      b.frameCount = Int(section, "frame", 0);
      b.combineOp = Int(section, "CombineOp", -1);
      LoadImage(b.image, section, "ButtonImage");
      if (b.frameCount == 0) {
        b.frameCount = 6;
        if (!b.image.Empty()) {
          double ratio = static_cast<double>(b.image.Width()) / b.image.Height();
          b.frameCount = ratio <= 3.8 ? 3 : 6;
          if (b.action < 0) b.frameCount = 6;
        }
        if (b.action == 3 || b.action == 11) b.image.Clear();
      }
      m_.sysButtons.push_back(std::move(b));
    }
    static const char* kMdiNames[3] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
    for (int j = 0; j < 3; ++j) {
      TDataSkinSysButton b;
      b.name = kMdiNames[j];
      b.action = 7 + j;
      b.align = b.visibility = b.visibility1 = 100;
      b.frameCount = 4;
      m_.sysButtons.push_back(std::move(b));
    }
  }

  void ReadMdiButtons() {
    Bitmap strip;
    if (!LoadImage(strip, "MDICONTROLS", "Image")) return;
    int u = strip.Width() / 12;
    size_t first = m_.sysButtons.size() - 3;
    for (int j = 0; j < 3; ++j) {
      TDataSkinSysButton& b = m_.sysButtons[first + j];
      b.image = strip.Crop({4 * j * u, 0, 4 * j * u + 4 * u, strip.Height()});
      b.x = (u + 4) * (3 - j);
    }
  }

  void ReadStateColours(TDataSkinObject& e, std::string_view s) {
    e.normalColour = Int(s, "NormalColour", -1);
    e.overColour = Int(s, "MouseOverColour", -1);
    e.downColour = Int(s, "PressedColour", -1);
    e.normalColour2 = Colour(s, "NormalColour2", m_.colours.buttonText);
    e.overColour2 = Colour(s, "MouseOverColour2", m_.colours.buttonText);
    e.downColour2 = Colour(s, "PressedColour2", m_.colours.buttonText);
  }

  void ReadEdges(TDataSkinObject& e, std::string_view s) {
    e.leftWidth = Int(s, "LeftWidth", 0);
    e.rightWidth = Int(s, "RightWidth", 0);
    e.topHeight = Int(s, "TopHeight", 0);
    e.bottomHeight = Int(s, "BottomHeight", 0);
    e.trans = Int(s, "Trans", 0);
  }

  void ReadPushButtons() {
    TDataSkinButton& b = m_.buttons;
    b = TDataSkinButton();
    b.name = "Buttons";
    ReadEdges(b, "Buttons");
    LoadImage(b.image, "Buttons", "Bitmap");
    LoadImage(b.checkImage, "Buttons", "CheckButton");
    LoadImage(b.radioImage, "Buttons", "RadioButton");
    ReadStateColours(b, "Buttons");
    b.radioFrameCount = Int("Buttons", "RadioButtonFrame", 0);
    b.checkFrameCount = Int("Buttons", "CheckButtonFrame", 0);
  }

  void ReadTitle() {
    TDataSkinTitle& t = m_.title;
    const char* s = "Personality";
    t = TDataSkinTitle();
    t.name = "Title";
    LoadImage(t.image, s, "TextBack");
    t.leftWidth = Int(s, "TextShift", 0);
    t.topHeight = Int(s, "TextShiftVert", 0);
    t.rightWidth = Int(s, "TextRightClip", 0);
    t.textAlignment = Int(s, "TextAlignment", 0);
    t.textBackground = Int(s, "Textbackground", 0);
    t.textBackLeft = Int(s, "TXTBackleft", 0);
    t.textBackRight = Int(s, "TXTBackRight", 0);
    t.fontHeight = Int("Fonts", "FontHeight", 14);
    t.activeTextColour = CaptionColour("ActiveText");
    t.inactiveTextColour = CaptionColour("InActiveText");
  }

  TColor CaptionColour(const std::string& prefix) const {
    int32_t r = Int("Personality", prefix + "R", -1);
    int32_t g = Int("Personality", prefix + "G", -1);
    int32_t b = Int("Personality", prefix + "B", -1);
    if (r < 0 || g < 0 || b < 0) return kColourNotSet;
    return RgbColour(r, g, b);
  }

  void ReadProgress() {
    m_.progress.reset();
    auto e = std::make_unique<TDataSkinObject>();
    if (!LoadImage(e->image, "Progress", "Bitmap")) return;
    e->name = "Progress";
    ReadEdges(*e, "Progress");
    e->tile = Int("Progress", "Tile", 0);
    m_.progress = std::move(e);
  }

  void ReadMenuBar() {
    m_.menuBar.reset();
    auto e = std::make_unique<TDataSkinObject>();
    if (!LoadImage(e->image, "Personality", "menuBar")) return;
    e->name = "menuBar";
    e->tile = Int("Personality", "TileMenu", 0);
    e->leftWidth = Int("Personality", "TileLeftMenu", 1);
    e->rightWidth = Int("Personality", "TileRightMenu", 1);
    m_.menuBar = std::move(e);
  }

  template <typename Element>
  std::unique_ptr<Element> Plain(const char* section, const char* secondImageKey = nullptr) {
    auto e = std::make_unique<Element>();
    if (!LoadImage(e->image, section, "Image")) return nullptr;
    e->name = section;
    ReadEdges(*e, section);
    e->tile = Int(section, "Tile", 0);
    ReadStateColours(*e, section);
    if constexpr (std::is_same_v<Element, TDataSkinBorder>) {
      if (secondImageKey) LoadImage(e->image2, section, secondImageKey);
    }
    return e;
  }

  void ReadPlainElements() {
    m_.groupBoxEdge = Plain<TDataSkinObject>("GroupBoxEdge");
    m_.toolbars = Plain<TDataSkinObject>("Toolbars");
    m_.tabs = Plain<TDataSkinBorder>("Tabs", "Border");
    m_.statusBarEdges = Plain<TDataSkinObject>("StatusBarEdges");
    m_.comboButton = Plain<TDataSkinObject>("ComboButton");
    m_.sunkEdge = Plain<TDataSkinObject>("SunkEdge");
    m_.extraImages = Plain<TDataSkinObject>("ExtraImages");
    m_.headerbar = Plain<TDataSkinObject>("Headerbar");
    m_.menuItem = Plain<TDataSkinObject>("MenuItem");
    m_.menuBackground = Plain<TDataSkinObject>("MenuBackground");
    m_.scrollbar = Plain<TDataSkinObject>("Scrollbar");
    m_.horzScroll = Plain<TDataSkinObject>("HorzScroll");
    m_.vertScroll = Plain<TDataSkinObject>("VertScroll");
    m_.horzScrollThumb = Plain<TDataSkinObject>("HorzScrollThumb");
    m_.vertScrollThumb = Plain<TDataSkinObject>("VertScrollThumb");
    m_.upDownHorz = Plain<TDataSkinBorder>("UpDown.Horz", "GlyphImage");
    m_.upDownVert = Plain<TDataSkinBorder>("UpDown.Vert", "GlyphImage");
  }

  static void SetFrames(TDataSkinObject* e, int32_t frames) {
    if (e) e->frameCount = frames;
  }

  static int32_t GlyphFrames(const Bitmap& image) {
    int w = image.Height() < 16 ? 13 : 16;
    int32_t frames = image.Width() / w;
    return frames < 4 ? 4 : frames;
  }

  void SetFrameCounts() {
    m_.title.frameCount = 2;
    for (TDataSkinObject* e : {m_.progress.get(), m_.menuBar.get(), m_.groupBoxEdge.get()}) SetFrames(e, 2);
    for (TDataSkinObject* e : {m_.toolbars.get(), static_cast<TDataSkinObject*>(m_.tabs.get()),
                               m_.extraImages.get(), m_.headerbar.get(), m_.menuItem.get()})
      SetFrames(e, 5);
    m_.buttons.frameCount = 5;
    SetFrames(m_.statusBarEdges.get(), 3);
    for (TDataSkinObject* e : {m_.comboButton.get(), m_.sunkEdge.get(), m_.horzScroll.get(), m_.vertScroll.get()})
      SetFrames(e, 4);
    SetFrames(m_.menuBackground.get(), 1);
    SetFrames(m_.scrollbar.get(), 23);
    SetFrames(m_.upDownHorz.get(), 8);
    SetFrames(m_.upDownVert.get(), 8);
    SetFrames(m_.horzScrollThumb.get(), Int("HorzScrollThumb", "FrameCount", 3));
    SetFrames(m_.vertScrollThumb.get(), Int("VertScrollThumb", "FrameCount", 3));
    if (m_.buttons.radioFrameCount == 0) m_.buttons.radioFrameCount = GlyphFrames(m_.buttons.radioImage);
    if (m_.buttons.checkFrameCount == 0) m_.buttons.checkFrameCount = GlyphFrames(m_.buttons.checkImage);
  }

  ini::IniFile ini_;
  ImageLoader images_;
  SkinModel& m_;
};

}  // namespace

bool ParseSkinDescription(std::string_view description, const TSkinReader& reader, SkinModel& model,
                          std::string& error) {
  DescriptionParser parser(description, reader, model);
  parser.Run();
  if (!parser.ImageError().empty()) {
    error = parser.ImageError();
    return false;
  }
  return true;
}

}  // namespace skin
