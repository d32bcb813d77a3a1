// Pictures of every window of the program in the four skins and the plain
// look, active and inactive, for looking at what the skin engine draws.
// Taken by scripts/shots-skins (through docs/help/take_pictures.sh);
// disabled in the normal run.
#include <functional>
#include <string>
#include <vector>

#include "create/win_unit_create.h"
#include "duplicates/win_duplicates_window.h"
#include "platform/file_time.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_manage.h"
#include "skin/win/win_skin_menu.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"
#include "tests/win/support/gui.h"
#include "tests/win/support/screenshots.h"

namespace {

class SkinScreenshotsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    shots = testsupport::ShotsFolder();
    if (shots.empty()) GTEST_SKIP() << "VORLUNE_SHOTS names no folder";
    MainWindowTest::SetUp();
    MakeSampleCatalog();
    Start();
    ShowKnownDisk();
    main->Show();
    testsupport::PumpPosted();
  }
  // CD1 with its date and counts in the snapshot list, and the disk in the
  // create window's drive taken for CD1's, so that the window names it and
  // offers 更新快照: the widest texts of both.
  void ShowKnownDisk() {
    catalog::SnapshotFacts facts;
    facts.volume = {0x5EED1234, "CD1", "CDFS", DRIVE_CDROM, 700LL << 20, 0};
    facts.folders = 2;
    facts.files = 4;
    facts.created = filetime::Now();
    catalog::RecordSnapshotFacts(main->ADOQry, "CD1", 700, facts);
    main->BrowseAll();
    static_cast<create::TfrmCreate*>(program->frmCreate)->VolumeOf = [volume = facts.volume](const std::string&) {
      return volume;
    };
  }
  // The commands on a snapshot want one selected; a cancelled dialog may
  // have refreshed the list.
  void SelectFirst() { main->ListView1->SetSelected(main->ListView1->Item(0)); }

  // Switches to skin `index` (4: the plain look) and waits until it shows.
  void Look(int index) {
    if (index < 4) main->SkinItemClick(index);
    else main->mnuInterfWindowsClick();
    skin::TSkinManage* m = skin::TSkinManage::Instance();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m->PendingRequest() == 0; }, 3000));
    testsupport::PumpPosted();
  }
  // Waits for the window's frame (when skinning is on), then takes it
  // active and inactive.
  void ShootBoth(HWND window, const std::string& name) {
    skin::TSkinManage* m = skin::TSkinManage::Instance();
    if (main->SkinData1.Active())
      EXPECT_TRUE(testsupport::PumpUntil([&] {
        skin::TWinSkinForm* f = m->FrameOf(window);
        return f && f->SetupState() == 1;
      })) << name;
    EXPECT_TRUE(testsupport::AwaitScreenshot(window, shots + name + "_active")) << name;
    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_TRUE(testsupport::AwaitScreenshot(window, shots + name + "_inactive")) << name;
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
  }
  // Runs the command that shows `form` modally and takes it.
  void ShootModal(ui::Form* form, const std::function<void()>& command, const std::string& name) {
    testsupport::ModalAction act([&, form, name] {
      ShootBoth(form->Handle(), name);
      form->ModalResult = ui::mrCancel;
    });
    SelectFirst();
    command();
  }
  // Runs `open` (a modal menu) and, once its popup windows are painted,
  // takes `window` and the popups together, then ends the menu.
  void ShootMenu(HWND window, const std::function<void()>& open, const std::string& name) {
    bool busy = false, done = false;
    const DWORD start = GetTickCount();
    ui::Timer watch(nullptr, 50, true);
    watch.OnTimer = [&] {
      if (busy || done) return;
      busy = true;
      std::vector<HWND> popups = testsupport::OpenPopupMenus();
      bool painted = !popups.empty();
      for (HWND p : popups) painted = painted && testsupport::FullyPainted(p);
      if (painted) {
        RECT all{};
        GetWindowRect(window, &all);
        for (HWND p : popups) {
          RECT r{};
          GetWindowRect(p, &r);
          UnionRect(&all, &all, &r);
        }
        EXPECT_TRUE(testsupport::AwaitScreenshot(all, shots + name)) << name;
      }
      if (painted || GetTickCount() - start > 5000) {
        EXPECT_TRUE(painted) << name;
        done = true;
        EndMenu();
      }
      busy = false;
    };
    open();
  }
  std::string shots;
};

}  // namespace

TEST_F(SkinScreenshotsTest, DISABLED_EveryWindowInEveryLook) {
  const char* looks[] = {"macosx", "winxp", "love", "sky", "plain"};
  for (int look = 0; look < 5; ++look) {
    Look(look);
    const std::string s = std::string("_") + looks[look];
    SetForegroundWindow(main->Handle());
    ShootBoth(main->Handle(), "main" + s);
    app::MainCommands& c = main->Commands;
    ShootModal(program->frmCreate, c.create, "create" + s);
    ShootModal(program->frmTreeview, c.treeview, "treeview" + s);
    ShootModal(program->frmRename, c.rename, "rename" + s);
    ShootModal(program->frmMemo, c.memo, "memo" + s);
    ShootModal(program->frmCompactDB, c.compact, "compact" + s);
    ShootModal(program->frmAbout, c.about, "about" + s);
    boxes.Plan([&](const testsupport::MessageBoxRecord&) {
      ShootBoth(GetForegroundWindow(), "box" + s);
      return IDNO;
    });
    SelectFirst();
    c.deleteSnapshot();
  }
}

