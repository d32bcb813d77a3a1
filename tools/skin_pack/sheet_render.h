// A sheet showing every element of a loaded skin the way the painters will
// use it: two windows (active and inactive) with caption, buttons and menu
// bar, then the controls, menus and raw strips.
#pragma once

#include "skin/model/skin_model.h"

namespace sheet {

skin::Bitmap RenderSheet(const skin::SkinModel& m);

}  // namespace sheet
