// The drive list of the create window and the CD door button, without the
// platform: drive types by number, item captions, and the door commands.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace create {

inline constexpr int kDriveNoRoot = 1;  // no drive at this letter
inline constexpr int kDriveCdRom = 5;
inline constexpr const char* kCdName = "光盘";

// The name shown for a drive type 0 to 6 ("" for 1 and unknown numbers).
std::string DriveTypeName(int type);
// "本地磁盘  C:\": the type's name, two blanks, the root.
std::string DriveCaption(int type, std::string_view root);
bool IsCdCaption(std::string_view caption);

// Every present drive from A to Z, in letter order; DrivePaths and
// DriveCaptions match by position.
struct DriveList {
  std::vector<std::string> DrivePaths;
  std::vector<std::string> DriveCaptions;
  std::vector<int> Types;  // the picture of each item
  // The root of the item with this caption ("" when none).
  std::string RootOf(std::string_view caption) const;
};
DriveList BuildDriveList(const std::function<int(const std::string& root)>& driveType);

// The door button: the command to send for its current caption, and the
// caption it shows afterwards.
inline constexpr const char* kOpenDoorCaption = "弹开光驱(&R)";
inline constexpr const char* kCloseDoorCaption = "关闭光驱(&R)";
inline constexpr const char* kOpenDoorCommand = "Set cdaudio door open wait";
inline constexpr const char* kCloseDoorCommand = "Set cdaudio door closed wait";
struct DoorStep {
  std::string command;
  std::string nextCaption;
};
DoorStep DoorStepFor(std::string_view caption);

}  // namespace create
