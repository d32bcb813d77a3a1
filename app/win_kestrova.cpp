// Program entry: initialise, title, the seven windows in their order, the
// message loop until the main window closes. A second copy started on the
// same catalogue offers the first one's window instead (app/win_single_copy.h).
#include <windows.h>

#include "app/win_program.h"
#include "app/win_single_copy.h"
#include "ui/ui.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::App().Title = "Vorlune";
  app::SingleCopy copy(ui::App().ExeFolder() + "Kestrova");
  if (!copy.First()) {
    copy.OfferFirstCopy();
    return 0;
  }
  app::Program program;
  program.CreateWindows();
  copy.Publish(program.frmMain->Handle());
  ui::App().Run();
  program.Shutdown();
  return 0;
}
