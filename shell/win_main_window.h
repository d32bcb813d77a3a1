// What the other windows use of the main window, in one place: its catalogue
// connection and the query its commands share, the list that shows every
// result, its status line, the flags the windows share, and the search
// panel's controls. TfrmMain implements it; tests give a stand-in. It sits
// below the windows that use it (create/, maintain/), so none of them
// imports the program's top floor (app/).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browse/column_sort.h"
#include "catalog/connection.h"
#include "catalog/query.h"
#include "catalog/search_conditions.h"
#include "ui/bars.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/menus.h"
#include "ui/std_controls.h"

namespace shell {

// The search panel's controls and their twins on the toolbar and menu.
struct SearchControls {
  ui::Edit* edit = nullptr;               // EdtSearch
  ui::Button* beginButton = nullptr;      // BtnBeginSearch
  ui::Button* stopButton = nullptr;       // BtnStopSearch
  ui::CheckBox* folderOption = nullptr;   // ChkFolder
  ui::CheckBox* fileOption = nullptr;     // ChkFile
  ui::ToolButton* updirButton = nullptr;  // TBtnUpdir
  ui::MenuItem* updirItem = nullptr;      // MnuUpdir
  // The conditions of "更多条件" (none while it is folded away); nothing,
  // with the error, when they cannot be read.
  std::function<std::optional<catalog::SearchConditions>(std::string& error)> conditions;
};

class MainWindow {
 public:
  virtual ~MainWindow() = default;

  // The window itself: owner of the boxes and dialogs of its commands.
  virtual ui::Form& form() = 0;
  virtual catalog::Connection& connection() = 0;  // ADOCn
  virtual catalog::Query& query() = 0;            // ADOQry, one statement at a time
  virtual ui::ListView& list() = 0;               // ListView1
  virtual ui::ImageList& smallImages() = 0;       // ImgLstSmall
  // The list's location and mode: empty for the snapshot list, a stored
  // path for a folder, "[" for search results.
  virtual std::string& currentPath() = 0;         // CurrentPath
  virtual bool& searchRunning() = 0;              // SearchRunning
  virtual browse::ColumnSortState& sortAscending() = 0;  // SortAscending
  virtual bool osNewerThan50() const = 0;         // OsNewerThan50
  virtual bool skinActive() const = 0;            // a skin is switched on
  virtual SearchControls searchControls() = 0;
  // Queries of other windows on the connection, closed with it when the
  // catalogue is compacted.
  virtual std::vector<catalog::Query*> otherQueries() = 0;

  // Shows the snapshot list afresh.
  virtual void BrowseAll() = 0;
  // Status panel 1.
  virtual void SetLocationStatus(const std::string& text) = 0;
  // The file details box.
  virtual void ShowFileDetails(ui::Form* owner, const std::string& location, const std::string& name) = 0;
  // The root ("E:\") of the drive that holds the disk of the snapshot
  // `label` (matched by serial number and volume label); "" when none does.
  virtual std::string DriveOfSnapshot(const std::string& label) = 0;
};

}  // namespace shell
