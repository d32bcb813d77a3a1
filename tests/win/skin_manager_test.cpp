// The skin manager under Wine: which windows it skins, its requests and
// their 250 ms collapse, switching off and a new skin, and windows that go
// while they are skinned.
#include "tests/win/support/msgbox_answerer.h"
#include "skin/win/win_img_dc.h"
#include "tests/win/support/skin_fixture.h"

namespace {

using testsupport::PumpPosted;
using testsupport::PumpUntil;

TEST_F(SkinTest, ActivationSkinsFormsMessageBoxesAndTheOldSaveDialog) {
  ui::Form* f = MakeForm();
  SIZE client = ClientSize(f->Handle());
  COLORREF colour = f->Color();
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Form(), f);
  // The client area keeps its size inside the skin's borders.
  SIZE now = ClientSize(f->Handle());
  EXPECT_EQ(now.cx, client.cx);
  EXPECT_EQ(now.cy, client.cy);
  const skin::Thickness th = frame->Borders();
  EXPECT_GT(th.top, 0);
  EXPECT_EQ(OuterSize(f->Handle()).cx, client.cx + th.left + th.right);
  EXPECT_EQ(OuterSize(f->Handle()).cy, client.cy + th.top + th.bottom);
  // The system draws no caption buttons of its own meanwhile.
  EXPECT_EQ(GetWindowLongW(f->Handle(), GWL_STYLE) & (WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
  EXPECT_EQ(f->Color(), skin::win32::ResolveColour(data->Model().colours.buttonFace));
  (void)colour;

  // A message box opened now is skinned by the main component.
  testsupport::MessageBoxAnswerer boxes;
  bool boxSkinned = false;
  boxes.Plan([&](const testsupport::MessageBoxRecord&) {
    HWND box = FindWindowW(L"#32770", nullptr);
    boxSkinned = ReadyFrame(box) != nullptr && manager->FrameOf(box)->Form() == nullptr;
    return IDOK;
  });
  ui::ShowMessageBox(f, "skinned?", MB_OK);
  EXPECT_TRUE(boxSkinned);

  // So is the old-style save dialog.
  bool dialogSkinned = false;
  ui::Timer probe(nullptr, 50);
  probe.OnTimer = [&] {
    HWND dialog = FindWindowW(L"#32770", L"Save");
    if (!dialog) return;
    dialogSkinned = ReadyFrame(dialog) != nullptr;
    probe.SetEnabled(false);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  };
  ui::SaveDialog save(f);
  save.Title = "Save";
  save.FileName = "list.txt";
  save.OldStyle = true;
  save.Execute();
  EXPECT_TRUE(dialogSkinned);
  SwitchOff();
}

TEST_F(SkinTest, AFormTaggedNinetyNineKeepsTheSystemFrame) {
  forms.push_back(std::make_unique<ui::Form>("TfrmPlain"));
  ui::Form* plain = forms.back().get();
  plain->Tag = 99;
  plain->SetBounds(40, 40, 200, 150);
  plain->Show();
  ui::Form* skinned = MakeForm();
  SwitchOn(1);
  ASSERT_NE(ReadyFrame(skinned->Handle()), nullptr);
  SetForegroundWindow(plain->Handle());
  PumpPosted();
  EXPECT_EQ(manager->FrameOf(plain->Handle()), nullptr);
  EXPECT_NE(GetWindowLongW(plain->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
  SwitchOff();
}

TEST_F(SkinTest, RequestsCollapseIntoTheLastAndActiveTwiceAsksNothing) {
  ui::Form* f = MakeForm();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  ASSERT_TRUE(manager->Started());
  data->SetActive(true);
  EXPECT_EQ(manager->PendingRequest(), 0);

  int changed = 0;
  data->OnSkinChanged = [&] { ++changed; };
  ASSERT_TRUE(data->LoadFromStore(store, 1));
  ASSERT_TRUE(data->LoadFromStore(store, 2));
  EXPECT_EQ(manager->PendingRequest(), skin::kRequestSkinChanged);
  ASSERT_TRUE(WaitForRequest());
  EXPECT_EQ(changed, 1);
  // Off and on again within the delay: only the last, so the frame stays.
  skin::TWinSkinForm* frame = manager->FrameOf(f->Handle());
  data->SetActive(false);
  data->SetActive(true);
  ASSERT_TRUE(WaitForRequest());
  EXPECT_EQ(manager->FrameOf(f->Handle()), frame);
  SwitchOff();
}

TEST_F(SkinTest, TwoQuickChoicesFromThePlainLookShowTheSecondSkin) {
  ui::Form* f = MakeForm();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  SwitchOff();
  ASSERT_EQ(manager->FrameOf(f->Handle()), nullptr);
  // As the skin menu does twice within the delay: load, then switch on.
  int changed = 0;
  data->OnSkinChanged = [&] { ++changed; };
  for (int index : {1, 2}) {
    ASSERT_TRUE(data->LoadFromStore(store, index));
    data->SetActive(true);
  }
  ASSERT_TRUE(WaitForRequest());
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Borders().top, skin::BorderThickness(data->Model()).top);
  EXPECT_EQ(changed, 1);
  SwitchOff();
}

TEST_F(SkinTest, SwitchingOffGivesFrameColoursAndSizeBackAndKeepsTheSkin) {
  ui::Form* f = MakeForm("TfrmSkinTest", ui::bsSingle);
  const SIZE outer = OuterSize(f->Handle());
  const SIZE client = ClientSize(f->Handle());
  const LONG style = GetWindowLongW(f->Handle(), GWL_STYLE);
  const COLORREF colour = f->Color();
  SwitchOn(2);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  SwitchOff();
  EXPECT_EQ(manager->FrameOf(f->Handle()), nullptr);
  EXPECT_TRUE(manager->Frames().empty());
  EXPECT_EQ(GetWindowLongW(f->Handle(), GWL_STYLE), style);
  EXPECT_EQ(OuterSize(f->Handle()).cx, outer.cx);
  EXPECT_EQ(OuterSize(f->Handle()).cy, outer.cy);
  EXPECT_EQ(ClientSize(f->Handle()).cx, client.cx);
  EXPECT_EQ(f->Color(), colour);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(f->Handle(), probe), ERROR);  // no region left
  DeleteObject(probe);
  EXPECT_FALSE(data->SkinNotLoaded());
  // On again with the skin still loaded.
  data->SetActive(true);
  ASSERT_TRUE(WaitForRequest());
  EXPECT_NE(ReadyFrame(f->Handle()), nullptr);
  SwitchOff();
}

TEST_F(SkinTest, ANewSkinKeepsClientSizesAndRebuildsTheFrame) {
  ui::Form* f = MakeForm();
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  const SIZE client = ClientSize(f->Handle());
  for (int index : {1, 2, 3, 0}) {
    ASSERT_TRUE(data->LoadFromStore(store, index));
    ASSERT_TRUE(WaitForRequest());
    ASSERT_EQ(manager->FrameOf(f->Handle()), frame);
    EXPECT_EQ(frame->SetupState(), 1);
    const skin::Thickness want = skin::BorderThickness(data->Model());
    EXPECT_EQ(frame->Borders().top, want.top) << index;
    EXPECT_EQ(ClientSize(f->Handle()).cx, client.cx) << index;
    EXPECT_EQ(ClientSize(f->Handle()).cy, client.cy) << index;
    EXPECT_EQ(OuterSize(f->Handle()).cy, client.cy + want.top + want.bottom) << index;
  }
  SwitchOff();
}

TEST_F(SkinTest, WindowsThatGoWhileSkinnedLeaveNothingBehind) {
  ui::Form* a = MakeForm();
  ui::Form* b = MakeForm("TfrmOther");
  SwitchOn(3);
  ASSERT_NE(ReadyFrame(a->Handle()), nullptr);
  SetForegroundWindow(b->Handle());
  ASSERT_NE(ReadyFrame(b->Handle()), nullptr);
  // The second form goes (the first owns the windows made after it).
  HWND gone = b->Handle();
  ASSERT_EQ(manager->Frames().size(), 2u);
  forms.pop_back();
  PumpPosted();
  EXPECT_EQ(manager->FrameOf(gone), nullptr);
  EXPECT_EQ(manager->Frames().size(), 1u);
  // A bare window destroyed while skinned.
  HWND bare = CreateWindowExW(0, L"#32770", L"bare", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 10, 10, 200, 120,
                              nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(bare);
  ASSERT_NE(ReadyFrame(bare), nullptr);
  DestroyWindow(bare);
  PumpPosted();
  EXPECT_EQ(manager->Frames().size(), 1u);
  // The component going while a window is skinned gives it back.
  data.reset();
  EXPECT_TRUE(manager->Frames().empty());
  EXPECT_NE(GetWindowLongW(a->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
  PumpPosted();
}

TEST_F(SkinTest, TheComponentMayRefuseAClassAndSkinnedWindowsGetNoScrollBarChildren) {
  std::string asked;
  data->OnFormSkin = [&](skin::TSkinData&, const std::string& cls, bool& doSkin) {
    asked = cls;
    doSkin = cls != "TfrmRefused";
  };
  ui::Form* refused = MakeForm("TfrmRefused");
  SwitchOn(0);
  PumpPosted();
  EXPECT_EQ(asked, "TfrmRefused");
  EXPECT_EQ(manager->FrameOf(refused->Handle()), nullptr);
  ui::Form* skinned = MakeForm();
  ASSERT_NE(ReadyFrame(skinned->Handle()), nullptr);
  // The frame draws what a scroll-bar child would: its creation is refused.
  HWND bar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 16, 100,
                             skinned->Handle(), nullptr, nullptr, nullptr);
  EXPECT_EQ(bar, nullptr);
  HWND plainBar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 16, 100,
                                  refused->Handle(), nullptr, nullptr, nullptr);
  EXPECT_NE(plainBar, nullptr);
  data->OnFormSkin = nullptr;
  SwitchOff();
}

TEST_F(SkinTest, ASizeGivenWhileSkinnedIsKeptWhenSwitchedOff) {
  ui::Form* f = MakeForm();
  SwitchOn(1);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  f->SetClientSize(411, 233);
  EXPECT_EQ(ClientSize(f->Handle()).cx, 411);
  SwitchOff();
  EXPECT_EQ(ClientSize(f->Handle()).cx, 411);
  EXPECT_EQ(ClientSize(f->Handle()).cy, 233);
}

TEST_F(SkinTest, WithoutTheMainMenuKindOnlyTheControlsAreSkinned) {
  ui::Form* f = MakeForm();
  ui::Button button(f, "OK");
  const LONG style = GetWindowLongW(f->Handle(), GWL_STYLE);
  const COLORREF colour = f->Color();
  data->SkinControls &= ~skin::SkinBit(skin::xcMainMenu);
  SwitchOn(0);
  PumpUntil([&] { return manager->FrameOf(f->Handle()) != nullptr; });
  skin::TWinSkinForm* frame = manager->FrameOf(f->Handle());
  ASSERT_NE(frame, nullptr);
  PumpPosted();
  EXPECT_EQ(GetWindowLongW(f->Handle(), GWL_STYLE), style);  // the system's frame stays
  EXPECT_EQ(frame->Skinners().size(), 1u);
  EXPECT_NE(f->Color(), colour);
  SwitchOff();
  EXPECT_EQ(f->Color(), colour);
  EXPECT_EQ(GetWindowLongW(f->Handle(), GWL_STYLE), style);
}

}  // namespace
