#include "catalog/connection.h"

#include <sqlite3.h>

#include <cstring>

#include "catalog/nocase_collation.h"
#include "catalog/schema.h"
#include "catalog/store_messages.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace catalog {

std::string ConnectionStringFor(std::string_view file) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + std::string(file) +
         ";Jet OLEDB:Database Password=" + kDatabasePassword + ";Persist Security Info=False";
}

std::string BuildConnectionString(std::string_view exeFolder) {
  return ConnectionStringFor(std::string(exeFolder) + kCatalogFileName);
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

namespace {

std::string FolderOf(const std::string& file) {
  size_t cut = file.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
}

// The file as a URI that opens it read-only. Immutable, the engine takes no
// locks and never looks whether the file changed, and a file in write-ahead
// mode opens without its shared-memory file, which a read-only place cannot
// hold: right for a CD, wrong where someone else may still write the file.
std::string ReadOnlyUri(const std::string& path, bool immutable) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  std::string uri = "file:";
  if (p.size() >= 2 && p[1] == ':') uri += '/';       // C:/... is file:/C:/...
  else if (p.rfind("//", 0) == 0) uri += "//";       // //server/share is file:////server/share
  static const char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : p) {
    if (c == '%' || c == '?' || c == '#') {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    } else {
      uri += static_cast<char>(c);
    }
  }
  return uri + (immutable ? "?mode=ro&immutable=1" : "?mode=ro");
}

std::string Text(sqlite3_stmt* st, int column) {
  const unsigned char* t = sqlite3_column_text(st, column);
  return t ? reinterpret_cast<const char*>(t) : "";
}

}  // namespace

Connection::~Connection() { Close(); }

std::string Connection::FileName() const { return ConnectionStringValue(connectionString_, "Data Source"); }

