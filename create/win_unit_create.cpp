#include "create/win_unit_create.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <cwchar>

#include "catalog/statements.h"
#include "create/message_pacer.h"
#include "create/scan_rules.h"
#include "create/snapshot_job.h"
#include "create/win_artwork.h"
#include "create/prefetch_source.h"
#include "create/win_directory_source.h"
#include "create/win_volume_identity.h"
#include "platform/ini.h"
#include "platform/text.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace create {
namespace {

constexpr const char* kIniSection = "AutoCD";
constexpr const char* kIniKey = "AutoCD";

int PlatformDriveType(const std::string& root) { return static_cast<int>(GetDriveTypeW(ui::Wide(root).c_str())); }

int64_t PlatformDiskSizeKB(const std::string& root) {
  // An empty removable drive would otherwise ask the user to insert a disk.
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ULARGE_INTEGER available{}, total{}, free{};
  BOOL ok = GetDiskFreeSpaceExW(ui::Wide(root).c_str(), &available, &total, &free);
  SetErrorMode(oldMode);
  return ok ? DiskSizeKBFromBytes(total.QuadPart) : 0;
}

std::string UpperCase(std::string_view s) {
  std::wstring w = ui::Wide(s);
  if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
  return ui::Narrow(w);
}

// Sets an edit's text and puts the caret at a byte offset of it.
void SetTextAndCaret(ui::Edit& edit, const std::string& text, size_t caretBytes) {
  edit.SetText(text);
  LPARAM caret = static_cast<LPARAM>(ui::Wide(text.substr(0, caretBytes)).size());
  SendMessageW(edit.Handle(), EM_SETSEL, caret, caret);
}

HICON AppIcon() {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
  return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

void SetTip(NOTIFYICONDATAW& data, std::string_view tip) {
  std::wstring w = ui::Wide(tip);
  std::fill(std::begin(data.szTip), std::end(data.szTip), L'\0');
  // The record's first version holds 64 characters, the last one the end.
  wcsncpy(data.szTip, w.c_str(), 63);
}

}  // namespace

TfrmCreate::TfrmCreate(shell::MainWindow& main)
    : Form("TfrmCreate", ui::bsDialog), main_(main), source_(std::make_shared<WinDirectorySource>()) {
  DriveTypeOf = PlatformDriveType;
  GetDiskSizeKB = PlatformDiskSizeKB;
  VolumeOf = ReadVolumeIdentity;
  SendMciCommand = [this](const std::string& command) {
    mciSendStringW(ui::Wide(command).c_str(), nullptr, 0, Handle());
  };
  position = ui::poOwnerFormCenter;
  SetCaption(ui::App().Title + " - 创建快照");
  SetClientSize(553, 343);
  LayOut();
  LoadPictures();
  ADOQryCreate.SetConnection(&main_.connection());

  EdtCDID.SetCharCase(ui::ecUpperCase);
  EdtCDID.SetColor(ui::clCream);
  EdtCDID.OnKeyPress = [this](wchar_t& key) { EdtCDIDKeyPress(key); };
  EdtCDID.OnKeyDown = [this](WORD& key, ui::ShiftState shift) { EdtCDIDKeyDown(key, shift); };
  EdtCDID.OnChange = [this] { EdtCDIDChange(); };
  // Pasted or dropped text is cleaned and cut like typed text.
  EdtCDID.Filter = [](std::string_view current, std::string_view inserted) {
    size_t used = text::GbByteLength(current);
    return text::GbCut(CleanLabelText(inserted), used >= kLabelMaxBytes ? 0 : kLabelMaxBytes - used);
  };
  Memo1.Filter = [](std::string_view current, std::string_view inserted) {
    size_t used = text::GbByteLength(current);
    return text::GbCut(inserted, used >= kMemoMaxBytes ? 0 : kMemoMaxBytes - used);
  };
  Memo1.OnChange = [this] { KeepMemoValid(); };

  ComboBoxEx1.SetHint("选择创建设快照的存储设备");
  BtnCreate.SetHint("创建快照");
  BtnUpdate.SetHint("重新扫描此盘并更新它的快照");
  BtnUpdate.SetEnabled(false);
  BtnUpdate.OnClick = [this] { BtnUpdateClick(); };
  ComboBoxEx1.OnChange = [this] { RecogniseSelectedDisk(); };
  BtnCancel.SetHint("停止创建快照并删除已生成的资料");
  BtnStop.SetHint("停止创建快照");
  BtnBack.SetHint("隐藏到后台执行");
  BtnEjectCD.SetHint("弹开光驱");
  BtnExitCreate.SetHint("退出");
  BtnCancel.SetEnabled(false);
  BtnStop.SetEnabled(false);
  BtnBack.SetEnabled(false);
  // Esc asks the cancel question while a scan runs (both are cancel buttons;
  // the first enabled one, BtnCancel, takes it).
  BtnCancel.Cancel = true;
  BtnStop.Cancel = true;
  BtnExitCreate.ModalResult = ui::mrCancel;
  Gauge1.Hide();

  BtnCreate.OnClick = [this] { BtnCreateClick(); };
  BtnCancel.OnClick = [this] { BtnCancelClick(); };
  BtnStop.OnClick = [this] { BtnStopClick(); };
  BtnBack.OnClick = [this] { BtnBackClick(); };
  BtnEjectCD.OnClick = [this] { BtnEjectCDClick(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  OnShow = [this] { FormShow(); };
  OnDestroy = [this] { FormDestroy(); };
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };

  const ini::IniFile settings(IniPath());
  ChkEjectCD.SetChecked(settings.ReadBool(kIniSection, kIniKey, false));
  ChkArchives.SetChecked(ListArchivesSetting(settings));
  ChkArchives.SetHint("把 zip、rar、7z、cab、tar 和 iso 中的文件也记入快照，可以浏览和查找");
  ScannedKB = 0;
}

TfrmCreate::~TfrmCreate() {
  // Hooks (the skin's frame) see the window while its controls are whole.
  AnnounceDestroying();
  // An icon left behind would stay in the notification area until the mouse
  // passes over it.
  if (trayShown_) Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
}

void TfrmCreate::LayOut() {
  Image2.SetBounds(12, 12, kPictureBoxSize, kPictureBoxSize);
  const int width = 391;
  Label1.SetBounds(150, 12, width, 16);
  ComboBoxEx1.SetBounds(150, 30, width, 300);
  // The drive list with its 32-pixel pictures ends near 66; the line that
  // names a catalogued disk goes below it.
  LblKnown.SetBounds(150, 68, width, 16);
  Label3.SetBounds(150, 86, width, 16);
  EdtCDID.SetBounds(150, 104, width, 22);
  Label2.SetBounds(150, 132, width, 16);
  Memo1.SetBounds(150, 150, width, 68);
  ChkEjectCD.SetBounds(150, 224, width, 20);
  ChkArchives.SetBounds(150, 246, width, 20);
  Gauge1.SetBounds(12, 274, 529, 20);
  const int top = 304, height = 28;
  BtnCreate.SetBounds(12, top, 72, height);
  BtnUpdate.SetBounds(88, top, 88, height);
  BtnCancel.SetBounds(180, top, 72, height);
  BtnStop.SetBounds(256, top, 72, height);
  BtnBack.SetBounds(332, top, 80, height);
  BtnEjectCD.SetBounds(416, top, 80, height);
  BtnExitCreate.SetBounds(500, top, 41, height);
  ComboBoxEx1.SetDropDownCount(24);
  for (ui::Label* l : {&Label1, &Label2, &Label3}) l->SetFontColor(ui::clNavy);
  LblKnown.SetFontColor(ui::clNavy);
  // Tab positions as the window lists them.
  ui::Control* order[] = {&EdtCDID, &ComboBoxEx1, &ChkEjectCD, &ChkArchives,   &BtnCreate, &BtnUpdate,
                          &BtnCancel, &BtnStop,   &BtnBack,    &BtnEjectCD, &BtnExitCreate, &Memo1};
  for (int i = 0; i < 12; ++i) order[i]->SetTabOrder(i);
}

void TfrmCreate::LoadPictures() {
  for (int type = 0; type <= 6; ++type) {
    gdi::Bitmap bmp = EmbeddedPictureWithAlpha("drive" + std::to_string(type));
    ImageList_Add(ImgLstDriver.Handle(), bmp.get(), nullptr);
  }
  ComboBoxEx1.SetImages(&ImgLstDriver);
  for (int frame = 0; frame < kAnimationFrames; ++frame) {
    gdi::Bitmap bmp = DrawAnimationFrame(frame, Color());
    ImageList_Add(ImageList1.Handle(), bmp.get(), nullptr);
  }
  Image2.SetPicture(DrawIdlePicture(Color()));
  BtnCreate.SetGlyph(EmbeddedPictureOn("create", ui::clBtnFace(), true), 2);
  BtnCancel.SetGlyph(EmbeddedPictureOn("cancel", ui::clBtnFace(), true), 2);
  BtnStop.SetGlyph(EmbeddedPictureOn("stop", ui::clBtnFace(), true), 2);
}

std::string TfrmCreate::IniPath() const { return ui::App().ExeFolder() + "Kestrova.ini"; }

int TfrmCreate::Say(std::string_view text, UINT flags) { return ui::ShowMessageBox(this, text, flags); }

// Showing, closing, settings ------------------------------------------------------

void TfrmCreate::FormShow() {
  GetDrivers();
  if (!EdtCDID.Text().empty()) EdtCDID.SetText("");
  if (!Memo1.Text().empty()) Memo1.SetText("");
  const std::string updateRoot = std::move(UpdateOnShowRoot);
  UpdateOnShowRoot.clear();
  if (!updateRoot.empty()) SelectDrive(updateRoot);
  RecogniseSelectedDisk();
  // Once the window is up: the update runs inside its own handler.
  if (!updateRoot.empty() && !KnownLabel.empty())
    ui::App().Post([this] {
      if (Visible() && ScanState == kScanIdle && !KnownLabel.empty()) BtnUpdateClick();
    });
}

void TfrmCreate::FormDestroy() {
  // Not kept where the settings file cannot be written, as the main
  // window's settings.
  ini::IniFile ini(IniPath());
  ini.WriteBool(kIniSection, kIniKey, ChkEjectCD.Checked());
  ini.WriteBool(kArchivesSection, kArchivesKey, ChkArchives.Checked());
  ini.SaveIfWritable();
}

void TfrmCreate::FormCloseQuery(bool& canClose) {
  if (ScanState == kScanRunning) {
    Say("正在创建快照料...", MB_OK | MB_ICONINFORMATION);
    canClose = false;
  }
}

void TfrmCreate::GetDrivers() {
  Drives = BuildDriveList(DriveTypeOf);
  ComboBoxEx1.Clear();
  for (size_t i = 0; i < Drives.DriveCaptions.size(); ++i) ComboBoxEx1.AddItem(Drives.DriveCaptions[i], Drives.Types[i]);
  ComboBoxEx1.SetItemIndex(ComboBoxEx1.ItemCount() - 1);
  AnimFrame = 0;
}

std::string TfrmCreate::SelectedCaption() const { return ComboBoxEx1.Text(); }

std::string TfrmCreate::SelectedRoot() const { return Drives.RootOf(SelectedCaption()); }

// The label and memo fields -------------------------------------------------------

void TfrmCreate::EdtCDIDKeyPress(wchar_t& key) {
  if (key < 0x80 && IsRefusedLabelChar(static_cast<char32_t>(key))) key = 0;
}

// Holds an edit to its rules whatever way text arrived (an input method, a
// drop, a message): `clean` is its text as the rules allow it; beyond
// maxBytes what was inserted since `last` is cut.
static void KeepWithin(ui::Edit& edit, std::string& last, const std::string& clean, size_t maxBytes) {
  std::string text = edit.Text();
  if (clean == text && text::GbByteLength(text) <= maxBytes) {
    last = text;
    return;
  }
  FittedText fit = FitToLimit(last, clean, maxBytes);
  last = fit.text;
  SetTextAndCaret(edit, fit.text, fit.caret);
}

void TfrmCreate::KeepLabelValid() {
  // No refused character and no lower-case letter, 40 bytes at most.
  KeepWithin(EdtCDID, lastLabel_, CleanLabelText(UpperCase(EdtCDID.Text())), kLabelMaxBytes);
}

void TfrmCreate::KeepMemoValid() { KeepWithin(Memo1, lastMemo_, Memo1.Text(), kMemoMaxBytes); }

void TfrmCreate::EdtCDIDChange() {
  KeepLabelValid();
  BtnCreate.SetEnabled(!LabelFromField(EdtCDID.Text()).empty());
}

void TfrmCreate::EdtCDIDKeyDown(WORD& key, ui::ShiftState) {
  if (key != VK_RETURN || LabelFromField(EdtCDID.Text()).empty()) return;
  BtnCreate.SetFocus();
  // Enter only moves the focus; a second Enter starts the snapshot.
  key = 0;
}

// The door button -----------------------------------------------------------------

void TfrmCreate::BtnEjectCDClick() {
  BtnEjectCD.SetEnabled(false);
  DoorStep step = DoorStepFor(BtnEjectCD.Caption());
  HCURSOR old = ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  SendMciCommand(step.command);
  BtnEjectCD.SetCaption(step.nextCaption);
  BtnEjectCD.SetEnabled(true);
  ::SetCursor(old ? old : LoadCursorW(nullptr, IDC_ARROW));
}

void TfrmCreate::EjectAfterRun() {
  if (!ChkEjectCD.Checked()) return;
  BtnEjectCD.SetEnabled(false);
  SendMciCommand(kOpenDoorCommand);
  BtnEjectCD.SetCaption(kCloseDoorCaption);
}

// The run -------------------------------------------------------------------------

void TfrmCreate::SetRunControls(const std::string& caption) {
  EdtCDID.SetEnabled(false);
  BtnCreate.SetEnabled(false);
  BtnUpdate.SetEnabled(false);
  BtnExitCreate.SetEnabled(false);
  ComboBoxEx1.SetEnabled(false);
  ChkArchives.SetEnabled(false);  // the run's lister is chosen at its start
  BtnCancel.SetEnabled(true);
  BtnStop.SetEnabled(true);
  BtnBack.SetEnabled(true);
  // The door stays shut while a CD is being read.
  BtnEjectCD.SetEnabled(!IsCdCaption(caption));
}

void TfrmCreate::EndRun(bool eject) {
  Gauge1.Hide();
  BtnCancel.SetEnabled(false);
  BtnStop.SetEnabled(false);
  EdtCDID.SetEnabled(true);
  EdtCDID.SetText("");
  ComboBoxEx1.SetEnabled(true);
  ChkArchives.SetEnabled(true);
  BtnBack.SetEnabled(false);
  if (eject) EjectAfterRun();
  BtnEjectCD.SetEnabled(true);
  BtnCreate.SetEnabled(true);
  BtnExitCreate.SetEnabled(true);
  ScanState = kScanIdle;
  ScannedKB = 0;
}

void TfrmCreate::BtnCreateClick() {
  std::string label = LabelFromField(EdtCDID.Text());
  if (label.empty()) {
    Say("请输入快照标签！", MB_OK | MB_ICONINFORMATION);
    EdtCDID.SetFocus();
    return;
  }
  std::string caption = SelectedCaption();
  std::string root = Drives.RootOf(caption);
  DiskSizeKB = root.empty() ? 0 : GetDiskSizeKB(root);
  if (DiskSizeKB < 1) {
    Say("驱动器为空，请将存储设备放入驱动器！", MB_OK | MB_ICONERROR);
    return;
  }
  if (catalog::LabelTaken(ADOQryCreate, label)) {
    Say("存储设备的同名标签已经存在，请选择其它标签命名！", MB_OK | MB_ICONINFORMATION);
    EdtCDID.SetEnabled(true);
    EdtCDID.SetFocus();
    return;
  }
  if (!SecondSnapshotAllowed()) return;

  SetRunControls(caption);
  const ScanHooks hooks = RunHooks();
  SnapshotRequest request{label, root, DiskSizeKB, Memo1.Text(), VolumeOf(root), ArchivesOfRun()};
  SnapshotOutcome outcome = SnapshotOutcome::kCompleted;
  try {
    // Two readers keep the next folders listed while this thread records.
    PrefetchSource source(source_, 2);
    outcome = TakeSnapshot(ADOQryCreate, source, request, hooks, [this] { StartProgress(); });
  } catch (const std::exception& e) {
    // The rows written so far stay, as after a stop; the window goes back
    // to idle instead of staying in its running state.
    Timer1.SetEnabled(false);
    EndRun(false);
    ui::App().HandleException(e);
    main_.BrowseAll();
    return;
  }
  if (ScanState == kScanRunning) Gauge1.SetProgress(100);
  Timer1.SetEnabled(false);
  if (outcome == SnapshotOutcome::kCancelled) {
    Say("快照取消！该快照所有数据被删除！", MB_OK | MB_ICONINFORMATION);
  } else {
    Say("快照创建完成！建议您在该盘上贴上标签以便管理。\r标签：\t[ " + label + " ]", MB_OK | MB_ICONINFORMATION);
    main_.BrowseAll();
  }
  EndRun(true);
  RecogniseSelectedDisk();
}

archives::ArchiveLister* TfrmCreate::ArchivesOfRun() {
  if (!ChkArchives.Checked()) return nullptr;
  if (!archives_) archives_ = archives::MakeArchiveLister();
  return archives_.get();
}

ScanHooks TfrmCreate::RunHooks() {
  ScanHooks hooks;
  // Paced apart from the processing: the scan writes the rows it holds
  // back only when the messages are really let through.
  auto pacer = std::make_shared<MessagePacer>(nullptr, [] { return GetTickCount64(); }, MessageIntervalMs);
  hooks.messagesDue = [pacer] { return pacer->Due(); };
  hooks.processMessages = [] { ui::App().ProcessMessages(); };
  hooks.status = [this](std::string_view text) {
    main_.SetLocationStatus(std::string(text));
  };
  hooks.state = [this] { return ScanState; };
  hooks.scannedKB = &ScannedKB;
  return hooks;
}

void TfrmCreate::StartProgress() {
  // A new run starts from an empty gauge, not from the last run's 100.
  Gauge1.SetProgress(0);
  Timer1.SetEnabled(true);
  Gauge1.Show();
  ScanState = kScanRunning;
}

void TfrmCreate::ShowFrame(int frame) {
  gdi::BitmapCanvas canvas(kPictureBoxSize, kPictureBoxSize);
  RECT r{0, 0, kPictureBoxSize, kPictureBoxSize};
  FillRect(canvas.dc(), &r, ui::SolidBrush(Color()));
  ImageList_Draw(ImageList1.Handle(), frame, canvas.dc(), 0, 0, ILD_NORMAL);
  Image2.SetPicture(canvas.Take());
}

void TfrmCreate::Timer1Timer() {
  if (++AnimFrame > 2) AnimFrame = 0;
  ShowFrame(AnimFrame);
  if (DiskSizeKB > 100) Gauge1.SetProgress(GaugeAfterTick(Gauge1.Progress(), ScannedKB, DiskSizeKB));
}

// Background, stop and cancel -----------------------------------------------------

void TfrmCreate::BtnBackClick() {
  TrayIconData = NOTIFYICONDATAW{};
  TrayIconData.cbSize = NOTIFYICONDATAW_V1_SIZE;
  TrayIconData.hWnd = Handle();
  TrayIconData.uID = kTrayIconId;
  TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  TrayIconData.uCallbackMessage = WM_TRAYNOTIFY;
  TrayIconData.hIcon = AppIcon();
  SetTip(TrayIconData, ui::App().Title);
  // The main window carries the taskbar button; the application window of
  // this program never shows, so hiding these two hides the program.
  ShowWindow(main_.form().Handle(), SW_HIDE);
  ShowWindow(Handle(), SW_HIDE);
  trayShown_ = Shell_NotifyIconW(NIM_ADD, &TrayIconData) != FALSE;
}

void TfrmCreate::WMTrayNotify(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) {
    ShowWindow(main_.form().Handle(), SW_SHOW);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(GetLastActivePopup(Handle()));
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
    trayShown_ = false;
  } else if (mouseMessage == WM_MOUSEMOVE) {
    SetTip(TrayIconData, ui::App().Title + Gauge1.PercentText());
    Shell_NotifyIconW(NIM_MODIFY, &TrayIconData);
  }
}

void TfrmCreate::BtnStopClick() {
  if (ScanState != kScanRunning) return;
  if (Say("您确定要终止正在进行的快照创建进程吗？", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
  BtnStop.SetEnabled(false);
  BtnCancel.SetEnabled(false);
  ScanState = kScanStopped;
}

void TfrmCreate::BtnCancelClick() {
  if (ScanState != kScanRunning) return;
  if (Say("您确定要终止正在进行的快照索引，\r并删除本次索引的所有数据吗？", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
      IDYES)
    return;
  ScanState = kScanCancelled;
  BtnStop.SetEnabled(false);
  BtnCancel.SetEnabled(false);
}

void TfrmCreate::WndProc(ui::Message& m) {
  if (m.msg == WM_TRAYNOTIFY) {
    WMTrayNotify(m.lParam);
    return;
  }
  Form::WndProc(m);
}

}  // namespace create
