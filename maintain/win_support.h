// What the snapshot commands need of the main window, and the program's
// message box that every command of this module shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "browse/win_busy_cursor.h"
#include "catalog/query.h"
#include "ui/form.h"
#include "ui/list_view.h"

namespace maintain {

struct MainWindowLink {
  ui::Form* form = nullptr;           // the main window, owner of the boxes
  catalog::Query* query = nullptr;    // its shared query `ADOQry`
  ui::ListView* list = nullptr;       // `ListView1`: the selected item is the snapshot
  std::function<void()> browseAll;    // `BrowseAll`
  // The label of the list's selected item, or nothing when none is selected.
  std::string SelectedLabel(bool& any) const;
};

// A message box with the application title as caption; returns the button.
int ShowBox(ui::Form* owner, std::string_view text, UINT flags);

using browse::BusyCursor;

}  // namespace maintain
