// The Windows build's archive lister (the static libarchive of
// scripts/fetch-archive-libs) over real archives, made on the build machine
// by make_test_archives.sh and kept in a folder with a Chinese name: the
// same members as the native lister gives, names exact whether stored as
// UTF-16, as flagged UTF-8, as UTF-8 bytes or as GBK bytes, whatever the
// code page; a truncated archive is unreadable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_lister.h"
#include "platform/text.h"

namespace fs = std::filesystem;
using archives::ArchiveMember;
using archives::ListOutcome;

namespace {

const std::string kDir = VORLUNE_TEST_ARCHIVES_DIR "/归档/";
constexpr int64_t kTicks = (1262401445LL + 11644473600LL) * 10000000LL;  // 2010-01-02 03:04:05 UTC

fs::path Wide(const std::string& utf8) {
  const std::u16string w = text::Utf8ToUtf16(utf8);
  return fs::path(std::wstring(w.begin(), w.end()));
}

struct Listing {
  ListOutcome outcome;
  std::map<std::string, ArchiveMember> members;
};

Listing List(const std::string& name) {
  const std::string path = kDir + name;
  Listing l;
  l.outcome = archives::MakeArchiveLister()->List(path, static_cast<int64_t>(fs::file_size(Wide(path))),
                                                  [&](const ArchiveMember& m) { l.members[m.path] = m; });
  return l;
}

std::string LongPath() {
  return "ddddd\\" + std::string(90, 'e') + "\\" + std::string(90, 'f') + "\\" + std::string(90, 'g') + ".txt";
}

TEST(ArchiveListerWineTest, EveryFormatListsTheTreeWithItsNamesSizesDatesAndFolders) {
  ASSERT_GT(LongPath().size(), 260u);
  // Rock Ridge and Info-ZIP names are UTF-8 bytes; 7z and Joliet UTF-16.
  for (const char* name : {"tree.zip", "tree.7z", "tree.tar.gz", "tree.iso", "joliet.iso"}) {
    SCOPED_TRACE(name);
    const Listing l = List(name);
    ASSERT_EQ(l.outcome, ListOutcome::Listed);
    EXPECT_EQ(l.members.size(), 12u);
    for (auto [path, size] : std::vector<std::pair<std::string, int64_t>>{
             {"a.txt", 10}, {"sub\\b.bin", 1000}, {"sub\\深\\照片.jpg", 2345},
             {"odd\\it's \"q\" 100%[1].txt", 7}, {"Café.txt", 4}, {LongPath(), 3}}) {
      SCOPED_TRACE(path);
      const auto it = l.members.find(path);
      ASSERT_NE(it, l.members.end());
      EXPECT_FALSE(it->second.isFolder);
      EXPECT_EQ(it->second.size, size);
      EXPECT_EQ(it->second.modified, kTicks);
    }
    for (const char* folder : {"sub", "sub\\深", "odd", "ddddd"}) {
      ASSERT_TRUE(l.members.count(folder)) << folder;
      EXPECT_TRUE(l.members.at(folder).isFolder);
      EXPECT_EQ(l.members.at(folder).size, 0);
    }
    // Held in memory, the same members.
    std::ifstream in(Wide(kDir + name), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t count = 0;
    EXPECT_EQ(archives::MakeArchiveLister()->ListBytes(bytes, name, [&](const ArchiveMember&) { ++count; }),
              ListOutcome::Listed);
    EXPECT_EQ(count, l.members.size());
  }
}

TEST(ArchiveListerWineTest, GbkAndUtf8ZipNamesWithAndWithoutTheFlagAndATruncatedArchive) {
  // No flag: GBK bytes (a Chinese archiver's) and UTF-8 bytes side by side.
  const Listing gbk = List("gbk.zip");
  ASSERT_EQ(gbk.outcome, ListOutcome::Listed);
  ASSERT_TRUE(gbk.members.count("照片\\春节.jpg")) << gbk.members.begin()->first;
  EXPECT_EQ(gbk.members.at("照片\\春节.jpg").size, 5);
  EXPECT_TRUE(gbk.members.at("照片").isFolder);
  ASSERT_TRUE(gbk.members.count("文档\\报告.doc"));
  EXPECT_EQ(gbk.members.at("文档\\报告.doc").size, 3);
  // The UTF-8 flag, a Latin-1 name among them (its UTF-16 form would pass
  // for bytes): exact.
  const Listing flagged = List("flagged.zip");
  ASSERT_EQ(flagged.outcome, ListOutcome::Listed);
  ASSERT_TRUE(flagged.members.count("文档\\报告.doc"));
  EXPECT_EQ(flagged.members.at("文档\\报告.doc").modified, kTicks);
  ASSERT_TRUE(flagged.members.count("Café.txt"));
  EXPECT_EQ(flagged.members.at("Café.txt").size, 4);
  // A gzip stream ending halfway: not listed, a plain file.
  EXPECT_EQ(List("cut.tar.gz").outcome, ListOutcome::Unreadable);
}

// libarchive's own test archives (make_test_archives.sh): rar 4 with
// Unicode names, rar 5, cab.
TEST(ArchiveListerWineTest, RarAndCabFromTheLibrarysTestData) {
  const Listing rar = List("test_read_format_rar_unicode.rar");
  ASSERT_EQ(rar.outcome, ListOutcome::Listed);
  EXPECT_TRUE(rar.members.count("表だよ\\新しいフォルダ\\新規テキスト ドキュメント.txt"));
  const Listing rar5 = List("test_read_format_rar5_stored_manyfiles.rar");
  ASSERT_EQ(rar5.outcome, ListOutcome::Listed);
  EXPECT_EQ(rar5.members.size(), 3u);
  ASSERT_TRUE(rar5.members.count("make_uue.tcl"));
  EXPECT_EQ(rar5.members.at("make_uue.tcl").size, 405);
  const Listing cab = List("test_read_format_cab_1.cab");
  ASSERT_EQ(cab.outcome, ListOutcome::Listed);
  EXPECT_TRUE(cab.members.count("dir1\\file1"));
}

}  // namespace
