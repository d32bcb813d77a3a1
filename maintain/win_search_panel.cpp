#include "maintain/win_search_panel.h"

#include <windows.h>

#include "maintain/win_hit_rows.h"
#include "ui/application.h"

namespace maintain {
namespace {

class ListSearchView : public SearchView {
 public:
  explicit ListSearchView(shell::MainWindow& main) : main_(main), p_(main.searchControls()), list_(&main.list()) {}
  void SetBeginSearchEnabled(bool on) override { p_.beginButton->SetEnabled(on); }
  void SetStopSearchEnabled(bool on) override { p_.stopButton->SetEnabled(on); }
  void SetUpdirEnabled(bool on) override {
    p_.updirButton->SetEnabled(on);
    if (p_.updirItem) p_.updirItem->SetEnabled(on);
  }
  void SetStatus(const std::string& text) override { main_.SetLocationStatus(text); }
  void ClearItems() override { list_->Clear(); }
  void ShowResultColumns() override {
    list_->ClearColumns();
    list_->AddColumn("名称", 100, true);
    list_->AddColumn("类别", 60, true);
    list_->AddColumn("位置", 300, true);
    list_->AddColumn("大小", 80);
    list_->AddColumn("修改日期", 110);
    list_->AddColumn("快照", 80);
    list_->Column(2)->SetWidth(300);
  }
  bool TakesHitTables() const override { return true; }
  void ShowHits(std::shared_ptr<catalog::HitTable> hits) override {
    list_->SetMultiSelect(true);
    list_->SetRows(std::make_shared<HitRows>(main_.connection(), std::move(hits)));
  }
  void AddItem(const SearchHit& hit) override { list_->AddItem(hit.caption, hit.image, {hit.kind, hit.path}); }
  int ItemCount() const override { return list_->ItemCount(); }
  void SetCurrentPath(const std::string& path) override { main_.currentPath() = path; }
  // Between passes the list only collects rows. A pass lets it paint the
  // rows so far a few times a second (a repaint of the list costs about 20
  // ms under Wine, too much for every pass), and whenever the user types or
  // clicks, so that whatever that opens meets a list that paints normally.
  void ProcessMessages() override {
    const ULONGLONG now = GetTickCount64();
    const bool show = now - lastShown_ >= kShowIntervalMs || HIWORD(GetQueueStatus(QS_INPUT)) != 0;
    if (show) {
      lastShown_ = now;
      Redraw(true);
    }
    ui::App().ProcessMessages();
    if (show && filling_) Redraw(false);
  }
  void BeginFill() override {
    filling_ = true;
    // The first showing comes a quarter of a second in: a search that
    // finishes sooner paints its list once, at the end.
    lastShown_ = GetTickCount64();
    Redraw(false);
  }
  void EndFill() override {
    filling_ = false;
    Redraw(true);
  }

 private:
  void Redraw(bool on) {
    if (IsWindow(list_->Handle())) SendMessageW(list_->Handle(), WM_SETREDRAW, on, 0);
  }
  static constexpr ULONGLONG kShowIntervalMs = 250;
  shell::MainWindow& main_;
  const shell::SearchControls p_;
  ui::ListView* const list_;
  bool filling_ = false;
  ULONGLONG lastShown_ = 0;
};

}  // namespace

void BtnBeginSearchClick(shell::MainWindow& main, unsigned intervalMs) {
  ListSearchView view(main);
  const shell::SearchControls panel = main.searchControls();
  MessagePacing pacing{intervalMs, [] { return static_cast<uint64_t>(GetTickCount64()); }};
  catalog::SearchRequest request;
  request.text = panel.edit->Text();
  request.folders = panel.folderOption->Checked();
  request.files = panel.fileOption->Checked();
  if (panel.conditions) {
    std::string error;
    auto conditions = panel.conditions(error);
    if (!conditions) {
      main.SetLocationStatus("搜索条件有误：" + error);
      return;
    }
    request.conditions = std::move(*conditions);
  }
  RunSearch(main.query(), main.searchRunning(), view, request, pacing);
}

}  // namespace maintain
