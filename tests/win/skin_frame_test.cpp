// The skinned frame under Wine: caption buttons hit and carried out, the
// caption's double click, the hover leaving, the window menu commands, and
// the form layer's seams the frame relies on.
#include <windowsx.h>

#include "tests/win/support/skin_fixture.h"

namespace {

using testsupport::PumpPosted;
using testsupport::PumpUntil;

// The screen point at the centre of a rectangle in window coordinates.
LPARAM ScreenPoint(HWND h, const RECT& r) {
  RECT w{};
  GetWindowRect(h, &w);
  return MAKELPARAM(w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2);
}

const skin::TWinSysButton* ButtonFor(const skin::TWinSkinForm& frame, int action) {
  for (const auto& b : frame.Buttons())
    if (b->visible && (b->action() == action || (action == 1 && b->action() == 22) || (action == 2 && b->action() == 23)))
      return b.get();
  return nullptr;
}

// Presses and releases the left button on a caption button, as the mouse would.
void ClickButton(HWND h, const skin::TWinSysButton& b) {
  LPARAM at = ScreenPoint(h, b.rect);
  LRESULT hit = SendMessageW(h, WM_NCHITTEST, 0, at);
  SendMessageW(h, WM_NCLBUTTONDOWN, hit, at);
  SendMessageW(h, WM_NCLBUTTONUP, hit, at);
}

TEST_F(SkinTest, CaptionButtonsAreHitAndCarriedOut) {
  ui::Form* f = MakeForm();
  bool closeAsked = false;
  f->OnCloseQuery = [&](bool& canClose) {
    closeAsked = true;
    canClose = false;
  };
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  HWND h = f->Handle();
  const skin::TWinSysButton* close = ButtonFor(*frame, 0);
  const skin::TWinSysButton* maximize = ButtonFor(*frame, 1);
  const skin::TWinSysButton* minimize = ButtonFor(*frame, 2);
  ASSERT_TRUE(close && maximize && minimize);
  // Caption buttons answer as the system's do, the client area as client.
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, ScreenPoint(h, close->rect)), HTCLOSE);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, ScreenPoint(h, maximize->rect)), HTMAXBUTTON);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, ScreenPoint(h, minimize->rect)), HTMINBUTTON);
  RECT client{};
  GetClientRect(h, &client);
  POINT mid{client.right / 2, client.bottom / 2};
  ClientToScreen(h, &mid);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(mid.x, mid.y)), HTCLIENT);

  // A press that ends elsewhere does nothing.
  LPARAM at = ScreenPoint(h, close->rect);
  SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, at);
  EXPECT_EQ(close->state, 2);
  SendMessageW(h, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(mid.x, mid.y));
  PumpPosted();
  EXPECT_FALSE(closeAsked);

  ClickButton(h, *close);
  EXPECT_TRUE(PumpUntil([&] { return closeAsked; }));

  ClickButton(h, *maximize);
  EXPECT_EQ(frame->State(), skin::kStateMaximized);  // set at once
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
  // The restore button now stands where maximize was.
  frame->PaintFrame();
  const skin::TWinSysButton* restore = ButtonFor(*frame, 1);
  ASSERT_NE(restore, nullptr);
  ClickButton(h, *restore);
  EXPECT_EQ(frame->State(), skin::kStateNormal);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(h); }));

  ClickButton(h, *ButtonFor(*frame, 2));
  EXPECT_EQ(frame->State(), skin::kStateMinimized);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(h) != FALSE; }));
  ShowWindow(h, SW_RESTORE);
  EXPECT_TRUE(PumpUntil([&] { return frame->State() == skin::kStateNormal && !IsIconic(h); }));
  f->OnCloseQuery = nullptr;
  SwitchOff();
}

TEST_F(SkinTest, CaptionDoubleClickMaximizesAndRestoresAtOnce) {
  ui::Form* f = MakeForm();
  SwitchOn(1);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  HWND h = f->Handle();
  RECT caption{frame->CaptionTextBox()};
  LPARAM at = ScreenPoint(h, caption);
  ASSERT_EQ(SendMessageW(h, WM_NCHITTEST, 0, at), HTCAPTION);
  SendMessageW(h, WM_NCLBUTTONDBLCLK, HTCAPTION, at);
  EXPECT_EQ(frame->State(), skin::kStateMaximized);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
  SendMessageW(h, WM_NCLBUTTONDBLCLK, HTCAPTION, at);
  EXPECT_EQ(frame->State(), skin::kStateNormal);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(h); }));
  SwitchOff();
}

TEST_F(SkinTest, AWindowWithoutMaximizeBoxShowsNeitherMaximizeNorRestore) {
  ui::Form* f = MakeForm("TfrmDialogTest", ui::bsDialog);
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(ButtonFor(*frame, 1), nullptr);
  EXPECT_EQ(ButtonFor(*frame, 2), nullptr);
  EXPECT_NE(ButtonFor(*frame, 0), nullptr);
  // Double-clicking its caption does not maximize it.
  HWND h = f->Handle();
  SendMessageW(h, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(h, frame->CaptionTextBox()));
  PumpPosted();
  EXPECT_FALSE(IsZoomed(h));
  SwitchOff();
}

