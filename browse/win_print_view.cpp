#include "browse/win_print_view.h"

#include <stdexcept>
#include <vector>

namespace browse {
namespace {

struct ChildCapture {
  HWND parent;
  HDC target;
  POINT origin;  // the parent window's top-left on screen
};

void DrawWindowInto(HWND window, HDC target, POINT at);

BOOL CALLBACK DrawChild(HWND child, LPARAM param) {
  auto* c = reinterpret_cast<ChildCapture*>(param);
  if (GetParent(child) != c->parent || !IsWindowVisible(child)) return TRUE;
  RECT r;
  GetWindowRect(child, &r);
  DrawWindowInto(child, c->target, POINT{r.left - c->origin.x, r.top - c->origin.y});
  return TRUE;
}

// Draws the window as the screen shows it: its frame and scroll bars as they
// are on screen, its client area as the control paints it (so that nothing
// covering it for a moment gets into the picture), then its child windows
// on top (a list view's own painting leaves out its header).
void DrawWindowInto(HWND window, HDC target, POINT at) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  BitBlt(target, at.x, at.y, w, h, gdi::WindowDc(window, gdi::WindowDc::kWholeWindow).get(), 0, 0, SRCCOPY);

  RECT c;
  GetClientRect(window, &c);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  if (c.right > 0 && c.bottom > 0) {
    gdi::MemoryDc dc(target);
    gdi::Bitmap bmp(CreateCompatibleBitmap(target, c.right, c.bottom));
    gdi::SelectGuard selectBmp(dc.get(), bmp.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    BitBlt(target, at.x + origin.x - r.left, at.y + origin.y - r.top, c.right, c.bottom, dc.get(), 0, 0, SRCCOPY);
  }
  ChildCapture cc{window, target, POINT{r.left - at.x, r.top - at.y}};
  EnumChildWindows(window, DrawChild, reinterpret_cast<LPARAM>(&cc));
}

}  // namespace

bool DialogPrinter::HasPrinter() { return ui::PrintDialog::PrinterInstalled(); }

bool DialogPrinter::ChoosePrinter(HWND) {
  dc_ = dialog_.Execute();
  return static_cast<bool>(dc_);
}

void DialogPrinter::BeginJob() {
  if (!dc_) throw std::runtime_error("未选择打印机");
  DOCINFOW di{};
  di.cbSize = sizeof di;
  di.lpszDocName = L"Vorlune";
  if (StartDocW(dc_.get(), &di) <= 0) Fail("无法开始打印作业");
  if (StartPage(dc_.get()) <= 0) {
    AbortDoc(dc_.get());
    Fail("无法开始打印页");
  }
}

void DialogPrinter::DrawPicture(HBITMAP picture, SIZE size, const RECT& dest) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size.cx;
  bi.bmiHeader.biHeight = -size.cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> bits(static_cast<size_t>(size.cx) * size.cy);
  GetDIBits(gdi::WindowDc().get(), picture, 0, size.cy, bits.data(), &bi, DIB_RGB_COLORS);
  // Printers take device-independent bits; not every driver can stretch
  // from a screen bitmap.
  StretchDIBits(dc_.get(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0, size.cx,
                size.cy, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

void DialogPrinter::EndJob() {
  bool ok = EndPage(dc_.get()) > 0;
  ok = EndDoc(dc_.get()) > 0 && ok;
  dc_ = ui::PrinterDc();
  if (!ok) throw std::runtime_error("打印作业未能完成");
}

void DialogPrinter::Fail(const char* what) {
  dc_ = ui::PrinterDc();
  throw std::runtime_error(what);
}

gdi::Bitmap CaptureWindow(HWND window, SIZE& size) {
  RECT r;
  GetWindowRect(window, &r);
  size = SIZE{r.right - r.left, r.bottom - r.top};
  gdi::BitmapCanvas canvas(size.cx, size.cy);
  DrawWindowInto(window, canvas.dc(), POINT{0, 0});
  return canvas.Take();
}

void PrintControl(HWND owner, HWND control, PrintTarget& printer) {
  if (!printer.HasPrinter()) return;
  if (!printer.ChoosePrinter(owner)) return;
  // The dialog has just closed over the list: let it repaint first.
  UpdateWindow(control);
  SIZE size;
  gdi::Bitmap picture = CaptureWindow(control, size);
  printer.BeginJob();
  const int k = kPrinterPixelsPerScreenPixel;
  printer.DrawPicture(picture.get(), size, RECT{0, 0, size.cx * k, size.cy * k});
  printer.EndJob();
}

}  // namespace browse
