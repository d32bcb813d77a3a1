#include "tests/win/support/screenshots.h"

#include <cstdio>
#include <cstdlib>

#include "tests/win/support/gui.h"
#include "ui/wide.h"

namespace testsupport {

std::string ShotsFolder() {
  const char* dir = std::getenv("VORLUNE_SHOTS");
  return dir && *dir ? std::string(dir) + "\\" : std::string();
}

namespace {
BOOL CALLBACK NothingToPaint(HWND child, LPARAM clean) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(clean) = false;
  return TRUE;
}
}  // namespace

bool FullyPainted(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  bool clean = true;
  EnumChildWindows(window, NothingToPaint, reinterpret_cast<LPARAM>(&clean));
  return clean;
}

bool AwaitScreenshot(HWND window, const std::string& base) {
  if (!PumpUntil([&] { return FullyPainted(window); }, 5000)) return false;
  RECT r;
  GetWindowRect(window, &r);
  return AwaitScreenshot(r, base);
}

bool AwaitScreenshot(const RECT& r, const std::string& base) {
  // Screen coordinates are relative to the virtual desktop window.
  POINT origin{0, 0};
  if (HWND desk = GetDesktopWindow()) ClientToScreen(desk, &origin);
  const std::wstring done = ui::Wide(base + ".done");
  DeleteFileW(done.c_str());
  // Written whole under another name first: the tool never reads half a line.
  const std::wstring part = ui::Wide(base + ".part"), rect = ui::Wide(base + ".rect");
  FILE* f = _wfopen(part.c_str(), L"wb");
  if (!f) return false;
  std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left - origin.x, r.top - origin.y);
  std::fclose(f);
  if (!MoveFileExW(part.c_str(), rect.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  return PumpUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
}

}  // namespace testsupport
