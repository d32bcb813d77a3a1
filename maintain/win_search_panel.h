// The search panel's begin button on the main window: the portable search
// loop driving the list, the buttons and the status bar. The list holds its
// painting back while it fills and repaints each time the messages go
// through, a few milliseconds apart, so that a search of 100,000 hits takes
// seconds rather than minutes and the window answers all the while.
#pragma once

#include <functional>
#include <string>

#include "catalog/query.h"
#include "maintain/search.h"
#include "ui/bars.h"
#include "ui/list_view.h"
#include "ui/menus.h"
#include "ui/std_controls.h"

namespace maintain {

struct SearchPanelParts {
  catalog::Query* query = nullptr;         // ADOQry
  bool* searchRunning = nullptr;           // SearchRunning
  std::string* currentPath = nullptr;      // CurrentPath
  ui::ListView* list = nullptr;            // ListView1
  ui::Edit* edit = nullptr;                // EdtSearch
  ui::Button* beginButton = nullptr;       // BtnBeginSearch
  ui::Button* stopButton = nullptr;        // BtnStopSearch
  ui::CheckBox* folderOption = nullptr;    // ChkFolder
  ui::CheckBox* fileOption = nullptr;      // ChkFile
  ui::ToolButton* updirButton = nullptr;   // TBtnUpdir
  ui::MenuItem* updirItem = nullptr;       // MnuUpdir
  std::function<void(const std::string&)> setStatus;  // status panel 1
};

// Milliseconds between two passes of the window messages during a search.
inline constexpr unsigned kSearchMessageIntervalMs = 15;

// `BtnBeginSearchClick`.
void BtnBeginSearchClick(const SearchPanelParts& panel, unsigned intervalMs = kSearchMessageIntervalMs);

}  // namespace maintain
