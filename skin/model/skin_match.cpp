#include "skin/model/skin_match.h"

#include <algorithm>
#include <span>

namespace skin {
namespace {

constexpr uint32_t kStyleVScroll = 0x00200000u, kStyleHScroll = 0x00100000u;
constexpr int kNoElement = -1;

std::string AsciiCase(std::string_view s, bool upper) {
  std::string out(s);
  for (char& ch : out) {
    if (upper && ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (!upper && ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return out;
}

// What the component rows read: the component, its class name upper-cased.
struct Subject {
  const ComponentFacts& c;
  std::string name;
  bool skinHasTabs;

  bool Named(std::string_view n) const { return name == n; }
  bool NamedOneOf(std::span<const std::string_view> names) const {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  bool Is(std::string_view base) const { return c.inheritsFrom && c.inheritsFrom(base); }
  bool Scrolls() const { return (c.style & (kStyleVScroll | kStyleHScroll)) != 0; }
};

using S = const Subject&;
struct ComponentRow {
  bool (*applies)(S);
  int element;  // the SkinControls element the row needs, or kNoElement
  SkinnerKind skinner;
};

constexpr std::string_view kRichEdits[] = {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"};
constexpr std::string_view kGrids[] = {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"};
constexpr std::string_view kDbCombos[] = {"TDBLOOKUPCOMBOBOX", "TWWDBCOMBOBOX", "TWWDBLOOKUPCOMBO", "TWWKEYCOMBO",
                                          "TWWDBDATETIMEPICKER"};
constexpr std::string_view kDxEdits[] = {"TDXDBCURRENCYEDIT", "TDXDBEDIT",      "TDXDBMASKEDIT", "TDXDBHYPERLINKEDIT",
                                         "TDXEDIT",           "TDXMASKEDIT",    "TWWDBEDIT",     "TDXBUTTONEDIT",
                                         "TDXCURRENCYEDIT",   "TDXHYPERLINKEDIT"};
constexpr std::string_view kOvcEdits[] = {"TOVCPICTUREFIELD", "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",
                                          "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD",    "TOVCDBSIMPLEFIELD",
                                          "TO32DBFLEXEDIT",   "TOVCNUMERICFIELD",   "TOVCDBNUMERICFIELD"};
constexpr std::string_view kDxCombos[] = {"TDXDBPICKEDIT",      "TDXDBCALCEDIT",   "TDXDBIMAGEEDIT", "TDXDBPOPUPEDIT",
                                          "TDXDBEXTLOOKUPEDIT", "TDXDBLOOKUPEDIT", "TDXDBDATEEDIT",  "TDXDATEEDIT",
                                          "TDXPICKEDIT",        "TDXPOPUPEDIT"};
constexpr std::string_view kLmdBoxes[] = {"TLMDRADIOBUTTON", "TLMDCHECKBOX",     "TLMDRADIOGROUP",
                                          "TLMDGROUPBOX",    "TLMDSIMPLEPANEL", "TLMDCHECKGROUP"};
constexpr std::string_view kLmdEdits[] = {"TLMDEDIT",         "TLMDMASKEDIT",     "TLMDBROWSEEDIT",   "TLMDEXTSPINEDIT",
                                          "TLMDCALENDAREDIT", "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT", "TLMDCOLOREDIT"};

// In order: the first row whose condition holds and whose element is in the
// set decides. The element does not always follow the kind of control (a
// check box needs xcButton, a track bar xcCheckBox); the rows keep the bits.
constexpr ComponentRow kComponentRows[] = {
    {[](S s) { return s.Named("TDBCOMBOBOXEH"); }, kNoElement, SkinnerKind::None},
    {[](S s) { return s.Named("TTOOLBAR"); }, kNoElement, SkinnerKind::ToolbarFlatTransparent},
    {[](S s) { return s.Named("TTABBEDNOTEBOOK") && s.skinHasTabs; }, xcTab, SkinnerKind::Tab},
    {[](S s) { return s.Named("TMVCPANEL"); }, kNoElement, SkinnerKind::MatchOwnComponents},
    {[](S s) { return s.Is("TPageControl") && s.skinHasTabs; }, xcTab, SkinnerKind::Tab},
    {[](S s) { return s.Is("TCustomCheckBox"); }, xcButton, SkinnerKind::CheckBox},
    {[](S s) { return s.Named("TTRACKBAR"); }, xcCheckBox, SkinnerKind::TrackBar},
    {[](S s) { return s.Named("TUPDOWN"); }, xcCheckBox, SkinnerKind::UpDown},
    {[](S s) { return s.Named("TWWRADIOGROUP"); }, xcRadioButton, SkinnerKind::RadioGroup},
    {[](S s) { return s.Named("TDBNAVIGATOR"); }, xcPanel, SkinnerKind::Box},
    {[](S s) { return s.Is("TCustomPanel") || s.Is("TCustomGroupBox"); }, xcPanel, SkinnerKind::BoxThenOwnComponents},
    {[](S s) { return s.Is("TToolBar"); }, xcToolbar, SkinnerKind::ToolbarFlat},
    {[](S s) { return s.Is("TStatusBar"); }, xcStatusBar, SkinnerKind::StatusBar},
    {[](S s) { return s.c.tag == 56; }, xcCombo, SkinnerKind::ComBox},
    {[](S s) { return s.Named("TDATETIMEPICKER") && s.c.showsUpDown; }, xcEdit, SkinnerKind::Edit},
    {[](S s) { return s.Named("TDATETIMEPICKER"); }, xcEdit, SkinnerKind::ComBox},
    {[](S s) { return s.NamedOneOf(kRichEdits); }, xcScrollbar, SkinnerKind::ScrollBar},
    {[](S s) { return s.Named("TDBCHECKBOXEH"); }, xcCheckBox, SkinnerKind::CheckBox},
    {[](S s) { return s.Is("TBitBtn"); }, xcBitBtn, SkinnerKind::BitButton},
    {[](S s) { return s.NamedOneOf(kGrids); }, xcScrollbar, SkinnerKind::ScrollBar},
    {[](S s) { return s.Is("TCustomListView"); }, xcScrollbar, SkinnerKind::ListView},
    {[](S s) { return s.Is("TCustomMemo"); }, xcScrollbar, SkinnerKind::ScrollBar},
    {[](S s) { return s.c.tag == 55 || s.Scrolls() || s.Is("TMemo") || s.Is("TCustomTreeView"); }, xcScrollbar,
     SkinnerKind::ScrollBar},
    {[](S s) { return s.Is("TButton"); }, xcButton, SkinnerKind::Button},
    {[](S s) { return s.Is("TCustomEdit") || s.c.tag == 57; }, xcEdit, SkinnerKind::Edit},
    {[](S s) { return s.NamedOneOf(kDbCombos); }, xcCombo, SkinnerKind::ComBox},
    {[](S s) { return s.NamedOneOf(kDxEdits); }, xcEdit, SkinnerKind::Edit},
    {[](S s) { return s.NamedOneOf(kOvcEdits); }, xcEdit, SkinnerKind::Edit},
    {[](S s) { return s.NamedOneOf(kDxCombos); }, xcCombo, SkinnerKind::ComBox},
    {[](S s) { return s.NamedOneOf(kLmdBoxes); }, xcPanel, SkinnerKind::Box},
    {[](S s) { return s.NamedOneOf(kLmdEdits); }, xcEdit, SkinnerKind::Edit},
    {[](S s) { return s.Is("TCustomForm"); }, kNoElement, SkinnerKind::InnerForm},
};

struct ChildRow {
  std::string_view className;  // lower case
  bool (*applies)(uint32_t style, bool hasFirstChild);
  BareSkinnerKind skinner;
};

// The "button" rows are tried in this order: a group box is left alone even
// though its style bits also pass the check-box test.
constexpr ChildRow kChildRows[] = {
    {"button", [](uint32_t s, bool) { return (s & 7) == 7; }, BareSkinnerKind::None},
    {"button", [](uint32_t s, bool) { return (s & 3) == 3 || (s & 2) != 0 || (s & 5) == 5; },
     BareSkinnerKind::CheckBox},
    {"button", [](uint32_t s, bool) { return (s & 9) == 9 || (s & 4) != 0; }, BareSkinnerKind::RadioButton},
    {"button", [](uint32_t, bool) { return true; }, BareSkinnerKind::Button},
    {"combobox", [](uint32_t s, bool) { return (s & 3) != 1; }, BareSkinnerKind::ComBox},
    {"comboboxex32", [](uint32_t, bool first) { return first; }, BareSkinnerKind::ComBoxOnFirstChild},
    {"scrollbar", [](uint32_t, bool) { return true; }, BareSkinnerKind::Sizer},
    {"systabcontrol32", [](uint32_t s, bool) { return (s & 0x2000) == 0; }, BareSkinnerKind::Tab},
    {"edit", [](uint32_t, bool) { return true; }, BareSkinnerKind::Edit},
};

}  // namespace

SkinnerKind MatchComponent(const ComponentFacts& c, SkinControlSet set, bool skinHasTabs, int disableTag) {
  if (c.tag % 100 == disableTag) return SkinnerKind::None;
  const Subject subject{c, AsciiCase(c.className, true), skinHasTabs};
  for (const ComponentRow& row : kComponentRows) {
    if (row.element != kNoElement && !Has(set, static_cast<TSkinControlType>(row.element))) continue;
    if (row.applies(subject)) return row.skinner;
  }
  return SkinnerKind::None;
}

BareSkinnerKind MatchChildWindow(std::string_view className, uint32_t style, bool hasFirstChild) {
  const std::string name = AsciiCase(className, false);
  for (const ChildRow& row : kChildRows)
    if (row.className == name && row.applies(style, hasFirstChild)) return row.skinner;
  return BareSkinnerKind::None;
}

}  // namespace skin
