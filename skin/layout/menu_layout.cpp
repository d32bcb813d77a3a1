#include "skin/layout/menu_layout.h"

#include <algorithm>

namespace skin {

int MenuBarStartX(const SkinModel& model, int barWidth) {
  if (!model.menuBar) return 6;
  const int start = model.menuBar->leftWidth + 4;
  return barWidth < start ? 12 : start;
}

std::vector<Rect> LayOutMenuBar(const SkinModel& model, Rect bar, const std::vector<int>& captionWidths) {
  std::vector<Rect> buttons;
  buttons.reserve(captionWidths.size());
  const int bottom = bar.top + std::max(bar.Height() - 1, 0);
  int x = bar.left + MenuBarStartX(model, bar.Width());
  for (int width : captionWidths) {
    const int right = x + std::max(width, 0) + kMenuBarItemPadding;
    // What does not fit the bar is cut at its end: the border beyond it
    // stays the border (a press there resizes the window).
    const int left = std::min(x, bar.right);
    buttons.push_back({left, bar.top, std::max(left, std::min(right, bar.right)), bottom});
    x = right;
  }
  return buttons;
}

int MenuBarItemAt(const std::vector<Rect>& buttons, int x, int y) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    const Rect& r = buttons[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

int PreviousBarItem(int index, int count) {
  if (count <= 0) return -1;
  return index <= 0 || index >= count ? count - 1 : index - 1;
}

int NextBarItem(int index, int count) {
  if (count <= 0) return -1;
  return index < 0 || index >= count - 1 ? 0 : index + 1;
}

int NextOpenableBarItem(int index, int step, const std::vector<bool>& openable) {
  const int count = static_cast<int>(openable.size());
  int at = index;
  for (int tried = 0; tried < count; ++tried) {
    at = step < 0 ? PreviousBarItem(at, count) : NextBarItem(at, count);
    if (at == index) return -1;
    if (openable[static_cast<size_t>(at)]) return at;
  }
  return -1;
}

Size MeasurePopupItem(Size measured, bool separator, bool win9x) {
  return {measured.width + 28, measured.height + (win9x && !separator ? 4 : 0)};
}

Size MeasureWindowMenuItem(int captionWidth, int shortcutWidth, int textHeight, bool separator, bool win9x) {
  const int width = captionWidth + shortcutWidth + 26;
  if (separator) return {width, 8};
  return {width, textHeight + 4 + (win9x ? 4 : 0)};
}

MenuItemLayout LayOutMenuItem(Rect item) {
  MenuItemLayout l;
  l.glyphBox = {item.left + 1, item.top + 1, item.left + 17, item.top + 17};
  l.captionArea = {l.glyphBox.right + 3, item.top, std::max(item.right - 1, l.glyphBox.right + 3), item.bottom};
  l.shortcutRight = item.right - 10;
  l.etchedLineY = item.top + 4;
  l.background = item.Offset(kPopupBorder, kPopupBorder);
  return l;
}

Rect CentreCaption(const MenuItemLayout& layout, int textHeight) {
  const Rect& a = layout.captionArea;
  const int top = a.top + (a.Height() - textHeight) / 2;
  return {a.left, top, a.right, top + textHeight};
}

Rect SeparatorSource(Rect frame, int itemHeight) {
  if (itemHeight >= frame.Height()) return frame;
  return {frame.left, frame.bottom - std::max(itemHeight, 0), frame.right, frame.bottom};
}

Rect PopupItemsClip(Size window) {
  const int right = std::max(window.width - kPopupBorder, kPopupBorder);
  const int bottom = std::max(window.height - kPopupBorder, kPopupBorder);
  return {kPopupBorder, kPopupBorder, right, bottom};
}

}  // namespace skin
