// The form layer's handle owners: those shared with the skin engine (which
// sits below the form layer, hence their home in platform/) and the image
// list, which needs the common controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win_gdi.h"

namespace gdi {

inline void DestroyImageList(HIMAGELIST h) { ImageList_Destroy(h); }
using ImageList = Owner<HIMAGELIST, DestroyImageList>;

}  // namespace gdi
