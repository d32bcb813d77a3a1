// Entry of the Windows test executable (wide entry, as the program's own).
#include <gtest/gtest.h>

#include "ui/application.h"

namespace {

// Tests that close their main form terminate the application; the next test
// in the same process starts with a loop that runs again.
class FreshApplication : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { ui::App().ResetForNextRun(); }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshApplication);
  return RUN_ALL_TESTS();
}
