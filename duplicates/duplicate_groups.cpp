#include "duplicates/duplicate_groups.h"

#include <algorithm>

#include "catalog/name_index.h"
#include "catalog/search_conditions.h"

namespace duplicates {
namespace {

// One file of the part being grouped: its size, the rest of its key (a
// hash of its name, or its modified time), and where it is.
struct Record {
  int64_t size;
  uint64_t key;
  uint32_t chunk;
  uint32_t entry;
};

struct MemberRef {
  uint32_t chunk;
  uint32_t entry;
};

uint64_t NameHash(std::string_view name) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a: cheap, and collisions are told apart by the names
  for (unsigned char ch : name) h = (h ^ ch) * 1099511628211ull;
  return h;
}

// Sizes spread over the parts evenly whatever their values.
uint64_t Mix(uint64_t x) {
  x += 0x9e3779b97f4a7c15ull;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

}  // namespace

struct DuplicateFinder::State {
  enum class Phase { Count, Sizes, Records, Group, Finish, Done };

  catalog::IndexContents contents;
  DuplicateOptions options;
  Phase phase = Phase::Count;
  size_t chunk = 0;  // the next chunk to read in this phase
  size_t part = 0;
  size_t parts = 1;
  size_t candidates = 0;
  std::vector<int64_t> sizes;  // the part's sizes, then those held by two files or more
  size_t repeated = 0;         // the part's files whose size another file has too
  std::vector<Record> records;
  std::vector<MemberRef> members;
  std::vector<DuplicateGroup> groups;
  size_t unitsDone = 0;

  bool Candidate(const catalog::IndexChunk& c, size_t i) const {
    if (c.kind[i] != catalog::EntryKind::File) return false;
    const int64_t size = c.size[i];
    if (size <= 0 || size < options.minSize) return false;
    return options.key == DuplicateKey::NameAndSize || c.modified[i] != catalog::kUnknownTime;
  }
  bool InPart(int64_t size) const { return parts == 1 || Mix(static_cast<uint64_t>(size)) % parts == part; }
  // The count's share of the work is told before the parts are known (as
  // for one part), so that the progress never goes back.
  double Progress() const {
    const double chunks = static_cast<double>(contents.chunks.size());
    const double countShare = chunks / (3 * chunks + 2);
    if (phase == Phase::Count) return unitsDone / (3 * chunks + 2);
    const double rest = chunks * 2 * static_cast<double>(parts) + static_cast<double>(parts) + 1;
    return countShare + (1 - countShare) * (static_cast<double>(unitsDone) - chunks) / rest;
  }

