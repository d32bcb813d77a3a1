// Messages the skin engine shows the user. Portable code cannot open a
// message box itself: the program installs a sink that shows them, tests
// install one that records them. Without a sink they are dropped.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace skin {

inline constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

using MessageSink = std::function<void(std::string_view text)>;

// Returns the sink that was installed before.
MessageSink SetMessageSink(MessageSink sink);
void ShowMessage(std::string_view text);

// The text shown for a skin refused as damaged; `reason` says what was wrong.
std::string DamagedSkinMessage(std::string_view reason);

}  // namespace skin
