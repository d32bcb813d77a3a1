#include "catalog/name_index.h"

#include <algorithm>
#include <climits>

#include <sqlite3.h>

#include "catalog/connection.h"
#include "catalog/db_error.h"
#include "catalog/name_pattern.h"
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

struct NameIndex::Chunk {
  int64_t base = 0;
  std::vector<uint32_t> delta;  // rowid - base, ascending
  std::vector<uint32_t> start;  // offset of each name in text
  std::vector<EntryKind> kind;
  std::string text;             // folded names, each followed by a zero byte

  size_t Size() const { return delta.size(); }
  int64_t Rowid(size_t i) const { return base + delta[i]; }
  int64_t FirstRowid() const { return Rowid(0); }
  int64_t LastRowid() const { return Rowid(Size() - 1); }
  std::string_view Name(size_t i) const {
    const size_t end = (i + 1 < start.size() ? start[i + 1] : text.size()) - 1;
    return {text.data() + start[i], end - start[i]};
  }
  bool Takes(int64_t rowid, size_t bytes, size_t maxEntries) const {
    return Size() < maxEntries && text.size() + bytes + 1 <= kMaxText && rowid > LastRowid() &&
           static_cast<uint64_t>(rowid) - static_cast<uint64_t>(base) <= UINT32_MAX;
  }
  void Add(int64_t rowid, EntryKind k, std::string_view folded) {
    delta.push_back(static_cast<uint32_t>(static_cast<uint64_t>(rowid) - static_cast<uint64_t>(base)));
    start.push_back(static_cast<uint32_t>(text.size()));
    kind.push_back(k);
    text.append(folded);
    text.push_back('\0');
  }
  void Shrink() {
    delta.shrink_to_fit();
    start.shrink_to_fit();
    kind.shrink_to_fit();
    text.shrink_to_fit();
  }
  size_t Bytes() const {
    return sizeof(Chunk) + delta.capacity() * 4 + start.capacity() * 4 + kind.capacity() + text.capacity();
  }
};

NameIndex::NameIndex(size_t chunkEntries)
    : chunkEntries_(chunkEntries ? chunkEntries : 1), match_(std::make_unique<MatchState>()) {}
NameIndex::~NameIndex() = default;

bool NameIndex::RegisterMatchFunction(sqlite3* db) {
  return sqlite3_create_function(db, kMatchFunction, 1, SQLITE_UTF8, match_.get(), MatchName, nullptr, nullptr) ==
         SQLITE_OK;
}

void NameIndex::Clear() {
  chunks_.clear();
  built_ = false;
  building_ = false;
}

