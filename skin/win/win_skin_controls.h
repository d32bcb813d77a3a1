// The control skinners beyond push buttons: bitmap and speed buttons,
// check boxes and radio buttons, edits with their up-down controls, combo
// boxes, track bars, progress bars, panels and group boxes, tab controls,
// and the size grip of the old save dialog.
#pragma once

#include "skin/layout/control_layout.h"
#include "skin/win/win_skin_control.h"

namespace skin {

// The element as a nine-slice over `r`: its own frame count, edges, tile
// and trans values; nothing when it has no image.
void DrawElement(HDC dc, RECT r, const TDataSkinObject& element, int frame);
// Draws the skinner over the client area through the client's DC.
void PaintClientArea(TSkinControl& skinner);

// Bitmap buttons: the push-button face, then the glyph's first frame and
// the caption placed by the button's layout, margin and spacing.
class TSkinBitButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  void Draw(HDC dc, RECT r) override;
  // Where the last drawing put the glyph and the caption.
  const BitButtonLayout& LastLayout() const { return layout_; }

 private:
  BitButtonLayout layout_;
};

// Speed buttons have no window of their own in the toolkit: they are
// reached only through a control's message hook, drawn as push buttons.
class TSkinSpeedButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  void AttachWindow(HWND) override {}
};

// Check boxes: the control draws itself, then the skin's check glyph goes
// over the system's (frame 1 off, 2 on, 3 disabled).
class TSkinCheckBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AfterMessage(ui::Message& m) override;
  void Paint() override;
  void Draw(HDC dc, RECT r) override;
  // The glyph frame (from 1) the state shows, and its place in the client
  // area (empty without a glyph image).
  int GlyphFrame() const;
  RECT GlyphRect() const;

 protected:
  virtual const Bitmap& Glyphs() const;
  virtual int GlyphFrames() const;
};

class TSkinRadioButton : public TSkinCheckBox {
 public:
  using TSkinCheckBox::TSkinCheckBox;

 protected:
  const Bitmap& Glyphs() const override;
  int GlyphFrames() const override;
};

// Up-down controls, drawn whole from "UpDown.Vert" or "UpDown.Horz": two
// buttons of four states each, with their arrow glyphs.
class TSkinUpDown : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;
  // 0 the first (up or left) button, 1 the second, -1 none.
  int PressedPart() const { return pressedPart_; }
  int HotPart() const { return hotPart_; }
  // The element frame (from 1) of button `part` as drawn now.
  int PartFrame(int part) const;

 private:
  const TDataSkinBorder* Element() const;
  int PartAt(LPARAM clientPoint) const;
  int pressedPart_ = -1;
  int hotPart_ = -1;
};

// Edits: a one-pixel frame in the skin's button shadow over the system's
// border, the rest of that border in the edit's own background; an up-down
// control inside the edit gets its own skinner.
class TSkinEdit : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinEdit() override { TSkinEdit::Detach(); }
  void AttachControl(ui::Control& control, bool recolour) override;
  void AttachWindow(HWND window) override;
  void Detach() override;
  void AfterMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;
  TSkinUpDown* UpDown() const { return upDown_.get(); }

 private:
  void AttachUpDown();
  void RedrawBorder();
  std::unique_ptr<TSkinUpDown> upDown_;  // null when the up-down has a skinner of its own
  bool hasUpDown_ = false;
};

// Combo boxes: a sunken edge around, the skin's drop-down button with its
// arrow; hot while the mouse is over the box.
class TSkinComBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AfterMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;
  // Frames (from 1) of "ComboButton" and "SunkEdge" as drawn now.
  int ButtonFrame() const;
  int EdgeFrame() const;

 private:
  bool dropped_ = false;
};

// Track bars: no background of their own; the thumb is drawn by the skin
// through the control's custom drawing.
class TSkinTrackBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::Message& m) override;
  int ThumbsDrawn() const { return thumbsDrawn_; }

 private:
  void DrawThumb(HDC dc, RECT r);
  int thumbsDrawn_ = 0;
};

// Progress bars drawn whole from "Progress": the trough, then the bar.
class TSkinProgress : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;
  // The bar's part of the client area as drawn now.
  RECT BarRect(RECT client) const;
};

// Panels and group boxes paint themselves on the button face they are
// given at attaching; a group box's caption takes the skin's button text
// colour.
class TSkinBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinBox() override { TSkinBox::Detach(); }
  bool BeforeMessage(ui::Message& m) override;
  void Detach() override;

 private:
  bool fontRecoloured_ = false;
  COLORREF oldFontColour_ = 0;
};

// A radio group: a box whose radio buttons each get a radio skinner.
class TSkinRadioGroup : public TSkinBox {
 public:
  using TSkinBox::TSkinBox;
  ~TSkinRadioGroup() override { TSkinRadioGroup::Detach(); }
  void AttachControl(ui::Control& control, bool recolour) override;
  void Detach() override;

 private:
  std::vector<std::unique_ptr<TSkinControl>> radios_;
};

// Tab controls: the tabs from "Tabs" (normal, selected, hot, disabled,
// selected and hot) and the page border from its second image.
class TSkinTab : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AfterMessage(ui::Message& m) override;
  void Paint() override;
  void Draw(HDC dc, RECT r) override;
  // The "Tabs" frame (from 1) that tab `index` shows now.
  int TabFrame(int index) const;
  int HotTab() const { return hotTab_; }

 private:
  int hotTab_ = -1;
};

// The size grip of a bare dialog: it shows nothing of its own.
class TSkinSizer : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::Message& m) override;
};

}  // namespace skin
