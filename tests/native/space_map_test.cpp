// The space map: the folder tree of a snapshot against plain sums over
// stored paths, the squarified rows against every other row length, and the
// pixel layout's containment, overlaps, proportions, hit testing and
// painting over generated trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalog/name_index.h"
#include "platform/case_fold.h"
#include "stats/space_tree.h"
#include "stats/squarify.h"
#include "stats/treemap_layout.h"
#include "stats/treemap_paint.h"

using catalog::EntryKind;
using catalog::NameIndex;
using stats::PixelRect;
using stats::SpaceTree;
using stats::TreemapLayout;

namespace {

using Row = NameIndex::Row;

catalog::IndexContents ContentsOf(NameIndex& index, const std::vector<Row>& rows) {
  index.Replace(rows.front().rowid, rows.back().rowid, rows);
  return index.Contents();
}

// A random snapshot "[T]:\" of nested folders (stored paths in mixed case,
// names folded as the index holds them), with files of no bytes, empty
// folders, and a snapshot "[T2]:\" beside it that must stay out.
std::vector<Row> RandomSnapshot(unsigned seed, int entries, int64_t& rowid) {
  std::mt19937 rng(seed);
  std::vector<std::pair<std::string, std::string>> folders = {{"[T]:\\", "[T]:\\"}};  // stored, folded
  std::vector<Row> rows;
  for (int i = 0; i < entries; ++i) {
    const auto& [stored, folded] = folders[rng() % folders.size()];
    if (rng() % 6 == 0 && folders.size() < 400) {
      const std::string name = "Dir" + std::to_string(i);
      rows.emplace_back(++rowid, EntryKind::Folder, text::Folded(name), 0, catalog::kUnknownTime, stored);
      folders.push_back({stored + (rng() % 2 ? name : text::Folded(name)) + "\\", folded + text::Folded(name) + "\\"});
    } else {
      const int64_t size = rng() % 5 == 0 ? 0 : int64_t{1} << (rng() % 30);
      rows.emplace_back(++rowid, EntryKind::File, "f" + std::to_string(i) + ".dat", size, catalog::kUnknownTime, stored);
    }
  }
  rows.emplace_back(++rowid, EntryKind::File, "other.dat", 12345, catalog::kUnknownTime, "[T2]:\\");
  return rows;
}

// Every node below the root, the tree's links and sizes checked against a
// plain sum over the rows by folded stored path.
void ExpectSumsByPath(const SpaceTree& tree, const std::vector<Row>& rows) {
  std::vector<std::string> paths;
  for (const Row& r : rows) paths.push_back(text::Folded(r.path));
  for (uint32_t v = 0; v < tree.Size(); ++v) {
    int64_t sum = 0;
    const std::string own = text::Folded(tree.StoredPath(v));
    if (tree.IsFolder(v)) {
      for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].kind == EntryKind::File && paths[i].starts_with(own)) sum += std::max<int64_t>(rows[i].size, 0);
    } else {
      sum = tree.Bytes(v);
    }
    ASSERT_EQ(tree.Bytes(v), sum) << own;
    int64_t children = 0;
    for (uint32_t k = 0; k < tree.Children(v); ++k) {
      const uint32_t c = tree.FirstChild(v) + k;
      ASSERT_EQ(tree.Parent(c), v);
      if (k > 0) ASSERT_GE(tree.Bytes(c - 1), tree.Bytes(c)) << "largest first";
      children += tree.Bytes(c);
    }
    if (tree.IsFolder(v)) ASSERT_EQ(children, tree.Bytes(v));
  }
}

TEST(SpaceTree, FoldersFoundByStoredPathAndSummedUpwards) {
  for (unsigned seed : {1u, 2u}) {
    int64_t rowid = 0;
    const std::vector<Row> rows = RandomSnapshot(seed, 3000, rowid);
    NameIndex index(113);
    const catalog::IndexContents contents = ContentsOf(index, rows);
    const SpaceTree tree = SpaceTree::Build(contents, "[T]:\\");
    // Every entry of [T] once, and the root; nothing of [T2].
    EXPECT_EQ(tree.Size(), rows.size());
    ExpectSumsByPath(tree, rows);
    int64_t all = 0;
    for (const Row& r : rows)
      if (r.path.starts_with("[T]")) all += r.size;
    EXPECT_EQ(tree.Bytes(0), all);
  }
}

