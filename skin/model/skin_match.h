// Which control skinner a window part gets: the rows that match a form's
// components by class name, ancestry, Tag and style, each row tied to one
// element of the skin component's SkinControls set, and the rows that
// match the child windows of a bare (foreign) window by window class.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace skin {

enum TSkinControlType : int {
  xcMainMenu,
  xcPopupMenu,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcFastReport
};
using SkinControlSet = uint32_t;  // bit n = element n
inline constexpr SkinControlSet SkinBit(TSkinControlType t) { return 1u << t; }
inline constexpr SkinControlSet kDefaultSkinControls = ((1u << 18) - 1) & ~SkinBit(xcFastReport);
inline bool Has(SkinControlSet s, TSkinControlType t) { return (s & SkinBit(t)) != 0; }

enum class SkinnerKind {
  None,
  ToolbarFlatTransparent,
  Tab,
  MatchOwnComponents,
  CheckBox,
  TrackBar,
  UpDown,
  RadioGroup /* box + a radio skinner per child */,
  Box,
  BoxThenOwnComponents,
  ToolbarFlat,
  StatusBar,
  ComBox,
  Edit,
  ScrollBar,
  BitButton,
  ListView,
  Button,
  InnerForm /* colour + match own components */
};

struct ComponentFacts {
  std::string className;                               // the component's class name, any case (compared upper-cased)
  std::function<bool(std::string_view)> inheritsFrom;  // "a TXxx" rows: exact toolkit names, e.g. "TCustomCheckBox"
  int tag = 0;
  uint32_t style = 0;        // window style (the WS_VSCROLL 0x00200000 / WS_HSCROLL 0x00100000 bits matter)
  bool showsUpDown = false;  // a date-time picker with an up-down control
};
// The first row of the form-component table that applies; None also for
// Tag mod 100 == disableTag. A row applies when its condition holds and its
// element is in `set`; a component no row applies to keeps the system look.
SkinnerKind MatchComponent(const ComponentFacts& c, SkinControlSet set, bool skinHasTabs, int disableTag);

enum class BareSkinnerKind { None, CheckBox, RadioButton, Button, ComBox, ComBoxOnFirstChild, Sizer, Tab, Edit };
// The bare-window child table (class name any case, compared lower-cased;
// the "button" rows tried in order). The caller passes only child windows
// that have the child style and no skinner yet.
BareSkinnerKind MatchChildWindow(std::string_view className, uint32_t style, bool hasFirstChild);

}  // namespace skin
