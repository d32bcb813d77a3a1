// The skin engine when things go wrong or come in an awkward order, under
// Wine: failures in the activation hook, in attaching and in paints (no
// error box, the plain look), subclassing restored in any order, caption
// buttons that outlive a silent change of the skin data, a new skin while
// a window is activated, bare windows and inner forms across a skin change,
// and popup handlers of a component that goes.
#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_skin_popup.h"
#include "tests/win/support/msgbox_answerer.h"
#include "tests/win/support/skin_fixture.h"

namespace {

using testsupport::PumpPosted;
using testsupport::PumpUntil;

// Makes the named place of the skin's work throw while it lives.
class FailAt {
 public:
  explicit FailAt(std::string place) : place_(std::move(place)) {
    old_ = skin::SetFaultProbe([this](std::string_view at) {
      if (at == place_) throw std::runtime_error("injected at " + place_);
    });
  }
  ~FailAt() { skin::SetFaultProbe(std::move(old_)); }

 private:
  std::string place_;
  skin::FaultProbe old_;
};

// A window procedure put over another after the skin's, as another part of
// a program may do; it counts what it sees and passes everything on.
struct LaterSubclass {
  explicit LaterSubclass(HWND h) : hwnd(h) {
    Current() = this;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  }
  ~LaterSubclass() {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Current() = nullptr;
  }
  static LaterSubclass*& Current() {
    static LaterSubclass* current = nullptr;
    return current;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++Current()->seen;
    return CallWindowProcW(Current()->previous, h, msg, wParam, lParam);
  }
  HWND hwnd;
  WNDPROC previous = nullptr;
  int seen = 0;
};

COLORREF BrushColour(LRESULT brush) {
  LOGBRUSH lb{};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
  return lb.lbColor & 0xFFFFFF;
}

TEST_F(SkinTest, FailuresInTheHookInAttachingAndInPaintsOpenNoBoxAndLeaveThePlainLook) {
  testsupport::MessageBoxAnswerer boxes;
  ui::Form* f = MakeForm();
  HWND h = f->Handle();
  const LONG_PTR procBefore = GetWindowLongPtrW(h, GWLP_WNDPROC);
  const SIZE clientBefore = ClientSize(h), outerBefore = OuterSize(h);
  const COLORREF colourBefore = f->Color();
  const int failuresBefore = skin::SkinFailures();
  {
    // Attaching fails after the window was subclassed: it is given back
    // whole, plain and unlisted, and no box is shown.
    FailAt attach("attach");
    SwitchOn(0);
    PumpPosted();
    EXPECT_EQ(manager->FrameOf(h), nullptr);
    EXPECT_TRUE(manager->Frames().empty());
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), procBefore);
    EXPECT_EQ(ClientSize(h).cx, clientBefore.cx);
    EXPECT_EQ(ClientSize(h).cy, clientBefore.cy);
    EXPECT_EQ(OuterSize(h).cx, outerBefore.cx);
    EXPECT_EQ(OuterSize(h).cy, outerBefore.cy);
    EXPECT_EQ(f->Color(), colourBefore);
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU, WS_SYSMENU);
  }
  EXPECT_GT(skin::SkinFailures(), failuresBefore);

  // A component's OnFormSkin failing inside the activation hook: the new
  // window stays plain, the others are skinned.
  data->OnFormSkin = [](skin::TSkinData&, const std::string& className, bool&) {
    if (className == "TfrmRefusing") throw std::runtime_error("refused");
  };
  ui::Form* refusing = MakeForm("TfrmRefusing");
  EXPECT_EQ(manager->FrameOf(refusing->Handle()), nullptr);
  SetForegroundWindow(h);
  skin::TWinSkinForm* frame = ReadyFrame(h);
  ASSERT_NE(frame, nullptr);

  // The frame's paint fails: swallowed, the frame stays and paints again
  // once the failure is gone.
  ui::Button button(f, "OK");
  button.SetBounds(10, 10, 80, 30);
  PumpPosted();
  {
    FailAt paint("frame paint");
    const int before = skin::SkinFailures();
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageW(h, WM_NCPAINT, 1, 0);
    EXPECT_GT(skin::SkinFailures(), before);
    EXPECT_FALSE(frame->PaintFrame());
  }
  EXPECT_TRUE(frame->PaintFrame());
  EXPECT_EQ(manager->FrameOf(h), frame);
  EXPECT_EQ(boxes.Count(), 0);
  data->OnFormSkin = nullptr;
  SwitchOff();
}