// An archive is one file of its own size: what it holds takes no space of
// the disk and makes no folder.
TEST(SpaceTree, AnArchivesMembersAreNotCountedAgain) {
  std::vector<Row> rows = {
      Row(1, EntryKind::File, "pack.zip", 1000, catalog::kUnknownTime, "[A]:\\"),
      Row(2, EntryKind::Folder, "sub", 0, catalog::kUnknownTime, "[A]:\\pack.zip\\"),
      Row(3, EntryKind::File, "big.iso", 5000, catalog::kUnknownTime, "[A]:\\pack.zip\\sub\\"),
      Row(4, EntryKind::File, "a.txt", 10, catalog::kUnknownTime, "[A]:\\"),
  };
  for (size_t i = 1; i < 3; ++i) rows[i].inArchive = true;
  NameIndex index;
  const catalog::IndexContents contents = ContentsOf(index, rows);
  const SpaceTree tree = SpaceTree::Build(contents, "[A]:\\");
  ASSERT_EQ(tree.Size(), 3u);  // the root, pack.zip, a.txt
  EXPECT_EQ(tree.Bytes(0), 1010);
  EXPECT_FALSE(tree.IsFolder(tree.FirstChild(0)));
  EXPECT_EQ(tree.Name(tree.FirstChild(0)), "pack.zip");
}

TEST(SpaceTree, FoldersWithoutEntriesAreMadeFromThePath) {
  const std::vector<Row> rows = {
      Row(1, EntryKind::Folder, "docs", 0, catalog::kUnknownTime, "[A]:\\"),
      Row(2, EntryKind::File, "a.txt", 10, catalog::kUnknownTime, "[A]:\\Docs\\"),
      Row(3, EntryKind::Folder, "empty", 0, catalog::kUnknownTime, "[A]:\\DOCS\\"),
      Row(4, EntryKind::File, "deep.bin", 100, catalog::kUnknownTime, "[A]:\\Ghost\\Deeper\\"),
      Row(5, EntryKind::File, "b.jpg", 5, catalog::kUnknownTime, "[a]:\\docs\\"),
      Row(6, EntryKind::File, "zero", 0, catalog::kUnknownTime, "[A]:\\"),
      Row(7, EntryKind::File, "not mine", 7, catalog::kUnknownTime, "[AB]:\\"),
  };
  NameIndex index;
  const catalog::IndexContents contents = ContentsOf(index, rows);
  const SpaceTree tree = SpaceTree::Build(contents, "[A]:\\");
  // root, docs, a.txt, empty, ghost, deeper, deep.bin, b.jpg, zero
  ASSERT_EQ(tree.Size(), 9u);
  EXPECT_EQ(tree.Bytes(0), 115);
  ASSERT_EQ(tree.Children(0), 3u);
  const uint32_t ghost = tree.FirstChild(0), docs = ghost + 1;
  EXPECT_EQ(tree.Name(ghost), "ghost");
  EXPECT_EQ(tree.Rowid(ghost), 0);  // made from the path
  EXPECT_EQ(tree.Bytes(ghost), 100);
  EXPECT_EQ(tree.Name(docs), "docs");
  EXPECT_EQ(tree.Rowid(docs), 1);
  EXPECT_EQ(tree.Bytes(docs), 15);
  EXPECT_EQ(tree.Children(docs), 3u);  // a.txt, b.jpg, empty
  EXPECT_EQ(tree.Category(tree.FirstChild(docs) + 1), catalog::FileCategory::Picture);
  EXPECT_EQ(tree.StoredPath(tree.FirstChild(tree.FirstChild(ghost))), "[A]:\\ghost\\deeper\\deep.bin");
  ExpectSumsByPath(tree, {rows.begin(), rows.end() - 1});

  // One folder of the snapshot as the root: its own entry gives its rowid.
  const SpaceTree sub = SpaceTree::Build(contents, "[A]:\\docs\\");
  EXPECT_EQ(sub.Size(), 4u);
  EXPECT_EQ(sub.Bytes(0), 15);
  EXPECT_EQ(sub.Rowid(0), 1);
  EXPECT_EQ(SpaceTree::Build(contents, "[none]:\\").Size(), 1u);
}

