// What archives hold, through the scan into a real catalogue: members as
// rows below the archive's stored path and marked, the archive's row
// counting them, the snapshot's counts of the disk alone, archives the
// lister cannot read kept as plain files while the scan goes on, the
// export with and without the members, an update in place, and a real zip
// listed by the real lister.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "catalog/connection.h"
#include "catalog/name_index.h"
#include "catalog/statements.h"
#include "create/memory_source.h"
#include "create/posix_source.h"
#include "create/snapshot_job.h"
#include "create/snapshot_update.h"
#include "tests/native/test_support.h"

using namespace create;
using archives::ArchiveMember;
using archives::ListOutcome;

namespace {

// Lists what it was told for each disk path; anything else is no archive.
class FakeLister : public archives::ArchiveLister {
 public:
  struct Listing {
    ListOutcome outcome = ListOutcome::Listed;
    std::vector<ArchiveMember> members;
  };
  std::map<std::string, Listing> listings;
  std::vector<std::string> asked;

  ListOutcome List(const std::string& path, int64_t, const std::function<void(const ArchiveMember&)>& member) override {
    asked.push_back(path);
    auto it = listings.find(path);
    if (it == listings.end()) return ListOutcome::NotAnArchive;
    for (const ArchiveMember& m : it->second.members) member(m);
    return it->second.outcome;
  }
  ListOutcome ListBytes(std::string_view, std::string_view, const std::function<void(const ArchiveMember&)>&) override {
    return ListOutcome::NotAnArchive;
  }
};

ArchiveMember File(std::string path, int64_t size, int64_t modified = 0) {
  return ArchiveMember{std::move(path), false, size, modified};
}

class ScanArchivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    cn.Open();
    backup = src.AddFolder(MemorySource::kRoot, "backup");
    src.AddFile(backup, "photos.zip", 5000);
    src.AddFile(backup, "after.txt", 10);
    lister.listings[backup + "photos.zip"].members = {File("2019\\IMG_0001.JPG", 2000, 42), File("readme.txt", 7)};
  }
  SnapshotOutcome Take(archives::ArchiveLister* archives) {
    SnapshotRequest r{"CD_1", MemorySource::kRoot, 10485760, "", {}, archives};
    return TakeSnapshot(q, src, r, ScanHooks{}, {});
  }
  UpdateResult Update(archives::ArchiveLister* archives) {
    SnapshotRequest r{"CD_1", MemorySource::kRoot, 10485760, "", {}, archives};
    ScanHooks h;
    int state = kScanIdle;
    h.state = [&] { return state; };
    return UpdateSnapshot(q, src, r, h, [&] { state = kScanRunning; });
  }
  // "path|name|type|size|members|inArchive" of every row, in rowid order.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    catalog::Query r(&cn);
    r.Add("Select Path, Name, Type, Size, Members, InArchive From CDFile Order By rowid");
    r.Open();
    for (; !r.Eof(); r.Next()) {
      std::string row = std::string(r.TextAt(0)) + "|" + std::string(r.TextAt(1)) + "|" +
                        std::to_string(r.IntegerAt(2)) + "|" + (r.IsNullAt(3) ? "-" : std::to_string(r.IntegerAt(3)));
      row += "|" + (r.IsNullAt(4) ? std::string("-") : std::to_string(r.IntegerAt(4)));
      row += "|" + (r.IsNullAt(5) ? std::string("-") : std::to_string(r.IntegerAt(5)));
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<std::string> Exported(bool withMembers) {
    std::vector<std::string> out;
    catalog::Query r(&cn);
    catalog::OpenExportRows(r, "CD_1", withMembers);
    for (; !r.Eof(); r.Next()) out.push_back(r.AsString("FileDir"));
    return out;
  }
  catalog::SnapshotFacts Facts() {
    catalog::Query r(&cn);
    catalog::OpenSnapshotRow(r, "CD_1");
    return catalog::SnapshotFactsOf(r);
  }

  testsupport::TempDir dir;
  catalog::Connection cn;
  catalog::Query q{&cn};
  MemorySource src;
  FakeLister lister;
  std::string backup;
};

