// Control art: push buttons, check boxes, radio buttons, scroll bars,
// header, status bar, progress, tabs, combo box, sunken edge, up-down,
// group box, tool bar buttons and the menus.
#pragma once

#include "tools/skin_pack/art_canvas.h"
#include "tools/skin_pack/art_style.h"

namespace art {

// Each returns the image strip the description names; frame sizes and
// counts are given with each.
Bitmap DrawPushButton(const Style& s);   // 5 × 64×24: normal, pressed, disabled, hot, default
Bitmap DrawCheckBox(const Style& s);     // 6 × 13×13: off, on, disabled, hot, hot on, disabled on
Bitmap DrawRadioButton(const Style& s);  // 6 × 13×13, as the check box
Bitmap DrawScrollArrows(const Style& s); // 23 × 16×16: left, right, up, down × (normal, pressed, hot, disabled), blanks
Bitmap DrawScrollShaft(const Style& s, bool vertical);  // 4 frames, 32×16 or 16×32
Bitmap DrawScrollThumb(const Style& s, bool vertical);  // 3 frames, 32×16 or 16×32: normal, dragged, hot
Bitmap DrawHeader(const Style& s);       // 5 × 40×20
Bitmap DrawStatusEdges(const Style& s);  // 3 × 20×20: lowered, raised, flat
Bitmap DrawProgress(const Style& s);     // 2 × 40×16: trough, bar
Bitmap DrawTabs(const Style& s);         // 5 × 40×22: normal, selected, hot, disabled, selected hot
Bitmap DrawTabBorder(const Style& s);    // 40×40, 3-pixel edges
Bitmap DrawComboButton(const Style& s);  // 4 × 17×20: normal, hot, pressed, disabled
Bitmap DrawComboArrow(const Style& s);   // 5 × 9×9
Bitmap DrawSunkenEdge(const Style& s);   // 4 × 20×20: normal, hot, focused, disabled
Bitmap DrawUpDown(const Style& s, bool vertical);       // 8 frames: first button then second × 4 states
Bitmap DrawUpDownGlyphs(const Style& s, bool vertical); // 4 × 7×7: arrows normal, hot, pressed, disabled (first then second)
Bitmap DrawGroupBox(const Style& s);     // 2 × 20×20
Bitmap DrawToolbarButton(const Style& s);// 5 × 40×24: normal, pressed, disabled, hot, checked

Bitmap DrawMenuBar(const Style& s);         // 2 stacked × 40×20: active, inactive
Bitmap DrawMenuItem(const Style& s);        // 5 × 40×20: plain, separator, -, selected, -
Bitmap DrawMenuBackground(const Style& s);  // 40×40, 3-pixel border

}  // namespace art
