// Reading folders ahead on other threads must not change what the walk
// records, nor its order, whatever the number of readers and however small
// the read-ahead window; a stop must leave no thread behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <deque>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "create/memory_source.h"
#include "create/prefetch_source.h"
#include "create/scan_engine.h"

using namespace create;

namespace {

class TextSink : public RowSink {
 public:
  void AppendFolder(const DirEntry& e, std::string_view path) override {
    rows.push_back("D " + std::string(path) + e.name);
  }
  void AppendFile(const DirEntry& e, std::string_view path) override {
    rows.push_back("F " + std::string(path) + e.name + " " + std::to_string(e.size));
  }
  std::vector<std::string> rows;
};

// A tree of about 2,000 folders of uneven width and depth, with hidden,
// system and unreadable folders and linked ones.
MemorySource RandomTree(unsigned seed) {
  MemorySource src;
  std::mt19937 rng(seed);
  std::deque<std::pair<std::string, int>> open{{MemorySource::kRoot, 0}};
  int folders = 0;
  while (!open.empty() && folders < 2000) {
    auto [path, depth] = open.front();  // breadth first, so no one branch takes it all
    open.pop_front();
    int subs = depth > 6 ? 0 : 1 + static_cast<int>(rng() % 5);
    for (int i = 0; i < subs; ++i) {
      unsigned kind = rng() % 20;
      std::string sub = src.AddFolder(path, "d" + std::to_string(folders++), kind == 0, kind == 1);
      if (kind == 2) src.MakeUnreadable(sub);
      if (kind == 3) src.AddEntry(path, DirEntry{"link" + std::to_string(i), true, false, false, true});
      open.emplace_back(sub, depth + 1);
    }
    for (int f = static_cast<int>(rng() % 4); f > 0; --f) src.AddFile(path, "f" + std::to_string(f), rng() % 5000);
  }
  return src;
}

std::vector<std::string> Walk(DirectorySource& src, const ScanHooks& hooks = {}) {
  TextSink sink;
  ScanEngine(src, sink, hooks).Walk(MemorySource::kRoot, "DISK");
  return sink.rows;
}

}  // namespace

TEST(PrefetchSourceTest, SameRowsInTheSameOrderWhateverTheReaders) {
  for (unsigned seed : {1u, 2u, 3u}) {
    MemorySource plain = RandomTree(seed);
    std::vector<std::string> expected = Walk(plain);
    ASSERT_GT(expected.size(), 500u);
    for (int threads : {1, 2, 4}) {
      for (size_t ahead : {size_t{1}, size_t{3}, size_t{256}}) {
        auto src = std::make_shared<MemorySource>(RandomTree(seed));
        PrefetchSource prefetch(src, threads, ahead);
        EXPECT_EQ(Walk(prefetch), expected) << "seed " << seed << ", " << threads << " readers, ahead " << ahead;
        // Each folder the walk enters is read once, by a reader or by the walk.
        std::vector<std::string> listed = src->Listed();
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(std::adjacent_find(listed.begin(), listed.end()), listed.end());
      }
    }
  }
}

// How far the readers get ahead of the walk: the walk waits at its second
// folder until they have listed as many folders as the lead allows, then
// goes on; the lead never exceeds its limit in folders, nor in entries.
static size_t LargestLead(int files, size_t ahead, size_t expectedLead, std::vector<std::string>& rows) {
  auto src = std::make_shared<MemorySource>();
  for (int d = 0; d < 150; ++d) {
    std::string folder = src->AddFolder(MemorySource::kRoot, "d" + std::to_string(d));
    for (int f = 0; f < files; ++f) src->AddFile(folder, "f" + std::to_string(f), f);
  }
  std::mutex m;
  std::condition_variable listed;
  size_t lists = 0, visits = 0, largest = 0;
  src->onList = [&](const std::string&) {  // on the reader's thread
    std::lock_guard<std::mutex> lock(m);
    largest = std::max(largest, ++lists - visits);
    listed.notify_all();
  };
  ScanHooks hooks;
  hooks.status = [&](std::string_view) {
    std::unique_lock<std::mutex> lock(m);
    // The wait is only a bound in case the lead stays short: nothing is
    // timed.
    if (++visits == 2) listed.wait_for(lock, std::chrono::seconds(10), [&] { return lists >= 1 + expectedLead; });
  };
  PrefetchSource prefetch(src, 2, ahead);
  rows = Walk(prefetch, hooks);
  return largest;
}