TEST_F(ScanArchivesTest, MembersGoBelowTheArchivesStoredPathWithTheFoldersTheirPathsImply) {
  ASSERT_EQ(Take(&lister), SnapshotOutcome::kCompleted);
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "[CD_1]:\\|backup|1|-|-|-",
                        "[CD_1]:\\backup\\|photos.zip|0|5000|3|-",
                        "[CD_1]:\\backup\\photos.zip\\|2019|1|-|-|1",
                        "[CD_1]:\\backup\\photos.zip\\2019\\|IMG_0001.JPG|0|2000|-|1",
                        "[CD_1]:\\backup\\photos.zip\\|readme.txt|0|7|-|1",
                        "[CD_1]:\\backup\\|after.txt|0|10|-|-",
                    }));
  catalog::Query r(&cn);
  catalog::OpenFileRow(r, "[CD_1]:\\backup\\photos.zip\\2019\\", "IMG_0001.JPG");
  ASSERT_FALSE(r.Eof());
  EXPECT_EQ(r.AsInteger("Modified"), 42);
  r.Close();
  // The snapshot counts what is on the disk: one folder, two files.
  const catalog::SnapshotFacts facts = Facts();
  EXPECT_EQ(facts.folders, 1);
  EXPECT_EQ(facts.files, 2);
  EXPECT_EQ(facts.fileBytes, 5010);
}

TEST_F(ScanArchivesTest, WithoutTheOptionOrWhenUnreadableAnArchiveIsAPlainFileAndTheScanGoesOn) {
  src.AddFile(backup, "damaged.rar", 300);
  src.AddFile(backup, "huge.tar.gz", 400);
  src.AddFile(backup, "empty.7z", 50);
  src.AddFile(backup, "notes.doc", 60);
  lister.listings[backup + "damaged.rar"] = {ListOutcome::Unreadable, {File("half.txt", 1)}};
  lister.listings[backup + "huge.tar.gz"] = {ListOutcome::TooLarge, {}};
  lister.listings[backup + "empty.7z"] = {ListOutcome::Listed, {}};
  lister.listings[backup + "notes.doc"] = {ListOutcome::Listed, {File("x", 1)}};
  // An archive inside an archive is a member file, never listed itself.
  lister.listings[backup + "photos.zip"].members.push_back(File("nested.zip", 40));
  lister.listings[backup + "photos.zip\\nested.zip"] = {ListOutcome::Listed, {File("deep.txt", 1)}};
  ASSERT_EQ(Take(&lister), SnapshotOutcome::kCompleted);
  const std::vector<std::string> rows = Rows();
  for (const char* plain : {"damaged.rar|0|300|-|-", "huge.tar.gz|0|400|-|-", "empty.7z|0|50|-|-",
                            "notes.doc|0|60|-|-", "after.txt|0|10|-|-"})
    EXPECT_NE(std::find(rows.begin(), rows.end(), std::string("[CD_1]:\\backup\\|") + plain), rows.end()) << plain;
  EXPECT_EQ(rows.size(), 2u + 4u + 5u);  // folder, photos.zip and its 4, the rest
  EXPECT_NE(std::find(rows.begin(), rows.end(), "[CD_1]:\\backup\\photos.zip\\|nested.zip|0|40|-|1"), rows.end());
  // Only names of archives are asked about.
  EXPECT_EQ(std::set<std::string>(lister.asked.begin(), lister.asked.end()),
            (std::set<std::string>{backup + "photos.zip", backup + "damaged.rar", backup + "huge.tar.gz",
                                   backup + "empty.7z"}));

  catalog::Query r(&cn);
  create::DeleteSnapshot(r, "CD_1");
  lister.asked.clear();
  ASSERT_EQ(Take(nullptr), SnapshotOutcome::kCompleted);
  EXPECT_EQ(Rows().size(), 1u + 6u);  // none of the members
  EXPECT_TRUE(lister.asked.empty());
}

TEST_F(ScanArchivesTest, TheExportLeavesMembersOutUnlessAsked) {
  ASSERT_EQ(Take(&lister), SnapshotOutcome::kCompleted);
  EXPECT_EQ(Exported(false), (std::vector<std::string>{"[CD_1]:\\backup", "[CD_1]:\\backup\\after.txt",
                                                       "[CD_1]:\\backup\\photos.zip"}));
  EXPECT_EQ(Exported(true),
            (std::vector<std::string>{"[CD_1]:\\backup", "[CD_1]:\\backup\\after.txt", "[CD_1]:\\backup\\photos.zip",
                                      "[CD_1]:\\backup\\photos.zip\\2019", "[CD_1]:\\backup\\photos.zip\\2019\\IMG_0001.JPG",
                                      "[CD_1]:\\backup\\photos.zip\\readme.txt"}));
}

