#include <gtest/gtest.h>

#include <sqlite3.h>

#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"
#include "tests/native/test_support.h"

using namespace catalog;

namespace {

class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    cn.SetConnectionString(BuildConnectionString(dir.Path() + "/"));
    cn.Open();
  }

  void AddSnapshot(const std::string& label) { AppendSnapshot(q, label, 700, ""); }
  void AddRow(const std::string& path, const std::string& name, int type, int64_t size = -1) {
    q.OpenTable("CDFile");
    q.Append();
    q.SetField("Name", name);
    q.SetField("Path", path);
    q.SetField("Type", type);
    if (size >= 0) q.SetField("Size", size);
    q.Post();
    q.Close();
  }
  std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> out;
    OpenFolder(q, path);
    for (; !q.Eof(); q.Next()) out.push_back(q.AsString("Name"));
    q.Close();
    return out;
  }
  int64_t Count(const std::string& sql) {
    q.Clear();
    q.Add(sql);
    q.Open();
    int64_t n = q.AsInteger("n");
    q.Close();
    return n;
  }

  testsupport::TempDir dir;
  Connection cn;
  Query q{&cn};
};

}  // namespace

TEST_F(CatalogTest, EmptyCatalogHasNoSnapshots) {
  OpenSnapshotList(q);
  EXPECT_TRUE(q.Eof());
  q.Close();
  EXPECT_EQ(Count("select count(*) as n from CDFile"), 0);
}

TEST_F(CatalogTest, ConnectionTextNamesFileAndPassword) {
  std::string cs = BuildConnectionString("C:\\Prog\\");
  EXPECT_EQ(cs,
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Prog\\Kestrova;"
            "Jet OLEDB:Database Password=vortagenil;Persist Security Info=False");
  EXPECT_EQ(ConnectionStringValue(cs, "data source"), "C:\\Prog\\Kestrova");
}

TEST_F(CatalogTest, SnapshotListKeepsInsertionOrderAndColumns) {
  AppendSnapshot(q, "ZETA", 4300, "备注");
  AppendSnapshot(q, "ALPHA", 99, "");
  OpenSnapshotList(q);
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsString("CDName"), "ZETA");
  EXPECT_EQ(q.AsString("TotalM"), "4300");
  EXPECT_EQ(q.AsString("Memo1"), "备注");
  q.Next();
  EXPECT_EQ(q.AsString("cdname"), "ALPHA");
  q.Next();
  EXPECT_TRUE(q.Eof());
  // A next at the end stays at the end: it never restarts from the first row.
  q.Next();
  EXPECT_TRUE(q.Eof());
  EXPECT_THROW(q.AsString("CDName"), DbError);
  q.Close();
}

TEST_F(CatalogTest, LabelsAreUniqueIgnoringCase) {
  AddSnapshot("CD1");
  EXPECT_TRUE(LabelTaken(q, "cd1"));
  EXPECT_FALSE(LabelTaken(q, "CD10"));
  EXPECT_THROW(AddSnapshot("Cd1"), DbError);
}

TEST_F(CatalogTest, FolderListingIsExactPathIgnoringCaseInScanOrder) {
  AddSnapshot("CD1");
  AddRow("[CD1]:\\", "Zdir", 1);
  AddRow("[CD1]:\\", "adir", 1);
  AddRow("[CD1]:\\", "b.txt", 0, 5);
  AddRow("[CD1]:\\Zdir\\", "inner.txt", 0, 5);
  EXPECT_EQ(Names("[CD1]:\\"), (std::vector<std::string>{"Zdir", "adir", "b.txt"}));
  EXPECT_EQ(Names("[cd1]:\\zDIR\\"), (std::vector<std::string>{"inner.txt"}));
}

TEST_F(CatalogTest, QuotesAreOrdinaryText) {
  AddSnapshot("O'NEIL");
  AddRow("[O'NEIL]:\\", "O'Brien", 1);
  AddRow("[O'NEIL]:\\O'Brien\\", "it's.txt", 0, 10);
  EXPECT_EQ(Names("[O'NEIL]:\\O'Brien\\"), (std::vector<std::string>{"it's.txt"}));
  OpenFileRow(q, "[O'NEIL]:\\O'Brien\\", "IT'S.TXT");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Size"), 10);
  q.Close();
  EXPECT_EQ(UpdateMemo(q, "O'NEIL", "it's \"quoted\"\r\nline 2"), 1);
  OpenSnapshotRow(q, "O'NEIL");
  EXPECT_EQ(q.AsString("Memo1"), "it's \"quoted\"\r\nline 2");
  q.Close();
}

