// Screenshots of this module's windows for a person to look at and for the
// help pages. Disabled in the normal run; to make them:
//   VORLUNE_SHOTS=Z:\path\to\folder win_tests.exe --gtest_also_run_disabled_tests
//       --gtest_filter=*Screenshots*
// For each window the test writes NAME.rect (its screen rectangle) into that
// folder and waits until a screenshot tool outside (ImageMagick's import on
// the X display) has written NAME.done.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "browse/win_unit_treeview.h"
#include "maintain/win_commands.h"
#include "maintain/win_unit_about.h"
#include "tests/win/maintain_fixture.h"
#include "ui/gdi.h"

namespace {

// Tells the screenshot tool where the window is and waits until it is done.
void AwaitScreenshot(HWND window, const std::string& base) {
  RECT r;
  GetWindowRect(window, &r);
  POINT origin{0, 0};
  // Screen coordinates are relative to the virtual desktop window.
  if (HWND desk = GetDesktopWindow()) ClientToScreen(desk, &origin);
  if (FILE* f = _wfopen(ui::Wide(base + ".rect").c_str(), L"wb")) {
    std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left - origin.x, r.top - origin.y);
    std::fclose(f);
  }
  const std::wstring done = ui::Wide(base + ".done");
  testsupport::PumpUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
}

class ScreenshotsTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("VORLUNE_SHOTS");
    if (!dir) GTEST_SKIP() << "VORLUNE_SHOTS names no folder";
    shots = std::string(dir) + "\\";
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
  // Shows `form` modally, lets `prepare` set it up, waits for it to paint,
  // saves it and closes it.
  void Shoot(ui::Form& form, const std::string& name, std::function<void()> show,
             std::function<void()> prepare = [] {}) {
    Select("BACKUP01");
    {
      testsupport::ModalAction act([&, name, prepare] {
        prepare();
        testsupport::PumpFor(400);
        AwaitScreenshot(form.Handle(), shots + name);
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

// The kind icons, taken from the built program (the tests carry none).
void LoadKindIcons(ui::ImageList& images) {
  std::string exe = std::string("Z:") + VORLUNE_SOURCE_DIR + "/dist/win64/Kestrova.exe";
  for (char& c : exe)
    if (c == '/') c = '\\';
  HMODULE program = LoadLibraryExW(ui::Wide(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) return;
  for (int id = 300; id < 311; ++id) {
    gdi::Icon icon(static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0)));
    if (!icon) continue;
    images.AddIcon(icon.get());
  }
  FreeLibrary(program);
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
