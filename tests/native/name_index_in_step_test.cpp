// The name index follows every write: after each of the program's commands
// (scan finished, stopped, cancelled; delete; rename; compaction; a rolled
// back transaction) and after changes by another connection, during a run
// and between runs, the indexed search finds exactly the rows the engine's
// LIKE finds.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <string>
#include <vector>

#include "catalog/name_index.h"
#include "create/memory_source.h"
#include "create/snapshot_job.h"
#include "maintain/compaction.h"
#include "maintain/snapshot_edit.h"
#include "tests/native/maintain_fixture.h"

using namespace create;

namespace {

using Rowids = std::vector<int64_t>;

class NameIndexInStep : public testsupport::CatalogFixture {
 protected:
  // Texts without letters beyond A to Z, where the engine's LIKE is the rule.
  Rowids Plain(const std::string& text) {
    Rowids out;
    catalog::Query p(&cn);
    p.Add("Select rowid As r From CDFile Where Name Like '%' || ? || '%' Order By rowid");
    p.Bind(text);
    for (p.Open(); !p.Eof(); p.Next()) out.push_back(p.AsInteger("r"));
    return out;
  }
  void ExpectInStep(const std::string& when) {
    for (const char* t : {"", "QUOKKA", "f1", "f_", "d%2"})
      EXPECT_EQ(cn.Names().Search(cn, t, true, true).ToVector(), Plain(t)) << when << ", text " << t;
  }
  size_t Hits(const std::string& text) { return cn.Names().Search(cn, text, true, true).size(); }

  SnapshotOutcome Scan(const std::string& label, std::function<void(int pumps)> onPump = nullptr) {
    int pumps = 0;
    ScanHooks h;
    h.processMessages = [&] {
      if (onPump) onPump(++pumps);
    };
    h.state = [this] { return state; };
    h.scannedKB = &scannedKB;
    SnapshotRequest r{label, MemorySource::kRoot, 10485760, "", {}};
    return TakeSnapshot(q, src, r, h, [this] { state = kScanRunning; });
  }
  void FillSource(int files) {
    src = MemorySource();
    for (int d = 0; d < files / 100; ++d) {
      std::string folder = src.AddFolder(MemorySource::kRoot, "d" + std::to_string(d));
      for (int i = 0; i < 100; ++i) src.AddFile(folder, "f" + std::to_string(i) + (i == 7 ? "quokka" : ""), i);
    }
  }

