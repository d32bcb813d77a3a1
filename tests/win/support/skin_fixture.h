// A fixture for the skin engine under Wine: a skin component loaded from
// the program's own store, test forms, and waits for the manager's
// requests and the frames' set-up.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_manage.h"
#include "skin/win/win_skin_resources.h"
#include "tests/win/support/gui.h"
#include "ui/ui.h"

// Form-layer test controls over system classes, declaring the toolkit's
// names the matching rows look for.
class ToolkitControl : public ui::Control {
 public:
  ToolkitControl(ui::Control* parent, const char* toolkitName, const wchar_t* windowClass, DWORD style, int w, int h)
      : ui::Control(parent, ui::OwnerOf(parent)) {
    DeclareClass(toolkitName);
    CreateWnd(windowClass, style, 0, w, h);
  }
};

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(skin::win32::LoadSkinStore(GetModuleHandleW(nullptr), store));
    ASSERT_EQ(store.Store().Count(), 4);
    data = std::make_unique<skin::TSkinData>();
    manager = skin::TSkinManage::Instance();
    ASSERT_NE(manager, nullptr);
  }
  void TearDown() override {
    forms.clear();
    data.reset();
    testsupport::PumpPosted();
  }

  // A shown test form of the class name, `width` x `height` client area.
  ui::Form* MakeForm(const char* className = "TfrmSkinTest", ui::BorderStyle border = ui::bsSizeable,
                     int width = 300, int height = 200) {
    forms.push_back(std::make_unique<ui::Form>(className, border));
    ui::Form* f = forms.back().get();
    f->SetCaption("Skinned");
    f->SetBounds(60 + 20 * static_cast<int>(forms.size()), 60, 100, 100);
    f->SetClientSize(width, height);
    f->Show();
    SetForegroundWindow(f->Handle());
    testsupport::PumpPosted();
    return f;
  }

  // Loads skin `index` and switches skinning on; waits for the request.
  void SwitchOn(int index) {
    ASSERT_TRUE(data->LoadFromStore(store, index));
    data->SetActive(true);
    ASSERT_TRUE(WaitForRequest());
  }
  void SwitchOff() {
    data->SetActive(false);
    ASSERT_TRUE(WaitForRequest());
  }
  bool WaitForRequest() {
    return testsupport::PumpUntil([&] { return manager->PendingRequest() == 0; }, 3000);
  }
  // The frame of the window once its set-up is done, or null.
  skin::TWinSkinForm* ReadyFrame(HWND window, int ms = 2000) {
    testsupport::PumpUntil(
        [&] {
          skin::TWinSkinForm* f = manager->FrameOf(window);
          return f && f->SetupState() == 1;
        },
        ms);
    skin::TWinSkinForm* f = manager->FrameOf(window);
    return f && f->SetupState() == 1 ? f : nullptr;
  }
  static SIZE ClientSize(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return {r.right, r.bottom};
  }
  static SIZE OuterSize(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
  }

  skin::TSkinStore store;
  std::unique_ptr<skin::TSkinData> data;
  skin::TSkinManage* manager = nullptr;
  std::vector<std::unique_ptr<ui::Form>> forms;
};
