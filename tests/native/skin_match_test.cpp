// Which control skinner a form's component or a foreign window's child gets:
// the disable tag, the element bits each row needs, and the row order.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "skin/model/skin_match.h"

namespace {

using namespace skin;

// A component of class `name` that descends from `bases` (the class itself
// included, as the toolkit's ancestry test has it).
ComponentFacts Component(std::string name, std::initializer_list<const char*> bases = {}, int tag = 0,
                         uint32_t style = 0) {
  ComponentFacts c;
  std::vector<std::string> all(bases.begin(), bases.end());
  all.push_back(name);
  c.inheritsFrom = [all](std::string_view base) {
    for (const std::string& b : all)
      if (b == base) return true;
    return false;
  };
  c.className = std::move(name);
  c.tag = tag;
  c.style = style;
  return c;
}

SkinnerKind Match(const ComponentFacts& c, SkinControlSet set = kDefaultSkinControls, bool tabs = true) {
  return MatchComponent(c, set, tabs, 99);
}

const std::initializer_list<const char*> kButtonBases = {"TButtonControl", "TWinControl"};

TEST(SkinMatch, DefaultSetAndDisableTag) {
  EXPECT_EQ(kDefaultSkinControls, 0x1FFFFu);
  EXPECT_FALSE(Has(kDefaultSkinControls, xcFastReport));
  EXPECT_TRUE(Has(kDefaultSkinControls, xcTab));

  ComponentFacts button = Component("TButton", kButtonBases);
  EXPECT_EQ(Match(button), SkinnerKind::Button);
  for (int tag : {99, 199, 299}) {
    button.tag = tag;
    EXPECT_EQ(Match(button), SkinnerKind::None) << tag;
  }
  button.tag = 98;
  EXPECT_EQ(Match(button), SkinnerKind::Button);
  button.tag = 105;
  EXPECT_EQ(MatchComponent(button, kDefaultSkinControls, true, 5), SkinnerKind::None);
  button.tag = 99;
  EXPECT_EQ(MatchComponent(button, kDefaultSkinControls, true, 5), SkinnerKind::Button);
  // The disable tag comes before rows that need no element.
  EXPECT_EQ(Match(Component("TToolBar", {}, 199)), SkinnerKind::None);
}

TEST(SkinMatch, RowsFollowTheirElementBitsNotTheKindOfControl) {
  const ComponentFacts check = Component("TCheckBox", {"TCustomCheckBox", "TButtonControl"});
  EXPECT_EQ(Match(check, SkinBit(xcButton)), SkinnerKind::CheckBox);
  EXPECT_EQ(Match(check, kDefaultSkinControls & ~SkinBit(xcButton)), SkinnerKind::None);
  const ComponentFacts track = Component("TTrackBar", {"TWinControl"});
  EXPECT_EQ(Match(track, SkinBit(xcCheckBox)), SkinnerKind::TrackBar);
  EXPECT_EQ(Match(track, kDefaultSkinControls & ~SkinBit(xcCheckBox)), SkinnerKind::None);
  EXPECT_EQ(Match(Component("TUpDown"), SkinBit(xcCheckBox)), SkinnerKind::UpDown);
  EXPECT_EQ(Match(Component("tTrackBar"), SkinBit(xcCheckBox)), SkinnerKind::TrackBar);  // any case

  // A combo box keeps the system look unless its Tag is 56 and xcCombo is set.
  ComponentFacts combo = Component("TComboBox", {"TCustomComboBox", "TWinControl"});
  EXPECT_EQ(Match(combo), SkinnerKind::None);
  combo.tag = 56;
  EXPECT_EQ(Match(combo), SkinnerKind::ComBox);
  EXPECT_EQ(Match(combo, kDefaultSkinControls & ~SkinBit(xcCombo)), SkinnerKind::None);

  // Tabs need xcTab and a skin with a Tabs element.
  const ComponentFacts pages = Component("TPageControl", {"TCustomTabControl"});
  EXPECT_EQ(Match(pages), SkinnerKind::Tab);
  EXPECT_EQ(Match(pages, kDefaultSkinControls, false), SkinnerKind::None);
  EXPECT_EQ(Match(pages, kDefaultSkinControls & ~SkinBit(xcTab)), SkinnerKind::None);
  EXPECT_EQ(Match(Component("TTabbedNotebook"), kDefaultSkinControls, false), SkinnerKind::None);

  // Rows that need no element.
  EXPECT_EQ(Match(Component("TToolBar", {"TToolWindow"}), 0), SkinnerKind::ToolbarFlatTransparent);
  EXPECT_EQ(Match(Component("TMvcPanel"), 0), SkinnerKind::MatchOwnComponents);
  EXPECT_EQ(Match(Component("TfrmInner", {"TForm", "TCustomForm"}), 0), SkinnerKind::InnerForm);
  EXPECT_EQ(Match(Component("TDBComboBoxEh", {}, 56)), SkinnerKind::None);
}

TEST(SkinMatch, FirstApplyingRowWins) {
  // A bit button is a TButton too: its own row comes first, and without xcBitBtn the button row takes it.
  const ComponentFacts bitBtn = Component("TBitBtn", {"TButton", "TButtonControl"});
  EXPECT_EQ(Match(bitBtn), SkinnerKind::BitButton);
  EXPECT_EQ(Match(bitBtn, kDefaultSkinControls & ~SkinBit(xcBitBtn)), SkinnerKind::Button);
  // A navigator is a panel: the box without its own components.
  EXPECT_EQ(Match(Component("TDBNavigator", {"TCustomPanel"})), SkinnerKind::Box);
  EXPECT_EQ(Match(Component("TPanel", {"TCustomPanel"})), SkinnerKind::BoxThenOwnComponents);
  EXPECT_EQ(Match(Component("TGroupBox", {"TCustomGroupBox"})), SkinnerKind::BoxThenOwnComponents);
  EXPECT_EQ(Match(Component("TCoolToolBar", {"TToolBar"})), SkinnerKind::ToolbarFlat);
  EXPECT_EQ(Match(Component("TStatusBar")), SkinnerKind::StatusBar);
  // A date-time picker is an edit with an up-down control, else a combo box.
  ComponentFacts picker = Component("TDateTimePicker");
  EXPECT_EQ(Match(picker), SkinnerKind::ComBox);
  picker.showsUpDown = true;
  EXPECT_EQ(Match(picker), SkinnerKind::Edit);
  // Lists and memos scroll; a list view has its own skinner.
  EXPECT_EQ(Match(Component("TListView", {"TCustomListView"})), SkinnerKind::ListView);
  EXPECT_EQ(Match(Component("TMemo", {"TCustomMemo", "TCustomEdit"})), SkinnerKind::ScrollBar);
  EXPECT_EQ(Match(Component("TTreeView", {"TCustomTreeView"})), SkinnerKind::ScrollBar);
  EXPECT_EQ(Match(Component("TRichEdit", {"TCustomEdit"})), SkinnerKind::ScrollBar);
  EXPECT_EQ(Match(Component("TRichEdit", {"TCustomEdit"}), kDefaultSkinControls & ~SkinBit(xcScrollbar)),
            SkinnerKind::Edit);
  // Tag 55 or a scroll bar style makes any control a scrolling one; 57 an edit.
  EXPECT_EQ(Match(Component("TListBox", {}, 55)), SkinnerKind::ScrollBar);
  EXPECT_EQ(Match(Component("TListBox", {}, 0, 0x00200000u)), SkinnerKind::ScrollBar);
  EXPECT_EQ(Match(Component("TListBox", {}, 0, 0x00100000u)), SkinnerKind::ScrollBar);
  EXPECT_EQ(Match(Component("TListBox")), SkinnerKind::None);
  EXPECT_EQ(Match(Component("TLabel", {}, 57)), SkinnerKind::Edit);
  EXPECT_EQ(Match(Component("TEdit", {"TCustomEdit"})), SkinnerKind::Edit);
  // The name lists of other toolkits.
  EXPECT_EQ(Match(Component("TwwDBLookupCombo")), SkinnerKind::ComBox);
  EXPECT_EQ(Match(Component("TdxHyperLinkEdit")), SkinnerKind::Edit);
  EXPECT_EQ(Match(Component("TOvcDBNumericField")), SkinnerKind::Edit);
  EXPECT_EQ(Match(Component("TdxPopupEdit")), SkinnerKind::ComBox);
  EXPECT_EQ(Match(Component("TLMDCheckGroup")), SkinnerKind::Box);
  EXPECT_EQ(Match(Component("TLMDColorEdit")), SkinnerKind::Edit);
  EXPECT_EQ(Match(Component("TLMDColorEdit"), kDefaultSkinControls & ~SkinBit(xcEdit)), SkinnerKind::None);
}

TEST(SkinMatch, BareWindowChildrenButtonRowsInOrder) {
  const uint32_t kChildVisibleTab = 0x50010000u;
  struct Case {
    uint32_t style;
    BareSkinnerKind kind;
  };
  for (Case c : {Case{7, BareSkinnerKind::None},  // a group box passes the check-box tests too
                 Case{3, BareSkinnerKind::CheckBox}, Case{2, BareSkinnerKind::CheckBox},
                 Case{5, BareSkinnerKind::CheckBox},  // three-state, before the radio row's bit 4
                 Case{6, BareSkinnerKind::CheckBox}, Case{9, BareSkinnerKind::RadioButton},
                 Case{4, BareSkinnerKind::RadioButton}, Case{0, BareSkinnerKind::Button},
                 Case{1, BareSkinnerKind::Button}, Case{8, BareSkinnerKind::Button}}) {
    EXPECT_EQ(MatchChildWindow("Button", c.style | kChildVisibleTab, false), c.kind) << c.style;
  }
  EXPECT_EQ(MatchChildWindow("BUTTON", 0, false), BareSkinnerKind::Button);

  EXPECT_EQ(MatchChildWindow("ComboBox", 1, false), BareSkinnerKind::None);  // a simple combo box
  EXPECT_EQ(MatchChildWindow("ComboBox", 2, false), BareSkinnerKind::ComBox);
  EXPECT_EQ(MatchChildWindow("ComboBox", 3, false), BareSkinnerKind::ComBox);
  EXPECT_EQ(MatchChildWindow("ComboBoxEx32", 0, true), BareSkinnerKind::ComBoxOnFirstChild);
  EXPECT_EQ(MatchChildWindow("ComboBoxEx32", 0, false), BareSkinnerKind::None);
  EXPECT_EQ(MatchChildWindow("ScrollBar", 0, false), BareSkinnerKind::Sizer);
  EXPECT_EQ(MatchChildWindow("SysTabControl32", 0, false), BareSkinnerKind::Tab);
  EXPECT_EQ(MatchChildWindow("SysTabControl32", 0x2000, false), BareSkinnerKind::None);
  EXPECT_EQ(MatchChildWindow("Edit", 0, false), BareSkinnerKind::Edit);
  EXPECT_EQ(MatchChildWindow("Static", 0, false), BareSkinnerKind::None);
  EXPECT_EQ(MatchChildWindow("RichEdit20W", 0, false), BareSkinnerKind::None);
}

}  // namespace
