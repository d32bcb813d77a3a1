#include "tests/win/support/msgbox_answerer.h"

#include <algorithm>

#include "ui/wide.h"

namespace testsupport {
namespace {

MessageBoxAnswerer* g_current = nullptr;

std::string WindowText(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring w(n + 1, L'\0');
  w.resize(GetWindowTextW(h, w.data(), n + 1));
  return ui::Narrow(w);
}

// The box itself is not shown yet when it is activated, so the buttons'
// own visibility tells which of them it keeps.
bool HasButton(HWND box, int id) {
  HWND b = GetDlgItem(box, id);
  return b && (GetWindowLongW(b, GWL_STYLE) & WS_VISIBLE);
}

UINT ButtonsOf(HWND box) {
  bool ok = HasButton(box, IDOK), cancel = HasButton(box, IDCANCEL), yes = HasButton(box, IDYES),
       no = HasButton(box, IDNO), retry = HasButton(box, IDRETRY), abort = HasButton(box, IDABORT);
  if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
  if (abort) return MB_ABORTRETRYIGNORE;
  if (retry) return MB_RETRYCANCEL;
  if (ok && cancel) return MB_OKCANCEL;
  return MB_OK;
}

// The kept button drawn as the default one; else the dialog's default id.
int DefaultButtonOf(HWND box) {
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    HWND b = GetDlgItem(box, id);
    if (HasButton(box, id) && (GetWindowLongW(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) return id;
  }
  LRESULT def = SendMessageW(box, DM_GETDEFID, 0, 0);
  return HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
}

struct IconFinder {
  HICON icon = nullptr;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM p) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 31);
  if (_wcsicmp(cls, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    reinterpret_cast<IconFinder*>(p)->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

UINT IconOf(HWND box) {
  IconFinder f;
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&f));
  if (!f.icon) return 0;
  struct {
    LPCWSTR id;
    UINT flag;
  } const icons[] = {{IDI_HAND, MB_ICONERROR}, {IDI_QUESTION, MB_ICONQUESTION},
                     {IDI_EXCLAMATION, MB_ICONWARNING}, {IDI_ASTERISK, MB_ICONINFORMATION}};
  for (auto& i : icons)
    if (LoadIconW(nullptr, i.id) == f.icon) return i.flag;
  return 0;
}

BOOL CALLBACK HasEditChild(HWND child, LPARAM p) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 31);
  if (_wcsicmp(cls, L"Edit") == 0 || _wcsicmp(cls, L"ComboBox") == 0 || _wcsicmp(cls, L"ComboBoxEx32") == 0) {
    *reinterpret_cast<bool*>(p) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool IsMessageBox(HWND hwnd) {
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 31);
  if (wcscmp(cls, L"#32770") != 0 || !GetDlgItem(hwnd, 0xFFFF)) return false;
  bool edit = false;
  EnumChildWindows(hwnd, HasEditChild, reinterpret_cast<LPARAM>(&edit));
  return !edit;
}

MessageBoxAnswerer::MessageBoxAnswerer() : previous_(g_current) {
  g_current = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  if (hook_) UnhookWindowsHookEx(hook_);
  g_current = previous_;
}

void MessageBoxAnswerer::Plan(int button) {
  plan_.push_back([button](const MessageBoxRecord&) { return button; });
}

void MessageBoxAnswerer::Plan(std::function<int(const MessageBoxRecord&)> answer) {
  plan_.push_back(std::move(answer));
}

int MessageBoxAnswerer::Unplanned() const {
  return static_cast<int>(std::count_if(seen_.begin(), seen_.end(), [](auto& r) { return !r.planned; }));
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_current) {
    HWND h = reinterpret_cast<HWND>(wParam);
    // The box is activated before it has set its default button: read and
    // answer it once its own loop runs.
    if (IsMessageBox(h) && std::find(g_current->pending_.begin(), g_current->pending_.end(), h) ==
                               g_current->pending_.end()) {
      g_current->pending_.push_back(h);
      SetTimer(nullptr, 0, 1, Deferred);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxAnswerer::Deferred(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!g_current || g_current->pending_.empty()) return;
  HWND box = g_current->pending_.front();
  g_current->pending_.erase(g_current->pending_.begin());
  if (IsWindow(box)) g_current->OnActivate(box);
}

void MessageBoxAnswerer::OnActivate(HWND box) {
  if (std::find(handled_.begin(), handled_.end(), box) != handled_.end()) return;
  handled_.push_back(box);
  MessageBoxRecord r;
  r.owner = GetWindow(box, GW_OWNER);
  r.text = WindowText(GetDlgItem(box, 0xFFFF));
  r.caption = WindowText(box);
  r.icon = IconOf(box);
  r.buttons = ButtonsOf(box);
  r.defaultButton = DefaultButtonOf(box);
  int answer = r.defaultButton;
  if (!plan_.empty()) {
    auto planned = std::move(plan_.front());
    plan_.pop_front();
    r.planned = true;
    answer = planned(r);
  }
  if (!HasButton(box, answer)) answer = r.defaultButton;
  r.answer = answer;
  seen_.push_back(r);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}

}  // namespace testsupport
