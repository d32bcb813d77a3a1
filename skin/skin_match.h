// Which kinds of window parts and controls a skin component skins.
#pragma once

#include <cstdint>

namespace skin {

enum TSkinControlType : int { xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
  xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab,
  xcFastReport };
using SkinControlSet = uint32_t;  // bit n = element n
inline constexpr SkinControlSet SkinBit(TSkinControlType t) { return 1u << t; }
inline constexpr SkinControlSet kDefaultSkinControls = ((1u << 18) - 1) & ~SkinBit(xcFastReport);
inline bool Has(SkinControlSet s, TSkinControlType t) { return (s & SkinBit(t)) != 0; }

}  // namespace skin
