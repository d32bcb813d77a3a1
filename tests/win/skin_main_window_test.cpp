// The skin engine in the program: the skin menu changes the look at run
// time and at start, the main window's parts are matched to what skins
// them and given back, and the program closes while skinned.
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_control.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_manage.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/support/skin_fixture.h"

namespace {

using testsupport::PumpPosted;
using testsupport::PumpUntil;

class SkinMainWindowTest : public MainWindowTest {
 protected:
  skin::TSkinManage& Manager() { return *skin::TSkinManage::Instance(); }
  bool Settled() {
    return PumpUntil([&] { return Manager().PendingRequest() == 0; }, 3000);
  }
  skin::TWinSkinForm* MainFrame() {
    PumpUntil([&] {
      skin::TWinSkinForm* f = Manager().FrameOf(main->Handle());
      return f && f->SetupState() == 1;
    });
    return Manager().FrameOf(main->Handle());
  }
  const skin::ControlMatch* MatchOf(skin::TWinSkinForm& f, const ui::Component* c) {
    for (const auto& m : f.Matches())
      if (m.component == c) return &m;
    return nullptr;
  }
};

TEST_F(SkinMainWindowTest, TheSkinMenuChangesTheLookAndThePlainLookGivesItBack) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  Start();
  main->Show();
  SetForegroundWindow(main->Handle());
  skin::TWinSkinForm* frame = MainFrame();
  ASSERT_NE(frame, nullptr);  // the default skin at start
  EXPECT_EQ(main->SkinData1.Model().skinName, "MacOSX");
  const LONG plainStyle = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

  main->SkinItemClick(2);
  ASSERT_TRUE(Settled());
  EXPECT_EQ(Manager().FrameOf(main->Handle()), frame);
  EXPECT_EQ(main->SkinData1.Model().skinName, "恋爱世纪");
  EXPECT_EQ(frame->Borders().top, skin::BorderThickness(main->SkinData1.Model()).top);

  main->mnuInterfWindowsClick();
  ASSERT_TRUE(Settled());
  EXPECT_TRUE(Manager().Frames().empty());
  EXPECT_EQ(GetWindowLongW(main->Handle(), GWL_STYLE) & plainStyle, plainStyle);
  EXPECT_FALSE(main->SkinData1.Active());
  EXPECT_FALSE(main->SkinData1.SkinNotLoaded());  // the skin stays for later

  main->SkinItemClick(3);
  ASSERT_TRUE(Settled());
  ASSERT_NE(MainFrame(), nullptr);
  EXPECT_EQ(main->SkinData1.Model().skinName, "碧海蓝天");
  // The program closes while skinned: nothing of the skin engine is left.
  Stop();
  EXPECT_TRUE(Manager().Frames().empty());
  EXPECT_TRUE(Manager().Components().empty());
  EXPECT_EQ(Manager().PendingRequest(), 0);
}

TEST_F(SkinMainWindowTest, ThePartsOfTheMainWindowAreMatchedAndGivenBack) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  Start();
  main->Show();
  SetForegroundWindow(main->Handle());
  skin::TWinSkinForm* frame = MainFrame();
  ASSERT_NE(frame, nullptr);
  const COLORREF face = skin::win32::ResolveColour(main->SkinData1.Model().colours.buttonFace);
  EXPECT_EQ(main->Color(), face);
  // Every tool bar: flat, transparent, in the skin's face.
  for (ui::ToolBar* bar : {main->ToolBar1, main->ToolBar2}) {
    const skin::ControlMatch* m = MatchOf(*frame, bar);
    ASSERT_NE(m, nullptr) << bar->Name;
    EXPECT_EQ(m->kind, skin::SkinnerKind::ToolbarFlatTransparent);
    EXPECT_TRUE(bar->Flat());
    EXPECT_EQ(bar->Color(), face);
  }
  const skin::ControlMatch* status = MatchOf(*frame, main->StatusBar1);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->kind, skin::SkinnerKind::StatusBar);
  EXPECT_FALSE(main->StatusBar1->SizeGrip());
  // The search buttons are skinned push buttons.
  bool buttonSkinned = false;
  for (const auto& s : frame->Skinners())
    if (s->Control() == main->BtnBeginSearch) buttonSkinned = true;
  EXPECT_TRUE(buttonSkinned);
  // The search panel's title keeps its white on blue.
  for (const auto& s : frame->Skinners()) EXPECT_NE(s->Control(), main->PnlTitle);
  EXPECT_EQ(main->PnlTitle->Color(), RGB(58, 110, 165));
  // The form's popup menus are drawn by the skin.
  EXPECT_TRUE(main->PMnuIcon->OwnerDraw());
  EXPECT_TRUE(main->PopupMenuBrowse->OwnerDraw());

  main->mnuInterfWindowsClick();
  ASSERT_TRUE(Settled());
  EXPECT_EQ(main->Color(), ui::clBtnFace());
  EXPECT_TRUE(main->StatusBar1->SizeGrip());
  EXPECT_EQ(main->ToolBar1->Color(), ui::clBtnFace());
  EXPECT_FALSE(main->PMnuIcon->OwnerDraw());
  EXPECT_FALSE(main->PopupMenuBrowse->OwnerDraw());
  EXPECT_FALSE(main->PMnuIcon->Items.Item(0)->OnDrawItem);
}

// Components a skin leaves alone: Tag 99 and 199, a combo box without
// Tag 56, a popup menu tagged 99 and an item tagged 999.
TEST_F(SkinTest, TaggedComponentsAndPlainCombosKeepTheSystemLook) {
  ui::Form* f = MakeForm();
  ui::Button plain(f, "plain");
  ui::Button tagged(f, "99");
  tagged.Tag = 99;
  ui::Button tagged199(f, "199");
  tagged199.Tag = 199;
  ui::ComboBoxEx combo(f);
  ui::PopupMenu skinnedMenu(f), taggedMenu(f);
  taggedMenu.Tag = 99;
  ui::MenuItem* normal = skinnedMenu.Items.Add("normal");
  ui::MenuItem* kept = skinnedMenu.Items.Add("kept");
  kept->Tag = 999;
  taggedMenu.Items.Add("tagged");
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
  ASSERT_NE(frame, nullptr);
  auto skinned = [&](const ui::Control& c) {
    for (const auto& s : frame->Skinners())
      if (s->Control() == &c) return true;
    return false;
  };
  EXPECT_TRUE(skinned(plain));
  EXPECT_FALSE(skinned(tagged));
  EXPECT_FALSE(skinned(tagged199));
  EXPECT_FALSE(skinned(combo));
  EXPECT_TRUE(skinnedMenu.OwnerDraw());
  EXPECT_TRUE(normal->OnDrawItem != nullptr);
  EXPECT_FALSE(kept->OnDrawItem != nullptr);
  EXPECT_FALSE(taggedMenu.OwnerDraw());
  SwitchOff();
  EXPECT_FALSE(skinnedMenu.OwnerDraw());
  EXPECT_FALSE(normal->OnDrawItem != nullptr);
}

}  // namespace
