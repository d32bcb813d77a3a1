// The drive list by drive type, and the door button's two steps.
#include <gtest/gtest.h>

#include <map>

#include "create/drive_list.h"

using namespace create;

TEST(DriveListTest, PresentDrivesInLetterOrderWithCaptions) {
  std::map<std::string, int> types = {{"A:\\", 2}, {"C:\\", 3}, {"D:\\", 5}, {"E:\\", 4}, {"F:\\", 9}};
  DriveList list = BuildDriveList([&](const std::string& root) {
    auto it = types.find(root);
    return it == types.end() ? kDriveNoRoot : it->second;
  });
  ASSERT_EQ(list.DrivePaths, (std::vector<std::string>{"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"}));
  EXPECT_EQ(list.DriveCaptions[1], "本地磁盘  C:\\");
  EXPECT_EQ(list.DriveCaptions[0], "可移动盘  A:\\");
  EXPECT_EQ(list.DriveCaptions[3], "网络磁盘  E:\\");
  EXPECT_EQ(list.DriveCaptions[4], "无法确认  F:\\");  // a type beyond 6
  EXPECT_EQ(list.Types, (std::vector<int>{2, 3, 5, 4, 0}));
  EXPECT_TRUE(IsCdCaption(list.DriveCaptions[2]));
  EXPECT_FALSE(IsCdCaption(list.DriveCaptions[1]));
  EXPECT_EQ(list.RootOf("光盘  D:\\"), "D:\\");
  EXPECT_EQ(list.RootOf("光盘  X:\\"), "");
  EXPECT_EQ(DriveCaption(0, "G:\\"), "无法确认  G:\\");
  EXPECT_EQ(DriveCaption(6, "R:\\"), "虚拟磁盘  R:\\");
}

TEST(DriveListTest, DoorButtonTogglesCommandAndCaption) {
  DoorStep open = DoorStepFor(kOpenDoorCaption);
  EXPECT_EQ(open.command, "Set cdaudio door open wait");
  EXPECT_EQ(open.nextCaption, "关闭光驱(&R)");
  DoorStep close = DoorStepFor(open.nextCaption);
  EXPECT_EQ(close.command, "Set cdaudio door closed wait");
  EXPECT_EQ(close.nextCaption, "弹开光驱(&R)");
}
