// The statistics against a plain evaluation over generated rows: totals,
// snapshots (all and chosen by label), kinds, years on a clock whose offset
// changes at the new year, files without a date, the largest files with
// ties, and the most common extensions with "" and too long ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalog/file_category.h"
#include "catalog/name_index.h"
#include "catalog/search_conditions.h"
#include "platform/file_time.h"
#include "stats/catalog_statistics.h"
#include "stats/local_year.h"

using catalog::EntryKind;
using catalog::NameIndex;

namespace {

// A clock of the southern hemisphere: UTC+11 from October to March
// (daylight saving over the new year), UTC+10 otherwise, read in UTC.
int64_t SouthernOffset(int64_t unixSeconds) {
  const int month = filetime::CivilFromUnix(unixSeconds + 10 * 3600).month;
  return (month >= 10 || month <= 3) ? 11 * 3600 : 10 * 3600;
}

int64_t TicksOfUtc(int y, int m, int d, int hour, int minute, int second) {
  const std::chrono::sys_days day{std::chrono::year{y} / m / d};
  return filetime::FromUnix(int64_t{day.time_since_epoch().count()} * 86400 + hour * 3600 + minute * 60 + second, 0);
}

struct Generated {
  std::vector<NameIndex::Row> rows;
};

const char* const kNames[] = {"photo.jpg", "song.mp3", "clip.mkv", "notes.doc", "pack.zip", "setup.exe", "readme",
                              "data.bin", "raw.png", "a.tar.gz", ".profile", "endsdot.", "x.abcdefghijklmnopq",
                              "y.abcdefghijklmnop", "照片.jpeg"};
const char* const kPaths[] = {"[Disk1]:\\", "[DISK1]:\\photos\\", "[disk2]:\\", "[disk2]:\\a\\b\\", "[CD_3]:\\",
                              "[CD_30]:\\x\\", "[]:\\odd\\", "no label"};

Generated Generate(unsigned seed, int count) {
  std::mt19937 rng(seed);
  Generated g;
  const int64_t from = TicksOfUtc(1995, 1, 1, 0, 0, 0), span = TicksOfUtc(2031, 1, 1, 0, 0, 0) - from;
  int64_t rowid = 0;
  for (int i = 0; i < count; ++i) {
    rowid += 1 + rng() % 3;
    const unsigned k = rng() % 20;
    const EntryKind kind = k < 3 ? EntryKind::Folder : k == 3 ? EntryKind::Other : EntryKind::File;
    const std::string name = kNames[rng() % std::size(kNames)];
    // Few distinct sizes, so that ties among the largest are many.
    int64_t size = rng() % 4 == 0 ? 0 : static_cast<int64_t>(rng() % 50) * 1000;
    if (rng() % 50 == 0) size = -5;
    int64_t modified = from + static_cast<int64_t>(rng() % static_cast<uint64_t>(span));
    if (rng() % 10 == 0) modified = catalog::kUnknownTime;
    if (rng() % 40 == 0) modified = 0;
    if (rng() % 10 == 0) {
      // Near the local new year on the southern clock: 13:00 UTC on 31 December.
      const int y = 1996 + static_cast<int>(rng() % 30);
      modified = TicksOfUtc(y, 12, 31, 13, 0, 0) + (static_cast<int64_t>(rng() % 7200) - 3600) * filetime::kTicksPerSecond;
    }
    g.rows.emplace_back(rowid, kind, name, size, modified, kPaths[rng() % std::size(kPaths)]);
    g.rows.back().inArchive = rng() % 8 == 0;
  }
  return g;
}

struct PlainFigures {
  int64_t folders = 0, files = 0, bytes = 0;
  std::map<std::string, std::array<int64_t, 3>> snapshots;  // by lowered label: folders, files, bytes
  std::array<stats::Tally, catalog::kFileCategoryCount> categories{};
  std::map<int, stats::Tally> years;
  stats::Tally undated;
  std::vector<std::pair<int64_t, int64_t>> files_;  // size, rowid
  std::map<std::string, stats::Tally> extensions;
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

PlainFigures Plain(const Generated& g, const std::vector<std::string>* labels) {
  PlainFigures p;
  for (const NameIndex::Row& r : g.rows) {
    const std::string label = Lower(catalog::LabelOfPath(r.path));
    if (labels && std::none_of(labels->begin(), labels->end(), [&](const std::string& l) { return Lower(l) == label; }))
      continue;
    auto& snap = p.snapshots[label];
    if (r.inArchive) continue;  // counted in its archive's size
    if (r.kind == EntryKind::Folder) {
      ++p.folders;
      ++snap[0];
    }
    if (r.kind != EntryKind::File) continue;
    const int64_t size = std::max<int64_t>(r.size, 0);
    ++p.files;
    p.bytes += size;
    ++snap[1];
    snap[2] += size;
    std::string ext(catalog::ExtensionOf(r.folded));
    if (ext.size() > 16) ext.clear();
    auto& c = p.categories[static_cast<size_t>(catalog::CategoryOfExtension(ext))];
    ++c.files;
    c.bytes += size;
    auto& e = p.extensions[ext];
    ++e.files;
    e.bytes += size;
    stats::Tally* year = &p.undated;
    if (r.modified != catalog::kUnknownTime && r.modified != 0) {
      const int64_t utc = filetime::ToUnixSeconds(r.modified);
      year = &p.years[filetime::CivilFromUnix(utc + SouthernOffset(utc)).year];
    }
    ++year->files;
    year->bytes += size;
    p.files_.push_back({size, r.rowid});
  }
  return p;
}

void ExpectSameFigures(const catalog::IndexContents& contents, const stats::CatalogStatistics& s,
                       const PlainFigures& p) {
  EXPECT_EQ(s.folders, p.folders);
  EXPECT_EQ(s.files, p.files);
  EXPECT_EQ(s.bytes, p.bytes);
  for (int c = 0; c < catalog::kFileCategoryCount; ++c) {
    EXPECT_EQ(s.categories[c].files, p.categories[c].files) << catalog::CategoryName(catalog::FileCategory(c));
    EXPECT_EQ(s.categories[c].bytes, p.categories[c].bytes) << catalog::CategoryName(catalog::FileCategory(c));
  }
  ASSERT_EQ(s.years.size(), p.years.size());
  auto y = p.years.begin();
  for (const stats::YearTally& t : s.years) {
    EXPECT_EQ(t.year, y->first);
    EXPECT_EQ(t.files, y->second.files) << t.year;
    EXPECT_EQ(t.bytes, y->second.bytes) << t.year;
    ++y;
  }
  EXPECT_EQ(s.undated.files, p.undated.files);
  EXPECT_EQ(s.undated.bytes, p.undated.bytes);

  std::vector<std::pair<int64_t, int64_t>> files = p.files_;
  std::sort(files.begin(), files.end(), [](auto a, auto b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
  files.resize(std::min<size_t>(files.size(), stats::kLargestFiles));
  ASSERT_EQ(s.largest.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(s.largest[i].size, files[i].first) << i;
    EXPECT_EQ(s.largest[i].rowid, files[i].second) << i;
    EXPECT_EQ(contents.chunks[s.largest[i].chunk]->Rowid(s.largest[i].entry), files[i].second);
  }

  std::vector<std::pair<std::string, stats::Tally>> exts(p.extensions.begin(), p.extensions.end());
  std::sort(exts.begin(), exts.end(), [](const auto& a, const auto& b) {
    if (a.second.files != b.second.files) return a.second.files > b.second.files;
    if (a.second.bytes != b.second.bytes) return a.second.bytes > b.second.bytes;
    return a.first < b.first;
  });
  exts.resize(std::min<size_t>(exts.size(), stats::kCommonExtensions));
  ASSERT_EQ(s.extensions.size(), exts.size());
  for (size_t i = 0; i < exts.size(); ++i) {
    EXPECT_EQ(s.extensions[i].extension, exts[i].first) << i;
    EXPECT_EQ(s.extensions[i].files, exts[i].second.files) << i;
    EXPECT_EQ(s.extensions[i].bytes, exts[i].second.bytes) << i;
  }
}

catalog::IndexContents ContentsOf(NameIndex& index, const Generated& g) {
  index.Replace(g.rows.front().rowid, g.rows.back().rowid, g.rows);
  return index.Contents();
}

TEST(CatalogStatistics, AllSnapshotsAgainstAPlainCount) {
  for (unsigned seed : {1u, 2u, 3u}) {
    const Generated g = Generate(seed, 6000);
    NameIndex index(97);  // many chunks
    const catalog::IndexContents contents = ContentsOf(index, g);
    const stats::CatalogStatistics s = stats::ComputeStatistics(contents, {}, SouthernOffset);
    const PlainFigures p = Plain(g, nullptr);
    ExpectSameFigures(contents, s, p);
    // Every snapshot once, labels differing in case counted as one.
    ASSERT_EQ(s.snapshots.size(), p.snapshots.size());
    for (const stats::SnapshotFigures& f : s.snapshots) {
      const auto& want = p.snapshots.at(Lower(f.label));
      EXPECT_EQ(f.folders, want[0]) << f.label;
      EXPECT_EQ(f.files, want[1]) << f.label;
      EXPECT_EQ(f.bytes, want[2]) << f.label;
      EXPECT_FALSE(f.totalBytes || f.freeBytes);
    }
  }
}

TEST(CatalogStatistics, ChosenSnapshotsOnlyInTheirOrder) {
  const Generated g = Generate(7, 4000);
  NameIndex index(256);
  const catalog::IndexContents contents = ContentsOf(index, g);
  const std::vector<std::string> labels = {"DISK2", "cd_3", "nowhere"};
  stats::SnapshotChoice choice;
  choice.labels = labels;
  const stats::CatalogStatistics s = stats::ComputeStatistics(contents, choice, SouthernOffset);
  ExpectSameFigures(contents, s, Plain(g, &labels));
  ASSERT_EQ(s.snapshots.size(), 3u);
  EXPECT_EQ(s.snapshots[0].label, "DISK2");
  EXPECT_EQ(s.snapshots[1].label, "cd_3");
  EXPECT_EQ(s.snapshots[2].label, "nowhere");
  EXPECT_GT(s.snapshots[0].files, 0);
  EXPECT_EQ(s.snapshots[2].files + s.snapshots[2].folders, 0);
  // "CD_3" is not "CD_30".
  const PlainFigures p = Plain(g, nullptr);
  EXPECT_EQ(s.snapshots[1].files, p.snapshots.at("cd_3")[1]);
}

TEST(CatalogStatistics, YearsOnTheLocalClockAtTheNewYear) {
  const stats::LocalYears years(SouthernOffset);
  // Local midnight of 1 January 2020 at UTC+11 is 13:00 UTC on 31 December.
  EXPECT_EQ(years.Of(TicksOfUtc(2019, 12, 31, 12, 59, 59)), 2019);
  EXPECT_EQ(years.Of(TicksOfUtc(2019, 12, 31, 13, 0, 0)), 2020);
  EXPECT_EQ(years.Of(TicksOfUtc(2020, 12, 31, 13, 0, 0) - 1), 2020);
  // Far outside the years worked out ahead.
  EXPECT_EQ(years.Of(TicksOfUtc(1700, 6, 1, 0, 0, 0)), 1700);
  EXPECT_EQ(years.Of(TicksOfUtc(2500, 12, 31, 13, 0, 0)), 2501);
  EXPECT_EQ(stats::LocalYear(TicksOfUtc(2019, 12, 31, 13, 0, 0), SouthernOffset), 2020);
  const stats::LocalYears west([](int64_t) { return -5 * 3600; });
  EXPECT_EQ(west.Of(TicksOfUtc(2021, 1, 1, 4, 59, 59)), 2020);
  EXPECT_EQ(west.Of(TicksOfUtc(2021, 1, 1, 5, 0, 0)), 2021);
}

TEST(CatalogStatistics, FilesFoundByNameAndFolderAndExtensionTexts) {
  NameIndex index;
  index.Replace(1, 3,
                {NameIndex::Row(1, EntryKind::Folder, "big", 0, catalog::kUnknownTime, "[A]:\\"),
                 NameIndex::Row(2, EntryKind::File, "movie.mkv", 900, catalog::kUnknownTime, "[A]:\\big\\"),
                 NameIndex::Row(3, EntryKind::File, "readme", 900, catalog::kUnknownTime, "[A]:\\")});
  const catalog::IndexContents contents = index.Contents();
  const stats::CatalogStatistics s = stats::ComputeStatistics(contents);
  ASSERT_EQ(s.largest.size(), 2u);
  EXPECT_EQ(stats::NameOf(contents, s.largest[0]), "movie.mkv");  // the earlier row of equal size
  EXPECT_EQ(stats::FolderOf(contents, s.largest[0]), "[A]:\\big\\");
  EXPECT_EQ(s.undated.files, 2);
  EXPECT_TRUE(s.years.empty());
  EXPECT_EQ(stats::ExtensionText(""), "(无扩展名)");
  EXPECT_EQ(stats::ExtensionText("mkv"), ".mkv");
}

}  // namespace
