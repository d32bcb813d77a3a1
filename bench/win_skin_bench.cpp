// The skin engine in the program's windows, under Wine: how long a skin
// choice takes to show (the 250 ms request delay included), how long the
// frame of the main window and of a dialog takes to paint, and whether 100
// switches among the skins and the plain look leave handles behind.
//   skin_bench.exe [folder]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/win_program.h"
#include "bench/catalog_data.h"
#include "platform/win_gdi.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_manage.h"
#include "ui/ui.h"

namespace {

skin::TSkinManage& Manager() { return *skin::TSkinManage::Instance(); }

// Pumps until the condition holds (at most 5 s).
template <class F>
void PumpUntil(F done) {
  auto start = std::chrono::steady_clock::now();
  while (!done() && bench::ElapsedMs(start) < 5000) {
    ui::App().ProcessMessages();
    Sleep(1);
  }
}

void Choose(app::TfrmMain& m, int look) {
  if (look < 4) m.SkinItemClick(look);
  else m.mnuInterfWindowsClick();
}

// Whether the main window shows the look now.
bool Shows(app::TfrmMain& m, int look) {
  skin::TWinSkinForm* f = Manager().FrameOf(m.Handle());
  if (look == 4) return f == nullptr && Manager().PendingRequest() == 0;
  return f && f->SetupState() == 1 && Manager().PendingRequest() == 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double NcPaintMs(HWND window) {
  return bench::MedianMs(200, [&] { SendMessageW(window, WM_NCPAINT, 1, 0); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  skin::TSkinManage::InstallFactory();
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::string folder = argc > 1 ? ui::Narrow(argv[1]) : ui::Narrow(tmp) + "vorlune-skin-bench";
  if (folder.back() != '\\') folder += "\\";
  CreateDirectoryW(ui::Wide(folder).c_str(), nullptr);
  bench::MakeBenchCatalog(folder + "Kestrova", 20, 20000);
  ui::App().SetExeFolder(folder);

  app::Program program;
  program.CreateWindows();  // all seven windows
  app::TfrmMain& m = *program.frmMain;
  m.Show();
  SetForegroundWindow(m.Handle());
  PumpUntil([&] { return Manager().Started() && Shows(m, 0); });

  // A choice from the skin menu until the main window shows it.
  std::vector<double> switches;
  for (int round = 0; round < 3; ++round) {
    for (int look : {1, 2, 3, 4, 0}) {
      auto start = std::chrono::steady_clock::now();
      Choose(m, look);
      PumpUntil([&] { return Shows(m, look); });
      UpdateWindow(m.Handle());
      switches.push_back(bench::ElapsedMs(start));
      std::printf("  look %d: %.0f ms\n", look, switches.back());
    }
  }
  std::printf("skin choice to the look shown (250 ms delay included): median %.0f ms, longest %.0f ms (%zu choices)\n",
              Median(switches), *std::max_element(switches.begin(), switches.end()), switches.size());

  // The part of a choice spent unpacking the stored skin.
  for (int look : {0, 1, 2, 3}) {
    double ms = bench::MedianMs(5, [&] { m.SkinData1.LoadFromStore(m.SkinStore1, look); });
    PumpUntil([&] { return Manager().PendingRequest() == 0; });
    m.SkinData1.LoadFromStore(m.SkinStore1, (look + 1) % 4);
    auto start = std::chrono::steady_clock::now();
    Manager().RunPendingRequest();
    UpdateWindow(m.Handle());
    std::printf("unpacking skin %d: %.1f ms; applying a new skin to the seven windows: %.1f ms\n", look, ms,
                bench::ElapsedMs(start));
  }

  // Frame painting: the main window and the About box, skinned and plain.
  program.frmAbout->Show();
  for (int look : {0, 1, 2, 3, 4}) {
    Choose(m, look);
    PumpUntil([&] { return Shows(m, look) && (look == 4 || Manager().FrameOf(program.frmAbout->Handle())); });
    ui::App().ProcessMessages();
    std::printf("look %d: WM_NCPAINT median, main window %.3f ms, About box %.3f ms\n", look, NcPaintMs(m.Handle()),
                NcPaintMs(program.frmAbout->Handle()));
  }
  program.frmAbout->Hide();

  // 100 switches: the handles the engine holds, and what the system counts.
  Choose(m, 0);
  PumpUntil([&] { return Shows(m, 0); });
  const long gdiBefore = gdi::LiveGdiObjects(), userBefore = gdi::LiveUserObjects();
  const DWORD sysGdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD sysUserBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 100; ++i) {
    int look = (i + 1) % 5;
    Choose(m, look);
    PumpUntil([&] { return Shows(m, look); });
  }
  PumpUntil([&] { return Shows(m, 0); });
  std::printf("100 switches: engine GDI %ld -> %ld, USER %ld -> %ld; system GDI %lu -> %lu, USER %lu -> %lu\n",
              gdiBefore, gdi::LiveGdiObjects(), userBefore, gdi::LiveUserObjects(), sysGdiBefore,
              GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), sysUserBefore,
              GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));

  m.Close();
  ui::App().ProcessMessages();
  program.Shutdown();
  return 0;
}
