// Scan benchmark: the walk of a generated tree of 200,000 entries (20,000
// folders of 9 files each, ten subfolders per folder; another size on
// request) into a fresh catalogue,
// with the platform's directory source and a message-processing call after
// every entry, as the create window runs it.
//   scan_bench make TREE [ENTRIES] generate the tree (once; kept for later runs)
//   scan_bench scan TREE [DIR]  scan it into DIR/Kestrova (default: temp)
//   scan_bench walk TREE        the walk alone, rows counted, not stored
//   scan_bench update TREE [DIR] a scan, then 1 % of the files changed (a
//                               byte longer), then the snapshot updated
//   scan_bench appends TREE [DIR] the tree read into memory first, then the
//                               same rows appended twice: through the scan
//                               (engine, sink, statement, names kept in
//                               step) and through one bare SQLite insert
//                               (the engine's own speed, same commits)
// bench/scan_bench.sh runs both against find on the same tree.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "archive/archive_lister.h"
#include "create/memory_source.h"
#include "create/message_pacer.h"
#include "create/prefetch_source.h"
#include "create/snapshot_job.h"
#include "create/snapshot_update.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include "create/win_directory_source.h"
#include "platform/text.h"
#else
#include <sys/resource.h>

#include "create/posix_source.h"
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFilesPerFolder = 9;
constexpr int kFanOut = 10;

std::string FileName(int folder, int i) {
  static const char* kNames[] = {"readme.txt", "照片_%d.jpg", "setup_%d.exe", "notes %d.doc", "index_%d.html",
                                 "song_%d.mp3", "O'Brien_%d.txt", "data_%d.bin", "图像%d.bmp"};
  char buf[64];
  std::snprintf(buf, sizeof buf, kNames[i], folder);
  return buf;
}

// `entries`: folders and files together (ten per folder), 200,000 by default.
int MakeTree(const fs::path& tree, int entries) {
  if (fs::exists(tree / ".complete")) {
    std::printf("tree %s already made\n", tree.string().c_str());
    return 0;
  }
  const int folders = entries / (kFilesPerFolder + 1);
  // Folders numbered breadth first: folder n's parent is (n - 1) / kFanOut.
  std::vector<fs::path> paths(folders + 1);
  paths[0] = tree;
  fs::create_directories(tree);
  for (int n = 1; n <= folders; ++n) {
    paths[n] = paths[(n - 1) / kFanOut] / ("dir" + std::to_string(n));
    fs::create_directory(paths[n]);
  }
  for (int n = 1; n <= folders; ++n)
    for (int i = 0; i < kFilesPerFolder; ++i) {
      fs::path f = paths[n] / fs::u8path(FileName(n, i));
      std::ofstream(f).close();
      fs::resize_file(f, static_cast<uintmax_t>((n * 7919 + i * 104729) % 2000000));
    }
  std::ofstream(tree / ".complete").close();
  std::printf("made %d folders, %d files under %s\n", folders, folders * kFilesPerFolder, tree.string().c_str());
  return 0;
}

class CountingSink : public create::RowSink {
 public:
  void AppendFolder(const create::DirEntry&, std::string_view) override { ++rows; }
  void AppendFile(const create::DirEntry&, std::string_view) override { ++rows; }
  int64_t rows = 0;
};

double PeakMemoryMB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS pmc{};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc.PeakWorkingSetSize / 1048576.0;
#else
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss / 1024.0;
#endif
}

// The program's own memory now, without the catalogue's pages mapped from
// the file (which the system takes back at will): private bytes.
double PrivateMemoryMB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS pmc{};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc.PagefileUsage / 1048576.0;
#else
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("RssAnon:", 0) == 0) return std::atof(line.c_str() + 8) / 1024.0;
  return 0;
#endif
}

