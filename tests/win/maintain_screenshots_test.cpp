// Screenshots of this module's windows for the help pages, taken by
// docs/help/take_pictures.sh (tests/win/support/screenshots.h); disabled in
// the normal run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "browse/win_unit_treeview.h"
#include "duplicates/win_duplicates_window.h"
#include "platform/file_time.h"
#include "stats/win_space_map_window.h"
#include "stats/win_statistics_window.h"
#include "maintain/win_commands.h"
#include "maintain/win_unit_about.h"
#include "tests/win/maintain_fixture.h"
#include "tests/win/support/screenshots.h"
#include "ui/gdi.h"

namespace {

class ScreenshotsTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    shots = testsupport::ShotsFolder();
    if (shots.empty()) GTEST_SKIP() << "VORLUNE_SHOTS names no folder";
    SnapshotCommandTest::SetUp();
    catalog::AppendSnapshot(q, "BACKUP01", 4300, "2004 年的照片和文档");
    const std::string root = catalog::SnapshotRoot("BACKUP01");
    AddRow(root, "PHOTOS", 1);
    AddRow(root, "文档", 1);
    AddRow(root, "readme.txt", 0, 1200);
    AddRow(root, "setup.exe", 0, 120000);
    AddRow(root + "PHOTOS\\", "2004", 1);
    AddRow(root + "PHOTOS\\", "index.htm", 0, 5000);
    AddRow(root + "PHOTOS\\2004\\", "春节.jpg", 0, 250000);
    AddRow(root + "PHOTOS\\2004\\", "海边.jpg", 0, 310000);
    AddRow(root + "PHOTOS\\2004\\", "notes.doc", 0, 31000);
    AddRow(root + "文档\\", "工作报告.doc", 0, 42000);
    // A deleted snapshot leaves space for the compaction to give back.
    cn.BeginTransaction();
    catalog::AppendSnapshot(q, "OLD", 700, "");
    for (int i = 0; i < 3000; ++i) AddRow(catalog::SnapshotRoot("OLD"), "file" + std::to_string(i) + ".dat", 0, i);
    cn.Commit();
    catalog::DeleteSnapshotFiles(q, "OLD");
    catalog::DeleteSnapshotRow(q, "OLD");
    BrowseAll();
  }
  // Shows `form` modally, lets `prepare` set it up, has its picture taken
  // once it is painted, and closes it.
  void Shoot(ui::Form& form, const std::string& name, std::function<void()> show,
             std::function<void()> prepare = [] {}) {
    Select("BACKUP01");
    {
      testsupport::ModalAction act([&, name, prepare] {
        prepare();
        EXPECT_TRUE(testsupport::AwaitScreenshot(form.Handle(), shots + name)) << name;
        form.ModalResult = ui::mrCancel;
      });
      show();
    }
  }
  std::string shots;
};

}  // namespace

TEST_F(ScreenshotsTest, DISABLED_Dialogs) {
  maintain::TfrmRename rename(&q);
  Shoot(rename, "rename", [&] { maintain::TBtnRenameClick(main, rename); },
        [&] { rename.EdtName.SetText("BACKUP01"); });
  maintain::TfrmMemo memo;
  Shoot(memo, "memo", [&] { maintain::TBtnMemoClick(main, memo); },
        [&] { memo.Memo1.SetText("2004 年的照片和文档\r\n存放在书房第二个抽屉"); });
  maintain::TfrmCompactDB compact(&cn, folder);
  compact.Queries = {&q};
  Shoot(compact, "compact", [&] { compact.ShowModal(); });
  Shoot(compact, "compact_done", [&] { compact.ShowModal(); },
        [&] { SendMessageW(compact.BtnCompact.Handle(), BM_CLICK, 0, 0); });
  Shoot(compact, "compact_again", [&] { compact.ShowModal(); });
  maintain::TfrmAbout about;
  Shoot(about, "about", [&] { about.ShowModal(); });
}

// The kind icons, taken from the built program (the tests carry none):
// VORLUNE_PROGRAM, or else the copy in dist/win64.
void LoadKindIcons(ui::ImageList& images) {
  const char* program = std::getenv("VORLUNE_PROGRAM");
  std::string exe =
      program && *program ? program : std::string("Z:") + VORLUNE_SOURCE_DIR + "/dist/win64/Kestrova.exe";
  for (char& c : exe)
    if (c == '/') c = '\\';
  HMODULE module = LoadLibraryExW(ui::Wide(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return;
  for (int id = 300; id < 311; ++id) {
    gdi::Icon icon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0)));
    if (!icon) continue;
    images.AddIcon(icon.get());
  }
  FreeLibrary(module);
}

