// The main window started in-process on a temporary folder: the snapshot
// list, navigation into snapshots and folders and back, the file details
// box, the start-up failure rule and the settings kept in Kestrova.ini.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/win_program.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "platform/file_io.h"
#include "platform/ini.h"
#include "tests/win/main_window_fixture.h"

using testsupport::MessageBoxAnswerer;

TEST_F(MainWindowTest, WalksFromTheSnapshotListIntoFoldersAndBack) {
  MakeSampleCatalog();
  Start();
  main->SetListStyle(app::ListViewStyle::Report);
  ui::ListView* lv = main->ListView1;
  ASSERT_EQ(lv->ItemCount(), 2);
  EXPECT_EQ(lv->Item(0)->Caption(), "CD1");
  EXPECT_EQ(lv->Item(0)->SubItem(0), "700M");
  EXPECT_EQ(lv->Item(0)->SubItem(4), "123456789012345678901234...");
  EXPECT_EQ(lv->Item(1)->SubItem(4), "光盘备注");
  EXPECT_EQ(lv->Item(0)->ImageIndex(), 0);
  EXPECT_EQ(ColumnCaptions(), "存储设备|容量|日期|文件|文件夹|备 注");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "浏览所有");
  EXPECT_FALSE(main->TBtnUpdir->Enabled());
  EXPECT_FALSE(main->TBtnDelete->Enabled());
  EXPECT_FALSE(main->mnuRename->Enabled());

  // Selecting a snapshot enables the five commands, and their menu twins.
  lv->SetSelected(lv->Item(0));
  testsupport::PumpPosted();
  for (auto* b : {main->TBtnDelete, main->TBtnRename, main->TBtnTreeview, main->TBtnExport, main->TBtnMemo})
    EXPECT_TRUE(b->Enabled()) << b->Name;
  EXPECT_TRUE(main->mnuExport->Enabled());

  main->ListView1DblClick();
  EXPECT_EQ(main->CurrentPath, "[CD1]:\\");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "当前路径：[CD1]:\\");
  EXPECT_EQ(ColumnCaptions(), "名称|类别|位置|修改日期");
  ASSERT_EQ(lv->ItemCount(), 3);
  EXPECT_EQ(lv->Item(0)->Caption(), "docs");
  EXPECT_EQ(lv->Item(0)->ImageIndex(), 1);
  EXPECT_EQ(lv->Item(0)->SubItem(0), "目录");
  EXPECT_EQ(lv->Item(1)->Caption(), "O'Brien");
  EXPECT_EQ(lv->Item(2)->ImageIndex(), 4);  // readme.TxT
  EXPECT_EQ(lv->Item(2)->SubItem(0), "文件");
  EXPECT_EQ(lv->Item(2)->SubItem(1), "[CD1]:\\");
  EXPECT_TRUE(main->TBtnUpdir->Enabled());
  EXPECT_TRUE(main->MnuUpdir->Enabled());
  EXPECT_FALSE(main->TBtnDelete->Enabled());
  // Equal thirds after entering from the snapshot list.
  EXPECT_GT(lv->Column(2)->Width(), 100);
  EXPECT_NEAR(lv->Column(2)->Width(), lv->Column(1)->Width(), 1);

  // Selecting in a folder listing enables nothing; Delete does nothing.
  lv->SetSelected(lv->Item(0));
  testsupport::PumpPosted();
  EXPECT_FALSE(main->TBtnDelete->Enabled());
  WORD del = VK_DELETE;
  main->ListView1KeyDown(del);
  EXPECT_EQ(main->CurrentPath, "[CD1]:\\");

  // A folder whose name holds a quote opens like any other.
  lv->SetSelected(lv->Item(1));
  main->ListView1DblClick();
  EXPECT_EQ(main->CurrentPath, "[CD1]:\\O'Brien\\");
  EXPECT_EQ(lv->ItemCount(), 1);
  EXPECT_EQ(lv->Column(2)->Width(), 300);

  WORD esc = VK_ESCAPE;
  main->ListView1KeyDown(esc);
  EXPECT_EQ(main->CurrentPath, "[CD1]:\\");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "当前路径：[CD1]:\\");
  main->TBtnUpdirClick();
  EXPECT_EQ(main->CurrentPath, "");
  EXPECT_EQ(lv->ItemCount(), 2);
  EXPECT_FALSE(main->TBtnUpdir->Enabled());
  // Escape in the snapshot list does nothing.
  main->ListView1KeyDown(esc);
  EXPECT_EQ(main->StatusBar1->PanelText(1), "浏览所有");
  EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(MainWindowTest, FileDetailsShowNameLocationAndRoundedSize) {
  MakeSampleCatalog();
  Start();
  main->CurrentPath = main->OpenSnapshot("CD1");
  ui::ListView* lv = main->ListView1;
  lv->SetSelected(lv->Item(0));
  main->ListView1DblClick();  // into docs
  ASSERT_EQ(main->CurrentPath, "[CD1]:\\docs\\");
  ASSERT_EQ(lv->ItemCount(), 2);
  lv->SetSelected(lv->Item(1));  // big.iso, 5,000,000,000 bytes
  boxes.Plan(IDOK);
  main->ListView1DblClick();
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().caption, "Vorlune-文件");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Last().buttons, static_cast<UINT>(MB_OK));
  // A row written without a time (as by the first form of the catalogue).
  EXPECT_EQ(boxes.Last().text, "文件: big.iso  \r路径: [CD1]:\\docs\\  \r大小: 4882812K  \r修改日期: 未记录  \r属性: 无  ");
  EXPECT_EQ(boxes.Last().owner, main->Handle());
  EXPECT_EQ(main->CurrentPath, "[CD1]:\\docs\\");  // unchanged
}

