// Scroll bars, list views, headers and status bars of skinned windows under
// Wine: the skinner's own thumb drag and how it ends, panels by bevel,
// header text alignment, and controls and forms that go while skinned.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "skin/win/win_skin_scroll.h"
#include "tests/win/support/skin_fixture.h"

namespace {

using testsupport::PumpPosted;
using testsupport::PumpUntil;

template <class T>
T* SkinnerOf(const skin::TWinSkinForm& frame, HWND h) {
  for (const auto& s : frame.Skinners())
    if (s->Handle() == h)
      if (auto* t = dynamic_cast<T*>(s.get())) return t;
  return nullptr;
}

// One-shot thread timers running a call, dispatched by whichever loop runs.
std::map<UINT_PTR, std::function<void()>>& Pending() {
  static std::map<UINT_PTR, std::function<void()>> calls;
  return calls;
}
void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto it = Pending().find(id);
  if (it == Pending().end()) return;
  auto call = std::move(it->second);
  Pending().erase(it);
  call();
}
void After(int ms, std::function<void()> call) { Pending()[SetTimer(nullptr, 0, ms, RunPending)] = std::move(call); }
void CancelPending() {
  for (auto& [id, call] : Pending()) KillTimer(nullptr, id);
  Pending().clear();
}

// Records the scroll requests a control hears (behind the skinner).
std::shared_ptr<std::vector<int>> RecordScrolls(ui::Control& c) {
  auto codes = std::make_shared<std::vector<int>>();
  c.WindowProc = [&c, codes](ui::Message& m) {
    if (m.msg == WM_VSCROLL) codes->push_back(LOWORD(m.wParam));
    c.WndProc(m);
  };
  return codes;
}

// The centre of the vertical bar's thumb, on screen.
POINT ThumbCentre(const skin::TSkinScrollBar& s, HWND h) {
  skin::ScrollBarPlacement p = s.Placement();
  skin::ScrollBarGeometry g = s.Geometry(false);
  RECT w{};
  GetWindowRect(h, &w);
  return {w.left + p.vertBar.left + (g.thumb.left + g.thumb.right) / 2,
          w.top + p.vertBar.top + (g.thumb.top + g.thumb.bottom) / 2};
}

// A press on the thumb and a move `distance` pixels down, as the mouse
// would post them; the release only when asked.
void PostDrag(HWND h, POINT at, int distance, bool release) {
  SetCursorPos(at.x, at.y);
  PostMessageW(h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(at.x, at.y));
  POINT to{at.x, at.y + distance};
  ScreenToClient(h, &to);
  PostMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  if (release) PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

// Thumb tracks, then exactly one thumb position and one end.
void ExpectTrackPositionEnd(const std::vector<int>& codes) {
  ASSERT_GE(codes.size(), 3u);
  size_t tracks = 0;
  while (tracks < codes.size() && codes[tracks] == SB_THUMBTRACK) ++tracks;
  EXPECT_GE(tracks, 1u);
  ASSERT_EQ(codes.size(), tracks + 2);
  EXPECT_EQ(codes[tracks], SB_THUMBPOSITION);
  EXPECT_EQ(codes[tracks + 1], SB_ENDSCROLL);
}

class SkinScrollTest : public SkinTest {
 protected:
  void TearDown() override {
    CancelPending();
    controls.clear();
    SkinTest::TearDown();
  }
  template <class T>
  T* Add(ui::Form* f, ui::Align align = ui::alClient) {
    controls.push_back(std::make_unique<T>(f));
    auto* c = static_cast<T*>(controls.back().get());
    c->SetAlign(align);
    return c;
  }
  ui::TreeView* FilledTree(ui::Form* f) {
    auto* tree = Add<ui::TreeView>(f);
    for (int i = 0; i < 120; ++i) tree->AddChild(nullptr, "node " + std::to_string(i));
    return tree;
  }
  ui::Memo* FilledMemo(ui::Form* f) {
    auto* memo = Add<ui::Memo>(f);
    std::string text;
    for (int i = 0; i < 150; ++i) text += "line " + std::to_string(i) + "\r\n";
    memo->SetText(text);
    return memo;
  }
  // The rescue that ends a drag nothing else ended, so that a fault fails
  // the test instead of hanging it.
  void ArmRescue(bool& rescued) {
    After(2500, [&rescued] {
      rescued = true;
      PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONUP, 0, 0);
    });
  }
  std::vector<std::unique_ptr<ui::Control>> controls;
};

