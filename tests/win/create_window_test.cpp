// The create window under Wine, against real folders mapped as drive
// letters: the window as laid out, the label and memo rules, whole
// snapshots compared with what the folder holds, stop, cancel, Esc, close
// requests, log-off, the notification-area icon, the eject option and the
// door button.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/store_messages.h"
#include "catalog/statements.h"
#include "create/win_unit_create.h"
#include "platform/file_io.h"
#include "platform/ini.h"
#include "platform/text.h"
#include "tests/win/support/gui.h"
#include "tests/win/support/main_stand_in.h"
#include "tests/win/support/mapped_drive.h"
#include "tests/win/support/msgbox_answerer.h"
#include "tests/win/support/screenshots.h"
#include "ui/gdi.h"
#include "ui/ui.h"

using testsupport::MessageBoxAnswerer;
using testsupport::MessageBoxRecord;
using testsupport::MappedDrive;
using testsupport::RemoveTree;
using testsupport::TempFolder;

namespace {

std::wstring W(std::string_view s) { return ui::Wide(s); }

// The buttons and default button of a message box once it is fully built.
struct BoxButtons {
  UINT buttons = 0;
  int defaultButton = 0;
};

HWND FindBox(HWND owner) {
  struct Find {
    HWND owner, box = nullptr;
  } f{owner};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<Find*>(p);
        if (testsupport::IsMessageBox(h) && GetWindow(h, GW_OWNER) == f->owner && IsWindowVisible(h)) {
          f->box = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&f));
  return f.box;
}

// Plans the answer to the next box: the button is pressed from the message
// loop once the box has finished building itself (its buttons and default
// button are only then in place), and what the box offers is recorded.
void PlanAnswer(MessageBoxAnswerer& boxes, int button, BoxButtons* seen = nullptr) {
  boxes.Plan([button, seen](const MessageBoxRecord& r) {
    HWND owner = r.owner;
    ui::App().Post([owner, button, seen] {
      HWND box = FindBox(owner);
      if (!box) return;
      auto shown = [&](int id) {
        HWND b = GetDlgItem(box, id);
        return b && IsWindowVisible(b);
      };
      if (seen) {
        seen->buttons = shown(IDYES) && shown(IDNO) ? MB_YESNO : MB_OK;
        // The default button: drawn as the default, or holding the focus.
        for (int id : {IDOK, IDYES, IDNO}) {
          HWND b = GetDlgItem(box, id);
          if (b && ((GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON || GetFocus() == b))
            seen->defaultButton = id;
        }
      }
      SendMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    });
    return button;
  });
}

// The question box: its text, the question icon, Yes and No with No the
// default.
void ExpectQuestion(const MessageBoxRecord& r, const BoxButtons& b, const std::string& text) {
  EXPECT_EQ(r.text, text);
  EXPECT_EQ(r.icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(r.caption, "Vorlune");
  EXPECT_EQ(b.buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(b.defaultButton, IDNO);
}

struct Row {
  std::string path, name;
  int type;
  int64_t size;  // -1: not set
  bool operator<(const Row& o) const { return std::tie(path, name) < std::tie(o.path, o.name); }
  bool operator==(const Row& o) const = default;
};

// The main window as the create window sees it, the catalogue beside a
// temporary executable folder, and the create window.
class CreateWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempFolder(L"vorlune-create-");
    ui::App().SetExeFolder(ui::Narrow(folder_));
    catalog::CreateEmptyCatalog(ui::Narrow(folder_) + "Kestrova", catalog::kDatabasePassword);
    cn.SetConnectionString(catalog::BuildConnectionString(ui::Narrow(folder_)));
    cn.Open();
    main.SetBounds(40, 40, 640, 480);
    main.Show();
    MakeWindow();
  }
  void TearDown() override {
    form.reset();
    cn.Close();
    ui::App().SetExeFolder("");
    RemoveTree(folder_);
  }
  void MakeWindow() {
    main.onBrowseAll = [this] { ++browseAllCalls; };
    main.onStatus = [this](const std::string& s) {
      status = s;
      ++statusCalls;
      auto it = atVisit.find(statusCalls);
      if (it != atVisit.end()) it->second();
    };
    form = std::make_unique<create::TfrmCreate>(main);
    form->SendMciCommand = [this](const std::string& c) { mci.push_back(c); };
    // Messages after every entry, so that a posted click lands at a known place.
    form->MessageIntervalMs = 0;
  }
  // Shows the window (not modally), selects the drive and runs a snapshot.
  void Run(const MappedDrive& drive, const std::string& label, const std::string& memo = "") {
    form->Show();
    SelectDrive(drive.Root());
    form->EdtCDID.SetText(label);
    form->Memo1.SetText(memo);
    form->BtnCreate.Click();
  }
  void SelectDrive(const std::string& root) {
    for (int i = 0; i < form->ComboBoxEx1.ItemCount(); ++i)
      if (form->Drives.RootOf(form->ComboBoxEx1.ItemText(i)) == root) form->ComboBoxEx1.SetItemIndex(i);
    ASSERT_EQ(form->SelectedRoot(), root);
  }
  std::vector<Row> Rows() {
    std::vector<Row> out;
    catalog::Query q(&cn);
    q.Clear();
    q.Add("Select Name, Path, Type, Size from CDFile Order By rowid");
    for (q.Open(); !q.Eof(); q.Next())
      out.push_back({q.AsString("Path"), q.AsString("Name"), static_cast<int>(q.AsInteger("Type")),
                     q.IsNull("Size") ? -1 : q.AsInteger("Size")});
    return out;
  }
  int64_t Snapshots(const std::string& label) {
    catalog::Query q(&cn);
    return catalog::LabelTaken(q, label) ? 1 : 0;
  }

  std::wstring folder_;
  catalog::Connection cn;
  catalog::Query mainQuery{&cn};
  testsupport::MainStandIn main{cn, mainQuery};
  std::unique_ptr<create::TfrmCreate> form;
  MessageBoxAnswerer boxes;
  std::vector<std::string> mci;
  std::string status;
  int statusCalls = 0;
  int browseAllCalls = 0;
  // Actions run at the folder visit of that number (1: the root).
  std::map<int, std::function<void()>> atVisit;
};

// Checks the walk's order: each folder's rows together, its folders before
// its files, then the rows of its folders in the order they were recorded.
size_t CheckBlock(const std::vector<Row>& rows, size_t i, const std::string& path) {
  size_t start = i;
  bool files = false;
  std::vector<std::string> folders;
  for (; i < rows.size() && rows[i].path == path; ++i) {
    if (rows[i].type == 1) {
      EXPECT_FALSE(files) << "folder after a file in " << path;
      folders.push_back(rows[i].name);
    } else {
      files = true;
    }
  }
  EXPECT_GT(i, start) << path;
  for (const std::string& f : folders)
    if (i < rows.size() && rows[i].path == path + f + "\\") i = CheckBlock(rows, i, path + f + "\\");
  return i;
}

}  // namespace

