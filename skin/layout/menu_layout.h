// Layout arithmetic of the skinned menu bar and of owner-drawn popup menu
// items, kept free of Win32: the Win32 menu code measures the captions with
// the menu font and asks these functions where buttons, glyph boxes,
// captions and separators go.
#pragma once

#include <vector>

#include "skin/image/bitmap.h"
#include "skin/model/skin_model.h"

namespace skin {

inline constexpr int kMenuBarItemPadding = 10;  // added to a bar caption's text width
inline constexpr int kPopupBorder = 3;          // the skinned border of a popup menu window

// Where the first menu-bar button starts, from the bar's left edge: with a
// menu bar element, its left width + 4, or 12 when the bar is narrower than
// that; without the element, 6.
int MenuBarStartX(const SkinModel& model, int barWidth);

// The menu-bar buttons, left to right from MenuBarStartX, one per caption
// text width: each that width + 10 wide and one pixel less high than the
// bar, cut at the bar's right end (a button past it is empty). Rectangles
// are in the coordinates `bar` is given in.
std::vector<Rect> LayOutMenuBar(const SkinModel& model, Rect bar, const std::vector<int>& captionWidths);

// The index of the button containing (x, y), or -1.
int MenuBarItemAt(const std::vector<Rect>& buttons, int x, int y);

// The bar item the Left and Right arrow keys open from `index` among
// `count`, wrapping round at either end; -1 when the bar is empty.
int PreviousBarItem(int index, int count);
int NextBarItem(int index, int count);
// The next item before (step < 0) or after `index` that opens a menu
// (`openable`: enabled and with items), skipping the others and wrapping
// round; -1 when no other item opens one.
int NextOpenableBarItem(int index, int step, const std::vector<bool>& openable);

// The size an owner-drawn popup item asks for, from the size measured for
// its caption: 28 pixels wider, and on Windows 9x systems 4 pixels higher
// unless it is a separator.
Size MeasurePopupItem(Size measured, bool separator, bool win9x);

// The size of an owner-drawn window-menu item: caption and shortcut text
// widths + 26 wide; a separator is 8 high, any other item the text height
// + 4, and 4 more on Windows 9x systems.
Size MeasureWindowMenuItem(int captionWidth, int shortcutWidth, int textHeight, bool separator, bool win9x);

// The parts of an owner-drawn popup item with rectangle `item`.
struct MenuItemLayout {
  Rect glyphBox;       // 16 × 16 at the item's top-left corner plus 1
  Rect captionArea;    // from the glyph box's right + 3 to the item's right − 1
  int shortcutRight = 0;  // the shortcut text ends here, 10 pixels before the right edge
  int etchedLineY = 0;    // the separator line without the MenuItem image
  Rect background;     // the item's part of the popup window's painted background
};
MenuItemLayout LayOutMenuItem(Rect item);

// The caption's rectangle, `textHeight` high and centred vertically in the
// caption area.
Rect CentreCaption(const MenuItemLayout& layout, int textHeight);

// The part of the MenuItem image's separator frame drawn for a separator
// `itemHeight` high: the lower part of `frame`, that high, or the whole
// frame when the item is higher.
Rect SeparatorSource(Rect frame, int itemHeight);

// The area of a popup window of `window` size left to its items: all of it
// less the skinned border on each side.
Rect PopupItemsClip(Size window);

}  // namespace skin