// ---- one level: the squarified rows

double Aspect(const stats::EdgeRect& r) {
  return std::max(r.Width(), r.Height()) / std::min(r.Width(), r.Height());
}

// The worst aspect ratio of the first `count` items laid as one row along
// the shorter side of `left`, from geometry alone.
double RowWorstByGeometry(const std::vector<double>& areas, size_t from, size_t count, const stats::EdgeRect& left) {
  const double side = std::min(left.Width(), left.Height());
  double sum = 0;
  for (size_t k = from; k < from + count; ++k) sum += areas[k];
  const double thick = sum / side;
  double worst = 1;
  for (size_t k = from; k < from + count; ++k) {
    const double len = areas[k] / thick;
    worst = std::max(worst, std::max(len / thick, thick / len));
  }
  return worst;
}

TEST(Squarify, EachRowIsTheBestOfEveryRowLengthAndTheRowsTile) {
  std::mt19937 rng(11);
  for (int round = 0; round < 400; ++round) {
    const size_t n = 1 + rng() % 8;
    std::vector<int64_t> sizes(n);
    for (int64_t& s : sizes) s = 1 + rng() % (rng() % 2 ? 10 : 1000);
    std::sort(sizes.rbegin(), sizes.rend());
    const stats::EdgeRect area{0, 0, 1.0 + rng() % 300, 1.0 + rng() % 300};
    std::vector<stats::EdgeRect> out;
    std::vector<stats::SquarifiedRow> rows;
    stats::Squarify(sizes, area, out, &rows);
    ASSERT_EQ(out.size(), n);
    double total = 0;
    for (int64_t s : sizes) total += double(s);
    std::vector<double> areas;
    for (int64_t s : sizes) areas.push_back(double(s) / total * area.Width() * area.Height());
    stats::EdgeRect left = area;
    size_t next = 0;
    for (const stats::SquarifiedRow& row : rows) {
      ASSERT_EQ(row.first, next);
      next += row.count;
      // Along the shorter side, and no other length of row would be squarer.
      EXPECT_EQ(row.vertical, left.Width() >= left.Height());
      double chosen = 1;
      for (size_t k = row.first; k < row.first + row.count; ++k) chosen = std::max(chosen, Aspect(out[k]));
      for (size_t count = 1; row.first + count <= n; ++count)
        EXPECT_LE(chosen, RowWorstByGeometry(areas, row.first, count, left) * (1 + 1e-9))
            << "round " << round << " row at " << row.first << " of " << row.count << ", other length " << count;
      const stats::EdgeRect& last = out[row.first + row.count - 1];
      (row.vertical ? left.x0 : left.y0) = row.vertical ? last.x1 : last.y1;
    }
    EXPECT_EQ(next, n);
    for (size_t i = 0; i < n; ++i) {
      EXPECT_NEAR(out[i].Width() * out[i].Height(), areas[i], 1e-7 * area.Width() * area.Height());
      EXPECT_GE(out[i].x0, area.x0);
      EXPECT_LE(out[i].x1, area.x1);
      EXPECT_GE(out[i].y0, area.y0);
      EXPECT_LE(out[i].y1, area.y1);
      for (size_t j = 0; j < i; ++j) {
        const bool apart = out[i].x1 <= out[j].x0 + 1e-9 || out[j].x1 <= out[i].x0 + 1e-9 ||
                           out[i].y1 <= out[j].y0 + 1e-9 || out[j].y1 <= out[i].y0 + 1e-9;
        EXPECT_TRUE(apart) << "round " << round << ": " << i << " overlaps " << j;
      }
    }
  }
}

// ---- the pixel layout

stats::TreemapOptions Flat() {
  stats::TreemapOptions o;
  o.frame = 0;
  o.header = 0;
  return o;
}

