// Catalogue benchmark: 1,000,000 CDFile rows in 50 snapshots of 20,000 rows
// (400 folders of 49 files each under the root), then the statements the
// program runs most: a folder listing, a file lookup, delete and rename of
// one snapshot, the sorted export query and a name search.
//   catalog_bench [folder]   (default: a folder under /tmp)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"

using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Median of `runs` timings of f, in milliseconds.
double Median(int runs, const std::function<void()>& f) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    auto s = Clock::now();
    f();
    t.push_back(Ms(Clock::now() - s));
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

std::string Label(int i) { return "DISK" + std::to_string(i); }

void AppendSnapshotRows(catalog::Connection& cn, catalog::Query& q, const std::string& label, int64_t& rows) {
  catalog::AppendSnapshot(q, label, 4300, "benchmark");
  const std::string root = catalog::SnapshotRoot(label);
  q.OpenTable("CDFile");
  auto last = Clock::now();
  cn.BeginTransaction();
  for (int d = 0; d < 400; ++d) {
    std::string folder = "folder" + std::to_string(d);
    q.Append();
    q.SetField("Name", folder);
    q.SetField("Path", root);
    q.SetField("Type", 1);
    q.Post();
    ++rows;
    std::string path = root + folder + "\\";
    for (int f = 0; f < 49; ++f) {
      q.Append();
      q.SetField("Name", "file" + std::to_string(f) + (f % 3 ? ".txt" : ".jpg"));
      q.SetField("Path", path);
      q.SetField("Type", 0);
      q.SetField("Size", int64_t(1000) * f + d);
      q.Post();
      ++rows;
    }
    // Commit about every half second, as a scan does.
    if (Clock::now() - last > std::chrono::milliseconds(500)) {
      cn.Commit();
      cn.BeginTransaction();
      last = Clock::now();
    }
  }
  cn.Commit();
  q.Close();
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "vorlune-catalog-bench").string();
  std::filesystem::create_directories(dir);
  std::string file = dir + "/Kestrova";
  for (auto ext : {"", "-wal", "-shm"}) fileio::RemoveFile(file + ext);
  catalog::CreateEmptyCatalog(file, catalog::kDatabasePassword);
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(dir + "/"));
  cn.Open();
  catalog::Query q(&cn);

  int64_t rows = 0;
  auto start = Clock::now();
  for (int s = 0; s < 50; ++s) AppendSnapshotRows(cn, q, Label(s), rows);
  double appendMs = Ms(Clock::now() - start);
  std::printf("append: %lld rows in %.0f ms = %.0f rows/s\n", static_cast<long long>(rows), appendMs,
              rows / appendMs * 1000.0);

  auto listing = Median(200, [&] {
    catalog::OpenFolder(q, catalog::SnapshotRoot(Label(25)) + "folder200\\");
    int n = 0;
    for (; !q.Eof(); q.Next()) n += q.AsString("Name").size() > 0;
    q.Close();
  });
  std::printf("folder listing (49 entries): %.3f ms\n", listing);

  auto details = Median(200, [&] {
    catalog::OpenFileRow(q, catalog::SnapshotRoot(Label(25)) + "folder200\\", "file17.txt");
    volatile int64_t size = q.AsInteger("Size");
    (void)size;
    q.Close();
  });
  std::printf("file details lookup: %.3f ms\n", details);

  auto exportMs = Median(5, [&] {
    catalog::OpenExportRows(q, Label(10));
    int64_t n = 0;
    for (; !q.Eof(); q.Next()) n += static_cast<int64_t>(q.AsString("FileDir").size());
    q.Close();
  });
  std::printf("sorted export query of one snapshot (20,000 rows): %.1f ms\n", exportMs);

  auto search = [&](const std::string& text) {
    return Median(5, [&] {
      catalog::OpenSearch(q, text, true, true);
      int64_t n = 0;
      for (; !q.Eof(); q.Next()) ++n;
      q.Close();
    });
  };
  std::printf("name search, few hits (\"folder399\"): %.1f ms\n", search("folder399"));
  std::printf("name search, no hit (\"zzz\"): %.1f ms\n", search("zzz"));

  auto renameMs = Median(1, [&] { catalog::RenameSnapshot(q, Label(30), "RENAMED30"); });
  std::printf("rename of a 20,000-row snapshot: %.1f ms\n", renameMs);
  auto deleteMs = Median(1, [&] {
    catalog::DeleteSnapshotFiles(q, "RENAMED30");
    catalog::DeleteSnapshotRow(q, "RENAMED30");
  });
  std::printf("delete of a 20,000-row snapshot: %.1f ms\n", deleteMs);
  cn.Close();
  std::printf("catalogue file: %lld bytes\n", static_cast<long long>(fileio::FileSize(file)));
  return 0;
}
