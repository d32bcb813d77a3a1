// Entry of the Windows test executable (wide entry, as the program's own).
#include <gtest/gtest.h>

#include "skin/win/win_skin_manage.h"
#include "skin/win/win_skin_form.h"
#include "ui/application.h"

namespace {

// Tests that close their main form terminate the application; the next test
// in the same process starts with a loop that runs again.
class FreshApplication : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo& info) override {
    ui::App().ResetForNextRun();
    // Tests share one process: none may leave the skin manager holding a
    // component, a skinned window or a request for the next one.
    if (skin::TSkinManage* m = skin::TSkinManage::Instance()) {
      if (!m->Components().empty() || !m->Frames().empty() || m->PendingRequest() != 0)
        ADD_FAILURE() << info.name() << " left skin components (" << m->Components().size() << "), frames ("
                      << m->Frames().size() << ") or a request (" << m->PendingRequest() << ") behind";
    }
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  skin::TSkinManage::InstallFactory();
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshApplication);
  return RUN_ALL_TESTS();
}
