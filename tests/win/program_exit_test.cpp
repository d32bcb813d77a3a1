// The real program, started as its own process in each of the five looks
// (the plain look and the four skins), used as a person would (a snapshot of
// a drive, a search, the tree view) and closed with its close button, ends
// with exit code 0. Under the heap checking of the test run a read of freed
// memory on the way out is a crash, and so an exit code that is not 0.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "tests/win/support/mapped_drive.h"
#include "tests/win/support/other_process.h"
#include "ui/wide.h"

using namespace testsupport;

namespace {

// The tool-bar images of the main window's buttons.
constexpr int kImageCreate = 0;
constexpr int kImageBrowseAll = 3;
constexpr int kImageTreeview = 4;

struct Look {
  const char* name;
  int iniStyle;  // [WinStyle] Style: 0 to 3 a skin, 99 the plain look
};

void PrintTo(const Look& look, std::ostream* out) { *out << look.name; }

class ProgramExitTest : public ::testing::TestWithParam<Look> {
 protected:
  void SetUp() override {
    folder_ = TempFolder(L"vorlune-exit-");
    std::wstring exe = folder_ + L"Kestrova.exe";
    ASSERT_TRUE(CopyFileW(ui::Wide(VORLUNE_PROGRAM_EXE).c_str(), exe.c_str(), FALSE)) << VORLUNE_PROGRAM_EXE;
    catalog::CreateEmptyCatalog(ui::Narrow(folder_) + "Kestrova", catalog::kDatabasePassword);
    WriteSettings("[WinStyle]\r\nStyle=" + std::to_string(GetParam().iniStyle) + "\r\n[ListView]\r\nStyle=1\r\n[Search]\r\nshow=1\r\n");
    ASSERT_TRUE(drive_.ok());
    drive_.Folder("照片");
    drive_.File("照片\\海边.jpg", 4096);
    drive_.File("readme.txt", 100);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                               &pi_))
        << GetLastError();
    ASSERT_TRUE(WaitUntil([&] { return (main_ = VisibleWindowOf(pi_.dwProcessId, L"TfrmMain")) != nullptr; }, 30000))
        << "the program showed no main window";
    WaitForInputIdle(pi_.hProcess, 10000);
  }
  void TearDown() override {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 10000);
      }
      CloseHandle(pi_.hThread);
      CloseHandle(pi_.hProcess);
    }
    RemoveTree(folder_);
  }
  void WriteSettings(const std::string& text) {
    HANDLE h = CreateFileW((folder_ + L"Kestrova.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
  }
  HWND Window(const wchar_t* cls) { return VisibleWindowOf(pi_.dwProcessId, cls); }
  HWND AwaitWindow(const wchar_t* cls) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Window(cls)) != nullptr; });
    return found;
  }
  bool AwaitGone(HWND window) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
  }
  // Clicks a main-window tool-bar button as the mouse does.
  void ClickToolButton(int image) {
    HWND bar = ToolBarWithImage(main_, image);
    ASSERT_NE(bar, nullptr) << "no tool bar with image " << image;
    RECT r = ToolButtonScreenRect(bar, image);
    ASSERT_LT(r.left, r.right) << "no button with image " << image;
    PostClick(bar, Centre(r));
  }
  HWND List() { return ChildWithText(main_, WC_LISTVIEWW, ""); }
  int ListCount() {
    HWND list = List();
    return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
  }
  // Answers the program's message box that begins with `text` with its
  // first button.
  void AnswerBox(const std::string& text) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      box = Window(L"#32770");
      return box && ChildWithText(box, L"Static", text) != nullptr;
    })) << "no box saying " << text << (box ? ", but one saying: " + BoxText(box) : std::string());
    HWND button = ChildWithText(box, L"Button", "");
    ASSERT_NE(button, nullptr);
    PostMessageW(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(AwaitGone(box));
  }

  // The texts of a box's static controls.
  static std::string BoxText(HWND box) {
    std::string text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) text += TextOf(c) + " | ";
    return text;
  }

  void MakeSnapshot() {
    ClickToolButton(kImageCreate);
    HWND create = AwaitWindow(L"TfrmCreate");
    ASSERT_NE(create, nullptr) << "the create window did not open";
    HWND drives = ChildWithText(create, L"ComboBoxEx32", "");
    ASSERT_NE(drives, nullptr);
    std::string letter = ui::Narrow(std::wstring{drive_.Letter(), L':'});
    int count = static_cast<int>(SendMessageW(drives, CB_GETCOUNT, 0, 0));
    bool selected = false;
    for (int i = 0; i < count && !selected; ++i) {
      if (ComboBoxExItemText(drives, i).find(letter) == std::string::npos) continue;
      SendMessageW(drives, CB_SETCURSEL, i, 0);
      selected = true;
    }
    ASSERT_TRUE(selected) << "the drive list has no " << letter;
    HWND label = SingleLineEdit(create);
    ASSERT_NE(label, nullptr);
    SendMessageW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"EXIT_1"));
    HWND start = ChildWithText(create, L"Button", "创建(&S)");
    ASSERT_NE(start, nullptr);
    PostMessageW(start, BM_CLICK, 0, 0);
    AnswerBox("快照创建完成");
    PostMessageW(create, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AwaitGone(create)) << "the create window did not close";
  }

  void Search() {
    // The settings show the search panel.
    HWND edit = nullptr, start = nullptr, stop = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      edit = SingleLineEdit(main_);
      start = ChildWithText(main_, L"Button", "立即搜索");
      stop = ChildWithText(main_, L"Button", "停止搜索");
      return edit && start && stop;
    })) << "no search panel";
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"."));
    PostMessageW(start, BM_CLICK, 0, 0);
    // The two files, listed once the search can be started again (two, so
    // that the snapshot list of one that comes next is told apart).
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(stop) && IsWindowEnabled(start) && ListCount() == 2; }))
        << ListCount();
  }

  // The tree view of the snapshot, chosen in the snapshot list.
  void OpenAndCloseTreeView() {
    ClickToolButton(kImageBrowseAll);
    ASSERT_TRUE(WaitUntil([&] { return ListCount() == 1; })) << ListCount();
    HWND list = List();
    ASSERT_TRUE(WaitUntil([&] {
      PostMessageW(list, WM_KEYDOWN, VK_HOME, 1);
      return SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1;
    })) << "the snapshot could not be selected";
    ClickToolButton(kImageTreeview);
    HWND tree = AwaitWindow(L"TfrmTreeview");
    ASSERT_NE(tree, nullptr) << "the tree view window did not open";
    PostMessageW(tree, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AwaitGone(tree));
  }

  std::wstring folder_;
  MappedDrive drive_{DRIVE_REMOVABLE};
  PROCESS_INFORMATION pi_{};
  HWND main_ = nullptr;
};

