#include "skin/win/win_skin_form.h"

#include <windowsx.h>

#include <stdexcept>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_control.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_skin_manage.h"
#include "skin/win/win_skin_menu.h"
#include "skin/win/win_subclass.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace skin {

namespace {

constexpr unsigned kHoverMs = 250;
constexpr UINT kCaptionAction = 13572;
constexpr LRESULT kRedrawAll = 0x400;  // WVR_REDRAW
constexpr UINT kNcUahDrawCaption = 0x00AE;
constexpr UINT kNcUahDrawFrame = 0x00AF;

constexpr LONG_PTR kCaptionBits = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

gdi::Font CaptionFont() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
  return gdi::Font(CreateFontIndirectW(&m.lfCaptionFont));
}

}  // namespace

// Hot elements -----------------------------------------------------------

void TNCObject::Press() {
  if (frame_.Hot() && frame_.Hot() != this) frame_.Hot()->Leave();
  if (!visible) return;
  frame_.SetHot(this);
  state = 2;
  Draw();
}

void TNCObject::Release() {
  if (!visible) return;
  state = 3;
  Draw();
}

void TNCObject::Enter() {
  TNCObject* hot = frame_.Hot();
  if (hot && hot != this) hot->Leave();
  if ((hot == nullptr || hot != this) && visible) {
    frame_.SetHot(this);
    state = 3;
    Draw();
  }
}

void TNCObject::Leave() {
  if (!visible) return;
  if (frame_.Hot() == this) frame_.SetHot(nullptr);
  state = 1;
  Draw();
}

TWinSysButton::TWinSysButton(TWinSkinForm& frame, const TDataSkinSysButton& d) : TNCObject(frame), data(d) {
  frameCount = std::max(1, d.frameCount);
  if ((d.action == 3 || d.action == 11) && d.image.Empty()) {
    usesIcon = true;
    frameCount = 1;
  }
}

int TWinSysButton::action() const { return data.action; }

void TWinSysButton::Draw() {
  if (!visible || frame_.SetupState() != 1) return;
  gdi::WindowDc dc(frame_.Handle(), gdi::WindowDc::kWholeWindow);
  if (dc) DrawTo(dc.get(), frame_.IsActive());
}

