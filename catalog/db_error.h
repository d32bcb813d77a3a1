#pragma once

#include <stdexcept>
#include <string>

namespace catalog {

// An error of the catalogue engine; its text is shown to the user as is.
class DbError : public std::runtime_error {
 public:
  explicit DbError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace catalog
