#include "create/prefetch_source.h"

#include <utility>

#include "create/scan_engine.h"

namespace create {

PrefetchSource::PrefetchSource(DirectorySource& inner, int threads, size_t ahead)
    : inner_(inner), ahead_(ahead < 1 ? 1 : ahead) {
  for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

PrefetchSource::~PrefetchSource() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  workReady_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void PrefetchSource::Schedule(const std::string& folder, const std::vector<DirEntry>& entries) {
  const char sep = inner_.Separator();
  bool any = false;
  for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
    if (!EntersFolder(*e)) continue;
    std::string path = folder + e->name + sep;
    if (!known_.try_emplace(path).second) continue;
    pending_.push_back(std::move(path));
    any = true;
  }
  if (any) workReady_.notify_all();
}

bool PrefetchSource::ListDirect(const std::string& folder, std::vector<DirEntry>& out) {
  bool ok = inner_.List(folder, out);
  std::lock_guard<std::mutex> lock(mutex_);
  Schedule(folder, out);
  return ok;
}

bool PrefetchSource::List(const std::string& folder, std::vector<DirEntry>& out) {
  std::unique_lock<std::mutex> lock(mutex_);
  auto it = known_.find(folder);
  if (it == known_.end() || it->second.state == Listing::kPending) {
    // Not read yet: the walk reads it now rather than wait for a worker.
    if (it != known_.end()) known_.erase(it);
    lock.unlock();
    return ListDirect(folder, out);
  }
  Listing& listing = it->second;
  listingDone_.wait(lock, [&] { return listing.state == Listing::kDone; });
  ++hits_;
  std::exception_ptr error = listing.error;
  bool ok = listing.ok;
  out = std::move(listing.entries);
  known_.erase(it);
  --waiting_;
  lock.unlock();
  workReady_.notify_one();
  if (error) std::rethrow_exception(error);
  return ok;
}

void PrefetchSource::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    workReady_.wait(lock, [&] { return quit_ || (waiting_ < ahead_ && !pending_.empty()); });
    if (quit_) return;
    std::string folder = std::move(pending_.back());
    pending_.pop_back();
    auto it = known_.find(folder);
    if (it == known_.end() || it->second.state != Listing::kPending) continue;
    // The walk erases a listing only when it is pending or done, so the
    // element stays put while it is read.
    Listing& listing = it->second;
    listing.state = Listing::kBusy;
    ++waiting_;
    lock.unlock();
    std::vector<DirEntry> entries;
    bool ok = false;
    std::exception_ptr error;
    try {
      ok = inner_.List(folder, entries);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    listing.ok = ok;
    listing.error = error;
    listing.state = Listing::kDone;
    Schedule(folder, entries);
    listing.entries = std::move(entries);
    listingDone_.notify_all();
  }
}

}  // namespace create
