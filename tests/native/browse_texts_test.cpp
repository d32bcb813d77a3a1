#include <gtest/gtest.h>

#include <string>

#include "browse/entry_texts.h"
#include "browse/list_texts.h"
#include "platform/file_time.h"
#include "browse/unit_public.h"

using namespace browse;

TEST(BrowseFileIcon, KindByTailIgnoringAsciiCase) {
  EXPECT_EQ(GetFileIconIndex("readme.TxT"), kImageText);
  EXPECT_EQ(GetFileIconIndex("archive.tar.exe"), kImageProgram);
  EXPECT_EQ(GetFileIconIndex("photo.jpeg"), kImageOtherFile);
  EXPECT_EQ(GetFileIconIndex("Makefile"), kImageOtherFile);
  EXPECT_EQ(GetFileIconIndex(".exe"), kImageProgram);
  EXPECT_EQ(GetFileIconIndex("EXE"), kImageOtherFile);
  EXPECT_EQ(GetFileIconIndex(""), kImageOtherFile);
  EXPECT_EQ(GetFileIconIndex("page.html"), kImageWebPage);
  EXPECT_EQ(GetFileIconIndex("page.HTM"), kImageWebPage);
  EXPECT_EQ(GetFileIconIndex("page.shtml"), kImageOtherFile);
  EXPECT_EQ(GetFileIconIndex("x.mdi"), kImageMedia);
  EXPECT_EQ(GetFileIconIndex("照片.JPG"), kImageJpeg);
  EXPECT_EQ(GetFileIconIndex("文件.文"), kImageOtherFile);
  EXPECT_EQ(GetFileIconIndex("a.exe "), kImageOtherFile);
}

TEST(BrowseFileIcon, EveryExtensionOfTheTable) {
  const std::pair<const char*, int> table[] = {
      {"exe", 3}, {"bat", 3}, {"txt", 4}, {"log", 4}, {"htm", 5}, {"html", 5}, {"bmp", 6},
      {"rtf", 7}, {"doc", 7}, {"dot", 7}, {"wav", 8}, {"avi", 8}, {"mdi", 8},  {"wmv", 8},
      {"dll", 9}, {"sys", 9}, {"ocx", 9}, {"com", 9}, {"bin", 9}, {"jpg", 10},
  };
  for (auto [ext, image] : table) EXPECT_EQ(GetFileIconIndex(std::string("f.") + ext), image) << ext;
}

TEST(BrowseMemoColumn, CutAt24GbkBytesWithoutSplittingACharacter) {
  const std::string ascii24(24, 'm');
  EXPECT_EQ(ShortMemo(ascii24), ascii24);
  EXPECT_EQ(ShortMemo(ascii24 + "n"), ascii24 + "...");
  EXPECT_EQ(ShortMemo(""), "");
  std::string han12;
  for (int i = 0; i < 12; ++i) han12 += "备";
  EXPECT_EQ(ShortMemo(han12), han12);         // 24 bytes: whole
  EXPECT_EQ(ShortMemo(han12 + "注"), han12 + "...");
  // 1 + 2 * 12 = 25 bytes: the twelfth character would cross byte 24.
  EXPECT_EQ(ShortMemo("a" + han12), "a" + han12.substr(0, 11 * 3) + "...");
  EXPECT_EQ(ShortMemo("第一行\r\n第二行很长很长很长很长"), "第一行\r\n第二行很长很长很...");
}

TEST(BrowseUpOneLevel, ParentOfAStoredPath) {
  EXPECT_EQ(ParentLocation("[CD1]:\\a\\b\\"), "[CD1]:\\a\\");
  EXPECT_EQ(ParentLocation("[CD1]:\\a\\"), "[CD1]:\\");
  EXPECT_EQ(ParentLocation("[CD1]:\\"), std::nullopt);
  EXPECT_EQ(ParentLocation("["), std::nullopt);
  EXPECT_EQ(ParentLocation(""), std::nullopt);
  EXPECT_EQ(ParentLocation("[照片]:\\二〇〇四\\春\\"), "[照片]:\\二〇〇四\\");
}

TEST(BrowseFileDetails, KilobytesRoundHalfToEven) {
  EXPECT_EQ(RoundedKilobytes(1536), 2);
  EXPECT_EQ(RoundedKilobytes(2560), 2);
  EXPECT_EQ(RoundedKilobytes(512), 0);
  EXPECT_EQ(RoundedKilobytes(1023), 1);
  EXPECT_EQ(RoundedKilobytes(0), 0);
  EXPECT_EQ(RoundedKilobytes(3584), 4);  // 3.5 to the even 4
  // Sizes of 2 GiB and more are kept whole now and show their real size.
  EXPECT_EQ(RoundedKilobytes(3000000000LL), 2929688);
  EXPECT_EQ(RoundedKilobytes(5000000000LL), 4882812);  // 4882812.5
  EXPECT_EQ(RoundedKilobytes(INT64_MAX), INT64_MAX / 1024 + 1);
  // A negative size left by an older catalogue still rounds half to even.
  EXPECT_EQ(RoundedKilobytes(-1294967296LL), -1264616);
  EXPECT_EQ(RoundedKilobytes(-1536), -2);
}

TEST(BrowseFileDetails, TextAndCaption) {
  EXPECT_EQ(FileDetailsText("a.txt", "[CD1]:\\docs\\", 1536),
            "文件: a.txt  \r路径: [CD1]:\\docs\\  \r大小: 2K  ");
  EXPECT_EQ(FileDetailsCaption("Vorlune"), "Vorlune-文件");
}

TEST(BrowseEntryTexts, DateAndAttributesOfTheDetailsBox) {
  EXPECT_EQ(AttributesText(0), "无");
  EXPECT_EQ(AttributesText(0x1 | 0x2 | 0x4 | 0x20 | 0x400), "只读、隐藏、系统、存档、链接");
  EXPECT_EQ(AttributesText(0x10 | 0x20), "存档");  // the folder bit is not an attribute shown
  EXPECT_EQ(EntryDateText(0), "");
  const std::string year10000 = EntryDateText(filetime::FromUnix(253402300800 + 43200, 0));
  EXPECT_EQ(year10000.substr(0, 6), "10000-");
  EXPECT_EQ(year10000.size(), 17u) << year10000;
  const std::string plain = FileDetailsText("a.doc", "[CD1]:\\", 2048);
  EXPECT_EQ(FileDetailsWithDates("a.doc", "[CD1]:\\", 2048, false, 0, 0), plain);
  const std::string known = FileDetailsWithDates("a.doc", "[CD1]:\\", 2048, true, filetime::FromUnix(0, 0), 0x1);
  EXPECT_EQ(known.rfind(plain, 0), 0u);
  EXPECT_NE(known.find("修改日期: " + filetime::FormatLocal(filetime::FromUnix(0, 0))), std::string::npos);
  EXPECT_NE(known.find("属性: 只读"), std::string::npos);
  // A row made before the catalogue kept times says so, never 1601.
  const std::string old = FileDetailsWithDates("a.doc", "[CD1]:\\", 2048, true, 0, 0);
  EXPECT_NE(old.find("修改日期: 未记录"), std::string::npos);
  EXPECT_EQ(old.find("1601"), std::string::npos);
  EXPECT_EQ(ArchiveMembersLine(7), "\r压缩包内容: 7 个文件和文件夹  ");
  EXPECT_EQ(ArchiveMembersLine(1234567), "\r压缩包内容: 1,234,567 个文件和文件夹  ");
  EXPECT_EQ(ArchiveMembersLine(100), "\r压缩包内容: 100 个文件和文件夹  ");
}
