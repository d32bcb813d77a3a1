// Pictures of every window of the program in the four skins and the plain
// look, active and inactive, for looking at what the skin engine draws.
// Taken by scripts/shots-skins (through docs/help/take_pictures.sh);
// disabled in the normal run.
#include <functional>
#include <string>

#include "skin/win_skin_form.h"
#include "skin/win_skin_manage.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"
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
    main->Show();
    testsupport::PumpPosted();
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
