// The search panel's handlers. The search itself runs in the search
// panel's loop, which holds the list's painting back while rows arrive and
// lets window messages through at short intervals.
#include "app/win_main_form.h"
#include "maintain/search.h"
#include "maintain/win_search_panel.h"

namespace app {

SearchControls TfrmMain::searchControls() {
  return SearchControls{EdtSearch, BtnBeginSearch, BtnStopSearch, ChkFolder, ChkFile, TBtnUpdir, MnuUpdir};
}

void TfrmMain::BtnBeginSearchClick() { maintain::BtnBeginSearchClick(*this); }

void TfrmMain::BtnStopSearchClick() { SearchRunning = false; }

void TfrmMain::ChkFolderClick() {
  BtnBeginSearch->SetEnabled(maintain::BeginSearchEnabled(ChkFolder->Checked(), ChkFile->Checked()));
}

void TfrmMain::EdtSearchKeyUp(WORD key) {
  if (maintain::EnterStartsSearch(key, EdtSearch->Text())) BtnBeginSearchClick();
}

}  // namespace app
