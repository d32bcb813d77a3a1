#include "tests/win/support/other_process.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "ui/wide.h"

namespace testsupport {

namespace {

struct WindowSearch {
  DWORD process;
  const wchar_t* cls;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<WindowSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 63);
  if (pid != s->process || wcscmp(cls, s->cls) != 0 || !IsWindowVisible(h)) return TRUE;
  s->found = h;
  return FALSE;
}

template <class Match>
HWND FindVisibleChild(HWND parent, Match match) {
  struct State {
    Match* match;
    HWND found = nullptr;
  } state{&match};
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<State*>(p);
        // The window's own bit: a skinned frame clears its top window's bit
        // for a moment while the system paints, which hides every child.
        if (!(GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) || !(*s->match)(h)) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&state));
  return state.found;
}

bool HasClass(HWND h, const wchar_t* className) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 63);
  return _wcsicmp(cls, className) == 0;
}

// A block of memory in another process, freed with its owner.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size)
      : process_(process), at_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  void* at() const { return at_; }
  template <class T>
  bool Write(const T& value) const {
    SIZE_T put = 0;
    return WriteProcessMemory(process_, at_, &value, sizeof(T), &put) && put == sizeof(T);
  }
  template <class T>
  bool Read(T* out) const {
    SIZE_T got = 0;
    return ReadProcessMemory(process_, at_, out, sizeof(T), &got) && got == sizeof(T);
  }

 private:
  HANDLE process_;
  void* at_;
};

// The process of a window, opened for reading and writing its memory.
class WindowProcess {
 public:
  explicit WindowProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    handle_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  }
  ~WindowProcess() {
    if (handle_) CloseHandle(handle_);
  }
  WindowProcess(const WindowProcess&) = delete;
  WindowProcess& operator=(const WindowProcess&) = delete;
  HANDLE handle() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// The index of the tool-bar button showing `image`, or -1.
int ButtonIndexWithImage(HWND toolbar, HANDLE process, int image) {
  RemoteBlock block(process, sizeof(TBBUTTON));
  if (!block.at()) return -1;
  int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    if (!SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(block.at())) || !block.Read(&b)) continue;
    if (!(b.fsStyle & BTNS_SEP) && b.iBitmap == image) return i;
  }
  return -1;
}

}  // namespace

HWND VisibleWindowOf(DWORD process, const wchar_t* className) {
  WindowSearch s{process, className};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1023);
  return ui::Narrow(text);
}

HWND ChildWithText(HWND parent, const wchar_t* className, const std::string& prefix) {
  return FindVisibleChild(parent, [&](HWND h) { return HasClass(h, className) && TextOf(h).rfind(prefix, 0) == 0; });
}

HWND SingleLineEdit(HWND parent) {
  return FindVisibleChild(
      parent, [](HWND h) { return HasClass(h, L"Edit") && !(GetWindowLongW(h, GWL_STYLE) & ES_MULTILINE); });
}

HWND ToolBarWithImage(HWND parent, int image) {
  return FindVisibleChild(parent, [&](HWND h) {
    if (!HasClass(h, TOOLBARCLASSNAMEW)) return false;
    WindowProcess process(h);
    return process.handle() && ButtonIndexWithImage(h, process.handle(), image) >= 0;
  });
}

RECT ToolButtonScreenRect(HWND toolbar, int image) {
  RECT r{};
  WindowProcess process(toolbar);
  if (!process.handle()) return r;
  int index = ButtonIndexWithImage(toolbar, process.handle(), image);
  RemoteBlock block(process.handle(), sizeof(RECT));
  if (index < 0 || !block.at()) return r;
  if (!SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.at())) || !block.Read(&r))
    return RECT{};
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string ComboBoxExItemText(HWND combo, int index) {
  WindowProcess process(combo);
  if (!process.handle()) return {};
  // The item and its text buffer, side by side in the other process.
  struct Remote {
    COMBOBOXEXITEMW item;
    wchar_t text[512];
  };
  RemoteBlock block(process.handle(), sizeof(Remote));
  if (!block.at()) return {};
  Remote r{};
  r.item.mask = CBEIF_TEXT;
  r.item.iItem = index;
  r.item.pszText = static_cast<Remote*>(block.at())->text;
  r.item.cchTextMax = 511;
  if (!block.Write(r) || !SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.at())) ||
      !block.Read(&r))
    return {};
  r.text[511] = 0;
  return ui::Narrow(r.text);
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void PostClick(HWND window, POINT screen) {
  POINT p = screen;
  ScreenToClient(window, &p);
  LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, at);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
}

void PostCloseButtonClick(HWND window, POINT screen) {
  LPARAM at = MAKELPARAM(screen.x, screen.y);
  PostMessageW(window, WM_NCMOUSEMOVE, HTCLOSE, at);
  PostMessageW(window, WM_NCLBUTTONDOWN, HTCLOSE, at);
  PostMessageW(window, WM_NCLBUTTONUP, HTCLOSE, at);
  POINT client = screen;
  ScreenToClient(window, &client);
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}

POINT CloseButtonPoint(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  RECT hit{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (int y = r.top; y < r.top + 48 && y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2)
      if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        hit = {std::min(hit.left, LONG(x)), std::min(hit.top, LONG(y)), std::max(hit.right, LONG(x)),
               std::max(hit.bottom, LONG(y))};
      }
  if (hit.left > hit.right) return {-1, -1};
  return Centre(hit);
}

}  // namespace testsupport
