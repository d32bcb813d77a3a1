// The statistics and the space map at a million entries: the statistics of
// every snapshot (and of one) over the names read from a generated
// catalogue (bench/catalog_data.h), then on a generated snapshot of one
// deep folder tree held in memory only: its space tree, the treemap layout
// at 1920 x 1080, hit tests, the cushion pixels, and the memory they hold.
//   stats_bench [folder] [rows]   (default 1,000,000 rows)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/catalog_data.h"
#include "catalog/connection.h"
#include "catalog/name_index.h"
#include "catalog/statements.h"
#include "stats/catalog_statistics.h"
#include "stats/space_tree.h"
#include "stats/treemap_layout.h"
#include "stats/treemap_paint.h"

namespace {

double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * 4096.0 / (1 << 20);
}

// One snapshot "[BIG]:\" of `entries` rows, breadth first: 12 to 20
// folders in each of the top two levels, then 0 to 5 per folder down to
// depth 9, each folder with 0 to 59 files of sizes spread from 0 to 4 GB
// over every power of two (one in twenty of no bytes). Paths keep their
// letter case, names are folded, as the index holds them.
void FillDeepSnapshot(catalog::NameIndex& index, int64_t entries) {
  std::mt19937_64 rng(42);
  const char* const exts[] = {".jpg", ".mp3", ".mkv", ".doc", ".zip", ".exe", ".dat", ".txt", ""};
  struct Folder {
    std::string path;
    int depth;
  };
  std::deque<Folder> queue{{"[BIG]:\\", 0}};
  std::vector<catalog::NameIndex::Row> rows;
  int64_t rowid = 0, flushedTo = 0;
  auto flush = [&] {
    if (rows.empty()) return;
    index.Replace(flushedTo + 1, rows.back().rowid, rows);
    flushedTo = rows.back().rowid;
    rows.clear();
  };
  while (rowid < entries && !queue.empty()) {
    const Folder f = queue.front();
    queue.pop_front();
    const int files = static_cast<int>(rng() % 60);
    for (int i = 0; i < files && rowid < entries; ++i) {
      const int64_t size = rng() % 20 == 0 ? 0 : static_cast<int64_t>(rng() % (uint64_t{1} << (rng() % 33)));
      const int64_t id = ++rowid;
      rows.emplace_back(id, catalog::EntryKind::File, "file" + std::to_string(id) + exts[rng() % 9], size,
                        catalog::kUnknownTime, f.path);
    }
    const int folders = f.depth < 2 ? 12 + static_cast<int>(rng() % 9) : f.depth < 9 ? static_cast<int>(rng() % 6) : 0;
    for (int i = 0; i < folders && rowid < entries; ++i) {
      const int64_t id = ++rowid;
      const std::string name = "Folder" + std::to_string(id);
      rows.emplace_back(id, catalog::EntryKind::Folder, "folder" + std::to_string(id), 0, catalog::kUnknownTime, f.path);
      queue.push_back({f.path + name + "\\", f.depth + 1});
    }
    if (rows.size() >= 65536) flush();
  }
  flush();
}

// Hover answers at random points: the median and the 99.9th percentile
// (a slower one is the machine taking the core away, not the walk).
void HitTests(const char* what, const stats::TreemapLayout& layout) {
  std::mt19937 rng(7);
  std::vector<double> us;
  size_t found = 0;
  for (int i = 0; i < 10000; ++i) {
    const auto one = std::chrono::steady_clock::now();
    found += layout.HitTest(static_cast<int>(rng() % 1920), static_cast<int>(rng() % 1080)) != stats::TreemapLayout::kNone;
    us.push_back(bench::ElapsedMs(one) * 1000);
  }
  std::sort(us.begin(), us.end());
  uint32_t widest = 0;
  for (const stats::PlacedRect& p : layout.rects) widest = std::max(widest, p.children);
  std::printf("%s: median %.2f us, 99.9th percentile %.1f us (%zu of 10,000 found; widest block %u rectangles)\n", what,
              us[us.size() / 2], us[us.size() * 999 / 1000], found, widest);
}

