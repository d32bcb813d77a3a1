// UnitCreate: the create window TfrmCreate. It lists the drives, takes the
// label and the memo, runs the scan inside BtnCreateClick (processing
// messages after every entry), and offers stop, cancel and running hidden
// in the notification area while it runs.
//
// The program entry creates it at start-up, right after the main window,
// and the main window's toolbar button shows it modally. Of the main window
// it uses the catalogue connection, the window itself (hidden with it in the
// background), BrowseAll after a run that was not cancelled, and the status
// line.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "shell/win_main_window.h"
#include "archive/archive_lister.h"
#include "catalog/connection.h"
#include "catalog/query.h"
#include "catalog/snapshot_facts.h"
#include "create/drive_list.h"
#include "create/scan_engine.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/more_controls.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

namespace create {

class DirectorySource;

// The notification-area icon's callback message and identifier.
inline constexpr UINT WM_TRAYNOTIFY = 2308;
inline constexpr UINT kTrayIconId = 1001;

class TfrmCreate : public ui::Form {
 public:
  explicit TfrmCreate(shell::MainWindow& main);
  ~TfrmCreate() override;

  // Controls, in tab order first, then those that take no focus.
  ui::Edit EdtCDID{this};
  ui::ComboBoxEx ComboBoxEx1{this};
  ui::CheckBox ChkEjectCD{this, "创建快照后自动弹开光驱"};
  ui::CheckBox ChkArchives{this, "记录压缩包和光盘映像中的文件(&Z)"};
  ui::BitBtn BtnCreate{this, "创建(&S)"};
  // Enabled when the selected drive holds a catalogued disk (LblKnown says
  // which snapshot): scans it again into that snapshot.
  ui::Button BtnUpdate{this, "更新快照(&U)"};
  ui::BitBtn BtnCancel{this, "取消(&C)"};
  ui::BitBtn BtnStop{this, "停止(&N)"};
  ui::Button BtnBack{this, "后台执行(&B)"};
  ui::Button BtnEjectCD{this, kOpenDoorCaption};
  ui::Button BtnExitCreate{this, "退出(&X)"};
  ui::Memo Memo1{this};
  ui::Label Label1{this, "选择创建设快照的存储设备：        "};
  ui::Label Label3{this, "输入存储盘标签："};
  ui::Label Label2{this, "备注："};
  ui::Label LblKnown{this, ""};
  ui::Image Image2{this};
  ui::Gauge Gauge1{this};
  ui::ImageList ImgLstDriver{this, 32, 32};
  ui::ImageList ImageList1{this, 126, 126};
  ui::Timer Timer1{this, 300, false};
  catalog::Query ADOQryCreate;

  // Run state and progress (0 idle, 1 running, 2 stopped, 3 cancelled).
  int ScanState = 0;
  int64_t DiskSizeKB = 0;
  int64_t ScannedKB = 0;
  int AnimFrame = 0;
  DriveList Drives;  // DrivePaths and DriveCaptions
  NOTIFYICONDATAW TrayIconData{};

  // Messages are processed during a scan at most this often (0: after
  // every entry).
  unsigned MessageIntervalMs = 10;

  // The platform calls, replaceable so that tests can watch them.
  std::function<int(const std::string& root)> DriveTypeOf;
  std::function<int64_t(const std::string& root)> GetDiskSizeKB;
  std::function<void(const std::string& command)> SendMciCommand;
  std::function<catalog::VolumeIdentity(const std::string& root)> VolumeOf;

  // The snapshot of the disk in the selected drive ("" when none), found by
  // RecogniseSelectedDisk, and the volume read for it.
  std::string KnownLabel;
  catalog::VolumeIdentity SelectedVolume;
  // Set before showing the window: select this drive and update its
  // snapshot at once (the list's context menu).
  std::string UpdateOnShowRoot;
  // The last update's change counts as the box said them.
  std::string LastUpdateSummary;

  // Event handlers.
  void FormShow();
  void FormDestroy();
  void FormCloseQuery(bool& canClose);
  void GetDrivers();
  void EdtCDIDKeyPress(wchar_t& key);
  void EdtCDIDChange();
  void EdtCDIDKeyDown(WORD& key, ui::ShiftState shift);
  void BtnCreateClick();
  void BtnUpdateClick();
  void RecogniseSelectedDisk();
  // Selects the drive item of `root`; false when the list has none.
  bool SelectDrive(const std::string& root);
  void BtnEjectCDClick();
  void BtnBackClick();
  void BtnStopClick();
  void BtnCancelClick();
  void Timer1Timer();
  void WMTrayNotify(LPARAM mouseMessage);

  // The selected drive item.
  std::string SelectedCaption() const;
  std::string SelectedRoot() const;
  bool TrayIconShown() const { return trayShown_; }

  void WndProc(ui::Message& m) override;

 private:
  void LayOut();
  void LoadPictures();
  std::string IniPath() const;
  int Say(std::string_view text, UINT flags);
  void SetRunControls(const std::string& caption);
  // The lister of archives for a run, or null when the option is off.
  archives::ArchiveLister* ArchivesOfRun();
  // The hooks of a run and the start of its progress, shared by a new
  // snapshot and an update.
  ScanHooks RunHooks();
  void StartProgress();
  // After a new snapshot's label checks: whether the disk's snapshot, when
  // there is one, may get a second one.
  bool SecondSnapshotAllowed();
  // The end of a run: controls back to idle, the optional eject, state 0.
  void EndRun(bool eject);
  void EjectAfterRun();
  void ShowFrame(int frame);
  void KeepLabelValid();
  void KeepMemoValid();

  shell::MainWindow& main_;
  // Shared with the scan's readers: one left behind by a stop may still be
  // inside a folder after this window is gone.
  std::shared_ptr<DirectorySource> source_;
  std::string lastLabel_;
  std::string lastMemo_;
  bool trayShown_ = false;
  std::unique_ptr<archives::ArchiveLister> archives_;
};

}  // namespace create
