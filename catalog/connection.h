// The one catalogue connection. It is opened from a connection text that
// names the file and the database password, as the program builds it at run
// time, and it checks the password against what the file keeps.
#pragma once

#include <string>
#include <string_view>

#include "catalog/db_error.h"
#include "catalog/name_index.h"
#include "catalog/row_changes.h"

struct sqlite3;

namespace catalog {

inline constexpr const char* kCatalogFileName = "Kestrova";
inline constexpr const char* kDatabasePassword = "vortagenil";

// "Provider=...;Data Source=<folder>Kestrova;Jet OLEDB:Database Password=...;..."
std::string BuildConnectionString(std::string_view exeFolder);
// Value of one key of a connection text ("" when absent); keys ignore case.
std::string ConnectionStringValue(std::string_view connectionString, std::string_view key);

class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void SetConnectionString(std::string s) { connectionString_ = std::move(s); }
  const std::string& ConnectionString() const { return connectionString_; }
  // The file named by the connection text.
  std::string FileName() const;

  // Opens the file named by the connection text. Throws DbError naming the
  // file when it is missing, unreadable, not a catalogue, or when the
  // password does not match.
  void Open();
  void Close();
  bool Connected() const { return db_ != nullptr; }

  // Transactions are used where a change must take effect whole (rename) and
  // to group the appended rows of a scan.
  void BeginTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const;

  // Runs a statement that takes no parameters and returns no rows.
  void Execute(std::string_view sql);
  sqlite3* Handle() const;

  // The CDFile rows this connection touched since they were last taken
  // (every insert, update and delete it made, as the engine reports them).
  RowChanges::Taken TakeFileChanges() { return fileChanges_.Take(); }
  // The names of CDFile in memory for the name search; emptied when the
  // connection closes (a compaction may renumber the rows), read again at
  // the next search.
  NameIndex& Names() { return names_; }

 private:
  static void OnRowChange(void* self, int op, const char* db, const char* table, long long rowid);
  static void OnRollback(void* self);

  std::string connectionString_;
  sqlite3* db_ = nullptr;
  RowChanges fileChanges_;
  NameIndex names_;
};

// Raises DbError with the engine's message for a failed call.
[[noreturn]] void ThrowEngineError(sqlite3* db, std::string_view context);

}  // namespace catalog