TEST(PrefetchSourceTest, TheLeadIsBoundedInFoldersAndInEntries) {
  std::vector<std::string> rows;
  // The walk waits at its second folder until the readers have listed the
  // lead, so the lead seen is at least one short of it whatever the
  // threads' timing; past the limit it never goes.
  const size_t byFolders = LargestLead(1, 16, 16, rows);
  EXPECT_GE(byFolders, 15u);
  EXPECT_LE(byFolders, 16u);
  EXPECT_EQ(rows.size(), 300u);
  // Folders of 1,000 entries: the entries end the lead long before 4,096
  // folders, one folder more at most for the second reader.
  const size_t byEntries = (PrefetchSource::kEntriesAhead + 999) / 1000;
  const size_t lead = LargestLead(1000, 4096, byEntries, rows);
  EXPECT_GE(lead, byEntries - 1);
  EXPECT_LE(lead, byEntries + 1);
  EXPECT_EQ(rows.size(), 150u * 1001u);
  EXPECT_EQ(rows.back(), "F [DISK]:\\d149\\f999 999");
}

TEST(PrefetchSourceTest, StopEndsTheWalkAndTheReaders) {
  auto src = std::make_shared<MemorySource>(RandomTree(7));
  int state = kScanRunning, visits = 0;
  ScanHooks hooks;
  hooks.state = [&] { return ++visits > 50 ? kScanStopped : state; };
  std::vector<std::string> rows;
  {
    PrefetchSource prefetch(src, 3, 16);
    rows = Walk(prefetch, hooks);
  }  // joins the readers, which may be in the middle of a folder
  MemorySource plain = RandomTree(7);
  visits = 0;
  std::vector<std::string> expected = Walk(plain, hooks);
  EXPECT_EQ(rows, expected);
  // The readers stayed within their window past the stop.
  EXPECT_LE(src->Listed().size(), 50u + 16u + 3u);
}

TEST(PrefetchSourceTest, AFolderAReaderCannotReadStopsTheWalkWithTheError) {
  // The root holds "first" and "lost". Whoever lists "first" (the walk or a
  // reader) waits until a reader has tried "lost", whose medium is gone:
  // so a reader, never the walk, always meets the error first.
  class LostFolderSource : public MemorySource {
   public:
    bool List(const std::string& folder, std::vector<DirEntry>& out) override {
      if (folder.find("lost\\") != std::string::npos) {
        {
          std::lock_guard<std::mutex> lock(m);
          lostTried = true;
        }
        tried.notify_all();
        throw std::runtime_error("device lost");
      }
      if (folder.find("first\\") != std::string::npos) {
        std::unique_lock<std::mutex> lock(m);
        tried.wait(lock, [&] { return lostTried; });
      }
      return MemorySource::List(folder, out);
    }
    std::mutex m;
    std::condition_variable tried;
    bool lostTried = false;
  };
  auto src = std::make_shared<LostFolderSource>();
  std::string first = src->AddFolder(MemorySource::kRoot, "first");
  std::string lost = src->AddFolder(MemorySource::kRoot, "lost");
  for (int i = 0; i < 3; ++i) src->AddFile(first, "f" + std::to_string(i), i);
  src->AddFile(lost, "never.txt", 1);
  PrefetchSource prefetch(src, 2);
  TextSink sink;
  ScanEngine engine(prefetch, sink, {});
  try {
    engine.Walk(MemorySource::kRoot, "DISK");
    ADD_FAILURE() << "the walk stored the lost folder as empty";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "device lost");
  }
  // Everything before the failing folder was recorded, nothing of it.
  EXPECT_EQ(sink.rows, (std::vector<std::string>{"D [DISK]:\\first", "D [DISK]:\\lost", "F [DISK]:\\first\\f0 0",
                                                 "F [DISK]:\\first\\f1 1", "F [DISK]:\\first\\f2 2"}));
}

