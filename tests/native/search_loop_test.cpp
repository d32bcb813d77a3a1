#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "browse/unit_public.h"
#include "maintain/search.h"
#include "tests/native/maintain_fixture.h"

using namespace maintain;

namespace {

// Records what the search does to the window; ProcessMessages runs the
// test's "pending messages" once per row.
class FakeSearchView : public SearchView {
 public:
  void SetBeginSearchEnabled(bool e) override { beginEnabled = e; }
  void SetStopSearchEnabled(bool e) override { stopEnabled = e; }
  void SetUpdirEnabled(bool e) override { updirEnabled = e; }
  void SetStatus(const std::string& t) override { statuses.push_back(t); }
  void ClearItems() override { items.clear(); }
  void ShowResultColumns() override { ++columnsShown; }
  void AddItem(const SearchHit& h) override { items.push_back(h); }
  int ItemCount() const override { return static_cast<int>(items.size()); }
  void SetCurrentPath(const std::string& p) override { currentPath = p; }
  void ProcessMessages() override {
    ++rowsSeen;
    if (onMessages) onMessages(rowsSeen);
  }
  void BeginFill() override { fills.push_back("begin@" + std::to_string(items.size())); }
  void ShowProgress() override { ++progress; }
  void EndFill() override { fills.push_back("end@" + std::to_string(items.size())); }

  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (auto& h : items) out.push_back(h.caption);
    std::sort(out.begin(), out.end());
    return out;
  }

  bool beginEnabled = true, stopEnabled = false, updirEnabled = true;
  std::vector<std::string> statuses;
  std::vector<SearchHit> items;
  int columnsShown = 0, rowsSeen = 0, progress = 0;
  std::vector<std::string> fills;
  std::string currentPath = "[CD1]:\\";
  std::function<void(int)> onMessages;
};

class SearchTest : public testsupport::CatalogFixture {
 protected:
  void SetUp() override {
    CatalogFixture::SetUp();
    AddSnapshot("CD1");
    AddRow("[CD1]:\\", "Docs", 1);
    AddRow("[CD1]:\\Docs\\", "report.doc", 0, 100);
    AddRow("[CD1]:\\Docs\\", "abc.txt", 0, 5);
    AddRow("[CD1]:\\Docs\\", "a_c.txt", 0, 5);
    AddRow("[CD1]:\\Docs\\", "my notes.txt", 0, 5);
    AddRow("[CD1]:\\Docs\\", "O'Brien.txt", 0, 5);
    AddRow("[CD1]:\\Docs\\", "100%.log", 0, 5);
    AddSnapshot("CD2");
    AddRow("[CD2]:\\", "REPORTS", 1);
    AddRow("[CD2]:\\REPORTS\\", "照片.jpg", 0, 5);
  }
  std::vector<std::string> Search(const std::string& text, bool folders = true, bool files = true) {
    RunSearch(q, running, view, text, folders, files);
    return view.Captions();
  }
  using V = std::vector<std::string>;

  bool running = false;
  FakeSearchView view;
};

}  // namespace

TEST_F(SearchTest, OptionsChooseFoldersFilesOrBoth) {
  EXPECT_EQ(Search("rep"), (V{"REPORTS", "report.doc"}));
  EXPECT_EQ(Search("rep", true, false), (V{"REPORTS"}));
  EXPECT_EQ(Search("rep", false, true), (V{"report.doc"}));
  EXPECT_EQ(Search("rep", false, false), V{});
  EXPECT_EQ(view.statuses.back(), "搜索到：0项");
}

TEST_F(SearchTest, TextAsTypedWithWildcardsAndCaseIgnored) {
  EXPECT_EQ(Search("").size(), 9u);  // "%%": every entry of every snapshot
  EXPECT_EQ(Search(" "), (V{"my notes.txt"}));
  EXPECT_EQ(Search("a_c"), (V{"a_c.txt", "abc.txt"}));
  EXPECT_EQ(Search("0%.l"), (V{"100%.log"}));
  EXPECT_EQ(Search("DOCS"), (V{"Docs"}));
  EXPECT_EQ(Search("o'b"), (V{"O'Brien.txt"}));
  EXPECT_EQ(Search("照片"), (V{"照片.jpg"}));
}

TEST_F(SearchTest, HitsCarryKindIconAndLocation) {
  Search("rep");
  ASSERT_EQ(view.items.size(), 2u);
  for (const SearchHit& h : view.items) {
    if (h.caption == "REPORTS") {
      EXPECT_EQ(h.image, browse::kImageFolder);
      EXPECT_EQ(h.kind, "目录");
      EXPECT_EQ(h.path, "[CD2]:\\");
    } else {
      EXPECT_EQ(h.image, browse::kImageDocument);
      EXPECT_EQ(h.kind, "文件");
      EXPECT_EQ(h.path, "[CD1]:\\Docs\\");
    }
  }
}

