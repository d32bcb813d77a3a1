// The main list's three modes (snapshot list, folder listing, search
// results), moving between them, and the file details box.
#include "app/win_main_form.h"

#include "catalog/search_conditions.h"
#include "browse/entry_texts.h"
#include "browse/list_texts.h"
#include "browse/unit_public.h"
#include "catalog/snapshot_facts.h"
#include "catalog/statements.h"
#include "platform/file_time.h"

namespace app {
namespace {

// The hourglass while a query runs; the arrow again when it returns.
class BusyCursor {
 public:
  BusyCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { SetCursor(old_); }

 private:
  HCURSOR old_;
};

// The snapshot list's date, file and folder columns: empty for a snapshot
// made before the catalogue kept them.
std::vector<std::string> SnapshotFactTexts(const catalog::SnapshotFacts& f) {
  const int64_t when = f.updated ? f.updated : f.created;
  if (when == 0) return {"", "", ""};
  return {filetime::FormatLocalDate(when), std::to_string(f.files), std::to_string(f.folders)};
}

}  // namespace

void TfrmMain::SetLocationStatus(const std::string& text) { StatusBar1->SetPanelText(1, text); }

void TfrmMain::SetSnapshotCommandsEnabled(bool on) {
  for (ui::ToolButton* b : {TBtnDelete, TBtnRename, TBtnTreeview, TBtnExport, TBtnMemo}) b->SetEnabled(on);
}

void TfrmMain::CopyButtonStatesToMenu() {
  mnuDelete->SetEnabled(TBtnDelete->Enabled());
  mnuRename->SetEnabled(TBtnRename->Enabled());
  MnuUpdir->SetEnabled(TBtnUpdir->Enabled());
  mnuTreeview->SetEnabled(TBtnTreeview->Enabled());
  mnuExport->SetEnabled(TBtnExport->Enabled());
  MnuMemo->SetEnabled(TBtnMemo->Enabled());
  if (mnuUpdateSnapshot) mnuUpdateSnapshot->SetEnabled(TBtnMemo->Enabled() && !DriveOfSelectedSnapshot().empty());
}

void TfrmMain::EnableEntryActions() {
  const bool entries = !CurrentPath.empty() && ListView1->Selected() != nullptr;
  mnuCopyPaths->SetEnabled(entries);
  mnuOpenLocation->SetEnabled(entries);
  mnuShowInTree->SetEnabled(entries);
  mnuExportHits->SetEnabled(CurrentPath == "[" && ListView1->ItemCount() > 0);
  mnuSpaceMap->SetEnabled(!SnapshotInView().empty());
}

std::string TfrmMain::SelectedLabel() const {
  ui::ListItem* item = ListView1->Selected();
  return item && CurrentPath.empty() ? item->Caption() : std::string();
}

std::string TfrmMain::SnapshotInView() const {
  if (CurrentPath.empty()) return SelectedLabel();
  if (CurrentPath == "[") return {};  // search hits: of any snapshot
  return std::string(catalog::LabelOfPath(CurrentPath));
}

void TfrmMain::BrowseAll() {
  {
    ui::ListView::UpdateLock lock(*ListView1);
    ListView1->Clear();
  ListView1->SetMultiSelect(false);
    ListView1->SetMultiSelect(false);
    ListView1->ClearColumns();
    ListView1->AddColumn("存储设备", 50, true);
    ListView1->AddColumn("容量", 50, true);
    ListView1->AddColumn("日期", 80, true);
    ListView1->AddColumn("文件", 50, true);
    ListView1->AddColumn("文件夹", 50, true);
    ListView1->AddColumn("备 注", 50, true);  // the memo stays the last column
    ADOQry.Close();
    catalog::OpenSnapshotList(ADOQry);
    for (; ADOQry.Active() && !ADOQry.Eof(); ADOQry.Next()) {
      std::vector<std::string> columns{ADOQry.AsString("TotalM") + "M"};
      for (std::string& t : SnapshotFactTexts(catalog::SnapshotFactsOf(ADOQry))) columns.push_back(std::move(t));
      columns.push_back(browse::ShortMemo(ADOQry.AsString("Memo1")));
      ListView1->AddItem(ADOQry.AsString("CDName"), browse::kImageSnapshot, columns);
    }
  }
  ADOQry.Close();
  CurrentPath.clear();
  TBtnUpdir->SetEnabled(false);
  MnuUpdir->SetEnabled(false);
  SetSnapshotCommandsEnabled(false);
  CopyButtonStatesToMenu();
  SetLocationStatus("浏览所有");
}

void TfrmMain::FillFolderColumns(bool lastColumnFixed) {
  ListView1->ClearColumns();
  ListView1->AddColumn("名称", 50, true);
  ListView1->AddColumn("类别", 50, true);
  ListView1->AddColumn("位置", 50, true);
  ListView1->AddColumn("修改日期", 110, true);
  if (lastColumnFixed) ListView1->Column(2)->SetWidth(300);
}

// Adds one item per row of the open query: folders with the folder picture,
// files with the picture of their kind.
void TfrmMain::AddRowItems() {
  ui::ListView::UpdateLock lock(*ListView1);
  // An older catalogue opened read-only has no times, nor archives' members.
  const bool dated = ADOQry.HasField("Modified");
  const bool archives = ADOQry.HasField("Members");
  for (; ADOQry.Active() && !ADOQry.Eof(); ADOQry.Next()) {
    std::string name = ADOQry.AsString("Name");
    bool folder = ADOQry.AsInteger("Type") != 0;
    const bool archive = !folder && archives && ADOQry.AsInteger("Members") > 0;
    int image = folder ? browse::kImageFolder : archive ? browse::kImageArchive : browse::GetFileIconIndex(name);
    ListView1->AddItem(name, image,
                       {folder ? "目录" : archive ? "压缩包" : "文件", ADOQry.AsString("Path"),
                        dated ? browse::EntryDateText(ADOQry.AsInteger("Modified")) : std::string()});
  }
}

std::string TfrmMain::OpenSnapshot(const std::string& label) {
  std::string root = catalog::SnapshotRoot(label);
  SetSnapshotCommandsEnabled(false);
  CopyButtonStatesToMenu();
  ListView1->Clear();
  ListView1->SetMultiSelect(false);
  catalog::OpenFolder(ADOQry, root);
  FillFolderColumns(false);
  AddRowItems();
  SetLocationStatus("当前路径：" + root);
  ADOQry.Close();
  return root;
}

std::string TfrmMain::OpenFolder(const std::string& location, const std::string& name) {
  std::string result = name.empty() ? location : location + name + "\\";
  TBtnDelete->SetEnabled(false);
  ListView1->Clear();
  ListView1->SetMultiSelect(false);
  catalog::OpenFolder(ADOQry, result);
  FillFolderColumns(true);
  AddRowItems();
  ADOQry.Close();
  SetLocationStatus("当前路径：" + result);
  return result;
}

void TfrmMain::ShowFileDetails(ui::Form* owner, const std::string& location, const std::string& name) {
  std::string text;
  catalog::OpenFileRow(ADOQry, location, name);
  if (!ADOQry.Eof()) {
    const bool dated = ADOQry.HasField("Modified");
    text = browse::FileDetailsWithDates(name, location, ADOQry.AsInteger("Size"), dated,
                                        dated ? ADOQry.AsInteger("Modified") : 0, dated ? ADOQry.AsInteger("Attr") : 0);
    if (ADOQry.HasField("Members") && ADOQry.AsInteger("Members") > 0)
      text += browse::ArchiveMembersLine(ADOQry.AsInteger("Members"));
  }
  ADOQry.Close();
  ui::ShowMessageBox(owner ? owner : this, text, MB_OK | MB_ICONINFORMATION,
                     browse::FileDetailsCaption(ui::App().Title));
}

void TfrmMain::ListView1DblClick() {
  if (SearchRunning || ADOQry.Active()) {
    SearchRunning = false;
    ADOQry.Close();
  }
  if (ui::ListItem* item = ListView1->Selected()) {
    // Copies: the fill below frees the item.
    const std::string caption = item->Caption();
    const std::string location = item->SubItem(1);
    switch (item->ImageIndex()) {
      case browse::kImageSnapshot: {
        BusyCursor busy;
        CurrentPath = OpenSnapshot(caption);
        break;
      }
      case browse::kImageFolder:
      case browse::kImageArchive: {  // its members are listed like a folder's entries
        BusyCursor busy;
        CurrentPath = OpenFolder(location, caption);
        break;
      }
      default:
        ShowFileDetails(this, location, caption);
        break;
    }
  }
  TBtnUpdir->SetEnabled(!CurrentPath.empty());
  MnuUpdir->SetEnabled(TBtnUpdir->Enabled());
}

void TfrmMain::ListView1KeyDown(WORD& key) {
  switch (key) {
    case VK_RETURN:
      ListView1DblClick();
      break;
    case VK_DELETE:
      if (TBtnDelete->Enabled()) RunCommand(Commands.deleteSnapshot);
      break;
    case VK_ESCAPE:
      if (TBtnUpdir->Enabled()) TBtnUpdirClick();
      break;
    case 'C':
      if (GetKeyState(VK_CONTROL) < 0 && Commands.copyPaths) Commands.copyPaths();
      break;
    default:
      break;
  }
}

void TfrmMain::ListView1SelectItem(ui::ListItem*, bool selected) {
  if (CurrentPath.empty()) SetSnapshotCommandsEnabled(selected);
  CopyButtonStatesToMenu();
}

void TfrmMain::TBtnUpdirClick() {
  if (CurrentPath.empty()) return;
  if (auto parent = browse::ParentLocation(CurrentPath)) {
    CurrentPath = OpenFolder(*parent, "");
  } else {
    BrowseAll();
  }
}

void TfrmMain::TBtnBrowseAllClick() { BrowseAll(); }

}  // namespace app
