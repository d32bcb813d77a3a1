// Bars: StatusBar with panels, ToolBar with picture buttons (check and
// drop-down buttons, separators, captions on or off, a menu band that shows
// a MainMenu as buttons dropping down its menus), CoolBar with bands.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

class ImageList;
class MainMenu;
class MenuItem;
class PopupMenu;
class ToolBar;

class StatusBar : public Control {
 public:
  explicit StatusBar(Control* parent);
  // Adds a panel of the width (the last panel reaches the right edge).
  int AddPanel(int width);
  int PanelCount() const { return static_cast<int>(widths_.size()); }
  void SetPanelText(int index, std::string_view text);
  std::string PanelText(int index) const;
  void SetPanelWidth(int index, int width);
  int PanelWidth(int index) const { return widths_[index]; }
  bool SizeGrip() const;
  void SetSizeGrip(bool on);
  void WndProc(Message& m) override;

 protected:
  int AlignHeight() const override;

 private:
  void ApplyParts();
  std::vector<int> widths_;
};

enum ToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };

class ToolButton {
 public:
  std::string Name;
  int Tag = 0;
  std::string Hint;
  std::function<void()> OnClick;
  // The menu a drop-down button shows (also on a click of its main part
  // when it has no OnClick).
  PopupMenu* DropdownMenu = nullptr;

  ToolButtonStyle Style() const { return style_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  int ImageIndex() const { return image_; }
  void SetImageIndex(int index);
  bool Down() const;
  void SetDown(bool on);
  bool Enabled() const;
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  unsigned Command() const { return command_; }
  ToolBar* Owner() const { return bar_; }
  // Screen rectangle of the button.
  RECT ScreenRect() const;
  void Click();

 private:
  friend class ToolBar;
  ToolBar* bar_ = nullptr;
  ToolButtonStyle style_ = tbsButton;
  std::string caption_;
  std::wstring wideCaption_;
  int image_ = -1;
  bool visible_ = true;
  bool down_ = false;
  bool enabled_ = true;
  unsigned command_ = 0;
  MenuItem* menuItem_ = nullptr;  // a menu band's top item
};

class ToolBar : public Control {
 public:
  explicit ToolBar(Control* parent);
  ~ToolBar() override;

  ToolButton* AddButton(std::string_view caption, std::string_view hint = "", int imageIndex = -1,
                        ToolButtonStyle style = tbsButton);
  ToolButton* AddSeparator();
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  ToolButton* Button(int index) const { return buttons_[index].get(); }
  ToolButton* ButtonByCommand(unsigned command) const;

  ImageList* Images() const { return images_; }
  void SetImages(ImageList* images);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool on);
  bool Flat() const;
  void SetFlat(bool on);
  // A transparent bar shows its parent through the gaps between buttons;
  // an opaque one fills them with its colour.
  bool Transparent() const;
  void SetTransparent(bool on);

  // Shows the menu's top-level items as buttons that drop down their menus.
  void SetMenu(MainMenu* menu);
  MainMenu* Menu() const { return menu_; }
  // Opens the top item whose accelerator is ch; true when there is one.
  bool MenuBandChar(wchar_t ch);
  // Opens the menu of a menu band button; returns when the menus close.
  void TrackMenu(int buttonIndex);

  // The size the buttons need.
  SIZE IdealSize() const;
  std::string CurrentHint() const override;
  void WndProc(Message& m) override;
  // Called when the bar's size needs change (captions, pictures).
  std::function<void()> OnSizeChanged;

 protected:
  int AlignHeight() const override { return IdealSize().cy; }
  int AlignWidth() const override { return IdealSize().cx; }

 private:
  friend class ToolButton;
  void Rebuild();
  void RebuildMenuBand();
  int IndexOf(const ToolButton* b) const;
  int HitTest(POINT client) const;
  static LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam);

  std::vector<std::unique_ptr<ToolButton>> buttons_;
  ImageList* images_ = nullptr;
  bool showCaptions_ = true;
  MainMenu* menu_ = nullptr;
  POINT lastMouse_{-1, -1};
  int trackingIndex_ = -1;
  int nextTrackIndex_ = -1;
};

// CoolBar: bands, each holding one control (a toolbar), one band a row.
class CoolBar : public Control {
 public:
  explicit CoolBar(Control* parent);
  // Adds a band holding the control, which must have this bar as parent.
  void AddBand(Control* child, bool newRow = true);
  int BandCount() const;
  // Re-measures the band children (after a toolbar changed its size).
  void UpdateBands();
  void WndProc(Message& m) override;

 protected:
  int AlignHeight() const override;

 private:
  std::vector<Control*> bands_;
};

}  // namespace ui