TEST_F(SkinScrollTest, ThumbDragOnTreeAndMemoTracksThenEnds) {
  ui::Form* f = MakeForm("TfrmSkinTest", ui::bsSizeable, 300, 200);
  ui::TreeView* tree = FilledTree(f);
  auto treeCodes = RecordScrolls(*tree);
  ui::Form* g = MakeForm("TfrmSkinTest", ui::bsSizeable, 300, 200);
  ui::Memo* memo = FilledMemo(g);
  auto memoCodes = RecordScrolls(*memo);
  SwitchOn(0);
  for (auto [form, control, codes] : {std::tuple{f, static_cast<ui::Control*>(tree), treeCodes},
                                      std::tuple{g, static_cast<ui::Control*>(memo), memoCodes}}) {
    SCOPED_TRACE(control->ClassName());
    skin::TWinSkinForm* frame = ReadyFrame(form->Handle());
    ASSERT_NE(frame, nullptr);
    HWND h = control->Handle();
    auto* bars = SkinnerOf<skin::TSkinScrollBar>(*frame, h);
    ASSERT_NE(bars, nullptr);
    EXPECT_TRUE(bars->OwnTracking());
    ASSERT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_VSCROLL);
    ASSERT_TRUE(bars->Geometry(false).hasThumb);
    const int before = GetScrollPos(h, SB_VERT);
    bool rescued = false;
    ArmRescue(rescued);
    PostDrag(h, ThumbCentre(*bars, h), 40, true);
    EXPECT_TRUE(PumpUntil([&] { return !codes->empty() && codes->back() == SB_ENDSCROLL; }, 2000));
    EXPECT_FALSE(rescued);
    ExpectTrackPositionEnd(*codes);
    EXPECT_GT(GetScrollPos(h, SB_VERT), before);  // the control followed the thumb
    EXPECT_FALSE(bars->Tracking());
    EXPECT_NE(GetCapture(), h);
    CancelPending();
  }
}

TEST_F(SkinScrollTest, DragEndsOnCaptureLossQuitAndDestruction) {
  ui::Form* f = MakeForm();
  ui::TreeView* tree = FilledTree(f);
  auto codes = RecordScrolls(*tree);
  ui::Form* g = MakeForm();
  ui::Memo* memo = FilledMemo(g);
  SwitchOn(1);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  HWND h = tree->Handle();
  auto* bars = SkinnerOf<skin::TSkinScrollBar>(*frame, h);
  ASSERT_NE(bars, nullptr);

  {
    SCOPED_TRACE("capture lost");
    bool rescued = false;
    ArmRescue(rescued);
    After(100, [&] { EXPECT_EQ(GetCapture(), h) << "the drag holds the mouse"; ReleaseCapture(); });
    PostDrag(h, ThumbCentre(*bars, h), 30, false);
    EXPECT_TRUE(PumpUntil([&] { return !codes->empty() && codes->back() == SB_ENDSCROLL; }, 4000));
    EXPECT_FALSE(rescued);
    ExpectTrackPositionEnd(*codes);
    CancelPending();
  }
  {
    SCOPED_TRACE("quit");
    codes->clear();
    bool rescued = false;
    ArmRescue(rescued);
    After(100, [] { PostQuitMessage(7); });
    PostDrag(h, ThumbCentre(*bars, h), -20, false);
    bool quit = false;
    WPARAM code = 0;
    DWORD end = GetTickCount() + 4000;
    while (!quit && static_cast<int>(end - GetTickCount()) > 0) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          quit = true;
          code = msg.wParam;
          break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (!quit) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    EXPECT_TRUE(quit) << "the quit request reaches the outer loop again";
    EXPECT_EQ(code, 7u);
    EXPECT_FALSE(rescued);
    EXPECT_FALSE(bars->Tracking());
    CancelPending();
  }
  {
    SCOPED_TRACE("control destroyed");
    bool rescued = false;
    ArmRescue(rescued);
    After(100, [&] {
      controls.erase(controls.begin());  // the tree goes in the middle of the drag
      tree = nullptr;
    });
    PostDrag(h, ThumbCentre(*bars, h), 30, false);
    EXPECT_TRUE(PumpUntil([&] { return tree == nullptr; }, 4000));
    EXPECT_TRUE(PumpPosted());
    EXPECT_FALSE(rescued);
    EXPECT_FALSE(IsWindow(h));
    CancelPending();
  }
  {
    SCOPED_TRACE("window destroyed with its frame");
    skin::TWinSkinForm* other = ReadyFrame(g->Handle());
    ASSERT_NE(other, nullptr);
    HWND m = memo->Handle();
    auto* memoBars = SkinnerOf<skin::TSkinScrollBar>(*other, m);
    ASSERT_NE(memoBars, nullptr);
    bool rescued = false, gone = false;
    ArmRescue(rescued);
    HWND form = g->Handle();
    After(100, [&] {
      DestroyWindow(form);  // frees the frame and its skinners under the drag
      gone = true;
    });
    PostDrag(m, ThumbCentre(*memoBars, m), 30, false);
    EXPECT_TRUE(PumpUntil([&] { return gone; }, 4000));
    EXPECT_TRUE(PumpPosted());
    EXPECT_FALSE(rescued);
    EXPECT_EQ(manager->FrameOf(form), nullptr);
    CancelPending();
  }
}

