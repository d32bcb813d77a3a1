// TWinSkinForm: the skinned frame of one top-level window. It subclasses
// the window and draws the non-client area itself (borders, caption bar,
// caption text and buttons) from the skin's images, shapes the window where
// the borders are see-through, and gives everything back when restored.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_gdi.h"
#include "skin/layout/frame_layout.h"
#include "skin/model/skin_match.h"

namespace ui {
class Component;
class Form;
class Timer;
struct Message;
}  // namespace ui

namespace skin {

class TSkinControl;
class TSkinData;
class TSkinManage;
class TWinSkinForm;
class TWinSkinMenu;
struct TDataSkinSysButton;

// A hot element of the non-client area: a caption button or a menu-bar
// button. States: 1 normal, 2 pressed, 3 hot.
class TNCObject {
 public:
  explicit TNCObject(TWinSkinForm& frame) : frame_(frame) {}
  virtual ~TNCObject() = default;
  virtual void Press();
  virtual void Release();
  virtual void Enter();
  virtual void Leave();
  virtual void Draw() = 0;

  RECT rect{};  // window coordinates
  bool visible = true;
  int state = 1;

 protected:
  TWinSkinForm& frame_;
};

class TWinSysButton final : public TNCObject {
 public:
  TWinSysButton(TWinSkinForm& frame, const TDataSkinSysButton& data);
  void Draw() override;
  // Draws onto a device context whose origin is the window's top-left.
  void DrawTo(HDC dc, bool active);
  // A copy: the skin component may load new skin data without telling the
  // frame (a component that is not the main one, an owner still reading),
  // and a reference into its model would then point at freed memory.
  const TDataSkinSysButton data;
  int action() const;
  // The window icon stands in for an empty image of a window-menu button.
  bool usesIcon = false;
  int frameCount = 1;
};

// What the matching of a form's components gave, one entry per component
// that a row applied to.
struct ControlMatch {
  ui::Component* component = nullptr;  // a form's component ...
  HWND window = nullptr;                // ... or a bare window's child
  SkinnerKind kind = SkinnerKind::None;
  BareSkinnerKind bare = BareSkinnerKind::None;
};

class TWinSkinForm {
 public:
  static constexpr UINT kSetupMessage = 13571;   // finishes the set-up
  static constexpr UINT kRepaintMessage = 13570;  // paints the frame
  static constexpr UINT kReapplyColours = 13313;  // second pass of a new skin

  TWinSkinForm(TSkinManage& manager, HWND window, ui::Form* form, TSkinData& data);
  ~TWinSkinForm();
  TWinSkinForm(const TWinSkinForm&) = delete;
  TWinSkinForm& operator=(const TWinSkinForm&) = delete;

  // Subclasses the window and skins its parts. When a step fails, what was
  // done is undone before the failure goes on: the window is skinned whole
  // or stays plain.
  void Attach();
  // Gives the window back everything the frame took. `destroying`: the
  // window is going, so colours and size are left alone.
  void Restore();
  void MarkDestroying() { setupState_ = 4; }
  bool Destroying() const { return setupState_ == 4; }

  // A new skin: rebuild the buttons from it (first pass), then colours,
  // size and region (second pass).
  void TakeOverSkinData();
  void ReapplySkin();

  HWND Handle() const { return hwnd_; }
  ui::Form* Form() const { return form_; }
  TSkinData& Data() const { return data_; }
  int SetupState() const { return setupState_; }
  WindowState State() const { return state_; }
  bool IsActive() const { return active_; }
  const Thickness& Borders() const { return th_; }
  FrameKind Kind() const { return kind_; }
  FrameFacts Facts() const;
  const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return buttons_; }
  TNCObject* Hot() const { return hot_; }
  void SetHot(TNCObject* o) { hot_ = o; }
  const std::vector<ControlMatch>& Matches() const { return matches_; }
  const RECT& CaptionTextBox() const { return textBox_; }
  bool HasRegion() const { return regionSize_.cx > 0; }
  // The control skinners of the window, and the one under the mouse.
  const std::vector<std::unique_ptr<TSkinControl>>& Skinners() const { return skinners_; }
  TSkinControl* HotSkinner() const { return hotSkinner_; }
  void SetHotSkinner(TSkinControl* s) { hotSkinner_ = s; }
  // The skinned menu bar, when the window has a menu.
  TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
  int MenuBarHeight() const { return menuBarHeight_; }
  // Whether a submenu of the bar is open (the hover timer then rests).
  bool MenuOpen() const { return menuOpen_; }
  void SetMenuOpen(bool on) { menuOpen_ = on; }
  // Paints the whole frame now (the repaint message does the same). False
  // when the painting failed (the failure is swallowed; the caller may have
  // the system paint the plain frame instead).
  bool PaintFrame();
  // Carries out a caption button's action.
  void DoAction(int action);

 private:
  friend class TWinSysButton;
  static LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam);
  void FormHook(ui::Message& m);

  void AttachParts();
  void Layout();
  void Setup();
  void RefreshState();
  void SetCaptionStyleBits(bool on);
  void BuildRegion(bool force);
  SIZE WindowSize() const;
  POINT ToWindow(LPARAM screenPoint) const;
  TNCObject* ElementAt(POINT p) const;
  void PaintFrameTo(HDC dc);
  void PaintCaption(HDC dc, int width);
  // Places the caption text box (for `text`) and the caption buttons.
  void LayOutButtons(HDC dc, int width, const std::wstring& text);
  bool OnNcMouse(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void HoverTick();
  void MatchControls();
  void SkinPopupMenus(bool on);
  void GiveControlsBack();
  // Whether the component is still one of the form's (not freed meanwhile).
  bool StillOnForm(const ui::Component* c) const;

  TSkinManage& manager_;
  HWND hwnd_;
  ui::Form* form_;
  TSkinData& data_;

  bool subclassed_ = false;
  bool hookTaken_ = false;
  std::function<void(ui::Message&)> oldHook_;
  LONG_PTR style_ = 0, exStyle_ = 0;
  HMENU menu_ = nullptr;
  COLORREF formColour_ = 0;
  bool formRecoloured_ = false;

  Thickness th_;
  int menuBarHeight_ = 0;
  std::unique_ptr<TWinSkinMenu> menuBar_;
  bool menuOpen_ = false;
  FrameKind kind_ = kFrameSizing;
  WindowState state_ = kStateNormal;
  bool sysMenu_ = false, minBox_ = false, maxBox_ = false;
  bool active_ = false;
  int setupState_ = 0;
  bool setupReceived_ = false;
  gdi::Font captionFont_;
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  TNCObject* hot_ = nullptr;
  RECT textBox_{};   // the caption text's background, the caption's full height
  RECT textRect_{};  // the text inside it
  std::unique_ptr<ui::Timer> hoverTimer_;
  SIZE regionSize_{};
  bool reapplying_ = false;
  gdi::Brush faceBrush_;
  std::vector<std::unique_ptr<TSkinControl>> skinners_;
  TSkinControl* hotSkinner_ = nullptr;
  std::vector<ControlMatch> matches_;
  struct ToolBarLook {
    ui::Component* bar;
    bool flat, transparent;
    COLORREF colour;
  };
  std::vector<ToolBarLook> toolbars_;
  std::vector<ui::Component*> gripsOff_;
  std::vector<std::pair<ui::Component*, COLORREF>> recoloured_;
  std::vector<ui::Component*> ownerDrawn_;
};

}  // namespace skin
