#include "ui/dialogs.h"

#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "ui/form.h"
#include "ui/wide.h"

namespace ui {

static HWND OwnerWindow(Form* f) { return f && IsWindowVisible(f->Handle()) ? f->Handle() : GetActiveWindow(); }

SaveDialog::SaveDialog(Form* owner) : Component(owner) {
  DeclareClass("TCommonDialog");
  DeclareClass("TOpenDialog");
  DeclareClass("TSaveDialog");
}

bool SaveDialog::Execute() {
  // The filter as pairs separated by NULs, ending in two NULs.
  std::wstring filter = Wide(Filter);
  for (auto& ch : filter)
    if (ch == L'|') ch = L'\0';
  filter.append(2, L'\0');
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring initial = Wide(FileName);
  initial.copy(file.data(), std::min(initial.size(), file.size() - 1));
  std::wstring title = Wide(Title), ext = Wide(DefaultExt);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = OwnerWindow(Owner());
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = FilterIndex;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = Title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (OverwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
              (OldStyle ? 0 : OFN_EXPLORER);
  if (!GetSaveFileNameW(&ofn)) return false;
  FileName = Narrow(file.data());
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

std::function<HDC()> PrintDialog::Override;

PrintDialog::PrintDialog(Form* owner) : Component(owner) {
  DeclareClass("TCommonDialog");
  DeclareClass("TPrintDialog");
}

PrinterDc PrintDialog::Execute() {
  if (Override) return PrinterDc(Override());
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = OwnerWindow(Owner());
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!PrintDlgW(&pd)) return PrinterDc();
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return PrinterDc(pd.hDC);
}

bool PrintDialog::PrinterInstalled() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return false;
  std::vector<BYTE> buf(needed);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buf.data(), needed, &needed, &count))
    return false;
  return count > 0;
}

}  // namespace ui
