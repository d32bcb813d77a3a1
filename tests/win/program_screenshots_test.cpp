// Pictures of the program itself for the help pages: the main window on the
// sample catalogue, and the same window with the hits of a search. The
// program runs as its own process (VORLUNE_PROGRAM, beside a catalogue), so
// that it shows its own icons; the test drives it through its windows.
// Taken by docs/help/take_pictures.sh; disabled in the normal run.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "tests/win/support/gui.h"
#include "tests/win/support/other_process.h"
#include "tests/win/support/screenshots.h"
#include "ui/wide.h"

namespace {

int ItemCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

class ProgramScreenshotsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shots = testsupport::ShotsFolder();
    const char* program = std::getenv("VORLUNE_PROGRAM");
    if (shots.empty() || !program || !*program) GTEST_SKIP() << "VORLUNE_SHOTS or VORLUNE_PROGRAM unset";
    std::wstring exe = ui::Wide(program);
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &si, &pi))
        << GetLastError();
    testsupport::WaitUntil([&] { return (main = testsupport::VisibleWindowOf(pi.dwProcessId, L"TfrmMain")) != nullptr; },
                           20000);
    ASSERT_NE(main, nullptr) << "the program showed no main window";
    list = testsupport::FindChild(main, L"SysListView32");
    ASSERT_NE(list, nullptr);
  }
  void TearDown() override {
    if (!pi.hProcess) return;
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the program did not end when its main window closed";
      TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }

  std::string shots;
  PROCESS_INFORMATION pi{};
  HWND main = nullptr, list = nullptr;
};

}  // namespace

TEST_F(ProgramScreenshotsTest, DISABLED_MainWindowAndSearch) {
  // The snapshot list of the sample catalogue.
  ASSERT_TRUE(testsupport::PumpUntil([&] { return ItemCount(list) == 4; }, 10000)) << ItemCount(list);
  EXPECT_TRUE(testsupport::AwaitScreenshot(main, shots + "main"));

  HWND edit = testsupport::SingleLineEdit(main);
  HWND start = testsupport::FindChild(main, L"Button", "立即搜索(&S)");
  HWND stop = testsupport::FindChild(main, L"Button", "停止搜索(&P)");
  ASSERT_TRUE(edit && start && stop) << "the search panel is not shown";
  SetWindowTextW(edit, L"e");
  PostMessageW(start, BM_CLICK, 0, 0);
  // Done when the hits are listed and the search can be started again.
  ASSERT_TRUE(testsupport::PumpUntil(
      [&] { return !IsWindowEnabled(stop) && IsWindowEnabled(start) && ItemCount(list) > 4; }, 10000))
      << ItemCount(list);
  EXPECT_TRUE(testsupport::AwaitScreenshot(main, shots + "search"));

  // "更多条件" unfolded, a wildcard text with alternatives.
  HWND more = testsupport::FindChild(main, L"Button", "更多条件(&O) >>");
  ASSERT_TRUE(more);
  PostMessageW(more, BM_CLICK, 0, 0);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return testsupport::FindChild(main, L"Button", "更多条件(&O) <<"); }, 10000));
  SetWindowTextW(edit, L"*.jpg|*.txt");
  PostMessageW(start, BM_CLICK, 0, 0);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowEnabled(stop) && IsWindowEnabled(start); }, 10000));
  EXPECT_TRUE(testsupport::AwaitScreenshot(main, shots + "search-conditions"));
}

// The archive of the sample catalogue's BACKUP01 in its folder, and opened.
TEST_F(ProgramScreenshotsTest, DISABLED_Archives) {
  ASSERT_TRUE(testsupport::PumpUntil([&] { return ItemCount(list) == 4; }, 10000)) << ItemCount(list);
  auto key = [&](WPARAM vk) {
    PostMessageW(list, WM_KEYDOWN, vk, 0);
    PostMessageW(list, WM_KEYUP, vk, 0);
  };
  SetFocus(list);
  key(VK_HOME);
  key(VK_DOWN);  // BACKUP01
  key(VK_RETURN);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return ItemCount(list) == 5; }, 10000)) << ItemCount(list);
  key(VK_END);  // the archive, listed last
  EXPECT_TRUE(testsupport::AwaitScreenshot(main, shots + "archives-folder"));
  key(VK_RETURN);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return ItemCount(list) == 2; }, 10000)) << ItemCount(list);
  key(VK_HOME);
  EXPECT_TRUE(testsupport::AwaitScreenshot(main, shots + "archives"));
}
