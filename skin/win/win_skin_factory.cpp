// Which skinner each row of the matching tables makes, attached at once.
#include "skin/win/win_skin_control.h"
#include "skin/win/win_skin_controls.h"
#include "skin/win/win_skin_scroll.h"
#include "ui/control.h"

namespace skin {

namespace {

template <class T>
std::unique_ptr<TSkinControl> OnControl(TWinSkinForm& frame, ui::Component& component, bool recolour = false) {
  if (!component.InheritsFrom("TWinControl")) return nullptr;
  auto& control = static_cast<ui::Control&>(component);
  if (!control.Handle()) return nullptr;
  auto skinner = std::make_unique<T>(frame);
  skinner->AttachControl(control, recolour);
  // A control skinned already (an edit's up-down, a radio group's button)
  // keeps the skinner it has.
  if (!skinner->Attached()) return nullptr;
  return skinner;
}

// Scroll bars on a control; the grid classes drag their thumbs themselves.
std::unique_ptr<TSkinControl> ScrollBarsOn(TWinSkinForm& frame, ui::Component& component) {
  if (!component.InheritsFrom("TWinControl")) return nullptr;
  auto& control = static_cast<ui::Control&>(component);
  if (!control.Handle()) return nullptr;
  std::string name = component.ClassName();
  for (char& ch : name) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
  const bool grid = name == "TDXTREELIST" || name == "TDXDBTREELIST" || name == "TDXDBGRID";
  auto skinner = std::make_unique<TSkinScrollBar>(frame, !grid);
  skinner->AttachControl(control, false);
  if (!skinner->Attached()) return nullptr;
  return skinner;
}

template <class T>
std::unique_ptr<TSkinControl> OnWindow(TWinSkinForm& frame, HWND window) {
  if (!IsWindow(window)) return nullptr;
  auto skinner = std::make_unique<T>(frame);
  skinner->AttachWindow(window);
  if (!skinner->Attached()) return nullptr;
  return skinner;
}

}  // namespace

std::unique_ptr<TSkinControl> MakeSkinner(SkinnerKind kind, TWinSkinForm& frame, ui::Component& component) {
  switch (kind) {
    case SkinnerKind::Button:
      return OnControl<TSkinButton>(frame, component);
    case SkinnerKind::BitButton:
      return OnControl<TSkinBitButton>(frame, component);
    case SkinnerKind::CheckBox:
      return OnControl<TSkinCheckBox>(frame, component);
    case SkinnerKind::Edit:
      return OnControl<TSkinEdit>(frame, component);
    case SkinnerKind::ComBox:
      return OnControl<TSkinComBox>(frame, component);
    case SkinnerKind::UpDown:
      return OnControl<TSkinUpDown>(frame, component);
    case SkinnerKind::TrackBar:
      return OnControl<TSkinTrackBar>(frame, component);
    case SkinnerKind::Tab:
      return OnControl<TSkinTab>(frame, component);
    case SkinnerKind::Box:
    case SkinnerKind::BoxThenOwnComponents:
      return OnControl<TSkinBox>(frame, component, true);
    case SkinnerKind::RadioGroup:
      return OnControl<TSkinRadioGroup>(frame, component, true);
    case SkinnerKind::ScrollBar:
      return ScrollBarsOn(frame, component);
    case SkinnerKind::ListView:
      return OnControl<TSkinListView>(frame, component);
    case SkinnerKind::StatusBar:
      return OnControl<TSkinStatusBar>(frame, component);
    default:
      return nullptr;
  }
}

std::unique_ptr<TSkinControl> MakeBareSkinner(BareSkinnerKind kind, TWinSkinForm& frame, HWND window) {
  switch (kind) {
    case BareSkinnerKind::Button:
      return OnWindow<TSkinButton>(frame, window);
    case BareSkinnerKind::CheckBox:
      return OnWindow<TSkinCheckBox>(frame, window);
    case BareSkinnerKind::RadioButton:
      return OnWindow<TSkinRadioButton>(frame, window);
    case BareSkinnerKind::ComBox:
      return OnWindow<TSkinComBox>(frame, window);
    case BareSkinnerKind::ComBoxOnFirstChild:
      return OnWindow<TSkinComBox>(frame, GetWindow(window, GW_CHILD));
    case BareSkinnerKind::Sizer:
      return OnWindow<TSkinSizer>(frame, window);
    case BareSkinnerKind::Tab:
      return OnWindow<TSkinTab>(frame, window);
    case BareSkinnerKind::Edit:
      return OnWindow<TSkinEdit>(frame, window);
    default:
      return nullptr;
  }
}

}  // namespace skin
