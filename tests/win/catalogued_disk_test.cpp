// The main window and the disks in the drives: a catalogued disk arriving is
// named and selected, the list's 更新快照 entry follows the disk of the
// selected snapshot, and folder listings sort by their modified dates.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <functional>
#include <string>
#include <vector>

#include "create/win_unit_create.h"
#include "create/win_volume_identity.h"
#include "platform/file_time.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/support/mapped_drive.h"

using testsupport::MappedDrive;

namespace {

class CataloguedDiskTest : public MainWindowTest {
 protected:
  // CD_0 is a snapshot made before the catalogue kept identities: serial 0
  // and no volume label.
  // Then the drive holds a disk of that serial.
  void StartWithOldSnapshotAndDisk(uint32_t serial) {
    StartOn([](catalog::Query& q) { catalog::AppendSnapshot(q, "CD_0", 650, ""); });
    ASSERT_TRUE(drive.ok());
    drive.SetSerial(serial);
    ASSERT_EQ(SerialOf(drive), serial);
  }
  // Starts the program on a new catalogue that `fill` wrote into.
  void StartOn(const std::function<void(catalog::Query&)>& fill) {
    catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
    {
      catalog::Connection cn;
      cn.SetConnectionString(catalog::BuildConnectionString(folder));
      cn.Open();
      catalog::Query q(&cn);
      fill(q);
    }
    Start();
    main->SetListStyle(app::ListViewStyle::Report);
  }
  // A snapshot of the drive taken through the create window.
  void Snapshot(const MappedDrive& drive, const std::string& label, const std::string& memo) {
    auto* form = static_cast<create::TfrmCreate*>(program->frmCreate);
    form->Show();
    ASSERT_TRUE(form->SelectDrive(drive.Root()));
    form->EdtCDID.SetText(label);
    form->Memo1.SetText(memo);
    boxes.Plan(IDOK);
    form->BtnCreate.Click();
    form->Hide();
    testsupport::PumpPosted();
  }
  // A volume arrives in the drive, as the system broadcasts it.
  void Arrive(const MappedDrive& drive) {
    DEV_BROADCAST_VOLUME v{};
    v.dbcv_size = sizeof v;
    v.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    v.dbcv_unitmask = 1u << (drive.Letter() - L'A');
    SendMessageW(main->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&v));
  }
  void Select(const std::string& label) {
    ui::ListView* lv = main->ListView1;
    for (int i = 0; i < lv->ItemCount(); ++i)
      if (lv->Item(i)->Caption() == label) lv->SetSelected(lv->Item(i));
    testsupport::PumpPosted();
    ASSERT_NE(lv->Selected(), nullptr);
    ASSERT_EQ(lv->Selected()->Caption(), label);
  }
  std::string SelectedCaption() const {
    ui::ListItem* item = main->ListView1->Selected();
    return item ? item->Caption() : "";
  }
  MappedDrive drive{DRIVE_FIXED};
  static uint32_t SerialOf(const MappedDrive& drive) {
    DWORD serial = 0;
    GetVolumeInformationW(ui::Wide(drive.Root()).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
    return serial;
  }
};

}  // namespace

TEST_F(CataloguedDiskTest, ArrivingDiskIsNamedAndSelectedOnlyWhenItsSerialIsKnown) {
  ASSERT_NO_FATAL_FAILURE(StartWithOldSnapshotAndDisk(0x5EED1234));
  drive.File("a.txt", 10);
  Snapshot(drive, "CD_1", "");
  ASSERT_EQ(main->ListView1->ItemCount(), 2);

  Select("CD_0");
  Arrive(drive);
  EXPECT_EQ(main->StatusBar1->PanelText(1), drive.Root() + " 中的磁盘已编目为 CD_1");
  EXPECT_EQ(SelectedCaption(), "CD_1");

  // A disk of a serial no snapshot has, and a disk without one (whose label
  // is as empty as CD_0's; Wine gives every drive a serial, so the window
  // is told this one has none): the status line and the selection stay.
  drive.SetSerial(0x0BADF00D);
  ASSERT_EQ(SerialOf(drive), 0x0BADF00Du);
  for (bool withoutSerial : {false, true}) {
    if (withoutSerial)
      main->VolumeOf = [](const std::string& root) {
        catalog::VolumeIdentity v = create::ReadVolumeIdentity(root);
        v.serial = 0;
        return v;
      };
    Select("CD_1");
    main->SetLocationStatus("before");
    Arrive(drive);
    testsupport::PumpPosted();
    EXPECT_EQ(main->StatusBar1->PanelText(1), "before") << withoutSerial;
    EXPECT_EQ(SelectedCaption(), "CD_1") << withoutSerial;
  }
  EXPECT_EQ(boxes.Unplanned(), 0);
}

