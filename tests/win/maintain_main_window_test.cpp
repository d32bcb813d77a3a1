// The snapshot commands connected to the real main window, as the program
// entry connects them: toolbar, Delete key, header click, tree view and
// compaction from the menu.
#include <gtest/gtest.h>

#include <memory>

#include "maintain/win_snapshot_windows.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"

using testsupport::ModalAction;

namespace {

class SnapshotWindowsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    MakeSampleCatalog();
    Start();
    main->SetListStyle(app::ListViewStyle::Report);
    maintain::MainWindowParts parts;
    parts.form = main;
    parts.connection = &main->ADOCn;
    parts.query = &main->ADOQry;
    parts.list = main->ListView1;
    parts.smallImages = main->ImgLstSmall;
    parts.sortAscending = &main->SortAscending;
    parts.currentPath = &main->CurrentPath;
    parts.osNewerThan50 = &main->OsNewerThan50;
    parts.skinActive = &main->SkinActive;
    parts.browseAll = [m = main] { m->BrowseAll(); };
    parts.setLocationStatus = [m = main](const std::string& s) { m->SetLocationStatus(s); };
    parts.showFileDetails = [m = main](ui::Form* owner, const std::string& location, const std::string& name) {
      m->ShowFileDetails(owner, location, name);
    };
    windows = std::make_unique<maintain::SnapshotWindows>(parts);
    auto& c = main->Commands;
    c.deleteSnapshot = windows->DeleteCommand();
    c.rename = windows->RenameCommand();
    c.memo = windows->MemoCommand();
    c.exportSnapshot = windows->ExportCommand();
    c.treeview = windows->TreeviewCommand();
    c.print = windows->PrintCommand();
    c.compact = windows->CompactCommand();
    c.about = windows->AboutCommand();
    c.help = windows->HelpCommand();
    main->ListView1->OnColumnClick = windows->ColumnClick();
  }
  void TearDown() override {
    if (main) Stop();
    windows.reset();
    MainWindowTest::TearDown();
  }
  void SelectSnapshot(int index) {
    main->ListView1->SetSelected(main->ListView1->Item(index));
    testsupport::PumpFor(20);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < main->ListView1->ItemCount(); ++i) out.push_back(main->ListView1->Item(i)->Caption());
    return out;
  }
  using V = std::vector<std::string>;

  std::unique_ptr<maintain::SnapshotWindows> windows;
};

}  // namespace

TEST_F(SnapshotWindowsTest, DeleteKeyDeletesTheSelectedSnapshot) {
  SelectSnapshot(0);
  boxes.Plan(IDYES);
  boxes.Plan(IDOK);
  WORD del = VK_DELETE;
  main->ListView1KeyDown(del);
  ASSERT_EQ(boxes.Count(), 2);
  EXPECT_EQ(boxes.Seen()[0].owner, main->Handle());
  EXPECT_EQ(Captions(), V{"CD2"});
  EXPECT_EQ(main->StatusBar1->PanelText(1), "浏览所有");
  EXPECT_FALSE(main->TBtnDelete->Enabled());
}

TEST_F(SnapshotWindowsTest, RenameAndMemoFromTheToolbarRefreshTheList) {
  SelectSnapshot(0);
  {
    ModalAction act([&] {
      windows->frmRename->EdtName.SetText("DATA");
      SendMessageW(windows->frmRename->BtnOK.Handle(), BM_CLICK, 0, 0);
    });
    main->TBtnRename->Click();
  }
  EXPECT_EQ(Captions(), (V{"DATA", "CD2"}));
  SelectSnapshot(0);
  {
    ModalAction act([&] {
      windows->frmMemo->Memo1.SetText("It's a very long memo of more than twenty-four bytes");
      SendMessageW(windows->frmMemo->BtnSave.Handle(), BM_CLICK, 0, 0);
    });
    main->TBtnMemo->Click();
  }
  EXPECT_EQ(main->ListView1->Item(0)->SubItem(1), "It's a very long memo of...");
}

TEST_F(SnapshotWindowsTest, TreeViewFromTheToolbarWithStatusAndFileDetails) {
  SelectSnapshot(0);
  std::string during;
  {
    ModalAction act([&] {
      during = main->StatusBar1->PanelText(1);
      browse::TfrmTreeview& tree = *windows->frmTreeview;
      ui::TreeNode* root = tree.TreeView1.Root(0);
      for (int i = 0; i < root->Count(); ++i)
        if (root->Item(i)->Text() == "readme.TxT") tree.TreeView1.SetSelected(root->Item(i));
      boxes.Plan(IDOK);
      tree.TreeView1DblClick();
      SendMessageW(tree.BtnExit.Handle(), BM_CLICK, 0, 0);
    });
    main->TBtnTreeview->Click();
  }
  EXPECT_EQ(during, "树状浏览 - CD1");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().owner, windows->frmTreeview->Handle());
  EXPECT_EQ(boxes.Last().caption, "Vorlune-文件");
  EXPECT_NE(boxes.Last().text.find("[CD1]:\\"), std::string::npos);
}

TEST_F(SnapshotWindowsTest, HeaderClickSortsCapacitiesAsNumbers) {
  catalog::AppendSnapshot(main->ADOQry, "CD3", 99, "");
  main->BrowseAll();
  ui::ListView* lv = main->ListView1;
  lv->OnColumnClick(lv->Column(1));
  EXPECT_EQ(Captions(), (V{"CD3", "CD1", "CD2"}));
  lv->OnColumnClick(lv->Column(1));
  EXPECT_EQ(Captions(), (V{"CD2", "CD1", "CD3"}));
}

TEST_F(SnapshotWindowsTest, CompactionFromTheMenuLeavesAWorkingConnection) {
  {
    ModalAction act([&] {
      SendMessageW(windows->frmCompactDB->BtnCompact.Handle(), BM_CLICK, 0, 0);
      SendMessageW(windows->frmCompactDB->BtnCancel.Handle(), BM_CLICK, 0, 0);
    });
    main->mnuCompactDB->Click();
  }
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_TRUE(main->ADOCn.Connected());
  main->BrowseAll();
  EXPECT_EQ(Captions(), (V{"CD1", "CD2"}));
}

TEST_F(SnapshotWindowsTest, PrintingDoesNothingWithoutAPrinter) {
  EXPECT_FALSE(main->BtnPrint->Enabled());
  EXPECT_NO_THROW(windows->PrintCommand()());
  EXPECT_EQ(boxes.Count(), 0);
}
