// The archive lister against archives made here with Debian's own tools
// (zip, 7zz, tar, xorriso; python3's zipfile and tarfile for the names no
// tool writes): members, sizes, dates, folders, GBK names, quotes, "%",
// "[" and a path over 260 characters read back exactly; damaged, truncated
// and encrypted-header archives are unreadable, not half listed; ".." and
// absolute member names stay inside the archive. And the name rules.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/time.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "archive/archive_lister.h"

namespace fs = std::filesystem;
using archives::ArchiveMember;
using archives::ListOutcome;

namespace {

constexpr int64_t kTime = 1262401445;  // 2010-01-02 03:04:05 UTC
int64_t Ticks(int64_t unix) { return (unix + 11644473600LL) * 10000000LL; }

struct Listing {
  ListOutcome outcome;
  std::map<std::string, ArchiveMember> members;  // by path
};

Listing List(const fs::path& file) {
  Listing l;
  auto lister = archives::MakeArchiveLister();
  l.outcome = lister->List(file.string(), static_cast<int64_t>(fs::file_size(file)),
                           [&](const ArchiveMember& m) { l.members[m.path] = m; });
  return l;
}

void Shell(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

class ArchiveListerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("vorlune-archive-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "src");
  }
  void TearDown() override { fs::remove_all(root); }
  // A file of `size` bytes modified at kTime.
  void File(const std::string& relative, size_t size) {
    const fs::path p = root / "src" / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << std::string(size, 'x');
    const timeval times[2] = {{kTime, 0}, {kTime, 0}};
    utimes(p.c_str(), times);
  }
  // The tree every tool packs: nested folders, Chinese, quotes, "%", "[",
  // and a path of more than 260 characters.
  void MakeTree() {
    File("a.txt", 10);
    File("sub/b.bin", 1000);
    File("sub/深/照片.jpg", 2345);
    File("odd/it's \"q\" 100%[1].txt", 7);
    File(std::string(5, 'd') + "/" + std::string(90, 'e') + "/" + std::string(90, 'f') + "/" + std::string(90, 'g') +
             ".txt",
         3);
  }
  std::string Long() const {
    return std::string(5, 'd') + "\\" + std::string(90, 'e') + "\\" + std::string(90, 'f') + "\\" +
           std::string(90, 'g') + ".txt";
  }
  void ExpectTree(const Listing& l, bool dates = true) {
    ASSERT_EQ(l.outcome, ListOutcome::Listed);
    for (auto [path, size] : std::vector<std::pair<std::string, int64_t>>{
             {"a.txt", 10}, {"sub\\b.bin", 1000}, {"sub\\深\\照片.jpg", 2345}, {"odd\\it's \"q\" 100%[1].txt", 7},
             {Long(), 3}}) {
      SCOPED_TRACE(path);
      const auto it = l.members.find(path);
      ASSERT_NE(it, l.members.end());
      EXPECT_FALSE(it->second.isFolder);
      EXPECT_EQ(it->second.size, size);
      if (dates) EXPECT_EQ(it->second.modified, Ticks(kTime));
    }
    ASSERT_TRUE(l.members.count("sub\\深"));
    EXPECT_TRUE(l.members.at("sub\\深").isFolder);
  }
  // A tar at `name` made by python3's tarfile from (member name, mtime)
  // pairs, members of 2 bytes: the names and times no archiver writes.
  fs::path Tar(const std::string& name, const std::string& members) {
    const fs::path out = root / name;
    std::ofstream(root / "make.py") << "import tarfile, io\n"
                                       "t = tarfile.open('" + out.string() + "', 'w', format=tarfile.PAX_FORMAT)\n"
                                       "for n, m in [" + members + "]:\n"
                                       "    i = tarfile.TarInfo(n); i.size = 2; i.mtime = m\n"
                                       "    t.addfile(i, io.BytesIO(b'hi'))\n"
                                       "t.close()\n";
    Shell("python3 '" + (root / "make.py").string() + "'");
    return out;
  }
  fs::path root;
};

TEST_F(ArchiveListerTest, ZipSevenZipTarAndIsoListTheSameTree) {
  MakeTree();
  const std::string src = (root / "src").string();
  Shell("cd '" + src + "' && zip -qr ../t.zip . >/dev/null");
  Shell("cd '" + src + "' && 7zz a -bd -y ../t.7z . >/dev/null");
  Shell("tar -C '" + src + "' -czf '" + (root / "t.tar.gz").string() + "' .");
  Shell("tar -C '" + src + "' -cf '" + (root / "t.tar").string() + "' .");
  Shell("xorriso -as mkisofs -quiet -J -joliet-long -R -o '" + (root / "t.iso").string() + "' '" + src + "' 2>/dev/null");
  for (const char* name : {"t.zip", "t.7z", "t.tar.gz", "t.tar", "t.iso"}) {
    SCOPED_TRACE(name);
    const Listing fromFile = List(root / name);
    ExpectTree(fromFile);
    // The same archive held in memory lists the same members.
    std::ifstream in(root / name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::map<std::string, ArchiveMember> fromBytes;
    EXPECT_EQ(archives::MakeArchiveLister()->ListBytes(bytes, name, [&](const ArchiveMember& m) { fromBytes[m.path] = m; }),
              ListOutcome::Listed);
    EXPECT_EQ(fromBytes.size(), fromFile.members.size());
  }
}

TEST_F(ArchiveListerTest, GbkNamesOfZipsWithoutTheUtf8FlagBesideUtf8Ones) {
  // Names as a Chinese archiver writes them (GBK bytes, no flag): files
  // named so on disk, packed by zip in the C locale, which stores the bytes.
  const std::string script =
      "import os\n"
      "d = os.path.join(b'" + (root / "gbk").string() + "', '照片'.encode('gbk'))\n"
      "os.makedirs(d)\n"
      "open(os.path.join(d, '春节.jpg'.encode('gbk')), 'wb').write(b'12345')\n"
      "os.makedirs(b'" + (root / "gbk").string() + "/' + '文档'.encode('utf-8'))\n"
      "open(b'" + (root / "gbk").string() + "/' + '文档/报告.doc'.encode('utf-8'), 'wb').write(b'123')\n";
  std::ofstream(root / "make.py") << script;
  Shell("python3 '" + (root / "make.py").string() + "'");
  Shell("cd '" + (root / "gbk").string() + "' && LC_ALL=C zip -qr ../gbk.zip . >/dev/null");
  const Listing l = List(root / "gbk.zip");
  ASSERT_EQ(l.outcome, ListOutcome::Listed);
  ASSERT_TRUE(l.members.count("照片\\春节.jpg")) << l.members.begin()->first;
  EXPECT_EQ(l.members.at("照片\\春节.jpg").size, 5);
  EXPECT_TRUE(l.members.count("文档\\报告.doc"));
}

TEST_F(ArchiveListerTest, DamagedTruncatedAndEncryptedHeadersAreUnreadableAndOtherFilesNoArchives) {
  MakeTree();
  const std::string src = (root / "src").string();
  Shell("cd '" + src + "' && zip -qr ../t.zip . >/dev/null");
  Shell("tar -C '" + src + "' -czf '" + (root / "t.tar.gz").string() + "' .");
  Shell("cd '" + src + "' && 7zz a -bd -y -psecret -mhe=on ../hidden.7z . >/dev/null");
  Shell("cd '" + src + "' && zip -qr -P secret ../locked.zip . >/dev/null");
  // Cut in half; the zip's directory overwritten.
  for (const char* name : {"t.zip", "t.tar.gz"}) {
    const fs::path p = root / name;
    fs::copy_file(p, root / (std::string("cut-") + name));
    fs::resize_file(root / (std::string("cut-") + name), fs::file_size(p) / 2);
  }
  {
    fs::copy_file(root / "t.zip", root / "bad.zip");
    std::fstream f(root / "bad.zip", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(fs::file_size(root / "bad.zip")) - 60);
    f << std::string(40, '\x5a');
  }
  std::ofstream(root / "notes.zip") << "these are notes, not an archive";
  // Each is recorded as a plain file: not listed, nothing of it kept.
  for (const char* name : {"cut-t.zip", "cut-t.tar.gz", "bad.zip", "hidden.7z"})
    EXPECT_NE(List(root / name).outcome, ListOutcome::Listed) << name;
  EXPECT_EQ(List(root / "hidden.7z").outcome, ListOutcome::Unreadable);
  EXPECT_EQ(List(root / "notes.zip").outcome, ListOutcome::NotAnArchive);
  // An archive whose data alone is encrypted shows its names.
  ExpectTree(List(root / "locked.zip"));
}

TEST_F(ArchiveListerTest, MembersThatClimbOutOrStartAtTheRootStayInside) {
  const Listing l = List(Tar("evil.tar", "('../../evil.txt', 0), ('/etc/abs.txt', 0), ('ok/../../x.txt', 0), "
                                         "('./d/./e.txt', 0), ('..', 0), ('C:/win.txt', 0)"));
  ASSERT_EQ(l.outcome, ListOutcome::Listed);
  std::vector<std::string> paths;
  for (const auto& [p, m] : l.members) paths.push_back(p);
  EXPECT_EQ(paths, (std::vector<std::string>{"d\\e.txt", "etc\\abs.txt", "evil.txt", "win.txt", "x.txt"}));
}

TEST_F(ArchiveListerTest, TimesBeyondWhatATimeCanBeAreUnknown) {
  // The fuzzing found an image whose time overflowed the conversion.
  const Listing l = List(Tar("times.tar", "('far.txt', 10**18), ('before.txt', -10**12), ('fine.txt', 1262401445)"));
  ASSERT_EQ(l.outcome, ListOutcome::Listed);
  EXPECT_EQ(l.members.at("far.txt").modified, 0);
  EXPECT_EQ(l.members.at("before.txt").modified, 0);
  EXPECT_EQ(l.members.at("fine.txt").modified, Ticks(kTime));
}

// Rar 4, rar 5 and cab, which no Debian tool writes: the archives of
// libarchive's own tests (tests/libarchive_test_data.sh).
TEST_F(ArchiveListerTest, RarFourRarFiveAndCabFromTheLibrarysOwnTestData) {
  const int made = std::system(("bash '" VORLUNE_SOURCE_DIR "/tests/libarchive_test_data.sh' '" + root.string() +
                                "' test_read_format_rar.rar test_read_format_rar_unicode.rar"
                                " test_read_format_rar5_stored_manyfiles.rar test_read_format_cab_1.cab")
                                   .c_str());
  if (WIFEXITED(made) && WEXITSTATUS(made) == 3) GTEST_SKIP() << "no libarchive source package (scripts/fetch-archive-libs)";
  ASSERT_EQ(made, 0);

  // Rar 4: files, a folder with a file, an empty folder; the link is no
  // member (it points elsewhere).
  const Listing rar = List(root / "test_read_format_rar.rar");
  ASSERT_EQ(rar.outcome, ListOutcome::Listed);
  EXPECT_EQ(rar.members.size(), 4u);
  EXPECT_EQ(rar.members.at("test.txt").size, 20);
  EXPECT_EQ(rar.members.at("testdir\\test.txt").size, 20);
  EXPECT_TRUE(rar.members.at("testdir").isFolder);
  EXPECT_TRUE(rar.members.at("testemptydir").isFolder);
  EXPECT_FALSE(rar.members.count("testlink"));
  EXPECT_GT(rar.members.at("test.txt").modified, Ticks(946684800));  // after 2000
  // Rar 4 with Unicode names.
  const Listing unicode = List(root / "test_read_format_rar_unicode.rar");
  ASSERT_EQ(unicode.outcome, ListOutcome::Listed);
  EXPECT_TRUE(unicode.members.count("表だよ\\新しいフォルダ\\新規テキスト ドキュメント.txt"));
  // Rar 5: three stored files.
  const Listing rar5 = List(root / "test_read_format_rar5_stored_manyfiles.rar");
  ASSERT_EQ(rar5.outcome, ListOutcome::Listed);
  EXPECT_EQ(rar5.members.size(), 3u);
  for (const char* name : {"make_uue.tcl", "cebula.txt", "test.bin"}) EXPECT_TRUE(rar5.members.count(name)) << name;
  EXPECT_EQ(rar5.members.at("make_uue.tcl").size, 405);
  // Cab: its folders in the names.
  const Listing cab = List(root / "test_read_format_cab_1.cab");
  ASSERT_EQ(cab.outcome, ListOutcome::Listed);
  EXPECT_EQ(cab.members.at("empty").size, 0);
  EXPECT_TRUE(cab.members.count("dir1\\file1"));
}

TEST(ArchiveNames, ExtensionsSafePathsAndImpliedFolders) {
  for (const char* n : {"a.ZIP", "b.rar", "c.7z", "d.cab", "e.tar", "f.TGZ", "g.tar.gz", "h.tbz2", "i.tar.bz2",
                        "j.txz", "k.tar.xz", "l.iso"})
    EXPECT_TRUE(archives::IsArchiveName(n)) << n;
  for (const char* n : {"zip", ".zip", "a.zipx", "a.gz", "a.isoo", "tar"}) EXPECT_FALSE(archives::IsArchiveName(n)) << n;
  EXPECT_TRUE(archives::IsCompressedTarName("x.tar.GZ"));
  EXPECT_FALSE(archives::IsCompressedTarName("x.tar"));
  EXPECT_EQ(archives::SafeMemberPath("a/b/../c"), "a\\c");
  EXPECT_EQ(archives::SafeMemberPath("\\\\server\\share\\x"), "server\\share\\x");
  EXPECT_EQ(archives::SafeMemberPath("../.."), "");
  EXPECT_EQ(archives::SafeMemberPath("D:relative"), "relative");
  EXPECT_EQ(archives::SafeMemberPath("dir:name"), "dir:name");

  const std::vector<ArchiveMember> members = {{"x\\y\\f.txt", false, 5, 1}, {"x", true, 0, 9}, {"X\\y", true, 0, 8},
                                              {"g.txt", false, 1, 1}};
  const std::vector<ArchiveMember> all = archives::WithImpliedFolders(members);
  std::vector<std::string> order;
  for (const ArchiveMember& m : all) order.push_back(m.path + (m.isFolder ? "\\" : ""));
  EXPECT_EQ(order, (std::vector<std::string>{"x\\", "X\\y\\", "x\\y\\f.txt", "g.txt"}));
  EXPECT_EQ(all[0].modified, 9);  // the folder listed later, with its own time
}

}  // namespace
