#include "catalog/statements.h"

#include <sqlite3.h>

namespace catalog {
namespace {

// The rows of one snapshot form one range of the Path index: every path that
// begins with the root compares at or after the root and before the root
// with its final backslash raised to the next character ("]"). Neither
// character is a letter, so the range holds under case-insensitive order,
// and "%" or "_" in a label are ordinary characters here.
void BindRootRange(Query& q, std::string_view label) {
  std::string root = SnapshotRoot(label);
  std::string upper = root;
  upper.back() = static_cast<char>('\\' + 1);
  q.Bind(root).Bind(upper);
}

// Every statement that writes asks first: a read-only or damaged catalogue
// refuses with its own message before anything runs.
void Writing(Query& q) {
  if (Connection* cn = q.GetConnection()) cn->RequireWritable();
}

}  // namespace

std::string SnapshotRoot(std::string_view label) { return "[" + std::string(label) + "]:\\"; }

void OpenSnapshotList(Query& q) {
  q.Clear();
  q.Add("Select * from CDName Order By ID");
  q.Open();
}

bool LabelTaken(Query& q, std::string_view label) {
  q.Clear();
  q.Add("Select CDName from CDName Where CDName=?");
  q.Bind(label);
  q.Open();
  bool taken = !q.Eof();
  q.Close();
  return taken;
}

void AppendSnapshot(Query& q, std::string_view label, int64_t totalM, std::string_view memo) {
  q.OpenTable("CDName");
  q.Append();
  q.SetField("CDName", label);
  q.SetField("TotalM", totalM);
  q.SetField("Memo1", memo);
  q.Post();
  q.Close();
}

void OpenEntryAppend(Query& q, int rows) {
  Writing(q);
  std::string sql =
      "Insert Into CDFile(Name, Path, Type, Size, Modified, Attr, Members, InArchive) Values(?, ?, ?, ?, ?, ?, ?, ?)";
  for (int i = 1; i < rows; ++i) sql += ", (?, ?, ?, ?, ?, ?, ?, ?)";
  q.PrepareRepeated(sql);
}

void SetEntry(Query& q, int place, std::string_view name, std::string_view storedPath, int type, int64_t size,
              int64_t modified, int64_t attributes, const ArchiveMark& archive) {
  const int at = place * 8;
  q.SetText(at, name);
  q.SetText(at + 1, storedPath);
  q.SetInteger(at + 2, type);
  // The values left unset are null.
  if (type == 0) q.SetInteger(at + 3, size);
  if (modified != 0) q.SetInteger(at + 4, modified);
  q.SetInteger(at + 5, attributes);
  if (archive.members > 0) q.SetInteger(at + 6, archive.members);
  if (archive.inArchive) q.SetInteger(at + 7, 1);
}

void AppendEntries(Query& q) { q.Run(); }

void SetCheckpointPages(Connection& cn, int pages) noexcept {
  if (cn.Connected()) sqlite3_wal_autocheckpoint(cn.Handle(), pages);
}

void OpenFolder(Query& q, std::string_view storedPath) {
  q.Clear();
  q.Add("Select CDFile.* from CDFile Where Path=? Order By rowid");
  q.Bind(storedPath);
  q.Open();
}

void OpenFileRow(Query& q, std::string_view storedPath, std::string_view name) {
  q.Clear();
  q.Add("Select * from CDFile Where Path=? And Name=?");
  q.Bind(storedPath).Bind(name);
  q.Open();
}

int64_t DeleteSnapshotFiles(Query& q, std::string_view label) {
  Writing(q);
  q.Clear();
  q.Add("Delete from CDFile Where Path>=? And Path<?");
  BindRootRange(q, label);
  return q.ExecSQL();
}

int64_t DeleteSnapshotRow(Query& q, std::string_view label) {
  Writing(q);
  q.Clear();
  q.Add("Delete from CDName Where CDName=?");
  q.Bind(label);
  return q.ExecSQL();
}

void OpenSearch(Query& q, std::string_view text, bool folders, bool files) {
  q.Clear();
  q.Add("Select * from CDFile where Name like '%' || ? || '%'");
  q.Bind(text);
  if (!folders) q.Add("And Type=0");
  if (!files) q.Add("And Type=1");
  q.Open();
}

// The kind of a row as the name search tests it: 0 file, 1 folder, 2 any
// other Type.
constexpr const char* kKind = "Case When Type=0 Then 0 When Type=1 Then 1 Else 2 End As Kind";

// The columns the names in memory keep, Modified and InArchive as NULL in a
// catalogue that has none (a read-only one of an older form).
static void AddNameRowColumns(Query& q, int version) {
  q.Add("Select rowid, Name,");
  q.Add(kKind);
  q.Add(version >= 1 ? ", Path, Size, Modified" : ", Path, Size, Null");
  q.Add(version >= 2 ? ", InArchive" : ", Null");
}

void OpenNameRows(Query& q, int64_t first, int64_t last, int version) {
  q.Clear();
  AddNameRowColumns(q, version);
  q.Add("From CDFile Where rowid Between ? And ? And Name Is Not Null Order By rowid");
  q.Bind(first).Bind(last);
  q.Open();
}

void OpenRowsWhoseNameMatches(Query& q, const char* matchFunction) {
  q.Clear();
  q.Add("Select rowid,");
  q.Add(kKind);
  q.Add(std::string("From CDFile Where ") + matchFunction + "(Name) Order By rowid");
  q.Open();
}

void OpenNameRowsAfter(Query& q, int64_t after, int64_t limit, int version) {
  q.Clear();
  AddNameRowColumns(q, version);
  q.Add("From CDFile Where rowid > ? And Name Is Not Null Order By rowid Limit ?");
  q.Bind(after).Bind(limit);
  q.Open();
}

int64_t DataVersion(Connection& cn) {
  Query q(&cn);
  q.Add("PRAGMA data_version");
  q.Open();
  const int64_t v = q.IntegerAt(0);
  q.Close();
  return v;
}

namespace {

bool AtRow(const Query& q, int64_t rowid) { return !q.Eof() && q.IntegerAt(0) == rowid; }

}  // namespace

bool OpenEntry(Query& q, int64_t rowid) {
  q.Clear();
  q.Add("Select rowid, Name, Type, Path From CDFile Where rowid>=? Order By rowid");
  q.Bind(rowid);
  q.Open();
  return AtRow(q, rowid);
}

std::string EntryName(Query& q, int64_t rowid) {
  if (q.Active()) {
    q.Reopen(0, rowid);
  } else {
    q.Clear();
    q.Add("Select Name From CDFile Where rowid=?");
    q.Bind(rowid);
    q.Open();
  }
  return q.Eof() ? std::string() : std::string(q.TextAt(0));
}

bool MoveToEntry(Query& q, int64_t rowid) {
  // Stepping over a row costs far less than a search from the table's root:
  // the hits of a common text lie a few rows apart.
  constexpr int64_t kStepAtMost = 16;
  if (q.Active() && !q.Eof()) {
    const int64_t at = q.IntegerAt(0);
    if (at <= rowid && rowid - at <= kStepAtMost) {
      while (!q.Eof() && q.IntegerAt(0) < rowid) q.Next();
      return AtRow(q, rowid);
    }
  }
  q.Reopen(0, rowid);
  return AtRow(q, rowid);
}

void RenameSnapshot(Query& q, std::string_view oldLabel, std::string_view newLabel) {
  Connection* cn = q.GetConnection();
  if (!cn) throw DbError("查询未连接到目录数据库");
  cn->RequireWritable();
  cn->BeginTransaction();
  try {
    q.Clear();
    // substr counts characters; the old "[label]" is that many characters.
    q.Add("Update CDFile Set Path=? || substr(Path, length(?) + 1) Where Path>=? And Path<?");
    q.Bind("[" + std::string(newLabel) + "]");
    q.Bind("[" + std::string(oldLabel) + "]");
    BindRootRange(q, oldLabel);
    q.ExecSQL();
    q.Clear();
    q.Add("Update CDName Set CDName=? Where CDName=?");
    q.Bind(newLabel).Bind(oldLabel);
    q.ExecSQL();
    cn->Commit();
  } catch (...) {
    q.Close();
    cn->Rollback();
    throw;
  }
}

void OpenSnapshotRow(Query& q, std::string_view label) {
  q.Clear();
  q.Add("Select * from CDName Where CDName=?");
  q.Bind(label);
  q.Open();
}

int64_t UpdateMemo(Query& q, std::string_view label, std::string_view memo) {
  Writing(q);
  q.Clear();
  q.Add("Update CDName set Memo1=? Where  CDName=?");
  q.Bind(memo).Bind(label);
  return q.ExecSQL();
}

void OpenExportRows(Query& q, std::string_view label, bool withArchiveMembers) {
  const bool leaveMembersOut = !withArchiveMembers && q.GetConnection() && KeepsArchiveMembers(*q.GetConnection());
  q.Clear();
  q.Add("Select Path||Name As FileDir,Type from CDFile Where Path>=? And Path<?");
  if (leaveMembersOut) q.Add("And InArchive Is Null");
  q.Add("Order By Path||Name COLLATE NOCASE");
  BindRootRange(q, label);
  q.Open();
}

bool SnapshotHasArchiveMembers(Query& q, std::string_view label) {
  if (!q.GetConnection() || !KeepsArchiveMembers(*q.GetConnection())) return false;
  q.Clear();
  q.Add("Select 1 From CDFile Where Path>=? And Path<? And InArchive=1 Limit 1");
  BindRootRange(q, label);
  q.Open();
  const bool any = !q.Eof();
  q.Close();
  return any;
}

bool TakeCatalogueAlone(Query& q) {
  q.Clear();
  q.Add("PRAGMA journal_mode=DELETE");
  q.Open();
  const std::string mode = q.Eof() ? std::string() : q.AsString("journal_mode");
  q.Close();
  if (mode != "delete") return false;
  Connection* cn = q.GetConnection();
  cn->Execute("PRAGMA locking_mode=EXCLUSIVE");
  cn->Execute("BEGIN EXCLUSIVE");
  cn->Execute("COMMIT");
  return true;
}

void ReadWithSmallCache(Connection& cn) { cn.Execute("PRAGMA mmap_size=0; PRAGMA cache_size=-4096"); }

void WriteCompactedCopy(Query& q, std::string_view targetFile) {
  q.Clear();
  q.Add("VACUUM INTO ?");
  q.Bind(targetFile);
  q.ExecSQL();
}

int CatalogueVersion(Connection& cn) {
  Query q(&cn);
  q.Add("PRAGMA user_version");
  q.Open();
  const int version = q.Eof() ? 0 : static_cast<int>(q.IntegerAt(0));
  q.Close();
  return version;
}

bool KeepsDatesAndIdentity(Connection& cn) { return CatalogueVersion(cn) >= 1; }

bool KeepsArchiveMembers(Connection& cn) { return CatalogueVersion(cn) >= 2; }

void RecordSnapshotFacts(Query& q, std::string_view label, int64_t totalM, const SnapshotFacts& f) {
  Writing(q);
  q.Clear();
  q.Add("Update CDName Set TotalM=?, Serial=?, VolumeLabel=?, FileSystem=?, DriveKind=?, TotalBytes=?,"
        " FreeBytes=?, Folders=?, Files=?, FileBytes=?, Created=nullif(?, 0), Updated=nullif(?, 0)"
        " Where CDName=?");
  q.Bind(totalM).Bind(static_cast<int64_t>(f.volume.serial)).Bind(f.volume.volumeLabel).Bind(f.volume.fileSystem);
  q.Bind(static_cast<int64_t>(f.volume.driveKind)).Bind(f.volume.totalBytes).Bind(f.volume.freeBytes);
  q.Bind(f.folders).Bind(f.files).Bind(f.fileBytes).Bind(f.created).Bind(f.updated).Bind(label);
  q.ExecSQL();
}

bool FindSnapshotOfVolume(Query& q, const VolumeIdentity& volume, std::string& label, SnapshotFacts& facts) {
  if (volume.serial == 0 || !q.GetConnection() || !KeepsDatesAndIdentity(*q.GetConnection())) return false;
  q.Clear();
  q.Add("Select * from CDName Where Serial=? And VolumeLabel=? Order By Updated Desc, ID Desc");
  q.Bind(static_cast<int64_t>(volume.serial)).Bind(volume.volumeLabel);
  q.Open();
  const bool found = !q.Eof();
  if (found) {
    label = q.AsString("CDName");
    facts = SnapshotFactsOf(q);
  }
  q.Close();
  return found;
}

void OpenSnapshotEntries(Query& q, std::string_view label) {
  q.Clear();
  q.Add("Select rowid, Path, Name, Type, Size, Modified, Attr, Members, InArchive From CDFile"
        " Where Path>=? And Path<?");
  BindRootRange(q, label);
  q.Open();
}

int64_t DeleteEntryRow(Query& q, int64_t rowid) {
  Writing(q);
  q.Clear();
  q.Add("Delete from CDFile Where rowid=?");
  q.Bind(rowid);
  return q.ExecSQL();
}

int64_t UpdateEntryRow(Query& q, int64_t rowid, int64_t size, int64_t modified, int64_t attributes,
                       const ArchiveMark& archive) {
  Writing(q);
  q.Clear();
  q.Add("Update CDFile Set Size=Case When Type=0 Then ? Else Size End, Modified=nullif(?, 0), Attr=?,"
        " Members=nullif(?, 0), InArchive=nullif(?, 0) Where rowid=?");
  q.Bind(size).Bind(modified).Bind(attributes).Bind(archive.members).Bind(int64_t{archive.inArchive}).Bind(rowid);
  return q.ExecSQL();
}

}  // namespace catalog