  void Count(const catalog::IndexChunk& c, size_t n) {
    for (size_t i = 0; i < n; ++i) candidates += Candidate(c, i);
  }
  void CollectSizes(const catalog::IndexChunk& c, size_t n) {
    for (size_t i = 0; i < n; ++i)
      if (Candidate(c, i) && InPart(c.size[i])) sizes.push_back(c.size[i]);
  }
  // Only the sizes that two files or more of the part have.
  void KeepRepeatedSizes() {
    std::sort(sizes.begin(), sizes.end());
    size_t out = 0;
    repeated = 0;
    for (size_t i = 0; i < sizes.size();) {
      size_t j = i + 1;
      while (j < sizes.size() && sizes[j] == sizes[i]) ++j;
      if (j - i > 1) {
        sizes[out++] = sizes[i];
        repeated += j - i;
      }
      i = j;
    }
    sizes.resize(out);
    sizes.shrink_to_fit();
    records.reserve(repeated);
  }
  void CollectRecords(uint32_t chunkNo, const catalog::IndexChunk& c, size_t n) {
    const bool byName = options.key == DuplicateKey::NameAndSize;
    for (size_t i = 0; i < n; ++i) {
      if (!Candidate(c, i) || !InPart(c.size[i])) continue;
      if (!std::binary_search(sizes.begin(), sizes.end(), c.size[i])) continue;
      const uint64_t key = byName ? NameHash(c.Name(i)) : static_cast<uint64_t>(c.modified[i]);
      records.push_back(Record{c.size[i], key, chunkNo, static_cast<uint32_t>(i)});
    }
  }
  std::string_view NameOf(const Record& r) const { return contents.chunks[r.chunk]->Name(r.entry); }
  void GroupRecords() {
    const bool byName = options.key == DuplicateKey::NameAndSize;
    auto same = [&](const Record& a, const Record& b) {
      return a.size == b.size && a.key == b.key && (!byName || NameOf(a) == NameOf(b));
    };
    std::sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
      if (a.size != b.size) return a.size < b.size;
      if (a.key != b.key) return a.key < b.key;
      if (byName) {
        const int c = NameOf(a).compare(NameOf(b));
        if (c != 0) return c < 0;
      }
      if (a.chunk != b.chunk) return a.chunk < b.chunk;
      return a.entry < b.entry;
    });
    for (size_t i = 0; i < records.size();) {
      size_t j = i + 1;
      while (j < records.size() && same(records[i], records[j])) ++j;
      if (j - i > 1) {
        groups.push_back(DuplicateGroup{records[i].size, static_cast<uint32_t>(members.size()),
                                        static_cast<uint32_t>(j - i)});
        for (size_t k = i; k < j; ++k) members.push_back(MemberRef{records[k].chunk, records[k].entry});
      }
      i = j;
    }
    records.clear();
    records.shrink_to_fit();
  }
  void SortGroups() {
    std::sort(groups.begin(), groups.end(), [&](const DuplicateGroup& a, const DuplicateGroup& b) {
      if (a.Wasted() != b.Wasted()) return a.Wasted() > b.Wasted();
      if (a.size != b.size) return a.size > b.size;
      const MemberRef& x = members[a.first];
      const MemberRef& y = members[b.first];
      return x.chunk != y.chunk ? x.chunk < y.chunk : x.entry < y.entry;
    });
  }

  // One piece of work; false once there is none left.
  bool Advance() {
    const size_t chunks = contents.chunks.size();
    auto readChunk = [&](auto&& work) {
      if (chunk < chunks) {
        work(static_cast<uint32_t>(chunk), *contents.chunks[chunk], contents.entries[chunk]);
        ++chunk;
        ++unitsDone;
        return true;
      }
      chunk = 0;
      return false;
    };
    switch (phase) {
      case Phase::Count:
        if (readChunk([&](uint32_t, const catalog::IndexChunk& c, size_t n) { Count(c, n); })) return true;
        // A file of the part may hold its size and its record at once.
        parts = std::max<size_t>(1, (candidates * (sizeof(Record) + sizeof(int64_t)) + options.workingBytes - 1) /
                                        std::max<size_t>(options.workingBytes, 1));
        phase = Phase::Sizes;
        return true;
      case Phase::Sizes:
        if (chunk == 0) sizes.reserve(candidates / parts + candidates / parts / 8 + 16);
        if (readChunk([&](uint32_t, const catalog::IndexChunk& c, size_t n) { CollectSizes(c, n); })) return true;
        KeepRepeatedSizes();
        phase = Phase::Records;
        return true;
      case Phase::Records:
        if (readChunk([&](uint32_t no, const catalog::IndexChunk& c, size_t n) { CollectRecords(no, c, n); }))
          return true;
        sizes = {};
        phase = Phase::Group;
        return true;
      case Phase::Group:
        GroupRecords();
        ++unitsDone;
        phase = ++part < parts ? Phase::Sizes : Phase::Finish;
        return true;
      case Phase::Finish:
        SortGroups();
        ++unitsDone;
        phase = Phase::Done;
        return true;
      case Phase::Done:
        return false;
    }
    return false;
  }
};

int64_t Duplicates::TotalWasted() const {
  int64_t total = 0;
  for (const DuplicateGroup& g : groups) total += g.Wasted();
  return total;
}

std::shared_ptr<catalog::HitTable> Duplicates::MembersOf(const DuplicateGroup& g) const {
  return members->Range(g.first, g.count);
}

DuplicateFinder::DuplicateFinder(catalog::IndexContents contents, DuplicateOptions options)
    : s_(std::make_unique<State>()) {
  s_->contents = std::move(contents);
  s_->options = options;
}

DuplicateFinder::~DuplicateFinder() = default;

bool DuplicateFinder::Step(const std::function<bool()>& enough) {
  while (s_->Advance())
    if (s_->phase != State::Phase::Done && enough && enough()) return false;
  return true;
}

bool DuplicateFinder::Done() const { return s_->phase == State::Phase::Done; }

double DuplicateFinder::Progress() const {
  if (Done()) return 1.0;
  return std::min(1.0, s_->Progress());
}

size_t DuplicateFinder::Parts() const { return s_->parts; }

Duplicates DuplicateFinder::Take() {
  Duplicates d;
  d.groups = std::move(s_->groups);
  d.members = std::make_shared<catalog::HitTable>();
  d.members->Reserve(s_->members.size());
  d.members->SetChunks(std::move(s_->contents.chunks));
  d.members->SetPaths(s_->contents.paths);
  for (const MemberRef& m : s_->members) d.members->AddAt(m.chunk, m.entry);
  s_->members = {};
  return d;
}

Duplicates FindDuplicates(const catalog::IndexContents& contents, const DuplicateOptions& options) {
  DuplicateFinder finder(contents, options);
  finder.Step({});
  return finder.Take();
}

}  // namespace duplicates
