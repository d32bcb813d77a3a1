// The About box and the help command under Wine.
#include <gtest/gtest.h>

#include "maintain/win_unit_about.h"
#include "tests/win/maintain_fixture.h"
#include "tests/win/support/gui.h"
#include "tests/win/support/msgbox_answerer.h"
#include "ui/ui.h"

using namespace maintain;

namespace {

// Records what the shell is asked to open instead of opening it.
class ShellRecorder {
 public:
  ShellRecorder() : saved_(ShellOpen) {
    ShellOpen = [this](HWND owner, const std::string& target) {
      owners.push_back(owner);
      targets.push_back(target);
    };
  }
  ~ShellRecorder() { ShellOpen = saved_; }
  std::vector<HWND> owners;
  std::vector<std::string> targets;

 private:
  std::function<void(HWND, const std::string&)> saved_;
};

}  // namespace

TEST(AboutBox, VersionLineCaptionEscapeAndContactLink) {
  TfrmAbout about;
  EXPECT_EQ(about.Caption(), "关于 - Vorlune");
  ShellRecorder shell;
  for (int i = 0; i < 2; ++i) {
    bool shown = false;
    {
      testsupport::ModalAction act([&] {
        shown = IsWindowVisible(about.Handle());
        about.Label2.Click();
        testsupport::PostKey(about.BtnHelp.Handle(), VK_ESCAPE);
      });
      A1Click(about);
    }
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsWindowVisible(about.Handle()));
  }
  const std::string version = about.lblVersion.Caption();
  EXPECT_EQ(version.substr(version.size() - 3), "4.2");
  EXPECT_EQ(version.find("4.2"), version.size() - 3);  // appended once only
  ASSERT_EQ(shell.targets.size(), 2u);
  EXPECT_EQ(shell.targets[0], std::string("mailto:") + kContactAddress + "?subject=%E5%85%B3%E4%BA%8EVorlune");
  EXPECT_EQ(shell.owners[0], about.Handle());
}

TEST(HelpCommand, OpensTheApplicationsHelpFile) {
  ShellRecorder shell;
  ui::Form owner("TfrmHelpOwner");
  ui::App().HelpFile = "C:\\Vorlune\\Kestrova.chm";
  TBtnHelpClick(&owner);
  ASSERT_EQ(shell.targets.size(), 1u);
  EXPECT_EQ(shell.targets[0], "C:\\Vorlune\\Kestrova.chm");
  EXPECT_EQ(shell.owners[0], owner.Handle());
}

TEST(HelpCommand, AMissingHelpFileShowsNothing) {
  testsupport::MessageBoxAnswerer boxes;
  ui::Form owner("TfrmHelpOwner");
  owner.Show();
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  ui::App().HelpFile = ui::Narrow(tmp) + "no-such-folder\\Kestrova.chm";
  TBtnHelpClick(&owner);
  // Nothing may show up a while later either: a fixed time, not a condition.
  testsupport::PumpFor(300);
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_EQ(GetForegroundWindow(), owner.Handle());
}
