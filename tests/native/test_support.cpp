#include "tests/native/test_support.h"

#include <random>

namespace testsupport {

TempDir::TempDir() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto p = base / ("vorlune-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(p)) {
      path_ = p.string();
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace testsupport
