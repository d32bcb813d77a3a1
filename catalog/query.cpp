#include "catalog/query.h"

#include <sqlite3.h>

#include "catalog/connection.h"
#include "platform/text.h"

namespace catalog {
namespace {

bool IsIdentifier(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

}  // namespace

Query::~Query() {
  Close();
}

void Query::SetConnection(Connection* connection) {
  Close();
  connection_ = connection;
}

void Query::Clear() {
  Close();
  ++generation_;
  sql_.clear();
  params_.clear();
}

void Query::Add(std::string_view sql) {
  if (!sql_.empty()) sql_ += ' ';
  sql_ += sql;
}

Query& Query::Bind(std::string_view text) {
  params_.emplace_back(std::string(text));
  return *this;
}

Query& Query::Bind(int64_t value) {
  params_.emplace_back(value);
  return *this;
}

void Query::BindAll(sqlite3_stmt* st, const std::vector<Value>& values) {
  for (size_t i = 0; i < values.size(); ++i) {
    int idx = static_cast<int>(i) + 1;
    int rc = SQLITE_OK;
    if (auto* s = std::get_if<std::string>(&values[i]))
      rc = sqlite3_bind_text(st, idx, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    else if (auto* n = std::get_if<int64_t>(&values[i]))
      rc = sqlite3_bind_int64(st, idx, *n);
    else
      rc = sqlite3_bind_null(st, idx);
    if (rc != SQLITE_OK) connection_->ThrowLastError();
  }
}

void Query::Prepare() {
  if (!connection_) throw DbError("查询未连接到目录数据库");
  Close();
  sqlite3* db = connection_->Handle();
  if (sqlite3_prepare_v2(db, sql_.c_str(), static_cast<int>(sql_.size()), &stmt_, nullptr) != SQLITE_OK) {
    stmt_ = nullptr;
    connection_->ThrowLastError();
  }
  try {
    BindAll(stmt_, params_);
  } catch (...) {
    Close();
    throw;
  }
}

void Query::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) {
    eof_ = false;
  } else if (rc == SQLITE_DONE) {
    eof_ = true;
  } else {
    DbError error = connection_->LastError();
    Close();
    throw error;
  }
}

void Query::Open() {
  Prepare();
  columns_.clear();
  for (int i = 0, n = sqlite3_column_count(stmt_); i < n; ++i) columns_.emplace_back(sqlite3_column_name(stmt_, i));
  Step();
}

void Query::Reopen(size_t index, int64_t value) {
  if (index >= params_.size()) throw DbError("查询参数不存在");
  params_[index] = value;
  if (!stmt_) {
    Open();
    return;
  }
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  try {
    BindAll(stmt_, params_);
  } catch (...) {
    Close();
    throw;
  }
  Step();
}

void Query::Next() {
  if (!stmt_ || eof_) return;
  Step();
}

void Query::Close() {
  if (stmt_) sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  eof_ = true;
  columns_.clear();
  for (auto& [key, st] : inserts_) sqlite3_finalize(st);
  inserts_.clear();
  tableMode_ = false;
  appending_ = false;
  row_.clear();
}

int Query::ColumnIndex(std::string_view column) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (text::EqualsNoCaseAscii(columns_[i], column)) return static_cast<int>(i);
  throw DbError("找不到字段 " + std::string(column));
}

std::string Query::AsString(std::string_view column) const {
  int i = ColumnIndex(column);
  if (!stmt_ || eof_) throw DbError("查询没有当前记录");
  const unsigned char* t = sqlite3_column_text(stmt_, i);
  return t ? std::string(reinterpret_cast<const char*>(t), sqlite3_column_bytes(stmt_, i)) : std::string();
}

int64_t Query::AsInteger(std::string_view column) const {
  int i = ColumnIndex(column);
  if (!stmt_ || eof_) throw DbError("查询没有当前记录");
  return sqlite3_column_int64(stmt_, i);
}

