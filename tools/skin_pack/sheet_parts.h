// Pieces the skin sheet is built from.
#pragma once

#include "skin/model/skin_model.h"

namespace sheet {

uint32_t Px(skin::TColor c);
// The element as a nine-slice with its own edges, tile and trans values.
void DrawElement(skin::Bitmap& to, skin::Rect r, const skin::TDataSkinObject* e, int frame, bool vertical = false);
void DrawWindow(skin::Bitmap& to, int x, int y, int w, int h, const skin::SkinModel& m, bool active, const char* title);

}  // namespace sheet
