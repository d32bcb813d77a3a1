// The basic controls: push buttons (plain and with a picture), check box,
// edit and memo (with an insertion filter), label, group box, panel, image.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/control.h"
#include "ui/gdi.h"

namespace ui {

// The form a control placed on parent belongs to.
Form* OwnerOf(Control* parent);

class Button : public Control {
 public:
  explicit Button(Control* parent, std::string_view caption = "");
  // The Enter button of the form (drawn with the default frame).
  bool Default() const { return default_; }
  void SetDefault(bool on);
  // The Esc button of the form.
  bool Cancel = false;
  // Clicking sets the form's modal result to this (mrNone: no effect).
  int ModalResult = 0;
  void Click() override;
  void WndProc(Message& m) override;

 protected:
  Button(Control* parent, std::string_view caption, DWORD style);
  bool default_ = false;
};

enum ButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A push button with a picture beside its caption. The picture's
// bottom-left pixel is its transparent colour; with NumGlyphs 2 the second
// frame is shown while disabled.
class BitBtn : public Button {
 public:
  explicit BitBtn(Control* parent, std::string_view caption = "");
  void SetGlyph(gdi::Bitmap bitmap, int numGlyphs = 1);
  HBITMAP Glyph() const { return glyph_.get(); }
  int NumGlyphs() const { return numGlyphs_; }
  ButtonLayout Layout = blGlyphLeft;
  int Margin = -1;
  int Spacing = 4;
  void WndProc(Message& m) override;

 private:
  void Draw(const DRAWITEMSTRUCT& d);
  gdi::Bitmap glyph_;
  int numGlyphs_ = 1;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(Control* parent, std::string_view caption = "");
  bool Checked() const;
  void SetChecked(bool on);
  void WndProc(Message& m) override;
};

enum CharCase { ecNormal, ecUpperCase, ecLowerCase };

// Decides what an insertion into an edit becomes: given the text as it is
// without the selection and the text to insert (typed, pasted or dropped),
// returns the text to insert (empty: refused).
using InsertFilter = std::function<std::string(std::string_view current, std::string_view inserted)>;

class Edit : public Control {
 public:
  explicit Edit(Control* parent);
  // Maximum length in characters; 0 for none.
  void SetMaxLength(int chars);
  void SetCharCase(CharCase c);
  void SetReadOnly(bool on);
  void SelectAll();
  // Typed characters first go through OnKeyPress (set the key to 0 to
  // discard it), then every insertion through the filter.
  std::function<void(wchar_t& key)> OnKeyPress;
  InsertFilter Filter;
  std::function<void()> OnChange;
  // Inserts text at the caret as if pasted (through the filter).
  void InsertText(std::string_view text);
  void WndProc(Message& m) override;

 protected:
  Edit(Control* parent, DWORD style, bool memo);
  // Applies the char case and the filter; returns the text to insert.
  std::string Filtered(std::string_view inserted);
  std::string TextWithoutSelection() const;
  CharCase charCase_ = ecNormal;
  wchar_t pendingHighSurrogate_ = 0;
};

class Memo : public Edit {
 public:
  explicit Memo(Control* parent);
  int LineCount() const;
  std::string Line(int index) const;
  void AddLine(std::string_view line);
  void Clear() { SetText(""); }
};

class Label : public Control {
 public:
  explicit Label(Control* parent, std::string_view caption = "");
  // Resizes the label to its text.
  void AutoSize();
  // The control its accelerator ("比较(&K)：") moves the focus to.
  Control* FocusControl = nullptr;
  void WndProc(Message& m) override;

 protected:
  LRESULT CtlColor(HDC dc) override;
};

class GroupBox : public Control {
 public:
  explicit GroupBox(Control* parent, std::string_view caption = "");
  void WndProc(Message& m) override;
};

enum Bevel { bvNone, bvLowered, bvRaised };
enum Alignment { taLeftJustify, taCenter, taRightJustify };

class Panel : public Control {
 public:
  explicit Panel(Control* parent, std::string_view caption = "");
  Bevel BevelOuter = bvRaised;
  Alignment CaptionAlignment = taCenter;
  void WndProc(Message& m) override;
};

// A picture: a bitmap drawn at the top-left (or centred, or stretched).
class Image : public Control {
 public:
  explicit Image(Control* parent);
  void SetPicture(gdi::Bitmap bitmap);
  HBITMAP Picture() const { return bitmap_.get(); }
  bool Center = false;
  bool Stretch = false;
  bool Transparent = false;  // the bottom-left pixel's colour is see-through
  void WndProc(Message& m) override;

 private:
  gdi::Bitmap bitmap_;
};

}  // namespace ui
