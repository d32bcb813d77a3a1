#include "app/win_single_copy.h"

#include <cstdint>

#include "catalog/store_messages.h"
#include "platform/sha256.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace app {
namespace {

// A kernel handle closed when it goes.
struct KernelHandle {
  HANDLE h;
  ~KernelHandle() {
    if (h != INVALID_HANDLE_VALUE && h) CloseHandle(h);
  }
};

// The file's path as the system resolves it: the same for a drive letter
// and the UNC path of a share, a `subst` letter and its folder, a short 8.3
// name and the long one. The path as given when the file cannot be opened.
std::wstring FinalPath(const std::string& file) {
  const std::wstring given = ui::Wide(file);
  KernelHandle f{CreateFileW(given.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (f.h == INVALID_HANDLE_VALUE) return given;
  std::wstring final(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD n = GetFinalPathNameByHandleW(f.h, final.data(), static_cast<DWORD>(final.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return given;
    if (n < final.size()) {
      final.resize(n);
      return final;
    }
    final.assign(n, L'\0');  // n counts the ending zero when the buffer was short
  }
  return given;
}

// "Local\Vorlune.<hash of the final path in capitals>": the same catalogue
// gives the same name however its path is spelled or reached.
std::wstring ObjectName(const std::string& file, const wchar_t* suffix) {
  std::wstring w = FinalPath(file);
  if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
  for (wchar_t& c : w)
    if (c == L'/') c = L'\\';
  return L"Local\\Vorlune." + ui::Wide(hashing::Sha256Hex(ui::Narrow(w)).substr(0, 32)) + suffix;
}

}  // namespace

std::wstring SingleCopy::MutexName(const std::string& catalogFile) { return ObjectName(catalogFile, L".copy"); }

bool SingleCopy::FirstAfterCreate(bool created, DWORD error) {
  // A mutex that exists but may not be opened belongs to a copy started
  // with more rights (run as administrator): another copy runs. Without a
  // mutex for any other reason the copy runs as the first: refusing to
  // start would be worse.
  if (!created) return error != ERROR_ACCESS_DENIED;
  return error != ERROR_ALREADY_EXISTS;
}

SingleCopy::SingleCopy(const std::string& catalogFile) : file_(catalogFile) {
  mutex_ = CreateMutexW(nullptr, FALSE, MutexName(file_).c_str());
  first_ = FirstAfterCreate(mutex_ != nullptr, GetLastError());
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
