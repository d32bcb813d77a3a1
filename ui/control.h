// Control: a component with a window. Every control's messages pass through
// one bridge to its message hook `WindowProc` (a std::function that a
// skinner may replace, keeping the old one to pass messages on, and give
// back); the default hook is the control's own WndProc, which ends in the
// window class's procedure. Notifications the system sends to a parent
// about a child are reflected to the child as CN_ messages (messages.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/component.h"
#include "ui/font.h"
#include "ui/messages.h"

namespace ui {

class PopupMenu;

// A window property naming the control that a helper window's
// notifications belong to.
extern const wchar_t kNotifyTargetProp[];

enum Align { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  static ShiftState Now();
};

using KeyEvent = std::function<void(WORD& key, ShiftState shift)>;
using MessageHook = std::function<void(Message&)>;

class Control : public Component {
 public:
  // parent: the control it sits on (a form, a panel ...); nullptr for forms.
  Control(Control* parent, Form* owner);
  ~Control() override;

  HWND Handle() const { return hwnd_; }
  Control* Parent() const { return parent_; }
  // The form the control belongs to (itself for a form).
  Form* ParentForm() const;
  const std::vector<Control*>& Controls() const { return children_; }
  // The control whose window this is, or nullptr.
  static Control* FromHandle(HWND hwnd);
  // The control of the window or of its nearest parent window that has one.
  static Control* FromHandleOrParent(HWND hwnd);

  // Geometry, relative to the parent's client area.
  void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetWidth(int w) { SetBounds(Left(), Top(), w, Height()); }
  void SetHeight(int h) { SetBounds(Left(), Top(), Width(), h); }
  int ClientWidth() const;
  int ClientHeight() const;
  Align GetAlign() const { return align_; }
  void SetAlign(Align a);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // The control's own visibility (a control on a hidden form is Visible).
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool on);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and all its parents visible and enabled: it could take focus.
  bool CanFocus() const;
  void SetFocus();
  bool Focused() const;

  virtual std::string Text() const;
  virtual void SetText(std::string_view text);
  std::string Caption() const { return Text(); }
  void SetCaption(std::string_view text) { SetText(text); }

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  // The hint that applies at this moment (a toolbar answers its hot button's).
  virtual std::string CurrentHint() const { return hint_; }

  const ui::Font& GetFont() const { return font_; }
  void SetFont(const ui::Font& font);
  void SetFontColor(COLORREF c);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF c);
  // A cursor shown over the control (IDC_HAND ...); nullptr: the class's own.
  void SetCursor(LPCWSTR cursorId) { cursor_ = cursorId; }

  // The context menu shown on a right click.
  PopupMenu* popupMenu = nullptr;

  // Tab position among the parent's controls; 0 is first.
  void SetTabOrder(int position);

  // Message hook and message handling.
  MessageHook WindowProc;
  virtual void WndProc(Message& m);
  // The window class's own procedure (or DefWindowProc).
  void DefaultHandler(Message& m);
  // Sends a message through the control's message hook.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Lays out the aligned children within the client area.
  virtual void Realign();
  void Invalidate();

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;
  std::function<void()> OnResize;

  // Called by the message loop before a key reaches the window.
  virtual void DoKeyDown(WORD& key, ShiftState shift);
  virtual void DoKeyUp(WORD& key, ShiftState shift);
  // Programmatic click: fires OnClick.
  virtual void Click();

 protected:
  // Creates the window of a system class (subclassed) or of a class of ours
  // registered with the bridge (ownClass).
  void CreateWnd(const wchar_t* windowClass, DWORD style, DWORD exStyle, int width, int height,
                 bool ownClass = false);
  static LRESULT CALLBACK Bridge(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Registers a window class of ours whose procedure is the bridge.
  static void RegisterOwnClass(const wchar_t* name, UINT style = CS_DBLCLKS,
                               HCURSOR cursor = nullptr);
  // Preferred size for the alignment (bars report their own height).
  virtual int AlignHeight() const { return Height(); }
  virtual int AlignWidth() const { return Width(); }
  // Handles WM_CTLCOLOR* reflected from the parent.
  virtual LRESULT CtlColor(HDC dc);
  void ReparentChild(Control* child);
  // Sends CM_DESTROYING unless it went already (the most derived destructor
  // that can sends it, so that the object is whole when hooks see it).
  void AnnounceDestroying();
  // For windows of our own classes: WM_ERASEBKGND filled with the colour,
  // and button releases turned into OnClick and OnDblClick. True when the
  // message was one of these.
  bool EraseWith(Message& m, COLORREF colour);
  bool ClickMessages(Message& m);

  HWND hwnd_ = nullptr;
  Control* parent_;
  std::vector<Control*> children_;
  Align align_ = alNone;
  bool enabled_ = true;
  bool visible_ = true;
  bool mouseInside_ = false;
  bool realigning_ = false;
  std::string hint_;
  ui::Font font_;
  COLORREF color_;
  LPCWSTR cursor_ = nullptr;

 private:
  void Reflect(Message& m, HWND child);
  WNDPROC oldProc_ = nullptr;
  bool destroyingAnnounced_ = false;
};

}  // namespace ui
