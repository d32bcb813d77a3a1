// The control skinners under Wine, on a test skin whose image frames are
// solid colours, so that one pixel tells which frame a control shows:
// push and bitmap buttons (clicks, hot tracking, disabled look), check
// boxes, edits with up-down controls, combo boxes, track bars, tabs,
// progress bars, boxes, the bare windows of message boxes and the old save
// dialog, and controls that go while they are skinned.
#include <windows.h>

#include <commctrl.h>

#include "skin/archive/bmp_codec.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"
#include "tests/native/skin_test_support.h"
#include "tests/win/support/skin_fixture.h"
#include "ui/more_controls.h"

namespace {

using skin::Rgb;

constexpr uint32_t Px(int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }
using testsupport::PumpPosted;
using testsupport::PumpUntil;

constexpr uint32_t kButton[5] = {Px(200, 40, 40), Px(40, 200, 40), Px(40, 40, 200), Px(200, 200, 40),
                                 Px(40, 200, 200)};
constexpr uint32_t kCheck[6] = {Px(144, 32, 16), Px(32, 144, 16), Px(16, 32, 144),
                                Px(144, 144, 16), Px(16, 144, 144), Px(144, 16, 144)};
constexpr uint32_t kRadio[6] = {Px(96, 48, 16), Px(48, 96, 16), Px(16, 48, 96),
                                Px(96, 96, 16), Px(16, 96, 96), Px(96, 16, 96)};
constexpr uint32_t kProgress[2] = {Px(64, 80, 96), Px(160, 80, 32)};
constexpr uint32_t kTabs[5] = {Px(17, 51, 85), Px(17, 85, 51), Px(85, 17, 51), Px(51, 85, 17), Px(85, 51, 17)};
constexpr uint32_t kTabBorder[1] = {Px(119, 119, 51)};
constexpr uint32_t kCombo[4] = {Px(34, 68, 102), Px(34, 102, 68), Px(102, 34, 68), Px(68, 102, 34)};
constexpr uint32_t kSunken[4] = {Px(18, 52, 86), Px(101, 67, 33), Px(19, 87, 36), Px(36, 104, 19)};
constexpr uint32_t kArrow[5] = {Px(10, 10, 10), Px(11, 11, 11), Px(12, 12, 12), Px(13, 13, 13), Px(14, 14, 14)};
constexpr uint32_t kUpDown[8] = {Px(128, 64, 0),  Px(128, 64, 32),  Px(128, 64, 64),  Px(128, 64, 96),
                                 Px(128, 64, 128), Px(128, 64, 160), Px(128, 64, 192), Px(128, 64, 224)};
constexpr uint32_t kUpDownGlyph[8] = {Px(1, 2, 3), Px(1, 2, 4), Px(1, 2, 5), Px(1, 2, 6),
                                      Px(1, 2, 7), Px(1, 2, 8), Px(1, 2, 9), Px(1, 2, 10)};

template <size_t N>
skin::ArchiveEntry Strip(const std::string& name, int w, int h, const uint32_t (&colours)[N]) {
  skin::Bitmap b(w * static_cast<int>(N), h);
  for (size_t i = 0; i < N; ++i) b.FillRect({static_cast<int>(i) * w, 0, static_cast<int>(i + 1) * w, h}, colours[i]);
  return {name, skin::EncodeBmp24(b)};
}

// A skin with every control element (or, `withButtons` false, one whose
// "Buttons" section names no image); `textColours` sets only the second
// (text) colour of the buttons' normal state and the status bar's edges.
std::string TestSkin(bool withButtons, bool textColours = false) {
  std::string ini = "[TitlebarSkin]\r\nSkinName=Test\r\n";
  if (withButtons)
    ini +=
        "[Buttons]\r\nBitmap=buttons.bmp\r\nLeftWidth=3\r\nRightWidth=3\r\nTopHeight=3\r\nBottomHeight=3\r\n"
        "CheckButton=check.bmp\r\nCheckButtonFrame=6\r\nRadioButton=radio.bmp\r\nRadioButtonFrame=6\r\n";
  if (textColours)
    ini += "NormalColour2=255,0,0\r\n[StatusBarEdges]\r\nImage=sunken.bmp\r\nNormalColour2=255,0,0\r\n";
  ini +=
      "[Progress]\r\nBitmap=progress.bmp\r\n[Tabs]\r\nImage=tabs.bmp\r\nBorder=tabborder.bmp\r\n"
      "[ComboButton]\r\nImage=combo.bmp\r\n[SunkEdge]\r\nImage=sunken.bmp\r\n[ExtraImages]\r\nImage=arrow.bmp\r\n"
      "[UpDown.Vert]\r\nImage=updownv.bmp\r\nGlyphImage=glyphv.bmp\r\n";
  return skintest::StoredSkin(ini, {Strip("buttons.bmp", 20, 20, kButton), Strip("check.bmp", 13, 13, kCheck),
                                    Strip("radio.bmp", 13, 13, kRadio), Strip("progress.bmp", 20, 10, kProgress),
                                    Strip("tabs.bmp", 20, 20, kTabs), Strip("tabborder.bmp", 20, 20, kTabBorder),
                                    Strip("combo.bmp", 17, 20, kCombo), Strip("sunken.bmp", 20, 20, kSunken),
                                    Strip("arrow.bmp", 9, 9, kArrow), Strip("updownv.bmp", 16, 11, kUpDown),
                                    Strip("glyphv.bmp", 7, 7, kUpDownGlyph)});
}

COLORREF Ref(uint32_t rgb) { return RGB(skin::RedOf(rgb), skin::GreenOf(rgb), skin::BlueOf(rgb)); }

COLORREF PixelAt(HWND h, int x, int y) {
  gdi::WindowDc dc(h);
  return GetPixel(dc.get(), x, y) & 0xFFFFFF;
}

// How many pixels of `colour` the client rectangle `r` shows.
int CountColour(HWND h, RECT r, COLORREF colour) {
  gdi::WindowDc dc(h);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += (GetPixel(dc.get(), x, y) & 0xFFFFFF) == colour;
  return n;
}

class SkinControls : public SkinTest {
 protected:
  void SwitchOnTestSkin(bool withButtons = true, bool textColours = false) {
    testStore.Store().Add().ReadDataStream(TestSkin(withButtons, textColours));
    ASSERT_TRUE(data->LoadFromStore(testStore, static_cast<int>(testStore.Store().Count()) - 1));
    data->SetActive(true);
    ASSERT_TRUE(WaitForRequest());
  }
  template <class T>
  T* SkinnerOf(skin::TWinSkinForm& frame, HWND h) {
    for (const auto& s : frame.Skinners())
      if (s->Handle() == h) return dynamic_cast<T*>(s.get());
    return nullptr;
  }
  skin::TSkinStore testStore;
};

TEST_F(SkinControls, PushButtonsShowTheirStateFramesOrStayPlainWithoutTheImage) {
  // Without a "Buttons" image the system draws the button; hot tracking runs.
  ui::Form* f = MakeForm();
  ui::Button plain(f, "Plain");
  plain.SetBounds(10, 10, 80, 30);
  PumpPosted();
  const COLORREF systemLook = PixelAt(plain.Handle(), 6, 6);
  SwitchOnTestSkin(false);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<skin::TSkinButton>(*frame, plain.Handle());
  ASSERT_NE(skinner, nullptr);
  skinner->Repaint();
  EXPECT_EQ(PixelAt(plain.Handle(), 6, 6), systemLook);
  SendMessageW(plain.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(skinner->Hot());
  EXPECT_EQ(frame->HotSkinner(), skinner);
  SwitchOff();

  // With it: frame 1, then hot frame 4, then disabled frame 3 with the
  // caption in the system's button shadow colour.
  ui::Button b(f, "WWWW");
  b.SetBounds(10, 50, 100, 40);
  SwitchOnTestSkin(true);
  frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto* s = SkinnerOf<skin::TSkinButton>(*frame, b.Handle());
  ASSERT_NE(s, nullptr);
  PumpPosted();
  EXPECT_EQ(PixelAt(b.Handle(), 1, 1), Ref(kButton[0]));
  SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(PixelAt(b.Handle(), 1, 1), Ref(kButton[3]));
  const RECT text{10, 5, 90, 35};
  EXPECT_GT(CountColour(b.Handle(), text, GetSysColor(COLOR_BTNTEXT)), 0);
  EXPECT_EQ(CountColour(b.Handle(), text, GetSysColor(COLOR_BTNSHADOW)), 0);
  b.SetEnabled(false);
  PumpPosted();
  EXPECT_EQ(PixelAt(b.Handle(), 1, 1), Ref(kButton[2]));
  EXPECT_GT(CountColour(b.Handle(), text, GetSysColor(COLOR_BTNSHADOW)), 0);
  EXPECT_EQ(CountColour(b.Handle(), text, GetSysColor(COLOR_BTNTEXT)), 0);
  SwitchOff();
}

TEST_F(SkinControls, ButtonsGiveUpTheHotFrameWhenDisabledAndTakeSecondColoursAlone) {
  ui::Form* f = MakeForm();
  ui::Button b(f, "WWWW");
  b.SetBounds(10, 10, 100, 40);
  ui::StatusBar bar(f);
  bar.SetAlign(ui::alBottom);
  bar.AddPanel(200);
  SendMessageW(bar.Handle(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"WWWWWW"));
  SwitchOnTestSkin(true, true);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  PumpPosted();
  // Only the second colours are set: the captions take them.
  const RECT text{10, 5, 90, 35};
  EXPECT_GT(CountColour(b.Handle(), text, RGB(255, 0, 0)), 0);
  RECT barRect{};
  GetClientRect(bar.Handle(), &barRect);
  RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(CountColour(bar.Handle(), barRect, RGB(255, 0, 0)), 0);

  // Hot, disabled (the mouse leaves meanwhile), enabled again: not hot.
  auto* s = SkinnerOf<skin::TSkinButton>(*frame, b.Handle());
  ASSERT_NE(s, nullptr);
  SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(PixelAt(b.Handle(), 1, 1), Ref(kButton[3]));
  b.SetEnabled(false);
  SendMessageW(b.Handle(), ui::CM_MOUSELEAVE, 0, 0);
  b.SetEnabled(true);
  PumpPosted();
  EXPECT_FALSE(s->Hot());
  EXPECT_EQ(PixelAt(b.Handle(), 1, 1), Ref(kButton[0]));
  EXPECT_NE(frame->HotSkinner(), s);
  SwitchOff();
}

TEST_F(SkinControls, AControlGetsOneSkinnerAndAnEdgedComboItsButtonInPlace) {
  ui::Form* f = MakeForm("TfrmSkinTest", ui::bsSizeable, 420, 300);
  // An up-down matched as its own component inside an edit, and a radio
  // group's button matched as a check box of its own.
  ui::Edit edit(f);
  edit.SetBounds(10, 10, 120, 24);
  ToolkitControl spin(&edit, "TUpDown", UPDOWN_CLASSW, WS_VISIBLE, 16, 20);
  spin.SetBounds(100, 0, 16, 20);
  ToolkitControl radios(f, "TwwRadioGroup", L"BUTTON", BS_GROUPBOX, 120, 60);
  radios.SetBounds(170, 10, 120, 60);
  ToolkitControl radio(&radios, "TCustomCheckBox", L"BUTTON", BS_AUTORADIOBUTTON | WS_VISIBLE, 100, 20);
  radio.SetBounds(5, 20, 100, 20);
  ToolkitControl combo(f, "TComboBox", L"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, 120, 200);
  combo.Tag = 56;
  combo.SetBounds(150, 100, 120, 24);
  SetWindowLongPtrW(combo.Handle(), GWL_EXSTYLE, GetWindowLongPtrW(combo.Handle(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(combo.Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  combo.SetBounds(150, 100, 121, 24);  // the combo places its button in the client area it has now
  combo.SetBounds(150, 100, 120, 24);
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  PumpPosted();
  // The edit and the group, matched first, skinned them: the frame made
  // no second skinner for either.
  for (HWND h : {spin.Handle(), radio.Handle()}) {
    EXPECT_EQ(SkinnerOf<skin::TSkinControl>(*frame, h), nullptr);
    EXPECT_NE(skin::TSkinControl::SkinnerOf(h), nullptr);
  }
  auto* se = SkinnerOf<skin::TSkinEdit>(*frame, edit.Handle());
  ASSERT_NE(se, nullptr);
  ASSERT_NE(se->UpDown(), nullptr);
  EXPECT_EQ(PixelAt(spin.Handle(), 1, 1), Ref(kUpDown[0]));
  // The combo's button is drawn where the control has it: client
  // coordinates moved by the edge.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  const RECT b = info.rcButton;
  const int middle = (b.top + b.bottom) / 2;
  EXPECT_EQ(PixelAt(combo.Handle(), b.right - 2, middle), Ref(kCombo[0]));
  EXPECT_NE(PixelAt(combo.Handle(), b.left - 1, middle), Ref(kCombo[0]));
  // Freed in either order: each control keeps its own procedure and hook.
  SwitchOff();
  EXPECT_EQ(skin::TSkinControl::SkinnerOf(spin.Handle()), nullptr);
  EXPECT_EQ(skin::TSkinControl::SkinnerOf(radio.Handle()), nullptr);
  PostMessageW(radio.Handle(), WM_PAINT, 0, 0);
  PostMessageW(spin.Handle(), WM_PAINT, 0, 0);
  EXPECT_TRUE(PumpPosted());
}

TEST_F(SkinControls, PressAndReleaseClickOnceReleaseOutsideNeverAndHotMovesLeaveFirst) {
  ui::Form* f = MakeForm();
  ui::Button a(f, "A");
  a.SetBounds(10, 10, 80, 30);
  ui::BitBtn b(f, "B");
  b.SetBounds(10, 50, 80, 30);
  int clicksA = 0, clicksB = 0;
  a.OnClick = [&] { ++clicksA; };
  b.OnClick = [&] { ++clicksB; };
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  for (HWND h : {a.Handle(), b.Handle()}) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(PixelAt(h, 1, 1), Ref(kButton[1]));  // pressed
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPosted();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    PumpPosted();
  }
  EXPECT_EQ(clicksA, 1);
  EXPECT_EQ(clicksB, 1);

  // From one button to the other: the first hears its leave while the
  // frame still has it as the hot one, then the second becomes hot.
  auto* sa = SkinnerOf<skin::TSkinControl>(*frame, a.Handle());
  auto* sb = SkinnerOf<skin::TSkinBitButton>(*frame, b.Handle());
  ASSERT_TRUE(sa && sb);
  SendMessageW(a.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(frame->HotSkinner(), sa);
  skin::TSkinControl* hotWhenLeft = nullptr;
  ui::MessageHook skinHook = a.WindowProc;
  a.WindowProc = [&](ui::Message& m) {
    if (m.msg == ui::CM_MOUSELEAVE) hotWhenLeft = frame->HotSkinner();
    skinHook(m);
  };
  SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  a.WindowProc = skinHook;
  EXPECT_EQ(hotWhenLeft, sa);
  EXPECT_FALSE(sa->Hot());
  EXPECT_TRUE(sb->Hot());
  EXPECT_EQ(frame->HotSkinner(), sb);
  EXPECT_EQ(PixelAt(a.Handle(), 1, 1), Ref(kButton[0]));
  SwitchOff();
}

TEST_F(SkinControls, BitButtonsDrawTheFirstGlyphFrameWhereTheLayoutSays) {
  ui::Form* f = MakeForm();
  ui::BitBtn b(f, "Go");
  b.SetBounds(10, 10, 120, 60);
  // Two 16x16 frames: green with a blue bottom-left key, then red.
  skin::Bitmap glyph(32, 16, Rgb(0, 255, 0));
  glyph.FillRect({16, 0, 32, 16}, Rgb(255, 0, 0));
  glyph.Set(0, 15, Rgb(0, 0, 255));
  b.SetGlyph(skin::win32::CreateDibFrom(glyph), 2);
  b.Layout = ui::blGlyphTop;
  b.Margin = 5;
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto* s = SkinnerOf<skin::TSkinBitButton>(*frame, b.Handle());
  ASSERT_NE(s, nullptr);
  PumpPosted();
  RECT client{};
  GetClientRect(b.Handle(), &client);
  skin::Rect g = s->LastLayout().glyph;
  EXPECT_EQ(g.top, 5);
  EXPECT_EQ(g.Width(), 16);
  EXPECT_EQ(g.left, (client.right - 16 + 1) / 2);
  EXPECT_EQ(s->LastLayout().caption.top, 5 + 16 + 4);
  EXPECT_EQ(PixelAt(b.Handle(), g.left + 8, g.top + 8), RGB(0, 255, 0));
  // The key colour is see-through: the button frame shows there.
  EXPECT_EQ(PixelAt(b.Handle(), g.left, g.bottom - 1), Ref(kButton[0]));
  // Disabled, the glyph keeps its first frame.
  b.SetEnabled(false);
  PumpPosted();
  EXPECT_EQ(PixelAt(b.Handle(), g.left + 8, g.top + 8), RGB(0, 255, 0));
  EXPECT_EQ(PixelAt(b.Handle(), 1, 1), Ref(kButton[2]));
  // Glyph right, margin and spacing -1: the room is shared in three.
  b.SetEnabled(true);
  b.Layout = ui::blGlyphRight;
  b.Margin = -1;
  b.Spacing = -1;
  s->Repaint();
  const skin::BitButtonLayout& l = s->LastLayout();
  const int m = client.right - l.glyph.right;
  EXPECT_GT(m, 0);
  EXPECT_EQ(l.glyph.left - l.caption.right, m);
  EXPECT_GE(l.caption.left - m, 0);
  EXPECT_LT(l.caption.left - m, 3);
  EXPECT_EQ(l.align, skin::CaptionAlign::kRight);
  SwitchOff();
}

TEST_F(SkinControls, CheckBoxGlyphShowsItsStateAtItsPlace) {
  ui::Form* f = MakeForm();
  ui::CheckBox c(f, "Check");
  c.SetBounds(10, 10, 120, 21);
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto* s = SkinnerOf<skin::TSkinCheckBox>(*frame, c.Handle());
  ASSERT_NE(s, nullptr);
  PumpPosted();
  RECT g = s->GlyphRect();
  EXPECT_EQ(g.left, 0);  // 13 wide: (14 - 13) / 2
  EXPECT_EQ(g.top, (21 - 13) / 2);
  EXPECT_EQ(g.right - g.left, 13);
  EXPECT_EQ(PixelAt(c.Handle(), g.left + 6, g.top + 6), Ref(kCheck[0]));
  c.SetChecked(true);
  EXPECT_EQ(s->GlyphFrame(), 2);
  EXPECT_EQ(PixelAt(c.Handle(), g.left + 6, g.top + 6), Ref(kCheck[1]));
  // A click toggles it back; the glyph follows.
  SendMessageW(c.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
  SendMessageW(c.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 8));
  PumpPosted();
  EXPECT_FALSE(c.Checked());
  EXPECT_EQ(PixelAt(c.Handle(), g.left + 6, g.top + 6), Ref(kCheck[0]));
  c.SetEnabled(false);
  PumpPosted();
  EXPECT_EQ(PixelAt(c.Handle(), g.left + 6, g.top + 6), Ref(kCheck[2]));
  // Right-aligned buttons have their glyph at the right edge.
  SetWindowLongW(c.Handle(), GWL_STYLE, GetWindowLongW(c.Handle(), GWL_STYLE) | BS_RIGHTBUTTON);
  EXPECT_EQ(s->GlyphRect().right, 120);
  SwitchOff();
}

TEST_F(SkinControls, EditsUpDownsCombosTrackBarsTabsAndProgressBarsDrawFromTheSkin) {
  ui::Form* f = MakeForm("TfrmSkinTest", ui::bsSizeable, 420, 300);
  ui::Edit edit(f);
  edit.SetBounds(10, 10, 120, 24);
  HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 100, 0, 16, 20, edit.Handle(),
                              nullptr, nullptr, nullptr);
  ToolkitControl combo(f, "TComboBox", L"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, 120, 200);
  combo.Tag = 56;
  combo.SetBounds(150, 10, 120, 24);
  ToolkitControl track(f, "TTrackBar", TRACKBAR_CLASSW, TBS_HORZ, 150, 30);
  track.SetBounds(10, 50, 150, 30);
  ToolkitControl tabs(f, "TPageControl", WC_TABCONTROLW, 0, 200, 100);
  tabs.SetBounds(10, 100, 200, 100);
  for (const wchar_t* caption : {L"One", L"Two"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    SendMessageW(tabs.Handle(), TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
  }
  ToolkitControl progress(f, "TProgressBar", PROGRESS_CLASSW, 0, 200, 20);
  progress.SetBounds(10, 220, 200, 20);
  SendMessageW(progress.Handle(), PBM_SETRANGE32, 0, 100);
  SendMessageW(progress.Handle(), PBM_SETPOS, 50, 0);
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  PumpPosted();

  // Edit: a frame in the skin's button shadow, one ring of background
  // inside because of the up-down child, which is skinned too.
  auto* se = SkinnerOf<skin::TSkinEdit>(*frame, edit.Handle());
  ASSERT_NE(se, nullptr);
  ASSERT_NE(se->UpDown(), nullptr);
  EXPECT_EQ(se->UpDown()->Handle(), spin);
  {
    gdi::WindowDc dc(edit.Handle(), gdi::WindowDc::kWholeWindow);
    EXPECT_EQ(GetPixel(dc.get(), 0, 5) & 0xFFFFFF, skin::win32::ResolveColour(data->Model().colours.buttonShadow));
    EXPECT_EQ(GetPixel(dc.get(), 1, 5) & 0xFFFFFF, GetSysColor(COLOR_WINDOW));
  }
  skin::TSkinUpDown* ud = se->UpDown();
  EXPECT_EQ(PixelAt(spin, 1, 1), Ref(kUpDown[0]));
  EXPECT_EQ(PixelAt(spin, 1, 18), Ref(kUpDown[4]));
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 15));
  EXPECT_EQ(ud->PressedPart(), 1);
  EXPECT_EQ(PixelAt(spin, 1, 18), Ref(kUpDown[5]));
  SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(8, 15));
  EXPECT_EQ(ud->PressedPart(), -1);

  // Combo box by Tag 56: the sunken edge and the drop-down button, hot
  // while the mouse is over it.
  auto* sc = SkinnerOf<skin::TSkinComBox>(*frame, combo.Handle());
  ASSERT_NE(sc, nullptr);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  EXPECT_EQ(PixelAt(combo.Handle(), 0, 12), Ref(kSunken[0]));
  EXPECT_EQ(PixelAt(combo.Handle(), info.rcButton.left + 1, info.rcButton.top + 1), Ref(kCombo[0]));
  SendMessageW(combo.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(sc->ButtonFrame(), 2);
  EXPECT_EQ(PixelAt(combo.Handle(), info.rcButton.left + 1, info.rcButton.top + 1), Ref(kCombo[1]));

  // Track bar: the thumb through the control's custom drawing, frame 4.
  auto* st = SkinnerOf<skin::TSkinTrackBar>(*frame, track.Handle());
  ASSERT_NE(st, nullptr);
  st->Repaint();
  EXPECT_GT(st->ThumbsDrawn(), 0);
  RECT thumb{};
  SendMessageW(track.Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  EXPECT_EQ(PixelAt(track.Handle(), (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), Ref(kButton[3]));

  // Tabs: the chosen one frame 2, the other frame 1; hot moves with the mouse.
  auto* sTab = SkinnerOf<skin::TSkinTab>(*frame, tabs.Handle());
  ASSERT_NE(sTab, nullptr);
  RECT second{};
  SendMessageW(tabs.Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  EXPECT_EQ(sTab->TabFrame(0), 2);
  EXPECT_EQ(PixelAt(tabs.Handle(), second.left + 2, second.top + 2), Ref(kTabs[0]));
  SendMessageW(tabs.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 3, second.top + 3));
  EXPECT_EQ(sTab->HotTab(), 1);
  EXPECT_EQ(PixelAt(tabs.Handle(), second.left + 2, second.top + 2), Ref(kTabs[2]));

  // Progress bars have no row of their own: attached by hand.
  skin::TSkinProgress sp(*frame);
  sp.AttachControl(progress, false);
  PumpPosted();
  EXPECT_EQ(PixelAt(progress.Handle(), 50, 10), Ref(kProgress[1]));
  EXPECT_EQ(PixelAt(progress.Handle(), 150, 10), Ref(kProgress[0]));
  sp.Detach();
  SwitchOff();
}

TEST_F(SkinControls, BoxesTakeTheFaceAndGiveItBackRadioGroupsAndSpeedButtons) {
  ui::Form* f = MakeForm();
  ui::Panel panel(f, "");
  panel.SetBounds(10, 10, 100, 40);
  ui::GroupBox group(f, "Group");
  group.SetBounds(10, 60, 150, 100);
  panel.SetColor(RGB(1, 2, 3));
  group.SetFontColor(RGB(4, 5, 6));
  ToolkitControl radios(f, "TwwRadioGroup", L"BUTTON", BS_GROUPBOX, 120, 60);
  radios.SetBounds(170, 10, 120, 60);
  HWND radio = CreateWindowExW(0, L"BUTTON", L"R", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 5, 20, 100, 20,
                               radios.Handle(), nullptr, nullptr, nullptr);
  ToolkitControl speed(f, "TSpeedButton", L"BUTTON", BS_PUSHBUTTON, 60, 25);
  speed.SetBounds(170, 100, 60, 25);
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  PumpPosted();
  const COLORREF face = skin::win32::ResolveColour(data->Model().colours.buttonFace);
  EXPECT_EQ(panel.Color(), face);
  EXPECT_EQ(group.Color(), face);
  // The boxes show the new colour at once, not only after their next erase.
  EXPECT_EQ(PixelAt(panel.Handle(), 50, 20), face);
  EXPECT_EQ(PixelAt(group.Handle(), 75, 60), face);
  EXPECT_EQ(group.GetFont().color, skin::win32::ResolveColour(data->Model().colours.buttonText));
  // Another skin: the boxes take its face, the group box its text colour.
  ASSERT_TRUE(data->LoadFromStore(store, 1));
  ASSERT_TRUE(WaitForRequest());
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  PumpPosted();
  const COLORREF face2 = skin::win32::ResolveColour(data->Model().colours.buttonFace);
  ASSERT_NE(face2, face);
  EXPECT_EQ(panel.Color(), face2);
  EXPECT_EQ(PixelAt(panel.Handle(), 50, 20), face2);
  EXPECT_EQ(PixelAt(group.Handle(), 75, 60), face2);
  EXPECT_EQ(group.GetFont().color, skin::win32::ResolveColour(data->Model().colours.buttonText));
  ASSERT_TRUE(data->LoadFromStore(testStore, 0));
  ASSERT_TRUE(WaitForRequest());
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  PumpPosted();
  EXPECT_EQ(PixelAt(radio, 6, 10), Ref(kRadio[0]));
  // Speed buttons are reached through a control's hook only.
  skin::TSkinSpeedButton bare(*frame);
  bare.AttachWindow(speed.Handle());
  EXPECT_FALSE(bare.Attached());
  skin::TSkinSpeedButton sb(*frame);
  sb.AttachControl(speed, false);
  EXPECT_EQ(PixelAt(speed.Handle(), 1, 1), Ref(kButton[0]));
  sb.Detach();
  SwitchOff();
  EXPECT_EQ(panel.Color(), RGB(1, 2, 3));
  EXPECT_EQ(group.GetFont().color, RGB(4, 5, 6));
}

TEST_F(SkinControls, TheDriveListKeepsItsLook) {
  ui::Form* f = MakeForm();
  ui::ComboBoxEx drives(f);
  // Created with a vertical scroll bar, the outer window drops it, so the
  // scroll-bar row does not take the drive list.
  EXPECT_EQ(GetWindowLongW(drives.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  for (const auto& m : frame->Matches()) EXPECT_NE(m.window, drives.Handle());
  SwitchOff();
}

TEST_F(SkinControls, MessageBoxAndOldSaveDialogAnswerTheirSkinnedButtons) {
  ui::Form* f = MakeForm();
  SwitchOnTestSkin();
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  auto press = [](HWND button) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  };
  bool boxButtonSkinned = false;
  ui::Timer boxProbe(nullptr, 50);
  boxProbe.OnTimer = [&] {
    HWND box = FindWindowW(L"#32770", nullptr);
    skin::TWinSkinForm* boxFrame = box ? manager->FrameOf(box) : nullptr;
    if (!boxFrame || boxFrame->SetupState() != 1) return;
    boxProbe.SetEnabled(false);
    HWND no = GetDlgItem(box, IDNO);
    boxButtonSkinned = SkinnerOf<skin::TSkinButton>(*boxFrame, no) != nullptr;
    press(no);
  };
  EXPECT_EQ(ui::ShowMessageBox(f, "answer?", MB_YESNO), IDNO);
  EXPECT_TRUE(boxButtonSkinned);

  // The save dialog's combo boxes, the drive list's inner combo included,
  // and its buttons; Cancel answers.
  int combos = 0;
  bool innerComboSkinned = false;
  ui::Timer dialogProbe(nullptr, 50);
  dialogProbe.OnTimer = [&] {
    HWND dialog = FindWindowW(L"#32770", L"Save");
    skin::TWinSkinForm* dialogFrame = dialog ? manager->FrameOf(dialog) : nullptr;
    if (!dialogFrame || dialogFrame->SetupState() != 1) return;
    dialogProbe.SetEnabled(false);
    for (const auto& s : dialogFrame->Skinners()) combos += dynamic_cast<skin::TSkinComBox*>(s.get()) != nullptr;
    if (HWND ex = FindWindowExW(dialog, nullptr, L"ComboBoxEx32", nullptr))
      innerComboSkinned = SkinnerOf<skin::TSkinComBox>(*dialogFrame, GetWindow(ex, GW_CHILD)) != nullptr;
    press(GetDlgItem(dialog, IDCANCEL));
  };
  ui::SaveDialog save(f);
  save.Title = "Save";
  save.FileName = "list.txt";
  save.OldStyle = true;
  EXPECT_FALSE(save.Execute());
  EXPECT_GE(combos, 2);
  EXPECT_TRUE(innerComboSkinned);

  // A bare dialog with an edit and a size grip (Wine's save dialog has
  // its file name edit inside the combo and no grip).
  HWND bare = CreateWindowExW(0, L"#32770", L"bare", WS_POPUP | WS_CAPTION | WS_SYSMENU, 10, 10, 240, 140, nullptr,
                              nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"name", WS_CHILD | WS_VISIBLE, 10, 10, 120, 22, bare,
                              nullptr, nullptr, nullptr);
  HWND grip = CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 200, 80, 16, 16, bare,
                              nullptr, nullptr, nullptr);
  ShowWindow(bare, SW_SHOW);
  SetForegroundWindow(bare);
  skin::TWinSkinForm* bareFrame = ReadyFrame(bare);
  ASSERT_NE(bareFrame, nullptr);
  EXPECT_NE(SkinnerOf<skin::TSkinEdit>(*bareFrame, edit), nullptr);
  ASSERT_NE(SkinnerOf<skin::TSkinSizer>(*bareFrame, grip), nullptr);
  PumpPosted();
  {
    gdi::WindowDc dc(edit, gdi::WindowDc::kWholeWindow);
    EXPECT_EQ(GetPixel(dc.get(), 0, 5) & 0xFFFFFF, skin::win32::ResolveColour(data->Model().colours.buttonShadow));
  }
  InvalidateRect(grip, nullptr, TRUE);
  PumpPosted();
  EXPECT_FALSE(GetUpdateRect(grip, nullptr, FALSE));  // painted (as nothing), not left pending
  DestroyWindow(bare);
  PumpPosted();
  SwitchOff();
}

TEST_F(SkinControls, ControlsAndFormsGoneWhileSkinnedLeaveNoSkinnerAttached) {
  ui::Form* f = MakeForm();
  auto button = std::make_unique<ui::Button>(f, "Go");
  auto edit = std::make_unique<ui::Edit>(f);
  CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 100, 0, 16, 20, edit->Handle(), nullptr, nullptr,
                  nullptr);
  auto check = std::make_unique<ui::CheckBox>(f, "Check");
  auto group = std::make_unique<ui::GroupBox>(f, "Group");
  SwitchOnTestSkin();
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(frame->Skinners().size(), 4u);
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  button.reset();
  edit.reset();
  check.reset();
  group.reset();
  PumpPosted();
  EXPECT_EQ(frame->HotSkinner(), nullptr);
  for (const auto& s : frame->Skinners()) EXPECT_FALSE(s->Attached());
  // A whole form with skinned controls goes.
  ui::Form* g = MakeForm("TfrmOther");
  auto child = std::make_unique<ui::Button>(g, "Child");  // outlives the form, as a child may
  auto box = std::make_unique<ui::CheckBox>(g, "Child");
  SetForegroundWindow(g->Handle());
  ASSERT_NE(ReadyFrame(g->Handle()), nullptr);
  HWND gone = g->Handle();
  forms.pop_back();
  PumpPosted();
  EXPECT_EQ(manager->FrameOf(gone), nullptr);
  SwitchOff();
}

}  // namespace
