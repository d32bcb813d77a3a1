// TfrmAbout: the About box, and the help command that opens Kestrova.chm.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/form.h"
#include "ui/std_controls.h"

namespace maintain {

inline constexpr const char* kContactAddress = "support@vorlune.example";

// The shell's "open" on a document or link; replaceable so that tests can
// watch what is opened. The result is not examined.
extern std::function<void(HWND owner, const std::string& target)> ShellOpen;

class TfrmAbout : public ui::Form {
 public:
  TfrmAbout();
  // Hooks (the skin's frame) see the window while its controls are whole.
  ~TfrmAbout() override { AnnounceDestroying(); }

  ui::Panel PnlAbout{this};
  ui::Image Image3{&PnlAbout};
  ui::Label lblVersion{&PnlAbout};
  ui::Image Image5{&PnlAbout};
  ui::Label Label2{&PnlAbout};
  ui::Button BtnHelp{&PnlAbout, "确定"};

  void FormCreate();
  void Label2Click();
  // The mailto link the contact label opens.
  static std::string ContactLink();
};

// `TBtnHelpClick`: opens the application's help file with the shell.
void TBtnHelpClick(ui::Form* owner);
// `A1Click`: shows the About box.
void A1Click(TfrmAbout& about);

}  // namespace maintain
