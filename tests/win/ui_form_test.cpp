// The form layer: forms and their modal loop, keys, close requests, the
// default error handler and the application hint.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win/support/gui.h"
#include "tests/win/support/msgbox_answerer.h"
#include "ui/ui.h"

using testsupport::MessageBoxAnswerer;

namespace {

// A small dialog: an edit, a memo, an OK (default) and a Cancel button.
struct TestDialog : ui::Form {
  ui::Edit edit{this};
  ui::Memo memo{this};
  ui::Button ok{this, "确定(&O)"};
  ui::Button cancel{this, "取消(&C)"};
  ui::Timer timer{this, 1000, false};
  TestDialog() : ui::Form("TfrmTest", ui::bsDialog) {
    SetCaption("Vorlune - 测试");
    SetClientSize(300, 200);
    edit.SetBounds(10, 10, 200, 21);
    memo.SetBounds(10, 40, 200, 80);
    ok.SetBounds(10, 150, 75, 25);
    cancel.SetBounds(100, 150, 75, 25);
    ok.SetDefault(true);
    ok.ModalResult = ui::mrOk;
    cancel.Cancel = true;
    cancel.ModalResult = ui::mrCancel;
  }
};

}  // namespace

TEST(UiForm, ListsComponentsAndClassIdentities) {
  TestDialog f;
  EXPECT_FALSE(IsWindowVisible(f.Handle()));
  ASSERT_EQ(f.Components().size(), 5u);
  EXPECT_EQ(f.Components()[0], &f.edit);
  EXPECT_EQ(f.Components()[4], &f.timer);
  EXPECT_EQ(f.ClassName(), "TfrmTest");
  EXPECT_TRUE(f.InheritsFrom("TCustomForm"));
  EXPECT_EQ(f.memo.ClassName(), "TMemo");
  EXPECT_TRUE(f.memo.InheritsFrom("TCustomEdit"));
  EXPECT_TRUE(f.memo.InheritsFrom("TCustomMemo"));
  EXPECT_FALSE(f.edit.InheritsFrom("TCustomMemo"));
  EXPECT_TRUE(f.ok.InheritsFrom("TButton"));
  EXPECT_EQ(f.Caption(), "Vorlune - 测试");
  EXPECT_EQ(f.ClientWidth(), 300);
  EXPECT_EQ(f.ClientHeight(), 200);
  wchar_t cls[64];
  GetClassNameW(f.Handle(), cls, 64);
  EXPECT_STREQ(cls, L"TfrmTest");
  EXPECT_EQ(ui::Control::FromHandle(f.ok.Handle()), &f.ok);
}

