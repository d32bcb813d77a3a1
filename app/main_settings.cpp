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
  return s;
}

void WriteMainSettings(ini::IniFile& file, const MainSettings& s, bool skinActive) {
  file.WriteInteger("ListView", "Style", ListViewStyleToIni(s.listStyle));
  file.WriteBool("search", "show", s.searchShown);
  file.WriteBool("search", "instant", s.instantSearch);
  file.WriteBool("Toolbar", "showCaption", s.showCaption);
  file.WriteInteger("WinStyle", "Style", skinActive ? s.skinIndex : 99);
}

bool OsNewerThan50(uint32_t major, uint32_t minor) {
  return std::to_string(major) + "." + std::to_string(minor) > std::string("5.0");
}

}  // namespace app