TEST_F(MainWindowTest, EmptyCatalogShowsAnEmptySnapshotList) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  Start();
  EXPECT_EQ(main->ListView1->ItemCount(), 0);
  EXPECT_EQ(ColumnCaptions(), "存储设备|容量|日期|文件|文件夹|备 注");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "浏览所有");
  EXPECT_FALSE(main->TBtnUpdir->Enabled());
  EXPECT_FALSE(main->TBtnMemo->Enabled());
  // Wine has no printer: printing is disabled from the start.
  EXPECT_EQ(main->BtnPrint->Enabled(), ui::PrintDialog::PrinterInstalled());
  EXPECT_EQ(main->Caption(), "Vorlune");
  EXPECT_EQ(ui::App().HelpFile, folder + "Kestrova.chm");
  // Double-click on empty space changes nothing.
  main->ListView1DblClick();
  EXPECT_FALSE(main->TBtnUpdir->Enabled());
}

TEST_F(MainWindowTest, MissingCatalogIsReportedAndTheWindowStillOpens) {
  boxes.Plan(IDOK);
  Start();
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(boxes.Last().caption, "Vorlune");
  EXPECT_NE(boxes.Last().text.find("Kestrova"), std::string::npos);
  EXPECT_EQ(boxes.Last().text.back(), '.');
  EXPECT_EQ(main->ListView1->ColumnCount(), 0);
  EXPECT_FALSE(fileio::FileExists(folder + "Kestrova"));
  main->Show();
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
}

