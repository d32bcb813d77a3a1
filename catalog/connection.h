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

// "Provider=...;Data Source=<file>;Jet OLEDB:Database Password=...;...": the
// connection text of a catalogue file.
std::string ConnectionStringFor(std::string_view file);
// The connection text of the catalogue beside the executable: <folder>Kestrova.
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
  // file when it is missing, unreadable, damaged, not a catalogue, or when
  // the password does not match.
  //
  // Where the file lives decides how: in a place the program cannot write
  // (a CD, a write-protected stick, a folder or file without write
  // permission) it is opened read-only and nothing is written to it; on a
  // network drive it uses a rollback journal instead of the write-ahead log,
  // whose shared memory a network file system does not give, and a file
  // left in write-ahead mode is switched back first.
  void Open();
  void Close();
  bool Connected() const { return db_ != nullptr; }

  // What Open found (false while closed).
  bool ReadOnly() const { return db_ && readOnly_; }
  bool OnNetwork() const { return db_ && network_; }
  // Set once the engine reported the file damaged: nothing more is written.
  bool Damaged() const { return damaged_; }
  // Treats the file as lying on a network drive (tests; the place is
  // otherwise found at Open).
  void TreatAsNetwork(bool on) { forceNetwork_ = on; }
  // "wal" or "delete" as the engine reports it.
  std::string JournalMode();

  // Throws DbError with the read-only or the damaged message when the
  // catalogue must not be written. Every statement that writes asks first.
  void RequireWritable() const;
  // The error the engine reported last on this connection, with the user's
  // message when it is a problem of the place (StoreProblem), else the
  // engine's text after `context`. Marks the file damaged when it is.
  DbError LastError(std::string_view context = "");
  [[noreturn]] void ThrowLastError(std::string_view context = "") { throw LastError(context); }

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
  void OpenReadOnly(const std::string& file);
  void SwitchToRollbackJournal();
  void UpgradeOrFail(const std::string& what);
  static void OnRowChange(void* self, int op, const char* db, const char* table, long long rowid);
  static void OnRollback(void* self);

  std::string connectionString_;
  sqlite3* db_ = nullptr;
  bool readOnly_ = false;
  bool network_ = false;
  bool forceNetwork_ = false;
  bool damaged_ = false;
  RowChanges fileChanges_;
  NameIndex names_;
};

}  // namespace catalog
