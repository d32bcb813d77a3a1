// The search panel's handlers: the search itself runs in the portable
// search loop, which drives the main window through this view.
#include "app/ui_main_form.h"
#include "maintain/search.h"

namespace app {
namespace {

class MainSearchView : public maintain::SearchView {
 public:
  explicit MainSearchView(TfrmMain& f) : f_(f) {}
  void SetBeginSearchEnabled(bool on) override { f_.BtnBeginSearch->SetEnabled(on); }
  void SetStopSearchEnabled(bool on) override { f_.BtnStopSearch->SetEnabled(on); }
  void SetUpdirEnabled(bool on) override {
    f_.TBtnUpdir->SetEnabled(on);
    f_.MnuUpdir->SetEnabled(on);
  }
  void SetStatus(const std::string& text) override { f_.SetLocationStatus(text); }
  void ClearItems() override { f_.ListView1->Clear(); }
  void ShowResultColumns() override {
    f_.ListView1->ClearColumns();
    f_.ListView1->AddColumn("名称", 100, true);
    f_.ListView1->AddColumn("类别", 60, true);
    f_.ListView1->AddColumn("位置", 300, true);
    f_.ListView1->Column(2)->SetWidth(300);
  }
  void AddItem(const maintain::SearchHit& hit) override {
    f_.ListView1->AddItem(hit.caption, hit.image, {hit.kind, hit.path});
  }
  int ItemCount() const override { return f_.ListView1->ItemCount(); }
  void SetCurrentPath(const std::string& path) override { f_.CurrentPath = path; }
  void ProcessMessages() override { ui::App().ProcessMessages(); }

 private:
  TfrmMain& f_;
};

}  // namespace

void TfrmMain::BtnBeginSearchClick() {
  MainSearchView view(*this);
  maintain::RunSearch(ADOQry, SearchRunning, view, EdtSearch->Text(), ChkFolder->Checked(), ChkFile->Checked());
}

void TfrmMain::BtnStopSearchClick() { SearchRunning = false; }

void TfrmMain::ChkFolderClick() {
  BtnBeginSearch->SetEnabled(maintain::BeginSearchEnabled(ChkFolder->Checked(), ChkFile->Checked()));
}

void TfrmMain::EdtSearchKeyUp(WORD key) {
  if (maintain::EnterStartsSearch(key, EdtSearch->Text())) BtnBeginSearchClick();
}

}  // namespace app
