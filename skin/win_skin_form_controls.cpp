// The parts of a skinned window inside its frame: the form's components
// matched to what skins them, the tool bars' look, the status bars' grip,
// and the form's popup menus drawn by the skin.
#include <algorithm>

#include "skin/skin_data.h"
#include "skin/win_img_dc.h"
#include "skin/win_skin_control.h"
#include "skin/win_skin_form.h"
#include "ui/bars.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/wide.h"

namespace skin {

namespace {

constexpr int kItemLeftSpace = 22;
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

void TWinSkinForm::GiveControlsBack() {
  // A control freed while skinned is no longer among the form's components.
  const std::vector<ui::Component*>& alive = form_->Components();
  auto still = [&](ui::Component* c) { return std::find(alive.begin(), alive.end(), c) != alive.end(); };
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
      auto* menu = static_cast<ui::PopupMenu*>(c);
      EachItem(menu->Items, [](ui::MenuItem& item) {
        item.OnMeasureItem = nullptr;
        item.OnDrawItem = nullptr;
      });
      menu->SetOwnerDraw(false);
    }
    ownerDrawn_.clear();
    return;
  }
  TSkinData* data = &data_;
  for (ui::Component* c : form_->Components()) {
    if (!c->InheritsFrom("TPopupMenu") || c->Tag % 100 == data_.DisableTag) continue;
    auto* menu = static_cast<ui::PopupMenu*>(c);
    EachItem(menu->Items, [data](ui::MenuItem& item) {
      if (item.Tag == kNoSkinTag) return;
      item.OnMeasureItem = [](ui::MenuItem& i, HDC dc, int& width, int& height) {
        if (i.IsLine()) {
          height = 8;
          return;
        }
        std::wstring text = ui::Wide(i.Caption());
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        width = extent.cx + kItemLeftSpace + 16;
        height = std::max<int>(extent.cy + 6, GetSystemMetrics(SM_CYMENU));
      };
      item.OnDrawItem = [data](ui::MenuItem& i, HDC dc, const RECT& rect, bool selected) {
        const SkinColours& colours = data->Model().colours;
        gdi::Brush back(CreateSolidBrush(win32::ResolveColour(selected && !i.IsLine() ? colours.hilight : colours.menu)));
        FillRect(dc, &rect, back.get());
        if (i.IsLine()) {
          gdi::Pen pen(CreatePen(PS_SOLID, 1, win32::ResolveColour(colours.buttonShadow)));
          gdi::SelectGuard select(dc, pen.get());
          int y = (rect.top + rect.bottom) / 2;
          MoveToEx(dc, rect.left + 2, y, nullptr);
          LineTo(dc, rect.right - 2, y);
          return;
        }
        SetBkMode(dc, TRANSPARENT);
        TColor text = !i.Enabled() ? colours.buttonShadow : selected ? colours.hilightText : colours.menuText;
        SetTextColor(dc, win32::ResolveColour(text));
        if (i.Checked()) {
          RECT mark{rect.left, rect.top, rect.left + kItemLeftSpace, rect.bottom};
          DrawTextW(dc, i.RadioItem() ? L"\x25CF" : L"\x221A", 1, &mark, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
        std::wstring caption = ui::Wide(i.Caption());
        RECT r{rect.left + kItemLeftSpace, rect.top, rect.right - 4, rect.bottom};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
      };
    });
    menu->SetOwnerDraw(true);
    ownerDrawn_.push_back(c);
  }
}

}  // namespace skin
