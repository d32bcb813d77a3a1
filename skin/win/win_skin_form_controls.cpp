// The parts of a skinned window inside its frame: the form's components
// matched to what skins them, the tool bars' look, the status bars' grip,
// and the form's popup menus drawn by the skin.
#include <algorithm>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_control.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_skin_menu.h"
#include "ui/bars.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/wide.h"

namespace skin {

namespace {

constexpr int kNoSkinTag = 999;

void EachItem(ui::MenuItem& parent, const std::function<void(ui::MenuItem&)>& visit) {
  for (int i = 0; i < parent.Count(); ++i) {
    ui::MenuItem& item = *parent.Item(i);
    visit(item);
    EachItem(item, visit);
  }
}

}  // namespace

void TWinSkinForm::MatchControls() {
  FaultPoint("attach");
  const SkinControlSet set = data_.SkinControls;
  const SkinModel& model = data_.Model();
  const COLORREF face = win32::ResolveColour(model.colours.buttonFace);
  if (!form_) {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!(GetWindowLongW(child, GWL_STYLE) & WS_CHILD)) continue;
      wchar_t name[64] = {};
      GetClassNameW(child, name, 64);
      BareSkinnerKind kind = MatchChildWindow(ui::Narrow(name), static_cast<uint32_t>(GetWindowLongW(child, GWL_STYLE)),
                                              GetWindow(child, GW_CHILD) != nullptr);
      if (kind == BareSkinnerKind::None) continue;
      matches_.push_back({nullptr, child, SkinnerKind::None, kind});
      if (auto skinner = MakeBareSkinner(kind, *this, child)) skinners_.push_back(std::move(skinner));
    }
    return;
  }
  for (ui::Component* c : form_->Components()) {
    auto* control = c->InheritsFrom("TWinControl") ? static_cast<ui::Control*>(c) : nullptr;
    if (control && !control->Handle()) continue;
    ComponentFacts facts;
    facts.className = c->ClassName();
    facts.inheritsFrom = [c](std::string_view name) { return c->InheritsFrom(name); };
    facts.tag = c->Tag;
    facts.style = control ? static_cast<uint32_t>(GetWindowLongW(control->Handle(), GWL_STYLE)) : 0;
    SkinnerKind kind = MatchComponent(facts, set, model.tabs != nullptr, data_.DisableTag);
    if (kind == SkinnerKind::None) continue;
    matches_.push_back({c, control ? control->Handle() : nullptr, kind, BareSkinnerKind::None});
    if (auto skinner = MakeSkinner(kind, *this, *c)) skinners_.push_back(std::move(skinner));
    switch (kind) {
      case SkinnerKind::ToolbarFlatTransparent:
      case SkinnerKind::ToolbarFlat: {
        if (!c->InheritsFrom("TToolBar")) break;
        auto* bar = static_cast<ui::ToolBar*>(c);
        toolbars_.push_back({bar, bar->Flat(), bar->Transparent(), bar->Color()});
        bar->SetFlat(true);
        if (kind == SkinnerKind::ToolbarFlatTransparent) {
          bar->SetTransparent(true);
          bar->SetColor(face);
        }
        break;
      }
      case SkinnerKind::StatusBar:
        if (c->InheritsFrom("TStatusBar")) {
          auto* bar = static_cast<ui::StatusBar*>(c);
          if (bar->SizeGrip()) {
            bar->SetSizeGrip(false);
            gripsOff_.push_back(bar);
          }
        }
        break;
      case SkinnerKind::InnerForm:
        recoloured_.push_back({c, control->Color()});
        control->SetColor(face);
        break;
      default:
        break;
    }
  }
}

bool TWinSkinForm::StillOnForm(const ui::Component* c) const {
  // A control freed while skinned is no longer among the form's components.
  const std::vector<ui::Component*>& alive = form_->Components();
  return std::find(alive.begin(), alive.end(), c) != alive.end();
}

void TWinSkinForm::GiveControlsBack() {
  auto still = [this](ui::Component* c) { return StillOnForm(c); };
  for (auto& t : toolbars_) {
    if (!still(t.bar)) continue;
    auto* bar = static_cast<ui::ToolBar*>(t.bar);
    bar->SetFlat(t.flat);
    bar->SetTransparent(t.transparent);
    bar->SetColor(t.colour);
  }
  for (ui::Component* c : gripsOff_)
    if (still(c)) static_cast<ui::StatusBar*>(c)->SetSizeGrip(true);
  for (auto& [component, colour] : recoloured_)
    if (still(component)) static_cast<ui::Control*>(component)->SetColor(colour);
  toolbars_.clear();
  gripsOff_.clear();
  recoloured_.clear();
  matches_.clear();
}

void TWinSkinForm::SkinPopupMenus(bool on) {
  if (!form_) return;
  if (!on) {
    for (ui::Component* c : ownerDrawn_) {
      if (!StillOnForm(c)) continue;  // freed while skinned
      auto* menu = static_cast<ui::PopupMenu*>(c);
      EachItem(menu->Items, [](ui::MenuItem& item) { UnskinMenuItem(item); });
      menu->SetOwnerDraw(false);
    }
    ownerDrawn_.clear();
    return;
  }
  for (ui::Component* c : form_->Components()) {
    if (!c->InheritsFrom("TPopupMenu") || c->Tag % 100 == data_.DisableTag) continue;
    auto* menu = static_cast<ui::PopupMenu*>(c);
    EachItem(menu->Items, [this](ui::MenuItem& item) {
      if (item.Tag != kNoSkinTag) SkinMenuItem(item, data_);
    });
    menu->SetOwnerDraw(true);
    if (std::find(ownerDrawn_.begin(), ownerDrawn_.end(), c) == ownerDrawn_.end()) ownerDrawn_.push_back(c);
  }
}

}  // namespace skin
