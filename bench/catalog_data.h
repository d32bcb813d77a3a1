// Benchmark support: a generated catalogue of many rows, and timing.
//
// Layout of each snapshot (labels DISK01, DISK02, ...): at its root the
// folder "big" holding min(5,000, rows / 4) files, then folders dir0000,
// dir0001, ... of 49 files each until the snapshot has its rows. Every
// tenth row of the whole catalogue has "report" in its name (so a search
// for it gives a tenth of all rows); one file of each snapshot's first dir
// folder is named quokkaNN.jpg (one rare hit per snapshot).
// Some names are Chinese. All rows go in one transaction.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct BenchCatalog {
  std::vector<std::string> labels;
  std::vector<int64_t> snapshotRows;
  int64_t rows = 0;
  int64_t reportHits = 0;  // names holding "report"
  int64_t rareHits = 0;    // names holding "quokka"
};

// Makes a new catalogue file at `path` (an existing one and its -wal/-shm
// are removed first) with `rows` CDFile rows in `snapshots` snapshots. The
// first snapshot gets `firstSnapshotRows` rows when that is not 0; the
// others share the rest evenly.
BenchCatalog MakeBenchCatalog(const std::string& path, int snapshots, int64_t rows, int64_t firstSnapshotRows = 0);

// The stored path of a snapshot's folder of 5,000 entries.
std::string BigFolder(const std::string& label);

// Median of `runs` timings of `f`, in milliseconds.
double MedianMs(int runs, const std::function<void()>& f);
double ElapsedMs(std::chrono::steady_clock::time_point since);

}  // namespace bench