void Connection::Open() {
  if (db_) return;
  const std::string file = FileName();
  const std::string what = "无法打开目录数据库文件 " + file;
  if (file.empty()) throw DbError("连接字符串未指定目录数据库文件");
  if (!fileio::FileExists(file)) throw DbError(what + ": 文件不存在");
  readOnly_ = !fileio::CanWriteFile(file) || !fileio::CanCreateIn(FolderOf(file));
  network_ = forceNetwork_ || fileio::IsOnNetwork(file);
  damaged_ = false;
  // Read-only but still changing (a share or folder the user may only
  // read): the engine's locks and change checks stay on, so the writes of
  // another machine are seen whole. Immutable only on a medium that cannot
  // change, or when a file in write-ahead mode cannot be read otherwise.
  bool immutable = readOnly_ && fileio::IsUnchangingMedium(file);
  sqlite3* db = nullptr;
  // One thread uses the connection: without the engine's per-call lock every
  // column read of a long query is cheaper.
  const int rc = readOnly_ ? sqlite3_open_v2(ReadOnlyUri(file, immutable).c_str(), &db,
                                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr)
                           : sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  db_ = db;
  // Closes the file again and throws: the place's message when the engine's
  // result is one, else `text`.
  auto fail = [&](const std::string& text) {
    DbError e = LastError();
    sqlite3_close(db_);
    db_ = nullptr;
    if (e.Problem() != StoreProblem::kOther) throw e;
    throw DbError(what + ": " + text);
  };
  if (rc != SQLITE_OK) fail(db ? sqlite3_errmsg(db) : "out of memory");
  sqlite3_busy_timeout(db_, 1000);
  // On a network drive the first read must not touch a write-ahead log's
  // shared memory: with an exclusive lock the engine keeps it in its own.
  const bool switchJournal = network_ && !readOnly_;
  if (switchJournal) sqlite3_exec(db_, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  int step = sqlite3_prepare_v2(db_, "SELECT Key, Value FROM CatalogInfo", -1, &st, nullptr);
  if (step == SQLITE_CANTOPEN && readOnly_ && !immutable) {
    // A file in write-ahead mode whose shared-memory file the place can
    // neither hold nor give: only the immutable open reads it.
    sqlite3_close(db_);
    db_ = nullptr;
    immutable = true;
    if (sqlite3_open_v2(ReadOnlyUri(file, true).c_str(), &db_,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
      fail(db_ ? sqlite3_errmsg(db_) : "out of memory");
    sqlite3_busy_timeout(db_, 1000);
    step = sqlite3_prepare_v2(db_, "SELECT Key, Value FROM CatalogInfo", -1, &st, nullptr);
  }
  if (step != SQLITE_OK) {
    bool foreign = step == SQLITE_ERROR;
    fail(foreign ? std::string("不是 Vorlune 的目录数据库 (") + sqlite3_errmsg(db_) + ")" : sqlite3_errmsg(db_));
  }
  std::string format, salt, check;
  while ((step = sqlite3_step(st)) == SQLITE_ROW) {
    std::string k = Text(st, 0), v = Text(st, 1);
    if (k == "Format") format = v;
    if (k == "Salt") salt = v;
    if (k == "PasswordCheck") check = v;
  }
  sqlite3_finalize(st);
  if (step != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  if (format != kFormatMark) fail("不是 Vorlune 的目录数据库");
  if (PasswordCheck(salt, ConnectionStringValue(connectionString_, "Jet OLEDB:Database Password")) != check)
    fail("数据库密码不正确");
  if (switchJournal) {
    SwitchToRollbackJournal();
  } else if (!readOnly_) {
    // WAL with full sync: every commit survives a crash or power loss, and a
    // torn write never leaves a catalogue that does not open.
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
  }
  if (!readOnly_) UpgradeOrFail(what);
  // A larger page cache keeps the Path index of a big catalogue in memory
  // while a snapshot is renamed or deleted.
  // Reading pages through a memory map spares a system call per page, which
  // is dear under Wine (a name search reads every page).
  sqlite3_exec(db_, "PRAGMA cache_size=-32768; PRAGMA temp_store=MEMORY; PRAGMA mmap_size=268435456;", nullptr,
               nullptr, nullptr);
  fileChanges_ = RowChanges();
  names_.Clear();
  if (!names_.RegisterMatchFunction(db_)) fail(sqlite3_errmsg(db_));
  if (!UseQuickNoCase(db_)) fail(sqlite3_errmsg(db_));
  sqlite3_update_hook(db_, &Connection::OnRowChange, this);
  // Rows read into the name index inside a transaction that is then rolled
  // back were noted before the index read them: nothing says they are gone.
  sqlite3_rollback_hook(db_, &Connection::OnRollback, this);
}

void Connection::UpgradeOrFail(const std::string& what) {
  // A catalogue of an older form gets the newer columns the first time it
  // is opened writable; a read-only one is used as it is.
  const int rc = UpgradeSchema(db_);
  if (rc == SQLITE_OK) return;
  sqlite3_close(db_);
  db_ = nullptr;
  const StoreProblem problem = ProblemOfEngineCode(rc);
  if (problem != StoreProblem::kOther) throw DbError(ProblemMessage(problem, FileName()), problem);
  throw DbError(what + ": " + sqlite3_errstr(rc));
}

void Connection::SwitchToRollbackJournal() {
  // Folds a write-ahead log left by a local run into the file and removes
  // it; refused while another program has the file open.
  std::string mode;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, "PRAGMA journal_mode=DELETE", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW)
    mode = Text(st, 0);
  DbError e = LastError();
  sqlite3_finalize(st);
  if (mode != "delete") {
    sqlite3_close(db_);
    db_ = nullptr;
    if (e.Problem() == StoreProblem::kDamaged) throw e;
    throw DbError(BusyMessage(FileName()), StoreProblem::kBusy);
  }
  // Back to normal locking: the exclusive lock goes at the next read.
  sqlite3_exec(db_, "PRAGMA locking_mode=NORMAL; PRAGMA synchronous=FULL; SELECT count(*) FROM CatalogInfo;", nullptr,
               nullptr, nullptr);
}

std::string Connection::JournalMode() {
  sqlite3_stmt* st = nullptr;
  std::string mode;
  if (sqlite3_prepare_v2(Handle(), "PRAGMA journal_mode", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW)
    mode = Text(st, 0);
  sqlite3_finalize(st);
  return mode;
}

void Connection::RequireWritable() const {
  if (damaged_) throw DbError(DamagedMessage(FileName()), StoreProblem::kDamaged);
  if (db_ && readOnly_) throw DbError(ReadOnlyMessage(FileName()), StoreProblem::kReadOnly);
}

DbError Connection::LastError(std::string_view context) {
  const int code = db_ ? sqlite3_extended_errcode(db_) : SQLITE_NOMEM;
  const std::string engine = db_ ? sqlite3_errmsg(db_) : "out of memory";
  StoreProblem problem = ProblemOfEngineCode(code);
  // Once damaged, writes are refused as read-only: they are the damage's.
  if (problem == StoreProblem::kReadOnly && damaged_) problem = StoreProblem::kDamaged;
  if (problem == StoreProblem::kDamaged && !damaged_) {
    damaged_ = true;
    if (db_) sqlite3_exec(db_, "PRAGMA query_only=1", nullptr, nullptr, nullptr);
  }
  if (problem != StoreProblem::kOther) return DbError(ProblemMessage(problem, FileName()), problem);
  return DbError(context.empty() ? engine : std::string(context) + ": " + engine);
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
  std::string s(sql);
  if (sqlite3_exec(Handle(), s.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) ThrowLastError();
}

void Connection::BeginTransaction() { Execute("BEGIN IMMEDIATE"); }
void Connection::Commit() { Execute("COMMIT"); }
void Connection::Rollback() {
  if (InTransaction()) Execute("ROLLBACK");
}
bool Connection::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

}  // namespace catalog