TEST_F(MainWindowTest, DefaultSettingsAndTheirRoundTrip) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  Start();
  EXPECT_EQ(main->ListView1->GetViewStyle(), ui::vsSmallIcon);
  EXPECT_TRUE(main->MnuSmall->Checked());
  EXPECT_TRUE(main->mnuMacOSX->Checked());
  EXPECT_TRUE(main->TBtnSearch->Down());
  EXPECT_TRUE(main->PnlLeft->Visible());
  EXPECT_FALSE(main->ToolBar2->ShowCaptions());
  EXPECT_TRUE(main->mnuLargeImage->Checked());

  main->SetListStyle(app::ListViewStyle::Icon);
  main->mnuSmallImageClick();
  main->SkinItemClick(3);
  main->Image8Click();
  Stop();
  ini::IniFile written(folder + "Kestrova.ini");
  EXPECT_EQ(written.ReadInteger("ListView", "Style", 0), 3);
  EXPECT_EQ(written.ReadInteger("WinStyle", "Style", 0), 3);
  EXPECT_FALSE(written.ReadBool("search", "show", true));
  EXPECT_TRUE(written.ReadBool("Toolbar", "showCaption", false));
  std::string raw;
  ASSERT_TRUE(fileio::ReadWholeFile(folder + "Kestrova.ini", raw));
  EXPECT_NE(raw.find("[search]"), std::string::npos);

  Start();
  EXPECT_EQ(main->ListView1->GetViewStyle(), ui::vsIcon);
  EXPECT_TRUE(main->mnuGreat->Checked());
  EXPECT_TRUE(main->mnuSky->Checked());
  EXPECT_FALSE(main->TBtnSearch->Down());
  EXPECT_FALSE(main->PnlLeft->Visible());
  EXPECT_TRUE(main->ToolBar2->ShowCaptions());
  EXPECT_TRUE(main->mnuSmallImage->Checked());
}

TEST_F(MainWindowTest, SettingsEdgeCases) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  fileio::WriteFileAtomic(folder + "Kestrova.ini",
                          "[WinStyle]\r\nStyle=99\r\n[ListView]\r\nStyle=7\r\n[Toolbar]\r\nshowCaption=1\r\n"
                          "[Search]\r\nshow=0\r\n");
  Start();
  EXPECT_TRUE(main->mnuInterfWindows->Checked());
  EXPECT_FALSE(main->SkinData1.Active());
  EXPECT_EQ(main->ListView1->GetViewStyle(), ui::vsSmallIcon);
  EXPECT_TRUE(main->ToolBar2->ShowCaptions());
  EXPECT_TRUE(main->mnuSmallImage->Checked());
  EXPECT_FALSE(main->TBtnSearch->Down());
  EXPECT_FALSE(main->PnlLeft->Visible());
  main->mnuInterfWindowsClick();
  main->mnuLargeImageClick();
  EXPECT_FALSE(main->ToolBar2->ShowCaptions());
  Stop();
  ini::IniFile written(folder + "Kestrova.ini");
  EXPECT_EQ(written.ReadInteger("WinStyle", "Style", 0), 99);
  EXPECT_EQ(written.ReadInteger("ListView", "Style", 0), 4);
  EXPECT_FALSE(written.ReadBool("Toolbar", "showCaption", true));
}

TEST_F(MainWindowTest, NegativeSkinIndexStartsWithThePlainLook) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  fileio::WriteFileAtomic(folder + "Kestrova.ini", "[WinStyle]\r\nStyle=-1\r\n");
  Start();
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_TRUE(main->mnuInterfWindows->Checked());
  EXPECT_EQ(main->StatusBar1->PanelText(1), "浏览所有");  // start-up went on
}

TEST_F(MainWindowTest, ViewAndBarCommands) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  Start();
  main->Show();
  main->mnuStatusbar->Click();
  EXPECT_FALSE(main->mnuStatusbar->Checked());
  EXPECT_FALSE(main->StatusBar1->Visible());
  main->mnuToolbar->Click();
  EXPECT_FALSE(main->ToolBar2->Visible());
  EXPECT_TRUE(main->ToolBar1->Visible());
  // A click on the check button toggles it, then runs its handler.
  main->TBtnSearch->SetDown(false);
  main->TBtnSearch->Click();
  EXPECT_FALSE(main->PnlLeft->Visible());
  main->TBtnSearch->SetDown(true);
  main->TBtnSearch->Click();
  EXPECT_TRUE(main->PnlLeft->Visible());
  main->MnuReport->Click();
  EXPECT_EQ(main->ListView1->GetViewStyle(), ui::vsReport);
  EXPECT_TRUE(main->MnuReport->Checked());
  EXPECT_FALSE(main->MnuSmall->Checked());
  main->mnuList->Click();
  EXPECT_EQ(main->ListView1->GetViewStyle(), ui::vsList);
}