TEST_F(CreateWindowTest, LaidOutWithItsTextsHintsAndInitialStates) {
  EXPECT_EQ(form->Caption(), "Vorlune - 创建快照");
  EXPECT_EQ(form->ClientWidth(), 553);
  EXPECT_EQ(form->ClientHeight(), 343);
  EXPECT_EQ(form->Label1.Caption(), "选择创建设快照的存储设备：        ");
  EXPECT_EQ(form->Label3.Caption(), "输入存储盘标签：");
  EXPECT_EQ(form->Label2.Caption(), "备注：");
  EXPECT_EQ(form->Label1.GetFont().color, ui::clNavy);
  EXPECT_EQ(form->EdtCDID.Color(), ui::clCream);
  EXPECT_TRUE(GetWindowLongW(form->EdtCDID.Handle(), GWL_STYLE) & ES_UPPERCASE);
  EXPECT_EQ(form->ChkEjectCD.Caption(), "创建快照后自动弹开光驱");
  EXPECT_EQ(form->ChkArchives.Caption(), "记录压缩包和光盘映像中的文件(&Z)");
  struct {
    ui::Control& c;
    const char* caption;
    const char* hint;
    bool enabled;
  } buttons[] = {{form->BtnCreate, "创建(&S)", "创建快照", true},
                 {form->BtnUpdate, "更新快照(&U)", "重新扫描此盘并更新它的快照", false},
                 {form->BtnCancel, "取消(&C)", "停止创建快照并删除已生成的资料", false},
                 {form->BtnStop, "停止(&N)", "停止创建快照", false},
                 {form->BtnBack, "后台执行(&B)", "隐藏到后台执行", false},
                 {form->BtnEjectCD, "弹开光驱(&R)", "弹开光驱", true},
                 {form->BtnExitCreate, "退出(&X)", "退出", true}};
  for (auto& b : buttons) {
    EXPECT_EQ(b.c.Caption(), b.caption);
    EXPECT_EQ(b.c.Hint(), b.hint);
    EXPECT_EQ(b.c.Enabled(), b.enabled) << b.caption;
  }
  EXPECT_EQ(form->ComboBoxEx1.Hint(), "选择创建设快照的存储设备");
  EXPECT_FALSE(form->Gauge1.Visible());
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->Timer1.Interval(), 300u);
  EXPECT_EQ(form->ImgLstDriver.Count(), 7);
  EXPECT_EQ(form->ImageList1.Count(), 3);
  EXPECT_EQ(form->ImageList1.Width(), 126);
  EXPECT_EQ(form->Image2.Width(), 125);
  EXPECT_NE(form->Image2.Picture(), nullptr);
  EXPECT_FALSE(form->ChkEjectCD.Checked());  // no settings file yet
  EXPECT_TRUE(form->ChkArchives.Checked());   // a new user lists archives

  // Tab order: label, drive list, the check boxes, the six buttons, memo.
  form->Show();
  std::vector<HWND> want = {form->EdtCDID.Handle(),    form->ComboBoxEx1.Handle(), form->ChkEjectCD.Handle(),
                            form->ChkArchives.Handle(), form->BtnCreate.Handle(),  form->BtnEjectCD.Handle(),  form->BtnExitCreate.Handle(),
                            form->Memo1.Handle()};
  HWND h = GetNextDlgTabItem(form->Handle(), nullptr, FALSE);
  for (HWND w : want) {
    EXPECT_TRUE(h == w || IsChild(w, h)) << "tab stop out of order";
    h = GetNextDlgTabItem(form->Handle(), h, FALSE);
  }
}