TEST_F(SearchTest, StatesAndStatusTextsAroundARun) {
  bool runningDuring = false, stopDuring = false, beginDuring = true;
  view.onMessages = [&](int) {
    runningDuring = running;
    stopDuring = view.stopEnabled;
    beginDuring = view.beginEnabled;
  };
  Search("txt");
  EXPECT_TRUE(runningDuring);
  EXPECT_TRUE(stopDuring);
  EXPECT_FALSE(beginDuring);
  EXPECT_FALSE(running);
  EXPECT_FALSE(view.stopEnabled);
  EXPECT_TRUE(view.beginEnabled);
  EXPECT_FALSE(view.updirEnabled);  // stays off until the next double-click
  EXPECT_EQ(view.currentPath, "[");
  EXPECT_EQ(view.columnsShown, 1);
  EXPECT_EQ(view.statuses, (V{"正在搜索：txt", "搜索到：4项"}));
  EXPECT_FALSE(q.Active());
}

TEST_F(SearchTest, StopKeepsTheRowsFoundSoFar) {
  view.onMessages = [&](int row) {
    if (row == 2) running = false;  // BtnStopSearchClick
  };
  Search("");
  EXPECT_EQ(view.items.size(), 2u);
  EXPECT_EQ(view.statuses.back(), "搜索到：2项");
  EXPECT_FALSE(q.Active());
}

TEST_F(SearchTest, DoubleClickTakesTheListOver) {
  view.onMessages = [&](int row) {
    if (row != 3) return;
    // ListView1DblClick: stop the search, then open a folder on the query.
    running = false;
    q.Close();
    view.ClearItems();
    catalog::OpenFolder(q, "[CD1]:\\Docs\\");
    for (; !q.Eof(); q.Next()) view.AddItem(HitFromRow(q.AsString("Name"), 0, q.AsString("Path")));
    q.Close();
  };
  Search("");
  EXPECT_EQ(view.rowsSeen, 3);
  EXPECT_EQ(view.items.size(), 6u);  // the folder's entries only
  EXPECT_EQ(view.statuses.back(), "搜索到：6项");
}

TEST_F(SearchTest, NestedSearchRunsToItsEndAndTheOuterStops) {
  bool nested = false;
  view.onMessages = [&](int row) {
    if (row == 1 && !nested) {
      nested = true;
      RunSearch(q, running, view, "rep", true, true);  // Enter in EdtSearch
    }
  };
  Search("");
  EXPECT_EQ(view.Captions(), (V{"REPORTS", "report.doc"}));
  EXPECT_EQ(view.rowsSeen, 3);  // the outer row, then the inner search's two
  EXPECT_EQ(view.statuses, (V{"正在搜索：", "正在搜索：rep", "搜索到：2项", "搜索到：2项"}));
  EXPECT_FALSE(running);
}

TEST_F(SearchTest, ACommandLeavingTheQueryOnAnotherStatementEndsTheSearch) {
  view.onMessages = [&](int row) {
    // Left open on a folder listing, whose rows look like hits.
    if (row == 1) catalog::OpenFolder(q, "[CD1]:\\Docs\\");
  };
  Search("");
  EXPECT_EQ(view.items.size(), 1u);
  EXPECT_EQ(view.statuses.back(), "搜索到：1项");
}

TEST_F(SearchTest, ACommandLeavingTheQueryOnTheSameStatementTextEndsTheSearch) {
  view.onMessages = [&](int row) {
    // Another command's statement with the very text of the search's own:
    // only the query's generation tells them apart.
    if (row == 1) catalog::OpenEntry(q, 1);
  };
  Search("");
  EXPECT_EQ(view.items.size(), 1u);
  EXPECT_EQ(view.statuses.back(), "搜索到：1项");
}

TEST_F(SearchTest, LettersOfEveryScriptFoldAndRowsComeInCatalogueOrder) {
  AddRow("[CD2]:\\", "ÉTÉ.txt", 0, 1);
  AddRow("[CD2]:\\", "été.doc", 0, 1);
  AddRow("[CD2]:\\", "ＡＢＣ", 1);
  RunSearch(q, running, view, "été", true, true);
  ASSERT_EQ(view.items.size(), 2u);
  EXPECT_EQ(view.items[0].caption, "ÉTÉ.txt");
  EXPECT_EQ(view.items[1].caption, "été.doc");
  EXPECT_EQ(Search("ａｂｃ"), (V{"ＡＢＣ"}));
  // Rows added after a search are found by the next one.
  AddRow("[CD2]:\\", "abc.ÉTÉ", 0, 1);
  EXPECT_EQ(Search("ÉtÉ").size(), 3u);
}