TEST_F(CatalogTest, SizesKeepAllSixtyFourBits) {
  AddSnapshot("BIG");
  AddRow("[BIG]:\\", "five.iso", 0, 5000000000LL);
  AddRow("[BIG]:\\", "three.iso", 0, 3000000000LL);
  OpenFileRow(q, "[BIG]:\\", "five.iso");
  EXPECT_EQ(q.AsInteger("Size"), 5000000000LL);
  EXPECT_EQ(q.AsString("Size"), "5000000000");
  OpenFileRow(q, "[BIG]:\\", "three.iso");
  EXPECT_EQ(q.AsInteger("Size"), 3000000000LL);
  q.Close();
}

TEST_F(CatalogTest, DeleteMatchesTheLiteralRootOnly) {
  for (std::string label : {"CD1", "CD10", "CD1A", "A_B", "AXB", "A%", "AB"}) {
    AddSnapshot(label);
    AddRow(SnapshotRoot(label), "f", 0, 1);
    AddRow(SnapshotRoot(label) + "d\\", "g", 0, 1);
  }
  EXPECT_EQ(DeleteSnapshotFiles(q, "CD1"), 2);
  EXPECT_EQ(DeleteSnapshotRow(q, "CD1"), 1);
  EXPECT_EQ(DeleteSnapshotFiles(q, "A_B"), 2);
  EXPECT_EQ(DeleteSnapshotFiles(q, "A%"), 2);
  EXPECT_EQ(Names("[CD10]:\\"), std::vector<std::string>{"f"});
  EXPECT_EQ(Names("[CD1A]:\\"), std::vector<std::string>{"f"});
  EXPECT_EQ(Names("[AXB]:\\d\\"), std::vector<std::string>{"g"});
  EXPECT_EQ(Names("[AB]:\\"), std::vector<std::string>{"f"});
  EXPECT_EQ(Count("select count(*) as n from CDFile"), 8);
  EXPECT_FALSE(LabelTaken(q, "CD1"));
  EXPECT_TRUE(LabelTaken(q, "CD10"));
}

TEST_F(CatalogTest, DeleteIgnoresCaseOfTheLabel) {
  AddSnapshot("cd1");
  AddRow("[cd1]:\\", "f", 0, 1);
  EXPECT_EQ(DeleteSnapshotFiles(q, "CD1"), 1);
}

TEST_F(CatalogTest, SearchUsesWildcardsIgnoresCaseAndFiltersKinds) {
  AddSnapshot("S");
  AddRow("[S]:\\", "Photos", 1);
  AddRow("[S]:\\", "photo_1.jpg", 0, 1);
  AddRow("[S]:\\", "photoX1.jpg", 0, 1);
  AddRow("[S]:\\", "100%.txt", 0, 1);
  auto search = [&](const std::string& t, bool folders, bool files) {
    std::vector<std::string> out;
    OpenSearch(q, t, folders, files);
    for (; !q.Eof(); q.Next()) out.push_back(q.AsString("Name"));
    q.Close();
    return out;
  };
  EXPECT_EQ(search("PHOTO", true, true).size(), 3u);
  EXPECT_EQ(search("photo", true, false), std::vector<std::string>{"Photos"});
  EXPECT_EQ(search("photo", false, true).size(), 2u);
  EXPECT_TRUE(search("photo", false, false).empty());
  EXPECT_EQ(search("o_1", false, true).size(), 2u);  // "_" matches any one character
  EXPECT_EQ(search("0%.", true, true).size(), 1u);
  EXPECT_EQ(search("", true, true).size(), 4u);
  EXPECT_TRUE(search("'", true, true).empty());
}

TEST_F(CatalogTest, RenameRewritesPathsAndLabelTogether) {
  AddSnapshot("CD1");
  AddSnapshot("CD10");
  AddRow("[CD1]:\\", "a", 1);
  AddRow("[CD1]:\\a\\", "b.txt", 0, 1);
  AddRow("[CD10]:\\", "c", 0, 1);
  RenameSnapshot(q, "CD1", "DATA");
  EXPECT_EQ(Names("[DATA]:\\"), std::vector<std::string>{"a"});
  EXPECT_EQ(Names("[DATA]:\\a\\"), std::vector<std::string>{"b.txt"});
  EXPECT_EQ(Names("[CD10]:\\"), std::vector<std::string>{"c"});
  EXPECT_TRUE(LabelTaken(q, "DATA"));
  EXPECT_FALSE(LabelTaken(q, "CD1"));
  RenameSnapshot(q, "DATA", "数据盘");
  EXPECT_EQ(Names("[数据盘]:\\a\\"), std::vector<std::string>{"b.txt"});
}