bool Query::IsNull(std::string_view column) const {
  int i = ColumnIndex(column);
  if (!stmt_ || eof_) throw DbError("查询没有当前记录");
  return sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

bool Query::HasField(std::string_view column) const {
  for (const std::string& c : columns_)
    if (text::EqualsNoCaseAscii(c, column)) return true;
  return false;
}

std::string_view Query::TextAt(int i) const {
  if (!stmt_ || eof_) throw DbError("查询没有当前记录");
  const unsigned char* t = sqlite3_column_text(stmt_, i);
  return t ? std::string_view(reinterpret_cast<const char*>(t), sqlite3_column_bytes(stmt_, i)) : std::string_view();
}

int64_t Query::IntegerAt(int i) const {
  if (!stmt_ || eof_) throw DbError("查询没有当前记录");
  return sqlite3_column_int64(stmt_, i);
}

bool Query::IsNullAt(int i) const {
  if (!stmt_ || eof_) throw DbError("查询没有当前记录");
  return sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

int64_t Query::ExecSQL() {
  Prepare();
  int rc = sqlite3_step(stmt_);
  while (rc == SQLITE_ROW) rc = sqlite3_step(stmt_);
  sqlite3* db = connection_->Handle();
  if (rc != SQLITE_DONE) {
    DbError error = connection_->LastError();
    Close();
    throw error;
  }
  int64_t changed = sqlite3_changes64(db);
  Close();
  return changed;
}

void Query::OpenTable(std::string_view table) {
  if (!connection_) throw DbError("查询未连接到目录数据库");
  if (!IsIdentifier(table)) throw DbError("无效的表名 " + std::string(table));
  Close();
  ++generation_;
  connection_->Handle();
  // Appending writes: refused up front on a read-only or damaged catalogue.
  connection_->RequireWritable();
  table_ = std::string(table);
  tableMode_ = true;
}

void Query::Append() {
  if (!tableMode_) throw DbError("表未打开");
  row_.clear();
  appending_ = true;
}

void Query::SetField(std::string_view column, std::string_view value) {
  if (!appending_) throw DbError("不在追加记录状态");
  if (!IsIdentifier(column)) throw DbError("无效的字段名 " + std::string(column));
  row_.emplace_back(std::string(column), std::string(value));
}

void Query::SetField(std::string_view column, int64_t value) {
  if (!appending_) throw DbError("不在追加记录状态");
  if (!IsIdentifier(column)) throw DbError("无效的字段名 " + std::string(column));
  row_.emplace_back(std::string(column), value);
}

void Query::Post() {
  if (!appending_) throw DbError("不在追加记录状态");
  std::string key;
  for (auto& [col, v] : row_) key += col + ",";
  sqlite3* db = connection_->Handle();
  sqlite3_stmt*& st = inserts_[key];
  if (!st) {
    std::string sql = "INSERT INTO " + table_ + "(";
    std::string marks;
    for (size_t i = 0; i < row_.size(); ++i) {
      sql += (i ? "," : "") + row_[i].first;
      marks += i ? ",?" : "?";
    }
    sql += ") VALUES(" + marks + ")";
    if (row_.empty()) sql = "INSERT INTO " + table_ + " DEFAULT VALUES";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
      st = nullptr;
      inserts_.erase(key);
      connection_->ThrowLastError();
    }
  }
  sqlite3_reset(st);
  sqlite3_clear_bindings(st);
  std::vector<Value> values;
  values.reserve(row_.size());
  for (auto& [col, v] : row_) values.push_back(v);
  BindAll(st, values);
  int rc = sqlite3_step(st);
  appending_ = false;
  row_.clear();
  if (rc != SQLITE_DONE) {
    DbError error = connection_->LastError();
    sqlite3_reset(st);
    throw error;
  }
  sqlite3_reset(st);
}

void Query::PrepareRepeated(std::string_view sql) {
  Clear();
  Add(sql);
  Prepare();
}

void Query::Check(int rc) {
  if (rc != SQLITE_OK) connection_->ThrowLastError();
}

void Query::SetText(int index, std::string_view text) {
  if (!stmt_) throw DbError("查询未打开");
  Check(sqlite3_bind_text(stmt_, index + 1, text.data(), static_cast<int>(text.size()), SQLITE_STATIC));
}

void Query::SetInteger(int index, int64_t value) {
  if (!stmt_) throw DbError("查询未打开");
  Check(sqlite3_bind_int64(stmt_, index + 1, value));
}

void Query::Run() {
  if (!stmt_) throw DbError("查询未打开");
  int rc = sqlite3_step(stmt_);
  while (rc == SQLITE_ROW) rc = sqlite3_step(stmt_);
  if (rc != SQLITE_DONE) {
    DbError error = connection_->LastError();
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    throw error;
  }
  sqlite3_reset(stmt_);
  // The text bound last points into the caller's strings.
  sqlite3_clear_bindings(stmt_);
}

}  // namespace catalog