TEST_F(CreateWindowTest, DriveListFromDriveTypesWithTheMappedCdDriveSelected) {
  MappedDrive cd(DRIVE_CDROM);
  ASSERT_TRUE(cd.ok());
  form->Show();
  int n = form->ComboBoxEx1.ItemCount();
  ASSERT_GE(n, 3);  // C:, the mapped drive, Z:
  std::vector<std::string> roots;
  for (int i = 0; i < n; ++i) roots.push_back(form->Drives.RootOf(form->ComboBoxEx1.ItemText(i)));
  EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
  EXPECT_EQ(form->ComboBoxEx1.ItemText(0), "本地磁盘  C:\\");
  EXPECT_EQ(form->ComboBoxEx1.ItemIndex(), n - 1);  // the highest letter
  int cdIndex = static_cast<int>(std::find(roots.begin(), roots.end(), cd.Root()) - roots.begin());
  ASSERT_LT(cdIndex, n);
  EXPECT_EQ(form->ComboBoxEx1.ItemText(cdIndex), "光盘  " + cd.Root());
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_IMAGE;
  item.iItem = cdIndex;
  SendMessageW(form->ComboBoxEx1.Handle(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 5);

  // Shown again: the list is rebuilt and the fields are empty.
  form->EdtCDID.SetText("OLD");
  form->Memo1.SetText("old memo");
  form->Hide();
  {
    MappedDrive more(DRIVE_FIXED);
    form->Show();
    EXPECT_EQ(form->ComboBoxEx1.ItemCount(), n + 1);
  }
  EXPECT_EQ(form->EdtCDID.Text(), "");
  EXPECT_EQ(form->Memo1.Text(), "");
}

TEST_F(CreateWindowTest, LabelKeepsOutBracketsAndBackslashAndHoldsFortyBytes) {
  form->Show();
  HWND edit = form->EdtCDID.Handle();
  testsupport::PostChars(edit, L"a[b]\\c");
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(form->EdtCDID.Text(), "ABC");
  // Pasted text is cleaned too and cut where 40 bytes are reached.
  testsupport::SetClipboardText(L"x[y]z\\" + std::wstring(50, L'q'));
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(form->EdtCDID.Text(), "ABCXYZ" + std::string(34, 'Q'));
  form->EdtCDID.SetText("");
  testsupport::SetClipboardText(std::wstring(30, L'光'));
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(text::GbByteLength(form->EdtCDID.Text()), 40u);
  // Text that arrives by another way (a message) is held to the rules too.
  SetWindowTextW(edit, L"ab[c]\\d");
  EXPECT_EQ(form->EdtCDID.Text(), "ABCD");
  SetWindowTextW(edit, std::wstring(45, L'k').c_str());
  EXPECT_EQ(form->EdtCDID.Text(), std::string(40, 'K'));
  // The memo holds 200 bytes.
  testsupport::SetClipboardText(std::wstring(150, L'备'));
  SendMessageW(form->Memo1.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(text::GbByteLength(form->Memo1.Text()), 200u);
}

TEST_F(CreateWindowTest, BlankLabelDisablesCreateAndEnterMovesTheFocus) {
  form->Show();
  EXPECT_TRUE(form->BtnCreate.Enabled());  // at first, even with an empty label
  form->EdtCDID.SetText("   ");
  EXPECT_FALSE(form->BtnCreate.Enabled());
  form->EdtCDID.SetFocus();
  testsupport::PostKey(form->EdtCDID.Handle(), VK_RETURN);
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_TRUE(form->EdtCDID.Focused());
  form->EdtCDID.SetText(" DISK ");
  EXPECT_TRUE(form->BtnCreate.Enabled());
  testsupport::PostKey(form->EdtCDID.Handle(), VK_RETURN);
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_TRUE(form->BtnCreate.Focused());
  EXPECT_EQ(boxes.Count(), 0);  // Enter moved the focus and started nothing
}

TEST_F(CreateWindowTest, RefusesEmptyLabelEmptyDriveAndTakenLabel) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  boxes.Plan(IDOK);
  Run(drive, "");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, "请输入快照标签！");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Last().caption, "Vorlune");
  EXPECT_EQ(boxes.Last().owner, form->Handle());
  EXPECT_TRUE(form->EdtCDID.Focused());

  form->GetDiskSizeKB = [](const std::string&) { return int64_t(0); };
  boxes.Plan(IDOK);
  Run(drive, "DISK");
  EXPECT_EQ(boxes.Last().text, "驱动器为空，请将存储设备放入驱动器！");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONERROR));

  form->GetDiskSizeKB = [](const std::string&) { return int64_t(1); };
  catalog::Query q(&cn);
  catalog::AppendSnapshot(q, "BACKUP", 1, "");
  boxes.Plan(IDOK);
  Run(drive, "  backup  ");
  EXPECT_EQ(boxes.Last().text, "存储设备的同名标签已经存在，请选择其它标签命名！");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(form->EdtCDID.Text(), "  BACKUP  ");  // kept, with the focus
  EXPECT_TRUE(form->EdtCDID.Focused());
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(boxes.Unplanned(), 0);
}

