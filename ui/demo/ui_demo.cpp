// A window laid out like the program's main window (menu band and a
// 13-button toolbar in a cool bar, left panel, splitter, report list,
// status bar), built only from the form layer, for looking at it.
#include <windows.h>

#include <string>

#include "ui/gdi.h"
#include "ui/ui.h"

namespace {

gdi::Bitmap SampleStrip(int size, int count) {
  // Coloured squares with a magenta (transparent) border, one per picture.
  gdi::BitmapCanvas canvas(size * count, size);
  HDC dc = canvas.dc();
  RECT all{0, 0, size * count, size};
  FillRect(dc, &all, ui::SolidBrush(RGB(255, 0, 255)));
  for (int i = 0; i < count; ++i) {
    RECT r{i * size + size / 6, size / 6, (i + 1) * size - size / 6, size - size / 6};
    FillRect(dc, &r, ui::SolidBrush(RGB(40 + 15 * i, 90 + 10 * i, 200 - 12 * i)));
  }
  return canvas.Take();
}

struct DemoMain : ui::Form {
  ui::MainMenu MainMenu1{this};
  ui::PopupMenu PMnuIcon{this};
  ui::ImageList ImageList1{this, 32, 32};
  ui::ImageList ImageList2{this, 16, 16};
  ui::CoolBar CoolBar1{this};
  ui::ToolBar ToolBar1{&CoolBar1};
  ui::ToolBar ToolBar2{&CoolBar1};
  ui::StatusBar StatusBar1{this};
  ui::Panel PnlLeft{this, ""};
  ui::Panel PnlTitle{&PnlLeft, "  Vorlune"};
  ui::Label Label1{&PnlLeft, "全部或部分文件名："};
  ui::Edit EdtSearch{&PnlLeft};
  ui::CheckBox ChkFolder{&PnlLeft, "搜索目录"};
  ui::BitBtn BtnSearch{&PnlLeft, "检索(&S)"};
  ui::Gauge Gauge1{&PnlLeft};
  ui::Splitter Splitter1{this, ui::alLeft};
  ui::ListView ListView1{this};

