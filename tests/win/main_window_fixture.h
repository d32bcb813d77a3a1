// A fixture that starts the whole program in-process on a temporary folder
// standing for the executable's folder, and ends it again.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/win_program.h"
#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "tests/win/support/gui.h"
#include "tests/win/support/msgbox_answerer.h"
#include "ui/ui.h"

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::filesystem::path p = std::filesystem::path(tmp) /
                              (L"vorlune-main-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(GetTickCount()));
    std::filesystem::create_directories(p);
    folder = ui::Narrow(p.wstring()) + "\\";
    ui::App().SetExeFolder(folder);
  }
  void TearDown() override {
    if (main) Stop();
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(ui::Wide(folder)), ec);
  }

  void Start() {
    program = std::make_unique<app::Program>();
    program->CreateWindows();
    main = program->frmMain;
  }
  // Closes the main window (which writes the settings) and frees the windows.
  void Stop() {
    main->Close();
    testsupport::PumpPosted();
    program->Shutdown();
    program.reset();
    main = nullptr;
  }

  std::string ColumnCaptions() const {
    std::string s;
    for (int i = 0; i < main->ListView1->ColumnCount(); ++i)
      s += (i ? "|" : "") + main->ListView1->Column(i)->Caption();
    return s;
  }

  // A new catalogue in the folder, filled by `fill` on a connection of its own.
  void FillNewCatalog(const std::function<void(catalog::Query&)>& fill) {
    catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    catalog::Query q(&cn);
    fill(q);
  }

  // CD1: a memo of 25 bytes, folders docs and O'Brien, a text file; docs
  // holds a small file and one of 5,000,000,000 bytes. CD2: a Chinese memo.
  void MakeSampleCatalog() {
    catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    catalog::Query q(&cn);
    catalog::AppendSnapshot(q, "CD1", 700, "1234567890123456789012345");
    catalog::AppendSnapshot(q, "CD2", 4300, "光盘备注");
    AddRow(q, "[CD1]:\\", "docs", 1);
    AddRow(q, "[CD1]:\\", "O'Brien", 1);
    AddRow(q, "[CD1]:\\", "readme.TxT", 0, 1536);
    AddRow(q, "[CD1]:\\docs\\", "a.txt", 0, 10);
    AddRow(q, "[CD1]:\\docs\\", "big.iso", 0, 5000000000LL);
    AddRow(q, "[CD1]:\\O'Brien\\", "x.txt", 0, 1);
    AddRow(q, "[CD2]:\\", "music.wav", 0, 100);
  }
  static void AddRow(catalog::Query& q, const std::string& path, const std::string& name, int type,
                     int64_t size = -1) {
    q.OpenTable("CDFile");
    q.Append();
    q.SetField("Name", name);
    q.SetField("Path", path);
    q.SetField("Type", type);
    if (size >= 0) q.SetField("Size", size);
    q.Post();
    q.Close();
  }

  std::string folder;
  std::unique_ptr<app::Program> program;
  app::TfrmMain* main = nullptr;
  testsupport::MessageBoxAnswerer boxes;
};
