#include "ui/image_list.h"

namespace ui {

ImageList::ImageList(Form* owner, int width, int height)
    : Component(owner), width_(width), height_(height) {
  DeclareClass("TCustomImageList");
  DeclareClass("TImageList");
  list_.reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 16, 16));
}

int ImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

int ImageList::AddMasked(HBITMAP bitmap, COLORREF transparent) {
  return ImageList_AddMasked(list_.get(), bitmap, transparent);
}

int ImageList::AddIcon(HICON icon) { return ImageList_AddIcon(list_.get(), icon); }

void ImageList::Clear() { ImageList_RemoveAll(list_.get()); }

}  // namespace ui
