// Benchmark under Wine of the statistics and the space map in the real
// program's windows, on a generated catalogue of one snapshot of 1,000,000
// rows (bench/catalog_data.h): the command to the painted window for each,
// a repaint of the map after a resize, and the answer to a hover (the
// status text, its entry read from the catalogue).
//   stats_ui_bench [folder]   (the folder stands for the program's own)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/win_program.h"
#include "bench/catalog_data.h"
#include "stats/win_space_map_window.h"
#include "stats/win_statistics_window.h"
#include "ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `command` (which shows `form` modally) and, inside its loop, paints
// the window whole, then `inside`, then closes it: the command to the
// painted window in ms.
double ShownAndPainted(ui::Form* form, const std::function<void()>& command, const std::function<void()>& inside) {
  double painted = 0;
  Clock::time_point start;
  ui::App().Post([&] {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    painted = bench::ElapsedMs(start);
    if (inside) inside();
    form->ModalResult = ui::mrCancel;
  });
  start = Clock::now();
  command();
  return painted;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::string folder = argc > 1 ? ui::Narrow(argv[1]) : ui::Narrow(tmp) + "vorlune-stats-bench";
  if (folder.back() != '\\') folder += "\\";
  CreateDirectoryW(ui::Wide(folder).c_str(), nullptr);
  auto t0 = Clock::now();
  bench::BenchCatalog info = bench::MakeBenchCatalog(folder + "Kestrova", 1, 1000000);
  std::printf("generated %lld rows in %.0f ms\n", static_cast<long long>(info.rows), bench::ElapsedMs(t0));

  ui::App().SetExeFolder(folder);
  app::Program program;
  program.CreateWindows();
  app::TfrmMain* main = program.frmMain;
  main->Show();
  ui::App().ProcessMessages();
  // The names read into memory first, as the main window does after start.
  main->ADOCn.Names().BringInStep(main->ADOCn);
  main->ListView1->SetSelected(nullptr);

  for (int run = 0; run < 3; ++run)
    std::printf("statistics of the whole catalogue, command to painted window: %.0f ms\n",
                ShownAndPainted(program.frmStatistics, main->Commands.statistics, {}));

  main->ListView1->SetSelected(main->ListView1->Item(0));
  auto* map = static_cast<stats::TfrmSpaceMap*>(program.frmSpaceMap);
  for (int run = 0; run < 2; ++run) {
    const double shown = ShownAndPainted(map, main->Commands.spaceMap, [&] {
      if (run > 0) return;
      // Resizes: each a new layout, its pixels and the paint.
      const int sizes[][2] = {{900, 640}, {1000, 700}, {800, 560}, {1100, 760}, {960, 680}};
      std::vector<double> repaints;
      for (const auto& s : sizes) {
        const auto start = Clock::now();
        map->SetClientSize(s[0], s[1]);
        UpdateWindow(map->PbMap.Handle());
        repaints.push_back(bench::ElapsedMs(start));
      }
      std::sort(repaints.begin(), repaints.end());
      std::printf("space map repaint after a resize: median %.0f ms, slowest %.0f ms (%zu rectangles placed)\n",
                  repaints[repaints.size() / 2], repaints.back(), map->Layout().rects.size());
      // Hovers over a grid of points: each a new node, its text read.
      RECT r;
      GetClientRect(map->PbMap.Handle(), &r);
      std::vector<double> hovers;
      for (int y = 5; y < r.bottom - 30; y += 23)
        for (int x = 3; x < r.right; x += 17) {
          const auto start = Clock::now();
          map->HoverAt(x, y);
          hovers.push_back(bench::ElapsedMs(start));
        }
      std::sort(hovers.begin(), hovers.end());
      std::printf("space map hover answer: median %.3f ms, 99th percentile %.3f ms, slowest %.3f ms (%zu points)\n",
                  hovers[hovers.size() / 2], hovers[hovers.size() * 99 / 100], hovers.back(), hovers.size());
    });
    std::printf("space map of %s (%zu nodes), command to painted window: %.0f ms\n", map->SnapshotLabel.c_str(),
                map->Tree().Size(), shown);
  }
  program.Shutdown();
  return 0;
}
