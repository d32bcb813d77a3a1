// Entry of the Windows test executable (wide entry, as the program's own).
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
