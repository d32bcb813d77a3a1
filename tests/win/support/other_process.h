// Driving a program that runs as a process of its own, through its windows
// only: finding them, reading a tool bar's buttons in that process's
// memory, answering its message boxes and clicking as the mouse does.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Polls the condition (without pumping this thread's messages) until it
// holds or ms pass; returns the condition.
template <class Cond>
bool WaitUntil(Cond cond, int ms = 10000) {
  DWORD end = GetTickCount() + ms;
  while (!cond()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return cond();
    Sleep(10);
  }
  return true;
}

// The visible top-level window of the process with that class ("#32770" for
// a message box), or null.
HWND VisibleWindowOf(DWORD process, const wchar_t* className);
// The window's text, UTF-8 (read across processes by WM_GETTEXT).
std::string TextOf(HWND window);
// The visible child of that class whose text begins with `prefix`.
HWND ChildWithText(HWND parent, const wchar_t* className, const std::string& prefix);
// The visible single-line edit box inside `parent`.
HWND SingleLineEdit(HWND parent);
// The screen rectangle of the tool-bar button showing image `image`, read
// in the tool bar's own process; empty when there is none.
RECT ToolButtonScreenRect(HWND toolbar, int image);
// The tool bar of `parent` that has a button with image `image`.
HWND ToolBarWithImage(HWND parent, int image);
// The text of a ComboBoxEx item, read in the combo's own process.
std::string ComboBoxExItemText(HWND combo, int index);
// Posts a left click to the window at a screen point, as the mouse gives it
// (whatever window is in front and wherever the cursor is).
void PostClick(HWND window, POINT screen);
// The centre of a rectangle.
POINT Centre(const RECT& r);
// Posts what a click at `screen` on the window's close button gives it: the
// non-client press and release there, and the release the system's own
// close-button tracking waits for.
void PostCloseButtonClick(HWND window, POINT screen);
// A screen point where the window's frame answers HTCLOSE, or {-1, -1}.
POINT CloseButtonPoint(HWND window);

}  // namespace testsupport
