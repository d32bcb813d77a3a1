// Helpers shared by the native tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh empty folder under the system temporary folder, removed at the end
// of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace testsupport

namespace testsupport {

// An empty catalogue at `path`: the current form, or, when the
// environment variable VORLUNE_TEST_OLD_FORM is set, a copy of the first
// form (tests/native/data/old-form/Kestrova, made by that version's
// make_catalog), so that the whole suite can run on an upgraded catalogue.
void MakeEmptyCatalog(const std::string& path);
// The first form's empty catalogue, copied to `path`.
void CopyOldFormCatalog(const std::string& path);

// A small file system of its own (a tmpfs of `bytes`), for a disk that runs
// full, and that can be made read-only, as a CD or a write-protected stick
// is. Mounting needs the rights of root; Mounted() says whether it worked
// (the test then skips, saying why).
class SmallDisk {
 public:
  explicit SmallDisk(size_t bytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool Mounted() const { return mounted_; }
  // The mount point, ending in "/".
  std::string Folder() const { return dir_.Path() + "/"; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  // Makes the whole file system read-only (true) or writable again.
  bool SetReadOnly(bool readOnly);
  // Fills the free space up to `leave` bytes with a file of its own.
  void Fill(size_t leave);
  // The names in the folder, sorted.
  std::vector<std::string> Names() const;

 private:
  TempDir dir_;
  bool mounted_ = false;
  size_t bytes_;
};

// A read-only view of a folder (a bind mount): what a share looks like to a
// user who may only read it, while another machine writes the folder
// itself. Needs the rights of root; Mounted() says whether it worked.
class ReadOnlyView {
 public:
  explicit ReadOnlyView(const std::string& folder);
  ~ReadOnlyView();
  ReadOnlyView(const ReadOnlyView&) = delete;
  ReadOnlyView& operator=(const ReadOnlyView&) = delete;
  bool Mounted() const { return mounted_; }
  // The view's folder, ending in "/".
  std::string Folder() const { return dir_.Path() + "/"; }

 private:
  TempDir dir_;
  bool mounted_ = false;
};

// Sets or clears the immutable flag of a file: it then cannot be written,
// also by root, for whom permission bits change nothing. False when the
// file system cannot.
bool SetImmutable(const std::string& path, bool on);

}  // namespace testsupport
