// Start-up of the main window under Wine on a catalogue of 1,000 snapshots
// and 1,000,000 rows: from creating the windows to the filled snapshot
// list, and opening a folder of 49 files.
//   main_start_bench.exe [folder]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/win_program.h"
#include "bench/catalog_data.h"
#include "catalog/statements.h"
#include "ui/ui.h"

int wmain(int argc, wchar_t** argv) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::string folder = argc > 1 ? ui::Narrow(argv[1]) : ui::Narrow(tmp) + "vorlune-start-bench";
  if (folder.back() != '\\') folder += "\\";
  CreateDirectoryW(ui::Wide(folder).c_str(), nullptr);
  bench::BenchCatalog info = bench::MakeBenchCatalog(folder + "Kestrova", 1000, 1000000);
  std::printf("generated %zu snapshots, %lld rows\n", info.labels.size(), static_cast<long long>(info.rows));
  ui::App().SetExeFolder(folder);

  // The first start pays for reading the file into the system's cache; the
  // figures are those of the second, as a user's later starts.
  for (int round = 0; round < 2; ++round) {
    auto start = std::chrono::steady_clock::now();
    app::Program program;
    program.CreateWindows();
    program.frmMain->Show();
    ui::App().ProcessMessages();
    double startMs = bench::ElapsedMs(start);
    app::TfrmMain* m = program.frmMain;
    const int snapshots = m->ListView1->ItemCount();
    const std::string folderPath = catalog::SnapshotRoot(info.labels[500]) + "dir0003\\";
    double openMs = bench::MedianMs(5, [&] {
      m->CurrentPath = m->OpenFolder(folderPath, "");
      ui::App().ProcessMessages();
    });
    const int entries = m->ListView1->ItemCount();
    std::printf("round %d: start to filled list (%d snapshots): %.0f ms; open a folder of %d entries: %.1f ms\n",
                round + 1, snapshots, startMs, entries, openMs);
    m->Close();
    ui::App().ProcessMessages();
    program.Shutdown();
  }
  return 0;
}