bool NameIndex::BuildStep(Connection& cn, int64_t rows) {
  if (built_) return true;
  try {
    if (!building_) {
      chunks_.clear();
      // Whatever the connection changes from here on is noted and read
      // again at the first search; a commit by another connection shows
      // in the data version.
      cn.TakeFileChanges();
      dataVersion_ = DataVersion(cn);
      building_ = true;
    }
    Query q(&cn);
    OpenNameRowsAfter(q, LastRowid(), rows);
    int64_t read = 0;
    std::string folded;
    for (; !q.Eof(); q.Next(), ++read) {
      folded.clear();
      text::AppendFolded(folded, q.TextAt(1));
      Append(q.IntegerAt(0), KindOf(q.IntegerAt(2)), folded);
    }
    if (read < rows) {
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
  size_t n = chunks_.capacity() * sizeof(chunks_[0]);
  for (const auto& c : chunks_) n += c->Bytes();
  return n;
}

int64_t NameIndex::LastRowid() const { return chunks_.empty() ? INT64_MIN : chunks_.back()->LastRowid(); }

void NameIndex::AppendTo(Chunks& chunks, int64_t rowid, EntryKind kind, std::string_view folded) {
  const size_t bytes = std::min(folded.size(), kMaxText - 1);  // a name is never near that long
  folded = folded.substr(0, bytes);
  if (chunks.empty() || !chunks.back()->Takes(rowid, bytes, chunkEntries_)) {
    // A full chunk gives back what its growth left unused.
    if (!chunks.empty()) chunks.back()->Shrink();
    auto c = std::make_unique<Chunk>();
    c->base = rowid;
    chunks.push_back(std::move(c));
  }
  chunks.back()->Add(rowid, kind, folded);
}

void NameIndex::Append(int64_t rowid, EntryKind kind, std::string_view folded) {
  AppendTo(chunks_, rowid, kind, folded);
}

void NameIndex::Replace(int64_t first, int64_t last, const std::vector<Row>& rows) {
  if (chunks_.empty() || first > LastRowid()) {
    for (const Row& r : rows) Append(r.rowid, r.kind, r.folded);
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
      AppendTo(fresh, chunks_[c]->Rowid(i), chunks_[c]->kind[i], chunks_[c]->Name(i));
  for (const Row& r : rows) AppendTo(fresh, r.rowid, r.kind, r.folded);
  for (size_t c = from; c < to; ++c)
    for (size_t i = 0; i < chunks_[c]->Size(); ++i)
      if (chunks_[c]->Rowid(i) > last) AppendTo(fresh, chunks_[c]->Rowid(i), chunks_[c]->kind[i], chunks_[c]->Name(i));
  for (auto& c : fresh) c->Shrink();
  chunks_.erase(chunks_.begin() + static_cast<ptrdiff_t>(from), chunks_.begin() + static_cast<ptrdiff_t>(to));
  chunks_.insert(chunks_.begin() + static_cast<ptrdiff_t>(from), std::make_move_iterator(fresh.begin()),
                 std::make_move_iterator(fresh.end()));
}

void NameIndex::ReadRange(Connection& cn, int64_t first, int64_t last) {
  Query q(&cn);
  OpenNameRows(q, first, last);
  std::string folded;
  if (chunks_.empty() || first > LastRowid()) {
    // Rows beyond the last entry (the whole file, a scan's new rows): added
    // as they are read.
    for (; !q.Eof(); q.Next()) {
      folded.clear();
      text::AppendFolded(folded, q.TextAt(1));
      Append(q.IntegerAt(0), KindOf(q.IntegerAt(2)), folded);
    }
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
    rows.push_back(Row{q.IntegerAt(0), KindOf(q.IntegerAt(2)), text::Folded(q.TextAt(1))});
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
  const NamePattern pattern(searchText);
  // The connection's function tests this search's pattern while the scan
  // runs; the scan runs no messages, but the pattern before it is put back.
  MatchState& match = *cn.Names().match_;
  struct Use {
    MatchState& m;
    const NamePattern* before;
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
  const unsigned kinds = KindsWanted(folders, files);
  RowidList hits;
  if (kinds == 0) return hits;
  const NamePattern pattern(text);
  const std::string& anchor = pattern.Anchor();
  auto wanted = [&](const Chunk& c, size_t i) { return Wanted(kinds, c.kind[i]) && pattern.Matches(c.Name(i)); };
  for (const auto& chunk : chunks_) {
    const Chunk& c = *chunk;
    if (anchor.empty()) {
      for (size_t i = 0; i < c.Size(); ++i)
        if (wanted(c, i)) hits.push_back(c.Rowid(i));
      continue;
    }
    // Every match holds the anchor: find it in the block, then test the
    // name it lies in and go on after that name.
    const char* begin = c.text.data();
    const char* end = begin + c.text.size();
    size_t i = 0;  // the finds go forward, and so do the names they lie in
    for (const char* p = FindBytes(begin, end, anchor); p != end; p = FindBytes(p, end, anchor)) {
      const auto off = static_cast<uint32_t>(p - begin);
      // A near find is reached by walking the offsets, a far one by halving.
      if (off - c.start[i] > 1024) {
        i = static_cast<size_t>(std::upper_bound(c.start.begin() + static_cast<ptrdiff_t>(i), c.start.end(), off) -
                                c.start.begin()) - 1;
      } else {
        while (i + 1 < c.Size() && c.start[i + 1] <= off) ++i;
      }
      if (wanted(c, i)) hits.push_back(c.Rowid(i));
      if (++i == c.Size()) break;
      p = begin + c.start[i];
    }
  }
  return hits;
}

}  // namespace catalog
