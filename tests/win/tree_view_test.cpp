// The tree view window under Wine: the first level at once, folders loaded
// on their first expansion, the images, the location of a file, the
// minimum width and the status texts of the command.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "browse/unit_public.h"
#include "browse/win_unit_treeview.h"
#include "tests/win/maintain_fixture.h"
#include "tests/win/support/msgbox_answerer.h"

using namespace browse;

namespace {

// Lets a window be sized below the system's minimum tracking size, for as
// long as it lives.
class WithoutSystemMinimum {
 public:
  explicit WithoutSystemMinimum(HWND window) : window_(window) {
    formProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WithoutSystemMinimum::Proc)));
  }
  ~WithoutSystemMinimum() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(formProc_));
    formProc_ = nullptr;
  }
  WithoutSystemMinimum(const WithoutSystemMinimum&) = delete;
  WithoutSystemMinimum& operator=(const WithoutSystemMinimum&) = delete;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = CallWindowProcW(formProc_, w, msg, wp, lp);
    if (msg == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{1, 1};
    return r;
  }
  static inline WNDPROC formProc_ = nullptr;
  HWND window_;
};

class TreeViewTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    SnapshotCommandTest::SetUp();
    catalog::AppendSnapshot(q, "CD1", 700, "");
    AddRow("[CD1]:\\", "a", 1);
    AddRow("[CD1]:\\", "readme.txt", 0, 100);
    AddRow("[CD1]:\\a\\", "b", 1);
    AddRow("[CD1]:\\a\\", "setup.exe", 0, 100);
    AddRow("[CD1]:\\a\\b\\", "photo.jpg", 0, 3072);
    AddRow("[CD1]:\\a\\b\\", "empty", 1);
    catalog::AppendSnapshot(q, "EMPTY", 700, "");
    BrowseAll();
  }
  // Shows the window for `label`, runs `act` while it is open, closes it.
  void ShowTree(const std::string& label, const std::function<void()>& act) {
    tree.SnapshotLabel = label;
    {
      testsupport::ModalAction whileOpen([&] {
        act();
        SendMessageW(tree.BtnExit.Handle(), BM_CLICK, 0, 0);
      });
      tree.ShowModal();
    }
  }
  static ui::TreeNode* Child(ui::TreeNode* n, const std::string& text) {
    for (int i = 0; i < n->Count(); ++i)
      if (n->Item(i)->Text() == text) return n->Item(i);
    return nullptr;
  }

  ui::ImageList images{&main, 16, 16};
  struct Details {
    ui::Form* owner;
    std::string location, name;
  };
  std::vector<Details> details;
  TfrmTreeview tree{&cn, &images, [this](ui::Form* owner, const std::string& location, const std::string& name) {
                      details.push_back({owner, location, name});
                    }};
};

}  // namespace

TEST_F(TreeViewTest, FirstLevelAtOnceFoldersOnTheirFirstExpansion) {
  ShowTree("CD1", [&] {
    EXPECT_EQ(tree.Caption(), "树状浏览 - 快照：CD1");
    ASSERT_EQ(tree.TreeView1.RootCount(), 1);
    ui::TreeNode* root = tree.TreeView1.Root(0);
    EXPECT_EQ(root->Text(), "CD1");
    EXPECT_EQ(root->ImageIndex(), kImageSnapshot);
    EXPECT_TRUE(root->Expanded());
    ASSERT_EQ(root->Count(), 2);
    ui::TreeNode* a = Child(root, "a");
    ui::TreeNode* readme = Child(root, "readme.txt");
    ASSERT_TRUE(a && readme);
    EXPECT_EQ(a->ImageIndex(), kImageFolder);
    EXPECT_EQ(a->SelectedIndex(), kImageFolder);
    EXPECT_EQ(a->Count(), 0);  // not loaded yet
    EXPECT_EQ(readme->ImageIndex(), kImageText);
    EXPECT_EQ(readme->SelectedIndex(), kImageOtherFile);
    a->Expand();
    ASSERT_EQ(a->Count(), 2);
    ui::TreeNode* setup = Child(a, "setup.exe");
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->ImageIndex(), kImageProgram);
    EXPECT_EQ(setup->SelectedIndex(), kImageProgram);
    // A second expansion runs no query: a row added meanwhile stays unseen.
    AddRow("[CD1]:\\a\\", "late.txt", 0, 1);
    a->Collapse();
    a->Expand();
    EXPECT_EQ(a->Count(), 2);
  });
}

TEST_F(TreeViewTest, DoubleClickShowsTheDetailsOfFilesOnly) {
  ShowTree("CD1", [&] {
    ui::TreeNode* root = tree.TreeView1.Root(0);
    ui::TreeNode* a = Child(root, "a");
    a->Expand();
    ui::TreeNode* b = Child(a, "b");
    b->Expand();
    ui::TreeNode* photo = Child(b, "photo.jpg");
    ASSERT_TRUE(photo);
    EXPECT_EQ(TfrmTreeview::LocationOf(photo), "[CD1]:\\a\\b\\");
    for (ui::TreeNode* n : {root, a, b}) {
      tree.TreeView1.SetSelected(n);
      tree.TreeView1DblClick();
    }
    EXPECT_TRUE(details.empty());
    tree.TreeView1.SetSelected(photo);
    tree.TreeView1DblClick();
    tree.TreeView1.SetSelected(Child(root, "readme.txt"));
    tree.TreeView1DblClick();
  });
  ASSERT_EQ(details.size(), 2u);
  EXPECT_EQ(details[0].owner, &tree);
  EXPECT_EQ(details[0].location, "[CD1]:\\a\\b\\");
  EXPECT_EQ(details[0].name, "photo.jpg");
  EXPECT_EQ(details[1].location, "[CD1]:\\");
}

