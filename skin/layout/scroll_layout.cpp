#include "skin/layout/scroll_layout.h"

#include <algorithm>
#include <cstdint>

namespace skin {
namespace {

// An inverted rectangle collapsed onto its top-left corner.
Rect Collapsed(Rect r) { return {r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)}; }

// The part of a bar from `from` to `to` along it, across its whole thickness.
Rect Along(bool horizontal, int from, int to, int thickness) {
  return horizontal ? Rect{from, 0, to, thickness} : Rect{0, from, thickness, to};
}

int MulDivRounded(int64_t a, int64_t b, int64_t c) { return static_cast<int>((2 * a * b + c) / (2 * c)); }

}  // namespace

ScrollBarPlacement PlaceScrollBars(Rect window, Size client, int arrow, bool horizontal, bool vertical) {
  ScrollBarPlacement p;
  p.horizontal = horizontal;
  p.vertical = vertical;
  p.visible = (horizontal || vertical) && window.Width() <= kMaxScrollWindowSize &&
              window.Height() <= kMaxScrollWindowSize;
  if (!p.visible) return p;
  const int b = arrow;
  const int aH = std::max(0, (window.Height() - client.height - b) / 2);
  const int aV = std::max(0, (window.Width() - client.width - b) / 2);
  const int both = horizontal && vertical ? b : 0;
  if (horizontal)
    p.horzBar = Collapsed({window.left + aH, window.bottom - aH - b, window.right - aH - both, window.bottom - aH});
  if (vertical)
    p.vertBar = Collapsed({window.right - aV - b, window.top + aV, window.right - aV, window.bottom - aV - both});
  if (both) p.corner = Collapsed({p.horzBar.right, p.vertBar.bottom, p.vertBar.right, p.horzBar.bottom});
  return p;
}

int ThumbLength(const ScrollInfo& info, int track, const ScrollMetrics& metrics) {
  const int range = info.Range();
  if (range <= 0 || track <= 0) return 0;
  int length = info.page <= 0 ? metrics.systemThumb
                              : std::max(MulDivRounded(info.page, track, range), metrics.minThumb);
  length = std::min(length, track);
  if (info.page == range) --length;
  return std::max(length, 0);
}

int ThumbOffset(const ScrollInfo& info, int track, int thumbLength, int position) {
  const int range = info.Range();
  const int room = track - thumbLength;
  const int divisor = range - std::max(info.page, 0);
  if (range <= 0 || info.page == range || room <= 0 || divisor <= 0) return 0;
  const int64_t offset = static_cast<int64_t>(position - info.min) * room / divisor;
  return static_cast<int>(std::clamp<int64_t>(offset, 0, room));
}

ScrollBarGeometry LayOutScrollBar(int length, int thickness, bool horizontal, const ScrollInfo& info,
                                  int position, const ScrollMetrics& metrics) {
  ScrollBarGeometry g;
  const int b = metrics.arrow;
  g.length = std::max(length, 0);
  g.arrowLength = g.length < 2 * b ? g.length / 2 : b;
  g.trackLength = g.length - 2 * b;
  g.firstArrow = Along(horizontal, 0, g.arrowLength, thickness);
  g.secondArrow = Along(horizontal, g.length - g.arrowLength, g.length, thickness);
  g.track = Along(horizontal, g.arrowLength, g.length - g.arrowLength, thickness);
  g.thumbLength = ThumbLength(info, g.trackLength, metrics);
  g.hasThumb = g.thumbLength > 0 && g.trackLength >= g.thumbLength;
  if (!g.hasThumb) {
    g.thumbLength = 0;
    return g;
  }
  g.thumbOffset = ThumbOffset(info, g.trackLength, g.thumbLength, position);
  g.thumb = Along(horizontal, b + g.thumbOffset, b + g.thumbOffset + g.thumbLength, thickness);
  return g;
}

ScrollPart ClassifyScrollPress(const ScrollBarGeometry& bar, int along) {
  if (along < 0 || along >= bar.length) return ScrollPart::kNone;
  if (along < bar.arrowLength) return ScrollPart::kLineUp;
  if (along >= bar.length - bar.arrowLength) return ScrollPart::kLineDown;
  if (bar.hasThumb) {
    const int thumbStart = bar.arrowLength + bar.thumbOffset;
    if (along < thumbStart) return ScrollPart::kPageUp;
    if (along < thumbStart + bar.thumbLength) return ScrollPart::kThumb;
  }
  return ScrollPart::kPageDown;
}

ScrollPart PressedPartFromScrollCode(int code) {
  switch (code) {
    case kSbLineUp: return ScrollPart::kLineUp;
    case kSbLineDown: return ScrollPart::kLineDown;
    case kSbThumbTrack: return ScrollPart::kThumb;
    default: return ScrollPart::kNone;
  }
}

int ScrollArrowFrame(bool horizontal, bool second, bool pressed) {
  return (horizontal ? 1 : 9) + (second ? 4 : 0) + (pressed ? 1 : 0);
}

int TrackPosition(const ScrollInfo& info, int track, int thumbLength, int offsetAtPress, int movement) {
  const int range = info.Range();
  int64_t offset = std::max<int64_t>(0, static_cast<int64_t>(offsetAtPress) + movement);
  int64_t position = info.min;
  if (info.page > 0) {
    offset = std::min<int64_t>(offset, track);
    if (track > 0) position += offset * range / track;
    position = std::min<int64_t>(position, static_cast<int64_t>(info.max) - info.page + 1);
  } else {
    const int room = track - thumbLength;
    offset = std::min<int64_t>(offset, room);
    if (room > 0) position += offset * range / room;
    position = std::min<int64_t>(position, info.max);
  }
  return static_cast<int>(std::max<int64_t>(position, info.min));
}

}  // namespace skin