// Containment, no overlap among siblings (a stamp per pixel), proportions
// within a pixel of rounding per side, and nothing of no bytes placed.
void ExpectSoundLayout(const SpaceTree& tree, const TreemapLayout& layout, const PixelRect& area) {
  ASSERT_FALSE(layout.rects.empty());
  EXPECT_EQ(layout.rects[0].rect.x0, area.x0);
  EXPECT_EQ(layout.rects[0].rect.y1, area.y1);
  std::vector<uint32_t> stamp(size_t(area.x1) * size_t(area.y1), UINT32_MAX);
  for (uint32_t k = 0; k < layout.rects.size(); ++k) {
    const stats::PlacedRect& p = layout.rects[k];
    ASSERT_GT(tree.Bytes(p.node), 0) << "no bytes, no area";
    if (p.children == 0) continue;
    ASSERT_TRUE(tree.IsFolder(p.node));
    const PixelRect content = stats::ContentRect(p.rect, layout.options);
    const double scale = double(content.Width()) * content.Height() / double(tree.Bytes(p.node));
    int64_t covered = 0;
    for (uint32_t c = p.firstChild; c < p.firstChild + p.children; ++c) {
      const stats::PlacedRect& q = layout.rects[c];
      ASSERT_EQ(tree.Parent(q.node), p.node);
      ASSERT_EQ(q.depth, p.depth + 1);
      const PixelRect& r = q.rect;
      ASSERT_FALSE(r.Empty());
      ASSERT_TRUE(r.x0 >= content.x0 && r.x1 <= content.x1 && r.y0 >= content.y0 && r.y1 <= content.y1)
          << "child " << c << " outside its parent " << k;
      const double want = double(tree.Bytes(q.node)) * scale;
      EXPECT_LE(std::abs(double(r.Width()) * r.Height() - want), r.Width() + r.Height() + 1.0)
          << "child " << c << " " << r.Width() << "x" << r.Height() << " for " << want;
      for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
          ASSERT_NE(stamp[size_t(y) * area.x1 + x], k) << "siblings overlap at " << x << "," << y;
          stamp[size_t(y) * area.x1 + x] = k;
        }
      covered += int64_t(r.Width()) * r.Height();
    }
    // Placed children of a folder whose every child is placed fill it.
    uint32_t positive = 0;
    for (int64_t s : tree.ChildSizes(p.node)) positive += s > 0;
    if (positive == p.children) EXPECT_EQ(covered, int64_t(content.Width()) * content.Height()) << k;
  }
}

TEST(TreemapLayout, RandomTreesAreContainedDisjointAndProportional) {
  for (unsigned seed : {3u, 4u, 5u}) {
    int64_t rowid = 0;
    const std::vector<Row> rows = RandomSnapshot(seed, 4000, rowid);
    NameIndex index;
    const catalog::IndexContents contents = ContentsOf(index, rows);
    const SpaceTree tree = SpaceTree::Build(contents, "[T]:\\");
    const PixelRect area{0, 0, 640, 480};
    for (const stats::TreemapOptions& o : {stats::TreemapOptions{}, Flat()}) {
      const TreemapLayout layout = stats::LayoutTreemap(tree, 0, area, o);
      ExpectSoundLayout(tree, layout, area);
      EXPECT_GT(layout.rects.size(), 200u);
    }
    // A folder of the tree as the root of its own map.
    const uint32_t sub = tree.FirstChild(0);
    if (tree.IsFolder(sub)) ExpectSoundLayout(tree, stats::LayoutTreemap(tree, sub, area), area);
  }
}

TEST(TreemapLayout, AMinimumAreaLeavesTheSmallFilesAsTheirFoldersShareAndKeepsTheRestProportional) {
  for (unsigned seed : {6u, 7u}) {
    int64_t rowid = 0;
    const std::vector<Row> rows = RandomSnapshot(seed, 6000, rowid);
    NameIndex index;
    const SpaceTree tree = SpaceTree::Build(ContentsOf(index, rows), "[T]:\\");
    const PixelRect area{0, 0, 320, 240};
    stats::TreemapOptions o;
    const size_t all = stats::LayoutTreemap(tree, 0, area, o).rects.size();
    o.minArea = 6;
    const TreemapLayout coarse = stats::LayoutTreemap(tree, 0, area, o);
    ExpectSoundLayout(tree, coarse, area);  // the shares of those placed are as before
    EXPECT_LT(coarse.rects.size(), all);
    // Nothing placed is much under the minimum: each at least its share, less rounding.
    for (size_t k = 1; k < coarse.rects.size(); ++k) {
      const stats::PlacedRect& p = coarse.rects[k];
      EXPECT_GE(p.rect.Width() * p.rect.Height() + p.rect.Width() + p.rect.Height() + 1, 6) << k;
    }
  }
}