TEST_F(SearchTest, RowsNearAndFarAreReadAndARowGoneMeanwhileIsSkipped) {
  cn.Execute("Insert Into CDFile(rowid, Name, Path, Type) Values(500, 'far.txt', '[CD2]:\\', 0)");
  EXPECT_EQ(Search("txt"), (V{"O'Brien.txt", "a_c.txt", "abc.txt", "far.txt", "my notes.txt"}));
  view.onMessages = [&](int row) {
    // A statement of another window removes the rows of a near and a far
    // hit still to come.
    if (row != 1) return;
    catalog::Query other(&cn);
    other.Add("Delete From CDFile Where Name In ('my notes.txt', 'far.txt')");
    other.ExecSQL();
  };
  view.rowsSeen = 0;
  EXPECT_EQ(Search("txt"), (V{"O'Brien.txt", "a_c.txt", "abc.txt"}));
  EXPECT_EQ(view.statuses.back(), "搜索到：3项");
}

TEST_F(SearchTest, AFailedOpenLeavesModeAndColumnsAndSaysItFailed) {
  cn.Close();
  Search("rep");
  EXPECT_EQ(view.columnsShown, 0);
  EXPECT_EQ(view.currentPath, "[CD1]:\\");
  EXPECT_TRUE(view.items.empty());
  // A failure does not read as an empty result.
  EXPECT_EQ(view.statuses.back(), "搜索失败：目录数据库连接未打开");
  EXPECT_TRUE(view.beginEnabled);
  EXPECT_FALSE(running);
}

TEST_F(SearchTest, PacedMessagesAndTheFillAroundThem) {
  uint64_t clock = 0;
  MessagePacing pacing{10, [&] { return clock += 4; }};  // each reading is 4 ms later
  RunSearch(q, running, view, "", true, true, pacing);
  EXPECT_EQ(view.items.size(), 9u);
  // Messages go through at most once per 10 ms of the clock: the 9 rows
  // read the clock 9 times after the start, so 36 ms pass, 3 passes.
  EXPECT_EQ(view.rowsSeen, 3);
  EXPECT_EQ(view.progress, 3);
  EXPECT_EQ(view.fills, (V{"begin@0", "end@9"}));
  // A stop during a paced pass still ends the search before the next row.
  view.onMessages = [&](int) { running = false; };
  clock = 0;
  RunSearch(q, running, view, "", true, true, pacing);
  EXPECT_EQ(view.items.size(), 3u);
  EXPECT_EQ(view.statuses.back(), "搜索到：3项");
}

TEST_F(SearchTest, ListPaintsAgainWhenTheStatementCannotBeOpened) {
  cn.Close();
  Search("x");
  EXPECT_EQ(view.fills, (V{"begin@0", "end@0"}));
  EXPECT_EQ(view.statuses.back().rfind("搜索失败：", 0), 0u);
}

TEST_F(SearchTest, SearchesNestedWhileTheNamesAreReadInSlicesEachFindTheirHits) {
  // Right after start-up the names are read in slices, and a search asks
  // the file; with instant search a search starts in the messages of
  // another one, three deep.
  ASSERT_FALSE(cn.Names().BuildStep(cn, 2));
  const std::vector<std::string> texts{"rep", "txt", "doc"};
  std::vector<size_t> hitsSeen;
  size_t depth = 0;
  view.onMessages = [&](int) {
    if (depth == texts.size()) return;
    const std::string text = texts[depth++];
    RunSearch(q, running, view, text, true, true);
    hitsSeen.push_back(view.items.size());
  };
  Search("");
  // The innermost first: "doc" (Docs, report.doc), then each outer one took
  // the list over from the one it held.
  EXPECT_EQ(hitsSeen, (std::vector<size_t>{2, 2, 2}));
  EXPECT_EQ(view.Captions(), (V{"Docs", "report.doc"}));
  for (const std::string& st : view.statuses) EXPECT_EQ(st.rfind("搜索失败", 0), std::string::npos) << st;
  // And a search after them all, with the slices still under way.
  EXPECT_EQ(Search("txt"), (V{"O'Brien.txt", "a_c.txt", "abc.txt", "my notes.txt"}));
  EXPECT_EQ(view.statuses.back(), "搜索到：4项");
}

TEST(SearchPanel, ButtonAndEnterRules) {
  EXPECT_TRUE(BeginSearchEnabled(true, true));
  EXPECT_TRUE(BeginSearchEnabled(false, true));
  EXPECT_TRUE(BeginSearchEnabled(true, false));
  EXPECT_FALSE(BeginSearchEnabled(false, false));
  EXPECT_TRUE(EnterStartsSearch(13, "a"));
  EXPECT_TRUE(EnterStartsSearch(13, " a "));
  EXPECT_FALSE(EnterStartsSearch(13, "   "));
  EXPECT_FALSE(EnterStartsSearch(13, ""));
  EXPECT_FALSE(EnterStartsSearch(65, "a"));
}