// Makes every hundredth file of the tree one byte longer; returns the count.
int ChangeOnePercent(const fs::path& tree) {
  int seen = 0, changed = 0;
  for (const auto& e : fs::recursive_directory_iterator(tree))
    if (e.is_regular_file() && ++seen % 100 == 0) {
      fs::resize_file(e.path(), e.file_size() + 1);
      ++changed;
    }
  return changed;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The tree copied into memory under M:\, folder by folder.
void CopyTree(create::DirectorySource& disk, const std::string& folder, create::MemorySource& mem,
              const std::string& memFolder) {
  std::vector<create::DirEntry> entries;
  disk.List(folder, entries);
  for (const create::DirEntry& e : entries) {
    if (create::ClassifyEntry(e) == 2) continue;
    mem.AddEntry(memFolder, e);
    if (create::EntersFolder(e))
      CopyTree(disk, folder + e.name + disk.Separator(), mem, memFolder + e.name + "\\");
  }
}

// The rows the scan would append, in its order, straight into one prepared
// INSERT bound without copies, committing as the sink commits.
double BareInserts(const std::string& dir, create::MemorySource& mem) {
  struct Rows : create::RowSink {
    struct Row {
      create::DirEntry e;
      std::string path;
      int type;
    };
    std::vector<Row> rows;
    void AppendFolder(const create::DirEntry& e, std::string_view p) override { rows.push_back({e, std::string(p), 1}); }
    void AppendFile(const create::DirEntry& e, std::string_view p) override { rows.push_back({e, std::string(p), 0}); }
  } sink;
  create::ScanHooks none;
  create::ScanEngine(mem, sink, none).Walk(create::MemorySource::kRoot, "BENCH");
  catalog::CreateEmptyCatalog(dir + "/bare", catalog::kDatabasePassword);
  sqlite3* db = nullptr;
  sqlite3_open((dir + "/bare").c_str(), &db);
  sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA cache_size=-32768;", nullptr, nullptr,
               nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO CDFile(Name, Path, Type, Size, Modified, Attr) VALUES(?, ?, ?, ?, ?, ?)", -1, &st,
                     nullptr);
  auto start = Clock::now();
  auto opened = start;
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  int64_t pending = 0;
  for (const auto& r : sink.rows) {
    sqlite3_bind_text(st, 1, r.e.name.data(), static_cast<int>(r.e.name.size()), SQLITE_STATIC);
    sqlite3_bind_text(st, 2, r.path.data(), static_cast<int>(r.path.size()), SQLITE_STATIC);
    sqlite3_bind_int(st, 3, r.type);
    if (r.type == 0) sqlite3_bind_int64(st, 4, r.e.size);
    else sqlite3_bind_null(st, 4);
    sqlite3_bind_int64(st, 5, r.e.modified);
    sqlite3_bind_int64(st, 6, r.e.attributes);
    sqlite3_step(st);
    sqlite3_reset(st);
    if (++pending >= 10000 || Clock::now() - opened >= std::chrono::milliseconds(500)) {
      sqlite3_exec(db, "COMMIT; BEGIN", nullptr, nullptr, nullptr);
      pending = 0;
      opened = Clock::now();
    }
  }
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  const double secs = Seconds(start);
  sqlite3_finalize(st);
  sqlite3_close(db);
  return secs;
}

int Appends(const std::string& treeArg, const std::string& dir) {
  fs::remove_all(dir);
  fs::create_directories(dir);
#ifdef _WIN32
  create::WinDirectorySource disk;
  std::string root = treeArg;
  if (root.back() != '\\') root += '\\';
#else
  create::PosixSource disk;
  std::string root = treeArg;
  if (root.back() != '/') root += '/';
#endif
  create::MemorySource mem;
  CopyTree(disk, root, mem, create::MemorySource::kRoot);
  catalog::CreateEmptyCatalog(dir + "/Kestrova", catalog::kDatabasePassword);
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(dir + "/"));
  cn.Open();
  catalog::Query q(&cn);
  int state = create::kScanIdle;
  create::ScanHooks hooks;
  hooks.state = [&] { return state; };
  create::SnapshotRequest req{"BENCH", create::MemorySource::kRoot, 100 * 1024 * 1024, "", {}};
  auto start = Clock::now();
  create::TakeSnapshot(q, mem, req, hooks, [&] { state = create::kScanRunning; });
  const double scan = Seconds(start);
  const double bare = BareInserts(dir, mem);
  std::printf("appends from memory: through the scan %.2f s, bare inserts %.2f s (%.2f of the scan)\n", scan, bare,
              bare / scan);
  return 0;
}

int Scan(const std::string& treeArg, const std::string& dir, bool store, bool update = false) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  catalog::CreateEmptyCatalog(dir + "/Kestrova", catalog::kDatabasePassword);
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(dir + "/"));
  cn.Open();
  catalog::Query q(&cn);

#ifdef _WIN32
  auto disk = std::make_shared<create::WinDirectorySource>();
  std::string root = treeArg;
  if (root.back() != '\\') root += '\\';
#else
  auto disk = std::make_shared<create::PosixSource>();
  std::string root = treeArg;
  if (root.back() != '/') root += '/';