TEST_F(MainWindowTest, HintOfAToolbarButtonReachesTheStatusBar) {
  catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
  Start();
  ui::App().SetHint("浏览所有快照");
  EXPECT_EQ(main->StatusBar1->PanelText(0), "浏览所有快照");
}

TEST_F(MainWindowTest, SearchFromThePanelListsHitsAndLeavesUpDisabled) {
  MakeSampleCatalog();
  Start();
  main->EdtSearch->SetText("TXT");
  main->BtnBeginSearchClick();
  ui::ListView* lv = main->ListView1;
  EXPECT_EQ(lv->ItemCount(), 3);  // readme.TxT, a.txt, x.txt
  EXPECT_EQ(ColumnCaptions(), "名称|类别|位置|大小|修改日期|快照");
  EXPECT_EQ(main->StatusBar1->PanelText(1), "搜索到：3项");
  EXPECT_EQ(main->CurrentPath, "[");
  EXPECT_FALSE(main->SearchRunning);
  EXPECT_FALSE(main->TBtnUpdir->Enabled());
  EXPECT_TRUE(main->BtnBeginSearch->Enabled());
  EXPECT_FALSE(main->BtnStopSearch->Enabled());
  // Only folders: none of the hits is one.
  main->ChkFile->SetChecked(false);
  main->ChkFolderClick();
  main->BtnBeginSearchClick();
  EXPECT_EQ(lv->ItemCount(), 0);
  // Both options off: the button is disabled, Enter still searches.
  main->ChkFolder->SetChecked(false);
  main->ChkFolderClick();
  EXPECT_FALSE(main->BtnBeginSearch->Enabled());
  main->EdtSearchKeyUp(VK_RETURN);
  EXPECT_EQ(main->StatusBar1->PanelText(1), "搜索到：0项");
  // A double-click on a hit enables up one level again.
  main->ChkFolder->SetChecked(true);
  main->ChkFolderClick();
  main->EdtSearch->SetText("docs");
  main->BtnBeginSearchClick();
  ASSERT_EQ(lv->ItemCount(), 1);
  lv->SetSelected(lv->Item(0));
  main->ListView1DblClick();
  EXPECT_EQ(main->CurrentPath, "[CD1]:\\docs\\");
  EXPECT_TRUE(main->TBtnUpdir->Enabled());
}

TEST_F(MainWindowTest, InstantSearchIsOffByDefaultAndOnRunsOneSearchForABurstOfKeys) {
  MakeSampleCatalog();
  Start();
  HWND edit = main->EdtSearch->Handle();
  EXPECT_FALSE(main->mnuInstantSearch->Checked());
  testsupport::PostChars(edit, L"txt");
  // Longer than the pause that would start a search: none starts.
  testsupport::PumpFor(400);
  EXPECT_EQ(main->EdtSearch->Text(), "txt");
  EXPECT_EQ(main->InstantSearchesRun, 0);
  EXPECT_NE(main->StatusBar1->PanelText(1).rfind("搜索到", 0), 0u);

  main->EdtSearch->SetText("");
  main->mnuInstantSearch->Click();
  ASSERT_TRUE(main->mnuInstantSearch->Checked());
  testsupport::PostChars(edit, L"TXT");
  EXPECT_TRUE(testsupport::PumpUntil([&] { return main->InstantSearchesRun > 0 && !main->SearchRunning; }, 3000));
  // No second search follows the burst.
  testsupport::PumpFor(400);
  EXPECT_EQ(main->InstantSearchesRun, 1);
  EXPECT_EQ(main->ListView1->ItemCount(), 3);
  EXPECT_EQ(main->StatusBar1->PanelText(1), "搜索到：3项");
  // Blanks only: nothing to search for, as with Enter.
  main->EdtSearch->SetText("  ");
  testsupport::PumpFor(400);  // past the pause: still no search
  EXPECT_EQ(main->InstantSearchesRun, 1);

  Stop();
  EXPECT_TRUE(ini::IniFile(folder + "Kestrova.ini").ReadBool("search", "instant", false));
  Start();
  EXPECT_TRUE(main->mnuInstantSearch->Checked());
}