TEST_F(SkinTest, AControlPaintThatFailsDrawsTheControlPlainWithoutABox) {
  testsupport::MessageBoxAnswerer boxes;
  ui::Form* f = MakeForm();
  ui::Button button(f, "OK");
  button.SetBounds(10, 10, 80, 30);
  PumpPosted();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  ASSERT_FALSE(data->Model().buttons.image.Empty());
  PumpPosted();
  const int before = skin::SkinFailures();
  {
    FailAt paint("control paint");
    RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPosted();
  }
  EXPECT_GT(skin::SkinFailures(), before);
  EXPECT_EQ(boxes.Count(), 0);
  SwitchOff();
}

TEST_F(SkinTest, RestoringLeavesTheProceduresSubclassedLaterWorking) {
  ui::Form* f = MakeForm();
  ui::Button button(f, "OK");
  button.SetBounds(10, 10, 80, 30);
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  HWND raw = CreateWindowExW(0, L"BUTTON", L"raw", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 60, 80, 30,
                             f->Handle(), nullptr, nullptr, nullptr);
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, f->Handle(), nullptr, nullptr, nullptr);
  PumpPosted();
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(data->Model().menuBackground);

  // A bare window's skinner and a popup handler, each subclassed over later.
  const LRESULT buttonCode = SendMessageW(raw, WM_GETDLGCODE, 0, 0);
  const LRESULT staticCode = SendMessageW(plain, WM_GETDLGCODE, 0, 0);
  ASSERT_NE(buttonCode, 0);
  ASSERT_NE(staticCode, 0);
  {
    skin::TSkinButton skinner(*frame);
    skinner.AttachWindow(raw);
    ASSERT_TRUE(skinner.Attached());
    LaterSubclass later(raw);
    skinner.Detach();
    EXPECT_EQ(SendMessageW(raw, WM_GETDLGCODE, 0, 0), buttonCode);  // the button's own procedure answers
    EXPECT_GT(later.seen, 0);
  }
  {
    skin::TWinSkinPopMenu handler(plain, *data);
    ASSERT_TRUE(handler.Subclassed());
    LaterSubclass later(plain);
    handler.Restore();
    EXPECT_EQ(SendMessageW(plain, WM_GETDLGCODE, 0, 0), staticCode);
  }
  // The frame: the form still hears its children's commands.
  {
    LaterSubclass later(f->Handle());
    SwitchOff();
    SendMessageW(f->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button.Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
    PumpPosted();
    EXPECT_EQ(clicks, 1);
    EXPECT_GT(later.seen, 0);
  }
  DestroyWindow(raw);
  DestroyWindow(plain);
}