// Menus open in the four skins: a form's native menu bar (the program's
// windows have none) with its first menu, the list's and the tray icon's
// popup menus, and a menu of the main window's menu band.
TEST_F(SkinScreenshotsTest, DISABLED_MenusOpenInEveryLook) {
  ui::Form withBar("TfrmMenuShot");
  ui::MainMenu menu(&withBar);
  menu.AddEntries({{.caption = "文件(&F)",
                    .children = {{.caption = "打开(&O)"},
                                 {.caption = "最近(&R)", .children = {{.caption = "一"}}},
                                 {.caption = "-"},
                                 {.caption = "选中(&C)", .checked = true},
                                 {.caption = "不可用(&D)"}}},
                   {.caption = "编辑(&E)", .children = {{.caption = "复制(&C)"}}},
                   {.caption = "帮助(&H)"}});
  menu.Items.Item(0)->Item(0)->SetShortCutText("Ctrl+O");
  menu.Items.Item(0)->Item(0)->SetDefault(true);
  menu.Items.Item(0)->Item(4)->SetEnabled(false);
  withBar.SetCaption("Vorlune - 菜单");
  withBar.SetBounds(420, 120, 360, 220);
  withBar.SetMenu(&menu);
  withBar.Show();
  const char* looks[] = {"macosx", "winxp", "love", "sky"};
  skin::TSkinManage* m = skin::TSkinManage::Instance();
  for (int look = 0; look < 4; ++look) {
    Look(look);
    const std::string s = std::string("_") + looks[look];
    SetForegroundWindow(withBar.Handle());
    ASSERT_TRUE(testsupport::PumpUntil([&] {
      skin::TWinSkinForm* f = m->FrameOf(withBar.Handle());
      return f && f->SetupState() == 1 && f->MenuBar();
    }));
    testsupport::PumpPosted();
    ShootMenu(withBar.Handle(), [&] { m->FrameOf(withBar.Handle())->MenuBar()->Open(0); }, "menu_bar" + s);
    SetForegroundWindow(main->Handle());
    testsupport::PumpPosted();
    RECT w{};
    GetWindowRect(main->Handle(), &w);
    ShootMenu(main->Handle(), [&] { main->PopupMenuBrowse->Popup(w.left + 120, w.top + 160); }, "menu_list" + s);
    ShootMenu(main->Handle(), [&] { main->PMnuIcon->Popup(w.left + 160, w.top + 120); }, "menu_icon" + s);
    ShootMenu(main->Handle(), [&] { main->ToolBar1->TrackMenu(0); }, "menu_band" + s);
  }
  Look(4);
  withBar.SetMenu(nullptr);
}

// The duplicates window with groups found, in every look.
TEST_F(SkinScreenshotsTest, DISABLED_DuplicatesInEveryLook) {
  AddRow(main->ADOQry, "[CD2]:\\", "big.iso", 0, 5000000000LL);
  AddRow(main->ADOQry, "[CD2]:\\", "readme.txt", 0, 1536);
  const char* looks[] = {"macosx", "winxp", "love", "sky", "plain"};
  auto* window = static_cast<duplicates::TfrmDuplicates*>(program->frmDuplicates);
  for (int look = 0; look < 5; ++look) {
    Look(look);
    testsupport::ModalAction act([&, look] {
      window->EdtMinSize.SetText("0");
      window->BtnFindClick();
      ShootBoth(window->Handle(), std::string("duplicates_") + looks[look]);
      window->ModalResult = ui::mrCancel;
    });
    main->Commands.findDuplicates();
  }
}

// The statistics and the space map, in every look.
TEST_F(SkinScreenshotsTest, DISABLED_StatisticsAndSpaceMapInEveryLook) {
  AddRow(main->ADOQry, "[CD2]:\\", "movie.mkv", 0, 3000000000LL);
  AddRow(main->ADOQry, "[CD2]:\\", "photo.jpg", 0, 900000000LL);
  AddRow(main->ADOQry, "[CD2]:\\", "setup.exe", 0, 400000000LL);
  const char* looks[] = {"macosx", "winxp", "love", "sky", "plain"};
  for (int look = 0; look < 5; ++look) {
    Look(look);
    ShootModal(program->frmStatistics, main->Commands.statistics, std::string("statistics_") + looks[look]);
    ShootModal(program->frmSpaceMap, main->Commands.spaceMap, std::string("spacemap_") + looks[look]);
  }
}