TEST(TreemapLayout, EqualFilesInASquareAreSquares) {
  std::vector<Row> rows;
  for (int i = 1; i <= 16; ++i) rows.emplace_back(i, EntryKind::File, "f" + std::to_string(i), 1000);
  for (Row& r : rows) r.path = "[Q]:\\";
  NameIndex index;
  const SpaceTree tree = SpaceTree::Build(ContentsOf(index, rows), "[Q]:\\");
  const TreemapLayout layout = stats::LayoutTreemap(tree, 0, {0, 0, 400, 400}, Flat());
  ASSERT_EQ(layout.rects.size(), 17u);
  for (size_t k = 1; k < layout.rects.size(); ++k) {
    EXPECT_EQ(layout.rects[k].rect.Width(), 100) << k;
    EXPECT_EQ(layout.rects[k].rect.Height(), 100) << k;
  }
}

TEST(TreemapLayout, NoAreaForNothingAndRoomForOneHugeBesideManyTiny) {
  std::vector<Row> rows = {Row(1, EntryKind::File, "huge.iso", int64_t{1} << 40, catalog::kUnknownTime, "[H]:\\"),
                           Row(2, EntryKind::Folder, "empty", 0, catalog::kUnknownTime, "[H]:\\"),
                           Row(3, EntryKind::Folder, "zeros", 0, catalog::kUnknownTime, "[H]:\\"),
                           Row(4, EntryKind::File, "z", 0, catalog::kUnknownTime, "[H]:\\zeros\\"),
                           Row(5, EntryKind::Folder, "tiny", 0, catalog::kUnknownTime, "[H]:\\")};
  for (int i = 0; i < 100000; ++i)
    rows.emplace_back(6 + i, EntryKind::File, "t" + std::to_string(i), 1, catalog::kUnknownTime, "[H]:\\tiny\\");
  NameIndex index;
  const catalog::IndexContents contents = ContentsOf(index, rows);
  const SpaceTree tree = SpaceTree::Build(contents, "[H]:\\");
  const PixelRect area{0, 0, 1000, 800};
  const TreemapLayout alone = stats::LayoutTreemap(tree, 0, area);
  // The huge file takes all but a sliver: the tiny folder is under a pixel.
  ASSERT_EQ(alone.rects.size(), 2u);
  ExpectSoundLayout(tree, alone, area);
  EXPECT_EQ(alone.rects[1].node, tree.FirstChild(0));
  EXPECT_EQ(alone.rects[1].rect.Width() * alone.rects[1].rect.Height(), 998 * 784);

  // The tiny ones alone, 100,000 in 800,000 pixels: placed, sound.
  const uint32_t tiny = tree.FirstChild(0) + 1;
  ASSERT_EQ(tree.Bytes(tiny), 100000);
  const TreemapLayout many = stats::LayoutTreemap(tree, tiny, area, Flat());
  EXPECT_EQ(many.rects.size(), 100001u);
  ExpectSoundLayout(tree, many, area);
  EXPECT_TRUE(stats::LayoutTreemap(tree, tree.FirstChild(0) + 2, area).rects.empty());  // a folder of no bytes
}

// The hit test against the deepest of all rectangles holding the point.
void ExpectHitsLikeEveryRectangle(const TreemapLayout& layout, int width, int height, int points) {
  std::mt19937 rng(5);
  for (int i = 0; i < points; ++i) {
    const int x = int(rng() % unsigned(width)), y = int(rng() % unsigned(height));
    size_t want = TreemapLayout::kNone;
    for (size_t k = 0; k < layout.rects.size(); ++k)
      if (layout.rects[k].rect.Contains(x, y) && (want == TreemapLayout::kNone || layout.rects[k].depth > layout.rects[want].depth))
        want = k;
    ASSERT_EQ(layout.HitTest(x, y), want) << x << "," << y;
  }
}

