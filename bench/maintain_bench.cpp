// Benchmark of the catalogue commands of the maintain module on a generated
// catalogue of 1,000,000 rows in 50 snapshots, the first of 100,000 entries:
// the name search (few hits and 100,000 hits) beside the same query run by
// the sqlite3 shell and beside grep over a plain list of the names; export,
// rename and delete of the 100,000-entry snapshot; compaction after deleting
// half of the snapshots.
//   maintain_bench [folder]   (default: a folder under the temporary folder)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/catalog_data.h"
#include "bench/counting_view.h"
#include "catalog/connection.h"
#include "catalog/statements.h"
#include "maintain/compaction.h"
#include "maintain/export.h"
#include "maintain/search.h"
#include "maintain/snapshot_edit.h"
#include "platform/file_io.h"

namespace {

using bench::CountingView;

[[maybe_unused]] double ShellMs(const std::string& command) {
  return bench::MedianMs(5, [&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-maintain-bench").string();
  std::filesystem::create_directories(dir);
  const std::string folder = dir + "/";
  const std::string file = folder + catalog::kCatalogFileName;

  auto start = std::chrono::steady_clock::now();
  bench::BenchCatalog info = bench::MakeBenchCatalog(file, 50, 1000000, 100000);
  std::printf("generated %lld rows in %zu snapshots in %.0f ms (%lld report hits, %lld rare hits)\n",
              static_cast<long long>(info.rows), info.labels.size(), bench::ElapsedMs(start),
              static_cast<long long>(info.reportHits), static_cast<long long>(info.rareHits));

  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(folder));
  cn.Open();
  catalog::Query q(&cn);

  // A plain list of all names, the floor for a substring count.
  const std::string names = folder + "names.txt";
  {
    std::string list;
    q.Clear();
    q.Add("Select Name from CDFile");
    q.Open();
    for (; !q.Eof(); q.Next()) list += q.AsString("Name") + "\n";
    q.Close();
    fileio::WriteFileAtomic(names, list);
  }

  for (const char* text : {"quokka", "report"}) {
    bool running = false;
    CountingView view;
    double searchMs = bench::MedianMs(5, [&] { maintain::RunSearch(q, running, view, text, true, true); });
    double queryMs = bench::MedianMs(5, [&] {
      catalog::OpenSearch(q, text, true, true);
      for (; !q.Eof(); q.Next()) {
      }
      q.Close();
    });
    double shellMs = 0, grepMs = 0;
#ifndef _WIN32  // the shell tools are the build machine's
    std::string sql = std::string("select * from CDFile where Name like '%") + text + "%'";
    shellMs = ShellMs("sqlite3 '" + file + "' \"" + sql + "\" > /dev/null");
    grepMs = ShellMs(std::string("grep -c -i -F ") + text + " '" + names + "' > /dev/null");
#endif
    std::printf("search \"%s\": %s; RunSearch %.1f ms, query alone %.1f ms, sqlite3 shell %.1f ms, grep -c %.1f ms\n",
                text, view.status.c_str(), searchMs, queryMs, shellMs, grepMs);
  }

  const std::string& big = info.labels[0];
  const std::string out = folder + "export.htm";
  double exportMs = bench::MedianMs(3, [&] { maintain::ExportSnapshot(q, big, out); });
  std::printf("export of %s (%lld entries, web page): %.0f ms, %lld bytes\n", big.c_str(),
              static_cast<long long>(info.snapshotRows[0]), exportMs, static_cast<long long>(fileio::FileSize(out)));

  double renameMs = bench::MedianMs(1, [&] { maintain::ConfirmRename(q, big, "RENAMED"); });
  double renameBackMs = bench::MedianMs(1, [&] { maintain::ConfirmRename(q, "RENAMED", big); });
  std::printf("rename of the 100,000-entry snapshot: %.0f ms (and back: %.0f ms)\n", renameMs, renameBackMs);
  double deleteMs = bench::MedianMs(1, [&] { maintain::DeleteSnapshot(q, big); });
  std::printf("delete of the 100,000-entry snapshot: %.0f ms\n", deleteMs);

  for (size_t s = 1; s < info.labels.size() / 2; ++s) maintain::DeleteSnapshot(q, info.labels[s]);
  start = std::chrono::steady_clock::now();
  maintain::CompactOutcome c = maintain::CompactCatalog(cn, {&q}, folder);
  double compactMs = bench::ElapsedMs(start);
  std::printf("compaction after deleting half of the snapshots: %s, rate %lld%%, %.0f ms; %lld -> %lld bytes\n",
              c.ok ? "ok" : c.error.c_str(), static_cast<long long>(c.rate), compactMs,
              static_cast<long long>(fileio::FileSize(folder + maintain::kBackupFileName)),
              static_cast<long long>(fileio::FileSize(file)));
  return 0;
}