TEST_P(ProgramExitTest, UsedAndClosedWithItsCloseButtonItEndsWithExitCodeZero) {
  ASSERT_NO_FATAL_FAILURE(MakeSnapshot());
  ASSERT_NO_FATAL_FAILURE(Search());
  ASSERT_NO_FATAL_FAILURE(OpenAndCloseTreeView());

  POINT close = CloseButtonPoint(main_);
  ASSERT_GE(close.x, 0) << "no close button on the main window";
  // The press and release a click on the close button gives the window,
  // posted: real mouse input would be hit-tested at the moment it is sent,
  // and a skinned frame clears its window's visible bit for a moment while
  // it repaints on activation, so a click then could fall through.
  PostCloseButtonClick(main_, close);
  if (WaitForSingleObject(pi_.hProcess, 30000) != WAIT_OBJECT_0) {
    HWND box = Window(L"#32770");
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(pi_.dwThreadId, &gui);
    FAIL() << "the program did not end; its main window is " << (IsWindowVisible(main_) ? "shown" : "hidden")
           << (box ? ", a box says: " + BoxText(box) : std::string()) << "; capture " << gui.hwndCapture
           << ", active " << gui.hwndActive << " (main " << main_ << "), flags " << gui.flags;
  }
  DWORD code = 1;
  GetExitCodeProcess(pi_.hProcess, &code);
  EXPECT_EQ(code, 0u) << std::hex << "exit code 0x" << code;
}

INSTANTIATE_TEST_SUITE_P(EveryLook, ProgramExitTest,
                         ::testing::Values(Look{"Plain", 99}, Look{"Skin0", 0}, Look{"Skin1", 1}, Look{"Skin2", 2},
                                           Look{"Skin3", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
