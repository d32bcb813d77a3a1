#include "catalog/schema.h"

#include <sqlite3.h>

#include <random>

#include "catalog/connection.h"
#include "platform/file_io.h"
#include "platform/sha256.h"

namespace catalog {

std::string PasswordCheck(const std::string& salt, const std::string& password) {
  return hashing::Sha256Hex(salt + ":" + password);
}

void CreateEmptyCatalog(const std::string& path, const std::string& password) {
  if (fileio::FileExists(path)) throw DbError("目录数据库文件已存在: " + path);
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw DbError("无法创建目录数据库文件 " + path + ": " + msg);
  }
  std::random_device rd;
  char salt[33];
  for (int i = 0; i < 4; ++i) std::snprintf(salt + i * 8, 9, "%08x", static_cast<unsigned>(rd()));
  std::string sql =
      "PRAGMA journal_mode=WAL;"
      "BEGIN;"
      // Text columns compare without regard to letter case, as every lookup
      // of a label, a path or a name expects.
      "CREATE TABLE CDName(ID INTEGER PRIMARY KEY AUTOINCREMENT,"
      " CDName TEXT NOT NULL COLLATE NOCASE UNIQUE, TotalM INTEGER, Memo1 TEXT);"
      "CREATE TABLE CDFile(Name TEXT COLLATE NOCASE, Path TEXT COLLATE NOCASE,"
      " Type INTEGER, Size INTEGER);"
      // Rows with one Path sit together in insertion order, so a folder
      // lists as it was scanned and a snapshot is one index range.
      "CREATE INDEX CDFile_Path ON CDFile(Path);"
      "CREATE TABLE CatalogInfo(Key TEXT PRIMARY KEY, Value TEXT);"
      "INSERT INTO CatalogInfo VALUES('Format','" + std::string(kFormatMark) + "');"
      "INSERT INTO CatalogInfo VALUES('Salt','" + salt + "');"
      "INSERT INTO CatalogInfo VALUES('PasswordCheck','" + PasswordCheck(salt, password) + "');"
      "COMMIT;";
  char* err = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : "unknown error";
    sqlite3_free(err);
    sqlite3_close(db);
    fileio::RemoveFile(path);
    throw DbError("无法创建目录数据库文件 " + path + ": " + msg);
  }
  // Leave a single self-contained file: checkpoint and switch back out of
  // WAL for shipping; the program switches WAL on when it opens the file.
  sqlite3_exec(db, "PRAGMA journal_mode=DELETE;", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

}  // namespace catalog
