#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "maintain/export.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "tests/native/maintain_fixture.h"

using namespace maintain;

namespace {

std::string ReadFile(const std::string& path) {
  std::string s;
  EXPECT_TRUE(fileio::ReadWholeFile(path, s)) << path;
  return s;
}

std::string Expected(const std::string& name) {
  return ReadFile(std::string(VORLUNE_SOURCE_DIR) + "/tests/native/data/" + name);
}

class ExportTest : public testsupport::CatalogFixture {
 protected:
  // Entries recorded out of order. Sorted by Path + Name ignoring case,
  // "a\x.txt" comes before "a_b.txt" and "a.txt" before "B.txt"; sorted by
  // (Path, Name), or with letter case counting, they would not.
  void AddCd1() {
    AddSnapshot("CD1");
    AddRow("[CD1]:\\", "readme.txt", 0, 1);
    AddRow("[CD1]:\\", "照片", 1);
    AddRow("[CD1]:\\照片\\", "2004.jpg", 0, 1);
    AddRow("[CD1]:\\", "docs", 1);
    AddRow("[CD1]:\\docs\\", "B.txt", 0, 1);
    AddRow("[CD1]:\\docs\\", "a.txt", 0, 1);
    AddRow("[CD1]:\\docs\\", "sub", 1);
    AddRow("[CD1]:\\docs\\sub\\", "x\U0001F600.txt", 0, 1);
    AddRow("[CD1]:\\", "a_b.txt", 0, 1);
    AddRow("[CD1]:\\", "a", 1);
    AddRow("[CD1]:\\a\\", "x.txt", 0, 1);
    AddSmallSnapshot("CD10");
    AddSmallSnapshot("CD1A");
  }
};

}  // namespace

TEST_F(ExportTest, PlainTextExactBytes) {
  AddCd1();
  ExportSnapshot(q, "CD1", dir.File("cd1.txt"));
  EXPECT_EQ(ReadFile(dir.File("cd1.txt")), Expected("export_cd1.txt"));
  EXPECT_FALSE(q.Active());
}

TEST_F(ExportTest, WebPageExactBytes) {
  AddCd1();
  ExportSnapshot(q, "CD1", dir.File("cd1.htm"));
  EXPECT_EQ(ReadFile(dir.File("cd1.htm")), Expected("export_cd1.htm"));
}

TEST_F(ExportTest, FormChosenByTheLastFourCharacters) {
  AddSnapshot("E");
  const std::string web = "<HTML><Header><Title>\r\n快照：[E]\r\n</Title></header><body><pre>\r\n";
  const std::string head = "快照：[E]\r\n" + std::string(53, '-') + "\r\n\r\n";
  const std::string tail = "</pre></body></html>\r\n";
  ExportSnapshot(q, "E", dir.File("a.HTM"));
  EXPECT_EQ(text::FromGb18030(ReadFile(dir.File("a.HTM"))), web + head + tail);
  ExportSnapshot(q, "E", dir.File("b.html"));
  EXPECT_EQ(text::FromGb18030(ReadFile(dir.File("b.html"))), head);
  ExportSnapshot(q, "E", dir.File("c.txt"));
  EXPECT_EQ(text::FromGb18030(ReadFile(dir.File("c.txt"))), head);
  EXPECT_TRUE(IsWebPageName("x.htm"));
  EXPECT_TRUE(IsWebPageName(".Htm"));
  EXPECT_FALSE(IsWebPageName("htm"));
  EXPECT_FALSE(IsWebPageName("x.htm "));
  EXPECT_FALSE(IsWebPageName("列表.超htm"));
}

TEST_F(ExportTest, WildcardLabelsListOnlyTheirOwnEntries) {
  AddSmallSnapshot("A_B");
  AddSmallSnapshot("AXB");
  std::string t = BuildExportText(q, "A_B", false);
  EXPECT_NE(t.find("[A_B]:\\docs\\a.txt     文件\r\n"), std::string::npos);
  EXPECT_EQ(t.find("AXB"), std::string::npos);
  EXPECT_EQ(t, "快照：[A_B]\r\n" + std::string(53, '-') +
                   "\r\n\r\n[A_B]:\\docs\\     目录\r\n[A_B]:\\docs\\a.txt     文件\r\n[A_B]:\\readme.txt     文件\r\n");
}

TEST_F(ExportTest, AFileNamedLikeATemporaryFileSurvives) {
  AddSmallSnapshot("CD1");
  const std::string target = dir.File("list.txt");
  ASSERT_NO_THROW(fileio::WriteFileAtomic(target + ".tmp", "someone else's"));
  ASSERT_NO_THROW(ExportSnapshot(q, "CD1", target));
  EXPECT_EQ(ReadFile(target + ".tmp"), "someone else's");
  EXPECT_EQ(text::FromGb18030(ReadFile(target)).rfind("快照：[CD1]\r\n", 0), 0u);
  // The temporary file the export wrote through is gone.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
    files += e.path().filename().string().rfind("Kestrova", 0) != 0;
  EXPECT_EQ(files, 2);
}

TEST_F(ExportTest, AFullDiskKeepsTheFileItWouldReplace) {
  testsupport::SmallDisk disk(256 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  AddSnapshot("CD1");
  const std::string root = catalog::SnapshotRoot("CD1");
  cn.BeginTransaction();
  for (int i = 0; i < 4000; ++i) AddRow(root, "file" + std::to_string(i) + ".txt", 0, i);
  cn.Commit();
  const std::string target = disk.File("list.txt");
  ASSERT_NO_THROW(fileio::WriteFileAtomic(target, "previous"));
  disk.Fill(16 * 1024);
  try {
    ExportSnapshot(q, "CD1", target);
    ADD_FAILURE() << "the export did not fail";
  } catch (const fileio::WriteError& e) {
    EXPECT_TRUE(e.DiskFull());
    EXPECT_NE(std::string(e.what()).find("磁盘空间不足"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFile(target), "previous");
  EXPECT_EQ(disk.Names(), (std::vector<std::string>{"filler", "list.txt"}));
  EXPECT_FALSE(q.Active());
}

TEST(ExportDialogRules, OldStyleOnlyWithSkinOnNewerSystems) {
  EXPECT_TRUE(UseOldStyleSaveDialog(true, true));
  EXPECT_FALSE(UseOldStyleSaveDialog(true, false));
  EXPECT_FALSE(UseOldStyleSaveDialog(false, true));
  EXPECT_EQ(ExportDoneMessage(), "快照导出完成！");
  // Today's two kinds of file, and the two with archives' members after
  // them only for a snapshot that holds some.
  EXPECT_EQ(ExportFilter(false), "文本文件(.TXT)|*.txt|网页(*.HTM)|*.htm");
  EXPECT_EQ(ExportFilter(true).rfind(ExportFilter(false) + "|文本文件，包括压缩包中的文件(.TXT)|*.txt|", 0), 0u);
  EXPECT_FALSE(ExportWithArchiveMembers(1));
  EXPECT_FALSE(ExportWithArchiveMembers(2));
  EXPECT_TRUE(ExportWithArchiveMembers(3));
  EXPECT_TRUE(ExportWithArchiveMembers(4));
}