void TWinSysButton::DrawTo(HDC dc, bool active) {
  if (!visible || rect.right <= rect.left) return;
  if (usesIcon) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(frame_.Handle(), WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(frame_.Handle(), GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(frame_.Handle(), GCLP_HICON));
    if (icon)
      DrawIconEx(dc, rect.left, rect.top, icon, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
    return;
  }
  int frame = state;
  if (data.visibility == 100 && state == 3) frame = 4;
  if (state == 1) frame = CaptionButtonFrame(active, frameCount);
  win32::DrawFrame(dc, rect, data.image, true, frameCount, frame);
}

// Attaching and restoring ------------------------------------------------

TWinSkinForm::TWinSkinForm(TSkinManage& manager, HWND window, ui::Form* form, TSkinData& data)
    : manager_(manager), hwnd_(window), form_(form), data_(data) {}

TWinSkinForm::~TWinSkinForm() {
  Restore();
  skinners_.clear();
}

void TWinSkinForm::Attach() {
  try {
    AttachParts();
  } catch (...) {
    Restore();
    throw;
  }
}

void TWinSkinForm::AttachParts() {
  const bool mainMenu = Has(data_.SkinControls, xcMainMenu);
  if (form_ && mainMenu) {
    oldHook_ = form_->WindowProc;
    form_->WindowProc = [this](ui::Message& m) { FormHook(m); };
    hookTaken_ = true;
  }
  if (mainMenu) {
    style_ = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    exStyle_ = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    sysMenu_ = (style_ & WS_SYSMENU) != 0;
    minBox_ = (style_ & WS_MINIMIZEBOX) != 0;
    maxBox_ = (style_ & WS_MAXIMIZEBOX) != 0;
    kind_ = FrameKindFor(static_cast<uint32_t>(style_), static_cast<uint32_t>(exStyle_));
    menu_ = GetMenu(hwnd_);
    if (menu_ && !(style_ & WS_CHILD)) {
      menuBarHeight_ = GetSystemMetrics(SM_CYMENU);
      menuBar_ = std::make_unique<TWinSkinMenu>(*this, menu_, form_ ? form_->Menu() : nullptr, data_);
      menuBar_->Build();
    }
    captionFont_ = CaptionFont();
    RefreshState();
    active_ = GetActiveWindow() == hwnd_;
    // The common controls' subclassing: whatever subclasses the window
    // later, the frame's procedure comes out of the chain at restore.
    if (!win32::AddSubclass(hwnd_, SubclassProc, this))
      throw std::runtime_error("the window cannot be subclassed");
    subclassed_ = true;
    Layout();
    SetCaptionStyleBits(state_ == kStateMinimized);
    hoverTimer_ = std::make_unique<ui::Timer>(nullptr, kHoverMs, false);
    hoverTimer_->OnTimer = [this] { SkinGuarded([this] { HoverTick(); }); };
  }
  MatchControls();
  if (form_) {
    formColour_ = form_->Color();
    formRecoloured_ = true;
    form_->SetColor(win32::ResolveColour(data_.Model().colours.buttonFace));
    if (Has(data_.SkinControls, xcPopupMenu)) SkinPopupMenus(true);
  }
}

void TWinSkinForm::Restore() {
  if (!hookTaken_ && !subclassed_ && !form_) return;
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  const bool destroying = Destroying();
  const bool alive = IsWindow(hwnd_) != FALSE;
  RECT client{};
  if (alive) GetClientRect(hwnd_, &client);
  // Skinners first: each gives its control back its hook and colour.
  hotSkinner_ = nullptr;
  skinners_.clear();
  const bool subclassedBefore = subclassed_;
  if (subclassed_) {
    if (alive) {
      SetCaptionStyleBits(true);
      win32::RemoveSubclass(hwnd_, SubclassProc);
    }
    subclassed_ = false;
  }
  if (hookTaken_) {
    form_->WindowProc = std::move(oldHook_);
    hookTaken_ = false;
  }
  if (menuBar_) {
    menuBar_->GiveBack(alive);
    menuBar_.reset();
  }
  // A form being destroyed keeps its looks: its parts go with it.
  if (form_ && !destroying) {
    SkinPopupMenus(false);
    if (formRecoloured_) form_->SetColor(formColour_);
    GiveControlsBack();
  }
  formRecoloured_ = false;
  recoloured_.clear();
  toolbars_.clear();
  gripsOff_.clear();
  ownerDrawn_.clear();
  matches_.clear();
  if (alive && !destroying && style_ != 0) {
    if (regionSize_.cx > 0) SetWindowRgn(hwnd_, nullptr, TRUE);
    regionSize_ = {};
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The system's frame goes round the client area the window has now, so
    // a size the user gave the window while skinned is kept. Before the
    // set-up the frame never changed the window's outer size: it stays.
    if (setupReceived_ && !(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) && state_ == kStateNormal && !IsIconic(hwnd_) &&
        client.right > 0) {
      RECT w{}, c{};
      GetWindowRect(hwnd_, &w);
      GetClientRect(hwnd_, &c);
      SetWindowPos(hwnd_, nullptr, 0, 0, client.right + (w.right - w.left) - c.right,
                   client.bottom + (w.bottom - w.top) - c.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (alive && !destroying && !subclassedBefore) {
    // Only the controls were skinned: have them drawn anew.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  form_ = nullptr;
}

void TWinSkinForm::SetCaptionStyleBits(bool on) {
  if (!subclassed_ && !on) return;
  LONG_PTR now = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  LONG_PTR wanted = on ? (now | (style_ & kCaptionBits)) : (now & ~kCaptionBits);
  if (wanted != now) SetWindowLongPtrW(hwnd_, GWL_STYLE, wanted);
}

void TWinSkinForm::Layout() {
  th_ = kind_ == kFrameBorderlessPopup ? Thickness{} : BorderThickness(data_.Model());
  hot_ = nullptr;
  buttons_.clear();
  for (const TDataSkinSysButton& b : data_.Model().sysButtons) buttons_.push_back(std::make_unique<TWinSysButton>(*this, b));
}

FrameFacts TWinSkinForm::Facts() const {
  FrameFacts f;
  f.kind = kind_;
  f.state = state_;
  f.active = active_;
  f.sysMenu = sysMenu_;
  f.minimizeBox = minBox_;
  f.maximizeBox = maxBox_;
  f.menuBarHeight = menuBarHeight_;
  return f;
}

void TWinSkinForm::Setup() {
  bool first = !setupReceived_;
  setupReceived_ = true;
  RECT c{};
  GetClientRect(hwnd_, &c);
  // The bar replaces the window's menu; the client area keeps its size.
  if (first && menuBar_) menuBar_->TakeMenuAway();
  if (first && state_ != kStateMinimized && kind_ != kFrameBorderlessPopup) {
    setupState_ = 5;
    SetWindowPos(hwnd_, nullptr, 0, 0, c.right + th_.left + th_.right, c.bottom + th_.top + th_.bottom + menuBarHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  setupState_ = 1;
  BuildRegion(true);
  if (hoverTimer_) hoverTimer_->SetEnabled(active_);
  PaintFrame();
}

void TWinSkinForm::TakeOverSkinData() {
  setupState_ = setupState_ == 1 ? 3 : setupState_;
  Layout();
}

void TWinSkinForm::ReapplySkin() {
  // Bare windows (message boxes) have no form hook: the face brush of the
  // old skin goes here for every window.
  faceBrush_.reset();
  if (form_ && hookTaken_) {
    ui::Message m{kReapplyColours, 0, 0, 0};
    FormHook(m);
  } else if (form_) {
    form_->SetColor(win32::ResolveColour(data_.Model().colours.buttonFace));
  }
  for (auto& skinner : skinners_) skinner->SkinChanged();
  // The region is built once below, not again for the resize.
  reapplying_ = true;
  if (subclassed_ && state_ != kStateMinimized && kind_ != kFrameBorderlessPopup) {
    RECT c{};
    GetClientRect(hwnd_, &c);
    SetWindowPos(hwnd_, nullptr, 0, 0, c.right + th_.left + th_.right, c.bottom + th_.top + th_.bottom + menuBarHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  if (setupState_ == 3) setupState_ = 1;
  BuildRegion(true);
  reapplying_ = false;
  if (subclassed_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::RefreshState() {
  if (IsIconic(hwnd_)) state_ = kStateMinimized;
  else if (IsZoomed(hwnd_)) state_ = kStateMaximized;
  else state_ = kStateNormal;
}

// Region -----------------------------------------------------------------

SIZE TWinSkinForm::WindowSize() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void TWinSkinForm::BuildRegion(bool force) {
  if (!subclassed_ || kind_ == kFrameBorderlessPopup) return;
  SIZE s = WindowSize();
  if (s.cx <= 0 || s.cy <= 0) return;
  if (!force && s.cx == regionSize_.cx && s.cy == regionSize_.cy) return;
  const SkinModel& m = data_.Model();
  std::vector<Rect> rects = FrameRegionRects(m, s.cx, s.cy, th_);
  gdi::Region region = win32::RegionFromRects(rects);
  if (!region) return;
  // The system owns a region once it is set.
  if (SetWindowRgn(hwnd_, region.get(), TRUE)) region.release();
  regionSize_ = s;
}

// Messages ---------------------------------------------------------------

LRESULT CALLBACK TWinSkinForm::SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
  auto* frame = reinterpret_cast<TWinSkinForm*>(self);
  LRESULT result = 0;
  if (SkinGuarded([&] { result = frame->WindowMessage(msg, wParam, lParam); })) return result;
  // The frame's own work failed (the window's own handling never throws:
  // the form layer stops its errors): the window's procedure still runs,
  // and paints the plain frame where the skinned one failed.
  return DefSubclassProc(h, msg, wParam, lParam);
}

LRESULT TWinSkinForm::CallOld(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

POINT TWinSkinForm::ToWindow(LPARAM screenPoint) const {
  POINT p{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  RECT w{};
  GetWindowRect(hwnd_, &w);
  return {p.x - w.left, p.y - w.top};
}

TNCObject* TWinSkinForm::ElementAt(POINT p) const {
  for (const auto& b : buttons_)
    if (b->visible && b->action() >= 0 && PtInRect(&b->rect, p)) return b.get();
  return menuBar_ ? menuBar_->ButtonAt(p) : nullptr;
}

void TWinSkinForm::HoverTick() {
  if (!active_ || !hot_ || menuOpen_) return;
  POINT p{};
  GetCursorPos(&p);
  RECT w{};
  GetWindowRect(hwnd_, &w);
  POINT in{p.x - w.left, p.y - w.top};
  if (!PtInRect(&hot_->rect, in) || WindowFromPoint(p) != hwnd_) hot_->Leave();
}

void TWinSkinForm::DoAction(int action) {
  switch (action) {
    case 0:
      if (hoverTimer_) hoverTimer_->SetEnabled(false);
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      break;
    case 1:
    case 22:
      if (state_ == kStateMaximized) {
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
        state_ = kStateNormal;
      } else {
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        state_ = kStateMaximized;
      }
      break;
    case 2:
    case 23:
      if (state_ == kStateMinimized) {
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
        state_ = kStateNormal;
      } else {
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        state_ = kStateMinimized;
      }
      break;
    case 3:
    case 11:
    case 12:
      for (const auto& b : buttons_) {
        if (b->action() != action) continue;
        RECT w{};
        GetWindowRect(hwnd_, &w);
        TrackPopupMenu(GetSystemMenu(hwnd_, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN, w.left + b->rect.left,
                       w.top + b->rect.bottom, 0, hwnd_, nullptr);
        break;
      }
      break;
    case 7: case 60: case 8: case 61: case 9: case 62:
      break;  // the program has no MDI windows
    default:
      PostMessageW(hwnd_, kCaptionAction, static_cast<WPARAM>(action), 0);
      break;
  }
}

bool TWinSkinForm::OnNcMouse(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  POINT p = ToWindow(lParam);
  TNCObject* at = state_ == kStateMinimized ? nullptr : ElementAt(p);
  switch (msg) {
    case WM_NCMOUSEMOVE:
      if (!active_) return false;
      if (at) at->Enter();
      else if (hot_) hot_->Leave();
      result = 0;
      return true;
    case WM_NCLBUTTONDOWN:
      if (at) {
        if (!active_) SetForegroundWindow(hwnd_);
        at->Press();
        result = 0;
        return true;
      }
      if (state_ == kStateMaximized && active_ && wParam == HTCAPTION) {
        result = CallOld(msg, HTMENU, lParam);  // a maximized window is not dragged
        return true;
      }
      return false;
    case WM_NCLBUTTONUP:
      if (auto* button = dynamic_cast<TWinSysButton*>(at); button && at == hot_) {
        button->Release();
        DoAction(button->action());
        result = 0;
        return true;
      }
      return at != nullptr;
    case WM_NCLBUTTONDBLCLK:
      if (at) return true;
      if (wParam != HTCAPTION) return false;
      if (state_ == kStateMaximized || state_ == kStateMinimized) {
        state_ = kStateNormal;
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else if (maxBox_) {
        state_ = kStateMaximized;
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      }
      result = 0;
      return true;
    case WM_NCRBUTTONDOWN:
      if (wParam != HTCAPTION || (style_ & WS_CHILD)) return false;
      TrackPopupMenu(GetSystemMenu(hwnd_, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, GET_X_LPARAM(lParam),
                     GET_Y_LPARAM(lParam), 0, hwnd_, nullptr);
      result = 0;
      return true;
    default:
      return false;
  }
}

// The system's hit-test code of a caption button's action.
static LRESULT CaptionButtonHitCode(int action) {
  switch (action) {
    case 0: return HTCLOSE;
    case 1:
    case 22: return HTMAXBUTTON;
    case 2:
    case 23: return HTMINBUTTON;
    default: return HTCAPTION;
  }
}

// Runs the window's own procedure with the window marked invisible, so that
// the system's caption is not painted over the skinned one.
static LRESULT WithoutSystemPainting(HWND h, const std::function<LRESULT()>& call) {
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  if (!(style & WS_VISIBLE)) return call();
  SetWindowLongPtrW(h, GWL_STYLE, style & ~WS_VISIBLE);
  LRESULT r = call();
  SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_VISIBLE);
  return r;
}

LRESULT TWinSkinForm::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (msg) {
    case kSetupMessage:
      Setup();
      return 0;
    case kRepaintMessage:
      PaintFrame();
      return 0;
    case WM_NCCALCSIZE: {
      if (state_ == kStateMinimized || IsIconic(hwnd_)) return CallOld(msg, wParam, lParam);
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (kind_ == kFrameBorderlessPopup) return 0;
      r->left += th_.left;
      r->top += th_.top + menuBarHeight_;
      r->right -= th_.right;
      r->bottom -= th_.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return wParam ? kRedrawAll : 0;
    }
    case WM_NCHITTEST: {
      result = CallOld(msg, wParam, lParam);
      if (state_ == kStateMinimized) return result;
      POINT p = ToWindow(lParam);
      SIZE s = WindowSize();
      bool inside = p.x >= 0 && p.y >= 0 && p.x < s.cx && p.y < s.cy;
      bool inClient = p.x >= th_.left && p.x < s.cx - th_.right && p.y >= th_.top + menuBarHeight_ && p.y < s.cy - th_.bottom;
      // The system measures its own frame; ours may be thicker.
      if (inside && !inClient && (result == HTNOWHERE || result == HTCLIENT || result == HTMENU || result == HTSYSMENU))
        result = p.y < th_.top ? HTCAPTION : (kind_ == kFrameSizing ? result : HTBORDER);
      if (inside && !inClient && result == HTCLIENT) result = HTBORDER;
      if (result == HTCAPTION && menuBarHeight_ > 0 && p.y >= th_.top) result = HTMENU;
      // The bar the frame draws in place of the window's menu.
      if (menuBar_ && p.y >= th_.top && p.y < th_.top + menuBarHeight_ && p.x >= th_.left && p.x < s.cx - th_.right)
        result = HTMENU;
      // Caption buttons answer as the system's do, so that what asks the
      // window where its close button is (accessibility, tests) finds it;
      // the frame's own mouse handling presses them either way.
      if (result == HTCAPTION)
        if (auto* button = dynamic_cast<TWinSysButton*>(ElementAt(p))) result = CaptionButtonHitCode(button->action());
      return result;
    }
    case WM_NCPAINT:
      if (kind_ == kFrameBorderlessPopup) return CallOld(msg, wParam, lParam);
      if (state_ == kStateMinimized) return CallOld(msg, wParam, lParam);
      // A failed paint leaves the system's plain frame for this paint.
      if (!PaintFrame()) return CallOld(msg, wParam, lParam);
      return 0;
    case kNcUahDrawCaption:
    case kNcUahDrawFrame:
      return 0;
    case WM_NCACTIVATE:
      active_ = wParam != FALSE;
      if (hoverTimer_) hoverTimer_->SetEnabled(active_ && setupState_ == 1);
      if (!active_ && hot_) hot_->Leave();
      if (hotSkinner_) hotSkinner_->Leave();
      result = WithoutSystemPainting(hwnd_, [&] { return CallOld(msg, wParam, lParam); });
      PaintFrame();
      return result ? result : TRUE;
    case WM_ACTIVATE:
      active_ = LOWORD(wParam) != WA_INACTIVE;
      return CallOld(msg, wParam, lParam);
    case WM_SETTEXT:
    case WM_SETICON:
      result = WithoutSystemPainting(hwnd_, [&] { return CallOld(msg, wParam, lParam); });
      PaintFrame();
      return result;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
      if (OnNcMouse(msg, wParam, lParam, result)) return result;
      return CallOld(msg, wParam, lParam);
    case WM_COMMAND:
      switch (wParam & 0xFFF0) {
        case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW:
        case SC_PREVWINDOW: case SC_CLOSE: case SC_RESTORE:
          if (lParam == 0 && HIWORD(wParam) == 0) {
            PostMessageW(hwnd_, WM_SYSCOMMAND, wParam, 0);
            return 0;
          }
          break;
        default:
          break;
      }
      return CallOld(msg, wParam, lParam);
    case WM_MENUSELECT:
      if (menuBar_) menuBar_->MenuSelect(wParam, lParam);
      return CallOld(msg, wParam, lParam);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU && menuBar_ && !menuOpen_ && !GetCapture()) {
        // Alt alone, or Alt with a bar item's accelerator, belongs to the bar.
        const auto key = static_cast<wchar_t>(lParam);
        if (key == 0) return 0;
        if (key != L' ' && key != L'-' && menuBar_->HasAccelerator(key)) {
          if (!form_) menuBar_->OpenByAccelerator(key);  // a form opens it on its dialog character
          return 0;
        }
      }
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: state_ = kStateMinimized; SetCaptionStyleBits(true); break;
        case SC_MAXIMIZE: state_ = kStateMaximized; break;
        case SC_RESTORE: state_ = IsIconic(hwnd_) && IsZoomed(hwnd_) ? kStateMaximized : kStateNormal; break;
        default: break;
      }
      return CallOld(msg, wParam, lParam);
    case WM_SIZE:
      state_ = wParam == SIZE_MINIMIZED ? kStateMinimized : wParam == SIZE_MAXIMIZED ? kStateMaximized : kStateNormal;
      SetCaptionStyleBits(state_ == kStateMinimized);
      result = CallOld(msg, wParam, lParam);
      // Set-up and a new skin build the region after their own resize.
      if (state_ != kStateMinimized && setupState_ != 0 && setupState_ != 5 && !reapplying_) BuildRegion(false);
      return result;
    case WM_GETMINMAXINFO: {
      result = CallOld(msg, wParam, lParam);
      RefreshState();
      SetCaptionStyleBits(state_ == kStateMinimized);
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
      return result;
    }
    case WM_WINDOWPOSCHANGED:
      RefreshState();
      return CallOld(msg, wParam, lParam);
    case WM_STYLECHANGED:
      if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
        const auto* s = reinterpret_cast<const STYLESTRUCT*>(lParam);
        style_ = (s->styleNew & ~kCaptionBits & ~WS_VISIBLE) | (style_ & kCaptionBits) | (style_ & WS_VISIBLE);
      }
      return CallOld(msg, wParam, lParam);
    case WM_CTLCOLORSTATIC: {
      // The label sets its text colour and transparency first; the skin's
      // face then shows behind it.
      result = CallOld(msg, wParam, lParam);
      if (!form_) SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      if (!faceBrush_) faceBrush_.reset(CreateSolidBrush(win32::ResolveColour(data_.Model().colours.buttonFace)));
      return reinterpret_cast<LRESULT>(faceBrush_.get());
    }
    case WM_CTLCOLORBTN:
      result = CallOld(msg, wParam, lParam);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return result;
    case WM_DESTROY: {
      // The subclass may go while it runs: the call below still reaches
      // the procedures after it.
      MarkDestroying();
      Restore();
      return DefSubclassProc(hwnd_, msg, wParam, lParam);
    }
    default:
      return CallOld(msg, wParam, lParam);
  }
}

void TWinSkinForm::FormHook(ui::Message& m) {
  switch (m.msg) {
    case WM_SETTEXT:
      oldHook_(m);
      PaintFrame();
      return;
    case ui::CM_DESTROYING: {
      // The form goes: give everything back while it is whole.
      auto hook = oldHook_;
      MarkDestroying();
      Restore();
      if (hook) hook(m);
      return;
    }
    case ui::CM_DIALOGCHAR:
      // Only Alt with a letter opens the bar (lParam: Alt was down); a plain
      // letter goes to the form's buttons.
      if (m.lParam && menuBar_ && !menuOpen_ && menuBar_->OpenByAccelerator(static_cast<wchar_t>(m.wParam))) {
        m.result = 1;
        return;
      }
      oldHook_(m);
      return;
    case ui::CM_MENUCHANGED:
      if (!menuBar_) {
        oldHook_(m);
        return;
      }
      menuBar_->Build();
      PaintFrame();
      return;
    case kReapplyColours:
      if (form_) form_->SetColor(win32::ResolveColour(data_.Model().colours.buttonFace));
      // An inner form freed while skinned is no longer among the components.
      for (auto& [component, colour] : recoloured_)
        if (StillOnForm(component))
          static_cast<ui::Control*>(component)->SetColor(win32::ResolveColour(data_.Model().colours.buttonFace));
      if (Has(data_.SkinControls, xcPopupMenu)) SkinPopupMenus(true);
      return;
    default:
      oldHook_(m);
      return;
  }
}

}  // namespace skin
