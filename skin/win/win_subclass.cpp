#include "skin/win/win_subclass.h"

namespace skin::win32 {

namespace {

constexpr UINT_PTR kId = 1;
LONG_PTR g_chainProc = 0;  // the common controls' procedure heading a subclassed window's chain

LRESULT CALLBACK Anchor(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, Anchor, kId);
  return DefSubclassProc(h, msg, wParam, lParam);
}

}  // namespace

bool AddSubclass(HWND window, SUBCLASSPROC proc, void* self) {
  // Setting the anchor again only renews its data; it keeps its place.
  if (!SetWindowSubclass(window, Anchor, kId, 0)) return false;
  if (!g_chainProc) g_chainProc = GetWindowLongPtrW(window, GWLP_WNDPROC);
  return SetWindowSubclass(window, proc, kId, reinterpret_cast<DWORD_PTR>(self)) != FALSE;
}

void RemoveSubclass(HWND window, SUBCLASSPROC proc) {
  if (!IsWindow(window)) return;
  RemoveWindowSubclass(window, proc, kId);
  // Nothing subclassed the window after the chain: the anchor may go, and
  // the window has its own procedure back. Otherwise it stays until the
  // window is destroyed, and the later procedure keeps working.
  if (GetWindowLongPtrW(window, GWLP_WNDPROC) == g_chainProc) RemoveWindowSubclass(window, Anchor, kId);
}

}  // namespace skin::win32
