// The windows that list duplicates, statistics and the space map, opened
// in each of the four skins and the plain look: each framed by the skin
// (or not, in the plain look), its buttons and lists matched to what skins
// them (plain combo boxes keep the system look in every skin); and the
// search panel's date pickers.
#include "duplicates/win_duplicates_window.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_manage.h"
#include "stats/win_space_map_window.h"
#include "stats/win_statistics_window.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"

namespace {

using testsupport::PumpUntil;

class NewWindowsSkinTest : public MainWindowTest {
 protected:
  skin::TSkinManage& Manager() { return *skin::TSkinManage::Instance(); }
  // Shows `form` through `command` and checks its frame and the matches of
  // `parts` inside the modal loop.
  void Check(ui::Form* form, const std::function<void()>& command, std::vector<const ui::Component*> parts,
             bool skinned) {
    SCOPED_TRACE(form->ClassName());
    bool looked = false;
    testsupport::ModalAction act([&] {
      looked = true;
      if (!skinned) {
        EXPECT_EQ(Manager().FrameOf(form->Handle()), nullptr);
      } else {
        ASSERT_TRUE(PumpUntil([&] {
          skin::TWinSkinForm* f = Manager().FrameOf(form->Handle());
          return f && f->SetupState() == 1;
        }));
        skin::TWinSkinForm* f = Manager().FrameOf(form->Handle());
        for (const ui::Component* part : parts) {
          bool matched = false;
          for (const auto& m : f->Matches()) matched = matched || m.component == part;
          EXPECT_TRUE(matched) << part->Name;
        }
      }
      form->ModalResult = ui::mrCancel;
    });
    command();
    EXPECT_TRUE(looked);
  }
};

TEST_F(NewWindowsSkinTest, DuplicatesStatisticsAndSpaceMapInEveryLook) {
  MakeSampleCatalog();
  Start();
  main->Show();
  auto& dup = *static_cast<duplicates::TfrmDuplicates*>(program->frmDuplicates);
  auto& statistics = *static_cast<stats::TfrmStatistics*>(program->frmStatistics);
  auto& map = *static_cast<stats::TfrmSpaceMap*>(program->frmSpaceMap);
  for (int look = 0; look < 5; ++look) {
    SCOPED_TRACE(look);
    if (look < 4)
      main->SkinItemClick(look);
    else
      main->mnuInterfWindowsClick();
    ASSERT_TRUE(PumpUntil([&] { return Manager().PendingRequest() == 0; }, 3000));
    const bool skinned = look < 4;
    Check(&dup, main->Commands.findDuplicates, {&dup.BtnFind, &dup.BtnClose, &dup.LvGroups, &dup.LvMembers,
                                                &dup.EdtMinSize},
          skinned);
    main->ListView1->SetSelected(main->ListView1->Item(0));
    Check(&statistics, main->Commands.statistics, {&statistics.BtnClose, &statistics.LvLargest,
                                                   &statistics.LvExtensions},
          skinned);
    main->ListView1->SetSelected(main->ListView1->Item(0));
    Check(&map, main->Commands.spaceMap, {&map.BtnUp, &map.BtnClose}, skinned);
    // The search panel's date pickers, in the main window.
    if (skinned) {
      skin::TWinSkinForm* f = Manager().FrameOf(main->Handle());
      ASSERT_NE(f, nullptr);
      bool matched = false;
      for (const auto& m : f->Matches()) matched = matched || m.component == &main->PnlConditions->DtpFrom;
      EXPECT_TRUE(matched);
    }
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
