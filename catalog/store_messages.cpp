#include "catalog/store_messages.h"

#include <sqlite3.h>

#include "platform/file_io.h"

namespace catalog {

StoreProblem ProblemOfEngineCode(int code) {
  switch (code & 0xff) {
    case SQLITE_READONLY: return StoreProblem::kReadOnly;
    case SQLITE_FULL: return StoreProblem::kDiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return StoreProblem::kBusy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return StoreProblem::kDamaged;
    default: return StoreProblem::kOther;
  }
}

std::string BackupBeside(const std::string& file) {
  size_t cut = file.find_last_of("/\\");
  return (cut == std::string::npos ? std::string() : file.substr(0, cut + 1)) + "Kestrova.bak";
}

std::string ReadOnlyMessage(const std::string& file) {
  return "目录数据库是只读的，不能修改：\r" + file +
         "\r它位于光盘、写保护的存储盘或没有写入权限的文件夹中，或文件本身是只读的。浏览、搜索、导出和打印仍可使用。";
}

std::string DiskFullMessage(const std::string& file) {
  return "磁盘空间不足，无法写入目录数据库：\r" + file + "\r已经保存的数据不受影响。请腾出磁盘空间后重试。";
}

std::string BusyMessage(const std::string& file) {
  return "目录数据库正被其他程序使用，等待后仍无法写入：\r" + file + "\r请关闭其他使用它的程序后重试。";
}

std::string DamagedMessage(const std::string& file) {
  std::string text = "目录数据库已损坏，无法使用：\r" + file + "\r程序不会再写入这个文件。";
  const std::string backup = BackupBeside(file);
  if (fileio::FileExists(backup))
    text += "\r可以用数据整理留下的备份恢复：退出程序，将损坏的文件移走，再把备份 " + backup +
            " 复制为 Kestrova。";
  else
    text += "\r没有找到备份 Kestrova.bak。";
  return text;
}

std::string ProblemMessage(StoreProblem problem, const std::string& file) {
  switch (problem) {
    case StoreProblem::kReadOnly: return ReadOnlyMessage(file);
    case StoreProblem::kDiskFull: return DiskFullMessage(file);
    case StoreProblem::kBusy: return BusyMessage(file);
    case StoreProblem::kDamaged: return DamagedMessage(file);
    case StoreProblem::kOther: break;
  }
  return {};
}

std::string CompactionDiskFullMessage(const std::string& file) {
  return "磁盘空间不足，数据整理未能完成。\r目录数据库 " + file + " 保持原样，没有改动。";
}

std::string InUseQuestion(const std::string& file) {
  return "目录数据库 " + file + " 已被另一个正在运行的 Vorlune 打开。\r同时运行两个会互相妨碍，本程序将退出。\r是否切换到已打开的 Vorlune 窗口？";
}

}  // namespace catalog
