// The snapshot commands in the real program, as its entry connects them:
// toolbar, Delete key, header click, tree view and compaction from the menu.
#include <gtest/gtest.h>

#include <memory>

#include "maintain/win_search_panel.h"
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
    rename = static_cast<maintain::TfrmRename*>(program->frmRename);
    memo = static_cast<maintain::TfrmMemo*>(program->frmMemo);
    compact = static_cast<maintain::TfrmCompactDB*>(program->frmCompactDB);
    tree = static_cast<browse::TfrmTreeview*>(program->frmTreeview);
  }
  void SelectSnapshot(int index) {
    main->ListView1->SetSelected(main->ListView1->Item(index));
    testsupport::PumpPosted();
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < main->ListView1->ItemCount(); ++i) out.push_back(main->ListView1->Item(i)->Caption());
    return out;
  }
  using V = std::vector<std::string>;

  maintain::TfrmRename* rename = nullptr;
  maintain::TfrmMemo* memo = nullptr;
  maintain::TfrmCompactDB* compact = nullptr;
  browse::TfrmTreeview* tree = nullptr;
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
      rename->EdtName.SetText("DATA");
      SendMessageW(rename->BtnOK.Handle(), BM_CLICK, 0, 0);
    });
    main->TBtnRename->Click();
  }
  EXPECT_EQ(Captions(), (V{"DATA", "CD2"}));
  SelectSnapshot(0);
  {
    ModalAction act([&] {
      memo->Memo1.SetText("It's a very long memo of more than twenty-four bytes");
      SendMessageW(memo->BtnSave.Handle(), BM_CLICK, 0, 0);
    });
    main->TBtnMemo->Click();
  }
  EXPECT_EQ(main->ListView1->Item(0)->SubItem(4), "It's a very long memo of...");
}

TEST_F(SnapshotWindowsTest, TreeViewFromTheToolbarWithStatusAndFileDetails) {
  SelectSnapshot(0);
  std::string during;
  {
    ModalAction act([&] {
      during = main->StatusBar1->PanelText(1);
      browse::TfrmTreeview& t = *tree;
      ui::TreeNode* root = t.TreeView1.Root(0);
      for (int i = 0; i < root->Count(); ++i)
        if (root->Item(i)->Text() == "readme.TxT") t.TreeView1.SetSelected(root->Item(i));
      boxes.Plan(IDOK);
      t.TreeView1DblClick();
      SendMessageW(t.BtnExit.Handle(), BM_CLICK, 0, 0);
    });
    main->TBtnTreeview->Click();
  }
  EXPECT_EQ(during, "树状浏览 - CD1");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().owner, tree->Handle());
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
      SendMessageW(compact->BtnCompact.Handle(), BM_CLICK, 0, 0);
      SendMessageW(compact->BtnCancel.Handle(), BM_CLICK, 0, 0);
    });
    main->mnuCompactDB->Click();
  }
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_TRUE(main->ADOCn.Connected());
  main->BrowseAll();
  EXPECT_EQ(Captions(), (V{"CD1", "CD2"}));
}

TEST_F(SnapshotWindowsTest, PrintingDoesNothingWithoutAPrinter) {
  // With a printer the command would open the real print dialog.
  if (ui::PrintDialog::PrinterInstalled()) GTEST_SKIP() << "a printer is installed on this machine";
  EXPECT_FALSE(main->BtnPrint->Enabled());
  EXPECT_NO_THROW(main->Commands.print());
  EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(SnapshotWindowsTest, SearchPanelFillsTheListAndReportsTheCount) {
  main->EdtSearch->SetText("TXT");
  main->ChkFile->SetChecked(true);
  maintain::BtnBeginSearchClick(*main, 0);
  EXPECT_EQ(main->StatusBar1->PanelText(1), "搜索到：3项");
  EXPECT_EQ(Captions().size(), 3u);
  EXPECT_EQ(main->CurrentPath, "[");
  EXPECT_FALSE(main->TBtnUpdir->Enabled());
  EXPECT_FALSE(main->BtnStopSearch->Enabled());
  EXPECT_TRUE(main->BtnBeginSearch->Enabled());
}
