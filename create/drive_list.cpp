#include "create/drive_list.h"

namespace create {

std::string DriveTypeName(int type) {
  static const char* kNames[] = {"无法确认", "", "可移动盘", "本地磁盘", "网络磁盘", "光盘", "虚拟磁盘"};
  return type >= 0 && type <= 6 ? kNames[type] : "";
}

std::string DriveCaption(int type, std::string_view root) { return DriveTypeName(type) + "  " + std::string(root); }

bool IsCdCaption(std::string_view caption) { return caption.find(kCdName) != std::string_view::npos; }

std::string DriveList::RootOf(std::string_view caption) const {
  for (size_t i = 0; i < DriveCaptions.size(); ++i)
    if (DriveCaptions[i] == caption) return DrivePaths[i];
  return {};
}

DriveList BuildDriveList(const std::function<int(const std::string& root)>& driveType) {
  DriveList list;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string root = std::string(1, letter) + ":\\";
    int type = driveType(root);
    if (type == kDriveNoRoot) continue;
    // A type the platform may add later shows as the unknown one.
    if (type < 0 || type > 6) type = 0;
    list.DrivePaths.push_back(root);
    list.DriveCaptions.push_back(DriveCaption(type, root));
    list.Types.push_back(type);
  }
  return list;
}

DoorStep DoorStepFor(std::string_view caption) {
  if (caption.find("弹开") != std::string_view::npos) return {kOpenDoorCommand, kCloseDoorCaption};
  return {kCloseDoorCommand, kOpenDoorCaption};
}

}  // namespace create
