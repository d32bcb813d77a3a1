#include "maintain/win_entry_actions.h"

#include <shellapi.h>

#include <cstring>

#include "browse/unit_public.h"
#include "browse/win_busy_cursor.h"
#include "catalog/search_conditions.h"
#include "maintain/export.h"
#include "maintain/hit_export.h"
#include "maintain/win_hit_rows.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace maintain {

std::vector<EntryRef> SelectedEntries(const ui::ListView& list, const std::string& currentPath) {
  std::vector<EntryRef> out;
  if (currentPath.empty()) return out;  // the snapshot list
  if (const auto* hits = dynamic_cast<const HitRows*>(list.Rows())) {
    for (int i : list.SelectedIndexes()) {
      const auto row = static_cast<size_t>(i);
      out.push_back({hits->Hits().Path(row), hits->Name(row),
                     hits->Hits().Kind(row) != catalog::EntryKind::File});
    }
    return out;
  }
  for (int i : list.SelectedIndexes())
    if (const ui::ListItem* item = list.Item(i))
      out.push_back({item->SubItem(1), item->Caption(), item->ImageIndex() == browse::kImageFolder});
  return out;
}

bool CopyPaths(HWND owner, const std::vector<EntryRef>& entries) {
  if (entries.empty()) return false;
  const std::wstring text = ui::Wide(PathLines(entries));
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool done = false;
  if (block) {
    if (void* p = GlobalLock(block)) {
      std::memcpy(p, text.c_str(), bytes);
      GlobalUnlock(block);
      // The clipboard owns the block once it is set.
      done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    }
    if (!done) GlobalFree(block);
  }
  CloseClipboard();
  return done;
}

void EntryActionItems::SetEnabled(bool on) {
  for (ui::MenuItem* item : {copyPaths, openLocation, showInTree})
    if (item) item->SetEnabled(on);
}

EntryActionItems AddEntryActions(ui::PopupMenu& menu, shell::MainWindow& main, ui::Form& owner,
                                 browse::TfrmTreeview& tree, std::function<std::vector<EntryRef>()> selected,
                                 const std::string& namePrefix) {
  EntryActionItems items;
  auto first = [selected](auto act) {
    return [selected, act] {
      const std::vector<EntryRef> entries = selected();
      if (!entries.empty()) act(entries);
    };
  };
  menu.AddEntries({
      {.caption = "复制路径(&C)\tCtrl+C", .item = &items.copyPaths,
       .onClick = first([&owner](const std::vector<EntryRef>& e) { CopyPaths(owner.Handle(), e); }),
       .name = namePrefix + "CopyPaths"},
      {.caption = "打开所在位置(&O)", .item = &items.openLocation,
       .onClick = first([&main, &owner](const std::vector<EntryRef>& e) { OpenLocation(main, owner, e.front()); }),
       .name = namePrefix + "OpenLocation"},
      {.caption = "在树状浏览中显示(&S)", .item = &items.showInTree,
       .onClick = first([&main, &tree](const std::vector<EntryRef>& e) { ShowInTreeView(main, tree, e.front()); }),
       .name = namePrefix + "ShowInTree"},
  });
  return items;
}

std::string InsertDiskMessage(std::string_view label) { return "请插入 " + std::string(label); }

namespace {

// A member of an archive has no path of its own on the disk: Explorer
// selects the archive that holds it, the nearest file above it.
std::wstring SelectablePath(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  for (size_t cut = path.rfind(L'\\'); cut != std::wstring::npos && cut > 0; cut = path.rfind(L'\\', cut - 1)) {
    const std::wstring above = path.substr(0, cut);
    const DWORD attributes = GetFileAttributesW(above.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? path : above;
  }
  return path;
}

}  // namespace

void OpenLocation(shell::MainWindow& main, ui::Form& owner, const EntryRef& entry) {
  const std::string label(catalog::LabelOfPath(entry.folder));
  const std::string root = main.DriveOfSnapshot(label);
  const auto path = root.empty() ? std::nullopt : PathOnDrive(entry, root);
  if (!path) {
    ui::ShowMessageBox(&owner, InsertDiskMessage(label), MB_OK | MB_ICONINFORMATION);
    return;
  }
  const std::wstring args = L"/select,\"" + SelectablePath(ui::Wide(*path)) + L"\"";
  ShellExecuteW(owner.Handle(), L"open", L"explorer.exe", args.c_str(), nullptr, SW_SHOWNORMAL);
}

void ShowInTreeView(shell::MainWindow& main, browse::TfrmTreeview& tree, const EntryRef& entry) {
  const std::string label(catalog::LabelOfPath(entry.folder));
  if (label.empty()) return;
  main.SetLocationStatus("树状浏览 - " + label);
  tree.SnapshotLabel = label;
  tree.RevealSteps = StepsBelowRoot(entry);
  tree.ShowModal();
  tree.RevealSteps.clear();
  main.SetLocationStatus("");
}

void ExportHits(shell::MainWindow& main, ui::SaveDialog& dialog) {
  const auto* hits = dynamic_cast<const HitRows*>(main.list().Rows());
  if (!hits || hits->Count() == 0) return;
  dialog.OldStyle = UseOldStyleSaveDialog(main.osNewerThan50(), main.skinActive());
  dialog.Title = "导出搜索结果";
  dialog.FileName = "搜索结果";
  dialog.Filter = "CSV 文件 (*.csv)|*.csv|文本文件 (*.txt)|*.txt";
  dialog.FilterIndex = 1;
  dialog.DefaultExt = "csv";
  dialog.OverwritePrompt = true;
  if (!dialog.Execute()) return;
  browse::BusyCursor busy;
  std::vector<HitLine> lines;
  lines.reserve(hits->Count());
  for (size_t r = 0; r < hits->Count(); ++r)
    lines.push_back({hits->Text(r, kHitName), hits->Text(r, kHitKind), hits->Text(r, kHitFolder),
                     hits->Text(r, kHitSize), hits->Text(r, kHitModified), hits->Text(r, kHitSnapshot)});
  // The name decides; a name of neither kind takes the kind chosen.
  const std::string upper = text::AsciiUpper(dialog.FileName);
  const bool txt = upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".TXT") == 0;
  const bool csv = IsCsvName(dialog.FileName) || (!txt && dialog.FilterIndex == 1);
  fileio::WriteFileAtomic(dialog.FileName, csv ? HitsCsv(lines) : HitsPlainText(lines));
  ui::ShowMessageBox(&main.form(), ExportDoneMessage(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace maintain
