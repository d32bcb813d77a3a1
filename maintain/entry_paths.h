// Stored paths of entries and their places on a drive, for the actions on
// a hit ("复制路径", "打开所在位置", "在树状浏览中显示") and the hit export.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace maintain {

// An entry as a list shows it: the stored path of its folder, its name.
struct EntryRef {
  std::string folder;  // "[CD_1]:\backup\"
  std::string name;
  bool isFolder = false;
};

// "[CD_1]:\backup\photos.zip": the folder's path and the name.
std::string StoredPathOf(const EntryRef& e);
// The same entry on the drive at `root` ("E:\"): "E:\backup\photos.zip";
// nothing when the folder is no stored path.
std::optional<std::string> PathOnDrive(const EntryRef& e, std::string_view root);
// The folder names from the snapshot's root down to the entry itself:
// "[CD_1]:\a\b\" + "c.txt" gives {"a", "b", "c.txt"}.
std::vector<std::string> StepsBelowRoot(const EntryRef& e);

// The lines "复制路径" puts on the clipboard: one stored path a line, CRLF.
std::string PathLines(const std::vector<EntryRef>& entries);

}  // namespace maintain
