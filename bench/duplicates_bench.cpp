// "查找重复文件" over names in memory: 200 snapshots of generated entries
// (folders of 50 files; a third of the files are copies of a file of an
// earlier snapshot, name, size and date alike; sizes spread from 1 KB to
// 4 GB), by name and size and by size and date, with the default minimum
// (1 MB) and with none, the time and the memory above the names' own.
//   duplicates_bench [entries]   (default 10,000,000)
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "catalog/name_index.h"
#include "duplicates/duplicate_groups.h"

namespace {

// The bytes the program holds on the heap, and their peak since the last
// reset: counted by the allocation operators below.
std::atomic<int64_t> heapBytes{0}, heapPeak{0};
void ResetPeak() { heapPeak = heapBytes.load(); }
double PeakMbAbove(int64_t base) { return (heapPeak - base) / 1048576.0; }

void Fill(catalog::NameIndex& index, int64_t entries) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> logSize(std::log(1024.0), std::log(4.0e9));
  struct Kept {
    std::string name;
    int64_t size, modified;
  };
  std::vector<Kept> earlier;  // files of earlier snapshots to copy from
  const int64_t perSnapshot = entries / 200;
  std::vector<catalog::NameIndex::Row> rows;
  int64_t rowid = 1;
  for (int s = 0; s < 200 && rowid <= entries; ++s) {
    char label[16];
    std::snprintf(label, sizeof label, "DISK%03d", s + 1);
    for (int64_t i = 0; i < perSnapshot && rowid <= entries; ++i) {
      const std::string path = "[" + std::string(label) + "]:\\dir" + std::to_string(i / 50) + "\\";
      if (i % 50 == 0) {
        rows.emplace_back(rowid++, catalog::EntryKind::Folder, "dir" + std::to_string(i / 50 + 1), 0,
                          catalog::kUnknownTime, "[" + std::string(label) + "]:\\");
        continue;
      }
      Kept k;
      if (!earlier.empty() && rng() % 3 == 0) {
        k = earlier[rng() % earlier.size()];
      } else {
        k.name = "file" + std::to_string(rowid) + (rng() % 2 ? ".jpg" : ".mkv");
        k.size = static_cast<int64_t>(std::exp(logSize(rng)));
        k.modified = 125911584000000000 + static_cast<int64_t>(rng() % 8000000000000000ull);
        if (earlier.size() < 2000000 && rng() % 4 == 0) earlier.push_back(k);
      }
      rows.emplace_back(rowid++, catalog::EntryKind::File, k.name, k.size, k.modified, path);
      if (rows.size() == 1000000) {
        index.Replace(rows.front().rowid, rows.back().rowid, rows);
        rows.clear();
      }
    }
  }
  if (!rows.empty()) index.Replace(rows.front().rowid, rows.back().rowid, rows);
}

}  // namespace

void* operator new(size_t n) {
  auto* p = static_cast<int64_t*>(std::malloc(n + 16));
  if (!p) throw std::bad_alloc();
  *p = static_cast<int64_t>(n);
  const int64_t now = heapBytes += static_cast<int64_t>(n);
  if (now > heapPeak) heapPeak = now;
  return p + 2;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* q = static_cast<int64_t*>(p) - 2;
  heapBytes -= *q;
  std::free(q);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

int main(int argc, char** argv) {
  const int64_t entries = argc > 1 ? std::atoll(argv[1]) : 10000000;
  catalog::NameIndex index;
  auto t0 = std::chrono::steady_clock::now();
  Fill(index, entries);
  std::printf("%lld entries in memory (%.0f MB, made in %.1f s)\n", static_cast<long long>(index.Entries()),
              index.MemoryBytes() / 1048576.0,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  struct Case {
    const char* what;
    duplicates::DuplicateKey key;
    int64_t minSize;
  } cases[] = {{"name and size, at least 1 MB", duplicates::DuplicateKey::NameAndSize, 1 << 20},
               {"name and size, any size", duplicates::DuplicateKey::NameAndSize, 1},
               {"size and date, at least 1 MB", duplicates::DuplicateKey::SizeAndModified, 1 << 20},
               {"size and date, any size", duplicates::DuplicateKey::SizeAndModified, 1}};
  for (const Case& c : cases) {
    for (int run = 0; run < 2; ++run) {
      duplicates::DuplicateOptions o;
      o.key = c.key;
      o.minSize = c.minSize;
      const int64_t before = heapBytes;
      ResetPeak();
      const auto start = std::chrono::steady_clock::now();
      // In steps as the window takes them: a progress answer every 50 ms.
      duplicates::DuplicateFinder finder(index.Contents(), o);
      int steps = 0;
      auto due = start;
      while (!finder.Step([&] { return std::chrono::steady_clock::now() >= due; })) {
        ++steps;
        due = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
      }
      const duplicates::Duplicates d = finder.Take();
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      const double peak = PeakMbAbove(before);
      if (run == 1)
        std::printf("%-30s %8.0f ms  %zu groups, %lld members, %.1f GB wasted, %zu parts, %d steps, "
                    "peak %.0f MB above the names (result %.0f MB)\n",
                    c.what, ms, d.groups.size(), static_cast<long long>(d.members->size()),
                    d.TotalWasted() / 1e9, finder.Parts(), steps, peak,
                    (d.members->MemoryBytes() + d.groups.capacity() * sizeof(d.groups[0])) / 1048576.0);
    }
  }
}
