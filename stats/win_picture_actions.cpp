#include "stats/win_picture_actions.h"

#include <exception>

#include "browse/win_print_view.h"
#include "platform/file_io.h"
#include "stats/png_file.h"
#include "ui/application.h"

namespace stats {

std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height) {
  BITMAP b{};
  width = height = 0;
  if (!GetObjectW(bitmap, sizeof b, &b) || b.bmWidth <= 0 || b.bmHeight <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = b.bmWidth;
  info.bmiHeader.biHeight = -b.bmHeight;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(b.bmWidth) * b.bmHeight);
  gdi::WindowDc screen(nullptr);
  if (!GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(b.bmHeight), pixels.data(), &info, DIB_RGB_COLORS))
    return {};
  width = b.bmWidth;
  height = b.bmHeight;
  return pixels;
}

bool WritePicturePng(ui::PaintBox& box, const std::string& path, std::string& error) {
  int w = 0, h = 0;
  gdi::Bitmap picture = box.Picture();
  const std::vector<uint32_t> pixels = BitmapPixels(picture.get(), w, h);
  const std::string png = EncodePng(pixels.data(), w, h);
  if (png.empty()) {
    error = "无法生成图片";
    return false;
  }
  try {
    fileio::WriteFileAtomic(path, png);
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  return true;
}

bool SavePictureAsPng(ui::Form& owner, ui::SaveDialog& dialog, ui::PaintBox& box, const std::string& name,
                      bool oldStyleDialog) {
  dialog.OldStyle = oldStyleDialog;
  dialog.Title = "保存为 PNG 图片";
  dialog.FileName = name;
  dialog.Filter = "PNG 图片 (*.png)|*.png";
  dialog.FilterIndex = 1;
  dialog.DefaultExt = "png";
  dialog.OverwritePrompt = true;
  if (!dialog.Execute()) return false;
  std::string error;
  if (!WritePicturePng(box, dialog.FileName, error)) {
    ui::ShowMessageBox(&owner, "无法保存图片：" + error, MB_OK | MB_ICONERROR);
    return false;
  }
  ui::ShowMessageBox(&owner, "图片已保存。", MB_OK | MB_ICONINFORMATION);
  return true;
}

void PrintPicture(ui::Form& owner, ui::PrintDialog& dialog, ui::PaintBox& box) {
  browse::DialogPrinter printer(dialog);
  browse::PrintControl(owner.Handle(), box.Handle(), printer);
}

}  // namespace stats
