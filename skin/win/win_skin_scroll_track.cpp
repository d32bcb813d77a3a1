// The scroll-bar skinner's own thumb drag: the control hears SB_THUMBTRACK
// while the thumb follows the mouse, then SB_THUMBPOSITION and SB_ENDSCROLL.
// The drag holds the mouse capture and ends on the button's release, on the
// loss of the capture, when the control or the skinner goes, and on
// WM_QUIT (posted again for the outer loop).
#include <windowsx.h>

#include "skin/win/win_skin_scroll.h"

namespace skin {

namespace {

// The cursor of a mouse message in screen coordinates, from the message
// itself (client coordinates for WM_MOUSEMOVE) rather than from the time
// it was taken from the queue.
POINT ScreenPoint(const MSG& msg) {
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.message == WM_MOUSEMOVE && msg.hwnd) ClientToScreen(msg.hwnd, &p);
  return p;
}

}  // namespace

bool TSkinScrollBar::TrackThumb(POINT screen) {
  bool horizontal = false;
  if (!OverBar(screen, &horizontal)) return false;
  RECT w{};
  GetWindowRect(hwnd_, &w);
  ScrollBarPlacement placement = Placement();
  const Rect bar = horizontal ? placement.horzBar : placement.vertBar;
  const ScrollBarGeometry g = Geometry(horizontal);
  const int along = horizontal ? screen.x - w.left - bar.left : screen.y - w.top - bar.top;
  if (ClassifyScrollPress(g, along) != ScrollPart::kThumb) return false;

  const ScrollInfo info = Info(horizontal);
  const int start = horizontal ? screen.x : screen.y;
  const HWND h = hwnd_;
  const UINT scrollMsg = horizontal ? WM_HSCROLL : WM_VSCROLL;
  const std::shared_ptr<bool> alive = alive_;
  tracking_ = true;
  trackHorizontal_ = horizontal;
  trackPosition_ = info.position;
  captureLost_ = false;
  SetCapture(h);
  Paint();

  int last = info.position;
  auto going = [&] { return *alive && Attached() && IsWindow(h) && !captureLost_ && GetCapture() == h; };
  MSG msg{};
  while (going()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      continue;
    }
    DispatchMessageW(&msg);
    if (!going()) break;
    const POINT p = ScreenPoint(msg);
    const int position =
        TrackPosition(info, g.trackLength, g.thumbLength, g.thumbOffset, (horizontal ? p.x : p.y) - start);
    if (position == last) continue;
    last = position;
    trackPosition_ = position;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = position;
    SetScrollInfo(h, horizontal ? SB_HORZ : SB_VERT, &si, FALSE);
    SendMessageW(h, scrollMsg, MAKEWPARAM(SB_THUMBTRACK, position), 0);
  }

  if (GetCapture() == h) ReleaseCapture();
  if (!*alive) return true;  // freed with its frame meanwhile
  tracking_ = false;
  if (Attached() && IsWindow(h)) {
    SendMessageW(h, scrollMsg, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
    PostMessageW(h, scrollMsg, SB_ENDSCROLL, 0);
    if (*alive && Attached()) Paint();
  }
  return true;
}

}  // namespace skin
