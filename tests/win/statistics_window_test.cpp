// The statistics and the space map in the running program under Wine:
// opened from the menus for the whole catalogue or a snapshot, the figures
// and lists, the actions on a large file, the map's hover, double click,
// Backspace and "返回上层", and both pictures written as PNG files with the
// size they show.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>

#include "stats/win_space_map_window.h"
#include "stats/win_picture_actions.h"
#include "stats/win_statistics_window.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"

namespace {

using testsupport::ModalAction;

class StatisticsWindowTest : public MainWindowTest {
 protected:
  void MakeCatalog() {
    FillNewCatalog([](catalog::Query& q) {
      catalog::AppendSnapshot(q, "CD1", 700, "");
      catalog::AppendSnapshot(q, "CD2", 700, "");
      AddRow(q, "[CD1]:\\", "docs", 1);
      AddRow(q, "[CD1]:\\", "film.mkv", 0, 600000000);
      AddRow(q, "[CD1]:\\docs\\", "a.txt", 0, 100000000);
      AddRow(q, "[CD1]:\\docs\\", "b.txt", 0, 50000000);
      AddRow(q, "[CD1]:\\docs\\", "photo.jpg", 0, 150000000);
      AddRow(q, "[CD2]:\\", "big.iso", 0, 4000000000LL);
    });
  }
  // Width and height from a PNG file's header.
  static std::pair<int, int> PngSize(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be = [&](size_t at) {
      return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
             (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return {static_cast<int>(be(16)), static_cast<int>(be(20))};
  }
  static std::pair<int, int> ClientSize(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
  }
};

TEST_F(StatisticsWindowTest, WholeCatalogueFiguresListsActionsAndPicture) {
  MakeCatalog();
  Start();
  main->ListView1->SetSelected(nullptr);
  auto& w = *static_cast<stats::TfrmStatistics*>(program->frmStatistics);
  bool checked = false;
  ModalAction act([&] {
    EXPECT_TRUE(w.Labels.empty());  // no snapshot selected: the whole catalogue
    EXPECT_EQ(w.Figures().files, 5);
    EXPECT_EQ(w.Figures().folders, 1);
    EXPECT_EQ(w.Figures().bytes, 4900000000LL);
    EXPECT_EQ(w.LblSummary.Text(), "全部快照（2 个）：文件夹 1 个，文件 5 个，共 4.56 GB。");
    ASSERT_EQ(w.Charts().size(), 3u);
    EXPECT_EQ(w.Charts()[0].bars.size(), 2u);
    EXPECT_EQ(w.Charts()[1].bars[0].value, 150000000);  // 图片: photo.jpg
    // The largest files, largest first, with their folders.
    ASSERT_EQ(w.LvLargest.ItemCount(), 5);
    EXPECT_EQ(w.LvLargest.Rows()->Text(0, 0), "big.iso");
    EXPECT_EQ(w.LvLargest.Rows()->Text(1, 2), "[CD1]:\\");
    EXPECT_EQ(w.LvExtensions.ItemCount(), 4);
    EXPECT_EQ(w.LvExtensions.Item(0)->Caption(), ".txt");
    w.LvLargest.SelectOnly(2);
    w.CopyPaths();
    EXPECT_EQ(testsupport::ClipboardText(), "[CD1]:\\docs\\photo.jpg");
    boxes.Plan(IDOK);
    w.OpenLocation();
    EXPECT_EQ(boxes.Last().text, "请插入 CD1");
    // The charts' picture, as large as they show.
    std::string error;
    const std::string png = folder + "stats.png";
    ASSERT_TRUE(stats::WritePicturePng(w.PbCharts, png, error)) << error;
    EXPECT_EQ(PngSize(png), ClientSize(w.PbCharts.Handle()));
    checked = true;
    w.Close();
  });
  main->mnuStatistics->Click();
  EXPECT_TRUE(checked);
  EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(StatisticsWindowTest, SpaceMapHoverDoubleClickUpAndPicture) {
  MakeCatalog();
  Start();
  main->ListView1->SetSelected(main->ListView1->Item(0));  // CD1
  auto& m = *static_cast<stats::TfrmSpaceMap*>(program->frmSpaceMap);
  bool checked = false;
  ModalAction act([&] {
    EXPECT_EQ(m.SnapshotLabel, "CD1");
    UpdateWindow(m.PbMap.Handle());
    ASSERT_FALSE(m.Layout().rects.empty());
    EXPECT_EQ(m.RootNode(), 0u);
    EXPECT_EQ(m.LblPath.Text(), "[CD1]:\\（858.3 MB）");
    // The film is the largest child: it holds the map's first place.
    const auto [width, height] = ClientSize(m.PbMap.Handle());
    uint32_t film = stats::SpaceTree::kNoNode, docs = stats::SpaceTree::kNoNode;
    for (const stats::PlacedRect& p : m.Layout().rects) {
      if (m.Tree().Parent(p.node) != 0) continue;
      (m.Tree().IsFolder(p.node) ? docs : film) = p.node;
    }
    ASSERT_NE(film, stats::SpaceTree::kNoNode);
    ASSERT_NE(docs, stats::SpaceTree::kNoNode);
    auto centre = [&](uint32_t node) {
      for (const stats::PlacedRect& p : m.Layout().rects)
        if (p.node == node) return std::pair{(p.rect.x0 + p.rect.x1) / 2, (p.rect.y0 + p.rect.y1) / 2};
      return std::pair{-1, -1};
    };
    const auto [fx, fy] = centre(film);
    m.HoverAt(fx, fy);
    EXPECT_EQ(m.StatusBar1.PanelText(0), "[CD1]:\\film.mkv    572.2 MB（视频）");
    m.ClickAt(fx, fy);
    EXPECT_EQ(m.SelectedNode(), film);
    // A double click on a file of docs goes into docs; Backspace comes back.
    uint32_t inDocs = stats::SpaceTree::kNoNode;
    for (const stats::PlacedRect& p : m.Layout().rects)
      if (m.Tree().Parent(p.node) == docs) inDocs = p.node;
    ASSERT_NE(inDocs, stats::SpaceTree::kNoNode);
    const auto [dx, dy] = centre(inDocs);
    m.DblClickAt(dx, dy);
    EXPECT_EQ(m.RootNode(), docs);
    EXPECT_EQ(m.LblPath.Text(), "[CD1]:\\docs\\（286.1 MB）");
    EXPECT_TRUE(m.BtnUp.Enabled());
    m.PbMap.SetFocus();
    testsupport::PostKey(m.PbMap.Handle(), VK_BACK);
    testsupport::PumpPosted();
    EXPECT_EQ(m.RootNode(), 0u);
    EXPECT_EQ(m.SelectedNode(), docs);  // the folder come from stays marked
    EXPECT_FALSE(m.BtnUp.Enabled());
    m.OpenFolder(docs);
    m.BtnUp.Click();
    EXPECT_EQ(m.RootNode(), 0u);
    std::string error;
    const std::string png = folder + "map.png";
    ASSERT_TRUE(stats::WritePicturePng(m.PbMap, png, error)) << error;
    EXPECT_EQ(PngSize(png), std::make_pair(width, height));
    checked = true;
    m.Close();
  });
  main->Commands.spaceMap();
  EXPECT_TRUE(checked);
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
