// Benchmark of the browse module's portable parts on a generated catalogue
// of 1,000,000 rows in 50 snapshots: opening a folder of 5,000 entries as the
// tree does (the query and the kind icon of every entry), the kind icon of
// every name, and sorting 100,000 list texts by the column comparison (keys
// made once per text, as the list sorts).
//   browse_bench [folder]
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/catalog_data.h"
#include "browse/column_sort.h"
#include "browse/unit_public.h"
#include "catalog/connection.h"
#include "catalog/statements.h"

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-browse-bench").string();
  std::filesystem::create_directories(dir);
  const std::string folder = dir + "/";
  bench::BenchCatalog info = bench::MakeBenchCatalog(folder + catalog::kCatalogFileName, 50, 1000000);

  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(folder));
  cn.Open();
  catalog::Query q(&cn);

  const std::string big = bench::BigFolder(info.labels[25]);
  size_t entries = 0;
  double treeMs = bench::MedianMs(20, [&] {
    catalog::OpenFolder(q, big);
    entries = 0;
    for (; !q.Eof(); q.Next()) {
      std::string name = q.AsString("Name");
      int image = q.AsInteger("Type") == 1 ? browse::kImageFolder : browse::GetFileIconIndex(name);
      entries += image >= 0;
    }
    q.Close();
  });
  std::printf("folder of %zu entries, query and kind icons: %.2f ms\n", entries, treeMs);

  std::vector<std::string> names;
  q.Clear();
  q.Add("Select Name from CDFile");
  q.Open();
  for (; !q.Eof(); q.Next()) names.push_back(q.AsString("Name"));
  q.Close();
  volatile int sum = 0;
  double iconMs = bench::MedianMs(5, [&] {
    for (const std::string& n : names) sum = sum + browse::GetFileIconIndex(n);
  });
  std::printf("kind icon of %zu names: %.1f ms\n", names.size(), iconMs);

  std::vector<std::string> items(names.begin() + 300000, names.begin() + 400000);
  browse::FoldingCollator collator;
  browse::ColumnSortState state;
  for (int click = 0; click < 2; ++click) {
    browse::SortParams p = state.Click(0, false);
    double sortMs = bench::MedianMs(3, [&] {
      // As the list sorts: each item's key made once, then the keys compared.
      std::vector<browse::ItemSortKey> keys;
      keys.reserve(items.size());
      for (const std::string& item : items) keys.push_back(browse::MakeSortKey(item, p, collator));
      std::stable_sort(keys.begin(), keys.end(), [&](const browse::ItemSortKey& a, const browse::ItemSortKey& b) {
        return browse::CompareSortKeys(a, b, p) < 0;
      });
    });
    std::printf("sort of %zu names (%s, portable collation): %.0f ms\n", items.size(),
                p.ascending ? "ascending" : "descending", sortMs);
  }
  return 0;
}
