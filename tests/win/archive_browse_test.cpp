// What archives hold, in the real windows under Wine: an archive with
// members opens like a folder from the main list and comes back, its
// details box counts the members, the tree view shows it as a node of its
// own that expands, and a search finds its members and opens their folders.
#include <gtest/gtest.h>

#include "app/win_main_form.h"
#include "browse/unit_public.h"
#include "browse/win_unit_treeview.h"
#include "catalog/statements.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"
#include "tests/win/support/gui.h"

namespace {

// The rows a scan with the archives option writes for
// [CD_1]:\backup\photos.zip holding 2019\IMG_0001.JPG and readme.txt.
void AppendArchiveRows(catalog::Query& q) {
  catalog::AppendSnapshot(q, "CD_1", 700, "");
  catalog::OpenEntryAppend(q);
  auto row = [&](const char* path, const char* name, int type, int64_t size, catalog::ArchiveMark mark) {
    catalog::SetEntry(q, 0, name, path, type, size, 0, 0, mark);
    catalog::AppendEntries(q);
  };
  row("[CD_1]:\\", "backup", 1, 0, {});
  row("[CD_1]:\\backup\\", "photos.zip", 0, 5000, {3, false});
  row("[CD_1]:\\backup\\photos.zip\\", "2019", 1, 0, {0, true});
  row("[CD_1]:\\backup\\photos.zip\\2019\\", "IMG_0001.JPG", 0, 2000, {0, true});
  row("[CD_1]:\\backup\\photos.zip\\", "readme.txt", 0, 7, {0, true});
  row("[CD_1]:\\backup\\", "after.txt", 0, 10, {});
  q.Close();
}

class ArchiveBrowseTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    FillNewCatalog(AppendArchiveRows);
    Start();
    main->SetListStyle(app::ListViewStyle::Report);
  }
  ui::ListItem* ItemNamed(const std::string& name) {
    for (int i = 0; i < main->ListView1->ItemCount(); ++i)
      if (main->ListView1->Item(i)->Caption() == name) return main->ListView1->Item(i);
    return nullptr;
  }
  void Open(const std::string& name) {
    ui::ListItem* item = ItemNamed(name);
    ASSERT_NE(item, nullptr) << name;
    main->ListView1->SetSelected(item);
    WORD enter = VK_RETURN;
    main->ListView1KeyDown(enter);
  }
};

}  // namespace

TEST_F(ArchiveBrowseTest, AnArchiveOpensLikeAFolderAndUpComesBack) {
  main->CurrentPath = main->OpenSnapshot("CD_1");
  Open("backup");
  ASSERT_EQ(main->CurrentPath, "[CD_1]:\\backup\\");
  ui::ListItem* archive = ItemNamed("photos.zip");
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(archive->ImageIndex(), browse::kImageArchive);
  EXPECT_EQ(archive->SubItem(0), "压缩包");
  EXPECT_EQ(ItemNamed("after.txt")->SubItem(0), "文件");

  Open("photos.zip");
  ASSERT_EQ(main->CurrentPath, "[CD_1]:\\backup\\photos.zip\\");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "当前路径：[CD_1]:\\backup\\photos.zip\\");
  ASSERT_EQ(main->ListView1->ItemCount(), 2);
  EXPECT_EQ(ItemNamed("2019")->ImageIndex(), browse::kImageFolder);
  Open("2019");
  ASSERT_EQ(main->CurrentPath, "[CD_1]:\\backup\\photos.zip\\2019\\");
  EXPECT_NE(ItemNamed("IMG_0001.JPG"), nullptr);

  WORD esc = VK_ESCAPE;
  main->ListView1KeyDown(esc);
  EXPECT_EQ(main->CurrentPath, "[CD_1]:\\backup\\photos.zip\\");
  main->TBtnUpdirClick();
  EXPECT_EQ(main->CurrentPath, "[CD_1]:\\backup\\");
  EXPECT_EQ(main->ListView1->ItemCount(), 2);

  // The details box of the archive counts what it holds; a member's is a
  // file's.
  boxes.Plan(IDOK);
  main->ShowFileDetails(main, "[CD_1]:\\backup\\", "photos.zip");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_NE(boxes.Last().text.find("大小: 5K  "), std::string::npos) << boxes.Last().text;
  EXPECT_NE(boxes.Last().text.find("\r压缩包内容: 3 个文件和文件夹  "), std::string::npos) << boxes.Last().text;
  boxes.Plan(IDOK);
  main->ShowFileDetails(main, "[CD_1]:\\backup\\photos.zip\\", "readme.txt");
  EXPECT_EQ(boxes.Last().text.find("压缩包内容"), std::string::npos);
}

