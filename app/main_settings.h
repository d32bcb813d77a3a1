// The main window's view choices as Kestrova.ini keeps them from one run to
// the next. Read once at start-up and written once at close.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ini.h"

namespace app {

enum class ListViewStyle { Icon, SmallIcon, List, Report };

struct MainSettings {
  ListViewStyle listStyle = ListViewStyle::SmallIcon;
  int32_t skinIndex = 0;      // 0..3 a stored skin, 4 or more the plain look
  bool searchShown = true;    // the search button down and the panel shown
  bool showCaption = false;   // toolbar captions with 16-pixel pictures
  bool instantSearch = false;  // search again shortly after typing stops
  bool moreConditions = false;  // "更多条件" unfolded
  std::vector<std::string> searchHistory;  // the last texts searched for, the latest first
};

inline constexpr size_t kSearchHistoryLength = 20;
// The history with `text` put first, once, at most kSearchHistoryLength long;
// blank texts are not kept.
std::vector<std::string> WithSearchText(std::vector<std::string> history, const std::string& text);

// "ListView"/"Style": 1 details, 2 list, 3 large icons, anything else small.
ListViewStyle ListViewStyleFromIni(int32_t value);
// Written back as details 1, list 2, large icons 3, small icons 4.
int32_t ListViewStyleToIni(ListViewStyle style);

MainSettings ReadMainSettings(const ini::IniFile& file);
// skinActive false writes 99 for the plain look.
void WriteMainSettings(ini::IniFile& file, const MainSettings& settings, bool skinActive);

// The Windows version "major.minor" compared as text with "5.0": 5.1 and 6.0
// are newer, 5.0 and 4.10 are not.
bool OsNewerThan50(uint32_t major, uint32_t minor);

}  // namespace app
