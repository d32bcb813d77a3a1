#include "maintain/win_unit_about.h"

#include <shellapi.h>

#include <cstdio>

#include "ui/application.h"
#include "ui/gdi.h"
#include "ui/wide.h"
#include "vorlune_version.h"

namespace maintain {
namespace {

void OpenWithShell(HWND owner, const std::string& target) {
  ShellExecuteW(owner, L"open", ui::Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Percent-encodes the UTF-8 bytes that a link may not hold as they are.
std::string UrlEncode(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", c);
      out += buf;
    }
  }
  return out;
}

gdi::Font MakeFont(int height, int weight, const wchar_t* face) {
  return gdi::Font(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face));
}

// The banner: a deep blue gradient, a stack of disks, the program's name and
// the copyright line of the version information.
gdi::Bitmap DrawBanner(int w, int h) {
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  for (int y = 0; y < h; ++y) {
    int t = y * 255 / (h - 1);
    RECT line{0, y, w, y + 1};
    FillRect(dc, &line, gdi::Brush(CreateSolidBrush(RGB(20 + t / 8, 50 + t / 5, 120 + t / 3))).get());
  }
  // Three disks, each a silver ring around a hole.
  for (int i = 0; i < 3; ++i) {
    int cx = 52 + i * 10, cy = 52 - i * 4, r = 34;
    gdi::Brush face(CreateSolidBrush(RGB(205 - i * 15, 215 - i * 10, 230)));
    gdi::Brush hole(CreateSolidBrush(RGB(40, 70, 140)));
    gdi::Pen edge(CreatePen(PS_SOLID, 1, RGB(90, 110, 150)));
    gdi::SelectGuard selectEdge(dc, edge.get());
    {
      gdi::SelectGuard selectFace(dc, face.get());
      Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
    }
    gdi::SelectGuard selectHole(dc, hole.get());
    Ellipse(dc, cx - 8, cy - 8, cx + 8, cy + 8);
  }
  SetBkMode(dc, TRANSPARENT);
  gdi::Font big = MakeFont(34, FW_BOLD, L"Arial");
  gdi::Font small = MakeFont(14, FW_NORMAL, L"");
  {
    gdi::SelectGuard selectBig(dc, big.get());
    SetTextColor(dc, RGB(255, 255, 255));
    RECT title{120, 18, w - 8, 60};
    DrawTextW(dc, L"Vorlune", -1, &title, DT_LEFT | DT_SINGLELINE);
  }
  gdi::SelectGuard selectSmall(dc, small.get());
  SetTextColor(dc, RGB(210, 225, 255));
  RECT sub{122, 64, w - 8, 90};
  DrawTextW(dc, L"光盘与磁盘编目", -1, &sub, DT_LEFT | DT_SINGLELINE);
  gdi::Font tiny = MakeFont(11, FW_NORMAL, L"");
  {
    gdi::SelectGuard selectTiny(dc, tiny.get());
    RECT copyright{122, 88, w - 6, h - 2};
    DrawTextW(dc, ui::Wide(VORLUNE_COPYRIGHT).c_str(), -1, &copyright, DT_LEFT | DT_SINGLELINE);
  }
  return canvas.Take();
}

// The small mark before the contact address: an envelope.
gdi::Bitmap DrawMark(int w, int h) {
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  RECT all{0, 0, w, h};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  gdi::Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 160)));
  gdi::Brush paper(CreateSolidBrush(RGB(255, 255, 255)));
  gdi::SelectGuard selectPen(dc, pen.get()), selectPaper(dc, paper.get());
  int left = (w - 16) / 2;
  Rectangle(dc, left, 0, left + 16, h);
  MoveToEx(dc, left, 0, nullptr);
  LineTo(dc, left + 8, h / 2 + 1);
  LineTo(dc, left + 16, -1);
  return canvas.Take();
}

}  // namespace

std::function<void(HWND, const std::string&)> ShellOpen = OpenWithShell;

TfrmAbout::TfrmAbout() : ui::Form("TfrmAbout", ui::bsDialog) {
  position = ui::poMainFormCenter;
  SetClientSize(337, 196);
  PnlAbout.SetBounds(4, 4, 329, 188);
  PnlAbout.BevelOuter = ui::bvLowered;
  Image3.SetBounds(4, 4, 321, 105);
  Image3.SetPicture(DrawBanner(321, 105));
  lblVersion.SetText("Vorlune 光盘与磁盘编目  版本 ");
  lblVersion.SetBounds(12, 120, 300, 16);
  Image5.SetBounds(12, 151, 30, 11);
  Image5.SetPicture(DrawMark(30, 11));
  ui::Font link;
  link.color = ui::clBlue;
  link.underline = true;
  Label2.SetFont(link);
  Label2.SetText(kContactAddress);
  Label2.AutoSize();
  Label2.SetBounds(46, 148, Label2.Width(), Label2.Height());
  Label2.SetCursor(IDC_HAND);
  Label2.OnClick = [this] { Label2Click(); };
  BtnHelp.SetBounds(244, 153, 75, 25);
  BtnHelp.Cancel = true;
  BtnHelp.SetDefault(true);
  BtnHelp.ModalResult = ui::mrCancel;
  FormCreate();
}

void TfrmAbout::FormCreate() {
  SetCaption("关于 - " + ui::App().Title);
  lblVersion.SetText(lblVersion.Text() + VORLUNE_VERSION);
}

std::string TfrmAbout::ContactLink() {
  return std::string("mailto:") + kContactAddress + "?subject=" + UrlEncode("关于" + ui::App().Title);
}

void TfrmAbout::Label2Click() { ShellOpen(Handle(), ContactLink()); }

void TBtnHelpClick(ui::Form* owner) { ShellOpen(owner ? owner->Handle() : nullptr, ui::App().HelpFile); }

void A1Click(TfrmAbout& about) { about.ShowModal(); }

}  // namespace maintain
