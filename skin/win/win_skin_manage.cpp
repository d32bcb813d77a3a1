#include "skin/win/win_skin_manage.h"

#include <algorithm>
#include <cctype>

#include "skin/model/skin_data.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_skin_popup.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/timer.h"
#include "ui/wide.h"

namespace skin {

namespace {

constexpr unsigned kRequestDelayMs = 250;
TSkinManage* g_manager = nullptr;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TSkinManage::TSkinManage() {
  g_manager = this;
  timer_ = std::make_unique<ui::Timer>(nullptr, kRequestDelayMs, false);
  timer_->OnTimer = [this] { RunPendingRequest(); };
  hook_.reset(SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId()));
}

TSkinManage::~TSkinManage() {
  hook_.reset();
  // Windows still skinned at the end get their own procedures back.
  for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
    if (IsWindow((*it)->Handle())) (*it)->Restore();
  }
  frames_.clear();
  popups_.clear();
  g_manager = nullptr;
}

void TSkinManage::InstallFactory() {
  InstallSkinManagerFactory([]() -> SkinManagerLink* {
    static TSkinManage manager;
    return &manager;
  });
}

TSkinManage* TSkinManage::Instance() { return g_manager; }

void TSkinManage::Register(TSkinData& data) { components_.push_back(&data); }

