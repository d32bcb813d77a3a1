// "打印" and "保存为 PNG" of the statistics and the space map: the picture
// a paint box shows, printed through the program's print path or written
// as a PNG file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/more_controls.h"

namespace stats {

// The pixels of a bitmap, top row first, 0xAARRGGBB.
std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height);

// Asks for a file name (default `name`.png) and writes the box's picture;
// says so when done or when the file cannot be written. True when written.
bool SavePictureAsPng(ui::Form& owner, ui::SaveDialog& dialog, ui::PaintBox& box, const std::string& name,
                      bool oldStyleDialog);
// Writes the box's picture to `path` (no dialog): false with `error` set.
bool WritePicturePng(ui::PaintBox& box, const std::string& path, std::string& error);

void PrintPicture(ui::Form& owner, ui::PrintDialog& dialog, ui::PaintBox& box);

}  // namespace stats