TEST_F(CatalogTest, RenameFailureChangesNothing) {
  AddSnapshot("CD1");
  AddSnapshot("CD2");
  AddRow("[CD1]:\\", "a", 0, 1);
  EXPECT_THROW(RenameSnapshot(q, "CD1", "CD2"), DbError);  // label clash
  EXPECT_EQ(Names("[CD1]:\\"), std::vector<std::string>{"a"});
  EXPECT_TRUE(Names("[CD2]:\\").empty());
  EXPECT_FALSE(cn.InTransaction());
}

TEST_F(CatalogTest, ExportOrdersByConcatenationIgnoringCase) {
  AddSnapshot("E");
  AddRow("[E]:\\", "b", 1);
  AddRow("[E]:\\", "B.txt", 0, 1);
  AddRow("[E]:\\", "a", 0, 1);
  AddRow("[E]:\\b\\", "x", 0, 1);
  AddRow("[E]:\\", "b-", 0, 1);
  std::vector<std::string> rows;
  OpenExportRows(q, "E");
  for (; !q.Eof(); q.Next()) rows.push_back(q.AsString("FileDir") + "|" + q.AsString("Type"));
  q.Close();
  // "-" (0x2D) sorts before "." (0x2E) before "\" (0x5C): by the joined text,
  // not by (Path, Name).
  EXPECT_EQ(rows, (std::vector<std::string>{"[E]:\\a|0", "[E]:\\b|1", "[E]:\\b-|0", "[E]:\\B.txt|0",
                                            "[E]:\\b\\x|0"}));
}

TEST_F(CatalogTest, WrongPasswordIsRefused) {
  Connection other;
  other.SetConnectionString("Data Source=" + dir.File("Kestrova") + ";Jet OLEDB:Database Password=guess");
  try {
    other.Open();
    FAIL() << "opened with a wrong password";
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("密码"), std::string::npos);
  }
  EXPECT_FALSE(other.Connected());
}

TEST_F(CatalogTest, PasswordIsNotStoredAsPlainText) {
  cn.Close();
  std::string bytes;
  ASSERT_TRUE(fileio::ReadWholeFile(dir.File("Kestrova"), bytes));
  EXPECT_EQ(bytes.find(kDatabasePassword), std::string::npos);
}

TEST(CatalogOpen, MissingOrForeignFileFailsNamingTheFile) {
  testsupport::TempDir dir;
  Connection cn;
  cn.SetConnectionString(BuildConnectionString(dir.Path() + "/"));
  try {
    cn.Open();
    FAIL();
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find(dir.File("Kestrova")), std::string::npos);
  }
  EXPECT_FALSE(fileio::FileExists(dir.File("Kestrova")));  // never created by opening
  fileio::WriteFileAtomic(dir.File("Kestrova"), std::string(4096, 'x'));
  EXPECT_THROW(cn.Open(), DbError);
  fileio::RemoveFile(dir.File("Kestrova"));
  // A real SQLite file that is not a catalogue.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(dir.File("Kestrova").c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "create table t(x)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_THROW(cn.Open(), DbError);
  EXPECT_THROW(CreateEmptyCatalog(dir.File("Kestrova"), "x"), DbError);  // never overwrites
}

TEST(CatalogOpen, CommittedRowsSurviveAnUncleanEnd) {
  testsupport::TempDir dir;
  testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
  auto* cn = new Connection;
  cn->SetConnectionString(BuildConnectionString(dir.Path() + "/"));
  cn->Open();
  {
    Query q(cn);
    AppendSnapshot(q, "KEEP", 1, "");
  }
  // Copy the files as they are on disk while the connection is still open,
  // as a crash would leave them.
  for (std::string ext : {"", "-wal"})
    if (fileio::FileExists(dir.File("Kestrova" + ext)))
      ASSERT_TRUE(fileio::CopyWholeFile(dir.File("Kestrova" + ext), dir.File("Copy" + ext)));
  cn->Close();
  delete cn;
  fileio::RemoveFile(dir.File("Kestrova"));
  ASSERT_TRUE(fileio::ReplaceByRename(dir.File("Copy"), dir.File("Kestrova")));
  if (fileio::FileExists(dir.File("Copy-wal"))) fileio::ReplaceByRename(dir.File("Copy-wal"), dir.File("Kestrova-wal"));
  Connection again;
  again.SetConnectionString(BuildConnectionString(dir.Path() + "/"));
  again.Open();
  Query q(&again);
  EXPECT_TRUE(LabelTaken(q, "KEEP"));
}
