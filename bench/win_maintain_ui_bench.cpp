// Benchmark under Wine of the search, the tree view and column sorting in
// the real main window, on a generated catalogue of 1,000,000 rows in 50
// snapshots: from the click on "立即搜索" to the final status text, with the
// longest pause of the window's message handling meanwhile; opening a folder
// of 5,000 entries in the tree view; sorting 100,000 list items.
//   maintain_ui_bench [folder]   (the folder stands for the program's own)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/win_program.h"
#include "bench/catalog_data.h"
#include "catalog/statements.h"
#include "browse/win_sort_list.h"
#include "maintain/win_search_panel.h"
#include "maintain/win_snapshot_windows.h"
#include "ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

// The longest gap between two ticks of a 10 ms timer: how long the window
// went without handling its messages.
double g_lastTick = 0, g_longestGap = 0;
Clock::time_point g_start;

double NowMs() { return std::chrono::duration<double, std::milli>(Clock::now() - g_start).count(); }

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  double now = NowMs();
  if (g_lastTick > 0 && now - g_lastTick > g_longestGap) g_longestGap = now - g_lastTick;
  g_lastTick = now;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  g_start = Clock::now();
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::string folder = argc > 1 ? ui::Narrow(argv[1]) : ui::Narrow(tmp) + "vorlune-ui-bench";
  if (folder.back() != '\\') folder += "\\";
  CreateDirectoryW(ui::Wide(folder).c_str(), nullptr);
  auto t0 = Clock::now();
  bench::BenchCatalog info = bench::MakeBenchCatalog(folder + "Kestrova", 50, 1000000);
  std::printf("generated %lld rows in %.0f ms\n", static_cast<long long>(info.rows), bench::ElapsedMs(t0));
  const unsigned onlyInterval = argc > 2 ? static_cast<unsigned>(_wtoi(argv[2])) : ~0u;

  ui::App().SetExeFolder(folder);
  app::Program program;
  program.CreateWindows();
  app::TfrmMain* main = program.frmMain;
  main->Show();
  main->SetListStyle(app::ListViewStyle::Report);
  ui::App().ProcessMessages();

  // "mmap" as the third argument: the catalogue read through a memory map,
  // to show what the reads through the file layer cost.
  if (argc > 3 && std::wstring(argv[3]) == L"mmap") main->ADOCn.Execute("PRAGMA mmap_size=1073741824");
  for (const char* text : {"quokka", "report"}) {
    double queryMs = bench::MedianMs(3, [&] {
      catalog::OpenSearch(main->ADOQry, text, true, true);
      for (; !main->ADOQry.Eof(); main->ADOQry.Next()) {
      }
      main->ADOQry.Close();
    });
    std::printf("query alone \"%s\" on the main window's connection: %.0f ms\n", text, queryMs);
  }
  struct Run {
    const char* text;
    unsigned interval;
  };
  for (Run run : {Run{"quokka", 0}, Run{"quokka", maintain::kSearchMessageIntervalMs}, Run{"report", 50},
                  Run{"report", maintain::kSearchMessageIntervalMs}}) {
    if (onlyInterval != ~0u && run.interval != onlyInterval) continue;
    main->EdtSearch->SetText(run.text);
    g_lastTick = 0;
    g_longestGap = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    auto s = Clock::now();
    maintain::BtnBeginSearchClick(*main, run.interval);
    double ms = bench::ElapsedMs(s);
    KillTimer(nullptr, timer);
    std::printf("search \"%s\", messages every %u ms: %s in %.0f ms; longest pause of message handling %.0f ms\n",
                run.text, run.interval, main->StatusBar1->PanelText(1).c_str(), ms, g_longestGap);
  }

  // Click to a painted list: the search, then the paint it leaves.
  auto searchPainted = [&](const char* text) {
    main->EdtSearch->SetText(text);
    auto s = Clock::now();
    maintain::BtnBeginSearchClick(*main);
    const double status = bench::ElapsedMs(s);
    RedrawWindow(main->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::printf("search \"%s\", click to final status %.0f ms, to painted list: %s in %.0f ms\n", text, status,
                main->StatusBar1->PanelText(1).c_str(), bench::ElapsedMs(s));
  };
  searchPainted("report");
  searchPainted("quokka");  // right after the 99,950 hits
  searchPainted("quokka");  // right after 50 hits: what any search and its paint cost
  searchPainted("report");
  searchPainted("quokka");
  searchPainted("%");
  // Sorting the 1,000,000 hits in memory by size, both ways, with the paint.
  {
    maintain::SnapshotWindows sorter(*main);
    auto click = sorter.ColumnClick();
    for (int i = 0; i < 2; ++i) {
      auto s = Clock::now();
      click(main->ListView1->Column(3));
      RedrawWindow(main->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      std::printf("sort of %d hits by size, painted: %.0f ms\n", main->ListView1->ItemCount(), bench::ElapsedMs(s));
    }
  }
  searchPainted("quokka");  // right after the 1,000,000 hits

  // The tree view: a folder of 5,000 entries opened on its first expansion.
  maintain::SnapshotWindows windows(*main);
  browse::TfrmTreeview& tree = *windows.frmTreeview;
  tree.SnapshotLabel = info.labels[10];
  ui::App().Post([&] {
    ui::TreeNode* root = tree.TreeView1.Root(0);
    for (int i = 0; i < root->Count(); ++i) {
      if (root->Item(i)->Text() != "big") continue;
      auto s = Clock::now();
      root->Item(i)->Expand();
      UpdateWindow(tree.TreeView1.Handle());
      std::printf("tree: folder of %d entries opened in %.0f ms\n", root->Item(i)->Count(), bench::ElapsedMs(s));
    }
    tree.ModalResult = ui::mrCancel;
  });
  auto s = Clock::now();
  tree.ShowModal();
  std::printf("tree window shown and closed (first level of %s) in %.0f ms\n", info.labels[10].c_str(),
              bench::ElapsedMs(s));
  main->Close();
  ui::App().ProcessMessages();
  program.Shutdown();
  return 0;
}
