// A catalogue of the first form (made by that version's make_catalog):
// used as it is when read-only, upgraded once in place when opened
// writable, its old rows showing no date and no identity, and the empty
// catalogue of today carrying the new columns from the start.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"
#include "platform/file_time.h"
#include "tests/native/test_support.h"

namespace {

std::string Bytes(const std::string& path) {
  std::string s;
  fileio::ReadWholeFile(path, s);
  return s;
}

// The schema text and version, read by a plain engine connection.
std::string SchemaOf(const std::string& file, int* version = nullptr) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  std::string text;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT group_concat(sql, ';') FROM sqlite_schema", -1, &st, nullptr);
  if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
    text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
  sqlite3_finalize(st);
  if (version) *version = catalog::SchemaVersion(db);
  sqlite3_close(db);
  return text;
}

size_t Occurrences(const std::string& text, const std::string& word) {
  size_t n = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

class OldFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::CopyOldFormCatalog(dir.File("Kestrova"));
    // Rows as the first form's program wrote them.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(dir.File("Kestrova").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO CDName(CDName, TotalM, Memo1) VALUES('OLD', 700, '旧盘');"
                           "INSERT INTO CDFile VALUES('docs', '[OLD]:\\', 1, NULL);"
                           "INSERT INTO CDFile VALUES('a.txt', '[OLD]:\\docs\\', 0, 12);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
  }
  void Open() {
    cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    cn.Open();
  }
  testsupport::TempDir dir;
  catalog::Connection cn;
};

TEST_F(OldFormTest, OpenedWritableItGainsTheColumnsOnceAndKeepsItsRows) {
  int version = -1;
  EXPECT_EQ(Occurrences(SchemaOf(dir.File("Kestrova"), &version), "Modified"), 0u);
  EXPECT_EQ(version, 0);
  Open();
  cn.Close();
  const std::string schema = SchemaOf(dir.File("Kestrova"), &version);
  EXPECT_EQ(version, catalog::kSchemaVersion);
  EXPECT_EQ(Occurrences(schema, "Modified"), 1u);
  EXPECT_EQ(Occurrences(schema, "Serial"), 1u);
  Open();  // a second open adds nothing (a repeated ADD COLUMN would fail)
  EXPECT_EQ(SchemaOf(dir.File("Kestrova")), schema);

  catalog::Query q(&cn);
  EXPECT_TRUE(catalog::KeepsDatesAndIdentity(cn));
  catalog::OpenFileRow(q, "[OLD]:\\docs\\", "a.txt");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Size"), 12);
  EXPECT_TRUE(q.IsNull("Modified"));
  EXPECT_EQ(filetime::FormatLocal(q.AsInteger("Modified")), "");
  catalog::OpenSnapshotRow(q, "OLD");
  const catalog::SnapshotFacts facts = catalog::SnapshotFactsOf(q);
  EXPECT_EQ(q.AsString("Memo1"), "旧盘");
  EXPECT_EQ(facts.created, 0);
  EXPECT_EQ(facts.volume.serial, 0u);
  q.Close();
}

TEST_F(OldFormTest, ReadOnlyItIsUsedAsItIsAndNothingIsAdded) {
  if (!testsupport::SetImmutable(dir.File("Kestrova"), true)) GTEST_SKIP() << "no immutable flag here";
  const std::string before = Bytes(dir.File("Kestrova"));
  Open();
  EXPECT_TRUE(cn.ReadOnly());
  EXPECT_FALSE(catalog::KeepsDatesAndIdentity(cn));
  catalog::Query q(&cn);
  catalog::OpenSnapshotList(q);
  ASSERT_FALSE(q.Eof());
  EXPECT_FALSE(q.HasField("Updated"));
  const catalog::SnapshotFacts facts = catalog::SnapshotFactsOf(q);
  EXPECT_EQ(facts.updated, 0);
  EXPECT_EQ(facts.files, 0);
  q.Close();
  std::string label;
  catalog::SnapshotFacts found;
  EXPECT_FALSE(catalog::FindSnapshotOfVolume(q, catalog::VolumeIdentity{42, "X", "", 0, 0, 0}, label, found));
  // Without the columns of archives' members: the export, its question and
  // the names in memory read what there is.
  EXPECT_FALSE(catalog::KeepsArchiveMembers(cn));
  EXPECT_FALSE(catalog::SnapshotHasArchiveMembers(q, "OLD"));
  std::vector<std::string> exported;
  catalog::OpenExportRows(q, "OLD");
  for (; !q.Eof(); q.Next()) exported.push_back(q.AsString("FileDir"));
  q.Close();
  EXPECT_EQ(exported, (std::vector<std::string>{"[OLD]:\\docs", "[OLD]:\\docs\\a.txt"}));
  cn.Names().BringInStep(cn);
  EXPECT_EQ(cn.Names().Contents().TotalEntries(), 2u);
  cn.Close();
  testsupport::SetImmutable(dir.File("Kestrova"), false);
  EXPECT_EQ(Bytes(dir.File("Kestrova")), before);
}

// A catalogue of the second form (dates and identity, no archives' members)
// gains the members' columns once and keeps its rows.
TEST(SecondFormCatalogue, OpenedWritableItGainsTheArchiveColumns) {
  testsupport::TempDir dir;
  const std::string file = dir.File("Kestrova");
  catalog::CreateEmptyCatalog(file, catalog::kDatabasePassword);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "ALTER TABLE CDFile DROP COLUMN Members; ALTER TABLE CDFile DROP COLUMN InArchive;"
                         "PRAGMA user_version=1;"
                         "INSERT INTO CDFile(Name, Path, Type, Size, Modified, Attr) VALUES('a.zip', '[V1]:\\', 0, 9, 5, 32);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  int version = -1;
  EXPECT_EQ(Occurrences(SchemaOf(file, &version), "InArchive"), 0u);
  EXPECT_EQ(version, 1);
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
  cn.Open();
  EXPECT_TRUE(catalog::KeepsArchiveMembers(cn));
  catalog::Query q(&cn);
  catalog::OpenFileRow(q, "[V1]:\\", "a.zip");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Modified"), 5);
  EXPECT_TRUE(q.IsNull("Members"));
  EXPECT_TRUE(q.IsNull("InArchive"));
  q.Close();
  cn.Close();
  const std::string schema = SchemaOf(file, &version);
  EXPECT_EQ(version, catalog::kSchemaVersion);
  EXPECT_EQ(Occurrences(schema, "InArchive"), 1u);
  EXPECT_EQ(Occurrences(schema, "Modified"), 1u);
}

TEST(EmptyCatalogue, HasTheNewColumnsAndTheSchemaVersion) {
  testsupport::TempDir dir;
  catalog::CreateEmptyCatalog(dir.File("Kestrova"), catalog::kDatabasePassword);
  int version = -1;
  const std::string schema = SchemaOf(dir.File("Kestrova"), &version);
  EXPECT_EQ(version, catalog::kSchemaVersion);
  for (const char* column : {"Serial", "VolumeLabel", "FileSystem", "DriveKind", "TotalBytes", "FreeBytes", "Folders",
                             "Files", "FileBytes", "Created", "Updated", "Modified", "Attr", "Members", "InArchive"})
    EXPECT_EQ(Occurrences(schema, std::string(" ") + column + " "), 1u) << column;
}

}  // namespace