TEST_F(ScanArchivesTest, TheNamesInMemoryFindMembersAndKnowThemApart) {
  ASSERT_EQ(Take(&lister), SnapshotOutcome::kCompleted);
  catalog::NameIndex& names = cn.Names();
  names.BringInStep(cn);
  const catalog::IndexContents contents = names.Contents();
  std::map<std::string, bool> inArchive;
  for (size_t c = 0; c < contents.chunks.size(); ++c)
    for (size_t i = 0; i < contents.entries[c]; ++i)
      inArchive[std::string(contents.chunks[c]->Name(i))] = contents.chunks[c]->inArchive[i];
  EXPECT_EQ(inArchive, (std::map<std::string, bool>{{"backup", false},
                                                    {"photos.zip", false},
                                                    {"2019", true},
                                                    {"img_0001.jpg", true},
                                                    {"readme.txt", true},
                                                    {"after.txt", false}}));
}

TEST_F(ScanArchivesTest, AnUpdateFollowsTheArchivesContentsAndTheOption) {
  ASSERT_EQ(Take(&lister), SnapshotOutcome::kCompleted);
  // The same disk: nothing to do.
  UpdateResult same = Update(&lister);
  EXPECT_TRUE(same.replaced);
  EXPECT_EQ(same.counts.added + same.counts.removed + same.counts.changed, 0);

  // The archive rewritten: one member gone, one new; its row counts anew.
  lister.listings[backup + "photos.zip"].members = {File("2019\\IMG_0001.JPG", 2000, 42), File("new.txt", 3)};
  src.Find(backup, "photos.zip")->size = 5100;
  UpdateResult changed = Update(&lister);
  EXPECT_EQ(changed.counts.added, 1);
  EXPECT_EQ(changed.counts.removed, 1);
  EXPECT_EQ(changed.counts.changed, 1);  // the archive's own size
  std::vector<std::string> rows = Rows();
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "[CD_1]:\\backup\\photos.zip\\2019\\|IMG_0001.JPG|0|2000|-|1",
                      "[CD_1]:\\backup\\photos.zip\\|2019|1|-|-|1",
                      "[CD_1]:\\backup\\photos.zip\\|new.txt|0|3|-|1",
                      "[CD_1]:\\backup\\|after.txt|0|10|-|-",
                      "[CD_1]:\\backup\\|photos.zip|0|5100|3|-",
                      "[CD_1]:\\|backup|1|-|-|-",
                  }));

  // Updated with the option off, the snapshot is what such a scan records.
  Update(nullptr);
  rows = Rows();
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::string>{"[CD_1]:\\backup\\|after.txt|0|10|-|-",
                                            "[CD_1]:\\backup\\|photos.zip|0|5100|-|-", "[CD_1]:\\|backup|1|-|-|-"}));
}

// The real lister over a zip made here, through the disk's own walk.
TEST(ScanRealArchives, AZipOnTheDiskIsListedBelowItsRow) {
  testsupport::TempDir dir;
  namespace fs = std::filesystem;
  const fs::path disk = fs::path(dir.Path()) / "disk";
  fs::create_directories(disk / "src" / "docs");
  std::ofstream(disk / "src" / "docs" / "a.txt") << "hello";
  ASSERT_EQ(std::system(("cd '" + (disk / "src").string() + "' && zip -qr ../pack.zip docs").c_str()), 0);
  fs::remove_all(disk / "src");

  testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
  cn.Open();
  catalog::Query q(&cn);
  PosixSource source;
  auto lister = archives::MakeArchiveLister();
  SnapshotRequest r{"REAL", disk.string() + "/", 1024, "", {}, lister.get()};
  ASSERT_EQ(TakeSnapshot(q, source, r, ScanHooks{}, {}), SnapshotOutcome::kCompleted);
  catalog::OpenFileRow(q, "[REAL]:\\pack.zip\\docs\\", "a.txt");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Size"), 5);
  EXPECT_EQ(q.AsInteger("InArchive"), 1);
  q.Close();
  catalog::OpenFileRow(q, "[REAL]:\\", "pack.zip");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Members"), 2);  // docs and docs\a.txt
}

}  // namespace
