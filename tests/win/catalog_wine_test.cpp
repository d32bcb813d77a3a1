#include <gtest/gtest.h>
#include <windows.h>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"
#include "platform/text.h"

// The catalogue through the Windows file layer: a Chinese folder name, the
// executable-folder connection text, and the WAL files beside it.
TEST(CatalogOnWindows, OpensFromAFolderWithChineseName) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::u16string wide(reinterpret_cast<const char16_t*>(tmp));
  std::string folder = text::Utf16ToUtf8(wide) + "目录测试\\";
  std::u16string wfolder = text::Utf8ToUtf16(folder);
  CreateDirectoryW(reinterpret_cast<const wchar_t*>(wfolder.c_str()), nullptr);
  fileio::RemoveFile(folder + "Kestrova");
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  {
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    catalog::Query q(&cn);
    catalog::AppendSnapshot(q, "光盘1", 700, "备注");
    EXPECT_TRUE(catalog::LabelTaken(q, "光盘1"));
  }
  EXPECT_TRUE(fileio::RemoveFile(folder + "Kestrova"));
  RemoveDirectoryW(reinterpret_cast<const wchar_t*>(wfolder.c_str()));
}