  DemoMain() : ui::Form("TfrmMain") {
    SetCaption(ui::App().Title);
    SetSize(796, 556);
    position = ui::poScreenCenter;
    ImageList1.AddMasked(SampleStrip(32, 13).get(), RGB(255, 0, 255));
    ImageList2.AddMasked(SampleStrip(16, 13).get(), RGB(255, 0, 255));

    PMnuIcon.AddEntries({{.caption = "大图标(&G)", .radio = true, .autoCheck = true},
                         {.caption = "小图标(&M)", .checked = true, .radio = true, .autoCheck = true},
                         {.caption = "列表(&L)", .radio = true, .autoCheck = true},
                         {.caption = "详细资料(&D)", .radio = true, .autoCheck = true}});
    MainMenu1.AddEntries({
        {.caption = " 文件(&F) ", .children = {{.caption = "退出(&X)", .onClick = [this] { Close(); }}}},
        {.caption = " 查看(&V) ",
         .children = {{.caption = "状态栏(&S)", .checked = true, .autoCheck = true},
                      {.caption = "工具栏(&T)", .checked = true, .autoCheck = true},
                      {.caption = "工具栏", .children = {{.caption = "大图标", .radio = true, .autoCheck = true},
                                                        {.caption = "小图标", .checked = true, .radio = true,
                                                         .autoCheck = true}}}}},
        {.caption = " 设置(&S) ", .children = {{.caption = "界面设置(&I)", .children = {{.caption = "传统Windows"}}}}},
        {.caption = " 维护(&M) ", .children = {{.caption = "数据整理(&D)"}}},
        {.caption = " 帮助(&H) ", .children = {{.caption = "使用帮助(&H)"}, {.caption = "关于...(&A)"}}},
    });

    CoolBar1.SetAlign(ui::alTop);
    ToolBar1.SetMenu(&MainMenu1);
    ToolBar2.SetImages(&ImageList2);
    struct B { const char* caption; const char* hint; ui::ToolButtonStyle style; };
    const B buttons[] = {{"创建快照", "创建快照", ui::tbsButton},  {"检索快照", "检索快照", ui::tbsCheck},
                         {nullptr, nullptr, ui::tbsSeparator},      {"显示", "图标、列表或详细资料显示", ui::tbsDropDown},
                         {"浏览所有", "浏览所有快照", ui::tbsButton}, {"树状浏览", "树状浏览", ui::tbsButton},
                         {"返回上层", "返回上层目录", ui::tbsButton}, {"删除快照", "删除快照", ui::tbsButton},
                         {"重命名...", "快照重命名", ui::tbsButton},  {"备注信息", "备注信息", ui::tbsButton},
                         {"导出...", "导出快照到文件", ui::tbsButton}, {"打印", "打印当前视图", ui::tbsButton},
                         {nullptr, nullptr, ui::tbsSeparator},      {" 帮 助 ", "查看帮助", ui::tbsButton}};
    int image = 0;
    for (const B& b : buttons) {
      if (b.style == ui::tbsSeparator) {
        ToolBar2.AddSeparator();
        continue;
      }
      ui::ToolButton* t = ToolBar2.AddButton(b.caption, b.hint, image++, b.style);
      if (b.style == ui::tbsDropDown) t->DropdownMenu = &PMnuIcon;
      if (b.style == ui::tbsCheck) t->SetDown(true);
    }
    CoolBar1.AddBand(&ToolBar1);
    CoolBar1.AddBand(&ToolBar2);

    StatusBar1.SetAlign(ui::alBottom);
    StatusBar1.AddPanel(200);
    StatusBar1.AddPanel(100);
    StatusBar1.SetPanelText(1, "浏览所有");
    ui::App().OnHint = [this] { StatusBar1.SetPanelText(0, ui::App().Hint()); };

    PnlLeft.SetWidth(185);
    PnlLeft.SetAlign(ui::alLeft);
    PnlLeft.BevelOuter = ui::bvNone;
    PnlTitle.SetHeight(22);
    PnlTitle.SetAlign(ui::alTop);
    PnlTitle.CaptionAlignment = ui::taLeftJustify;
    PnlTitle.SetColor(RGB(0, 0, 128));
    PnlTitle.SetFontColor(ui::clWhite);
    Label1.SetBounds(8, 32, 170, 16);
    Label1.SetFontColor(ui::clNavy);
    EdtSearch.SetBounds(8, 52, 168, 21);
    EdtSearch.SetColor(ui::clCream);
    EdtSearch.SetText("光盘");
    ChkFolder.SetBounds(8, 80, 168, 18);
    BtnSearch.SetBounds(8, 104, 96, 28);
    BtnSearch.SetHint("检索快照");
    BtnSearch.SetGlyph(SampleStrip(16, 1));
    Gauge1.SetBounds(8, 142, 168, 18);
    Gauge1.SetProgress(37);

    ListView1.SetAlign(ui::alClient);
    ListView1.SetViewStyle(ui::vsReport);
    ListView1.SetReadOnly(true);
    ListView1.SetSmallImages(&ImageList2);
    ListView1.AddColumn("存储设备", 50, true);
    ListView1.AddColumn("容量", 50, true);
    ListView1.AddColumn("备 注", 50, true);
    ListView1.AddItem("光盘1", 0, {"700M", "二〇〇三年的照片"});
    ListView1.AddItem("资料备份", 0, {"4480M", "工作文档和源程序..."});
    ListView1.AddItem("MP3合集", 0, {"650M", ""});
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  DemoMain* main = ui::App().CreateForm<DemoMain>();
  // UI_DEMO_STATE=large: 32-pixel pictures without captions and the view
  // menu dropped down, to look at the other toolbar state and the band.
  wchar_t state[16] = {};
  GetEnvironmentVariableW(L"UI_DEMO_STATE", state, 16);
  if (std::wstring(state) == L"large") {
    main->ToolBar2.SetShowCaptions(false);
    main->ToolBar2.SetImages(&main->ImageList1);
    static ui::Timer later(main, 1500);
    later.OnTimer = [main] {
      later.SetEnabled(false);
      main->ToolBar1.MenuBandChar(L'V');
    };
  }
  ui::App().Run();
  ui::App().DestroyForms();
  return 0;
}
