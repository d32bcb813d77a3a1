#include "catalog/schema.h"

#include <sqlite3.h>

#include <random>

#include "catalog/connection.h"
#include "platform/file_io.h"
#include "platform/sha256.h"

namespace catalog {

namespace {

std::string Spaced(const char* columns) {
  std::string s;
  for (const char* c = columns; *c; ++c) s += *c == ',' ? std::string(", ") : std::string(1, *c);
  return " " + s;
}

// "ALTER TABLE t ADD COLUMN c;" for each column of the list.
std::string AddColumns(const char* table, const char* columns) {
  std::string sql, column;
  for (const char* c = columns;; ++c) {
    if (*c == ',' || *c == 0) {
      sql += std::string("ALTER TABLE ") + table + " ADD COLUMN " + column + ";";
      column.clear();
      if (*c == 0) break;
    } else {
      column += *c;
    }
  }
  return sql;
}

}  // namespace

int SchemaVersion(sqlite3* db) {
  sqlite3_stmt* st = nullptr;
  int version = -1;
  if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
    version = sqlite3_column_int(st, 0);
  sqlite3_finalize(st);
  return version;
}

int UpgradeSchema(sqlite3* db) {
  if (SchemaVersion(db) >= kSchemaVersion) return SQLITE_OK;
  // The version is read again inside the write transaction: another copy
  // may have upgraded the file in between.
  if (int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr); rc != SQLITE_OK) return rc;
  int rc = SQLITE_OK;
  if (const int version = SchemaVersion(db); version < kSchemaVersion) {
    std::string sql;
    if (version < 1) sql += AddColumns("CDName", kSnapshotColumnsAdded) + AddColumns("CDFile", kEntryColumnsAdded);
    if (version < 2) sql += AddColumns("CDFile", kArchiveColumnsAdded);
    sql += "PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";";
    rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    const int code = sqlite3_extended_errcode(db);
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return code;
  }
  return SQLITE_OK;
}

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
      " CDName TEXT NOT NULL COLLATE NOCASE UNIQUE, TotalM INTEGER, Memo1 TEXT," +
      Spaced(kSnapshotColumnsAdded) + ");"
      "CREATE TABLE CDFile(Name TEXT COLLATE NOCASE, Path TEXT COLLATE NOCASE,"
      " Type INTEGER, Size INTEGER," + Spaced(kEntryColumnsAdded) + "," + Spaced(kArchiveColumnsAdded) + ");"
      // Rows with one Path sit together in insertion order, so a folder
      // lists as it was scanned and a snapshot is one index range.
      "CREATE INDEX CDFile_Path ON CDFile(Path);"
      "CREATE TABLE CatalogInfo(Key TEXT PRIMARY KEY, Value TEXT);"
      "INSERT INTO CatalogInfo VALUES('Format','" + std::string(kFormatMark) + "');"
      "INSERT INTO CatalogInfo VALUES('Salt','" + salt + "');"
      "INSERT INTO CatalogInfo VALUES('PasswordCheck','" + PasswordCheck(salt, password) + "');"
      "PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";"
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
