// Makes a small catalogue of sample snapshots for screenshots and manual
// trials: make_sample_catalog OUTPUT
#include <cstdio>
#include <exception>
#include <string>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"

namespace {

// `members`: an archive's count of the members recorded below it; -1: the
// row is such a member.
void Row(catalog::Query& q, const std::string& path, const std::string& name, int type, long long size = 0,
         int members = 0) {
  q.Append();
  q.SetField("Name", name);
  q.SetField("Path", path);
  q.SetField("Type", type);
  if (type == 0) q.SetField("Size", static_cast<int64_t>(size));
  if (members > 0) q.SetField("Members", members);
  if (members < 0) q.SetField("InArchive", 1);
  q.Post();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_catalog OUTPUT\n");
    return 2;
  }
  try {
    std::string file = argv[1];
    for (auto ext : {"", "-wal", "-shm"}) fileio::RemoveFile(file + ext);
    catalog::CreateEmptyCatalog(file, catalog::kDatabasePassword);
    catalog::Connection cn;
    cn.SetConnectionString(catalog::ConnectionStringFor(file));
    cn.Open();
    catalog::Query q(&cn);
    catalog::AppendSnapshot(q, "照片2004", 4300, "2004 年的家庭照片和旅行录像");
    catalog::AppendSnapshot(q, "BACKUP01", 700, "工作文档备份");
    catalog::AppendSnapshot(q, "软件安装盘", 650, "常用软件：编辑器、压缩工具、播放器，以及各种驱动程序");
    catalog::AppendSnapshot(q, "MUSIC", 99, "");
    q.OpenTable("CDFile");
    std::string p = "[照片2004]:\\";
    Row(q, p, "旅行", 1);
    Row(q, p, "家庭", 1);
    Row(q, p, "说明.txt", 0, 2048);
    Row(q, p, "index.htm", 0, 5120);
    Row(q, p + "旅行\\", "杭州西湖.jpg", 0, 1843200);
    Row(q, p + "旅行\\", "黄山日出.jpg", 0, 2250000);
    Row(q, p + "旅行\\", "录像.avi", 0, 734003200);
    Row(q, p + "家庭\\", "生日.bmp", 0, 921654);
    p = "[BACKUP01]:\\";
    Row(q, p, "文档", 1);
    Row(q, p, "程序", 1);
    Row(q, p, "readme.TxT", 0, 1536);
    Row(q, p, "setup.exe", 0, 5000000000LL);
    Row(q, p + "文档\\", "报告.doc", 0, 45056);
    Row(q, p + "文档\\", "O'Brien.rtf", 0, 2560);
    Row(q, p + "程序\\", "tool.dll", 0, 81920);
    // An archive whose members the scan recorded.
    Row(q, p, "照片备份.zip", 0, 52428800, 5);
    Row(q, p + "照片备份.zip\\", "2019", 1, 0, -1);
    Row(q, p + "照片备份.zip\\", "说明.txt", 0, 1024, -1);
    Row(q, p + "照片备份.zip\\2019\\", "IMG_0001.JPG", 0, 2457600, -1);
    Row(q, p + "照片备份.zip\\2019\\", "IMG_0002.JPG", 0, 2621440, -1);
    Row(q, p + "照片备份.zip\\2019\\", "海边.mp4", 0, 47185920, -1);
    p = "[软件安装盘]:\\";
    Row(q, p, "drivers", 1);
    Row(q, p, "editor.exe", 0, 1048576);
    Row(q, p, "install.log", 0, 512);
    Row(q, p + "drivers\\", "audio.sys", 0, 65536);
    p = "[MUSIC]:\\";
    Row(q, p, "song.wav", 0, 52428800);
    q.Close();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_catalog: %s\n", e.what());
    return 1;
  }
  return 0;
}
