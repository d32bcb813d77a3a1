// The create window's pictures: the drive pictures and button pictures
// embedded from the icon theme, and the scan animation drawn here.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/gdi.h"

namespace create {

inline constexpr int kAnimationFrameSize = 126;  // ImageList1
inline constexpr int kAnimationFrames = 3;
inline constexpr int kPictureBoxSize = 125;      // Image2

// A 32-bit picture with its alpha channel (premultiplied), for image lists;
// empty when the name is unknown.
gdi::Bitmap EmbeddedPictureWithAlpha(std::string_view name);
// The picture laid on a background colour; with `disabledTwin` a greyed copy
// follows it on the right (a picture button's second glyph).
gdi::Bitmap EmbeddedPictureOn(std::string_view name, COLORREF background, bool disabledTwin);

// Frame 0 to 2 of the scan animation: a disc turning under a magnifier.
gdi::Bitmap DrawAnimationFrame(int frame, COLORREF background);
// The picture shown before the first scan: a disc coming out of a drive.
gdi::Bitmap DrawIdlePicture(COLORREF background);

}  // namespace create
