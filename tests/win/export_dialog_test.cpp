// Export from the main window's command through the system save dialog,
// which the test drives from a thread timer while the dialog runs.
#include <gtest/gtest.h>

#include <functional>

#include "maintain/win_commands.h"
#include "platform/file_io.h"
#include "tests/win/maintain_fixture.h"

using namespace maintain;

namespace {

struct SaveDialogSeen {
  bool shown = false;
  std::string title, fileName, filter;
};

// What the test does with the save dialog once it is up: the file name to
// type (empty: cancel).
std::function<void(HWND)> g_drive;
// What the test does with the list of file types before the name is typed.
std::function<void(HWND)> g_choose;

HWND FindSaveDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM p) -> BOOL {
        wchar_t cls[16] = {}, title[64] = {};
        GetClassNameW(h, cls, 15);
        GetWindowTextW(h, title, 63);
        if (wcscmp(cls, L"#32770") == 0 && wcscmp(title, L"快照导出至") == 0 && IsWindowVisible(h)) {
          *reinterpret_cast<HWND*>(p) = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK DriveTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dlg = FindSaveDialog();
  if (!dlg) return;
  KillTimer(nullptr, id);
  g_drive(dlg);
}

void CALLBACK CancelTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dlg = FindSaveDialog();
  if (!dlg) return;
  KillTimer(nullptr, id);
  PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
}

std::string ItemText(HWND dlg, int id) {
  wchar_t buf[512] = {};
  GetDlgItemTextW(dlg, id, buf, 511);
  return ui::Narrow(buf);
}

// The file name box of the explorer-style dialog is a combo box (cmb13),
// of the old style an edit (edt1).
constexpr int kFileNameCombo = 0x47C, kFileNameEdit = 0x480, kFileTypes = 0x470;

class ExportDialogTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    SnapshotCommandTest::SetUp();
    AddSnapshot("CD1");
    AddSnapshot("CD10");
    BrowseAll();
    Select("CD1");
  }
  // Runs the command; the dialog is answered with `name` (empty: Cancel).
  void Export(const std::string& name) {
    g_drive = [this, name](HWND dlg) {
      seen.shown = true;
      seen.title = [&] {
        wchar_t t[64] = {};
        GetWindowTextW(dlg, t, 63);
        return ui::Narrow(t);
      }();
      int nameId = GetDlgItem(dlg, kFileNameCombo) ? kFileNameCombo : kFileNameEdit;
      seen.fileName = ItemText(dlg, nameId);
      HWND types = GetDlgItem(dlg, kFileTypes);
      if (g_choose) g_choose(types);
      int sel = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
      wchar_t t[128] = {};
      SendMessageW(types, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(t));
      seen.filter = ui::Narrow(t);
      if (name.empty()) {
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
      } else {
        SetDlgItemTextW(dlg, nameId, ui::Wide(folder + name).c_str());
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
      }
    };
    UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveTimer);
    TBtnExportClick(main, saveDialog);
    KillTimer(nullptr, timer);
  }
  std::string Read(const std::string& name) {
    std::string s;
    fileio::ReadWholeFile(folder + name, s);
    return s;
  }

  ui::SaveDialog saveDialog{&main};
  SaveDialogSeen seen;
};

}  // namespace

TEST_F(ExportDialogTest, CancelWritesNothing) {
  Export("");
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.title, "快照导出至");
  EXPECT_EQ(seen.fileName, "CD1");
  EXPECT_EQ(seen.filter, "网页(*.HTM)");
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_FALSE(fileio::FileExists(folder + "CD1.htm"));
  EXPECT_FALSE(fileio::FileExists(folder + "CD1.HTM"));
  EXPECT_EQ(saveDialog.Tag, 99);
}