// One folder of `files` files of 1 byte to 1 MB: the widest block a map can have.
void FlatFolder(int64_t files) {
  catalog::NameIndex index;
  std::vector<catalog::NameIndex::Row> rows;
  std::mt19937_64 rng(3);
  for (int64_t id = 1; id <= files; ++id) {
    rows.emplace_back(id, catalog::EntryKind::File, "f" + std::to_string(id) + ".dat", 1 + int64_t(rng() % (1 << 20)),
                      catalog::kUnknownTime, "[FLAT]:\\");
    if (rows.size() == 65536 || id == files) {
      index.Replace(rows.front().rowid, rows.back().rowid, rows);
      rows.clear();
    }
  }
  const stats::SpaceTree tree = stats::SpaceTree::Build(index.Contents(), "[FLAT]:\\");
  stats::TreemapLayout layout;
  const double ms = bench::MedianMs(3, [&] { layout = stats::LayoutTreemap(tree, 0, {0, 0, 1920, 1080}); });
  std::printf("one folder of %zu files: layout %.1f ms, %zu rectangles placed\n", tree.Size() - 1, ms,
              layout.rects.size());
  HitTests("hit test in it", layout);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-stats-bench").string();
  const int64_t rows = argc > 2 ? std::atoll(argv[2]) : 1000000;
  std::filesystem::create_directories(dir);
  const std::string folder = dir + "/";
  auto start = std::chrono::steady_clock::now();
  const bench::BenchCatalog info = bench::MakeBenchCatalog(folder + catalog::kCatalogFileName, 50, rows, rows / 10);
  std::printf("generated %lld rows in 50 snapshots in %.0f ms\n", static_cast<long long>(info.rows),
              bench::ElapsedMs(start));
  {
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    cn.Names().BringInStep(cn);
    const catalog::IndexContents contents = cn.Names().Contents();
    stats::CatalogStatistics s;
    const double allMs = bench::MedianMs(5, [&] { s = stats::ComputeStatistics(contents); });
    std::printf("statistics of all %zu snapshots, %zu entries: %.1f ms (%lld files, %lld folders, %zu years)\n",
                s.snapshots.size(), contents.TotalEntries(), allMs, static_cast<long long>(s.files),
                static_cast<long long>(s.folders), s.years.size());
    stats::SnapshotChoice one;
    one.labels = std::vector<std::string>{info.labels[0]};
    const double oneMs = bench::MedianMs(5, [&] { s = stats::ComputeStatistics(contents, one); });
    std::printf("statistics of %s alone (%lld files): %.1f ms\n", info.labels[0].c_str(),
                static_cast<long long>(s.files), oneMs);
  }

  catalog::NameIndex index;
  start = std::chrono::steady_clock::now();
  FillDeepSnapshot(index, rows);
  std::printf("deep snapshot of %zu entries in memory in %.0f ms (index %.1f MB)\n", index.Entries(),
              bench::ElapsedMs(start), index.MemoryBytes() / 1e6);
  const catalog::IndexContents contents = index.Contents();
  stats::CatalogStatistics s;
  const double deepStatsMs = bench::MedianMs(5, [&] { s = stats::ComputeStatistics(contents); });
  std::printf("statistics of it: %.1f ms\n", deepStatsMs);

  const double before = ResidentMb();
  stats::SpaceTree tree = stats::SpaceTree::Build(contents, "[BIG]:\\");
  const double after = ResidentMb();
  const double treeMs = bench::MedianMs(3, [&] { tree = stats::SpaceTree::Build(contents, "[BIG]:\\"); });
  int depth = 0;
  {
    std::vector<int> d(tree.Size(), 0);
    for (uint32_t v = 1; v < tree.Size(); ++v) depth = std::max(depth, d[v] = d[tree.Parent(v)] + 1);
  }
  std::printf("space tree: %.1f ms, %zu nodes, depth %d, %.1f MB held (%.1f bytes a node); resident %+.0f MB\n",
              treeMs, tree.Size(), depth, tree.MemoryBytes() / 1e6, double(tree.MemoryBytes()) / double(tree.Size()),
              after - before);

  const stats::PixelRect screen{0, 0, 1920, 1080};
  stats::TreemapLayout layout;
  const double layoutMs = bench::MedianMs(5, [&] { layout = stats::LayoutTreemap(tree, 0, screen); });
  std::printf("treemap layout at 1920 x 1080: %.1f ms, %zu rectangles placed (%.1f MB)\n", layoutMs,
              layout.rects.size(), layout.rects.capacity() * sizeof(stats::PlacedRect) / 1e6);
  const stats::PixelRect large{0, 0, 3840, 2160};
  stats::TreemapLayout big;
  const double bigMs = bench::MedianMs(3, [&] { big = stats::LayoutTreemap(tree, 0, large); });
  std::printf("treemap layout at 3840 x 2160: %.1f ms, %zu rectangles placed\n", bigMs, big.rects.size());

  HitTests("hit test", layout);
  std::vector<uint32_t> pixels(size_t{1920} * 1080);
  const stats::TreemapColours colours;
  const double paintMs =
      bench::MedianMs(5, [&] { stats::PaintTreemap(tree, layout, colours, pixels.data(), 1920, 1080, 1920); });
  std::printf("cushion pixels at 1920 x 1080: %.1f ms\n", paintMs);
  FlatFolder(rows);
  return 0;
}