void TSkinManage::Unregister(TSkinData& data) {
  std::erase(components_, &data);
  if (components_.empty()) {
    // Nothing left to skin with: no request can be carried out.
    pending_ = 0;
    newSkinPending_ = false;
    timer_->SetEnabled(false);
    active_ = false;
  }
  if (announcing_ == &data) announcing_ = nullptr;
  // Popup handlers and frames served by a component that goes are given
  // back at once: none may keep a reference to it.
  for (size_t i = popups_.size(); i-- > 0;) {
    if (&popups_[i]->Data() != &data) continue;
    popups_[i]->Restore();
    popups_.erase(popups_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  if (popups_.empty()) popupOpen_ = false;
  const std::vector<TWinSkinForm*> frames = FrameList();
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    if (&(*it)->Data() != &data) continue;
    if (std::unique_ptr<TWinSkinForm> frame = TakeFrame(*it)) frame->Restore();
  }
}

std::unique_ptr<TWinSkinForm> TSkinManage::TakeFrame(const TWinSkinForm* frame) {
  auto it = std::find_if(frames_.begin(), frames_.end(), [&](const auto& f) { return f.get() == frame; });
  if (it == frames_.end()) return nullptr;
  std::unique_ptr<TWinSkinForm> taken = std::move(*it);
  frames_.erase(it);
  return taken;
}

std::vector<TWinSkinForm*> TSkinManage::FrameList() const {
  std::vector<TWinSkinForm*> list;
  list.reserve(frames_.size());
  for (const auto& f : frames_) list.push_back(f.get());
  return list;
}

void TSkinManage::Request(SkinRequest kind) {
  // A new skin never cancels a switch on or off waiting for the timer (two
  // quick choices from the plain look would otherwise leave it plain): the
  // switch is carried out, then the new skin applied.
  if (kind == kRequestSkinChanged && (pending_ == kRequestActivate || pending_ == kRequestDeactivate)) {
    newSkinPending_ = true;
  } else {
    pending_ = kind;
  }
  if (started_) {
    // Restarting the one-shot timer collapses requests in a row into the last.
    timer_->SetEnabled(false);
    timer_->SetEnabled(true);
  } else {
    // Before the first activation a request only sets the switch: windows
    // are then skinned, or not, as they come up. Nothing is left waiting.
    if (kind == kRequestActivate || kind == kRequestDeactivate) active_ = kind == kRequestActivate;
    pending_ = 0;
    newSkinPending_ = false;
  }
}

void TSkinManage::SkinChanged(TSkinData& data) {
  announcing_ = &data;
  for (TWinSkinForm* f : FrameList())
    if (&f->Data() == &data) f->TakeOverSkinData();
  Request(kRequestSkinChanged);
}

void TSkinManage::RunPendingRequest() {
  timer_->SetEnabled(false);
  int kind = std::exchange(pending_, 0);
  const bool newSkin = std::exchange(newSkinPending_, false);
  if (kind == kRequestActivate) Activate();
  else if (kind == kRequestDeactivate) Deactivate();
  if (kind == kRequestSkinChanged || newSkin) ApplyNewSkin();
}

void TSkinManage::Activate() {
  active_ = true;
  includeMdiChildren_ = true;
  const auto& forms = ui::App().Forms();
  for (size_t i = forms.size(); i-- > 0;)
    if (forms[i]->Handle()) SkinWindow(forms[i]->Handle());
  includeMdiChildren_ = false;
}

void TSkinManage::Deactivate() {
  active_ = false;
  while (!frames_.empty()) {
    std::unique_ptr<TWinSkinForm> frame = std::move(frames_.back());
    frames_.pop_back();
    HWND h = frame->Handle();
    frame->Restore();
    if (IsWindow(h)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void TSkinManage::ApplyNewSkin() {
  // SetWindowPos and RedrawWindow may activate a window, whose frame is
  // then appended (and made with the new skin): the loops visit the frames
  // there were, those still listed.
  const std::vector<TWinSkinForm*> frames = FrameList();
  auto listed = [this](const TWinSkinForm* f) { return FrameOf(f->Handle()) == f; };
  for (TWinSkinForm* f : frames)
    if (listed(f)) f->TakeOverSkinData();
  for (TWinSkinForm* f : frames) {
    if (!listed(f) || SkinGuarded([f] { f->ReapplySkin(); })) continue;
    // A window the new skin failed on is given back plain.
    if (std::unique_ptr<TWinSkinForm> frame = TakeFrame(f)) SkinGuarded([&] { frame->Restore(); });
  }
  if (TSkinData* d = std::exchange(announcing_, nullptr))
    if (d->OnSkinChanged) d->OnSkinChanged();
}

ui::Form* TSkinManage::FormOf(HWND window) {
  for (ui::Form* f : ui::App().Forms())
    if (f->Handle() == window) return f;
  return nullptr;
}

std::string TSkinManage::ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  int n = GetClassNameW(window, name, 256);
  return ui::Narrow(std::wstring_view(name, n > 0 ? static_cast<size_t>(n) : 0));
}

TSkinData* TSkinManage::ServingData(HWND window) const {
  TSkinData* found = nullptr;
  ui::Form* form = FormOf(window);
  for (TSkinData* d : components_)
    if (d->SkinFormtype == sfOnlyThisForm && form && d->Owner() == form) found = d;
  if (found) return found;
  std::string cls = Lower(ClassNameOf(window));
  if (cls == "tmessageform" || cls == "#32770") {
    for (TSkinData* d : components_)
      if (d->SkinFormtype == sfDialog) found = d;
    if (found) return found;
  }
  for (TSkinData* d : components_)
    if (d->SkinFormtype == sfMainform) found = d;
  if (found) return found;
  return components_.empty() ? nullptr : components_.front();
}

const TSkinData* TSkinManage::FirstMainComponent() const {
  for (TSkinData* d : components_)
    if (d->SkinFormtype == sfMainform) return d;
  return nullptr;
}

bool TSkinManage::MaySkinClass(const std::string& className) const {
  const TSkinData* d = FirstMainComponent();
  if (!d) return true;
  if (className == "TQRStandardPreview" || className == "SysMonthCal32" || className == "TppPrintPreview") return false;
  if (className.rfind("Tfr", 0) == 0 && Has(d->SkinControls, xcFastReport)) return false;
  if (!d->OnFormSkin) return true;
  bool doSkin = true;
  d->OnFormSkin(*const_cast<TSkinData*>(d), className, doSkin);
  return doSkin;
}

TWinSkinForm* TSkinManage::FrameOf(HWND window) const {
  for (const auto& f : frames_)
    if (f->Handle() == window) return f.get();
  return nullptr;
}

void TSkinManage::SkinWindow(HWND window) {
  // Whatever fails on the way (a component's OnFormSkin included) leaves
  // this window plain and the others as they are.
  SkinGuarded([&] { SkinWindowNow(window); });
}

void TSkinManage::SkinWindowNow(HWND window) {
  if (!active_ || !window || FrameOf(window)) return;
  if (std::find(attaching_.begin(), attaching_.end(), window) != attaching_.end()) return;
  LONG style = GetWindowLongW(window, GWL_STYLE);
  if ((style & WS_CHILD) && !includeMdiChildren_) {
    HWND parent = GetParent(window);
    if (parent && Lower(ClassNameOf(parent)) == "mdiclient") return;
  }
  RECT r{};
  GetWindowRect(window, &r);
  if (r.right <= r.left || r.bottom <= r.top) return;
  ui::Form* form = FormOf(window);
  if (form && form->Tag == 99) return;  // a fixed number, whatever DisableTag says
  std::string cls = ClassNameOf(window);
  if (cls == "TApplication" || !MaySkinClass(cls)) return;
  TSkinData* data = ServingData(window);
  if (!data || data->SkinNotLoaded()) return;
  // Listed only once attached whole: a failure on the way leaves the window
  // plain (Attach undoes what it did), with nothing in the list.
  auto frame = std::make_unique<TWinSkinForm>(*this, window, form, *data);
  attaching_.push_back(window);
  const bool attached = SkinGuarded([&] { frame->Attach(); });
  std::erase(attaching_, window);
  if (!attached || !IsWindow(window) || FrameOf(window)) return;
  frames_.push_back(std::move(frame));
  PostMessageW(window, TWinSkinForm::kSetupMessage, 0, 1000);
}

void TSkinManage::SkinPopupMenu(HWND window) {
  if (!active_) return;
  for (auto& p : popups_)
    if (p->Handle() == window) return;
  TSkinData* data = ServingData(window);
  if (!data || data->SkinNotLoaded()) return;
  popups_.push_back(std::make_unique<TWinSkinPopMenu>(window, *data));
  popupOpen_ = true;
}

void TSkinManage::WindowDestroyed(HWND window) {
  for (size_t i = popups_.size(); i-- > 0;) {
    if (popups_[i]->Handle() != window) continue;
    popups_[i]->Restore();
    popups_.erase(popups_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  if (popups_.empty()) popupOpen_ = false;
  for (size_t i = frames_.size(); i-- > 0;) {
    if (frames_[i]->Handle() != window) continue;
    std::unique_ptr<TWinSkinForm> frame = std::move(frames_[i]);
    frames_.erase(frames_.begin() + static_cast<std::ptrdiff_t>(i));
    frame->MarkDestroying();
    frame->Restore();
  }
}

bool TSkinManage::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  switch (code) {
    case HCBT_CREATEWND: {
      auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
      std::string cls = ClassNameOf(window);
      HWND parent = create->lpcs ? create->lpcs->hwndParent : nullptr;
      // Skinned windows draw their own scroll bars.
      if (Lower(cls) == "scrollbar" && parent && FrameOf(parent)) return true;
      if (cls == "#32768") SkinPopupMenu(window);
      break;
    }
    case HCBT_DESTROYWND:
      WindowDestroyed(window);
      break;
    case HCBT_ACTIVATE:
      started_ = true;
      SkinWindow(window);
      break;
    default:
      break;
  }
  return false;
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && g_manager) {
    bool refuse = false;
    // No error box from inside an activation (the box would be skinned in
    // turn): a window the hook fails on stays as it is.
    SkinGuarded([&] { refuse = g_manager->OnCbt(code, wParam, lParam); });
    if (refuse) return 10;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace skin