TEST_F(CreateWindowTest, SnapshotRecordsEveryFolderAndFileOfTheDisk) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("照片");
  drive.Folder("照片\\2004");
  drive.File("照片\\2004\\海边.jpg", 1023);
  drive.File("照片\\O'Brien's 'quoted' & 50%.txt", 2047);
  drive.File("照片\\emoji😀 and 𠀀.txt", 7);  // outside GBK
  drive.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
  drive.File("Hidden\\inside.dat", 5);
  drive.Folder("Sys", FILE_ATTRIBUTE_SYSTEM);
  drive.File("Sys\\never.dat", 5);
  drive.File("hidden.txt", 10, FILE_ATTRIBUTE_HIDDEN);
  drive.File("system.sys", 11, FILE_ATTRIBUTE_SYSTEM);
  drive.File("big.iso", int64_t(5000000000));
  // A folder below the 260-character limit of plain paths.
  std::string deep;
  for (int i = 0; i < 14; ++i) {
    deep += (deep.empty() ? "" : "\\") + std::string("长路径的文件夹名字第") + std::to_string(i) + std::string(12, 'x');
    drive.Folder(deep);
  }
  drive.File(deep + "\\deepest.txt", 3);
  drive.Folder("empty");
  ASSERT_GT(W(drive.Root() + deep).size(), 300u);

  boxes.Plan(IDOK);
  Run(drive, " Disk1 ", "我的备注 ");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, "快照创建完成！建议您在该盘上贴上标签以便管理。\r标签：\t[ DISK1 ]");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(browseAllCalls, 1);
  EXPECT_EQ(status, "创建快照");

  std::vector<Row> rows = Rows();
  CheckBlock(rows, 0, "[DISK1]:\\");
  std::set<Row> got(rows.begin(), rows.end());
  std::set<Row> want = {
      {"[DISK1]:\\", "照片", 1, -1},
      {"[DISK1]:\\", "Hidden", 1, -1},
      {"[DISK1]:\\", "empty", 1, -1},
      {"[DISK1]:\\", "hidden.txt", 0, 10},
      {"[DISK1]:\\", "system.sys", 0, 11},
      {"[DISK1]:\\", "big.iso", 0, 5000000000},
      {"[DISK1]:\\照片\\", "2004", 1, -1},
      {"[DISK1]:\\照片\\", "O'Brien's 'quoted' & 50%.txt", 0, 2047},
      {"[DISK1]:\\照片\\", "emoji😀 and 𠀀.txt", 0, 7},
      {"[DISK1]:\\照片\\2004\\", "海边.jpg", 0, 1023},
      {"[DISK1]:\\Hidden\\", "inside.dat", 0, 5},
  };
  std::string path = "[DISK1]:\\";
  for (size_t start = 0, end; start < deep.size(); start = end + 1) {
    end = std::min(deep.find('\\', start), deep.size());
    want.insert({path, deep.substr(start, end - start), 1, -1});
    path += deep.substr(start, end - start) + "\\";
  }
  want.insert({path, "deepest.txt", 0, 3});
  EXPECT_EQ(got, want);
  EXPECT_EQ(got.size(), rows.size());

  catalog::Query q(&cn);
  catalog::OpenSnapshotRow(q, "DISK1");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsString("Memo1"), "我的备注 ");
  ULARGE_INTEGER a, total, f;
  GetDiskFreeSpaceExW(W(drive.Root()).c_str(), &a, &total, &f);
  EXPECT_EQ(q.AsInteger("TotalM"), static_cast<int64_t>(total.QuadPart / 1024 / 1024));
  q.Close();

  // Back to idle: gauge at 100 and hidden, label empty, Create enabled.
  EXPECT_EQ(form->Gauge1.Progress(), 100);
  EXPECT_FALSE(form->Gauge1.Visible());
  EXPECT_EQ(form->EdtCDID.Text(), "");
  EXPECT_TRUE(form->EdtCDID.Enabled());
  EXPECT_TRUE(form->BtnCreate.Enabled());
  EXPECT_TRUE(form->BtnExitCreate.Enabled());
  EXPECT_FALSE(form->BtnStop.Enabled());
  EXPECT_FALSE(form->BtnBack.Enabled());
  EXPECT_EQ(form->Memo1.Text(), "我的备注 ");
  EXPECT_EQ(form->ScanState, 0);
  EXPECT_EQ(form->ScannedKB, 0);
  EXPECT_TRUE(mci.empty());
}

TEST_F(CreateWindowTest, ControlsDuringTheRunAndTheCdDoor) {
  MappedDrive cd(DRIVE_CDROM);
  ASSERT_TRUE(cd.ok());
  cd.File("track.dat", 100);
  bool checked = false;
  atVisit[1] = [&] {
    checked = true;
    EXPECT_FALSE(form->EdtCDID.Enabled());
    EXPECT_FALSE(form->BtnCreate.Enabled());
    EXPECT_FALSE(form->BtnExitCreate.Enabled());
    EXPECT_FALSE(form->ComboBoxEx1.Enabled());
    EXPECT_TRUE(form->BtnCancel.Enabled());
    EXPECT_TRUE(form->BtnStop.Enabled());
    EXPECT_TRUE(form->BtnBack.Enabled());
    EXPECT_FALSE(form->BtnEjectCD.Enabled());  // a CD is being read
    EXPECT_TRUE(form->Gauge1.Visible());
    EXPECT_TRUE(form->Timer1.Enabled());
    EXPECT_EQ(form->ScanState, 1);
  };
  form->ChkEjectCD.SetChecked(true);
  boxes.Plan(IDOK);
  Run(cd, "CD1");
  EXPECT_TRUE(checked);
  // The eject option opens the door at the end and the button says so.
  EXPECT_EQ(mci, std::vector<std::string>{"Set cdaudio door open wait"});
  EXPECT_EQ(form->BtnEjectCD.Caption(), "关闭光驱(&R)");
  EXPECT_TRUE(form->BtnEjectCD.Enabled());
  // Two presses of the door button: close, then open again.
  mci.clear();
  form->BtnEjectCD.Click();
  EXPECT_EQ(form->BtnEjectCD.Caption(), "弹开光驱(&R)");
  form->BtnEjectCD.Click();
  EXPECT_EQ(form->BtnEjectCD.Caption(), "关闭光驱(&R)");
  EXPECT_EQ(mci, (std::vector<std::string>{"Set cdaudio door closed wait", "Set cdaudio door open wait"}));
}

