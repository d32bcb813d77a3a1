#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/ini.h"
#include "tests/native/test_support.h"

using ini::IniFile;

TEST(Ini, SectionsAndKeysIgnoreCase) {
  IniFile f = IniFile::FromText("[search]\r\nshow=0\r\n[ListView]\nStyle = 3 \n");
  EXPECT_FALSE(f.ReadBool("Search", "Show", true));
  EXPECT_EQ(f.ReadInteger("LISTVIEW", "style", 0), 3);
}

TEST(Ini, RepeatedKeyReadsItsFirstValueAndValuesMayHoldEquals) {
  IniFile f = IniFile::FromText("[A]\nk=first\nK=second\nexpr=a=b\n");
  EXPECT_EQ(f.ReadString("A", "k", ""), "first");
  EXPECT_EQ(f.Keys("A"), (std::vector<std::string>{"k", "expr"}));
  EXPECT_EQ(f.ReadString("A", "expr", ""), "a=b");
  EXPECT_FALSE(f.HasKey("A", "expr=a"));
}

TEST(Ini, IntegersFallBackWhenMissingOrNotNumeric) {
  IniFile f = IniFile::FromText("[A]\nx=12abc\ny=\nz=-7\nh=0x1F\n");
  EXPECT_EQ(f.ReadInteger("A", "x", 5), 5);
  EXPECT_EQ(f.ReadInteger("A", "y", 5), 5);
  EXPECT_EQ(f.ReadInteger("A", "z", 5), -7);
  EXPECT_EQ(f.ReadInteger("A", "h", 5), 31);
  EXPECT_EQ(f.ReadInteger("A", "missing", 99), 99);
  EXPECT_EQ(f.ReadInteger("B", "x", 4), 4);
}

TEST(Ini, FlagsAreTrueWhenNotZero) {
  IniFile f = IniFile::FromText("[T]\na=1\nb=0\nc=2\nd=yes\n");
  EXPECT_TRUE(f.ReadBool("T", "a", false));
  EXPECT_FALSE(f.ReadBool("T", "b", true));
  EXPECT_TRUE(f.ReadBool("T", "c", false));
  EXPECT_TRUE(f.ReadBool("T", "d", true));  // not numeric: the default
  EXPECT_FALSE(f.ReadBool("T", "d", false));
}

TEST(Ini, WrittenValuesReadBackAndKeepOneSection) {
  testsupport::TempDir dir;
  {
    IniFile f(dir.File("Kestrova.ini"));
    f.WriteInteger("ListView", "Style", 4);
    f.WriteBool("search", "show", false);
    f.WriteBool("Toolbar", "showCaption", true);
    f.WriteInteger("WinStyle", "Style", 99);
    f.WriteString("Other", "text", "two\nlines");
    f.Save();
  }
  IniFile g(dir.File("Kestrova.ini"));
  EXPECT_EQ(g.ReadInteger("ListView", "Style", 0), 4);
  EXPECT_FALSE(g.ReadBool("Search", "show", true));
  EXPECT_TRUE(g.ReadBool("Toolbar", "showCaption", false));
  EXPECT_EQ(g.ReadInteger("WinStyle", "Style", 0), 99);
  EXPECT_EQ(g.ReadString("Other", "text", ""), "two lines");
  // Writing "Search" again reuses the section however it is spelt.
  g.WriteBool("SEARCH", "Show", true);
  EXPECT_EQ(g.Sections().size(), 5u);
  EXPECT_FALSE(fileio::FileExists(dir.File("Kestrova.ini.tmp")));
}

TEST(Ini, KeepsOtherKeysOfTheFile) {
  testsupport::TempDir dir;
  fileio::WriteFileAtomic(dir.File("k.ini"), "[AutoCD]\r\nEject=1\r\n[ListView]\r\nStyle=2\r\n");
  IniFile f(dir.File("k.ini"));
  f.WriteInteger("ListView", "Style", 1);
  f.Save();
  IniFile g(dir.File("k.ini"));
  EXPECT_EQ(g.ReadInteger("AutoCD", "Eject", 0), 1);
  EXPECT_EQ(g.ReadInteger("ListView", "Style", 0), 1);
}

TEST(Ini, MissingFileIsEmptyAndSaveFailsClearly) {
  IniFile f("/nonexistent-dir/x/Kestrova.ini");
  EXPECT_EQ(f.ReadInteger("ListView", "Style", 0), 0);
  f.WriteInteger("ListView", "Style", 1);
  EXPECT_THROW(f.Save(), std::runtime_error);
}
