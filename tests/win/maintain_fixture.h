// A stand-in for the main window in the tests of the snapshot commands: a
// form with the list, a temporary catalogue in its own folder, and a
// BrowseAll that lists the snapshots as the main window does.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "maintain/win_support.h"
#include "tests/win/support/main_stand_in.h"
#include "platform/text.h"
#include "tests/win/support/gui.h"
#include "tests/win/support/msgbox_answerer.h"
#include "ui/ui.h"

namespace testsupport {

// Runs `act` inside the next modal loop, and checks when it goes out of
// scope that the loop did run it (a loop that ends at once, because the
// application was terminated, must not pass silently nor leave the action
// queued to run later on objects that are gone).
class ModalAction {
 public:
  explicit ModalAction(std::function<void()> act) : alive_(std::make_shared<bool>(true)) {
    ui::App().Post([alive = alive_, ran = &ran_, act = std::move(act)] {
      if (!*alive) return;
      *ran = true;
      act();
    });
  }
  ~ModalAction() {
    *alive_ = false;
    EXPECT_TRUE(ran_) << "the modal loop did not run the test's action";
  }
  ModalAction(const ModalAction&) = delete;
  ModalAction& operator=(const ModalAction&) = delete;

 private:
  std::shared_ptr<bool> alive_;
  bool ran_ = false;
};

class SnapshotCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    folder = ui::Narrow(tmp) + "vorlune-maintain-" + std::to_string(GetCurrentProcessId()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    std::filesystem::remove_all(ui::Wide(folder));
    std::filesystem::create_directories(ui::Wide(folder));
    catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    main.Show();
    main.onBrowseAll = [this] { BrowseAll(); };
  }
  void TearDown() override {
    q.Close();
    cn.Close();
    main.Hide();
    std::error_code ec;
    std::filesystem::remove_all(ui::Wide(folder), ec);
  }

  void BrowseAll() {
    ++browseAlls;
    main.list().Clear();
    main.list().ClearColumns();
    main.list().AddColumn("存储设备", 100, true);
    catalog::OpenSnapshotList(q);
    for (; !q.Eof(); q.Next()) main.list().AddItem(q.AsString("CDName"), 0);
    q.Close();
  }
  void Select(const std::string& label) {
    for (int i = 0; i < main.list().ItemCount(); ++i)
      if (main.list().Item(i)->Caption() == label) main.list().SetSelected(main.list().Item(i));
  }
  void AddSnapshot(const std::string& label, const std::string& memo = "") {
    catalog::AppendSnapshot(q, label, 700, memo);
    const std::string root = catalog::SnapshotRoot(label);
    AddRow(root, "docs", 1);
    AddRow(root + "docs\\", "a.txt", 0, 10);
  }
  void AddRow(const std::string& path, const std::string& name, int type, int64_t size = 0) {
    q.OpenTable("CDFile");
    q.Append();
    q.SetField("Name", name);
    q.SetField("Path", path);
    q.SetField("Type", type);
    if (type == 0) q.SetField("Size", size);
    q.Post();
    q.Close();
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> out;
    catalog::OpenSnapshotList(q);
    for (; !q.Eof(); q.Next()) out.push_back(q.AsString("CDName"));
    q.Close();
    return out;
  }
  int64_t Rows(const std::string& label) {
    int64_t n = 0;
    catalog::OpenExportRows(q, label);
    for (; !q.Eof(); q.Next()) ++n;
    q.Close();
    return n;
  }
  std::string Memo(const std::string& label) {
    catalog::OpenSnapshotRow(q, label);
    std::string m = q.Eof() ? "" : q.AsString("Memo1");
    q.Close();
    return m;
  }

  std::string folder;
  catalog::Connection cn;
  catalog::Query q{&cn};
  MainStandIn main{cn, q};
  int browseAlls = 0;
  MessageBoxAnswerer boxes;
};

}  // namespace testsupport
