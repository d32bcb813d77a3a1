// Reads folders ahead of the walk on worker threads. Listing a folder costs
// the walk more than recording its entries on some systems (each folder is an
// open, a listing and a close, and under Wine each of those is a round trip
// to its server), so while the walk records one folder, the workers list the
// folders it will visit next: the first subfolder first, as the walk takes
// them. The walk still receives every folder's entries in its own order,
// from its own thread; only the reading is done ahead, never the recording.
//
// Memory stays bounded: at most `ahead` listings wait for the walk, plus the
// names of the subfolders not yet listed, as the walk itself keeps them.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "create/dir_source.h"

namespace create {

class PrefetchSource : public DirectorySource {
 public:
  // `inner` must allow List from several threads at once.
  PrefetchSource(DirectorySource& inner, int threads, size_t ahead = 256);
  ~PrefetchSource() override;
  PrefetchSource(const PrefetchSource&) = delete;
  PrefetchSource& operator=(const PrefetchSource&) = delete;

  bool List(const std::string& folder, std::vector<DirEntry>& out) override;
  char Separator() const override { return inner_.Separator(); }

  // Folders the walk found already listed (for the benchmark).
  size_t Hits() const { return hits_; }

 private:
  struct Listing {
    enum State { kPending, kBusy, kDone } state = kPending;
    bool ok = false;
    std::vector<DirEntry> entries;
    std::exception_ptr error;
  };
  void Work();
  // Queues the folders the walk will enter below `folder`; under the lock.
  void Schedule(const std::string& folder, const std::vector<DirEntry>& entries);
  bool ListDirect(const std::string& folder, std::vector<DirEntry>& out);

  DirectorySource& inner_;
  const size_t ahead_;
  std::mutex mutex_;
  std::condition_variable workReady_;
  std::condition_variable listingDone_;
  // Folders to read, the next one the walk will take on top. A folder the
  // walk read itself is gone from `known_` and skipped here.
  std::vector<std::string> pending_;
  std::unordered_map<std::string, Listing> known_;
  size_t waiting_ = 0;  // listings read or being read, not yet taken
  size_t hits_ = 0;
  bool quit_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace create
