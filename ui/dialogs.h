// The system's save-file dialog and print dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/component.h"
#include "ui/gdi.h"

namespace ui {

class SaveDialog : public Component {
 public:
  explicit SaveDialog(Form* owner);
  std::string Title;
  std::string FileName;
  // "Text files (*.txt)|*.txt|Web pages (*.htm)|*.htm": caption|pattern pairs.
  std::string Filter;
  int FilterIndex = 1;  // 1-based, updated to the user's choice
  std::string DefaultExt;  // without the dot
  bool OverwritePrompt = true;
  bool OldStyle = false;  // the dialog without the Explorer look
  // Shows the dialog owned by the owner form; true when a name was chosen
  // (then FileName and FilterIndex hold the choice).
  bool Execute();
};

// A printer device context that the caller owns (deleted with the object).
using PrinterDc = gdi::Dc;

class PrintDialog : public Component {
 public:
  explicit PrintDialog(Form* owner);
  // Shows the dialog; an empty PrinterDc when cancelled or no printer.
  PrinterDc Execute();
  // Whether the system has a printer installed.
  static bool PrinterInstalled();
  // Tests replace the dialog: the function's result is returned instead.
  static std::function<HDC()> Override;
};

}  // namespace ui
