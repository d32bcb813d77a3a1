// Subclassing through the common controls (SetWindowSubclass), so that a
// skin's procedure comes out of the chain at restore even when something
// else subclassed the window after it. Wine's comctl32 puts the window's
// first procedure back when its last subclass goes, which would drop a
// procedure set later with SetWindowLongPtr: a pass-through anchor then
// stays on the window until it is destroyed, so that the last one never
// goes (without a later procedure the anchor goes too).
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace skin::win32 {

// Adds `proc` (with `self` as its reference data); false when it cannot.
bool AddSubclass(HWND window, SUBCLASSPROC proc, void* self);
// Takes `proc` out of the chain, wherever it stands in it.
void RemoveSubclass(HWND window, SUBCLASSPROC proc);

}  // namespace skin::win32
