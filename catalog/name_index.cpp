#include "catalog/name_index.h"

#include <algorithm>
#include <climits>

#include <sqlite3.h>

#include "catalog/connection.h"
#include "catalog/db_error.h"
#include "catalog/name_pattern.h"
#include "catalog/name_rule.h"
#include "catalog/query.h"
#include "catalog/statements.h"
#include "platform/case_fold.h"

namespace catalog {
namespace {

constexpr size_t kMaxText = 4 << 20;

EntryKind KindOf(int64_t k) { return k == 0 ? EntryKind::File : k == 1 ? EntryKind::Folder : EntryKind::Other; }

// The kinds the options choose, one bit per EntryKind: files, folders, and
// any other Type only when both options are on.
// The rule as an SQL function over Name, so that the engine passes on only
// the rows that match instead of every row. It is registered once, when the
// connection opens: the engine refuses to change or remove a function while
// any statement runs, and a search can start while another one's statement
// is open (a search nested in the messages of another).
constexpr const char* kMatchFunction = "vorlune_name_matches";
void MatchName(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* m = static_cast<NameIndex::MatchState*>(sqlite3_user_data(ctx));
  const unsigned char* name = sqlite3_value_text(argv[0]);
  if (!name || !m->pattern) return sqlite3_result_int(ctx, 0);
  m->folded.clear();
  text::AppendFolded(m->folded, std::string_view(reinterpret_cast<const char*>(name),
                                                 static_cast<size_t>(sqlite3_value_bytes(argv[0]))));
  sqlite3_result_int(ctx, m->pattern->Matches(m->folded) ? 1 : 0);
}

unsigned KindsWanted(bool folders, bool files) { return folders && files ? 7u : folders ? 2u : files ? 1u : 0u; }
bool Wanted(unsigned kinds, EntryKind k) { return (kinds >> static_cast<unsigned>(k) & 1u) != 0; }

}  // namespace

namespace {

bool Takes(const IndexChunk& c, int64_t rowid, size_t bytes, size_t maxEntries) {
  return c.Size() < maxEntries && c.text.size() + bytes + 1 <= kMaxText && rowid > c.LastRowid() &&
         static_cast<uint64_t>(rowid) - static_cast<uint64_t>(c.base) <= UINT32_MAX;
}

// Extensions longer than this are not numbered (a dotted version or date is
// no kind of file); such a file is of no category and no list of the user's.
constexpr size_t kLongestExtension = 16;

}  // namespace

NameIndex::NameIndex(size_t chunkEntries)
    : chunkEntries_(chunkEntries ? chunkEntries : 1), match_(std::make_unique<MatchState>()) {
  ResetTables();
}

void NameIndex::ResetTables() {
  // Hit lists keep the old path table; the index starts a new one.
  paths_ = std::make_shared<TextTable>();
  lastPathValid_ = false;
  exts_ = TextTable();
  extCategory_.clear();
  exts_.Id("");
  extCategory_.push_back(FileCategory::Other);
}
NameIndex::~NameIndex() = default;

bool NameIndex::RegisterMatchFunction(sqlite3* db) {
  return sqlite3_create_function(db, kMatchFunction, 1, SQLITE_UTF8, match_.get(), MatchName, nullptr, nullptr) ==
         SQLITE_OK;
}

void NameIndex::Clear() {
  chunks_.clear();
  ResetTables();
  built_ = false;
  building_ = false;
}

bool NameIndex::BuildStep(Connection& cn, int64_t rows) {
  if (built_) return true;
  try {
    if (!building_) {
      chunks_.clear();
      ResetTables();
      // Whatever the connection changes from here on is noted and read
      // again at the first search; a commit by another connection shows
      // in the data version.
      cn.TakeFileChanges();
      dataVersion_ = DataVersion(cn);
      building_ = true;
    }
    Query q(&cn);
    const size_t before = Entries();
    OpenNameRowsAfter(q, LastRowid(), rows, CatalogueVersion(cn));
    ReadRows(q);
    if (static_cast<int64_t>(Entries() - before) < rows) {
      building_ = false;
      built_ = true;
    }
  } catch (...) {
    Clear();
    return true;
  }
  return built_;
}

size_t NameIndex::Entries() const {
  size_t n = 0;
  for (const auto& c : chunks_) n += c->Size();
  return n;
}

size_t NameIndex::MemoryBytes() const {
  size_t n = chunks_.capacity() * sizeof(chunks_[0]) + paths_->MemoryBytes() + exts_.MemoryBytes() +
             extCategory_.capacity();
  for (const auto& c : chunks_) n += c->Bytes();
  return n;
}

int64_t NameIndex::LastRowid() const { return chunks_.empty() ? INT64_MIN : chunks_.back()->LastRowid(); }

uint32_t NameIndex::PathId(std::string_view path) {
  // Rows come folder by folder: most have the path of the row before.
  if (!lastPathValid_ || path != lastPath_) {
    lastPathId_ = paths_->Id(path);
    lastPath_.assign(path);
    lastPathValid_ = true;
  }
  return lastPathId_;
}

uint32_t NameIndex::ExtId(EntryKind kind, std::string_view folded) {
  if (kind != EntryKind::File) return 0;
  const std::string_view ext = ExtensionOf(folded);
  if (ext.size() > kLongestExtension) return 0;
  const uint32_t id = exts_.Id(ext);
  if (id == extCategory_.size()) extCategory_.push_back(CategoryOfExtension(ext));
  return id;
}

NameIndex::Entry NameIndex::EntryOf(const Row& r) {
  return Entry{r.rowid, r.kind, r.folded, r.size, r.modified, PathId(r.path), ExtId(r.kind, r.folded), r.inArchive};
}

NameIndex::Entry NameIndex::EntryAt(const Chunk& c, size_t i) {
  return Entry{c.Rowid(i), c.kind[i], c.Name(i), c.size[i], c.modified[i], c.path[i], c.ext[i], c.inArchive[i]};
}

void NameIndex::AppendTo(Chunks& chunks, const Entry& e) {
  const size_t bytes = std::min(e.folded.size(), kMaxText - 1);  // a name is never near that long
  if (chunks.empty() || !Takes(*chunks.back(), e.rowid, bytes, chunkEntries_)) {
    // A full chunk gives back what its growth left unused.
    if (!chunks.empty()) chunks.back()->Shrink();
    auto c = std::make_shared<Chunk>();
    c->base = e.rowid;
    chunks.push_back(std::move(c));
  }
  Chunk& c = *chunks.back();
  c.delta.push_back(static_cast<uint32_t>(static_cast<uint64_t>(e.rowid) - static_cast<uint64_t>(c.base)));
  c.start.push_back(static_cast<uint32_t>(c.text.size()));
  c.kind.push_back(e.kind);
  c.size.push_back(e.size);
  c.modified.push_back(e.modified);
  c.path.push_back(e.path);
  c.ext.push_back(e.ext);
  c.inArchive.push_back(e.inArchive);
  c.text.append(e.folded.substr(0, bytes));
  c.text.push_back('\0');
}

void NameIndex::Replace(int64_t first, int64_t last, const std::vector<Row>& rows) {
  if (chunks_.empty() || first > LastRowid()) {
    for (const Row& r : rows) AppendTo(chunks_, EntryOf(r));
    return;
  }
  // The chunks holding rowids of the range, [from, to), are written afresh:
  // their entries before the range, the new rows, their entries after it.
  size_t from = 0;
  while (from < chunks_.size() && chunks_[from]->LastRowid() < first) ++from;
  size_t to = from;
  while (to < chunks_.size() && chunks_[to]->FirstRowid() <= last) ++to;
  Chunks fresh;
  for (size_t c = from; c < to; ++c)
    for (size_t i = 0; i < chunks_[c]->Size() && chunks_[c]->Rowid(i) < first; ++i)
      AppendTo(fresh, EntryAt(*chunks_[c], i));
  for (const Row& r : rows) AppendTo(fresh, EntryOf(r));
  for (size_t c = from; c < to; ++c)
    for (size_t i = 0; i < chunks_[c]->Size(); ++i)
      if (chunks_[c]->Rowid(i) > last) AppendTo(fresh, EntryAt(*chunks_[c], i));
  for (auto& c : fresh) c->Shrink();
  chunks_.erase(chunks_.begin() + static_cast<ptrdiff_t>(from), chunks_.begin() + static_cast<ptrdiff_t>(to));
  chunks_.insert(chunks_.begin() + static_cast<ptrdiff_t>(from), std::make_move_iterator(fresh.begin()),
                 std::make_move_iterator(fresh.end()));
}

namespace {
// A row of the index's statements: rowid, Name, kind, Path, Size, Modified,
// InArchive.
NameIndex::Row RowAt(const Query& q) {
  NameIndex::Row r(q.IntegerAt(0), KindOf(q.IntegerAt(2)), text::Folded(q.TextAt(1)));
  r.path = std::string(q.TextAt(3));
  r.size = q.IntegerAt(4);
  r.modified = q.IsNullAt(5) ? kUnknownTime : q.IntegerAt(5);
  r.inArchive = !q.IsNullAt(6) && q.IntegerAt(6) != 0;
  return r;
}
}  // namespace

void NameIndex::ReadRows(Query& q) {
  std::string folded;
  for (; !q.Eof(); q.Next()) {
    folded.clear();
    text::AppendFolded(folded, q.TextAt(1));
    const EntryKind kind = KindOf(q.IntegerAt(2));
    AppendTo(chunks_, Entry{q.IntegerAt(0), kind, folded, q.IntegerAt(4),
                            q.IsNullAt(5) ? kUnknownTime : q.IntegerAt(5), PathId(q.TextAt(3)), ExtId(kind, folded),
                            !q.IsNullAt(6) && q.IntegerAt(6) != 0});
  }
}

void NameIndex::ReadRange(Connection& cn, int64_t first, int64_t last) {
  Query q(&cn);
  OpenNameRows(q, first, last, CatalogueVersion(cn));
  if (chunks_.empty() || first > LastRowid()) {
    // Rows beyond the last entry (the whole file, a scan's new rows): added
    // as they are read.
    ReadRows(q);
    return;
  }
  // Rows inside the index (a rename rewrites every path of a snapshot, up
  // to millions of rows) are put in a chunk's worth at a time, so that the
  // rows read are bounded as the chunks are.
  std::vector<Row> rows;
  rows.reserve(std::min<size_t>(chunkEntries_, 1024));
  int64_t from = first;
  for (; !q.Eof(); q.Next()) {
    if (rows.size() == chunkEntries_) {
      Replace(from, rows.back().rowid, rows);
      from = rows.back().rowid + 1;
      rows.clear();
    }
    rows.push_back(RowAt(q));
  }
  q.Close();
  Replace(from, last, rows);
}

void NameIndex::Sync(Connection& cn, RowChanges::Taken changes, bool rebuild) {
  if (building_ && !rebuild && !changes.all) {
    // A build in slices is finished first: the rest of the file, then the
    // rows touched meanwhile.
    while (!BuildStep(cn, INT64_MAX)) {
    }
    if (!built_) throw DbError("无法读取目录数据库中的名称");
  }
  const bool whole = !built_ || rebuild || changes.all;
  // Until the sync is through, a failure leaves the index to be read whole
  // at the next search: the changes taken are gone.
  built_ = false;
  if (whole) {
    chunks_.clear();
    ResetTables();
    ReadRange(cn, INT64_MIN, INT64_MAX);
  } else {
    for (const RowChanges::Range& r : changes.ranges) ReadRange(cn, r.first, r.last);
  }
  built_ = true;
}

RowidList NameIndex::ScanFile(Connection& cn, std::string_view searchText, bool folders, bool files) {
  const unsigned kinds = KindsWanted(folders, files);
  RowidList hits;
  if (kinds == 0) return hits;
  const NameRule pattern(searchText);
  // The connection's function tests this search's pattern while the scan
  // runs; the scan runs no messages, but the pattern before it is put back.
  MatchState& match = *cn.Names().match_;
  struct Use {
    MatchState& m;
    const NameRule* before;
    ~Use() { m.pattern = before; }
  } use{match, match.pattern};
  match.pattern = &pattern;
  Query q(&cn);
  OpenRowsWhoseNameMatches(q, kMatchFunction);
  for (; !q.Eof(); q.Next())
    if (Wanted(kinds, KindOf(q.IntegerAt(1)))) hits.push_back(q.IntegerAt(0));
  q.Close();
  return hits;
}

RowidList NameIndex::Search(Connection& cn, std::string_view text, bool folders, bool files) {
  if (building_ && !built_) return ScanFile(cn, text, folders, files);
  const int64_t version = DataVersion(cn);
  // data_version moves when another connection commits to the file.
  const bool foreign = (built_ || building_) && version != dataVersion_;
  Sync(cn, cn.TakeFileChanges(), foreign);
  dataVersion_ = version;
  return Find(text, folders, files);
}

RowidList NameIndex::Find(std::string_view text, bool folders, bool files) const {
  SearchRequest r;
  r.text = std::string(text);
  r.folders = folders;
  r.files = files;
  return FindHits(r)->Rowids();
}

std::shared_ptr<HitTable> NameIndex::SearchHits(Connection& cn, const SearchRequest& request) {
  BringInStep(cn);
  return FindHits(request);
}

void NameIndex::BringInStep(Connection& cn) {
  const int64_t version = DataVersion(cn);
  const bool foreign = (built_ || building_) && version != dataVersion_;
  Sync(cn, cn.TakeFileChanges(), foreign);
  dataVersion_ = version;
}

IndexContents NameIndex::Contents() const {
  IndexContents c;
  c.chunks.reserve(chunks_.size());
  for (const auto& chunk : chunks_) {
    c.chunks.push_back(chunk);
    c.entries.push_back(chunk->Size());
  }
  c.paths = paths_;
  c.extensions.reserve(exts_.Size());
  for (size_t i = 0; i < exts_.Size(); ++i) c.extensions.push_back(exts_.At(static_cast<uint32_t>(i)));
  c.categories = extCategory_;
  return c;
}

}  // namespace catalog