TEST_F(CreateWindowTest, StopConfirmedAtTheRootKeepsTheRootsEntries) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("A");
  drive.File("A\\inside.txt", 1);
  drive.File("root.txt", 1);
  atVisit[1] = [&] { PostMessageW(form->BtnStop.Handle(), BM_CLICK, 0, 0); };
  BoxButtons question;
  PlanAnswer(boxes, IDYES, &question);
  boxes.Plan(IDOK);
  Run(drive, "STOPPED");
  ASSERT_EQ(boxes.Count(), 2);
  ExpectQuestion(boxes.Seen()[0], question, "您确定要终止正在进行的快照创建进程吗？");
  EXPECT_EQ(boxes.Last().text, "快照创建完成！建议您在该盘上贴上标签以便管理。\r标签：\t[ STOPPED ]");
  std::set<std::string> names;
  for (const Row& r : Rows()) {
    EXPECT_EQ(r.path, "[STOPPED]:\\");
    names.insert(r.name);
  }
  EXPECT_EQ(names, (std::set<std::string>{"A", "root.txt"}));
  EXPECT_FALSE(form->BtnStop.Enabled());
  EXPECT_EQ(browseAllCalls, 1);
  EXPECT_EQ(Snapshots("STOPPED"), 1);
}

TEST_F(CreateWindowTest, StopRefusedThenConfirmedInASubfolder) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("A");
  drive.Folder("A\\Deep");
  drive.File("A\\inside.txt", 1);
  drive.File("A\\Deep\\never.txt", 1);
  atVisit[1] = [&] { PostMessageW(form->BtnStop.Handle(), BM_CLICK, 0, 0); };
  atVisit[2] = [&] { PostMessageW(form->BtnStop.Handle(), BM_CLICK, 0, 0); };
  PlanAnswer(boxes, IDNO);
  PlanAnswer(boxes, IDYES);
  boxes.Plan(IDOK);
  Run(drive, "HALF");
  ASSERT_EQ(boxes.Count(), 3);
  std::set<std::string> names;
  for (const Row& r : Rows()) names.insert(r.name);
  // The visit that saw the stop finishes its folder; the one below it is not visited.
  EXPECT_EQ(names, (std::set<std::string>{"A", "Deep", "inside.txt"}));
}

TEST_F(CreateWindowTest, CancelByEscRemovesEverything) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("A");
  drive.File("A\\inside.txt", 1);
  drive.File("root.txt", 1);
  atVisit[1] = [&] { testsupport::PostKey(form->Handle(), VK_ESCAPE); };
  BoxButtons question;
  PlanAnswer(boxes, IDYES, &question);
  boxes.Plan(IDOK);
  Run(drive, "GONE");
  ASSERT_EQ(boxes.Count(), 2);
  ExpectQuestion(boxes.Seen()[0], question, "您确定要终止正在进行的快照索引，\r并删除本次索引的所有数据吗？");
  EXPECT_EQ(boxes.Last().text, "快照取消！该快照所有数据被删除！");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Snapshots("GONE"), 0);
  EXPECT_EQ(browseAllCalls, 0);
  EXPECT_EQ(form->ScanState, 0);
}

TEST_F(CreateWindowTest, CancelRefusedKeepsScanning) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("A");
  drive.File("A\\inside.txt", 1);
  atVisit[1] = [&] { PostMessageW(form->BtnCancel.Handle(), BM_CLICK, 0, 0); };
  PlanAnswer(boxes, IDNO);
  boxes.Plan(IDOK);
  Run(drive, "KEPT");
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_EQ(boxes.Last().text, "快照创建完成！建议您在该盘上贴上标签以便管理。\r标签：\t[ KEPT ]");
}

TEST_F(CreateWindowTest, CloseRequestWaitsForTheRunAndLogOffIsRefused) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("A");
  drive.File("A\\inside.txt", 1);
  LRESULT endSession = TRUE;
  atVisit[1] = [&] {
    endSession = SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0);
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  };
  boxes.Plan(IDOK);  // "正在创建快照料..."
  boxes.Plan(IDOK);  // the completion message
  ui::App().Post([&] {
    SelectDrive(drive.Root());
    form->EdtCDID.SetText("CLOSING");
    form->BtnCreate.Click();
  });
  EXPECT_EQ(form->ShowModal(), ui::mrCancel);
  EXPECT_EQ(endSession, FALSE);
  ASSERT_EQ(boxes.Count(), 2);
  EXPECT_EQ(boxes.Seen()[0].text, "正在创建快照料...");
  EXPECT_EQ(boxes.Seen()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Seen()[1].text, "快照创建完成！建议您在该盘上贴上标签以便管理。\r标签：\t[ CLOSING ]");
  EXPECT_EQ(Rows().size(), 2u);  // the whole disk, then the window closed
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(CreateWindowTest, BackgroundIconWithItsTipAndTheWayBack) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.File("a.txt", 1);
  bool hidden = false, iconShown = false;
  std::wstring tipAtStart, tipOnMove;
  atVisit[1] = [&] {
    form->BtnBack.Click();
    hidden = !IsWindowVisible(form->Handle()) && !IsWindowVisible(main.Handle());
    iconShown = form->TrayIconShown();
    const NOTIFYICONDATAW& d = form->TrayIconData;
    EXPECT_EQ(d.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
    EXPECT_EQ(d.hWnd, form->Handle());
    EXPECT_EQ(d.uID, 1001u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_EQ(d.uCallbackMessage, create::WM_TRAYNOTIFY);
    EXPECT_NE(d.hIcon, nullptr);
    tipAtStart = d.szTip;
    SendMessageW(form->Handle(), create::WM_TRAYNOTIFY, create::kTrayIconId, WM_MOUSEMOVE);
    tipOnMove = form->TrayIconData.szTip;
    SendMessageW(form->Handle(), create::WM_TRAYNOTIFY, create::kTrayIconId, WM_RBUTTONDOWN);  // nothing
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    SendMessageW(form->Handle(), create::WM_TRAYNOTIFY, create::kTrayIconId, WM_LBUTTONDOWN);
  };
  boxes.Plan(IDOK);
  Run(drive, "TRAY");
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(iconShown);
  EXPECT_EQ(tipAtStart, L"Vorlune");
  EXPECT_EQ(tipOnMove, L"Vorlune0%");
  EXPECT_FALSE(form->TrayIconShown());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(main.Handle()));
  EXPECT_FALSE(form->BtnBack.Enabled());
}