TEST_F(ArchiveBrowseTest, ASearchFindsMembersAndOpensTheirFolderInsideTheArchive) {
  main->EdtSearch->SetText("IMG_0001");
  main->BtnBeginSearchClick();
  ui::ListView* lv = main->ListView1;
  ASSERT_EQ(lv->ItemCount(), 1);
  EXPECT_EQ(lv->Item(0)->SubItem(1), "[CD_1]:\\backup\\photos.zip\\2019\\");
  main->EdtSearch->SetText("*.zip");
  main->BtnBeginSearchClick();
  ASSERT_EQ(lv->ItemCount(), 1);
  EXPECT_EQ(lv->Item(0)->Caption(), "photos.zip");
  // A folder inside the archive opens from its hit.
  main->EdtSearch->SetText("2019");
  main->BtnBeginSearchClick();
  ASSERT_EQ(lv->ItemCount(), 1);
  lv->SetSelected(lv->Item(0));
  main->ListView1DblClick();
  EXPECT_EQ(main->CurrentPath, "[CD_1]:\\backup\\photos.zip\\2019\\");
  EXPECT_EQ(lv->ItemCount(), 1);
}

namespace {

class ArchiveTreeViewTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    SnapshotCommandTest::SetUp();
    AppendArchiveRows(q);
    BrowseAll();
  }
  static ui::TreeNode* Child(ui::TreeNode* n, const std::string& text) {
    for (int i = 0; n && i < n->Count(); ++i)
      if (n->Item(i)->Text() == text) return n->Item(i);
    return nullptr;
  }
  ui::ImageList images{&main, 16, 16};
  std::vector<std::string> details;  // location + name
  browse::TfrmTreeview tree{&cn, &images, [this](ui::Form*, const std::string& location, const std::string& name) {
                              details.push_back(location + name);
                            }};
};

}  // namespace

TEST_F(ArchiveTreeViewTest, AnArchiveIsANodeOfItsOwnThatExpandsToItsMembers) {
  tree.SnapshotLabel = "CD_1";
  testsupport::ModalAction whileOpen([&] {
    ui::TreeNode* backup = Child(tree.TreeView1.Root(0), "backup");
    ASSERT_NE(backup, nullptr);
    backup->Expand();
    ui::TreeNode* archive = Child(backup, "photos.zip");
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->ImageIndex(), browse::kImageArchive);
    EXPECT_EQ(Child(backup, "after.txt")->ImageIndex(), browse::kImageText);
    EXPECT_EQ(archive->Count(), 0);  // loaded on its first expansion
    archive->Expand();
    ASSERT_EQ(archive->Count(), 2);
    ui::TreeNode* year = Child(archive, "2019");
    ASSERT_NE(year, nullptr);
    year->Expand();
    ui::TreeNode* photo = Child(year, "IMG_0001.JPG");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(browse::TfrmTreeview::LocationOf(photo), "[CD_1]:\\backup\\photos.zip\\2019\\");
    // A double-click shows the archive's details, as a file's.
    tree.TreeView1.SetSelected(archive);
    tree.TreeView1DblClick();
    tree.TreeView1.SetSelected(photo);
    tree.TreeView1DblClick();
    SendMessageW(tree.BtnExit.Handle(), BM_CLICK, 0, 0);
  });
  tree.ShowModal();
  EXPECT_EQ(details, (std::vector<std::string>{"[CD_1]:\\backup\\photos.zip",
                                               "[CD_1]:\\backup\\photos.zip\\2019\\IMG_0001.JPG"}));
}

