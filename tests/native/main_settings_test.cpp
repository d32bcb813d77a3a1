#include <gtest/gtest.h>

#include "app/main_settings.h"

using namespace app;

TEST(MainSettings, MissingFileGivesTheDefaults) {
  MainSettings s = ReadMainSettings(ini::IniFile::FromText(""));
  EXPECT_EQ(s.listStyle, ListViewStyle::SmallIcon);
  EXPECT_EQ(s.skinIndex, 0);
  EXPECT_TRUE(s.searchShown);
  EXPECT_FALSE(s.showCaption);
  EXPECT_FALSE(s.instantSearch);
}

TEST(MainSettings, ListViewStyleReadsBackAsWritten) {
  for (int v : {0, 4, 7, -1}) EXPECT_EQ(ListViewStyleFromIni(v), ListViewStyle::SmallIcon) << v;
  for (auto st : {ListViewStyle::Icon, ListViewStyle::SmallIcon, ListViewStyle::List, ListViewStyle::Report})
    EXPECT_EQ(ListViewStyleFromIni(ListViewStyleToIni(st)), st);
  EXPECT_EQ(ListViewStyleToIni(ListViewStyle::Icon), 3);
  EXPECT_EQ(ListViewStyleToIni(ListViewStyle::SmallIcon), 4);
}

TEST(MainSettings, WrittenFileUsesLowerCaseSearchSectionAndReadsBack) {
  ini::IniFile f;
  MainSettings s;
  s.listStyle = ListViewStyle::Icon;
  s.skinIndex = 3;
  s.searchShown = false;
  s.showCaption = true;
  s.instantSearch = true;
  WriteMainSettings(f, s, true);
  std::string text = f.ToText();
  EXPECT_NE(text.find("[search]\r\nshow=0\r\ninstant=1"), std::string::npos);
  EXPECT_NE(text.find("[WinStyle]\r\nStyle=3"), std::string::npos);
  MainSettings back = ReadMainSettings(ini::IniFile::FromText(text));
  EXPECT_EQ(back.listStyle, ListViewStyle::Icon);
  EXPECT_EQ(back.skinIndex, 3);
  EXPECT_FALSE(back.searchShown);
  EXPECT_TRUE(back.showCaption);
  EXPECT_TRUE(back.instantSearch);
  WriteMainSettings(f, s, false);
  EXPECT_EQ(ReadMainSettings(f).skinIndex, 99);
}

TEST(MainSettings, WindowsVersionComparedAsText) {
  EXPECT_TRUE(OsNewerThan50(5, 1));
  EXPECT_TRUE(OsNewerThan50(6, 0));
  EXPECT_TRUE(OsNewerThan50(6, 1));
  EXPECT_FALSE(OsNewerThan50(5, 0));
  EXPECT_FALSE(OsNewerThan50(4, 10));
  // Text order: "10.0" sorts before "5.0". Without a compatibility manifest
  // later systems report 6.2, so this never misjudges a real system.
  EXPECT_FALSE(OsNewerThan50(10, 0));
}
