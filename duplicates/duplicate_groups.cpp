#include "duplicates/duplicate_groups.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "catalog/name_index.h"
#include "catalog/search_conditions.h"

namespace duplicates {
namespace {

// One file of the part being grouped: its size, a hash of the rest of its
// key (its name, or its modified time), and where it is (chunk and entry in
// one number). 16 bytes, so that a part of the working budget holds many.
struct Record {
  int64_t size;
  uint32_t key;
  uint32_t ref;
};

constexpr size_t kBuckets = 4096;

// Gives a vector's memory back ("v = {}" keeps the capacity).
template <typename T>
void Release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

uint32_t Hash(std::string_view bytes) {
  uint32_t h = 2166136261u;  // FNV-1a: cheap; equal hashes are told apart by the whole key
  for (unsigned char ch : bytes) h = (h ^ ch) * 16777619u;
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
  enum class Phase { Count, Collect, Group, Finish, Done };

  catalog::IndexContents contents;
  DuplicateOptions options;
  Phase phase = Phase::Count;
  size_t chunk = 0;  // the next chunk to read in this phase
  size_t part = 0;
  size_t parts = 1;
  unsigned entryBits = 0;  // a record's ref: chunk << entryBits | entry
  // The files fall into buckets by size, and runs of buckets make the
  // parts, so that each part's count is known before it is read.
  std::vector<size_t> bucketFiles = std::vector<size_t>(kBuckets);
  std::vector<uint16_t> partOfBucket = std::vector<uint16_t>(kBuckets);
  std::vector<size_t> partFiles;
  std::vector<Record> records;
  // Each part's groups and members' refs, sized exactly: nothing grows by
  // doubling, so the memory held is what the groups need.
  std::vector<std::vector<DuplicateGroup>> partGroups;
  std::vector<std::vector<uint32_t>> partMembers;
  size_t memberCount = 0;
  std::vector<DuplicateGroup> groups;
  std::shared_ptr<catalog::HitTable> members = std::make_shared<catalog::HitTable>();
  size_t unitsDone = 0;

  State(catalog::IndexContents c, DuplicateOptions o) : contents(std::move(c)), options(o) {
    size_t most = 1;
    for (size_t n : contents.entries) most = std::max(most, n);
    while ((size_t{1} << entryBits) < most) ++entryBits;
    if (entryBits + std::bit_width(contents.chunks.size()) > 32)
      throw std::length_error("too many entries to look for duplicates");
    members->SetChunks(contents.chunks);
    members->SetPaths(contents.paths);
  }

  bool Candidate(const catalog::IndexChunk& c, size_t i) const {
    if (c.kind[i] != catalog::EntryKind::File) return false;
    const int64_t size = c.size[i];
    if (size <= 0 || size < options.minSize) return false;
    return options.key == DuplicateKey::NameAndSize || c.modified[i] != catalog::kUnknownTime;
  }
  static size_t BucketOf(int64_t size) { return Mix(static_cast<uint64_t>(size)) % kBuckets; }
  bool InPart(int64_t size) const { return parts == 1 || partOfBucket[BucketOf(size)] == part; }
  // Buckets in order fill a part until the next would pass the budget.
  void MakeParts() {
    const size_t most = std::max<size_t>(1, options.workingBytes / sizeof(Record));
    partFiles.assign(1, 0);
    for (size_t b = 0; b < kBuckets; ++b) {
      if (partFiles.back() > 0 && partFiles.back() + bucketFiles[b] > most && partFiles.size() < 65535)
        partFiles.push_back(0);
      partOfBucket[b] = static_cast<uint16_t>(partFiles.size() - 1);
      partFiles.back() += bucketFiles[b];
    }
    parts = partFiles.size();
    Release(bucketFiles);
  }
  // The count's share of the work is told before the parts are known (as
  // for one part), so that the progress never goes back.
  double Progress() const {
    const double chunks = static_cast<double>(contents.chunks.size());
    if (phase == Phase::Count) return unitsDone / (2 * chunks + 2);
    const double countShare = chunks / (2 * chunks + 2);
    const double rest = (chunks + 1) * static_cast<double>(parts) + 1;
    return countShare + (1 - countShare) * (static_cast<double>(unitsDone) - chunks) / rest;
  }

  const catalog::IndexChunk& ChunkOf(uint32_t ref) const { return *contents.chunks[ref >> entryBits]; }
  uint32_t EntryOf(uint32_t ref) const { return ref & ((uint32_t{1} << entryBits) - 1); }
  std::string_view NameOf(uint32_t ref) const { return ChunkOf(ref).Name(EntryOf(ref)); }
  int64_t ModifiedOf(uint32_t ref) const { return ChunkOf(ref).modified[EntryOf(ref)]; }

  void Count(const catalog::IndexChunk& c, size_t n) {
    for (size_t i = 0; i < n; ++i)
      if (Candidate(c, i)) ++bucketFiles[BucketOf(c.size[i])];
  }
  void Collect(uint32_t chunkNo, const catalog::IndexChunk& c, size_t n) {
    const bool byName = options.key == DuplicateKey::NameAndSize;
    for (size_t i = 0; i < n; ++i) {
      if (!Candidate(c, i) || !InPart(c.size[i])) continue;
      const int64_t m = c.modified[i];
      const uint32_t key = byName ? Hash(c.Name(i)) : Hash({reinterpret_cast<const char*>(&m), sizeof m});
      records.push_back(Record{c.size[i], key, chunkNo << entryBits | static_cast<uint32_t>(i)});
    }
  }
  // The whole key beyond size and hash: <0, 0 or >0.
  int CompareRest(const Record& a, const Record& b) const {
    if (options.key == DuplicateKey::NameAndSize) return NameOf(a.ref).compare(NameOf(b.ref));
    const int64_t x = ModifiedOf(a.ref), y = ModifiedOf(b.ref);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  void GroupRecords() {
    std::sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
      if (a.size != b.size) return a.size < b.size;
      if (a.key != b.key) return a.key < b.key;
      if (const int c = CompareRest(a, b)) return c < 0;
      return a.ref < b.ref;  // chunks and entries ascend with the rowids
    });
    auto same = [&](const Record& a, const Record& b) {
      return a.size == b.size && a.key == b.key && CompareRest(a, b) == 0;
    };
    // Each run of equal files: `take(first, end)`.
    auto eachRun = [&](auto take) {
      for (size_t i = 0; i < records.size();) {
        size_t j = i + 1;
        while (j < records.size() && same(records[i], records[j])) ++j;
        if (j - i > 1) take(i, j);
        i = j;
      }
    };
    size_t groupCount = 0, refCount = 0;
    eachRun([&](size_t i, size_t j) {
      ++groupCount;
      refCount += j - i;
    });
    std::vector<DuplicateGroup>& g = partGroups.emplace_back();
    std::vector<uint32_t>& m = partMembers.emplace_back();
    g.reserve(groupCount);
    m.reserve(refCount);
    eachRun([&](size_t i, size_t j) {
      g.push_back(DuplicateGroup{records[i].size, static_cast<uint32_t>(memberCount + m.size()),
                                 static_cast<uint32_t>(j - i)});
      for (size_t k = i; k < j; ++k) m.push_back(records[k].ref);
    });
    memberCount += m.size();
    Release(records);
  }
  // Every part's groups and members in one table each, each part's freed
  // as soon as it is copied.
  void JoinParts() {
    size_t groupCount = 0;
    for (const auto& g : partGroups) groupCount += g.size();
    groups.reserve(groupCount);
    for (auto& g : partGroups) {
      groups.insert(groups.end(), g.begin(), g.end());
      Release(g);
    }
    members->Reserve(memberCount);
    for (auto& m : partMembers) {
      for (uint32_t ref : m) members->AddAt(ref >> entryBits, EntryOf(ref));
      Release(m);
    }
  }
  void SortGroups() {
    JoinParts();
    std::sort(groups.begin(), groups.end(), [&](const DuplicateGroup& a, const DuplicateGroup& b) {
      if (a.Wasted() != b.Wasted()) return a.Wasted() > b.Wasted();
      if (a.size != b.size) return a.size > b.size;
      return members->Rowid(a.first) < members->Rowid(b.first);
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
        MakeParts();
        phase = Phase::Collect;
        return true;
      case Phase::Collect:
        if (chunk == 0) records.reserve(partFiles[part]);
        if (readChunk([&](uint32_t no, const catalog::IndexChunk& c, size_t n) { Collect(no, c, n); }))
          return true;
        phase = Phase::Group;
        return true;
      case Phase::Group:
        GroupRecords();
        ++unitsDone;
        phase = ++part < parts ? Phase::Collect : Phase::Finish;
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
    : s_(std::make_unique<State>(std::move(contents), options)) {}

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
  d.members = std::move(s_->members);
  return d;
}

Duplicates FindDuplicates(const catalog::IndexContents& contents, const DuplicateOptions& options) {
  DuplicateFinder finder(contents, options);
  finder.Step({});
  return finder.Take();
}

}  // namespace duplicates