TEST_F(CreateWindowTest, CatalogueErrorMidWalkShowsItAndKeepsTheRowsSoFar) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.File("a.txt", 1);
  drive.File("refused.txt", 1);
  cn.Execute(
      "CREATE TEMP TRIGGER refuse BEFORE INSERT ON CDFile WHEN NEW.Name='refused.txt' "
      "BEGIN SELECT RAISE(ABORT, 'row refused'); END");
  boxes.Plan(IDOK);
  Run(drive, "BROKEN");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, "row refused.");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(form->ScanState, 0);
  EXPECT_TRUE(form->BtnCreate.Enabled());
  EXPECT_TRUE(form->EdtCDID.Enabled());
  EXPECT_FALSE(form->BtnStop.Enabled());
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(Snapshots("BROKEN"), 1);
  std::vector<Row> rows = Rows();
  EXPECT_LE(rows.size(), 1u);  // what came before the refused row
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(browseAllCalls, 1);
}

TEST_F(CreateWindowTest, AFailedCommitEndsTheRunWithItsMessageAndLeavesNoTransaction) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.File("a.txt", 1);
  drive.Folder("sub");
  drive.File("sub\\b.txt", 1);
  // With a rollback journal another program's read lock holds the commit
  // back; it starts reading once the root's rows are posted.
  cn.Execute("PRAGMA journal_mode=DELETE");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open_v2(cn.FileName().c_str(), &other, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* reading = nullptr;
  atVisit[2] = [&] {
    sqlite3_prepare_v2(other, "select * from CDName", -1, &reading, nullptr);
    sqlite3_step(reading);
  };
  boxes.Plan(IDOK);
  Run(drive, "LOCKED");
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, catalog::BusyMessage(cn.FileName()));
  EXPECT_EQ(form->ScanState, 0);
  EXPECT_TRUE(form->BtnCreate.Enabled());
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_FALSE(cn.InTransaction());
  sqlite3_finalize(reading);
  // The snapshot's row was committed before the walk; the group that could
  // not be committed is given up: what the window's connection shows is
  // what another program finds on disk.
  EXPECT_EQ(Snapshots("LOCKED"), 1);
  sqlite3_stmt* count = nullptr;
  sqlite3_prepare_v2(other, "select count(*) from CDFile", -1, &count, nullptr);
  ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
  EXPECT_EQ(static_cast<size_t>(sqlite3_column_int64(count, 0)), Rows().size());
  EXPECT_LT(Rows().size(), 3u);
  sqlite3_finalize(count);
  // A later change takes effect at once: another program sees it.
  catalog::Query q(&cn);
  catalog::UpdateMemo(q, "LOCKED", "later");
  sqlite3_stmt* memo = nullptr;
  sqlite3_prepare_v2(other, "select Memo1 from CDName where CDName='LOCKED'", -1, &memo, nullptr);
  ASSERT_EQ(sqlite3_step(memo), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(memo, 0)), "later");
  sqlite3_finalize(memo);
  sqlite3_close(other);
}

TEST_F(CreateWindowTest, EjectOptionKeptInTheSettingsFile) {
  form->ChkEjectCD.SetChecked(true);
  form->FormDestroy();
  ini::IniFile ini(ui::Narrow(folder_) + "Kestrova.ini");
  EXPECT_EQ(ini.ReadString("AutoCD", "AutoCD", ""), "1");
  MakeWindow();
  EXPECT_TRUE(form->ChkEjectCD.Checked());
  form->ChkEjectCD.SetChecked(false);
  form->FormDestroy();
  EXPECT_EQ(ini::IniFile(ui::Narrow(folder_) + "Kestrova.ini").ReadString("AutoCD", "AutoCD", ""), "0");
  fileio::WriteFileAtomic(ui::Narrow(folder_) + "Kestrova.ini", "[AutoCD]\r\nAutoCD=yes\r\n");
  MakeWindow();
  EXPECT_FALSE(form->ChkEjectCD.Checked());  // not a number: false
  // A settings file from before the archives option leaves it off; the
  // choice is kept from then on.
  EXPECT_FALSE(form->ChkArchives.Checked());
  form->ChkArchives.SetChecked(true);
  form->FormDestroy();
  EXPECT_EQ(ini::IniFile(ui::Narrow(folder_) + "Kestrova.ini").ReadString("Create", "Archives", ""), "1");
  MakeWindow();
  EXPECT_TRUE(form->ChkArchives.Checked());
}

