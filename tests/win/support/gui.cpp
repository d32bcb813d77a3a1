#include "tests/win/support/gui.h"

#include <memory>

#include "ui/application.h"
#include "ui/wide.h"

namespace testsupport {

void PumpFor(int ms) {
  DWORD end = GetTickCount() + ms;
  do {
    ui::App().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (static_cast<int>(end - GetTickCount()) > 0);
  ui::App().ProcessMessages();
}

bool PumpPosted(int ms) {
  // Posted messages come in the order they were posted: a marker posted
  // behind them comes through after them. A key's character is posted
  // while the key is handled, behind the first marker: a second one waits
  // for it.
  for (int round = 0; round < 2; ++round) {
    auto through = std::make_shared<bool>(false);
    ui::App().Post([through] { *through = true; });
    if (!PumpUntil([&] { return *through; }, ms)) return false;
  }
  return true;
}

namespace {
struct Search {
  const wchar_t* cls;
  std::wstring text;
  bool anyText;
  HWND found = nullptr;
};
BOOL CALLBACK Match(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  wchar_t cls[64] = {}, text[512] = {};
  GetClassNameW(h, cls, 63);
  GetWindowTextW(h, text, 511);
  if (_wcsicmp(cls, s->cls) == 0 && (s->anyText || s->text == text)) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindChild(HWND parent, const wchar_t* className, const std::string& text) {
  Search s{className, ui::Wide(text), text.empty()};
  EnumChildWindows(parent, Match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void PostKey(HWND target, WORD vk, bool alt) {
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (scan << 16) | (alt ? (1 << 29) : 0);
  LPARAM up = down | (1u << 30) | (1u << 31);
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, down);
  PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, up);
}

void PostChars(HWND target, const std::wstring& chars) {
  for (wchar_t c : chars) PostMessageW(target, WM_CHAR, c, 1);
}

void PostClick(HWND target, int x, int y) {
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void SetClipboardText(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(mem), text.c_str(), bytes);
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
}

std::string ClipboardText() {
  std::string out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    out = ui::Narrow(static_cast<const wchar_t*>(GlobalLock(h)));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return out;
}

std::vector<HWND> OpenPopupMenus() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM p) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(h, name, 16);
        if (std::wstring(name) == L"#32768" && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace testsupport