  MemorySource src;
  int state = kScanIdle;
  int64_t scannedKB = 0;
};

TEST_F(NameIndexInStep, ScansFinishedStoppedAndCancelled) {
  FillSource(300);
  ExpectInStep("empty catalogue");  // the index exists before the first scan
  EXPECT_EQ(Scan("CD1"), SnapshotOutcome::kCompleted);
  EXPECT_EQ(Hits("quokka"), 3u);
  ExpectInStep("after a scan");
  FillSource(3000);
  EXPECT_EQ(Scan("CD2", [&](int pumps) {
              if (pumps == 1500) state = kScanStopped;
            }),
            SnapshotOutcome::kStopped);
  EXPECT_GT(Hits("quokka"), 3u);
  ExpectInStep("after a stop");
  const size_t before = Hits("");
  EXPECT_EQ(Scan("CD3", [&](int pumps) {
              if (pumps == 1500) state = kScanCancelled;
              // A search in the middle reads the rows written so far.
              if (pumps == 1000) {
                EXPECT_GT(Hits(""), before);
              }
            }),
            SnapshotOutcome::kCancelled);
  EXPECT_EQ(Hits(""), before);
  ExpectInStep("after a cancel");
}

TEST_F(NameIndexInStep, DeleteRenameAndCompaction) {
  FillSource(300);
  for (const char* label : {"CD1", "CD2", "CD3"}) Scan(label);
  ExpectInStep("after the scans");
  maintain::DeleteSnapshot(q, "CD2");
  EXPECT_EQ(Hits("quokka"), 6u);
  ExpectInStep("after a delete");
  ASSERT_TRUE(maintain::RenameSnapshot(q, "CD3", "NEW"));
  ExpectInStep("after a rename");
  // A new scan after the delete reuses no rowid of the deleted rows' range
  // above the last entry but must still come after it.
  Scan("CD4");
  ExpectInStep("after a scan following the delete");
  maintain::DeleteSnapshot(q, "CD4");
  Scan("CD5");  // its rows take the rowids CD4's rows had
  ExpectInStep("after a scan taking the deleted rows' rowids");
  maintain::CompactOutcome out = maintain::CompactCatalog(cn, {&q}, Folder());
  ASSERT_TRUE(out.ok) << out.error;
  ExpectInStep("after a compaction");
}

TEST_F(NameIndexInStep, ChangesWhoseNotedRangesLieOneInsideAnotherBetweenTwoSearches) {
  FillSource(300);
  Scan("OLD");
  Scan("OTHER");
  EXPECT_EQ(Hits("quokka"), 6u);
  // Two discs scanned one after the other (their rows one range), an older
  // snapshot renamed (a range before it, not next to the new rows), the
  // first new disc deleted (a shorter range inside the first one, starting
  // where it starts).
  Scan("NEW1");
  Scan("NEW2");
  ASSERT_TRUE(maintain::RenameSnapshot(q, "OLD", "OLD2"));
  maintain::DeleteSnapshot(q, "NEW1");
  EXPECT_EQ(Hits("quokka"), 9u);  // OLD2's, OTHER's and NEW2's
  ExpectInStep("after changes whose ranges overlap");
}

TEST_F(NameIndexInStep, RowsReadAgainAfterARenameGoInAChunkAtATime) {
  // Chunks of 7 entries: the rename's 303 rows are read again in pieces of
  // 7, between the rows of the snapshots before and after.
  FillSource(300);
  for (const char* label : {"CD1", "CD2", "CD3"}) Scan(label);
  catalog::NameIndex small(7);
  ASSERT_EQ(small.Search(cn, "", true, true).ToVector(), Plain(""));
  ASSERT_TRUE(maintain::RenameSnapshot(q, "CD2", "NEW"));
  EXPECT_EQ(small.Search(cn, "", true, true).ToVector(), Plain(""));
  EXPECT_EQ(small.Entries(), Plain("").size());
  for (const char* t : {"QUOKKA", "f1", "d%2"}) EXPECT_EQ(small.Search(cn, t, true, true).ToVector(), Plain(t)) << t;
}

TEST(RowidList, HoldsMillionsInBlocksOfAtMost512KB) {
  catalog::RowidList hits;
  std::vector<int64_t> plain;
  for (int64_t r = 0; r < 1000000; ++r) {
    hits.push_back(r * 3);
    plain.push_back(r * 3);
  }
  EXPECT_EQ(hits.size(), plain.size());
  EXPECT_EQ(hits.front(), 0);
  EXPECT_EQ(hits[65535], plain[65535]);
  EXPECT_EQ(hits[65536], plain[65536]);
  EXPECT_EQ(hits[999999], plain[999999]);
  EXPECT_EQ(hits.ToVector(), plain);
  EXPECT_LE(hits.LargestBlockBytes(), size_t{512} << 10);
}

TEST_F(NameIndexInStep, ABuildInSlicesTakesTheChangesMadeBetweenSlices) {
  FillSource(300);
  Scan("CD1");
  Scan("CD2");
  EXPECT_FALSE(cn.Names().BuildStep(cn, 100));
  EXPECT_EQ(cn.Names().Entries(), 100u);
  maintain::DeleteSnapshot(q, "CD1");  // behind the slices read so far
  EXPECT_FALSE(cn.Names().BuildStep(cn, 100));
  Scan("CD3");                         // beyond them
  ExpectInStep("a search in the middle of the build answers from the file");
  EXPECT_FALSE(cn.Names().Built());  // the slices go on
  while (!cn.Names().BuildStep(cn, 100)) {
  }
  ExpectInStep("after the rest of the slices");
  cn.Names().Clear();
  int steps = 0;
  while (!cn.Names().BuildStep(cn, 250)) ++steps;
  EXPECT_EQ(steps, 2);  // the 606 rows of CD2 and CD3: 250, 250, then the last 106
  EXPECT_TRUE(cn.Names().Built());
  ExpectInStep("after a build in slices");
  cn.Close();
  EXPECT_TRUE(cn.Names().BuildStep(cn, 250));  // a closed connection ends the slices
  EXPECT_FALSE(cn.Names().Built());
}

TEST_F(NameIndexInStep, ARolledBackTransactionLeavesNoEntry) {
  AddSnapshot("CD1");
  AddRow("[CD1]:\\", "kept", 0);
  cn.BeginTransaction();
  AddRow("[CD1]:\\", "quokka", 0);
  EXPECT_EQ(Hits("quokka"), 1u);  // its own uncommitted row is visible to the search
  cn.Rollback();
  EXPECT_EQ(Hits("quokka"), 0u);
  ExpectInStep("after a rollback");
}

TEST_F(NameIndexInStep, ChangesOfAnotherConnectionDuringAndBetweenRuns) {
  FillSource(200);
  Scan("CD1");
  ExpectInStep("first");
  auto elsewhere = [&](const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(cn.FileName().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  };
  // While the program runs.
  elsewhere("Update CDFile Set Name='QUOKKA.NEW' Where Name='f1'");
  EXPECT_EQ(Hits("quokka"), 4u);
  ExpectInStep("after another connection's update");
  // Between two runs: the same number of rows and the same largest rowid,
  // other names.
  cn.Close();
  elsewhere("Update CDFile Set Name='renamed' Where Name Like '%quokka%'");
  cn.Open();
  // Nothing of the last run's index is trusted: it is read afresh.
  EXPECT_FALSE(cn.Names().Built());
  EXPECT_EQ(cn.Names().Entries(), 0u);
  EXPECT_EQ(Hits("quokka"), 0u);
  ExpectInStep("in the next run");
}

}  // namespace