// Pictures for the help pages and for a person to look at, taken by
// docs/help/take_pictures.sh: the window idle (create), during a scan, and
// the notification-area icon with its tip.
TEST_F(CreateWindowTest, DISABLED_Screenshots) {
  const std::string out = testsupport::ShotsFolder();
  if (out.empty()) GTEST_SKIP() << "VORLUNE_SHOTS not set";
  MappedDrive drive(DRIVE_CDROM);
  ASSERT_TRUE(drive.ok());
  for (int i = 0; i < 6; ++i) {
    drive.Folder("folder" + std::to_string(i));
    for (int j = 0; j < 30; ++j) drive.File("folder" + std::to_string(i) + "\\f" + std::to_string(j), 4096);
  }
  form->GetDiskSizeKB = [](const std::string&) { return int64_t(2000); };
  form->Show();
  SelectDrive(drive.Root());
  form->EdtCDID.SetText("光盘备份01");
  form->Memo1.SetText("2004 年的照片和文档");
  EXPECT_TRUE(testsupport::AwaitScreenshot(form->Handle(), out + "create"));
  atVisit[4] = [&] {
    EXPECT_TRUE(testsupport::AwaitScreenshot(form->Handle(), out + "create_scan"));
    form->BtnBack.Click();
    // The pointer comes to rest over the icon, at the right end of the
    // taskbar, until the tip shows.
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SetCursorPos(screen.right - 30, screen.bottom - 10);
    testsupport::PumpPosted();
    SetCursorPos(screen.right - 12, screen.bottom - 10);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
          for (HWND tip = FindWindowW(L"tooltips_class32", nullptr); tip;
               tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr))
            if (IsWindowVisible(tip)) return true;
          return false;
        },
        5000));
    EXPECT_TRUE(testsupport::AwaitScreenshot(screen, out + "create_tray"));
    SendMessageW(form->Handle(), create::WM_TRAYNOTIFY, create::kTrayIconId, WM_LBUTTONDOWN);
  };
  boxes.Plan(IDOK);
  form->BtnCreate.Click();
}

// A catalogued disk in the selected drive: named under the drive list,
// updated in place with the change counts, and asked about before a second
// snapshot; a disk without a serial number is never recognised.
TEST_F(CreateWindowTest, RecognisesACataloguedDiskAndUpdatesItsSnapshot) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("docs");
  drive.File("docs\\a.txt", 10);
  drive.File("docs\\b.txt", 20);
  catalog::VolumeIdentity volume{0x5EED1234, "PHOTOS", "FAT32", DRIVE_REMOVABLE, 1 << 30, 1 << 20};
  form->VolumeOf = [&](const std::string&) { return volume; };
  boxes.Plan(IDOK);
  Run(drive, "CD_1", "旅行照片");
  ASSERT_EQ(Snapshots("CD_1"), 1);
  form->RecogniseSelectedDisk();
  EXPECT_EQ(form->KnownLabel, "CD_1");
  EXPECT_EQ(form->LblKnown.Caption().rfind("此盘已编目为 CD_1，更新于 20", 0), 0u) << form->LblKnown.Caption();
  EXPECT_TRUE(form->BtnUpdate.Enabled());

  drive.File("docs\\new.jpg", 4096);
  drive.File("docs\\a.txt", 11);  // another size
  DeleteFileW((std::wstring(1, drive.Root()[0]) + L":\\docs\\b.txt").c_str());
  boxes.Plan(IDOK);
  form->BtnUpdate.Click();
  ASSERT_EQ(boxes.Count(), 2);
  // Changed: a.txt by its size, and docs by its time (its entries changed).
  EXPECT_EQ(boxes.Last().text, "快照 [ CD_1 ] 已更新：新增 1 项，删除 1 项，改变 2 项");
  EXPECT_EQ(Snapshots("CD_1"), 1);
  catalog::Query q(&cn);
  catalog::OpenSnapshotRow(q, "CD_1");
  EXPECT_EQ(q.AsString("Memo1"), "旅行照片");
  q.Close();
  std::vector<Row> rows = Rows();
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<Row>{{"[CD_1]:\\", "docs", 1, -1},
                                    {"[CD_1]:\\docs\\", "a.txt", 0, 11},
                                    {"[CD_1]:\\docs\\", "new.jpg", 0, 4096}}));

  // A second snapshot of the same disk is asked about; "no" makes none.
  boxes.Plan(IDNO);
  form->EdtCDID.SetText("CD_2");
  form->BtnCreate.Click();
  ASSERT_EQ(boxes.Count(), 3);
  EXPECT_EQ(boxes.Last().text.rfind("此盘已编目为 CD_1。", 0), 0u);
  EXPECT_EQ(Snapshots("CD_2"), 0);

  // Same label, no serial number: not this disk.
  volume.serial = 0;
  form->RecogniseSelectedDisk();
  EXPECT_EQ(form->KnownLabel, "");
  EXPECT_EQ(form->LblKnown.Caption(), "");
  EXPECT_FALSE(form->BtnUpdate.Enabled());
  EXPECT_EQ(boxes.Unplanned(), 0);
}

