#include "create/prefetch_source.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "create/scan_engine.h"

namespace create {

struct PrefetchSource::State {
  struct Listing {
    enum Phase { kPending, kBusy, kDone } phase = kPending;
    bool ok = false;
    std::vector<DirEntry> entries;
    std::exception_ptr error;
  };

  State(std::shared_ptr<DirectorySource> source, size_t aheadLimit) : inner(std::move(source)), ahead(aheadLimit) {}

  // Queues the folders the walk will enter below `folder`; under the lock.
  void Schedule(const std::string& folder, const std::vector<DirEntry>& entries) {
    const char sep = inner->Separator();
    bool any = false;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
      if (!EntersFolder(*e)) continue;
      std::string path = folder + e->name + sep;
      if (!known.try_emplace(path).second) continue;
      pending.push_back(std::move(path));
      any = true;
    }
    if (any && !full) workReady.notify_all();
  }

  // Under the lock: a reader took a folder or finished one.
  void NoteLead() {
    if (waiting >= ahead || entriesAhead >= kEntriesAhead) full = true;
  }
  // Under the lock: the walk took a listing. True when the readers should
  // wake: the lead is down to half.
  bool TakeLead(size_t entries) {
    --waiting;
    entriesAhead -= entries;
    if (!full || waiting > ahead / 2 || entriesAhead > kEntriesAhead / 2) return false;
    full = false;
    return true;
  }

  static void Read(std::shared_ptr<State> self) {
    State& s = *self;
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
      s.workReady.wait(lock, [&] { return s.quit || (!s.full && !s.pending.empty()); });
      if (s.quit) break;
      std::string folder = std::move(s.pending.back());
      s.pending.pop_back();
      auto it = s.known.find(folder);
      if (it == s.known.end() || it->second.phase != Listing::kPending) continue;
      // The walk erases a listing only when it is pending or done, so the
      // element stays put while it is read.
      Listing& listing = it->second;
      listing.phase = Listing::kBusy;
      ++s.waiting;
      s.NoteLead();
      lock.unlock();
      std::vector<DirEntry> entries;
      bool ok = false;
      std::exception_ptr error;
      try {
        ok = s.inner->List(folder, entries);
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      listing.ok = ok;
      listing.error = error;
      listing.phase = Listing::kDone;
      s.entriesAhead += entries.size();
      s.NoteLead();
      if (!s.quit) s.Schedule(folder, entries);
      listing.entries = std::move(entries);
      s.listingDone.notify_all();
    }
    --s.running;
    s.exited.notify_all();
  }

  // Owned with the PrefetchSource's creator: a reader may outlive both.
  const std::shared_ptr<DirectorySource> inner;
  const size_t ahead;
  std::mutex mutex;
  std::condition_variable workReady, listingDone, exited;
  // Folders to read, the next one the walk will take on top. A folder the
  // walk read itself is gone from `known` and skipped here.
  std::vector<std::string> pending;
  std::unordered_map<std::string, Listing> known;
  size_t waiting = 0;  // listings read or being read, not yet taken
  size_t entriesAhead = 0;  // the entries of those read
  bool full = false;  // the lead reached its limit: readers rest until it is half
  size_t hits = 0;
  int running = 0;
  bool quit = false;
};

PrefetchSource::PrefetchSource(std::shared_ptr<DirectorySource> inner, int threads, size_t ahead)
    : inner_(inner), state_(std::make_shared<State>(std::move(inner), ahead < 1 ? 1 : ahead)) {
  for (int i = 0; i < threads; ++i) {
    {
      std::lock_guard<std::mutex> lock(state_->mutex);
      ++state_->running;
    }
    readers_.emplace_back(&State::Read, state_);
  }
}

PrefetchSource::~PrefetchSource() {
  std::unique_lock<std::mutex> lock(state_->mutex);
  state_->quit = true;
  state_->workReady.notify_all();
  const bool allOut =
      state_->exited.wait_for(lock, std::chrono::milliseconds(500), [&] { return state_->running == 0; });
  lock.unlock();
  for (std::thread& t : readers_) {
    if (allOut) t.join();
    else t.detach();
  }
}

size_t PrefetchSource::Hits() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->hits;
}

bool PrefetchSource::ListDirect(const std::string& folder, std::vector<DirEntry>& out) {
  bool ok = inner_->List(folder, out);
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->Schedule(folder, out);
  return ok;
}

bool PrefetchSource::List(const std::string& folder, std::vector<DirEntry>& out) {
  State& s = *state_;
  std::unique_lock<std::mutex> lock(s.mutex);
  auto it = s.known.find(folder);
  if (it == s.known.end() || it->second.phase == State::Listing::kPending) {
    // Not read yet: the walk reads it now rather than wait for a reader.
    if (it != s.known.end()) s.known.erase(it);
    lock.unlock();
    return ListDirect(folder, out);
  }
  // Readers insert into `known` during the wait, and a rehash invalidates
  // iterators but not references: the element is held by reference and
  // erased by its key afterwards.
  State::Listing& listing = it->second;
  s.listingDone.wait(lock, [&] { return listing.phase == State::Listing::kDone; });
  ++s.hits;
  std::exception_ptr error = listing.error;
  bool ok = listing.ok;
  out = std::move(listing.entries);
  s.known.erase(folder);
  const bool wake = s.TakeLead(out.size());
  lock.unlock();
  if (wake) s.workReady.notify_all();
  if (error) std::rethrow_exception(error);
  return ok;
}

}  // namespace create