TEST_F(ExportDialogTest, AWebPageWithTheDefaultExtensionAndTheCompletionMessage) {
  boxes.Plan(IDOK);
  Export("list");
  // The dialog adds the chosen type's extension to a name typed without one.
  EXPECT_EQ(text::AsciiUpper(saveDialog.FileName.substr(saveDialog.FileName.size() - 8)), "LIST.HTM");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, "快照导出完成！");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(boxes.Last().owner, main.Handle());
  std::string page = text::FromGb18030(Read(saveDialog.FileName.substr(folder.size())));
  EXPECT_EQ(page.rfind("<HTML><Header><Title>\r\n快照：[CD1]\r\n", 0), 0u);
  EXPECT_NE(page.find("[CD1]:\\docs\\a.txt     文件\r\n"), std::string::npos);
  EXPECT_EQ(page.find("CD10"), std::string::npos);
}

TEST_F(ExportDialogTest, PlainTextForTxtAndHtmlNamesAndTheOverwriteQuestion) {
  boxes.Plan(IDOK);
  Export("list.txt");
  EXPECT_EQ(text::FromGb18030(Read("list.txt")).rfind("快照：[CD1]\r\n", 0), 0u);
  boxes.Plan(IDOK);
  Export("list.html");
  EXPECT_EQ(text::FromGb18030(Read("list.html")).rfind("快照：[CD1]\r\n", 0), 0u);
  // Replacing asks first; No returns to the dialog, which is then cancelled.
  fileio::WriteFileAtomic(folder + "old.txt", "keep");
  boxes.Clear();
  boxes.Plan([](const testsupport::MessageBoxRecord&) {
    SetTimer(nullptr, 0, 100, CancelTimer);
    return IDNO;
  });
  Export("old.txt");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(Read("old.txt"), "keep");
}

// A snapshot holding archives' members: the dialog offers the two kinds
// with them after today's two; today's kinds write today's bytes.
TEST_F(ExportDialogTest, MembersOfArchivesOnlyWhenTheirKindIsChosen) {
  boxes.Plan(IDOK);
  Export("before.txt");
  const std::string before = Read("before.txt");
  AddRow("[CD1]:\\docs\\", "pack.zip", 0, 99);
  AddRow("[CD1]:\\docs\\pack.zip\\", "inner.txt", 0, 3);
  cn.Execute("Update CDFile Set Members=1 Where Name='pack.zip'; Update CDFile Set InArchive=1 Where Name='inner.txt'");
  std::vector<std::string> kinds;
  int kind = 0;  // the type to choose before OK (1-based; 0: as offered)
  g_choose = [&](HWND types) {
    for (int i = 0; i < static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0)); ++i) {
      wchar_t t[128] = {};
      SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
      kinds.push_back(ui::Narrow(t));
    }
    if (kind == 0) return;
    SendMessageW(types, CB_SETCURSEL, kind - 1, 0);
    // As a choice with the mouse ends: the explorer-style dialog takes the
    // type at CBN_SELENDOK.
    SendMessageW(GetParent(types), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(types), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(types));
  };
  boxes.Plan(IDOK);
  Export("plain.txt");
  EXPECT_EQ(kinds, (std::vector<std::string>{"文本文件(.TXT)", "网页(*.HTM)", "文本文件，包括压缩包中的文件(.TXT)",
                                             "网页，包括压缩包中的文件(*.HTM)"}));
  const std::string plain = text::FromGb18030(Read("plain.txt"));
  EXPECT_NE(plain.find("[CD1]:\\docs\\pack.zip     文件\r\n"), std::string::npos);
  EXPECT_EQ(plain.find("inner.txt"), std::string::npos);
  kind = 3;
  boxes.Plan(IDOK);
  Export("members.txt");
  EXPECT_EQ(saveDialog.FilterIndex, 3);
  const std::string members = text::FromGb18030(Read("members.txt"));
  EXPECT_NE(members.find("[CD1]:\\docs\\pack.zip\\inner.txt     文件\r\n"), std::string::npos);
  g_choose = nullptr;
  // The snapshot without its archive's rows exports as before, byte for byte.
  cn.Execute("Delete From CDFile Where Name In ('pack.zip', 'inner.txt')");
  boxes.Plan(IDOK);
  Export("after.txt");
  EXPECT_EQ(Read("after.txt"), before);
}
