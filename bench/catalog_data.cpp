#include "bench/catalog_data.h"

#include <algorithm>
#include <cstdio>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"

namespace bench {
namespace {

const char* const kExtensions[] = {".txt", ".jpg", ".exe", ".dll", ".doc", ".htm", ".bmp", ".wav", ".dat", ".log"};

class Writer {
 public:
  Writer(catalog::Query& q, BenchCatalog& info) : q_(q), info_(info) {}

  void Row(const std::string& path, const std::string& name, int type, int64_t size) {
    q_.Append();
    q_.SetField("Name", name);
    q_.SetField("Path", path);
    q_.SetField("Type", type);
    if (type == 0) q_.SetField("Size", size);
    // Spread over 2000 to 2025, the same for every run.
    constexpr int64_t k2000 = 125911584000000000, kSpan = 26 * 365 * 864000000000LL;
    q_.SetField("Modified", k2000 + (info_.rows * 7919 * 864000000000LL + info_.rows * 1000003) % kSpan);
    q_.Post();
    if (name.find("report") != std::string::npos) ++info_.reportHits;
    if (name.find("quokka") != std::string::npos) ++info_.rareHits;
    ++info_.rows;
  }
  bool ReportRow() const { return info_.rows % 10 == 0; }

  std::string FileName(int64_t serial) const {
    char buf[64];
    if (ReportRow())
      std::snprintf(buf, sizeof buf, "report%07lld.doc", static_cast<long long>(serial));
    else
      std::snprintf(buf, sizeof buf, "%s%07lld%s", serial % 7 == 3 ? "照片" : "file", static_cast<long long>(serial),
                    kExtensions[serial % 10]);
    return buf;
  }
  std::string FolderName(const char* base) const { return ReportRow() ? std::string(base) + "_report" : base; }

 private:
  catalog::Query& q_;
  BenchCatalog& info_;
};

void FillSnapshot(Writer& w, const std::string& label, int64_t rows, int64_t& serial) {
  const std::string root = catalog::SnapshotRoot(label);
  int64_t left = rows;
  int64_t big = std::min<int64_t>(5000, rows / 4);
  if (left > 0) {
    w.Row(root, "big", 1, 0);
    --left;
    for (int64_t i = 0; i < big && left > 0; ++i, --left, ++serial)
      w.Row(root + "big\\", w.FileName(serial), 0, serial * 37 % 5000000);
  }
  bool placedRare = false;
  for (int d = 0; left > 0; ++d) {
    char dir[16];
    std::snprintf(dir, sizeof dir, "dir%04d", d);
    std::string name = w.FolderName(dir);
    w.Row(root, name, 1, 0);
    --left;
    const std::string path = root + name + "\\";
    for (int f = 0; f < 49 && left > 0; ++f, --left, ++serial) {
      bool rare = d == 0 && f >= 2 && !placedRare && !w.ReportRow();
      placedRare = placedRare || rare;
      w.Row(path, rare ? "quokka" + label.substr(4) + ".jpg" : w.FileName(serial), 0, serial * 37 % 5000000);
    }
  }
}

}  // namespace

BenchCatalog MakeBenchCatalog(const std::string& path, int snapshots, int64_t rows, int64_t firstSnapshotRows) {
  for (const char* ext : {"", "-wal", "-shm"}) fileio::RemoveFile(path + ext);
  catalog::CreateEmptyCatalog(path, catalog::kDatabasePassword);
  catalog::Connection cn;
  cn.SetConnectionString(catalog::ConnectionStringFor(path));
  cn.Open();
  catalog::Query q(&cn);
  BenchCatalog info;
  const bool first = firstSnapshotRows > 0 && snapshots > 1;
  const int64_t even = first ? (rows - firstSnapshotRows) / (snapshots - 1) : rows / snapshots;
  int64_t given = 0;
  for (int s = 0; s < snapshots; ++s) {
    int64_t n = (first && s == 0) ? firstSnapshotRows : even;
    if (s == snapshots - 1) n = rows - given;  // the remainder of the division
    given += n;
    char label[16];
    std::snprintf(label, sizeof label, "DISK%02d", s + 1);
    info.labels.push_back(label);
    info.snapshotRows.push_back(n);
  }
  cn.BeginTransaction();
  Writer w(q, info);
  int64_t serial = 0;
  for (size_t s = 0; s < info.labels.size(); ++s) {
    catalog::AppendSnapshot(q, info.labels[s], 4300, "基准测试 " + info.labels[s]);
    q.OpenTable("CDFile");
    FillSnapshot(w, info.labels[s], info.snapshotRows[s], serial);
    q.Close();
  }
  cn.Commit();
  cn.Close();
  return info;
}

std::string BigFolder(const std::string& label) { return catalog::SnapshotRoot(label) + "big\\"; }

double ElapsedMs(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

double MedianMs(int runs, const std::function<void()>& f) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    auto s = std::chrono::steady_clock::now();
    f();
    t.push_back(ElapsedMs(s));
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace bench
