#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/commands.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/messages.h"
#include "ui/wide.h"

namespace ui {

Application::Application() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES |
                                           ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
}

Application& App() {
  static Application app;
  return app;
}

void Application::SetHint(std::string_view hint) {
  if (hint_ == hint) return;
  hint_ = std::string(hint);
  if (OnHint) OnHint();
}

std::string Application::ExeFolder() const {
  if (!exeFolder_.empty()) return exeFolder_;
  std::wstring path(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  size_t slash = path.find_last_of(L"\\/");
  return Narrow(path.substr(0, slash == std::wstring::npos ? 0 : slash + 1));
}

HWND Application::Handle() {
  if (handle_) return handle_;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TApplication";
  RegisterClassExW(&wc);
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", Wide(Title).c_str(), WS_POPUP, 0, 0,
                            0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  return handle_;
}

LRESULT CALLBACK Application::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case CM_INVOKE:
      Guarded([] { App().RunQueued(); });
      return 0;
    case WM_TIMER:
      Guarded([wParam] { RunCommand(static_cast<unsigned>(wParam)); });
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

Form* Application::ActiveForm() const {
  Control* c = Control::FromHandle(GetActiveWindow());
  for (Form* f : forms_)
    if (f == c) return f;
  return mainForm_;
}

void Application::DestroyForms() {
  for (auto& f : owned_) {
    if (f->OnDestroy) Guarded(f->OnDestroy);
  }
  while (!owned_.empty()) owned_.pop_back();
}

void Application::AddForm(Form* f) {
  forms_.push_back(f);
  if (!mainForm_) mainForm_ = f;
}

void Application::RemoveForm(Form* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
  if (mainForm_ == f) mainForm_ = nullptr;
}

void Application::FormCreated(Form* f) {
  if (f->OnCreate) Guarded(f->OnCreate);
}

// The message loop -----------------------------------------------------------

bool Application::PreTranslate(MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      Control* c = Control::FromHandleOrParent(msg.hwnd);
      if (!c) return false;
      WORD key = static_cast<WORD>(msg.wParam);
      ShiftState shift = ShiftState::Now();
      c->DoKeyDown(key, shift);
      if (key == 0) return true;
      msg.wParam = key;
      if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) {
        // Asked without the message, so that an edit does not switch to its
        // dialog mode (where Esc would close its parent).
        LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, key, 0);
        bool wanted = key == VK_TAB ? (code & DLGC_WANTTAB) != 0
                                    : (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
        Form* f = c->ParentForm();
        if (!wanted && f && f->DialogKey(key, shift)) return true;
      }
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      Control* c = Control::FromHandleOrParent(msg.hwnd);
      if (!c) return false;
      WORD key = static_cast<WORD>(msg.wParam);
      c->DoKeyUp(key, ShiftState::Now());
      if (key == 0) return true;
      msg.wParam = key;
      return false;
    }
    case WM_SYSCHAR: {
      Control* c = Control::FromHandleOrParent(msg.hwnd);
      Form* f = c ? c->ParentForm() : nullptr;
      return f && f->DialogChar(static_cast<wchar_t>(msg.wParam), true);
    }
    case WM_CHAR: {
      Control* c = Control::FromHandleOrParent(msg.hwnd);
      Form* f = c ? c->ParentForm() : nullptr;
      if (!f || msg.wParam < 0x20) return false;
      LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, 0);
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
      return f->DialogChar(static_cast<wchar_t>(msg.wParam), false);
    }
    default:
      return false;
  }
}

void Application::Dispatch(MSG& msg) {
  bool consumed = true;  // a key handler that failed has had the key
  Guarded([&] { consumed = PreTranslate(msg); });
  if (consumed) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    Dispatch(msg);
  }
  ProcessCloseRequests();
}

bool Application::HandleMessage() {
  MSG msg;
  if (!terminated_) {
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0) terminated_ = true;
    else if (r > 0) Dispatch(msg);
  }
  ProcessCloseRequests();
  return !terminated_;
}

void Application::ProcessCloseRequests() {
  std::vector<Form*> forms = forms_;
  for (Form* f : forms) {
    if (std::find(forms_.begin(), forms_.end(), f) == forms_.end()) continue;
    if (f->CloseRequested() && !f->Busy() && !f->Modal()) f->DoClose();
  }
}

void Application::Run() {
  terminated_ = false;
  if (mainForm_) mainForm_->Show();
  while (HandleMessage()) {
  }
}

void Application::Terminate() {
  terminated_ = true;
  PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes a loop waiting for a message
}

void Application::Post(std::function<void()> call) {
  queued_.push_back(std::move(call));
  PostMessageW(Handle(), CM_INVOKE, 0, 0);
}

void Application::RunQueued() {
  if (queued_.empty()) return;
  auto call = std::move(queued_.front());
  queued_.pop_front();
  if (call) call();
}

// The default error handler ----------------------------------------------------

std::string Application::WithFullStop(std::string_view text) {
  std::string s(text);
  auto endsWith = [&](std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (!endsWith(".") && !endsWith("。")) s += ".";
  return s;
}

void Application::HandleException(const std::exception& e) { ShowError(e.what()); }

void Application::HandleCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      HandleException(e);
    } catch (...) {
      ShowError("未知错误");
    }
  } catch (...) {
    // The error box itself failed (out of memory): nothing more can be shown.
  }
}

void Application::ShowError(std::string_view text) {
  Form* owner = ActiveForm();
  if (owner && !IsWindowVisible(owner->Handle())) owner = nullptr;
  ShowMessageBox(owner, WithFullStop(text), MB_OK | MB_ICONERROR);
}

int ShowMessageBox(const Control* owner, std::string_view text, UINT flags, std::string_view caption) {
  const std::wstring title = Wide(caption.empty() ? std::string_view(App().Title) : caption);
  return MessageBoxW(owner ? owner->Handle() : nullptr, Wide(text).c_str(), title.c_str(), flags);
}

}  // namespace ui
