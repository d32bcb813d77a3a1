// Paint time of the main window under Wine, plain and in each of the
// program's skins: the whole window (frame, tool bar, the list in details
// view with its header and scroll bars, the status bar) invalidated and
// painted at once, median of repeated runs.
//   skin_paint_bench.exe [folder]
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/win_program.h"
#include "bench/catalog_data.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_manage.h"
#include "ui/ui.h"

namespace {

// Pumps until the condition holds or about ms pass.
template <class Cond>
bool Wait(Cond cond, int ms) {
  const DWORD end = GetTickCount() + ms;
  while (!cond()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    ui::App().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::string folder = argc > 1 ? ui::Narrow(argv[1]) : ui::Narrow(tmp) + "vorlune-skin-paint-bench";
  if (folder.back() != '\\') folder += "\\";
  CreateDirectoryW(ui::Wide(folder).c_str(), nullptr);
  bench::MakeBenchCatalog(folder + "Kestrova", 200, 20000);
  ui::App().SetExeFolder(folder);
  skin::TSkinManage::InstallFactory();  // as the program's entry does

  app::Program program;
  program.CreateWindows();
  app::TfrmMain* m = program.frmMain;
  m->Show();
  SetForegroundWindow(m->Handle());
  ui::App().ProcessMessages();
  m->SetListStyle(app::ListViewStyle::Report);
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  HWND h = m->Handle();
  auto paint = [&] {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
  };
  auto settled = [&](bool skinned) {
    return Wait(
        [&] {
          skin::TWinSkinForm* f = manager->FrameOf(h);
          return manager->PendingRequest() == 0 && (skinned ? f && f->SetupState() == 1 : f == nullptr);
        },
        5000);
  };
  constexpr int kRuns = 41;

  m->SkinData1.SetActive(false);
  if (!settled(false)) std::printf("the plain look did not come\n");
  paint();
  const double plain = bench::MedianMs(kRuns, paint);
  std::printf("plain: %.2f ms\n", plain);
  for (int skin = 0; skin < 4; ++skin) {
    m->ActivateSkin(skin);
    if (!settled(true)) {
      std::printf("skin %d: not applied\n", skin);
      continue;
    }
    paint();
    const double skinned = bench::MedianMs(kRuns, paint);
    std::printf("skin %d (%s): %.2f ms, %.2fx plain\n", skin, m->SkinData1.Model().skinName.c_str(), skinned,
                skinned / plain);
  }
  // The share of the control skinners: the first skin again with the frame,
  // menus and buttons only (no scroll bars, list header or status bar).
  m->SkinData1.SetActive(false);
  settled(false);
  m->SkinData1.SkinControls &= ~(skin::SkinBit(skin::xcScrollbar) | skin::SkinBit(skin::xcStatusBar));
  m->ActivateSkin(0);
  if (settled(true)) {
    paint();
    const double frameOnly = bench::MedianMs(kRuns, paint);
    std::printf("skin 0 without scroll bars, header and status bar: %.2f ms, %.2fx plain\n", frameOnly,
                frameOnly / plain);
  }
  m->SkinData1.SetActive(false);
  settled(false);
  m->Close();
  ui::App().ProcessMessages();
  program.Shutdown();
  return 0;
}