// The expand button as the tree control itself shows it.
static bool HasButton(const ui::TreeView& tree, const ui::TreeNode* node) {
  TVITEMW item{};
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = node->Handle();
  SendMessageW(tree.Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.cChildren != 0;
}

TEST_F(TreeViewTest, AnEmptyFolderKeepsItsButtonAndTheTreeItsBorder) {
  ShowTree("CD1", [&] {
    ui::TreeNode* a = Child(tree.TreeView1.Root(0), "a");
    a->Expand();
    ui::TreeNode* b = Child(a, "b");
    b->Expand();
    ui::TreeNode* empty = Child(b, "empty");
    ASSERT_TRUE(empty);
    empty->Expand();
    EXPECT_EQ(empty->Count(), 0);
    // It still shows that it can be opened; it opens onto nothing.
    EXPECT_TRUE(HasButton(tree.TreeView1, empty));
    EXPECT_TRUE(HasButton(tree.TreeView1, b));
  });

  // The tree draws a border of 3 pixels inside its own frame: its client
  // area is 6 pixels narrower and lower than a plain tree's of the same size.
  ui::Form plainForm("TfrmPlainTree");
  ui::TreeView plain(&plainForm);
  plain.SetBounds(0, 0, 200, 150);
  tree.TreeView1.SetBounds(0, 0, 200, 150);
  EXPECT_EQ(plain.ClientWidth() - tree.TreeView1.ClientWidth(), 6);
  EXPECT_EQ(plain.ClientHeight() - tree.TreeView1.ClientHeight(), 6);
}

TEST_F(TreeViewTest, AFailedFirstQueryGivesTheProgramBack) {
  std::vector<std::string> status;
  Select("CD1");
  cn.Close();  // as after a compaction whose reopen failed
  testsupport::MessageBoxAnswerer boxes;
  TBtnTreeviewClick(&main.list(), [&](const std::string& s) { status.push_back(s); }, tree);
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(status, (std::vector<std::string>{"树状浏览 - CD1", ""}));
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(IsWindowVisible(tree.Handle()));
  EXPECT_FALSE(tree.Modal());
}

TEST_F(TreeViewTest, EmptySnapshotsAndUnknownLabelsShowTheRootOnly) {
  for (const char* label : {"EMPTY", "NOT A SNAPSHOT"}) {
    ShowTree(label, [&] {
      ASSERT_EQ(tree.TreeView1.RootCount(), 1);
      EXPECT_EQ(tree.TreeView1.Root(0)->Text(), label);
      EXPECT_EQ(tree.TreeView1.Root(0)->Count(), 0);
    });
  }
}

TEST_F(TreeViewTest, ShowingAgainRebuildsTheTree) {
  ShowTree("CD1", [&] { Child(tree.TreeView1.Root(0), "a")->Expand(); });
  ShowTree("CD1", [&] { EXPECT_EQ(Child(tree.TreeView1.Root(0), "a")->Count(), 0); });
}

TEST_F(TreeViewTest, LayoutAndMinimumWidth) {
  EXPECT_EQ(tree.Width(), 344);
  EXPECT_EQ(tree.Height(), 384);
  EXPECT_EQ(tree.BtnExit.Width(), 65);
  EXPECT_EQ(tree.BtnExit.Caption(), "退出(&X)");
  EXPECT_EQ(tree.BtnExit.Left(), (tree.PnlExit.Width() - 65) / 2);
  tree.SetSize(500, 384);
  EXPECT_EQ(tree.BtnExit.Left(), (tree.PnlExit.Width() - 65) / 2);
  // Never narrower than the button and 10 pixels. The system's own minimum
  // for a sizable window is larger; with it out of the way only the window's
  // rule holds the width.
  WithoutSystemMinimum unlimited(tree.Handle());
  tree.SetSize(90, 384);
  ASSERT_EQ(tree.Width(), 90);
  tree.SetSize(40, 384);
  EXPECT_EQ(tree.Width(), 75);
  EXPECT_EQ(tree.Height(), 384);
}

TEST_F(TreeViewTest, TheCommandSetsAndEmptiesTheStatus) {
  std::vector<std::string> status;
  Select("CD1");
  {
    testsupport::ModalAction act([&] { SendMessageW(tree.BtnExit.Handle(), BM_CLICK, 0, 0); });
    TBtnTreeviewClick(&main.list(), [&](const std::string& s) { status.push_back(s); }, tree);
  }
  EXPECT_EQ(status, (std::vector<std::string>{"树状浏览 - CD1", ""}));
  EXPECT_EQ(tree.SnapshotLabel, "CD1");
  main.list().SetSelected(nullptr);
  TBtnTreeviewClick(&main.list(), [&](const std::string& s) { status.push_back(s); }, tree);
  EXPECT_EQ(status.size(), 2u);
}
