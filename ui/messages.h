// The layer's own window messages. Controls receive the notifications a
// skinner relies on (mouse enter and leave, enabled changed, dialog
// character, menu changed) and, reflected from their parent, the
// notifications the system sends to a parent about a child (CN_ = the
// parent's message number plus kCnBase), so that everything about one
// control passes through that control's message hook.
#pragma once

#include <windows.h>

namespace ui {

// One message as it travels through a control's message hook.
struct Message {
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
};

constexpr UINT kCmBase = 0xB000;
constexpr UINT CM_MOUSEENTER = kCmBase + 1;      // lParam: 0
constexpr UINT CM_MOUSELEAVE = kCmBase + 2;
constexpr UINT CM_ENABLEDCHANGED = kCmBase + 3;
constexpr UINT CM_DIALOGCHAR = kCmBase + 4;      // wParam: the character; result 1 = taken
constexpr UINT CM_DIALOGKEY = kCmBase + 5;       // wParam: the virtual key; result 1 = taken
constexpr UINT CM_MENUCHANGED = kCmBase + 6;     // to a form: its menus changed
constexpr UINT CM_VISIBLECHANGED = kCmBase + 7;
constexpr UINT CM_TEXTCHANGED = kCmBase + 8;
constexpr UINT CM_INVOKE = kCmBase + 9;          // application window: run queued calls
// Sent through the hook once, first thing in the destructor, while the
// control and its window are whole: skinners and frames detach on it,
// since a form-layer control's hook never sees its WM_DESTROY.
constexpr UINT CM_DESTROYING = kCmBase + 10;

constexpr UINT kCnBase = 0xBC00;
constexpr UINT CN_COMMAND = kCnBase + WM_COMMAND;
constexpr UINT CN_NOTIFY = kCnBase + WM_NOTIFY;
constexpr UINT CN_HSCROLL = kCnBase + WM_HSCROLL;
constexpr UINT CN_VSCROLL = kCnBase + WM_VSCROLL;
constexpr UINT CN_DRAWITEM = kCnBase + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = kCnBase + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLORBTN = kCnBase + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLOREDIT = kCnBase + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = kCnBase + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSTATIC = kCnBase + WM_CTLCOLORSTATIC;

}  // namespace ui
