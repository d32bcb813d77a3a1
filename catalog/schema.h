// The catalogue's tables, and the one place that may create them: the
// build-time tool that makes the empty catalogue shipped with the program.
#pragma once

#include <string>

struct sqlite3;

namespace catalog {

// Name of the table that keeps the format mark and the password check.
inline constexpr const char* kInfoTable = "CatalogInfo";
inline constexpr const char* kFormatMark = "Vorlune catalogue 1";

// The schema version kept in PRAGMA user_version. 0: the first form
// (CDName(ID, CDName, TotalM, Memo1), CDFile(Name, Path, Type, Size)).
// 1: the disk's identity and counts on CDName, each entry's time and
// attributes on CDFile, added as columns (docs/catalogue.md).
// 2: what archives and disc images hold, on CDFile: an archive's row counts
// its members (Members), and each member's row is marked (InArchive = 1).
inline constexpr int kSchemaVersion = 2;
// The columns version 1 adds, as "Name TYPE" lists separated by commas.
inline constexpr const char* kSnapshotColumnsAdded =
    "Serial INTEGER,VolumeLabel TEXT,FileSystem TEXT,DriveKind INTEGER,TotalBytes INTEGER,FreeBytes INTEGER,"
    "Folders INTEGER,Files INTEGER,FileBytes INTEGER,Created INTEGER,Updated INTEGER";
inline constexpr const char* kEntryColumnsAdded = "Modified INTEGER,Attr INTEGER";
// The columns version 2 adds to CDFile.
inline constexpr const char* kArchiveColumnsAdded = "Members INTEGER,InArchive INTEGER";

// Brings a writable catalogue of an older form to kSchemaVersion in one
// transaction (ADD COLUMN only: the file is not rewritten, older rows read
// the new columns as NULL). Does nothing when it is current. Returns the
// engine's result code (SQLITE_OK on success; the transaction rolled back
// otherwise).
int UpgradeSchema(sqlite3* db);
// The file's schema version (PRAGMA user_version); -1 when unreadable.
int SchemaVersion(sqlite3* db);

// Salted hash of the database password as the file keeps it.
std::string PasswordCheck(const std::string& salt, const std::string& password);

// Creates a new, empty catalogue at path (both tables, no rows) protected by
// password. Throws DbError; refuses to overwrite an existing file.
void CreateEmptyCatalog(const std::string& path, const std::string& password);

}  // namespace catalog
