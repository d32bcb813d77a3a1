// The search panel's handlers. The search itself runs in the search
// panel's loop, which holds the list's painting back while rows arrive and
// lets window messages through at short intervals.
#include "app/win_main_form.h"
#include "maintain/search.h"
#include "maintain/win_search_panel.h"
#include "platform/text.h"

namespace app {

shell::SearchControls TfrmMain::searchControls() {
  return shell::SearchControls{EdtSearch, BtnBeginSearch, BtnStopSearch, ChkFolder, ChkFile, TBtnUpdir, MnuUpdir};
}

void TfrmMain::BtnBeginSearchClick() { maintain::BtnBeginSearchClick(*this); }

void TfrmMain::BtnStopSearchClick() { SearchRunning = false; }

void TfrmMain::ChkFolderClick() {
  BtnBeginSearch->SetEnabled(maintain::BeginSearchEnabled(ChkFolder->Checked(), ChkFile->Checked()));
}

void TfrmMain::EdtSearchKeyUp(WORD key) {
  if (maintain::EnterStartsSearch(key, EdtSearch->Text())) BtnBeginSearchClick();
}

// With the setting on, each change of the text starts the wait afresh, so
// that a burst of keys runs one search, 150 ms after the last of them; the
// search replaces a running one as Enter does.
void TfrmMain::EdtSearchChange() {
  if (!mnuInstantSearch->Checked()) return;
  TmrInstantSearch->SetEnabled(false);
  TmrInstantSearch->SetEnabled(true);
}

void TfrmMain::TmrInstantSearchTimer() {
  TmrInstantSearch->SetEnabled(false);
  if (!mnuInstantSearch->Checked() || text::TrimSpace(EdtSearch->Text()).empty()) return;
  ++InstantSearchesRun;
  BtnBeginSearchClick();
}

// A slice of 20,000 rows takes a few milliseconds (about 20 under Wine);
// timer messages come after painting, so the list is shown first.
void TfrmMain::TmrNameIndexTimer() {
  if (!ADOCn.Connected() || ADOCn.Names().BuildStep(ADOCn, 20000)) TmrNameIndex->SetEnabled(false);
}

void TfrmMain::mnuInstantSearchClick() {
  if (!mnuInstantSearch->Checked()) TmrInstantSearch->SetEnabled(false);
}

}  // namespace app