// Times and attributes as Windows reports them reach the catalogue exactly.
TEST_F(CreateWindowTest, RecordsEachEntrysTimeAndAttributes) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.File("old.txt", 1, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  drive.File("fat.txt", 2, FILE_ATTRIBUTE_HIDDEN);
  // 1960-01-01 00:00:00.1234567 UTC and an even second of 2040.
  const std::pair<const char*, int64_t> times[] = {{"old.txt", 113288544001234567}, {"fat.txt", 138534624000000000}};
  for (const auto& [name, ticks] : times) {
    const std::wstring path = std::wstring(1, drive.Root()[0]) + L":\\" + ui::Wide(name);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
    CloseHandle(h);
  }
  SetFileAttributesW((std::wstring(1, drive.Root()[0]) + L":\\old.txt").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesW((std::wstring(1, drive.Root()[0]) + L":\\fat.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  boxes.Plan(IDOK);
  Run(drive, "DATES");
  catalog::Query q(&cn);
  for (const auto& [name, ticks] : times) {
    catalog::OpenFileRow(q, "[DATES]:\\", name);
    ASSERT_FALSE(q.Eof()) << name;
    EXPECT_EQ(q.AsInteger("Modified"), ticks) << name;
  }
  catalog::OpenFileRow(q, "[DATES]:\\", "old.txt");
  EXPECT_EQ(q.AsInteger("Attr"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  catalog::OpenFileRow(q, "[DATES]:\\", "fat.txt");
  EXPECT_EQ(q.AsInteger("Attr") & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
  q.Close();
}

// 更新快照 from the keyboard: the next stop after 创建 on Tab, and Alt+U
// from anywhere in the window.
TEST_F(CreateWindowTest, UpdateButtonAnswersTabAndItsAccelerator) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.File("a.txt", 1);
  const catalog::VolumeIdentity volume{0x5EED4321, "KEYS", "FAT32", DRIVE_REMOVABLE, 1 << 30, 1 << 20};
  form->VolumeOf = [&](const std::string&) { return volume; };
  boxes.Plan(IDOK);
  Run(drive, "CD_K");
  ASSERT_TRUE(form->BtnUpdate.Enabled());

  form->BtnCreate.SetFocus();
  ASSERT_EQ(GetFocus(), form->BtnCreate.Handle());
  testsupport::PostKey(form->BtnCreate.Handle(), VK_TAB);
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(GetFocus(), form->BtnUpdate.Handle());

  form->EdtCDID.SetFocus();
  drive.File("b.txt", 2);
  boxes.Plan(IDOK);
  testsupport::PostKey(form->EdtCDID.Handle(), 'U', true);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return boxes.Count() == 2; }, 10000));
  EXPECT_EQ(boxes.Last().text, "快照 [ CD_K ] 已更新：新增 1 项，删除 0 项，改变 0 项");
  EXPECT_EQ(boxes.Unplanned(), 0);
}

// The line naming a catalogued disk shows whole: below the drive list as
// the system sizes it, above the label's caption.
TEST_F(CreateWindowTest, KnownDiskLineSitsBetweenTheDriveListAndTheLabelField) {
  form->Show();
  RECT list{}, known{}, below{};
  GetWindowRect(form->ComboBoxEx1.Handle(), &list);
  GetWindowRect(form->LblKnown.Handle(), &known);
  GetWindowRect(form->Label3.Handle(), &below);
  EXPECT_GE(known.top, list.bottom);
  EXPECT_LE(known.bottom, below.top);
}

// With the option, an archive on the disk is recorded with its members
// below it (listed by the Windows build's lister, through the drive's
// path); a damaged one stays a plain file. Without it, both are files.
TEST_F(CreateWindowTest, TheArchivesOptionRecordsWhatAnArchiveHolds) {
  MappedDrive drive;
  ASSERT_TRUE(drive.ok());
  drive.Folder("备份");
  const std::string archives = VORLUNE_TEST_ARCHIVES_DIR "/归档/";
  for (const char* name : {"tree.zip", "cut.tar.gz"})
    ASSERT_TRUE(CopyFileW(W(archives + name).c_str(), drive.Path(std::string("备份\\") + name).c_str(), FALSE)) << name;
  auto find = [&](const std::string& path, const std::string& name) {
    for (const Row& r : Rows())
      if (r.path == path && r.name == name) return r;
    return Row{"", "", -1, -1};
  };
  auto members = [&](const std::string& label, const std::string& name) {
    catalog::Query q(&cn);
    catalog::OpenFileRow(q, "[" + label + "]:\\备份\\", name);
    return q.Eof() || q.IsNull("Members") ? int64_t{0} : q.AsInteger("Members");
  };

  form->ChkArchives.SetChecked(true);
  boxes.Plan(IDOK);
  Run(drive, "WITH");
  EXPECT_EQ(find("[WITH]:\\备份\\tree.zip\\sub\\深\\", "照片.jpg").size, 2345);
  EXPECT_EQ(find("[WITH]:\\备份\\tree.zip\\", "sub").type, 1);
  EXPECT_GT(members("WITH", "tree.zip"), 10);
  EXPECT_EQ(members("WITH", "cut.tar.gz"), 0);
  EXPECT_EQ(find("[WITH]:\\备份\\", "cut.tar.gz").type, 0);

  form->ChkArchives.SetChecked(false);
  boxes.Plan(IDOK);
  Run(drive, "WITHOUT");
  EXPECT_EQ(members("WITHOUT", "tree.zip"), 0);
  for (const Row& r : Rows()) EXPECT_FALSE(r.path.starts_with("[WITHOUT]:\\备份\\tree.zip\\")) << r.path << r.name;
}
