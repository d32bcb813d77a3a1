#include "tools/skin_pack/skin_check.h"

#include "skin/archive/skin_messages.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"

namespace skinpack {

std::string CheckStoredSkin(const std::string& stored) {
  std::string shown;
  skin::MessageSink old = skin::SetMessageSink([&](std::string_view t) { shown += std::string(t) + " "; });
  skin::TSkinStore store;
  store.Store().Add().ReadDataStream(stored);
  skin::TSkinData data;
  bool loaded = data.LoadFromStore(store, 0);
  skin::SetMessageSink(std::move(old));
  if (!loaded) return "refused: " + shown;

  const skin::SkinModel& m = data.Model();
  std::string missing;
  auto need = [&](bool present, const char* what) {
    if (!present) missing += std::string(missing.empty() ? "missing " : ", ") + what;
  };
  for (const auto& b : m.borders) need(!b.image.Empty(), b.name.c_str());
  need(!m.buttons.image.Empty(), "Buttons");
  need(!m.buttons.checkImage.Empty(), "CheckButton");
  need(!m.buttons.radioImage.Empty(), "RadioButton");
  int actions[4] = {0, 0, 0, 0};  // close, maximize, restore, minimize
  for (const auto& b : m.sysButtons) {
    if (b.image.Empty()) continue;
    if (b.action == 0) actions[0]++;
    if (b.action == 1 && b.visibility1 != 1) actions[1]++;
    if (b.action == 1 && b.visibility1 == 1) actions[2]++;
    if (b.action == 2) actions[3]++;
  }
  need(actions[0] && actions[1] && actions[2] && actions[3], "a close, maximize, restore or minimize button");
  need(m.menuBar && m.menuItem && m.menuBackground, "menu bar, MenuItem or MenuBackground");
  need(m.scrollbar && m.horzScroll && m.vertScroll && m.horzScrollThumb && m.vertScrollThumb, "a scroll bar part");
  need(m.headerbar && m.statusBarEdges && m.progress && m.tabs && !m.tabs->image2.Empty(), "Headerbar, StatusBarEdges, Progress or Tabs");
  need(m.comboButton && m.sunkEdge && m.extraImages, "ComboButton, SunkEdge or ExtraImages");
  need(m.upDownHorz && m.upDownVert && !m.upDownVert->image2.Empty(), "UpDown");
  need(m.groupBoxEdge && m.toolbars, "GroupBoxEdge or Toolbars");
  need(!m.skinName.empty(), "SkinName");
  return missing;
}

}  // namespace skinpack
