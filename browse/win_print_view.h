// Printing the main list as it looks on screen: a picture of the control,
// drawn at 4 printer pixels per screen pixel at the top-left of one page.
// The printer sits behind a small seam, so that a test can take the page.
#pragma once

#include <windows.h>

#include "ui/dialogs.h"
#include "ui/gdi.h"

namespace browse {

class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // Whether the system has any printer installed.
  virtual bool HasPrinter() = 0;
  // The print dialog; false when the user cancels it.
  virtual bool ChoosePrinter(HWND owner) = 0;
  // One print job of one page on the chosen printer.
  virtual void BeginJob() = 0;
  // Draws the picture stretched into `dest` (printer pixels).
  virtual void DrawPicture(HBITMAP picture, SIZE pictureSize, const RECT& dest) = 0;
  virtual void EndJob() = 0;
};

// The system's printers through the main window's print dialog.
class DialogPrinter : public PrintTarget {
 public:
  explicit DialogPrinter(ui::PrintDialog& dialog) : dialog_(dialog) {}
  bool HasPrinter() override;
  bool ChoosePrinter(HWND owner) override;
  void BeginJob() override;
  void DrawPicture(HBITMAP picture, SIZE pictureSize, const RECT& dest) override;
  void EndJob() override;

 private:
  [[noreturn]] void Fail(const char* what);
  ui::PrintDialog& dialog_;
  ui::PrinterDc dc_;
};

// A picture of the window and its child windows as they show on screen, as
// wide and as high as the window.
gdi::Bitmap CaptureWindow(HWND window, SIZE& size);

// `BtnPrintClick`. Printer errors throw std::runtime_error.
void PrintControl(HWND owner, HWND control, PrintTarget& printer);

inline constexpr int kPrinterPixelsPerScreenPixel = 4;

}  // namespace browse
