#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "browse/win_print_view.h"
#include "ui/gdi.h"

using namespace browse;

namespace {

// Takes the page instead of a printer.
class PageRecorder : public PrintTarget {
 public:
  bool HasPrinter() override { return hasPrinter; }
  bool ChoosePrinter(HWND) override {
    ++dialogs;
    return choose;
  }
  void BeginJob() override { ++jobs; }
  void DrawPicture(HBITMAP picture, SIZE size, const RECT& d) override {
    pictureSize = size;
    dest = d;
    pixels = Pixels(picture, size);
  }
  void EndJob() override { ++ended; }

  static std::vector<DWORD> Pixels(HBITMAP bmp, SIZE size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> out(static_cast<size_t>(size.cx) * size.cy);
    GetDIBits(gdi::WindowDc().get(), bmp, 0, size.cy, out.data(), &bi, DIB_RGB_COLORS);
    for (DWORD& p : out) p &= 0xFFFFFF;
    return out;
  }

  bool hasPrinter = true, choose = true;
  int dialogs = 0, jobs = 0, ended = 0;
  SIZE pictureSize{};
  RECT dest{};
  std::vector<DWORD> pixels;
};

class PrintViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    frame = CreateWindowExW(0, L"STATIC", L"print", WS_POPUP | WS_VISIBLE, 40, 40, 420, 260, nullptr, nullptr,
                            nullptr, nullptr);
    list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 380, 220,
                           frame, nullptr, nullptr, nullptr);
    const wchar_t* heads[] = {L"名称", L"类别", L"位置"};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH;
      col.cx = 120;
      col.pszText = const_cast<wchar_t*>(heads[i]);
      SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    for (int i = 0; i < 30; ++i) {
      std::wstring name = L"文件" + std::to_wstring(i) + L".txt";
      LVITEMW it{};
      it.mask = LVIF_TEXT;
      it.iItem = i;
      it.pszText = name.data();
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
    }
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    UpdateWindow(frame);
    Pump();
  }
  void TearDown() override { DestroyWindow(frame); }
  static void Pump() {
    MSG m;
    for (int i = 0; i < 20; ++i) {
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      Sleep(10);
    }
  }
  std::vector<DWORD> Screen() {
    RECT r;
    GetWindowRect(list, &r);
    SIZE s{r.right - r.left, r.bottom - r.top};
    gdi::BitmapCanvas canvas(s.cx, s.cy);
    BitBlt(canvas.dc(), 0, 0, s.cx, s.cy, gdi::WindowDc().get(), r.left, r.top, SRCCOPY);
    return PageRecorder::Pixels(canvas.Take().get(), s);
  }

  HWND frame = nullptr, list = nullptr;
  PageRecorder printer;
};

}  // namespace

TEST_F(PrintViewTest, ThePageHoldsTheControlAsShownAtFourTimesItsSize) {
  PrintControl(frame, list, printer);
  ASSERT_EQ(printer.jobs, 1);
  EXPECT_EQ(printer.ended, 1);
  RECT r;
  GetWindowRect(list, &r);
  EXPECT_EQ(printer.pictureSize.cx, r.right - r.left);
  EXPECT_EQ(printer.pictureSize.cy, r.bottom - r.top);
  EXPECT_EQ(printer.dest.left, 0);
  EXPECT_EQ(printer.dest.top, 0);
  EXPECT_EQ(printer.dest.right, 4 * printer.pictureSize.cx);
  EXPECT_EQ(printer.dest.bottom, 4 * printer.pictureSize.cy);
  std::vector<DWORD> screen = Screen();
  ASSERT_EQ(screen.size(), printer.pixels.size());
  size_t differ = 0;
  for (size_t i = 0; i < screen.size(); ++i) differ += screen[i] != printer.pixels[i];
  EXPECT_EQ(differ, 0u) << "of " << screen.size() << " pixels";
}

TEST_F(PrintViewTest, NothingWithoutAPrinterOrWhenCancelled) {
  printer.hasPrinter = false;
  PrintControl(frame, list, printer);
  EXPECT_EQ(printer.dialogs, 0);
  EXPECT_EQ(printer.jobs, 0);
  printer.hasPrinter = true;
  printer.choose = false;
  PrintControl(frame, list, printer);
  EXPECT_EQ(printer.dialogs, 1);
  EXPECT_EQ(printer.jobs, 0);
}

TEST_F(PrintViewTest, TheSystemsPrintersDecideWhetherTheDialogOpens) {
  // The dialog is stood in for, so a machine with a printer (a PDF printer
  // set up by hand) runs this too: there the dialog opens and is cancelled.
  int opened = 0;
  ui::PrintDialog::Override = [&] {
    ++opened;
    return HDC{};
  };
  struct Restore {
    ~Restore() { ui::PrintDialog::Override = nullptr; }
  } restore;
  const bool installed = ui::PrintDialog::PrinterInstalled();
  ui::PrintDialog dialog(nullptr);
  DialogPrinter system(dialog);
  EXPECT_EQ(system.HasPrinter(), installed);
  EXPECT_NO_THROW(PrintControl(frame, list, system));
  EXPECT_EQ(opened, installed ? 1 : 0);
}
