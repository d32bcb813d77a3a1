// TSkinControl: the base of the control skinners. A skinner attaches to one
// control of a skinned window, through the control's message hook (a
// form-layer control) or by subclassing (a bare window of a system dialog),
// sees every message before and after the control, and paints over what the
// control drew. The window's frame owns its skinners and frees them when it
// is restored; a skinner detaches by itself when its control goes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win_gdi.h"
#include "skin/model/skin_match.h"
#include "ui/messages.h"

namespace ui {
class Component;
class Control;
}  // namespace ui

namespace skin {

class TSkinData;
class TWinSkinForm;

class TSkinControl {
 public:
  enum StateBits { kHot = 1, kPressed = 2 };

  explicit TSkinControl(TWinSkinForm& frame);
  virtual ~TSkinControl();
  TSkinControl(const TSkinControl&) = delete;
  TSkinControl& operator=(const TSkinControl&) = delete;

  // recolour: the control takes the skin's button face until detached.
  // A window that has a skinner already gets no second one: the skinner
  // then stays unattached (Attached() false).
  virtual void AttachControl(ui::Control& control, bool recolour);
  virtual void AttachWindow(HWND window);
  // The skinner attached to the window, or null.
  static TSkinControl* SkinnerOf(HWND window);
  // Gives the control its hook or procedure (and colour) back; safe twice.
  virtual void Detach();
  // A new skin came: a recoloured control takes its button face.
  virtual void SkinChanged();

  // Whether the message goes on to the control's own handling; when it
  // does, AfterMessage runs once the control is done with it.
  virtual bool BeforeMessage(ui::Message& m);
  virtual void AfterMessage(ui::Message& m);
  // Draws over the whole window (the base: its window DC and Draw).
  virtual void Paint();
  virtual void Draw(HDC dc, RECT r);

  // Invalidates the window without erasing and paints it at once.
  void Repaint();
  // The mouse went elsewhere: the control hears its mouse-leave notice.
  void Leave();

  HWND Handle() const { return hwnd_; }
  ui::Control* Control() const { return control_; }
  bool Attached() const { return hookTaken_ || subclassed_; }
  int State() const { return state_; }
  bool Hot() const { return (state_ & kHot) != 0; }
  bool Pressed() const { return (state_ & kPressed) != 0; }

 protected:
  // Focus, enabled state and text as the window has them now.
  void Refresh();
  // Becomes the frame's hot skinner; the one that was hot leaves first.
  void BecomeHot();
  void StopBeingHot();
  const TSkinData& Data() const;
  COLORREF Colour(uint32_t skinColour) const;

  TWinSkinForm& frame_;
  HWND hwnd_ = nullptr;
  ui::Control* control_ = nullptr;
  std::wstring text_;
  bool focused_ = false;
  bool enabled_ = true;
  int state_ = 0;
  RECT rect_{};  // the window rectangle at the last paint, screen coordinates

 private:
  void Flow(ui::Message& m);
  static LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

  bool hookTaken_ = false;
  std::function<void(ui::Message&)> oldHook_;
  bool subclassed_ = false;
  bool recoloured_ = false;
  COLORREF oldColour_ = 0;
};

// Push buttons: the "Buttons" element's five frames (normal, pressed,
// disabled, hot or focused) with the caption centred.
class TSkinButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;

 protected:
  // The frame of the "Buttons" strip the state shows.
  int FrameIndex() const;
  COLORREF TextColour(int frame) const;
  // Face and element into `dc` (the bitmap of the button's size).
  void DrawFace(HDC dc, RECT r, int frame) const;
  void PostClick();
};

// The window's text as the system holds it.
std::wstring WindowText(HWND window);
// For skinners that draw the whole control: answers WM_PAINT by drawing
// the client area into the device context the message brings (or between
// BeginPaint and EndPaint), and WM_ERASEBKGND with 1. True when the
// message was one of these; it then does not reach the control.
bool TakePaintMessages(TSkinControl& skinner, ui::Message& m);
// Asks for WM_MOUSELEAVE: bare windows hear no mouse-leave notice of the
// form layer.
void TrackMouseLeave(HWND window);

// The skinner a row of the matching tables names, or null where none is
// built; `component` is the form's component, `window` a bare window.
std::unique_ptr<TSkinControl> MakeSkinner(SkinnerKind kind, TWinSkinForm& frame, ui::Component& component);
std::unique_ptr<TSkinControl> MakeBareSkinner(BareSkinnerKind kind, TWinSkinForm& frame, HWND window);

}  // namespace skin
