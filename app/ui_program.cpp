#include "app/program.h"

#include <shellapi.h>

namespace app {
namespace {

// A window whose content another part of the program fills in; it exists
// from start-up, hidden, with its class name and caption.
ui::Form* HiddenForm(const char* className, const std::string& caption) {
  ui::Form* f = ui::App().CreateForm<ui::Form>(className, ui::bsDialog);
  f->SetCaption(caption);
  return f;
}

}  // namespace

void Program::CreateWindows() {
  const std::string title = ui::App().Title;
  frmMain = ui::App().CreateForm<TfrmMain>();
  frmCreate = HiddenForm("TfrmCreate", title + " - 创建快照");
  frmRename = HiddenForm("TfrmRename", title + " - 快照重命名");
  frmAbout = HiddenForm("TfrmAbout", "关于 - " + title);
  frmCompactDB = HiddenForm("TfrmCompactDB", title + " - 数据整理");
  frmTreeview = HiddenForm("TfrmTreeview", "树状浏览");
  frmMemo = HiddenForm("TfrmMemo", "备注");
  frmMain->Commands.create = [this] { frmCreate->ShowModal(); };
  frmMain->Commands.help = [] {
    ShellExecuteW(nullptr, L"open", ui::Wide(ui::App().HelpFile).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  };
}

void Program::Shutdown() { ui::App().DestroyForms(); }

}  // namespace app