TEST_F(SkinTest, CaptionButtonsOutliveSkinDataLoadedWithoutAnnouncement) {
  ui::Form* f = MakeForm();
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_FALSE(frame->Buttons().empty());
  const auto& model = data->Model().sysButtons;
  for (const auto& b : frame->Buttons()) {
    const auto* at = &b->data;
    EXPECT_FALSE(at >= model.data() && at < model.data() + model.size()) << "a button refers into the model";
  }
  // New skin data read without an announcement: the model's buttons are
  // freed and made again, the frame paints on with what it holds.
  const std::string stored = store.Store().Item(1).DataStream();
  std::string persisted(4, '\0');
  const uint32_t n = static_cast<uint32_t>(stored.size());
  for (int i = 0; i < 4; ++i) persisted[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
  ASSERT_TRUE(data->ReadSkinStream(persisted + stored));
  EXPECT_TRUE(frame->PaintFrame());
  SendMessageW(f->Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(0, 0));
  SwitchOff();
}

TEST_F(SkinTest, ANewSkinWhileItActivatesAnotherWindowReachesEveryFrame) {
  ui::Form* a = MakeForm();
  ui::Form* b = MakeForm();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(a->Handle()), nullptr);
  ASSERT_NE(ReadyFrame(b->Handle()), nullptr);
  ASSERT_EQ(manager->Frames().size(), 2u);
  // The first frame the new skin reaches shows a third window when its
  // frame is set anew; the list is full, so that appending moves it.
  ui::Form* first = manager->Frames()[0]->Form();
  ASSERT_NE(first, nullptr);
  ui::Form* shown = nullptr;
  ui::MessageHook skinHook = first->WindowProc;
  first->WindowProc = [&, skinHook](ui::Message& m) {
    if (m.msg == WM_WINDOWPOSCHANGED && !shown && manager->PendingRequest() == 0) {
      forms.push_back(std::make_unique<ui::Form>("TfrmLate", ui::bsSizeable));
      shown = forms.back().get();
      shown->SetBounds(200, 200, 200, 150);
      shown->Show();
      SetForegroundWindow(shown->Handle());
    }
    skinHook(m);
  };
  const_cast<std::vector<std::unique_ptr<skin::TWinSkinForm>>&>(manager->Frames()).shrink_to_fit();
  ASSERT_TRUE(data->LoadFromStore(store, 2));
  ASSERT_TRUE(WaitForRequest());
  ASSERT_NE(shown, nullptr) << "the new skin set no window's frame anew";
  for (ui::Form* form : {a, b, shown}) {
    skin::TWinSkinForm* frame = ReadyFrame(form->Handle());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Borders().top, skin::BorderThickness(data->Model()).top);
  }
  SwitchOff();
}

TEST_F(SkinTest, BareWindowsAndInnerFormsTakeTheNewSkinsFaceAndFreedOnesAreLeftAlone) {
  ui::Form* f = MakeForm();
  auto inner = std::make_unique<ToolkitControl>(f, "TCustomForm", L"STATIC", 0, 50, 50);
  inner->SetBounds(10, 10, 50, 50);
  HWND bare = CreateWindowExW(0, L"#32770", L"bare", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 300, 40, 200,
                              120, nullptr, nullptr, nullptr, nullptr);
  HWND label = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, bare, nullptr, nullptr,
                               nullptr);
  SetForegroundWindow(f->Handle());
  SwitchOn(0);
  SetForegroundWindow(bare);
  skin::TWinSkinForm* bareFrame = ReadyFrame(bare);
  ASSERT_NE(bareFrame, nullptr);
  ASSERT_EQ(bareFrame->Form(), nullptr);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  const COLORREF face0 = skin::win32::ResolveColour(data->Model().colours.buttonFace);
  EXPECT_EQ(inner->Color(), face0);
  gdi::WindowDc dc(label);
  EXPECT_EQ(BrushColour(SendMessageW(bare, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                     reinterpret_cast<LPARAM>(label))),
            face0);
  // The inner form goes while skinned; then another skin comes.
  inner.reset();
  ASSERT_TRUE(data->LoadFromStore(store, 1));
  ASSERT_TRUE(WaitForRequest());
  const COLORREF face1 = skin::win32::ResolveColour(data->Model().colours.buttonFace);
  ASSERT_NE(face1, face0);
  ASSERT_NE(ReadyFrame(bare), nullptr);
  EXPECT_EQ(BrushColour(SendMessageW(bare, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                     reinterpret_cast<LPARAM>(label))),
            face1);
  EXPECT_EQ(f->Color(), face1);
  SwitchOff();
  DestroyWindow(bare);
}

}  // namespace
