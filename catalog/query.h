// A query component over the catalogue connection. It runs one statement at
// a time the same way every time: clear, add the statement text, bind the
// values, then open and read the rows (end test, columns by name as text or
// integer, next) or execute; then close. Values are always bound parameters
// ("?" in the text), never spliced into it.
//
// Rows are added by opening a table, appending a row, setting its columns by
// name and posting it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "catalog/db_error.h"

struct sqlite3_stmt;

namespace catalog {

class Connection;

class Query {
 public:
  using Value = std::variant<std::monostate, int64_t, std::string>;

  explicit Query(Connection* connection = nullptr) : connection_(connection) {}
  ~Query();
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  void SetConnection(Connection* connection);
  Connection* GetConnection() const { return connection_; }

  // Statement text and parameters.
  void Clear();
  void Add(std::string_view sql);
  const std::string& Text() const { return sql_; }
  // Counts the statements the query was given (Clear, OpenTable): whoever
  // keeps the query open across message processing compares it to see
  // whether another command took the query over meanwhile.
  uint64_t Generation() const { return generation_; }
  Query& Bind(std::string_view text);
  Query& Bind(int64_t value);

  // A query: opens it on its first row.
  void Open();
  bool Active() const { return stmt_ != nullptr || tableMode_; }
  bool Eof() const { return eof_; }
  void Next();
  void Close();
  // Runs the open statement again from its first row with parameter
  // `index` (from 0) set to `value`, without preparing it again.
  void Reopen(size_t index, int64_t value);
  std::string AsString(std::string_view column) const;
  int64_t AsInteger(std::string_view column) const;
  bool IsNull(std::string_view column) const;
  // Whether the open statement has the column (a catalogue of an older
  // form, opened read-only, lacks the newer ones).
  bool HasField(std::string_view column) const;
  // Columns by number (from 0), for readers of many rows; the text stays
  // valid until the next step.
  std::string_view TextAt(int column) const;
  bool IsNullAt(int column) const;
  int64_t IntegerAt(int column) const;

  // An update or delete. Returns the number of rows changed.
  int64_t ExecSQL();

  // Appending: OpenTable, then Append, SetField..., Post for each row.
  void OpenTable(std::string_view table);
  void Append();
  void SetField(std::string_view column, std::string_view value);
  void SetField(std::string_view column, int64_t value);
  void Post();

  // A statement run many times with new values (the rows of a scan):
  // prepared once, then for each run the values set by position (from 0)
  // and Run. Text is bound without a copy, so it must stay valid until Run
  // returns; after Run every value is unset (null) again.
  void PrepareRepeated(std::string_view sql);
  void SetText(int index, std::string_view text);
  void SetInteger(int index, int64_t value);
  void Run();

 private:
  void Prepare();
  void BindAll(sqlite3_stmt* st, const std::vector<Value>& values);
  void Step();
  void Check(int rc);
  int ColumnIndex(std::string_view column) const;

  Connection* connection_;
  std::string sql_;
  uint64_t generation_ = 0;
  std::vector<Value> params_;
  sqlite3_stmt* stmt_ = nullptr;
  bool eof_ = true;
  std::vector<std::string> columns_;

  bool tableMode_ = false;
  std::string table_;
  std::vector<std::pair<std::string, Value>> row_;
  bool appending_ = false;
  std::map<std::string, sqlite3_stmt*> inserts_;  // by column list
};

}  // namespace catalog