TEST_F(SkinScrollTest, StatusPanelsFollowTheirBevel) {
  ui::Form* f = MakeForm();
  auto* bar = Add<ui::StatusBar>(f, ui::alBottom);
  bar->AddPanel(80);
  bar->AddPanel(80);
  bar->AddPanel(80);
  HWND h = bar->Handle();
  SendMessageW(h, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"lowered"));
  SendMessageW(h, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"\traised"));
  SendMessageW(h, SB_SETTEXTW, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L"\t\tnone"));
  ASSERT_TRUE(bar->SizeGrip());
  SwitchOn(2);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<skin::TSkinStatusBar>(*frame, h);
  ASSERT_NE(skinner, nullptr);
  EXPECT_FALSE(bar->SizeGrip());
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(skinner->PanelFrames(), (std::vector<int>{1, 2, 3}));

  SendMessageW(h, SB_SIMPLE, TRUE, 0);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(skinner->PanelFrames(), (std::vector<int>{1}));
  SendMessageW(h, SB_SIMPLE, FALSE, 0);

  SwitchOff();
  EXPECT_TRUE(bar->SizeGrip()) << "the grip comes back";
}

TEST_F(SkinScrollTest, HeaderTextAlignsAlsoAfterSwitchToDetails) {
  ui::Form* f = MakeForm("TfrmSkinTest", ui::bsSizeable, 360, 200);
  auto* list = Add<ui::ListView>(f);
  HWND lh = list->Handle();
  SwitchOn(3);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<skin::TSkinListView>(*frame, lh);
  ASSERT_NE(skinner, nullptr);
  EXPECT_FALSE(skinner->OwnTracking());
  list->AddColumn("name", 100);
  list->AddColumn("size", 100);
  list->AddColumn("kind", 100);
  for (int i = 0; i < 30; ++i) list->AddItem("item " + std::to_string(i), -1, {"1", "x"});
  LVCOLUMNW column{};
  column.mask = LVCF_FMT;
  column.fmt = LVCFMT_RIGHT;
  SendMessageW(lh, LVM_SETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  column.fmt = LVCFMT_CENTER;
  SendMessageW(lh, LVM_SETCOLUMNW, 2, reinterpret_cast<LPARAM>(&column));

  list->SetViewStyle(ui::vsReport);  // chosen after skinning
  ASSERT_TRUE(PumpUntil([&] { return skinner->Header() && skinner->Header()->Attached(); }));
  HWND header = reinterpret_cast<HWND>(SendMessageW(lh, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(skinner->Header()->Handle(), header);
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const std::vector<int>& lefts = skinner->Header()->TextLefts();
  ASSERT_EQ(lefts.size(), 3u);
  gdi::WindowDc dc(header);
  gdi::SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
  auto width = [&](const wchar_t* text) {
    SIZE s{};
    GetTextExtentPoint32W(dc.get(), text, static_cast<int>(wcslen(text)), &s);
    return static_cast<int>(s.cx);
  };
  RECT item[3]{};
  for (int i = 0; i < 3; ++i) SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item[i]));
  EXPECT_EQ(lefts[0], item[0].left + 4);
  EXPECT_EQ(lefts[1], item[1].right - 4 - width(L"size"));
  EXPECT_EQ(lefts[2], (item[2].left + item[2].right - width(L"kind")) / 2);

  // Back and forth between views keeps one header skinner on the window.
  list->SetViewStyle(ui::vsList);
  list->SetViewStyle(ui::vsReport);
  PumpPosted();
  EXPECT_EQ(skinner->Header()->Handle(), header);

  SwitchOff();
  EXPECT_EQ(GetWindowLongPtrW(header, GWLP_WNDPROC), GetClassLongPtrW(header, GCLP_WNDPROC))
      << "the header has its own procedure back";
}

TEST_F(SkinScrollTest, ControlsAndFormsGoWhileSkinned) {
  ui::Form* f = MakeForm();
  FilledTree(f)->SetAlign(ui::alLeft);
  FilledMemo(f)->SetAlign(ui::alRight);
  auto* list = Add<ui::ListView>(f);
  list->AddColumn("name", 80);
  list->SetViewStyle(ui::vsReport);
  Add<ui::StatusBar>(f, ui::alBottom)->AddPanel(60);
  auto* combo = Add<ui::ComboBoxEx>(f, ui::alTop);
  ui::Form* g = MakeForm();
  FilledTree(g);
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(ReadyFrame(g->Handle()), nullptr);
  // The drive list's combo box is created with a scroll-bar style, but its
  // outer window shows no bar and gets no bars painted over it.
  EXPECT_EQ(SkinnerOf<skin::TSkinScrollBar>(*frame, combo->Handle()), nullptr);
  // Every control of the first form goes while skinned...
  for (size_t i = 0; i < 5; ++i) controls.erase(controls.begin());
  EXPECT_TRUE(PumpPosted());
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // ...then the second form with its tree still in it.
  HWND gh = g->Handle();
  DestroyWindow(gh);
  EXPECT_TRUE(PumpPosted());
  EXPECT_EQ(manager->FrameOf(gh), nullptr);
  controls.clear();
  forms.pop_back();
  // Switching off gives back what is left and touches nothing gone.
  SwitchOff();
  EXPECT_TRUE(PumpPosted());
  EXPECT_EQ(manager->FrameOf(f->Handle()), nullptr);
}

TEST_F(SkinScrollTest, ScrollingControlRepaintsAfterReflectedScroll) {
  ui::Form* f = MakeForm();
  ui::Memo* memo = FilledMemo(f);
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  // A control has one skinner at the most: the frame's goes first.
  skin::TSkinControl* matched = skin::TSkinControl::SkinnerOf(memo->Handle());
  ASSERT_NE(matched, nullptr);
  matched->Detach();
  int paints = 0;
  ui::MessageHook inner = memo->WindowProc;
  memo->WindowProc = [&paints, inner](ui::Message& m) {
    if (m.msg == WM_PAINT) ++paints;
    inner(m);
  };
  {
    skin::TSkinScControl bars(*frame);
    bars.AttachControl(*memo, false);
    ASSERT_TRUE(bars.Attached());
    UpdateWindow(memo->Handle());
    paints = 0;
    memo->Perform(ui::CN_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_GE(paints, 1) << "the reflected scroll is followed by a repaint";
    paints = 0;
    memo->Perform(ui::CM_TEXTCHANGED);
    EXPECT_EQ(paints, 0);
    bars.Detach();
  }
  SwitchOff();
}

}  // namespace
