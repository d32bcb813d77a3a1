// The program on a catalogue it cannot write, and started a second time on
// the same catalogue. Each test checks the catalogue's rows afterwards.
#include <gtest/gtest.h>

#include "app/win_single_copy.h"
#include "catalog/store_messages.h"
#include "platform/file_io.h"
#include "platform/sha256.h"
#include "tests/win/main_window_fixture.h"

namespace {

class HardPlaceTest : public MainWindowTest {
 protected:
  void TearDown() override {
    for (const char* name : {"Kestrova", "Kestrova.ini"})
      SetFileAttributesW(ui::Wide(folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    MainWindowTest::TearDown();
  }
  // The count and a checksum of every row, read by a connection of its own.
  std::pair<int64_t, std::string> Rows() {
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    catalog::Query q(&cn);
    q.Add("Select Path || Name || '|' || Type || '|' || ifnull(Size, '') As v from CDFile Order By rowid");
    q.Open();
    int64_t n = 0;
    std::string all;
    for (; !q.Eof(); q.Next(), ++n) all += q.AsString("v") + "\n";
    q.Close();
    catalog::OpenSnapshotList(q);
    for (; !q.Eof(); q.Next(), ++n) all += q.AsString("CDName") + "|" + q.AsString("Memo1") + "\n";
    return {n, hashing::Sha256Hex(all)};
  }
  void MakeReadOnly(const char* name) {
    ASSERT_TRUE(SetFileAttributesW(ui::Wide(folder + name).c_str(), FILE_ATTRIBUTE_READONLY));
  }
};

}  // namespace

TEST_F(HardPlaceTest, ReadOnlyCatalogueBrowsesAndEveryWriteSaysSoOnce) {
  MakeSampleCatalog();
  fileio::WriteFileAtomic(folder + "Kestrova.ini", "[ListView]\r\nStyle=1\r\n");
  const auto rows = Rows();
  MakeReadOnly("Kestrova");
  MakeReadOnly("Kestrova.ini");
  Start();
  EXPECT_EQ(boxes.Count(), 0);
  ASSERT_TRUE(main->ADOCn.ReadOnly());
  ASSERT_EQ(main->ListView1->ItemCount(), 2);  // the snapshot list
  const std::string message = catalog::ReadOnlyMessage(folder + "Kestrova");
  int expected = 0;
  for (ui::ToolButton* command : {main->TBtnDelete, main->TBtnRename, main->TBtnMemo, main->TBtnCreate}) {
    main->ListView1->SetSelected(main->ListView1->Item(0));
    testsupport::PumpPosted();
    boxes.Plan(IDOK);
    // As from the toolbar: the window procedure's boundary shows the error.
    ui::Guarded([&] { command->Click(); });
    testsupport::PumpPosted();
    ASSERT_EQ(boxes.Count(), ++expected) << command->Name;
    EXPECT_EQ(boxes.Last().text, message) << command->Name;
    EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONERROR));
  }
  boxes.Plan(IDOK);
  ui::Guarded([&] { main->mnuCompactDB->Click(); });
  testsupport::PumpPosted();
  ASSERT_EQ(boxes.Count(), ++expected);
  EXPECT_EQ(boxes.Last().text, message);
  EXPECT_FALSE(IsWindowVisible(program->frmCompactDB->Handle()));
  // The settings cannot be written at exit: no box for that.
  Stop();
  EXPECT_EQ(boxes.Count(), expected);
  EXPECT_EQ(Rows(), rows);
}

TEST_F(HardPlaceTest, ASecondCopyOnTheSameCatalogueOffersTheFirstWindow) {
  MakeSampleCatalog();
  const auto rows = Rows();
  app::SingleCopy first(folder + "Kestrova");
  ASSERT_TRUE(first.First());
  Start();
  first.Publish(main->Handle());
  {
    // The same catalogue spelled in other letters: the same catalogue.
    app::SingleCopy second(folder + "KESTROVA");
    EXPECT_FALSE(second.First());
    EXPECT_EQ(second.FirstWindow(), main->Handle());
    ShowWindow(main->Handle(), SW_MINIMIZE);
    testsupport::PumpUntil([&] { return IsIconic(main->Handle()) != FALSE; });
    boxes.Plan(IDYES);
    second.OfferFirstCopy();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, catalog::InUseQuestion(folder + "KESTROVA"));
    EXPECT_EQ(boxes.Last().buttons, static_cast<UINT>(MB_YESNO));
    testsupport::PumpUntil([&] { return !IsIconic(main->Handle()); });
    EXPECT_FALSE(IsIconic(main->Handle()));
    // Another catalogue is no second copy.
    app::SingleCopy elsewhere(folder + "other\\Kestrova");
    EXPECT_TRUE(elsewhere.First());
  }
  Stop();
  EXPECT_EQ(Rows(), rows);
}

