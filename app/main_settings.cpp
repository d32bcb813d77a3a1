#include "app/main_settings.h"

#include <string>

namespace app {

ListViewStyle ListViewStyleFromIni(int32_t value) {
  switch (value) {
    case 1: return ListViewStyle::Report;
    case 2: return ListViewStyle::List;
    case 3: return ListViewStyle::Icon;
    default: return ListViewStyle::SmallIcon;
  }
}

int32_t ListViewStyleToIni(ListViewStyle style) {
  switch (style) {
    case ListViewStyle::Report: return 1;
    case ListViewStyle::List: return 2;
    case ListViewStyle::Icon: return 3;
    case ListViewStyle::SmallIcon: break;
  }
  return 4;
}

MainSettings ReadMainSettings(const ini::IniFile& file) {
  MainSettings s;
  s.listStyle = ListViewStyleFromIni(file.ReadInteger("ListView", "Style", 0));
  s.skinIndex = file.ReadInteger("WinStyle", "Style", 0);
  s.searchShown = file.ReadBool("Search", "show", true);
  s.showCaption = file.ReadBool("Toolbar", "showCaption", false);
  s.instantSearch = file.ReadBool("Search", "instant", false);
  s.moreConditions = file.ReadBool("Search", "more", false);
  for (size_t i = 1; i <= kSearchHistoryLength; ++i) {
    const std::string t = file.ReadString("SearchHistory", "text" + std::to_string(i), "");
    if (!t.empty()) s.searchHistory.push_back(t);
  }
  return s;
}

void WriteMainSettings(ini::IniFile& file, const MainSettings& s, bool skinActive) {
  file.WriteInteger("ListView", "Style", ListViewStyleToIni(s.listStyle));
  file.WriteBool("search", "show", s.searchShown);
  file.WriteBool("search", "instant", s.instantSearch);
  file.WriteBool("search", "more", s.moreConditions);
  for (size_t i = 1; i <= kSearchHistoryLength; ++i) {
    const std::string key = "text" + std::to_string(i);
    if (i <= s.searchHistory.size()) file.WriteString("SearchHistory", key, s.searchHistory[i - 1]);
    else file.WriteString("SearchHistory", key, "");
  }
  file.WriteBool("Toolbar", "showCaption", s.showCaption);
  file.WriteInteger("WinStyle", "Style", skinActive ? s.skinIndex : 99);
}

std::vector<std::string> WithSearchText(std::vector<std::string> history, const std::string& text) {
  if (text.find_first_not_of(" \t") == std::string::npos) return history;
  std::erase(history, text);
  history.insert(history.begin(), text);
  if (history.size() > kSearchHistoryLength) history.resize(kSearchHistoryLength);
  return history;
}

bool OsNewerThan50(uint32_t major, uint32_t minor) {
  return std::to_string(major) + "." + std::to_string(minor) > std::string("5.0");
}

}  // namespace app
