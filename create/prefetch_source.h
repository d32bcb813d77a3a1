// Reads folders ahead of the walk on worker threads. Listing a folder costs
// the walk more than recording its entries on some systems (each folder is an
// open, a listing and a close, and under Wine each of those is a round trip
// to its server), so while the walk records one folder, the readers list the
// folders it will visit next: the first subfolder first, as the walk takes
// them. The walk still receives every folder's entries in its own order,
// from its own thread; only the reading is done ahead, never the recording.
//
// Memory stays bounded: at most `ahead` listings and about kEntriesAhead
// entries wait for the walk (one folder larger than that is read whole), plus
// the names of the subfolders not yet listed, as the walk itself keeps them.
// The lead is deep (a few thousand folders, tens of milliseconds of
// recording) so that a reader held up for a moment never leaves the walk
// with nothing listed: the walk would then list on its own thread instead of
// recording. Readers that reach the limit rest until the walk has taken half
// of the lead, so they are not woken for every folder taken.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "create/dir_source.h"

namespace create {

class PrefetchSource : public DirectorySource {
 public:
  // `inner` must allow List from several threads at once. The readers share
  // its ownership: a reader left behind by a stop (see below) keeps it alive
  // until it is out of its folder, whoever else let it go meanwhile.
  static constexpr size_t kEntriesAhead = size_t{1} << 16;

  PrefetchSource(std::shared_ptr<DirectorySource> inner, int threads, size_t ahead = 4096);
  // Stops the readers. One still inside a folder that does not answer (a
  // lost network share, a scratched disc) is not waited for beyond half a
  // second: it is left to finish that folder on its own, so that a stop
  // never hangs the window.
  ~PrefetchSource() override;
  PrefetchSource(const PrefetchSource&) = delete;
  PrefetchSource& operator=(const PrefetchSource&) = delete;

  bool List(const std::string& folder, std::vector<DirEntry>& out) override;
  char Separator() const override { return inner_->Separator(); }

  // Folders the walk found already listed (for the benchmark).
  size_t Hits() const;

  struct State;  // shared with the readers, so that a reader left behind owns it too

 private:
  bool ListDirect(const std::string& folder, std::vector<DirEntry>& out);

  std::shared_ptr<DirectorySource> inner_;
  std::shared_ptr<State> state_;
  std::vector<std::thread> readers_;
};

}  // namespace create
