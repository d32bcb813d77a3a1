// The walk on a tree held in memory: row order, attributes, stored paths,
// the run state at each folder visit, and message processing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "create/memory_source.h"
#include "create/scan_engine.h"

using namespace create;

namespace {

struct Row {
  int type;
  std::string path, name;
  int64_t size;
  bool operator==(const Row&) const = default;
};

class RecordingSink : public RowSink {
 public:
  void AppendFolder(const DirEntry& e, std::string_view path) override {
    rows.push_back({1, std::string(path), e.name, -1});
  }
  void AppendFile(const DirEntry& e, std::string_view path) override {
    if (failAt >= 0 && static_cast<int>(rows.size()) == failAt) throw std::runtime_error("refused");
    rows.push_back({0, std::string(path), e.name, e.size});
  }
  std::vector<Row> rows;
  int failAt = -1;
};

class ScanEngineTest : public ::testing::Test {
 protected:
  ScanHooks Hooks() {
    ScanHooks h;
    h.processMessages = [this] {
      ++pumps;
      if (onPump) onPump();
    };
    h.status = [this](std::string_view s) { statuses.emplace_back(s); };
    h.state = [this] { return state; };
    h.scannedKB = &scannedKB;
    return h;
  }
  void Walk(const std::string& label = "DISK") {
    ScanEngine engine(src, sink, Hooks());
    engine.Walk(MemorySource::kRoot, label);
  }

  MemorySource src;
  RecordingSink sink;
  int state = kScanRunning;
  int64_t scannedKB = 0;
  int pumps = 0;
  std::function<void()> onPump;
  std::vector<std::string> statuses;
  const std::string root = MemorySource::kRoot;
};

}  // namespace

TEST(ClassifyEntryTest, DotNamesFoldersAndFiles) {
  DirEntry e;
  e.name = ".";
  e.folder = true;
  EXPECT_EQ(ClassifyEntry(e), 2);
  e.name = "..";
  EXPECT_EQ(ClassifyEntry(e), 2);
  e.name = ".git";
  EXPECT_EQ(ClassifyEntry(e), 1);
  e.folder = false;
  EXPECT_EQ(ClassifyEntry(e), 0);
}

TEST_F(ScanEngineTest, SubfoldersThenFilesThenFoldersBelowDepthFirst) {
  // Entries mixed in enumeration order; dot entries as the platform gives them.
  src.AddEntry(root, DirEntry{".", true});
  src.AddFile(root, "r1.txt", 10);
  std::string a = src.AddFolder(root, "A");
  src.AddFile(root, "r2.txt", 20);
  std::string b = src.AddFolder(root, "B");
  src.AddEntry(a, DirEntry{"..", true});
  src.AddFile(a, "a1", 1);
  std::string a1 = src.AddFolder(a, "A1");
  src.AddFile(a1, "deep", 2);
  src.AddFile(b, "b1", 3);
  Walk("L");
  std::vector<Row> want = {
      {1, "[L]:\\", "A", -1},          {1, "[L]:\\", "B", -1},       {0, "[L]:\\", "r1.txt", 10},
      {0, "[L]:\\", "r2.txt", 20},     {1, "[L]:\\A\\", "A1", -1},   {0, "[L]:\\A\\", "a1", 1},
      {0, "[L]:\\A\\A1\\", "deep", 2}, {0, "[L]:\\B\\", "b1", 3},
  };
  EXPECT_EQ(sink.rows, want);
  EXPECT_EQ(src.Listed(), (std::vector<std::string>{root, a, a1, b}));
}

TEST_F(ScanEngineTest, HiddenAndSystemEntries) {
  std::string hidden = src.AddFolder(root, "Hidden", true);
  std::string sys = src.AddFolder(root, "System", false, true);
  std::string both = src.AddFolder(root, "HidSys", true, true);
  src.AddFile(root, "hidden.txt", 5, true);
  src.AddFile(root, "system.sys", 6, false, true);
  src.AddFile(hidden, "inside", 7);
  src.AddFile(sys, "never", 8);
  src.AddFile(both, "never2", 9);
  Walk();
  std::vector<Row> want = {
      {1, "[DISK]:\\", "Hidden", -1},
      {0, "[DISK]:\\", "hidden.txt", 5},
      {0, "[DISK]:\\", "system.sys", 6},
      {0, "[DISK]:\\Hidden\\", "inside", 7},
  };
  EXPECT_EQ(sink.rows, want);
  EXPECT_EQ(src.Listed(), (std::vector<std::string>{root, hidden}));
}

TEST_F(ScanEngineTest, LinkedFolderIsRecordedButNotEntered) {
  DirEntry link{"Loop", true};
  link.link = true;
  src.AddEntry(root, link);
  src.AddFile(root + "Loop\\", "x", 1);
  Walk();
  EXPECT_EQ(sink.rows, (std::vector<Row>{{1, "[DISK]:\\", "Loop", -1}}));
}

