// Opening a catalogue of the first form writable, which adds the newer
// columns (catalog/schema.h): 1,000,000 CDFile rows in 50 snapshots written
// straight into a copy of the first form's empty catalogue, then the
// connection's Open timed (median of 5, each on a fresh copy).
//   upgrade_bench OLD_FORM_EMPTY_CATALOGUE [DIR]
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: upgrade_bench OLD_FORM_EMPTY_CATALOGUE [DIR]\n");
    return 2;
  }
  const fs::path dir = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "vorlune-upgrade-bench";
  fs::create_directories(dir);
  const fs::path filled = dir / "filled";
  fs::remove(filled);
  fs::copy_file(argv[1], filled);
  sqlite3* db = nullptr;
  sqlite3_open(filled.string().c_str(), &db);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO CDFile VALUES(?, ?, ?, ?)", -1, &st, nullptr);
  for (int i = 0; i < 1000000; ++i) {
    const std::string path = "[DISK" + std::to_string(i / 20000) + "]:\\folder" + std::to_string(i / 50 % 400) + "\\";
    const std::string name = "file_" + std::to_string(i) + ".dat";
    sqlite3_bind_text(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, path.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(st, 3, 0);
    sqlite3_bind_int64(st, 4, i * 37);
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  for (int s = 0; s < 50; ++s) {
    const std::string sql = "INSERT INTO CDName(CDName, TotalM, Memo1) VALUES('DISK" + std::to_string(s) + "', 700, '')";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const auto bytes = fs::file_size(filled);

  std::vector<double> ms;
  for (int round = 0; round < 5; ++round) {
    const fs::path folder = dir / ("open" + std::to_string(round));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(filled, folder / catalog::kCatalogFileName);
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder.string() + "/"));
    const auto start = std::chrono::steady_clock::now();
    cn.Open();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    cn.Close();
    fs::remove_all(folder);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("open of a 1,000,000-row first-form catalogue (%.0f MB) writable, columns added: median %.1f ms "
              "(%.1f to %.1f)\n",
              bytes / 1048576.0, ms[2], ms.front(), ms.back());
  return 0;
}
