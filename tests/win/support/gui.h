// Helpers for GUI tests: pump messages until a condition holds (or, to show
// that something does not happen, for a while), find controls, post keys
// and characters, click.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// Runs the application's message processing for about ms milliseconds.
void PumpFor(int ms);
// Pumps until the condition holds or ms pass; returns the condition.
template <class Cond>
bool PumpUntil(Cond cond, int ms = 1000) {
  DWORD end = GetTickCount() + ms;
  while (!cond()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return cond();
    PumpFor(5);
  }
  return true;
}
// Pumps until every message posted to this thread so far has been handled,
// and the characters that their keys posted in turn; false after ms.
bool PumpPosted(int ms = 2000);
// A child window (any depth) of the class with the text (empty: any text).
HWND FindChild(HWND parent, const wchar_t* className, const std::string& text = "");
// Posts a key press (down and up) to the window, as the keyboard would.
void PostKey(HWND target, WORD vk, bool alt = false);
// Posts typed characters to the window.
void PostChars(HWND target, const std::wstring& chars);
// Posts a left click at client coordinates.
void PostClick(HWND target, int x, int y);
// The visible popup-menu windows ("#32768") of this thread.
std::vector<HWND> OpenPopupMenus();
// Puts text on the clipboard (for paste tests).
void SetClipboardText(const std::wstring& text);
// The Unicode text on the clipboard, as UTF-8 ("" when there is none).
std::string ClipboardText();

}  // namespace testsupport