TEST(TreemapLayout, HitTestFindsTheDeepestRectangleUnderThePoint) {
  int64_t rowid = 0;
  const std::vector<Row> rows = RandomSnapshot(9, 3000, rowid);
  NameIndex index;
  const SpaceTree tree = SpaceTree::Build(ContentsOf(index, rows), "[T]:\\");
  ExpectHitsLikeEveryRectangle(stats::LayoutTreemap(tree, 0, {10, 20, 510, 420}), 540, 450, 2000);
  // One wide block, where the walk skips whole rows.
  std::vector<Row> flat;
  for (int i = 1; i <= 20000; ++i)
    flat.emplace_back(i, EntryKind::File, "f" + std::to_string(i), 1 + i % 97, catalog::kUnknownTime, "[F]:\\");
  NameIndex flatIndex;
  const SpaceTree wide = SpaceTree::Build(ContentsOf(flatIndex, flat), "[F]:\\");
  const TreemapLayout layout = stats::LayoutTreemap(wide, 0, {0, 0, 300, 200}, Flat());
  ASSERT_GT(layout.rects.size(), 10000u);
  ExpectHitsLikeEveryRectangle(layout, 300, 200, 300);
}

// ---- the pixels

uint32_t Brightness(uint32_t argb) { return ((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF); }

TEST(TreemapPaint, CushionsLitFromTheTopLeftInTheirKindsColourAndFramedFolders) {
  const std::vector<Row> rows = {Row(1, EntryKind::File, "a.jpg", 300, catalog::kUnknownTime, "[P]:\\"),
                                 Row(2, EntryKind::File, "b.mp3", 100, catalog::kUnknownTime, "[P]:\\")};
  NameIndex index;
  const SpaceTree tree = SpaceTree::Build(ContentsOf(index, rows), "[P]:\\");
  stats::TreemapOptions o;
  o.header = 10;
  o.headerMinHeight = 20;
  const TreemapLayout layout = stats::LayoutTreemap(tree, 0, {0, 0, 202, 100}, o);
  ASSERT_EQ(layout.rects.size(), 3u);
  const int width = 200, height = 100, stride = 204;  // the map is wider than the buffer: clipped
  std::vector<uint32_t> pixels(size_t(stride) * height, 0x12345678);
  const stats::TreemapColours colours;
  stats::PaintTreemap(tree, layout, colours, pixels.data(), width, height, stride);
  for (int y = 0; y < height; ++y)
    for (int x = width; x < stride; ++x) ASSERT_EQ(pixels[size_t(y) * stride + x], 0x12345678u) << "outside";
  EXPECT_EQ(pixels[0], colours.frame);
  EXPECT_EQ(pixels[size_t(99) * stride + 50], colours.frame);
  EXPECT_EQ(pixels[size_t(5) * stride + 50], colours.header);
  const PixelRect jpg = layout.rects[1].rect, mp3 = layout.rects[2].rect;
  EXPECT_EQ(tree.Category(layout.rects[1].node), catalog::FileCategory::Picture);
  auto at = [&](int x, int y) { return pixels[size_t(y) * stride + x]; };
  const uint32_t centre = at((jpg.x0 + jpg.x1) / 2, (jpg.y0 + jpg.y1) / 2);
  // Reddish like pictures, greenish like music.
  EXPECT_GT((centre >> 16) & 0xFF, (centre >> 8) & 0xFF);
  const uint32_t music = at((mp3.x0 + mp3.x1) / 2, (mp3.y0 + mp3.y1) / 2);
  EXPECT_GT((music >> 8) & 0xFF, (music >> 16) & 0xFF);
  // Near the top left edge brighter than near the bottom right one.
  EXPECT_GT(Brightness(at(jpg.x0 + 1, jpg.y0 + 1)), Brightness(at(jpg.x1 - 2, jpg.y1 - 2)) + 60);
  EXPECT_GT(Brightness(centre), Brightness(at(jpg.x1 - 2, jpg.y1 - 2)));
}

}  // namespace
