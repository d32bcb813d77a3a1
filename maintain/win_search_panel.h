// The search panel's begin button on the main window: the portable search
// loop driving the list, the buttons and the status bar. The list holds its
// painting back while it fills and repaints each time the messages go
// through, a few milliseconds apart, so that a search of 100,000 hits takes
// seconds rather than minutes and the window answers all the while.
#pragma once

#include "shell/win_main_window.h"
#include "maintain/search.h"

namespace maintain {

// Milliseconds between two passes of the window messages during a search.
inline constexpr unsigned kSearchMessageIntervalMs = 15;

// `BtnBeginSearchClick`.
void BtnBeginSearchClick(shell::MainWindow& main, unsigned intervalMs = kSearchMessageIntervalMs);

}  // namespace maintain