TEST_F(ScreenshotsTest, DISABLED_TreeView) {
  ui::ImageList images{&main, 16, 16};
  LoadKindIcons(images);
  browse::TfrmTreeview tree(&cn, &images, [](ui::Form*, const std::string&, const std::string&) {});
  Shoot(tree, "treeview", [&] { browse::TBtnTreeviewClick(&main.list(), [](const std::string&) {}, tree); },
        [&] {
          ui::TreeNode* root = tree.TreeView1.Root(0);
          for (int i = 0; i < root->Count(); ++i)
            if (root->Item(i)->Text() == "PHOTOS") {
              root->Item(i)->Expand();
              root->Item(i)->Item(0)->Expand();
              tree.TreeView1.SetSelected(root->Item(i)->Item(0)->Item(1));
            }
        });
}

TEST_F(ScreenshotsTest, DISABLED_Duplicates) {
  // A second backup that holds copies of the first one's photos and setup.
  catalog::AppendSnapshot(q, "BACKUP02", 4300, "");
  const std::string root = catalog::SnapshotRoot("BACKUP02");
  AddRow(root, "照片", 1);
  AddRow(root, "setup.exe", 0, 120000);
  AddRow(root + "照片\\", "春节.jpg", 0, 250000);
  AddRow(root + "照片\\", "海边.jpg", 0, 310000);
  AddRow(root + "照片\\", "海边 (2).jpg", 0, 310000);
  LoadKindIcons(main.images);
  browse::TfrmTreeview tree(&cn, &main.images, [](ui::Form*, const std::string&, const std::string&) {});
  duplicates::TfrmDuplicates window(main, tree);
  Shoot(window, "duplicates", [&] { window.ShowModal(); },
        [&] {
          window.EdtMinSize.SetText("100");
          window.CmbUnit.SetItemIndex(1);
          window.BtnFindClick();
        });
}

// A backup disk of a few thousand files of every kind over ten years, for
// the statistics and the space map.
TEST_F(ScreenshotsTest, DISABLED_StatisticsAndSpaceMap) {
  catalog::AppendSnapshot(q, "BACKUP02", 4300, "");
  catalog::SnapshotFacts facts;
  facts.volume = {0x1234ABCD, "BACKUP02", "UDF", 5, 4700000000LL, 600000000LL};
  catalog::RecordSnapshotFacts(q, "BACKUP02", 4300, facts);
  facts.volume = {0x2234ABCD, "BACKUP01", "CDFS", 5, 734003200LL, 400000000LL};
  catalog::RecordSnapshotFacts(q, "BACKUP01", 700, facts);
  const std::string root = catalog::SnapshotRoot("BACKUP02");
  struct Kind {
    const char* folder;
    const char* ext;
    int64_t size;
  } kinds[] = {{"照片", ".jpg", 2400000}, {"音乐", ".mp3", 5200000}, {"视频", ".mkv", 180000000},
               {"文档", ".doc", 90000},   {"备份", ".zip", 40000000}, {"软件", ".exe", 12000000}};
  cn.BeginTransaction();
  for (const Kind& k : kinds) AddRow(root, k.folder, 1);
  for (int year = 2008; year <= 2017; ++year)
    for (const Kind& k : kinds) {
      const std::string folder = root + k.folder + "\\" + std::to_string(year);
      AddRow(root + k.folder + "\\", std::to_string(year), 1);
      const int files = k.size > 100000000 ? 1 + year % 3 : 8 + year % 7;
      for (int i = 0; i < files; ++i) {
        q.OpenTable("CDFile");
        q.Append();
        q.SetField("Name", std::string(k.folder) + std::to_string(i + 1) + k.ext);
        q.SetField("Path", folder + "\\");
        q.SetField("Type", 0);
        q.SetField("Size", k.size / 2 + k.size * ((i * 7 + year) % 10) / 10);
        q.SetField("Modified", filetime::FromUnix((year - 1970) * int64_t(31556952) + i * 86400, 0));
        q.Post();
        q.Close();
      }
    }
  cn.Commit();
  BrowseAll();
  LoadKindIcons(main.images);
  browse::TfrmTreeview tree(&cn, &main.images, [](ui::Form*, const std::string&, const std::string&) {});
  stats::TfrmSpaceMap map(main, tree);
  stats::TfrmStatistics statistics(main, tree, map);
  Shoot(statistics, "statistics", [&] { statistics.ShowModal(); });
  map.SnapshotLabel = "BACKUP02";
  Shoot(map, "spacemap", [&] { map.ShowModal(); }, [&] {
    UpdateWindow(map.PbMap.Handle());
    for (const stats::PlacedRect& p : map.Layout().rects)
      if (!map.Tree().IsFolder(p.node) && p.rect.Width() > 30) {
        const int x = (p.rect.x0 + p.rect.x1) / 2, y = (p.rect.y0 + p.rect.y1) / 2;
        map.ClickAt(x, y);
        map.HoverAt(x, y);
        break;
      }
    UpdateWindow(map.PbMap.Handle());
  });
}
