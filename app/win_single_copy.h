// One running copy of the program per catalogue. Two copies writing one
// catalogue would wait for each other's locks at every statement and could
// stop each other's scans, so the first copy started on a catalogue holds a
// named mutex made from the catalogue's final path and publishes its main
// window; a copy started later on the same catalogue (however its path is
// spelled or reached) asks whether to bring that window to the front, and
// ends without opening the catalogue.
// Copies on different catalogues (different folders) run side by side.
#pragma once

#include <windows.h>

#include <string>

namespace app {

class SingleCopy {
 public:
  // `catalogFile`: the catalogue's full path (letter case does not matter).
  explicit SingleCopy(const std::string& catalogFile);
  ~SingleCopy();
  SingleCopy(const SingleCopy&) = delete;
  SingleCopy& operator=(const SingleCopy&) = delete;

  // Whether this is the first copy on the catalogue.
  bool First() const { return first_; }
  // The name of the mutex for the catalogue: made from the file's final
  // path (drive letters, shares, `subst` and short names resolved), in
  // capitals.
  static std::wstring MutexName(const std::string& catalogFile);
  // Whether CreateMutexW's outcome (made or not, and the last error) makes
  // this the first copy.
  static bool FirstAfterCreate(bool created, DWORD error);
  // The first copy: makes its main window known to later copies.
  void Publish(HWND mainWindow);
  // A later copy: the first copy's main window (null until it published).
  HWND FirstWindow() const;

  // A later copy: asks (owner-less box, the application title) whether to
  // switch to the first copy, and brings its window to the front on Yes.
  void OfferFirstCopy() const;

 private:
  std::string file_;
  HANDLE mutex_ = nullptr;
  HANDLE shared_ = nullptr;  // the published window handle
  bool first_ = false;
};

// Restores the window if minimised and makes it (or its open dialog) the
// foreground window.
void BringToFront(HWND window);

}  // namespace app
