// Command ids: one allocator for every menu item and toolbar button of the
// process, and the table that routes a WM_COMMAND id to its handler.
#pragma once

#include <functional>

namespace ui {

// The ranges of command ids. Menu items and toolbar buttons draw their ids
// from kFirstDynamic on; ids below it are kept for fixed commands.
enum CommandId : unsigned {
  kCmdNone = 0,
  kFirstDynamic = 0x1000,
  kLastDynamic = 0xEFFF,
};

unsigned AllocateCommand(std::function<void()> handler);
void ReleaseCommand(unsigned id);
// Runs the handler of id; false when no handler has that id.
bool RunCommand(unsigned id);

}  // namespace ui