TEST_F(CataloguedDiskTest, ContextMenuUpdatesTheSnapshotOfADiskInADrive) {
  ASSERT_NO_FATAL_FAILURE(StartWithOldSnapshotAndDisk(0x5EED5678));
  drive.Folder("docs");
  drive.File("docs\\a.txt", 10);
  drive.File("docs\\b.txt", 20);
  Snapshot(drive, "CD_1", "旅行照片");
  ASSERT_EQ(boxes.Count(), 1);

  // Only the snapshot whose disk is in a drive can be updated.
  Select("CD_0");
  EXPECT_FALSE(main->mnuUpdateSnapshot->Enabled());
  Select("CD_1");
  EXPECT_TRUE(main->mnuUpdateSnapshot->Enabled());

  drive.File("docs\\new.jpg", 4096);
  drive.File("docs\\a.txt", 11);
  DeleteFileW(drive.Path("docs\\b.txt").c_str());
  // The update runs in the create window, shown modally; its box ends it.
  boxes.Plan([&](const testsupport::MessageBoxRecord&) {
    PostMessageW(program->frmCreate->Handle(), WM_CLOSE, 0, 0);
    return IDOK;
  });
  ui::Guarded([&] { main->mnuUpdateSnapshot->Click(); });
  ASSERT_EQ(boxes.Count(), 2);
  EXPECT_EQ(boxes.Last().text, "快照 [ CD_1 ] 已更新：新增 1 项，删除 1 项，改变 2 项");
  EXPECT_FALSE(program->frmCreate->Visible());

  catalog::Query q(&main->ADOCn);
  catalog::OpenSnapshotRow(q, "CD_1");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsString("Memo1"), "旅行照片");
  q.Close();
  catalog::OpenFileRow(q, "[CD_1]:\\docs\\", "new.jpg");
  EXPECT_FALSE(q.Eof());
  q.Close();
  std::vector<std::string> labels;
  for (int i = 0; i < main->ListView1->ItemCount(); ++i) labels.push_back(main->ListView1->Item(i)->Caption());
  EXPECT_EQ(labels, (std::vector<std::string>{"CD_0", "CD_1"}));

  // The disk taken out: nothing left to update from.
  testsupport::DefineDrive(drive.Letter(), "", 0);
  DEV_BROADCAST_VOLUME v{sizeof v, DBT_DEVTYP_VOLUME, 0, 1u << (drive.Letter() - L'A'), 0};
  SendMessageW(main->Handle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&v));
  Select("CD_1");
  EXPECT_FALSE(main->mnuUpdateSnapshot->Enabled());
  EXPECT_EQ(boxes.Unplanned(), 0);
}

namespace {

// Ticks of a moment given in UTC at noon, so that no time zone moves its day.
int64_t Noon(int64_t unixDays) { return (unixDays * 86400 + 43200 + filetime::kUnixEpochSeconds) * 10'000'000; }

}  // namespace

TEST_F(CataloguedDiskTest, FolderListingSortsByModifiedDateBothWays) {
  StartOn([](catalog::Query& q) {
    catalog::AppendSnapshot(q, "CD1", 700, "");
    // Days since 1970: 1960-01-01, 1999-12-31, 2026-11-02, 9999-12-31,
    // 10000-01-01 (a year of five digits sorts after 9999, not before 2026).
    const std::pair<const char*, int64_t> dated[] = {
        {"a-2026.txt", 20759}, {"b-10000.txt", 2932897}, {"c-none.txt", 0},
        {"d-1960.txt", -3653}, {"e-9999.txt", 2932896},  {"f-1999.txt", 10956}};
    for (const auto& [name, days] : dated) {
      q.OpenTable("CDFile");
      q.Append();
      q.SetField("Name", std::string(name));
      q.SetField("Path", std::string("[CD1]:\\"));
      q.SetField("Type", 0);
      q.SetField("Size", 1);
      if (days != 0) q.SetField("Modified", Noon(days));
      q.Post();
      q.Close();
    }
  });
  Select("CD1");
  main->ListView1DblClick();
  ui::ListView* lv = main->ListView1;
  ASSERT_EQ(lv->ItemCount(), 6);
  ASSERT_EQ(lv->Column(3)->Caption(), "修改日期");
  auto names = [&] {
    std::vector<std::string> out;
    for (int i = 0; i < lv->ItemCount(); ++i) out.push_back(lv->Item(i)->Caption());
    return out;
  };
  auto dateOf = [&](const std::string& name) {
    for (int i = 0; i < lv->ItemCount(); ++i)
      if (lv->Item(i)->Caption() == name) return lv->Item(i)->SubItem(2);
    return std::string("?");
  };
  // Minutes shown whole whatever the year's width (the hour is the zone's).
  const std::string wide = dateOf("b-10000.txt");
  EXPECT_EQ(wide.substr(0, 12), "10000-01-01 ");
  EXPECT_EQ(wide.size(), 17u) << wide;
  EXPECT_EQ(dateOf("c-none.txt"), "");

  // A click on the header, as the mouse gives it.
  HWND header = reinterpret_cast<HWND>(SendMessageW(lv->Handle(), LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  auto clickDateHeader = [&] {
    RECT r{};
    ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r)));
    testsupport::PostClick(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(testsupport::PumpPosted());
  };
  using V = std::vector<std::string>;
  clickDateHeader();
  EXPECT_EQ(names(), (V{"c-none.txt", "d-1960.txt", "f-1999.txt", "a-2026.txt", "e-9999.txt", "b-10000.txt"}));
  clickDateHeader();
  EXPECT_EQ(names(), (V{"b-10000.txt", "e-9999.txt", "a-2026.txt", "f-1999.txt", "d-1960.txt", "c-none.txt"}));
}
