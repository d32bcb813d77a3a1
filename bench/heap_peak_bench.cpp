// The heap that two large operations hold at their peak, and the largest
// single block each asks for: the rows read back into the names in memory
// after a rename of a 5,000,000-row snapshot (the next search's sync), and
// the hits of a search for "%" over 10,000,000 rows. In the 32-bit product
// a block of hundreds of MB may find no room in a fragmented address space
// even when the total would fit. Every operator new of the process is
// counted (the engine's own allocations go through malloc and are not:
// they are the same before and after).
//   heap_peak_bench [folder] [rows] [renamed rows]   (default 10,000,000 and 5,000,000)
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "bench/catalog_data.h"
#include "catalog/connection.h"
#include "catalog/statements.h"
#include "platform/file_io.h"

namespace {

std::atomic<size_t> live{0}, peak{0}, largest{0};

void* Counted(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const size_t now = live += malloc_usable_size(p);
  for (size_t was = peak; now > was && !peak.compare_exchange_weak(was, now);) {
  }
  for (size_t was = largest; n > was && !largest.compare_exchange_weak(was, n);) {
  }
  return p;
}

void Uncounted(void* p) {
  if (!p) return;
  live -= malloc_usable_size(p);
  std::free(p);
}

// Starts a measurement: the peak and the largest block from now on.
size_t Reset() {
  peak = live.load();
  largest = 0;
  return live;
}

double MB(size_t bytes) { return bytes / 1048576.0; }

long long StatusKB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string k;
  long long v = 0;
  while (status >> k) {
    if (k == std::string(key) + ":") {
      status >> v;
      return v;
    }
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

void Report(const char* what, size_t before, double ms) {
  std::printf("%s: %.0f ms; heap peak %.1f MB above the %.1f MB before, largest block %.2f MB; process peak %.0f MB\n",
              what, ms, MB(peak - before), MB(before), MB(largest), StatusKB("VmHWM") / 1024.0);
}

}  // namespace

void* operator new(size_t n) { return Counted(n); }
void* operator new[](size_t n) { return Counted(n); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t) noexcept { Uncounted(p); }

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-heap-bench").string();
  const int64_t rows = argc > 2 ? std::atoll(argv[2]) : 10000000;
  const int64_t renamed = argc > 3 ? std::atoll(argv[3]) : 5000000;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::filesystem::create_directories(dir);
  const std::string folder = dir + "/";
  const std::string file = folder + catalog::kCatalogFileName;
  auto start = std::chrono::steady_clock::now();
  bench::BenchCatalog info;
  if (!fileio::FileExists(file) || std::getenv("VORLUNE_BENCH_REMAKE")) {
    info = bench::MakeBenchCatalog(file, 50, rows, renamed);
    std::printf("generated %lld rows in %.0f ms, file %.1f MB\n", static_cast<long long>(info.rows),
                bench::ElapsedMs(start), fileio::FileSize(file) / 1e6);
  }
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(folder));
  cn.Open();
  catalog::Query q(&cn);
  // The index is read whole first, as after start-up.
  start = std::chrono::steady_clock::now();
  cn.Names().Search(cn, "quokka", true, true);
  std::printf("index read: %.0f ms, %zu entries, %.1f MB\n", bench::ElapsedMs(start), cn.Names().Entries(),
              MB(cn.Names().MemoryBytes()));

  size_t before = Reset();
  start = std::chrono::steady_clock::now();
  const size_t all = cn.Names().Search(cn, "%", true, true).size();
  Report(("search for \"%\", " + std::to_string(all) + " hits").c_str(), before, bench::ElapsedMs(start));

  // The first snapshot holds `renamed` rows.
  catalog::OpenSnapshotList(q);
  const std::string label = q.AsString("CDName");
  q.Close();
  start = std::chrono::steady_clock::now();
  catalog::RenameSnapshot(q, label, label + "X");
  std::printf("rename of %s: %.0f ms\n", label.c_str(), bench::ElapsedMs(start));
  before = Reset();
  start = std::chrono::steady_clock::now();
  cn.Names().Search(cn, "quokka", true, true);
  Report("next search after the rename (its rows read back)", before, bench::ElapsedMs(start));
  catalog::RenameSnapshot(q, label + "X", label);  // as it was, for the next run
  cn.Names().Search(cn, "quokka", true, true);
  return 0;
}
