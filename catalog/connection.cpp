#include "catalog/connection.h"

#include <sqlite3.h>

#include <cstring>

#include "catalog/schema.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace catalog {

std::string BuildConnectionString(std::string_view exeFolder) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + std::string(exeFolder) + kCatalogFileName +
         ";Jet OLEDB:Database Password=" + kDatabasePassword + ";Persist Security Info=False";
}

std::string ConnectionStringValue(std::string_view cs, std::string_view key) {
  size_t pos = 0;
  while (pos < cs.size()) {
    size_t end = cs.find(';', pos);
    if (end == std::string_view::npos) end = cs.size();
    std::string_view part = cs.substr(pos, end - pos);
    size_t eq = part.find('=');
    if (eq != std::string_view::npos && text::EqualsNoCaseAscii(text::TrimSpace(part.substr(0, eq)), key))
      return std::string(part.substr(eq + 1));
    pos = end + 1;
  }
  return {};
}

void ThrowEngineError(sqlite3* db, std::string_view context) {
  std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
  throw DbError(context.empty() ? msg : std::string(context) + ": " + msg);
}

Connection::~Connection() { Close(); }

std::string Connection::FileName() const { return ConnectionStringValue(connectionString_, "Data Source"); }

void Connection::Open() {
  if (db_) return;
  const std::string file = FileName();
  const std::string what = "无法打开目录数据库文件 " + file;
  if (file.empty()) throw DbError("连接字符串未指定目录数据库文件");
  if (!fileio::FileExists(file)) throw DbError(what + ": 文件不存在");
  sqlite3* db = nullptr;
  // One thread uses the connection: without the engine's per-call lock every
  // column read of a long query is cheaper.
  int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw DbError(what + ": " + msg);
  }
  sqlite3_busy_timeout(db, 1000);
  auto fail = [&](const std::string& msg) {
    sqlite3_close(db);
    throw DbError(what + ": " + msg);
  };
  sqlite3_stmt* st = nullptr;
  rc = sqlite3_prepare_v2(db, "SELECT Key, Value FROM CatalogInfo", -1, &st, nullptr);
  if (rc != SQLITE_OK) {
    bool foreign = rc == SQLITE_NOTADB || rc == SQLITE_ERROR;
    std::string msg = foreign ? std::string("不是 Vorlune 的目录数据库 (") + sqlite3_errmsg(db) + ")"
                              : sqlite3_errmsg(db);
    fail(msg);
  }
  std::string format, salt, check;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    std::string k = reinterpret_cast<const char*>(sqlite3_column_text(st, 0) ? sqlite3_column_text(st, 0) : (const unsigned char*)"");
    std::string v = reinterpret_cast<const char*>(sqlite3_column_text(st, 1) ? sqlite3_column_text(st, 1) : (const unsigned char*)"");
    if (k == "Format") format = v;
    if (k == "Salt") salt = v;
    if (k == "PasswordCheck") check = v;
  }
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) fail(sqlite3_errmsg(db));
  if (format != kFormatMark) fail("不是 Vorlune 的目录数据库");
  if (PasswordCheck(salt, ConnectionStringValue(connectionString_, "Jet OLEDB:Database Password")) != check)
    fail("数据库密码不正确");
  if (!sqlite3_db_readonly(db, "main")) {
    // WAL with full sync: every commit survives a crash or power loss, and a
    // torn write never leaves a catalogue that does not open.
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
  }
  // A larger page cache keeps the Path index of a big catalogue in memory
  // while a snapshot is renamed or deleted.
  // Reading pages through a memory map spares a system call per page, which
  // is dear under Wine (a name search reads every page).
  sqlite3_exec(db, "PRAGMA cache_size=-32768; PRAGMA temp_store=MEMORY; PRAGMA mmap_size=268435456;", nullptr,
               nullptr, nullptr);
  db_ = db;
  fileChanges_ = RowChanges();
  names_.Clear();
  sqlite3_update_hook(db_, &Connection::OnRowChange, this);
  // Rows read into the name index inside a transaction that is then rolled
  // back were noted before the index read them: nothing says they are gone.
  sqlite3_rollback_hook(db_, &Connection::OnRollback, this);
}

void Connection::OnRollback(void* self) { static_cast<Connection*>(self)->fileChanges_.NoteUnknown(); }

void Connection::OnRowChange(void* self, int, const char* db, const char* table, long long rowid) {
  if (std::strcmp(db, "main") == 0 && sqlite3_stricmp(table, "CDFile") == 0)
    static_cast<Connection*>(self)->fileChanges_.Note(rowid);
}

void Connection::Close() {
  if (!db_) return;
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  // Statements of queries still open are finalized by their owners; close_v2
  // defers the close until they are.
  sqlite3_update_hook(db_, nullptr, nullptr);
  sqlite3_rollback_hook(db_, nullptr, nullptr);
  sqlite3_close_v2(db_);
  db_ = nullptr;
  names_.Clear();
}

sqlite3* Connection::Handle() const {
  if (!db_) throw DbError("目录数据库连接未打开");
  return db_;
}

void Connection::Execute(std::string_view sql) {
  char* err = nullptr;
  std::string s(sql);
  if (sqlite3_exec(Handle(), s.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : sqlite3_errmsg(db_);
    sqlite3_free(err);
    throw DbError(msg);
  }
}

void Connection::BeginTransaction() { Execute("BEGIN IMMEDIATE"); }
void Connection::Commit() { Execute("COMMIT"); }
void Connection::Rollback() {
  if (InTransaction()) Execute("ROLLBACK");
}
bool Connection::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

}  // namespace catalog
