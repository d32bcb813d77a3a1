// Answers the message boxes a GUI test provokes and records each one: its
// owner, text, caption, icon and buttons. Answers come from a queue of
// planned answers; a box with no planned answer gets its default button
// and is counted as unplanned, so a test can fail on it.
//
//   MessageBoxAnswerer boxes;
//   boxes.Plan(IDYES);
//   form.BtnDelete.Click();                 // shows a Yes/No box
//   ASSERT_EQ(boxes.Count(), 1);
//   EXPECT_EQ(boxes.Last().icon, MB_ICONQUESTION);
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct MessageBoxRecord {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT icon = 0;           // MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION or 0
  UINT buttons = 0;        // MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL, ...
  int defaultButton = 0;   // IDOK, IDNO ...
  int answer = 0;          // the button pressed
  bool planned = false;
};

class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer();
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // The next box is answered with this button (IDYES, IDNO, IDOK, IDCANCEL).
  void Plan(int button);
  // The next box is answered by the function (it may act on the program
  // while the box is up); its result is the button.
  void Plan(std::function<int(const MessageBoxRecord&)> answer);

  const std::vector<MessageBoxRecord>& Seen() const { return seen_; }
  int Count() const { return static_cast<int>(seen_.size()); }
  const MessageBoxRecord& Last() const { return seen_.back(); }
  int Unplanned() const;
  int PlannedLeft() const { return static_cast<int>(plan_.size()); }
  void Clear() { seen_.clear(); plan_.clear(); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Deferred(HWND, UINT, UINT_PTR id, DWORD);
  void OnActivate(HWND box);

  HHOOK hook_ = nullptr;
  MessageBoxAnswerer* previous_ = nullptr;
  std::deque<std::function<int(const MessageBoxRecord&)>> plan_;
  std::vector<MessageBoxRecord> seen_;
  std::vector<HWND> handled_;
  std::vector<HWND> pending_;
};

// Whether the window is a message box (not another system dialog).
bool IsMessageBox(HWND hwnd);

}  // namespace testsupport
