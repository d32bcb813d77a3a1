// The name search from the names in memory beside the plain LIKE scan of
// every row, on a generated catalogue (bench/catalog_data.h): building the
// index (the first search of a run), each search text alone, the whole
// search with each hit's row read, the sqlite3 shell and grep over a plain
// list of the same names (native build only), the index's memory, and the
// cost of following the rows a scan appends.
//   name_search_bench [folder] [rows]   (default 1,000,000 rows)
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "bench/catalog_data.h"
#include "bench/counting_view.h"
#include "catalog/connection.h"
#include "catalog/statements.h"
#include "maintain/search.h"
#include "platform/file_io.h"

namespace {

using bench::CountingView;

// Resident memory of the process in MB (Linux only; 0 elsewhere).
double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * 4096.0 / (1 << 20);
}

int64_t PlainCount(catalog::Query& q, const std::string& text) {
  int64_t n = 0;
  catalog::OpenSearch(q, text, true, true);
  for (; !q.Eof(); q.Next()) ++n;
  q.Close();
  return n;
}

[[maybe_unused]] double ShellMs(const std::string& command, int runs) {
  return bench::MedianMs(runs, [&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-name-bench").string();
  const int64_t rows = argc > 2 ? std::atoll(argv[2]) : 1000000;
  const int runs = rows > 2000000 ? 3 : 5;
  std::filesystem::create_directories(dir);
  const std::string folder = dir + "/";
  const std::string file = folder + catalog::kCatalogFileName;
  auto start = std::chrono::steady_clock::now();
  bench::BenchCatalog info = bench::MakeBenchCatalog(file, 50, rows, rows / 10);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::printf("generated %lld rows in %.0f ms (%lld report hits, %lld rare hits), file %.1f MB\n",
              static_cast<long long>(info.rows), bench::ElapsedMs(start), static_cast<long long>(info.reportHits),
              static_cast<long long>(info.rareHits), fileio::FileSize(file) / 1e6);

  // The first search of a run: the index is read from the file then.
  const double rssBefore = ResidentMb();
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(folder));
  cn.Open();
  catalog::Query q(&cn);
  {
    bool running = false;
    CountingView view;
    start = std::chrono::steady_clock::now();
    maintain::RunSearch(q, running, view, "quokka", true, true);
    std::printf("first search of the run (index built), \"quokka\": %.1f ms, %s\n", bench::ElapsedMs(start),
                view.status.c_str());
  }
  catalog::NameIndex& index = cn.Names();
  std::printf("index: %zu entries, %.1f MB held (%.1f bytes an entry); resident memory %.0f -> %.0f MB\n",
              index.Entries(), index.MemoryBytes() / 1e6, double(index.MemoryBytes()) / double(index.Entries()),
              rssBefore, ResidentMb());
  double buildMs = bench::MedianMs(3, [&] { index.Sync(cn, {}, true); });
  std::printf("index read whole again: %.1f ms\n", buildMs);
  {
    catalog::Connection plain;
    plain.SetConnectionString(cn.ConnectionString());
    plain.Open();
    catalog::Query pq(&plain);
    start = std::chrono::steady_clock::now();
    PlainCount(pq, "quokka");
    std::printf("first plain LIKE scan of a fresh connection, \"quokka\": %.1f ms\n", bench::ElapsedMs(start));
  }

  {
    // Right after start-up the main window reads the names in slices; a
    // search that comes meanwhile answers from the file.
    catalog::Connection early;
    early.SetConnectionString(cn.ConnectionString());
    early.Open();
    catalog::Query eq(&early);
    early.Names().BuildStep(early, 20000);
    for (const char* text : {"quokka", "report"}) {
      bool running = false;
      CountingView view;
      const double searchMs = bench::MedianMs(runs, [&] { maintain::RunSearch(eq, running, view, text, true, true); });
      const double likeMs = bench::MedianMs(runs, [&] { PlainCount(eq, text); });
      std::printf("search while the names are read in slices, \"%s\": %.1f ms (%s); plain LIKE scan %.1f ms\n", text,
                  searchMs, view.status.c_str(), likeMs);
    }
  }

  const std::string names = folder + "names.txt";
#ifndef _WIN32
  {
    std::string list;
    q.Clear();
    q.Add("Select Name from CDFile");
    for (q.Open(); !q.Eof(); q.Next()) list += q.AsString("Name") + "\n";
    q.Close();
    fileio::WriteFileAtomic(names, list);
  }
#endif
  std::printf("%-10s %8s | %9s %9s %10s | %10s | %9s %9s  (ms)\n", "text", "hits", "find", "search", "RunSearch",
              "LIKE scan", "sqlite3", "grep -c");
  // "appends" as the third argument: only the scan path's figures.
  const bool appendsOnly = argc > 3 && std::string(argv[3]) == "appends";
  for (const char* text : {"quokka", "zqxjvw", "report", "r", "e_", "p%t_", "%", "照片"}) {
    if (appendsOnly) break;
    const size_t hits = index.Find(text, true, true).size();
    const double findMs = bench::MedianMs(runs, [&] { index.Find(text, true, true); });
    const double searchMs = bench::MedianMs(runs, [&] { index.Search(cn, text, true, true); });
    bool running = false;
    CountingView view;
    // The whole search with every hit's row read and made an item, where
    // the hits are few enough to be worth the wait.
    const double runMs = hits > 200000 ? 0.0 : bench::MedianMs(runs, [&] {
      maintain::RunSearch(q, running, view, text, true, true);
    });
    int64_t plainHits = 0;
    const double likeMs = bench::MedianMs(runs, [&] { plainHits = PlainCount(q, text); });
    if (plainHits != static_cast<int64_t>(hits)) std::printf("  (plain LIKE finds %lld)\n", (long long)plainHits);
    double shellMs = 0, grepMs = 0;
#ifndef _WIN32
    const std::string t = text;
    if (t.find_first_of("%_") == std::string::npos) {
      shellMs = ShellMs("sqlite3 '" + file + "' \"select * from CDFile where Name like '%" + t + "%'\" > /dev/null", runs);
      grepMs = ShellMs("grep -c -i -F '" + t + "' '" + names + "' > /dev/null; true", runs);
    }
#endif
    std::printf("%-10s %8zu | %9.2f %9.2f %10.1f | %10.1f | %9.1f %9.1f\n", text, hits, findMs, searchMs, runMs, likeMs,
                shellMs, grepMs);
  }

  // The conditions, alone and with a text, over the names in memory.
  if (!appendsOnly) {
    using catalog::SearchRequest;
    constexpr int64_t kYear2019 = 131907744000000000, kYear2020 = 132223104000000000;
    struct Case {
      const char* what;
      std::function<void(SearchRequest&)> set;
    };
    const Case cases[] = {
        {"size >= 1 MB", [](SearchRequest& r) { r.conditions.minSize = 1 << 20; }},
        {"modified in 2019", [&](SearchRequest& r) {
           r.conditions.modifiedFrom = kYear2019;
           r.conditions.modifiedBefore = kYear2020;
         }},
        {"kind pictures", [](SearchRequest& r) { r.conditions.categories = catalog::CategoryBit(catalog::FileCategory::Picture); }},
        {"extensions iso;img;nrg", [](SearchRequest& r) { r.conditions.extensions = {"iso", "img", "nrg"}; }},
        {"label DISK0*", [](SearchRequest& r) { r.conditions.labelText = "DISK0*"; }},
        {"report + size + 2019", [&](SearchRequest& r) {
           r.text = "report";
           r.conditions.minSize = 1024;
           r.conditions.modifiedFrom = kYear2019;
           r.conditions.modifiedBefore = kYear2020;
         }},
        {"*.jpg|*.bmp + label", [](SearchRequest& r) {
           r.text = "*.jpg|*.bmp";
           r.conditions.labelText = "DISK1*";
         }},
        {"*.jpg (wildcard)", [](SearchRequest& r) { r.text = "*.jpg"; }},
    };
    for (const Case& c : cases) {
      SearchRequest r;
      c.set(r);
      size_t hits = 0;
      const double ms = bench::MedianMs(runs, [&] { hits = index.FindHits(r)->size(); });
      std::printf("condition %-24s %9zu hits %9.1f ms\n", c.what, hits, ms);
    }
    SearchRequest all;
    auto table = index.FindHits(all);
    const double sortMs = bench::MedianMs(3, [&] { table->SortBy(catalog::HitColumn::Size, true); });
    std::printf("sort of %zu hits by size: %.1f ms; hit table %.1f MB\n", table->size(), sortMs,
                table->MemoryBytes() / 1e6);
  }

  // Following a scan: appends through the scan's path (one prepared insert,
  // a commit every 20,000 rows) with and without the connection noting the
  // rows, then the next search reading the new rows.
  auto appendRows = [&](int n, const char* label) {
    catalog::AppendSnapshot(q, label, 1, "");
    const std::string root = catalog::SnapshotRoot(label);
    start = std::chrono::steady_clock::now();
    cn.BeginTransaction();
    q.OpenTable("CDFile");
    for (int i = 0; i < n; ++i) {
      q.Append();
      q.SetField("Name", "new file " + std::to_string(i) + ".txt");
      q.SetField("Path", root);
      q.SetField("Type", int64_t{0});
      q.SetField("Size", int64_t{i});
      q.Post();
      if (i % 20000 == 19999) {
        cn.Commit();
        cn.BeginTransaction();
      }
    }
    q.Close();
    cn.Commit();
    return n / (bench::ElapsedMs(start) / 1000.0);
  };
  // Rounds alternate, so that the log file's growth in the first round
  // does not fall on one side.
  index.Search(cn, "x", true, true);
  appendRows(100000, "WARM");
  for (int round = 0; round < 4; ++round) {
    const bool noting = round % 2 == 1;
    // The connection registers its hook when it opens.
    q.Close();
    cn.Close();
    cn.Open();
    index.Search(cn, "x", true, true);
    if (!noting) sqlite3_update_hook(cn.Handle(), nullptr, nullptr);
    const std::string label = "R" + std::to_string(round);
    const double rate = appendRows(200000, label.c_str());
    if (!noting) {
      std::printf("appends, round %d, rows not noted: %.0f rows/s\n", round, rate);
      continue;
    }
    start = std::chrono::steady_clock::now();
    index.Search(cn, "quokka", true, true);
    std::printf("appends, round %d, rows noted: %.0f rows/s; next search after 200,000 new rows %.1f ms\n", round,
                rate, bench::ElapsedMs(start));
  }
  return 0;
}
