// The actions on the entries a list shows (search hits, a folder's entries,
// the statistics' largest files): copy their stored paths, open the folder
// of one in Explorer when its disk is in a drive, show one in the tree view,
// and export the hits. The windows that list entries share them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "browse/win_unit_treeview.h"
#include "maintain/entry_paths.h"
#include "shell/win_main_window.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/menus.h"

namespace maintain {

// The entries selected in a list: its hit rows, or items whose caption is
// the name and whose second sub item the folder ("位置"); none in the
// snapshot list.
std::vector<EntryRef> SelectedEntries(const ui::ListView& list, const std::string& currentPath);

// "复制路径": the stored paths, one a line, as Unicode text on the clipboard.
// False when the clipboard could not be had.
bool CopyPaths(HWND owner, const std::vector<EntryRef>& entries);
// "打开所在位置": Explorer at the entry's folder with the entry selected,
// when a drive holds the snapshot's disk; otherwise "请插入 <label>".
void OpenLocation(shell::MainWindow& main, ui::Form& owner, const EntryRef& entry);
// "在树状浏览中显示": the tree view of the entry's snapshot, opened down to it.
void ShowInTreeView(shell::MainWindow& main, browse::TfrmTreeview& tree, const EntryRef& entry);
// "导出搜索结果...": the hits the list shows, in its order, as CSV or plain
// text by the name chosen. Nothing when the list shows no hits.
void ExportHits(shell::MainWindow& main, ui::SaveDialog& dialog);

// "复制路径", "打开所在位置" and "在树状浏览中显示" as items of a window's
// context menu, on the entries `selected` gives when chosen; SetEnabled
// follows whether there are any.
struct EntryActionItems {
  ui::MenuItem* copyPaths = nullptr;
  ui::MenuItem* openLocation = nullptr;
  ui::MenuItem* showInTree = nullptr;
  void SetEnabled(bool on);
};
EntryActionItems AddEntryActions(ui::PopupMenu& menu, shell::MainWindow& main, ui::Form& owner,
                                 browse::TfrmTreeview& tree, std::function<std::vector<EntryRef>()> selected,
                                 const std::string& namePrefix);

// The message when no drive holds the snapshot's disk.
std::string InsertDiskMessage(std::string_view label);

}  // namespace maintain
