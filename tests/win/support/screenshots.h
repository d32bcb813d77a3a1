// Screenshots for the help pages, taken by a tool outside the program
// (docs/help/take_pictures.sh): a test writes NAME.rect (the rectangle on
// the screen) into the pictures folder and waits until the tool has written
// NAME.done.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// The folder named by VORLUNE_SHOTS, ending in a backslash; empty when unset.
std::string ShotsFolder();
// True when the window and every window inside it have nothing left to paint.
bool FullyPainted(HWND window);
// Waits until the window is painted, asks for a picture of it and waits for
// the picture; false when either did not come in time.
bool AwaitScreenshot(HWND window, const std::string& base);
// The same for a rectangle of the screen.
bool AwaitScreenshot(const RECT& screen, const std::string& base);

}  // namespace testsupport
