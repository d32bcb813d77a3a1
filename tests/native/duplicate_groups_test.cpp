// Duplicate files against a brute-force grouping of the same entries: both
// keys, the minimum size, empty files, folders, unknown dates, names alike
// but for letter case, hash parts (a tiny working budget splits the files),
// and the order of the groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalog/name_index.h"
#include "catalog/search_conditions.h"
#include "duplicates/duplicate_export.h"
#include "duplicates/duplicate_groups.h"
#include "platform/case_fold.h"
#include "platform/text.h"

using catalog::EntryKind;
using catalog::NameIndex;
using duplicates::DuplicateKey;
using duplicates::DuplicateOptions;

namespace {

struct Entry {
  int64_t rowid;
  EntryKind kind;
  std::string name;
  int64_t size;
  int64_t modified;
  std::string path;
};

std::vector<Entry> Generate(unsigned seed, int count) {
  std::mt19937 rng(seed);
  const char* names[] = {"a.iso", "A.ISO", "b.mkv", "c.jpg", "d", "报告.doc", "e.zip", "f.bin"};
  const int64_t sizes[] = {0, 1, 1023, 1024, 1048575, 1048576, 1048577, 5000000};
  const char* paths[] = {"[CD_1]:\\", "[CD_1]:\\x\\", "[CD_2]:\\", "[DVD]:\\backup\\"};
  std::vector<Entry> out;
  for (int i = 0; i < count; ++i) {
    Entry e;
    e.rowid = 1 + i * 2;
    e.kind = rng() % 10 == 0 ? EntryKind::Folder : (rng() % 50 == 0 ? EntryKind::Other : EntryKind::File);
    e.name = names[rng() % 8];
    // Common sizes, and sizes that two files or one have.
    e.size = rng() % 3 == 0 ? int64_t(1048576 + rng() % 3000) : sizes[rng() % 8];
    e.modified = rng() % 6 == 0 ? catalog::kUnknownTime : int64_t(130000000000000000) + int64_t(rng() % 3);
    e.path = paths[rng() % 4];
    out.push_back(e);
  }
  return out;
}

void Fill(NameIndex& index, const std::vector<Entry>& entries) {
  std::vector<NameIndex::Row> rows;
  for (const Entry& e : entries) rows.emplace_back(e.rowid, e.kind, text::Folded(e.name), e.size, e.modified, e.path);
  index.Replace(rows.front().rowid, rows.back().rowid, rows);
}

using Group = std::vector<int64_t>;  // rowids, ascending

// Every pair compared: a group is a class of two or more equal files.
std::vector<Group> BruteForce(const std::vector<Entry>& entries, const DuplicateOptions& o) {
  std::map<std::tuple<int64_t, std::string, int64_t>, Group> classes;
  for (const Entry& e : entries) {
    if (e.kind != EntryKind::File || e.size <= 0 || e.size < o.minSize) continue;
    if (o.key == DuplicateKey::SizeAndModified) {
      if (e.modified == catalog::kUnknownTime) continue;
      classes[{e.size, "", e.modified}].push_back(e.rowid);
    } else {
      classes[{e.size, text::Folded(e.name), 0}].push_back(e.rowid);
    }
  }
  std::vector<Group> out;
  for (auto& [key, g] : classes)
    if (g.size() > 1) out.push_back(g);
  std::sort(out.begin(), out.end());
  return out;
}

struct Found {
  std::vector<Group> groups;         // in the finder's order
  std::vector<int64_t> wasted;       // of each, in that order
  std::vector<int64_t> sizes;
};

Found Find(const NameIndex& index, const DuplicateOptions& o) {
  const duplicates::Duplicates d = duplicates::FindDuplicates(index.Contents(), o);
  Found f;
  for (const auto& g : d.groups) {
    Group members;
    for (uint32_t i = 0; i < g.count; ++i) {
      members.push_back(d.members->Rowid(g.first + i));
      EXPECT_EQ(d.members->Size(g.first + i), g.size);
    }
    EXPECT_TRUE(std::is_sorted(members.begin(), members.end()));
    f.groups.push_back(members);
    f.wasted.push_back(g.Wasted());
    f.sizes.push_back(g.size);
  }
  return f;
}

TEST(DuplicateGroups, SameAsBruteForceForBothKeysSizesAndParts) {
  for (unsigned seed : {1u, 2u, 3u}) {
    const std::vector<Entry> entries = Generate(seed, 3000);
    NameIndex index{256};  // small chunks: groups cross chunk boundaries
    Fill(index, entries);
    for (DuplicateKey key : {DuplicateKey::NameAndSize, DuplicateKey::SizeAndModified})
      for (int64_t minSize : {int64_t{0}, int64_t{1024}, int64_t{1} << 20})
        for (size_t budget : {size_t{32} << 20, size_t{2000}}) {  // one part, then many
          DuplicateOptions o;
          o.key = key;
          o.minSize = minSize;
          o.workingBytes = budget;
          const Found f = Find(index, o);
          std::vector<Group> sorted = f.groups;
          std::sort(sorted.begin(), sorted.end());
          ASSERT_EQ(sorted, BruteForce(entries, o)) << "seed " << seed << " min " << minSize << " budget " << budget;
          // The largest wasted space first, then the larger files.
          for (size_t i = 1; i < f.groups.size(); ++i) {
            ASSERT_GE(f.wasted[i - 1], f.wasted[i]);
            if (f.wasted[i - 1] == f.wasted[i]) ASSERT_GE(f.sizes[i - 1], f.sizes[i]);
          }
        }
  }
}

TEST(DuplicateGroups, EqualSizesAreToldApartByName) {
  // Equal sizes: only the names separate them.
  std::vector<Entry> entries;
  for (int i = 0; i < 200; ++i)
    entries.push_back({i + 1, EntryKind::File, "n" + std::to_string(i % 100), 4096, 0, "[D]:\\"});
  NameIndex index;
  Fill(index, entries);
  DuplicateOptions o;
  o.minSize = 1;
  const Found f = Find(index, o);
  ASSERT_EQ(f.groups.size(), 100u);
  for (const Group& g : f.groups) EXPECT_EQ(g[1] - g[0], 100);
}

TEST(DuplicateGroups, StepsStopWhenAskedAndProgressGrows) {
  const std::vector<Entry> entries = Generate(7, 5000);
  NameIndex index{128};
  Fill(index, entries);
  DuplicateOptions o;
  o.minSize = 1;
  o.workingBytes = 4000;
  duplicates::DuplicateFinder finder(index.Contents(), o);
  double last = 0;
  int steps = 0;
  while (!finder.Step([] { return true; })) {
    ASSERT_GE(finder.Progress(), last);
    ASSERT_LT(finder.Progress(), 1.0);
    last = finder.Progress();
    ++steps;
  }
  EXPECT_GT(finder.Parts(), 1u);
  EXPECT_GT(steps, 40);
  EXPECT_EQ(finder.Progress(), 1.0);
  const duplicates::Duplicates d = finder.Take();
  std::vector<Group> groups;
  for (const auto& g : d.groups) {
    Group members;
    for (uint32_t i = 0; i < g.count; ++i) members.push_back(d.members->Rowid(g.first + i));
    groups.push_back(members);
  }
  std::sort(groups.begin(), groups.end());
  EXPECT_EQ(groups, BruteForce(entries, o));
}

TEST(DuplicateGroups, MembersOutliveTheIndexAndAGroupIsATableOfItsOwn) {
  std::vector<Entry> entries = {{1, EntryKind::File, "movie.mkv", 3 << 20, 5, "[CD_1]:\\films\\"},
                                {2, EntryKind::File, "Movie.MKV", 3 << 20, 6, "[CD_2]:\\"},
                                {3, EntryKind::Folder, "movie.mkv", 3 << 20, 5, "[CD_3]:\\"},
                                {4, EntryKind::File, "small.txt", 10, 5, "[CD_1]:\\"},
                                {5, EntryKind::File, "small.txt", 10, 5, "[CD_2]:\\"}};
  duplicates::Duplicates d;
  {
    NameIndex index;
    Fill(index, entries);
    d = duplicates::FindDuplicates(index.Contents(), DuplicateOptions{});
    index.Clear();
  }
  ASSERT_EQ(d.groups.size(), 1u);  // the small files are under the 1 MB minimum, the folder no file
  EXPECT_EQ(d.TotalWasted(), 3 << 20);
  const auto group = d.MembersOf(d.groups[0]);
  ASSERT_EQ(group->size(), 2u);
  EXPECT_EQ(group->Path(0), "[CD_1]:\\films\\");
  EXPECT_EQ(group->Label(1), "CD_2");
  EXPECT_EQ(group->FoldedName(1), "movie.mkv");
}

}  // namespace

TEST(DuplicateExport, OneRowAMemberAfterTheGroupsNumberCountAndWaste) {
  std::vector<duplicates::DuplicateLine> lines = {
      {1, 2, "10.0 MB", {"a, b.mkv", "文件", "[CD_1]:\\", "10.0 MB", "2019-01-02 03:04", "CD_1"}},
      {1, 2, "10.0 MB", {"say \"hi\".mkv", "文件", "[CD_2]:\\x\\", "10.0 MB", "", "CD_2"}}};
  EXPECT_EQ(duplicates::DuplicatesCsv(lines),
            "\xEF\xBB\xBF组,文件数,重复占用,名称,位置,大小,修改日期,快照\r\n"
            "1,2,10.0 MB,\"a, b.mkv\",[CD_1]:\\,10.0 MB,2019-01-02 03:04,CD_1\r\n"
            "1,2,10.0 MB,\"say \"\"hi\"\".mkv\",[CD_2]:\\x\\,10.0 MB,,CD_2\r\n");
}
