// The file-kind table: the image index of every entry of the main list and
// the tree, 0 snapshot, 1 folder, 2 to 10 file kinds by extension, 11 an
// archive whose members the catalogue holds (it opens like a folder). The
// index doubles as the entry's kind wherever items are dispatched.
#pragma once

#include <string_view>

namespace browse {

enum ImageIndex : int {
  kImageSnapshot = 0,
  kImageFolder = 1,
  kImageOtherFile = 2,
  kImageProgram = 3,
  kImageText = 4,
  kImageWebPage = 5,
  kImageBitmap = 6,
  kImageDocument = 7,
  kImageMedia = 8,
  kImageSystem = 9,
  kImageJpeg = 10,
  kImageArchive = 11,
};
inline constexpr int kImageCount = 12;

// Image index (2 to 10) of a file by the tail of its name: the extension
// (its leading dot included) compared ignoring the case of ASCII letters
// only. Callers pass names of files, never of folders or snapshots.
int GetFileIconIndex(std::string_view fileName);

}  // namespace browse
