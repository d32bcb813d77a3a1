// Which skinner each row of the matching tables makes, attached at once.
#include "skin/win_skin_control.h"
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
  return skinner;
}

template <class T>
std::unique_ptr<TSkinControl> OnWindow(TWinSkinForm& frame, HWND window) {
  if (!IsWindow(window)) return nullptr;
  auto skinner = std::make_unique<T>(frame);
  skinner->AttachWindow(window);
  return skinner;
}

}  // namespace

std::unique_ptr<TSkinControl> MakeSkinner(SkinnerKind kind, TWinSkinForm& frame, ui::Component& component) {
  switch (kind) {
    case SkinnerKind::Button:
      return OnControl<TSkinButton>(frame, component);
    default:
      return nullptr;
  }
}

std::unique_ptr<TSkinControl> MakeBareSkinner(BareSkinnerKind kind, TWinSkinForm& frame, HWND window) {
  switch (kind) {
    case BareSkinnerKind::Button:
      return OnWindow<TSkinButton>(frame, window);
    default:
      return nullptr;
  }
}

}  // namespace skin
