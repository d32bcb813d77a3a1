// The search panel's handlers. The search itself runs in the search
// panel's loop, which holds the list's painting back while rows arrive and
// lets window messages through at short intervals.
#include "app/win_main_form.h"
#include "maintain/search.h"
#include "maintain/win_search_panel.h"
#include "platform/text.h"

namespace app {

shell::SearchControls TfrmMain::searchControls() {
  shell::SearchControls c{EdtSearch, BtnBeginSearch, BtnStopSearch, ChkFolder, ChkFile, TBtnUpdir, MnuUpdir};
  c.conditions = [this](std::string& error) { return PnlConditions->Conditions(error); };
  return c;
}

void TfrmMain::BtnBeginSearchClick() {
  SearchHistory = WithSearchText(std::move(SearchHistory), EdtSearch->Text());
  maintain::BtnBeginSearchClick(*this);
}

void TfrmMain::ShowSearchHistory() {
  PMnuSearchHistory->Items.Clear();
  if (SearchHistory.empty()) PMnuSearchHistory->Items.Add("（没有搜索记录）")->SetEnabled(false);
  for (const std::string& t : SearchHistory)
    PMnuSearchHistory->Items.Add(t, [this, t] {
      RunCommand([this, t] {
        EdtSearch->SetText(t);
        EdtSearch->SetFocus();
        EdtSearch->SelectAll();
      });
    });
  RECT r;
  GetWindowRect(EdtSearch->Handle(), &r);
  PMnuSearchHistory->Popup(r.left, r.bottom);
}

void TfrmMain::BtnStopSearchClick() { SearchRunning = false; }

void TfrmMain::ChkFolderClick() {
  BtnBeginSearch->SetEnabled(maintain::BeginSearchEnabled(ChkFolder->Checked(), ChkFile->Checked()));
}

void TfrmMain::EdtSearchKeyUp(WORD key) {
  if (key == VK_DOWN && GetKeyState(VK_MENU) < 0) return ShowSearchHistory();
  if (maintain::EnterStartsSearch(key, EdtSearch->Text(), PnlConditions->Visible())) BtnBeginSearchClick();
}

void TfrmMain::BtnMoreConditionsClick() { ShowConditions(!PnlConditions->Visible()); }

void TfrmMain::ShowConditions(bool on) {
  PnlConditions->SetVisible(on);
  BtnMoreConditions->SetCaption(on ? "更多条件(&O) <<" : "更多条件(&O) >>");
  if (on) PnlConditions->EdtMinSize.SetFocus();
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
