// ImageList: pictures of one size (16 or 32 pixels for toolbars and kind
// icons), from bitmaps with a transparent colour or from icons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/component.h"
#include "ui/gdi.h"

namespace ui {

class ImageList : public Component {
 public:
  ImageList(Form* owner, int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;
  HIMAGELIST Handle() const { return list_.get(); }
  // Adds the bitmap's pictures (a strip of width multiples); the colour is
  // transparent. Returns the index of the first; the caller keeps the bitmap.
  int AddMasked(HBITMAP bitmap, COLORREF transparent);
  int AddIcon(HICON icon);
  void Clear();

 private:
  gdi::ImageList list_;
  int width_, height_;
};

}  // namespace ui
