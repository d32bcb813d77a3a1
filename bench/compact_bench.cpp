// Compaction of a big catalogue and the memory it takes: a generated
// catalogue of 13,500,000 rows (over 1 GB) in 100 snapshots, half of them
// deleted, then maintain::CompactCatalog as the compaction dialog runs it.
// The peak resident memory of the compaction is measured against the
// program's own just before it, with the main connection already closed as
// the compaction closes it first and the freed heap given back (the
// kernel's high-water mark, reset before the compaction starts).
//   compact_bench [folder] [rows]   (default: a folder under the temporary
//   folder, 13,500,000 rows: the generator's rows average 78 bytes)
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/catalog_data.h"
#include "catalog/connection.h"
#include "maintain/compaction.h"
#include "maintain/snapshot_edit.h"
#include "platform/file_io.h"

namespace {

// A value in kB from /proc/self/status ("VmRSS", "VmHWM").
long long StatusKB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0 && line[std::string(key).size()] == ':') return std::atoll(line.c_str() + line.find(':') + 1);
  return -1;
}

// Resets the high-water mark of the resident memory to the present.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double MB(long long kb) { return kb / 1024.0; }

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-compact-bench").string();
  const long long rows = argc > 2 ? std::atoll(argv[2]) : 13500000;
  std::filesystem::create_directories(dir);
  const std::string folder = dir + "/";
  const std::string file = folder + catalog::kCatalogFileName;

  auto start = std::chrono::steady_clock::now();
  bench::BenchCatalog info = bench::MakeBenchCatalog(file, 100, rows);
  std::printf("generated %lld rows in %zu snapshots in %.1f s: %.0f MB\n", static_cast<long long>(info.rows),
              info.labels.size(), bench::ElapsedMs(start) / 1000, fileio::FileSize(file) / 1048576.0);

  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(folder));
  cn.Open();
  catalog::Query q(&cn);
  start = std::chrono::steady_clock::now();
  for (size_t s = 0; s < info.labels.size(); s += 2) maintain::DeleteSnapshot(q, info.labels[s]);
  std::printf("deleted every second snapshot in %.1f s\n", bench::ElapsedMs(start) / 1000);

  const long long withCache = StatusKB("VmRSS");
  q.Close();
  cn.Close();  // the compaction's first step; its page cache is freed here
  // Gives the freed heap back to the system, so that memory the compaction
  // takes shows as growth instead of reusing the freed cache unseen.
  malloc_trim(0);
  const long long own = StatusKB("VmRSS");
  ResetPeak();
  start = std::chrono::steady_clock::now();
  maintain::CompactOutcome c = maintain::CompactCatalog(cn, {&q}, folder);
  const double ms = bench::ElapsedMs(start);
  const long long peak = StatusKB("VmHWM");
  std::printf("compaction: %s, rate %lld%%, %.1f s; %.0f MB -> %.0f MB\n", c.ok ? "ok" : c.error.c_str(),
              static_cast<long long>(c.rate), ms / 1000,
              fileio::FileSize(folder + maintain::kBackupFileName) / 1048576.0, fileio::FileSize(file) / 1048576.0);
  std::printf("resident memory: %.1f MB with the connection open, %.1f MB closed; peak %.1f MB during the compaction: "
              "%.1f MB above the program's own\n",
              MB(withCache), MB(own), MB(peak), MB(peak - own));
  return c.ok ? 0 : 1;
}
