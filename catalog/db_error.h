#pragma once

#include <stdexcept>
#include <string>

namespace catalog {

// What kind of trouble the catalogue is in, when it is one the user can act
// on; each has its own message (catalog/store_messages.h).
enum class StoreProblem {
  kOther,     // the engine's own text is shown
  kReadOnly,  // a CD, a write-protected medium, a folder or file not writable
  kDiskFull,  // the disk (or the quota) has no room left
  kBusy,      // another program holds the file locked beyond the wait
  kDamaged,   // the engine finds the file damaged or not a database at all
};

// An error of the catalogue engine; its text is shown to the user as is.
class DbError : public std::runtime_error {
 public:
  explicit DbError(const std::string& what, StoreProblem problem = StoreProblem::kOther)
      : std::runtime_error(what), problem_(problem) {}
  StoreProblem Problem() const { return problem_; }

 private:
  StoreProblem problem_;
};

}  // namespace catalog