TEST(UiForm, ShowModalReturnsTheButtonsResultAndDisablesTheOthers) {
  ui::Form main("TfrmMainTest");
  main.Show();
  TestDialog d;
  d.position = ui::poOwnerFormCenter;
  bool mainDisabledMeanwhile = false;
  ui::App().Post([&] {
    mainDisabledMeanwhile = !IsWindowEnabled(main.Handle());
    SendMessageW(d.ok.Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(d.ShowModal(), ui::mrOk);
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(IsWindowVisible(d.Handle()));
}

TEST(UiForm, EscClicksTheCancelButtonEnterTheDefaultButtonMemoKeepsEsc) {
  TestDialog d;
  int cancelClicks = 0;
  d.cancel.OnClick = [&] { ++cancelClicks; };
  ui::App().Post([&] { testsupport::PostKey(d.edit.Handle(), VK_ESCAPE); });
  EXPECT_EQ(d.ShowModal(), ui::mrCancel);
  EXPECT_EQ(cancelClicks, 1);

  ui::App().Post([&] { testsupport::PostKey(d.edit.Handle(), VK_RETURN); });
  EXPECT_EQ(d.ShowModal(), ui::mrOk);

  // Esc in the memo stays in the memo; Enter there is a line break.
  ui::App().Post([&] {
    testsupport::PostKey(d.memo.Handle(), VK_ESCAPE);
    testsupport::PostKey(d.memo.Handle(), VK_RETURN);
    ui::App().Post([&] { d.ModalResult = ui::mrIgnore; });
  });
  EXPECT_EQ(d.ShowModal(), ui::mrIgnore);
  EXPECT_EQ(cancelClicks, 1);
}

TEST(UiForm, AltAndAcceleratorClicksTheButton) {
  TestDialog d;
  ui::App().Post([&] { PostMessageW(d.edit.Handle(), WM_SYSCHAR, L'c', 1 << 29); });
  EXPECT_EQ(d.ShowModal(), ui::mrCancel);
}

TEST(UiForm, CloseRequestDuringAHandlerTakesEffectAfterItReturns) {
  TestDialog d;
  std::vector<std::string> events;
  d.OnCloseQuery = [&](bool& can) { events.push_back("query"); can = true; };
  d.ok.ModalResult = ui::mrNone;
  d.ok.OnClick = [&] {
    events.push_back("handler starts");
    PostMessageW(d.Handle(), WM_CLOSE, 0, 0);  // the close box during a long run
    for (int i = 0; i < 20; ++i) {
      ui::App().ProcessMessages();
      Sleep(1);
    }
    if (IsWindowVisible(d.Handle()) && d.ModalResult == ui::mrCancel) events.push_back("still open, marked");
    events.push_back("handler ends");
  };
  ui::App().Post([&] { d.ok.Click(); });
  EXPECT_EQ(d.ShowModal(), ui::mrCancel);
  EXPECT_EQ(events, (std::vector<std::string>{"handler starts", "still open, marked", "handler ends", "query"}));
}

TEST(UiForm, CloseQueryCanRefuseAndAnswersEndSession) {
  TestDialog d;
  bool allow = false;
  int queries = 0;
  d.OnCloseQuery = [&](bool& can) {
    ++queries;
    can = allow;
  };
  ui::App().Post([&] {
    PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
    ui::App().Post([&] {
      EXPECT_TRUE(IsWindowVisible(d.Handle()));  // refused
      EXPECT_EQ(SendMessageW(d.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
      allow = true;
      EXPECT_EQ(SendMessageW(d.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
      d.Close();
    });
  });
  EXPECT_EQ(d.ShowModal(), ui::mrCancel);
  EXPECT_EQ(queries, 4);
}

TEST(UiForm, MainFormCloseInsideItsHandlerIsDeferredAndEndsRun) {
  ui::Form main("TfrmMainTest");
  ui::Button exit(&main, "退出(&X)");
  std::vector<std::string> events;
  main.OnClose = [&](ui::CloseAction&) { events.push_back("closed"); };
  exit.OnClick = [&] {
    main.Close();
    events.push_back(main.CloseRequested() ? "requested" : "closed too early");
  };
  ui::App().Post([&] { SendMessageW(exit.Handle(), BM_CLICK, 0, 0); });
  ui::App().Run();
  EXPECT_EQ(events, (std::vector<std::string>{"requested", "closed"}));
  EXPECT_FALSE(IsWindowVisible(main.Handle()));
}

TEST(UiForm, DefaultErrorHandlerAddsAFullStopAndUsesTheTitleAndErrorIcon) {
  EXPECT_EQ(ui::Application::WithFullStop("无法打开数据库"), "无法打开数据库.");
  EXPECT_EQ(ui::Application::WithFullStop("Cannot open."), "Cannot open.");
  EXPECT_EQ(ui::Application::WithFullStop("无法打开。"), "无法打开。");

  ui::Form main("TfrmMainTest");
  ui::Button raise(&main, "出错");
  raise.OnClick = [] { throw std::runtime_error("文件 \"Kestrova\" 不是目录库"); };
  main.Show();
  MessageBoxAnswerer boxes;
  boxes.Plan(IDOK);
  SendMessageW(raise.Handle(), BM_CLICK, 0, 0);  // the exception stops at the window procedure
  ASSERT_EQ(boxes.Count(), 1);
  const auto& box = boxes.Last();
  EXPECT_EQ(box.text, "文件 \"Kestrova\" 不是目录库.");
  EXPECT_EQ(box.caption, "Vorlune");
  EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(box.buttons, static_cast<UINT>(MB_OK));
  EXPECT_EQ(box.owner, main.Handle());
  EXPECT_EQ(boxes.Unplanned(), 0);
}

TEST(UiForm, AnswererRecordsQuestionBoxesAndPlannedAnswers) {
  MessageBoxAnswerer boxes;
  boxes.Plan(IDNO);
  boxes.Plan(IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, L"删除？", L"Vorlune", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, L"继续？", L"Vorlune", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, L"完成", L"Vorlune", MB_OK | MB_ICONINFORMATION), IDOK);
  ASSERT_EQ(boxes.Count(), 3);
  EXPECT_EQ(boxes.Seen()[0].buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(boxes.Seen()[0].defaultButton, IDNO);
  EXPECT_EQ(boxes.Seen()[0].icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(boxes.Seen()[1].text, "继续？");
  EXPECT_EQ(boxes.Seen()[2].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Unplanned(), 1);
}

TEST(UiForm, HintOfTheControlUnderTheMouseReachesTheHintHandler) {
  ui::Form main("TfrmMainTest");
  ui::Button withHint(&main, "创建");
  ui::Button plain(&main, "无");
  withHint.SetHint("创建快照");
  plain.SetBounds(100, 0, 75, 25);
  std::vector<std::string> hints;
  ui::App().OnHint = [&] { hints.push_back(ui::App().Hint()); };
  main.Show();
  PostMessageW(withHint.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(testsupport::PumpPosted());
  PostMessageW(plain.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(testsupport::PumpPosted());
  ui::App().OnHint = nullptr;
  ASSERT_GE(hints.size(), 2u);
  EXPECT_EQ(hints[hints.size() - 2], "创建快照");
  EXPECT_EQ(hints.back(), "");
}

TEST(UiForm, MenuItemHintAndCommandsAndRadioGroups) {
  ui::Form main("TfrmMainTest");
  ui::MainMenu menu(&main);
  ui::MenuItem *large = nullptr, *small = nullptr, *status = nullptr, *rename = nullptr;
  int renames = 0;
  menu.AddEntries({
      {.caption = " 查看(&V) ",
       .children = {{.caption = "状态栏(&S)", .item = &status, .checked = true, .autoCheck = true},
                    {.caption = "大图标", .item = &large, .radio = true, .group = 1, .autoCheck = true},
                    {.caption = "小图标", .item = &small, .checked = true, .radio = true, .group = 1,
                     .autoCheck = true},
                    {.caption = "快照重命名(&R)", .item = &rename, .onClick = [&] { ++renames; },
                     .hint = "快照重命名"}}},
  });
  ASSERT_TRUE(large && small && status && rename);
  EXPECT_TRUE(small->Checked());
  large->Click();
  EXPECT_TRUE(large->Checked());
  EXPECT_FALSE(small->Checked());
  status->Click();
  EXPECT_FALSE(status->Checked());
  EXPECT_EQ(GetMenuState(menu.Items.Item(0)->Handle(), large->Command(), MF_BYCOMMAND) & MF_CHECKED,
            static_cast<UINT>(MF_CHECKED));
  // A menu command arrives at the form as WM_COMMAND.
  SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(rename->Command(), 0), 0);
  EXPECT_EQ(renames, 1);
  SendMessageW(main.Handle(), WM_MENUSELECT, MAKEWPARAM(rename->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(menu.Items.Item(0)->Handle()));
  EXPECT_EQ(ui::App().Hint(), "快照重命名");
  SendMessageW(main.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(ui::App().Hint(), "");
}

TEST(UiForm, AModalFormWhoseShowFailsGivesTheProgramBack) {
  ui::Form main("TfrmMainTest");
  main.Show();
  TestDialog d;
  int shows = 0;
  d.OnShow = [&] {
    ++shows;
    throw std::runtime_error("无法读取目录库");
  };
  MessageBoxAnswerer boxes;
  EXPECT_EQ(d.ShowModal(), ui::mrCancel);
  ASSERT_EQ(boxes.Count(), 1);  // shown once, by the form, not again by a caller's boundary
  EXPECT_EQ(boxes.Last().text, "无法读取目录库.");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(IsWindowVisible(d.Handle()));
  EXPECT_FALSE(d.Modal());

  // The form works again once its start no longer fails.
  d.OnShow = [&] { ++shows; };
  ui::App().Post([&] { SendMessageW(d.ok.Handle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(d.ShowModal(), ui::mrOk);
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(boxes.Count(), 1);
}
