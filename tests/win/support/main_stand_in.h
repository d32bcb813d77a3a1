// A stand-in for the main window in the tests of the windows that use it:
// a form with a list in details view, the test's connection and query, and
// hooks that record what the windows ask of the main window.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/win_main_window.h"
#include "ui/ui.h"

namespace testsupport {

class MainStandIn : public ui::Form, public shell::MainWindow {
 public:
  MainStandIn(catalog::Connection& cn, catalog::Query& q) : ui::Form("TfrmMainStandIn"), cn_(cn), q_(q) {
    SetCaption("Vorlune");
    SetClientSize(500, 300);
    list_.SetBounds(0, 0, 500, 300);
    list_.SetViewStyle(ui::vsReport);
  }
  ui::ImageList images{this, 16, 16};
  std::string path;
  bool running = false;
  browse::ColumnSortState sort;
  bool newerThan50 = false;
  bool skinned = false;
  std::function<void()> onBrowseAll;
  std::function<void(const std::string&)> onStatus;
  std::function<void(ui::Form*, const std::string&, const std::string&)> onDetails;

  ui::Form& form() override { return *this; }
  catalog::Connection& connection() override { return cn_; }
  catalog::Query& query() override { return q_; }
  ui::ListView& list() override { return list_; }
  ui::ImageList& smallImages() override { return images; }
  std::string& currentPath() override { return path; }
  bool& searchRunning() override { return running; }
  browse::ColumnSortState& sortAscending() override { return sort; }
  bool osNewerThan50() const override { return newerThan50; }
  bool skinActive() const override { return skinned; }
  shell::SearchControls searchControls() override { return {}; }
  std::vector<catalog::Query*> otherQueries() override { return {}; }
  void BrowseAll() override {
    if (onBrowseAll) onBrowseAll();
  }
  void SetLocationStatus(const std::string& text) override {
    if (onStatus) onStatus(text);
  }
  std::string DriveOfSnapshot(const std::string& label) override {
    auto it = drives.find(label);
    return it == drives.end() ? std::string() : it->second;
  }
  std::map<std::string, std::string> drives;  // label -> drive root, as DriveOfSnapshot answers
  void ShowFileDetails(ui::Form* owner, const std::string& location, const std::string& name) override {
    if (onDetails) onDetails(owner, location, name);
  }

 private:
  ui::ListView list_{this};
  catalog::Connection& cn_;
  catalog::Query& q_;
};

}  // namespace testsupport
