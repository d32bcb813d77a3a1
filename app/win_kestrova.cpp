// Program entry: initialise, title, the seven windows in their order, the
// message loop until the main window closes.
#include <windows.h>

#include "app/win_program.h"
#include "ui/ui.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::App().Title = "Vorlune";
  app::Program program;
  program.CreateWindows();
  ui::App().Run();
  program.Shutdown();
  return 0;
}
