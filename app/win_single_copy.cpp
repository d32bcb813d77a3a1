#include "app/win_single_copy.h"

#include <cstdint>

#include "catalog/store_messages.h"
#include "platform/sha256.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace app {
namespace {

// "Local\Vorlune.<hash of the path in capitals>": the same catalogue gives
// the same name however its path is spelled in letter case.
std::wstring ObjectName(const std::string& file, const wchar_t* suffix) {
  std::wstring w = ui::Wide(file);
  if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
  for (wchar_t& c : w)
    if (c == L'/') c = L'\\';
  return L"Local\\Vorlune." + ui::Wide(hashing::Sha256Hex(ui::Narrow(w)).substr(0, 32)) + suffix;
}

}  // namespace

SingleCopy::SingleCopy(const std::string& catalogFile) : file_(catalogFile) {
  mutex_ = CreateMutexW(nullptr, FALSE, ObjectName(file_, L".copy").c_str());
  // Without a mutex at all (no rights to make one) the copy runs as the
  // first: refusing to start would be worse.
  first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
  shared_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(uint64_t),
                               ObjectName(file_, L".window").c_str());
}

SingleCopy::~SingleCopy() {
  if (shared_) CloseHandle(shared_);
  if (mutex_) CloseHandle(mutex_);
}

void SingleCopy::Publish(HWND mainWindow) {
  if (!first_ || !shared_) return;
  if (void* view = MapViewOfFile(shared_, FILE_MAP_WRITE, 0, 0, sizeof(uint64_t))) {
    *static_cast<volatile uint64_t*>(view) = reinterpret_cast<uintptr_t>(mainWindow);
    UnmapViewOfFile(view);
  }
}

HWND SingleCopy::FirstWindow() const {
  if (!shared_) return nullptr;
  HWND window = nullptr;
  if (void* view = MapViewOfFile(shared_, FILE_MAP_READ, 0, 0, sizeof(uint64_t))) {
    window = reinterpret_cast<HWND>(static_cast<uintptr_t>(*static_cast<volatile uint64_t*>(view)));
    UnmapViewOfFile(view);
  }
  return window && IsWindow(window) ? window : nullptr;
}

void SingleCopy::OfferFirstCopy() const {
  int answer = ui::ShowMessageBox(nullptr, catalog::InUseQuestion(file_), MB_YESNO | MB_ICONINFORMATION);
  if (answer == IDYES) BringToFront(FirstWindow());
}

void BringToFront(HWND window) {
  if (!window) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  // A modal dialog of the first copy (the create window during a scan) is
  // the one to show.
  SetForegroundWindow(GetLastActivePopup(window));
}

}  // namespace app
