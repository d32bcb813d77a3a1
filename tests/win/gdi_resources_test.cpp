// Opening and closing every window of the program many times leaves no GDI
// or USER object behind. Wine does not count objects per process
// (GetGuiResources gives 0), so the test also counts the handles the owners
// of ui/gdi.h hold and the windows of the thread, which it can see anywhere.
// And the owners themselves: each handle freed exactly once, selections
// undone.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"
#include "ui/gdi.h"

namespace {

BOOL CALLBACK CountOne(HWND, LPARAM p) {
  ++*reinterpret_cast<long*>(p);
  return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND w, LPARAM p) {
  ++*reinterpret_cast<long*>(p);
  EnumChildWindows(w, CountOne, p);
  return TRUE;
}

struct Counts {
  long systemGdi, systemUser, ownedGdi, ownedUser, windows;
  bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Counts& c) {
  return os << "system GDI " << c.systemGdi << ", system USER " << c.systemUser << ", owned GDI " << c.ownedGdi
            << ", owned USER " << c.ownedUser << ", windows " << c.windows;
}

Counts Now() {
  long windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&windows));
  return {static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
          static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), gdi::LiveGdiObjects(),
          gdi::LiveUserObjects(), windows};
}

class GdiResourcesTest : public MainWindowTest {
 protected:
  // Runs `open` (which shows `form` modally) and closes the form from
  // inside its modal loop.
  static void OpenAndClose(ui::Form* form, const std::function<void()>& open) {
    SCOPED_TRACE(form->Name + " " + form->ClassName());
    testsupport::ModalAction close([form] { PostMessageW(form->Handle(), WM_CLOSE, 0, 0); });
    open();
  }
  // Closes the program; the next Start() begins a fresh run of it.
  void Restart() {
    Stop();
    ui::App().ResetForNextRun();
  }
  // Every window the main window shows, each opened and closed once, with a
  // snapshot selected so that the snapshot commands open theirs.
  void OpenEveryWindow() {
    ui::ListView* list = main->ListView1;
    list->SetSelected(list->Item(0));
    testsupport::PumpPosted();
    OpenAndClose(program->frmCreate, [&] { main->TBtnCreate->Click(); });
    OpenAndClose(program->frmTreeview, [&] { main->TBtnTreeview->Click(); });
    list->SetSelected(list->Item(0));
    OpenAndClose(program->frmRename, [&] { main->TBtnRename->Click(); });
    list->SetSelected(list->Item(0));
    OpenAndClose(program->frmMemo, [&] { main->TBtnMemo->Click(); });
    OpenAndClose(program->frmCompactDB, [&] { main->mnuCompactDB->Click(); });
    OpenAndClose(program->frmAbout, [&] { main->A1->Click(); });
    OpenAndClose(program->frmDuplicates, [&] { main->mnuFindDuplicates->Click(); });
    OpenAndClose(program->frmStatistics, [&] { main->mnuStatistics->Click(); });
    list->SetSelected(list->Item(0));
    OpenAndClose(program->frmSpaceMap, [&] { main->mnuSpaceMap->Click(); });
  }
};

constexpr int kRounds = 50;

TEST_F(GdiResourcesTest, OpeningAndClosingEveryWindowFiftyTimesLeavesNothingBehind) {
  MakeSampleCatalog();
  // Once first: fonts, brushes and shared icons are made once per process.
  Start();
  OpenEveryWindow();
  Restart();
  const Counts before = Now();
  for (int i = 0; i < kRounds; ++i) {
    Start();
    ASSERT_EQ(main->ListView1->ItemCount(), 2);
    OpenEveryWindow();
    Restart();
  }
  EXPECT_EQ(Now(), before);
  EXPECT_EQ(boxes.Count(), 0u) << (boxes.Count() ? boxes.Seen()[0].text : "");

  // With the windows open, the counts do move: the test sees what it counts.
  Start();
  EXPECT_GT(Now().windows, before.windows);
  EXPECT_GT(Now().ownedGdi, before.ownedGdi);
  Stop();
}

TEST(GdiOwners, FreeEachHandleOnceAndMoveOwnership) {
  const long start = gdi::LiveGdiObjects();
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  {
    gdi::Brush a(raw);
    EXPECT_EQ(gdi::LiveGdiObjects(), start + 1);
    gdi::Brush b(std::move(a));
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(b.get(), raw);
    a = std::move(b);  // back again: still one handle, still alive
    EXPECT_EQ(a.get(), raw);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(gdi::LiveGdiObjects(), start + 1);
    a.reset(CreateSolidBrush(RGB(4, 5, 6)));  // frees the first
    EXPECT_EQ(GetObjectType(raw), 0u);
    EXPECT_EQ(gdi::LiveGdiObjects(), start + 1);
    raw = a.get();
  }
  EXPECT_EQ(GetObjectType(raw), 0u);
  EXPECT_EQ(gdi::LiveGdiObjects(), start);

  gdi::Pen pen(CreatePen(PS_SOLID, 1, 0));
  HPEN kept = pen.release();  // handed over: the owner neither frees nor counts it
  EXPECT_FALSE(pen);
  EXPECT_EQ(gdi::LiveGdiObjects(), start);
  EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_PEN));
  DeleteObject(kept);

  {
    gdi::WindowDc screen;
    ASSERT_TRUE(screen);
    gdi::WindowDc moved(std::move(screen));
    EXPECT_FALSE(screen);
    EXPECT_EQ(gdi::LiveGdiObjects(), start + 1);
  }
  EXPECT_EQ(gdi::LiveGdiObjects(), start);
}

TEST(GdiOwners, SelectGuardPutsTheOldObjectBackSoTheNewOneCanBeFreed) {
  gdi::MemoryDc dc(nullptr);
  ASSERT_TRUE(dc);
  HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
  HBITMAP freed = nullptr;
  {
    gdi::BitmapCanvas canvas(4, 4);
    RECT all{0, 0, 4, 4};
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    gdi::Bitmap picture = canvas.Take();  // deselected: usable elsewhere at once
    {
      gdi::SelectGuard select(dc.get(), picture.get());
      EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), picture.get());
      EXPECT_EQ(GetPixel(dc.get(), 1, 1) & 0xFFFFFF, 0xFFFFFFu);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    freed = picture.get();
  }
  // A bitmap still selected somewhere would not be deleted.
  EXPECT_EQ(GetObjectType(freed), 0u);
}

TEST(UiListView, UpdateLocksNestAndOnlyTheOutermostTurnsRedrawingOffAndOn) {
  ui::Form form("TfrmUpdateLock");
  ui::ListView list(&form);
  std::string redraws;  // what reached the control: 0 off, 1 on
  ui::MessageHook own = list.WindowProc;
  list.WindowProc = [&](ui::Message& m) {
    if (m.msg == WM_SETREDRAW) redraws += m.wParam ? '1' : '0';
    own(m);
  };
  {
    ui::ListView::UpdateLock outer(list);
    {
      ui::ListView::UpdateLock inner(list);
      list.AddItem("a");
    }
    EXPECT_EQ(redraws, "0");  // the inner lock does not end the outer one
    list.AddItem("b");
  }
  EXPECT_EQ(redraws, "01");
  try {
    ui::ListView::UpdateLock lock(list);
    throw std::runtime_error("a failed fill");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(redraws, "0101");
  list.WindowProc = own;
}

}  // namespace