TEST_F(ScanEngineTest, ScannedKBTruncatesEachFile) {
  src.AddFile(root, "a", 1023);
  src.AddFile(root, "b", 2047);
  Walk();
  EXPECT_EQ(scannedKB, 1);
  src.AddFile(root, "big", int64_t(5000000000));
  scannedKB = 0;
  Walk();
  EXPECT_EQ(scannedKB, 1 + 5000000000 / 1024);
  EXPECT_EQ(sink.rows.back().size, 5000000000);  // full 64-bit size
}

TEST_F(ScanEngineTest, EmptyAndUnreadableFolders) {
  Walk();
  EXPECT_TRUE(sink.rows.empty());
  std::string locked = src.AddFolder(root, "Locked");
  src.AddFile(locked, "secret", 1);
  src.MakeUnreadable(locked);
  Walk();
  EXPECT_EQ(sink.rows, (std::vector<Row>{{1, "[DISK]:\\", "Locked", -1}}));
}

TEST_F(ScanEngineTest, StopDuringRootKeepsRootEntriesOnly) {
  std::string a = src.AddFolder(root, "A");
  std::string b = src.AddFolder(root, "B");
  src.AddFile(root, "f1", 1);
  src.AddFile(root, "f2", 2);
  src.AddFile(a, "inA", 3);
  src.AddFile(b, "inB", 4);
  // The stop is confirmed while the root's first entry is processed.
  onPump = [&] {
    if (sink.rows.size() == 1) state = kScanStopped;
  };
  Walk();
  ASSERT_EQ(sink.rows.size(), 4u);
  EXPECT_EQ(sink.rows[3].name, "f2");
  EXPECT_EQ(src.Listed(), std::vector<std::string>{root});
}

TEST_F(ScanEngineTest, StateTestedAtEachFolderVisit) {
  std::string a = src.AddFolder(root, "A");
  std::string b = src.AddFolder(root, "B");
  src.AddFile(a, "inA", 3);
  src.AddFile(b, "inB", 4);
  // Cancelled while A is listed: A finishes both passes, B is not visited.
  src.onList = [&](const std::string& f) {
    if (f == a) state = kScanCancelled;
  };
  Walk();
  ASSERT_EQ(sink.rows.size(), 3u);
  EXPECT_EQ(sink.rows[2].name, "inA");
  EXPECT_EQ(src.Listed(), (std::vector<std::string>{root, a}));

  // Not running from the start: nothing at all is recorded.
  sink.rows.clear();
  Walk();
  EXPECT_TRUE(sink.rows.empty());
}

TEST_F(ScanEngineTest, MessagesAtEachVisitAndAfterEveryEntryOfBothPasses) {
  std::string a = src.AddFolder(root, "A");
  src.AddFile(root, "f", 1);
  src.AddFile(root, "s", 1, false, true);  // system: second pass only
  src.AddFile(a, "g", 1);
  Walk();
  // Root: visit 1 + first pass 2 (A, f) + second pass 3; A: visit 1 + 1 + 1.
  EXPECT_EQ(pumps, 6 + 3);
  EXPECT_EQ(statuses, (std::vector<std::string>{kScanStatusText, kScanStatusText}));
}

// Every folder holds a file "x" and a folder "d", down to kDepth levels: far
// deeper than a walk by recursion could go on the call stack.
class DeepSource : public DirectorySource {
 public:
  static constexpr size_t kDepth = 200000;
  bool List(const std::string& folder, std::vector<DirEntry>& out) override {
    out.clear();
    size_t level = (folder.size() - 3) / 2;
    out.push_back(DirEntry{"x", false, false, false, false, 1});
    if (level + 1 < kDepth) out.push_back(DirEntry{"d", true});
    return true;
  }
  char Separator() const override { return '\\'; }
};

class CountingSink : public RowSink {
 public:
  void AppendFolder(const DirEntry&, std::string_view path) override { Check(1, path); }
  void AppendFile(const DirEntry&, std::string_view path) override { Check(0, path); }
  void Check(int type, std::string_view path) {
    // Rows alternate folder, file at each level; paths grow by "d\" a level.
    bool folderRow = rows % 2 == 0 && rows + 1 < 2 * DeepSource::kDepth - 1;
    if (type != (folderRow ? 1 : 0)) ++wrong;
    lastPathLength = path.size();
    ++rows;
  }
  size_t rows = 0, wrong = 0, lastPathLength = 0;
};

TEST_F(ScanEngineTest, VeryDeepTreeWalksWithoutRecursion) {
  DeepSource deep;
  CountingSink counting;
  ScanEngine engine(deep, counting, ScanHooks{});
  engine.Walk("M:\\", "DISK");
  EXPECT_EQ(counting.rows, 2 * DeepSource::kDepth - 1);
  EXPECT_EQ(counting.wrong, 0u);
  EXPECT_EQ(counting.lastPathLength, std::string("[DISK]:\\").size() + 2 * (DeepSource::kDepth - 1));
  EXPECT_EQ(engine.FoldersVisited(), int64_t(DeepSource::kDepth));
}

TEST_F(ScanEngineTest, SinkErrorPropagatesAfterEarlierRows) {
  src.AddFile(root, "a", 1);
  src.AddFile(root, "b", 2);
  sink.failAt = 1;
  EXPECT_THROW(Walk(), std::runtime_error);
  EXPECT_EQ(sink.rows.size(), 1u);
}
