// The names of every CDFile row held in memory, folded, so that a name
// search scans a few bytes per entry instead of reading every row of the
// file. It is a cache of the file: built from CDFile at its first use,
// brought in step before every search with the rows the connection touched
// since (RowChanges), and read whole again when another connection changed
// the file or the connection was reopened. Losing it loses nothing.
//
// Layout: chunks of up to 64 K entries, each with its folded names in one
// block of text (each followed by a zero byte), the offset of each name, its
// rowid as an offset from the chunk's base, and its kind. No block is larger
// than a few megabytes, so a 32-bit process finds room for ten million
// entries in a fragmented address space, and a change rewrites one chunk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/hit_table.h"
#include "catalog/index_chunk.h"
#include "catalog/row_changes.h"
#include "catalog/rowid_list.h"
#include "catalog/search_conditions.h"

struct sqlite3;

namespace catalog {

class Connection;
class Query;
class NameRule;

// The kind of an entry as the search's options test it: Type 0 is a file,
// Type 1 a folder; any other value is found only when both options are on.
enum class EntryKind : uint8_t { File = 0, Folder = 1, Other = 2 };

// A search: the text (NameRule), the two options and the conditions.
struct SearchRequest {
  std::string text;
  bool folders = true;
  bool files = true;
  SearchConditions conditions;
};

class NameIndex {
 public:
  // `chunkEntries`: the most entries a chunk holds (small in tests, to
  // exercise the chunk boundaries).
  explicit NameIndex(size_t chunkEntries = size_t{1} << 16);
  ~NameIndex();
  NameIndex(const NameIndex&) = delete;
  NameIndex& operator=(const NameIndex&) = delete;

  // Brings the index in step with the connection's CDFile and returns the
  // rowids of the rows whose Name is like "%" + text + "%" (see
  // NamePattern), of the kinds the two options choose, in rowid order.
  // While a build in slices is under way the file answers instead
  // (ScanFile), so that a search right after start-up costs no more than
  // one read of the names; the slices go on afterwards.
  RowidList Search(Connection& cn, std::string_view text, bool folders, bool files);
  // The same answer read from the file, row by row, without the index.
  static RowidList ScanFile(Connection& cn, std::string_view text, bool folders, bool files);

  // In step with the file: built at the first call, then the touched rows
  // read again; everything read again when `rebuild`.
  void Sync(Connection& cn, RowChanges::Taken changes, bool rebuild);
  // The search over the index as it stands.
  RowidList Find(std::string_view text, bool folders, bool files) const;
  std::shared_ptr<HitTable> FindHits(const SearchRequest& request) const;
  // Brought in step, then FindHits. Unlike Search it never answers from the
  // file: the hits keep the index's entries.
  std::shared_ptr<HitTable> SearchHits(Connection& cn, const SearchRequest& request);
  // Brought in step with the file as SearchHits does, without a search.
  void BringInStep(Connection& cn);
  // Every entry as the index stands (see IndexContents).
  IndexContents Contents() const;

  // Reads the file in slices, `rows` at a time, so that a window can build
  // the index between its messages before the first search asks for it.
  // Returns true when the index is built (or a slice failed: the first
  // search then reads the file whole).
  bool BuildStep(Connection& cn, int64_t rows);

  // Forgets every entry (the next Sync reads the file whole).
  void Clear();
  bool Built() const { return built_; }
  size_t Entries() const;
  // Bytes held (capacities, not sizes), the path table's included.
  size_t MemoryBytes() const;

  // Replaces the entries with rowids in [first, last] by the given rows,
  // which lie in that range in rowid order. The sync's one way of changing
  // the index; tests use it directly.
  struct Row {
    Row(int64_t rowid, EntryKind kind, std::string folded, int64_t size = 0, int64_t modified = kUnknownTime,
        std::string path = {})
        : rowid(rowid), kind(kind), folded(std::move(folded)), size(size), modified(modified), path(std::move(path)) {}
    int64_t rowid;
    EntryKind kind;
    std::string folded;
    int64_t size;
    int64_t modified;
    std::string path;
    bool inArchive = false;  // a member of an archive
  };
  void Replace(int64_t first, int64_t last, const std::vector<Row>& rows);

  // Gives a newly opened connection the SQL function of ScanFile, bound to
  // this index; false when the engine refuses (out of memory).
  bool RegisterMatchFunction(sqlite3* db);
  // The pattern that the SQL function tests (none outside ScanFile).
  struct MatchState {
    const NameRule* pattern = nullptr;
    std::string folded;
  };

 private:
  using Chunk = IndexChunk;
  using Chunks = std::vector<std::shared_ptr<Chunk>>;
  // One entry: its texts already numbered in the index's tables.
  struct Entry {
    int64_t rowid;
    EntryKind kind;
    std::string_view folded;
    int64_t size;
    int64_t modified;
    uint32_t path;
    uint32_t ext;
    bool inArchive;
  };
  Entry EntryOf(const Row& r);
  uint32_t PathId(std::string_view path);
  uint32_t ExtId(EntryKind kind, std::string_view folded);
  static Entry EntryAt(const Chunk& c, size_t i);
  void AppendTo(Chunks& chunks, const Entry& e);
  void ReadRange(Connection& cn, int64_t first, int64_t last);
  void ReadRows(Query& q);
  void ResetTables();
  int64_t LastRowid() const;

  size_t chunkEntries_;
  Chunks chunks_;
  // Stored paths and extensions by number; the extensions' categories.
  std::shared_ptr<TextTable> paths_;
  TextTable exts_;
  std::vector<FileCategory> extCategory_;
  std::string lastPath_;  // the path last numbered, and its number
  uint32_t lastPathId_ = 0;
  bool lastPathValid_ = false;
  bool built_ = false;
  bool building_ = false;  // BuildStep has read the rows up to LastRowid()
  int64_t dataVersion_ = 0;
  std::unique_ptr<MatchState> match_;  // at a fixed address: the engine holds it
};

}  // namespace catalog
