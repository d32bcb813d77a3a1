// Program entry: initialise, title, the seven windows in their order, the
// message loop until the main window closes. A second copy started on the
// same catalogue offers the first one's window instead (app/win_single_copy.h).
#include <windows.h>

#include "app/win_program.h"
#include "app/win_single_copy.h"
#include "skin/archive/skin_messages.h"
#include "skin/win/win_skin_manage.h"
#include "ui/ui.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::App().Title = "Vorlune";
  // What the skin engine has to say is shown in the program's boxes, and
  // the first skin component brings up the skin manager.
  skin::SetMessageSink([](std::string_view text) { ui::ShowMessageBox(nullptr, text, MB_OK | MB_ICONINFORMATION); });
  skin::TSkinManage::InstallFactory();
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