TEST_F(SkinTest, AHotButtonLeavesOnceTheMouseIsGone) {
  ui::Form* f = MakeForm();
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  HWND h = f->Handle();
  const skin::TWinSysButton* close = ButtonFor(*frame, 0);
  ASSERT_NE(close, nullptr);
  SetCursorPos(GET_X_LPARAM(ScreenPoint(h, close->rect)), GET_Y_LPARAM(ScreenPoint(h, close->rect)));
  SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(h, close->rect));
  EXPECT_EQ(frame->Hot(), close);
  EXPECT_EQ(close->state, 3);
  // The mouse leaves the window without a message to it: the timer notices.
  RECT w{};
  GetWindowRect(h, &w);
  SetCursorPos(w.right + 40, w.bottom + 40);
  DWORD start = GetTickCount();
  EXPECT_TRUE(PumpUntil([&] { return frame->Hot() == nullptr; }, 1000));
  EXPECT_LE(GetTickCount() - start, 600u);
  EXPECT_EQ(close->state, 1);
  SwitchOff();
}

TEST_F(SkinTest, WindowMenuCommandsArePostedAsSystemCommands) {
  ui::Form* f = MakeForm();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  SendMessageW(f->Handle(), WM_COMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(f->Handle()) != FALSE; }));
  SendMessageW(f->Handle(), WM_COMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(f->Handle()); }));
  SwitchOff();
}

TEST_F(SkinTest, ANativeMenuBarIsCountedAndGivenBack) {
  forms.push_back(std::make_unique<ui::Form>("TfrmMenuTest"));
  ui::Form* f = forms.back().get();
  ui::MainMenu menu(f);
  menu.AddEntries({{.caption = "&File", .children = {{.caption = "&Open"}}}, {.caption = "&Help"}});
  f->SetBounds(50, 50, 320, 240);
  f->SetMenu(&menu);
  f->Show();
  SetForegroundWindow(f->Handle());
  PumpPosted();
  const SIZE client = ClientSize(f->Handle());
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  const skin::Thickness th = frame->Borders();
  EXPECT_EQ(ClientSize(f->Handle()).cy, client.cy);
  EXPECT_EQ(OuterSize(f->Handle()).cy, client.cy + th.top + th.bottom + GetSystemMetrics(SM_CYMENU));
  // Below the caption the bar answers as menu.
  RECT bar{th.left + 10, th.top + 2, th.left + 12, th.top + 4};
  EXPECT_EQ(SendMessageW(f->Handle(), WM_NCHITTEST, 0, ScreenPoint(f->Handle(), bar)), HTMENU);
  SwitchOff();
  EXPECT_EQ(GetMenu(f->Handle()), menu.Handle());
  EXPECT_EQ(ClientSize(f->Handle()).cy, client.cy);
  f->SetMenu(nullptr);
}

// The form layer's seams ---------------------------------------------------

TEST(SkinSeams, ADestroyingNoticeReachesTheHookWhileTheFormIsWhole) {
  std::unique_ptr<ui::Button> button;  // outlives the form, as a child may
  auto f = std::make_unique<ui::Form>("TfrmSeam");
  f->SetBounds(10, 10, 200, 100);
  button = std::make_unique<ui::Button>(f.get());
  int notices = 0;
  bool windowAlive = false;
  size_t componentsSeen = 0;
  auto old = f->WindowProc;
  ui::Form* raw = f.get();
  f->WindowProc = [&, raw](ui::Message& m) {
    if (m.msg == ui::CM_DESTROYING) {
      ++notices;
      windowAlive = IsWindow(raw->Handle()) != FALSE;
      componentsSeen = raw->Components().size();
    }
    old(m);
  };
  f.reset();
  EXPECT_EQ(notices, 1);
  EXPECT_TRUE(windowAlive);
  EXPECT_GE(componentsSeen, 1u);
}

TEST(SkinSeams, ClientSizeFollowsTheFrameTheWindowHas) {
  ui::Form f("TfrmSeam");
  f.SetBounds(10, 10, 200, 100);
  // A frame of 9 pixels each side and 31 at the top, drawn by the program.
  HWND h = f.Handle();
  static WNDPROC old = nullptr;
  old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_NCCALCSIZE && wp) {
          RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0];
          r.left += 9, r.right -= 9, r.top += 31, r.bottom -= 9;
          return 0;
        }
        return CallWindowProcW(old, w, msg, wp, lp);
      })));
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  f.SetClientSize(321, 123);
  EXPECT_EQ(f.ClientWidth(), 321);
  EXPECT_EQ(f.ClientHeight(), 123);
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
}

TEST(SkinSeams, AToolBarGivesBackFlatTransparentAndColour) {
  ui::Form f("TfrmSeam");
  ui::ToolBar bar(&f);
  EXPECT_TRUE(bar.Flat());
  EXPECT_TRUE(bar.Transparent());
  bar.SetTransparent(false);
  bar.SetFlat(false);
  EXPECT_FALSE(bar.Transparent());
  EXPECT_FALSE(bar.Flat());
  bar.SetColor(RGB(10, 20, 30));
  // An opaque bar fills its background with its colour.
  f.SetBounds(0, 0, 200, 100);
  bar.SetBounds(0, 0, 200, 30);
  f.Show();
  PumpPosted();
  HDC dc = GetDC(bar.Handle());
  SendMessageW(bar.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  COLORREF at = GetPixel(dc, 190, 15);
  ReleaseDC(bar.Handle(), dc);
  EXPECT_EQ(at, RGB(10, 20, 30));
}

}  // namespace
