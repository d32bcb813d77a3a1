// Every statement the program runs on the catalogue, one function each, so
// that their meaning lives in one place. Functions named Open* leave the
// query open on its first row for the caller to read; the others run and
// close. Values are bound, never spliced.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/connection.h"
#include "catalog/query.h"
#include "catalog/snapshot_facts.h"

namespace catalog {

// "[" + label + "]:\" : the stored path of a snapshot's root.
std::string SnapshotRoot(std::string_view label);

// All snapshots in the order they were added; columns CDName, TotalM, Memo1.
void OpenSnapshotList(Query& q);
// Whether a snapshot with this label exists (labels compare ignoring case).
bool LabelTaken(Query& q, std::string_view label);
// Appends a snapshot row.
void AppendSnapshot(Query& q, std::string_view label, int64_t totalM, std::string_view memo);

// Appending CDFile rows one after another (a scan): the statement is made
// once, for `rows` rows a run, and each run only binds their values.
void OpenEntryAppend(Query& q, int rows = 1);
// What a row says of archives: an archive's own row counts the members
// listed below it; each member's row is marked as inside an archive.
struct ArchiveMark {
  int64_t members = 0;  // 0: not an archive with members (stored as NULL)
  bool inArchive = false;
};
// The row at `place` (from 0) of the next run: a folder (type 1, no size)
// or a file (type 0); a time of 0 is stored as "not known". The text must
// stay valid until the run.
void SetEntry(Query& q, int place, std::string_view name, std::string_view storedPath, int type, int64_t size,
              int64_t modified, int64_t attributes, const ArchiveMark& archive = {});
// Runs the append with the rows set.
void AppendEntries(Query& q);
// The pages the write-ahead log takes before a commit folds it into the
// file (the engine's default, and what a scan raises it to for its run:
// the index pages it keeps changing are then copied once per fold of many
// commits instead of at every other commit). Never throws: a catalogue
// with a rollback journal has no log to fold.
inline constexpr int kCheckpointPages = 1000;
inline constexpr int kScanCheckpointPages = 16384;
void SetCheckpointPages(Connection& cn, int pages) noexcept;

// Entries of one folder (rows whose Path equals the stored path), in the
// order they were recorded; all CDFile columns.
void OpenFolder(Query& q, std::string_view storedPath);
// One file's row (Path and Name equal); all CDFile columns.
void OpenFileRow(Query& q, std::string_view storedPath, std::string_view name);

// Removes every CDFile row of the snapshot: the rows whose Path begins with
// the literal root "[" + label + "]:\" (ignoring case). Returns the count.
int64_t DeleteSnapshotFiles(Query& q, std::string_view label);
// Removes the snapshot's CDName row.
int64_t DeleteSnapshotRow(Query& q, std::string_view label);

// Name search: Name like "%" + text + "%" with "%" and "_" as wildcards,
// letter case ignored; only files when !folders, only folders when !files,
// nothing when neither.
void OpenSearch(Query& q, std::string_view text, bool folders, bool files);

// The rows of the in-memory name index with rowids in [first, last], in
// rowid order: rowid, Name, the kind (0 file, 1 folder, 2 any other
// Type), Path, Size, Modified and InArchive (NULL in a catalogue of a
// `version` before them), read by column number; rows without a Name are
// left out.
void OpenNameRows(Query& q, int64_t first, int64_t last, int version);
// Rowid and kind, in rowid order, of the rows whose Name the SQL function
// `matchFunction` (one argument, registered by the caller) says true for.
void OpenRowsWhoseNameMatches(Query& q, const char* matchFunction);
// The same columns for at most `limit` rows after rowid `after`.
void OpenNameRowsAfter(Query& q, int64_t after, int64_t limit, int version);
// Moves whenever another connection commits a change to the file.
int64_t DataVersion(Connection& cn);
// One search hit's row by rowid: columns rowid, Name, Type, Path; true when
// the row exists. MoveToEntry goes on to a later hit: a near one by stepping
// the open statement, a far one by running it again from that rowid,
// without preparing it again.
bool OpenEntry(Query& q, int64_t rowid);
// The Name of the row `rowid` ("" when it is gone), on a query of its own;
// the same query asked again is run again without being prepared again.
std::string EntryName(Query& q, int64_t rowid);
bool MoveToEntry(Query& q, int64_t rowid);

// Rewrites the beginning of every stored path of the snapshot and its label,
// both in one transaction: either both take effect or neither does.
void RenameSnapshot(Query& q, std::string_view oldLabel, std::string_view newLabel);

// The snapshot's row; column Memo1.
void OpenSnapshotRow(Query& q, std::string_view label);
// Stores the memo exactly as given.
int64_t UpdateMemo(Query& q, std::string_view label, std::string_view memo);

// Every row of the snapshot as FileDir (Path + Name) and Type, ordered by
// FileDir compared without regard to letter case; the members of archives
// only when asked for.
void OpenExportRows(Query& q, std::string_view label, bool withArchiveMembers = false);
// Whether any row of the snapshot is a member of an archive.
bool SnapshotHasArchiveMembers(Query& q, std::string_view label);

// Compaction. Takes the catalogue for the query's connection alone: folds
// the write-ahead log into the main file (which needs every other
// connection gone), then holds an exclusive lock until the connection
// closes. False when another connection still has the file open.
bool TakeCatalogueAlone(Query& q);
// A connection that reads every page once (a copy): no memory map and a
// small cache, so that a catalogue of any size is read in a few MB.
void ReadWithSmallCache(Connection& cn);
// Writes a compacted copy of the whole catalogue to a new file.
void WriteCompactedCopy(Query& q, std::string_view targetFile);

// Keeping snapshots current (catalogue of schema version 1 or later).
// The catalogue's schema version (catalog/schema.h); 0 when unreadable.
int CatalogueVersion(Connection& cn);
// Whether the catalogue has the columns of dates, attributes and identity
// (an older one opened read-only has not).
bool KeepsDatesAndIdentity(Connection& cn);
// Whether it has the columns of archives' members (Members, InArchive).
bool KeepsArchiveMembers(Connection& cn);
// Writes the snapshot's identity, counts, TotalM and times; a time of 0 is
// stored as "not known".
void RecordSnapshotFacts(Query& q, std::string_view label, int64_t totalM, const SnapshotFacts& facts);
// The snapshot of the volume (SameVolume), the most recently updated when
// several are; false when none, when the volume has no serial number or
// the catalogue keeps no identity. Reads the snapshot's row into `facts`.
bool FindSnapshotOfVolume(Query& q, const VolumeIdentity& volume, std::string& label, SnapshotFacts& facts);
// Every row of the snapshot: rowid, Path, Name, Type, Size, Modified, Attr,
// Members, InArchive by column number, in no particular order.
void OpenSnapshotEntries(Query& q, std::string_view label);
int64_t DeleteEntryRow(Query& q, int64_t rowid);
// A file's size (folders keep theirs), time (0: not known), attributes and
// what it says of archives.
int64_t UpdateEntryRow(Query& q, int64_t rowid, int64_t size, int64_t modified, int64_t attributes,
                       const ArchiveMark& archive = {});

}  // namespace catalog
