// Geometry of the skinned scroll bars: where a control's bars lie in its
// window, the arrows, track and thumb along one bar, which part a press
// hits, and the scroll position while the skinner drags the thumb itself.
// Free of Win32, so the Win32 skinner only reads window rectangles and
// scroll information and asks these functions.
#pragma once

#include "skin/image/bitmap.h"

namespace skin {

// A bar's scroll information, as SCROLLINFO carries it.
struct ScrollInfo {
  int min = 0;
  int max = 0;
  int page = 0;
  int position = 0;
  int trackPosition = 0;
  int Range() const { return max - min; }
};

// Win32 scroll request codes the skinner reads and sends (SB_ values).
inline constexpr int kSbLineUp = 0;
inline constexpr int kSbLineDown = 1;
inline constexpr int kSbThumbPosition = 4;
inline constexpr int kSbThumbTrack = 5;
inline constexpr int kSbEndScroll = 8;

inline constexpr int kMinThumbLength = 8;          // the smallest thumb a page gives
inline constexpr int kScrollBitmapThickness = 16;  // bars are composed this thick, then stretched
inline constexpr int kMaxScrollWindowSize = 10000;  // larger windows get no skinned bars

// Where the bars of one control lie, in the coordinates of its window
// rectangle.
struct ScrollBarPlacement {
  bool visible = false;  // false: nothing to draw
  bool horizontal = false, vertical = false;
  Rect horzBar, vertBar;
  Rect corner;  // the square between both bars, when both show
};

// Places the bars of a window whose rectangle is `window` and whose client
// area is `client` large; `arrow` is the system's scroll-arrow length. The
// edge between a bar and the window's outside is half of what the window's
// width (vertical bar) or height (horizontal bar) leaves after the client
// area and the arrow, never below 0. Each bar is shortened by the arrow
// length where it meets the other. Nothing is visible when neither bar
// shows or the window is over 10000 pixels wide or high.
ScrollBarPlacement PlaceScrollBars(Rect window, Size client, int arrow, bool horizontal, bool vertical);

struct ScrollMetrics {
  int arrow = 0;                      // system arrow length b
  int systemThumb = 0;                // the system's thumb length, used when there is no page
  int minThumb = kMinThumbLength;     // half the arrow on Windows 9x systems
};

// Thumb length on a track of `track` pixels: page × track ÷ range,
// rounded, at least the minimum; the system thumb when there is no page;
// at most the track; one pixel shorter when the page spans the whole range.
// 0 (no thumb) when the range is not above 0 or the track has no length.
int ThumbLength(const ScrollInfo& info, int track, const ScrollMetrics& metrics);

// Thumb offset from the track's start for `position`: (position − min) ×
// (track − length) ÷ (range − page), kept inside the track; 0 when the page
// spans the range.
int ThumbOffset(const ScrollInfo& info, int track, int thumbLength, int position);

// One bar laid out along its length; coordinates run from the bar's start
// (left or top) and across its thickness.
struct ScrollBarGeometry {
  int length = 0;
  int arrowLength = 0;  // b, or half the bar when the bar is shorter than 2b
  int trackLength = 0;  // bar length − 2b
  bool hasThumb = false;
  int thumbOffset = 0, thumbLength = 0;  // the thumb lies at b + offset
  Rect firstArrow, secondArrow;  // left or up, right or down
  Rect track;                    // between the arrows
  Rect thumb;                    // empty without a thumb
};

// Lays out a bar `length` long and `thickness` thick, horizontal or
// vertical, with the thumb at `position`.
ScrollBarGeometry LayOutScrollBar(int length, int thickness, bool horizontal, const ScrollInfo& info,
                                  int position, const ScrollMetrics& metrics);

enum class ScrollPart { kNone, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

// The part a press `along` pixels from the bar's start hits: the first
// arrow, the track before the thumb, the thumb, the track after it, the
// second arrow; kNone past the bar.
ScrollPart ClassifyScrollPress(const ScrollBarGeometry& bar, int along);

// The part shown pressed while a scroll request of `code` is handled: the
// arrows for line up and down, the thumb while it tracks, else none.
ScrollPart PressedPartFromScrollCode(int code);

// Frame (from 1) of the 23-frame Scrollbar image for an arrow: left 1,
// right 5, up 9, down 13, each one further while pressed.
int ScrollArrowFrame(bool horizontal, bool second, bool pressed);

// The scroll position while the thumb is dragged: the thumb's offset at the
// press moved by the cursor's `movement` along the bar, not below 0. With a
// page the offset stays within the track and maps the track onto the range,
// up to max − page + 1; without a page it stays within the room the thumb
// leaves and maps that room onto the range, up to max. Never below min.
int TrackPosition(const ScrollInfo& info, int track, int thumbLength, int offsetAtPress, int movement);

}  // namespace skin