// A folder whose listing hangs until the test lets it go, as a lost network
// share would. What the test watches lives outside the source, so that it
// can be read after the source is gone.
struct Hang {
  std::mutex m;
  std::condition_variable letGo;
  bool release = false;
  std::atomic<int> inside{0}, finished{0};
  std::atomic<bool> sourceGone{false};
  std::atomic<bool> goneWhileReading{false};
  void Release() {
    {
      std::lock_guard<std::mutex> lock(m);
      release = true;
    }
    letGo.notify_all();
  }
};

class StuckSource : public MemorySource {
 public:
  explicit StuckSource(std::shared_ptr<Hang> hang) : hang_(std::move(hang)) {
    AddFolder(MemorySource::kRoot, "a");
    AddFolder(MemorySource::kRoot, "slow");
    AddFile(MemorySource::kRoot + std::string("a\\"), "x.txt", 1);
  }
  ~StuckSource() override {
    hang_->goneWhileReading = hang_->inside > hang_->finished;
    hang_->sourceGone = true;
  }
  bool List(const std::string& folder, std::vector<DirEntry>& out) override {
    const bool slow = folder.find("slow\\") != std::string::npos;
    if (slow) {
      ++hang_->inside;
      std::unique_lock<std::mutex> lock(hang_->m);
      hang_->letGo.wait(lock, [&] { return hang_->release; });
    }
    // Reads the source's own tree after the wait: freed memory if the
    // source were gone by now.
    bool ok = MemorySource::List(folder, out);
    ++lists_;
    if (slow) ++hang_->finished;
    return ok;
  }

 private:
  std::shared_ptr<Hang> hang_;
  int lists_ = 0;
};

// The walk is stopped once a reader is inside the hanging folder.
ScanHooks StopWhenStuck(const Hang& hang, int& visits) {
  ScanHooks hooks;
  hooks.state = [&hang, &visits] {
    if (++visits < 2) return kScanRunning;
    for (int i = 0; i < 500 && hang.inside == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return kScanStopped;
  };
  return hooks;
}

template <class Done>
void WaitFor(Done done) {
  for (int i = 0; i < 500 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

TEST(PrefetchSourceTest, AStopDoesNotWaitForAFolderThatDoesNotAnswer) {
  auto hang = std::make_shared<Hang>();
  auto src = std::make_shared<StuckSource>(hang);
  int visits = 0;
  {
    PrefetchSource prefetch(src, 2);
    Walk(prefetch, StopWhenStuck(*hang, visits));
  }
  EXPECT_EQ(hang->inside, 1);
  EXPECT_EQ(hang->finished, 0);  // the stop came back while the folder still hung
  hang->Release();
  // The reader left behind finishes on its own.
  WaitFor([&] { return hang->finished == 1; });
  EXPECT_EQ(hang->finished, 1);
}

TEST(PrefetchSourceTest, TheOwnerMayGoWhileAReaderIsStuck) {
  // As the create window closes after a stop: the window, the owner of the
  // source, goes while a reader is still inside the hanging folder.
  auto hang = std::make_shared<Hang>();
  auto src = std::make_shared<StuckSource>(hang);
  int visits = 0;
  {
    PrefetchSource prefetch(src, 2);
    Walk(prefetch, StopWhenStuck(*hang, visits));
  }
  ASSERT_EQ(hang->inside, 1);
  src.reset();
  EXPECT_FALSE(hang->sourceGone);  // the reader still holds it
  hang->Release();
  WaitFor([&] { return hang->sourceGone.load(); });
  EXPECT_TRUE(hang->sourceGone);
  EXPECT_FALSE(hang->goneWhileReading);
  EXPECT_EQ(hang->finished, 1);
}