// The same file through drive Z:, Wine's view of the whole Unix file
// system ("" when not under Wine).
std::string ThroughDriveZ(const std::string& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return {};
  char* name = unixName(ui::Wide(path).c_str());
  if (!name) return {};
  std::string z = std::string("Z:") + name;
  HeapFree(GetProcessHeap(), 0, name);
  for (char& c : z)
    if (c == '/') c = '\\';
  return z;
}

TEST_F(HardPlaceTest, ACopyReachingTheCatalogueByAnotherPathIsASecondCopy) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  app::SingleCopy first(folder + "Kestrova");
  ASSERT_TRUE(first.First());
  // Another drive letter for the same folder (as a share's letter and its
  // UNC path, or a `subst` letter, are).
  const std::string viaZ = ThroughDriveZ(folder + "Kestrova");
  if (viaZ.empty()) GTEST_SKIP() << "drive Z: is Wine's";
  ASSERT_TRUE(fileio::FileExists(viaZ)) << viaZ;
  {
    app::SingleCopy second(viaZ);
    EXPECT_FALSE(second.First()) << viaZ;
  }
  // The short 8.3 name of the folder.
  wchar_t shortName[MAX_PATH];
  const DWORD n = GetShortPathNameW(ui::Wide(folder + "Kestrova").c_str(), shortName, MAX_PATH);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));
  ASSERT_NE(ui::Narrow(shortName), folder + "Kestrova");
  {
    app::SingleCopy second(ui::Narrow(shortName));
    EXPECT_FALSE(second.First()) << ui::Narrow(shortName);
  }
}

TEST(SingleCopyTest, AMutexThatMayNotBeOpenedIsThatOfAnotherCopy) {
  // A copy run as administrator made the mutex; one started with fewer
  // rights is refused it (ERROR_ACCESS_DENIED) and is a later copy. Wine
  // grants every opener whatever the mutex's access list, so the refusal
  // itself cannot be made here: the decision on CreateMutexW's outcome is
  // tested instead.
  EXPECT_FALSE(app::SingleCopy::FirstAfterCreate(false, ERROR_ACCESS_DENIED));
  EXPECT_FALSE(app::SingleCopy::FirstAfterCreate(true, ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(app::SingleCopy::FirstAfterCreate(true, ERROR_SUCCESS));
  // Any other failure to make the mutex still lets the program run.
  EXPECT_TRUE(app::SingleCopy::FirstAfterCreate(false, ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_TRUE(app::SingleCopy::FirstAfterCreate(false, ERROR_INVALID_NAME));
}

TEST(NetworkDriveTest, TheCatalogueOnANetworkDriveUsesARollbackJournal) {
  // scripts/test declares N: a network drive of the test prefix.
  ASSERT_EQ(GetDriveTypeW(L"N:\\"), static_cast<UINT>(DRIVE_REMOTE)) << "drive N: is not a network drive";
  const std::string folder = "N:\\vorlune-net-" + std::to_string(GetCurrentProcessId()) + "\\";
  ASSERT_TRUE(CreateDirectoryW(ui::Wide(folder).c_str(), nullptr));
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  {
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    EXPECT_TRUE(cn.OnNetwork());
    EXPECT_EQ(cn.JournalMode(), "delete");
    catalog::Query q(&cn);
    catalog::AppendSnapshot(q, "NET", 700, "网络");
    catalog::Connection other;
    other.SetConnectionString(cn.ConnectionString());
    other.Open();
    catalog::Query count(&other);
    EXPECT_TRUE(catalog::LabelTaken(count, "NET"));
  }
  EXPECT_FALSE(fileio::FileExists(folder + "Kestrova-wal"));
  EXPECT_FALSE(fileio::FileExists(folder + "Kestrova-shm"));
  for (const char* name : {"Kestrova", "Kestrova-journal"}) DeleteFileW(ui::Wide(folder + name).c_str());
  RemoveDirectoryW(ui::Wide(folder).c_str());
}