#endif
  // Reader threads listing ahead of the walk, as the create window runs it
  // (2; SCAN_BENCH_THREADS=0: the walk lists every folder itself).
  const char* threadsVar = std::getenv("SCAN_BENCH_THREADS");
  int threads = threadsVar ? std::atoi(threadsVar) : 2;
  // SCAN_BENCH_AHEAD: the most folders listed ahead (the window's default
  // when unset).
  const char* aheadVar = std::getenv("SCAN_BENCH_AHEAD");
  auto prefetchOwned = aheadVar ? std::make_unique<create::PrefetchSource>(disk, threads, std::atoi(aheadVar))
                                : std::make_unique<create::PrefetchSource>(disk, threads);
  create::PrefetchSource& prefetch = *prefetchOwned;
  create::DirectorySource& source = threads > 0 ? static_cast<create::DirectorySource&>(prefetch) : *disk;
  int state = create::kScanIdle;
  int64_t scannedKB = 0, pumps = 0;
  double privatePeak = 0;  // sampled as messages are let through
  create::ScanHooks hooks;
  hooks.state = [&] { return state; };
  hooks.scannedKB = &scannedKB;
  // Paced as the create window paces it (every 10 ms at most; 0 in the
  // environment variable SCAN_BENCH_PACE_MS: after every entry).
  const char* pace = std::getenv("SCAN_BENCH_PACE_MS");
  auto start0 = Clock::now();
  auto pacer = std::make_shared<create::MessagePacer>(
      nullptr,
      [&] {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start0).count());
      },
      pace ? static_cast<unsigned>(std::atoi(pace)) : 10u);
  hooks.messagesDue = [pacer] { return pacer->Due(); };
  hooks.processMessages = [&] {
    ++pumps;
    privatePeak = std::max(privatePeak, PrivateMemoryMB());
#ifdef _WIN32
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
#endif
  };
  double before = PeakMemoryMB();
  const double privateBefore = PrivateMemoryMB();
  auto start = Clock::now();
  create::SnapshotRequest req{"BENCH", root, 100 * 1024 * 1024, "", {}};
  // SCAN_BENCH_ARCHIVES=1: what archives and disc images hold is recorded
  // too (the create window's option).
  const char* archivesVar = std::getenv("SCAN_BENCH_ARCHIVES");
  const std::unique_ptr<archives::ArchiveLister> lister =
      archivesVar && std::atoi(archivesVar) ? archives::MakeArchiveLister() : nullptr;
  req.archives = lister.get();
  int64_t rows = 0;
  if (update) {
    create::TakeSnapshot(q, source, req, hooks, [&] { state = create::kScanRunning; });
    const double scanned = std::chrono::duration<double>(Clock::now() - start).count();
    const int changed = ChangeOnePercent(fs::u8path(treeArg));
    auto again = Clock::now();
    state = create::kScanIdle;
    create::UpdateResult r = create::UpdateSnapshot(q, source, req, hooks, [&] { state = create::kScanRunning; });
    const double updated = std::chrono::duration<double>(Clock::now() - again).count();
    std::printf("update (%d files changed): fresh scan %.2f s, update %.2f s = %.2f of the scan; %s\n", changed,
                scanned, updated, updated / scanned, create::ChangeSummary(r.counts).c_str());
    return 0;
  }
  if (store) {
    create::TakeSnapshot(q, source, req, hooks, [&] { state = create::kScanRunning; });
    q.Clear();
    q.Add("Select count(*) As n from CDFile");
    q.Open();
    rows = q.AsInteger("n");
    q.Close();
  } else {
    CountingSink sink;
    state = create::kScanRunning;
    create::ScanEngine(source, sink, hooks).Walk(root, req.label);
    rows = sink.rows;
  }
  double secs = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%s%s (%d readers, %zu folders read ahead): %lld rows in %.2f s = %.0f entries/s (%lld message calls); "
              "peak memory %.1f MB (%.1f MB before), private %.1f MB at most (%.1f MB before)\n",
              store ? "scan" : "walk", lister ? " with archives" : "", threads, prefetch.Hits(), static_cast<long long>(rows), secs, rows / secs,
              static_cast<long long>(pumps), PeakMemoryMB(), before, privatePeak, privateBefore);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "make") return MakeTree(fs::u8path(argv[2]), argc > 3 ? std::atoi(argv[3]) : 200000);
  std::string mode = argc >= 3 ? argv[1] : "";
  if (mode == "appends")
    return Appends(argv[2], argc > 3 ? argv[3] : (fs::temp_directory_path() / "vorlune-scan-bench").string());
  if (mode == "scan" || mode == "walk" || mode == "update")
    return Scan(argv[2], argc > 3 ? argv[3] : (fs::temp_directory_path() / "vorlune-scan-bench").string(),
                mode != "walk", mode == "update");
  std::fprintf(stderr, "usage: scan_bench make TREE | scan_bench scan|walk|update TREE [DIR]\n");
  return 2;
}
