// ComboBoxEx (a drop-down list with a picture per item), Splitter (drags
// the width of the control it follows), Gauge (a progress bar drawn here:
// blue fill on white with its percentage centred).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/control.h"
#include "ui/gdi.h"

namespace ui {

class ImageList;

class ComboBoxEx : public Control {
 public:
  explicit ComboBoxEx(Control* parent);
  void SetImages(ImageList* images);
  int AddItem(std::string_view caption, int imageIndex = -1);
  void Clear();
  int ItemCount() const;
  std::string ItemText(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Number of items shown when dropped down.
  void SetDropDownCount(int n);
  // Selected item's text.
  std::string Text() const override;
  std::function<void()> OnChange;
  void WndProc(Message& m) override;

 private:
  int dropDownCount_ = 8;
};

class Splitter : public Control {
 public:
  // Aligned like the control it resizes (alLeft: drags that control's width).
  Splitter(Control* parent, Align align);
  int MinSize = 30;
  std::function<void()> OnMoved;
  void WndProc(Message& m) override;

 private:
  Control* Target() const;
  bool dragging_ = false;
  POINT start_{};
  int startSize_ = 0;
};

// A date with a box that says whether a date is given at all (unticked:
// no date, an open end).
class DatePicker : public Control {
 public:
  struct Date {
    int year, month, day;
  };
  explicit DatePicker(Control* parent);
  std::optional<Date> Value() const;
  void SetValue(std::optional<Date> date);
};

// A control that its owner paints: double-buffered (the picture is drawn
// into a bitmap first, so a resize never flickers), with the mouse's moves,
// clicks and double clicks in client coordinates. It takes the focus with
// Tab and a click, so that its keys reach OnKeyDown.
class PaintBox : public Control {
 public:
  explicit PaintBox(Control* parent);
  // Draws the whole client area into `dc` (a memory device context as
  // large as the area, the control's font selected).
  std::function<void(HDC dc, const RECT& area)> OnPaint;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void()> OnMouseLeave;
  std::function<void(int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseDblClick;
  // The picture as the control shows it, as large as its client area.
  gdi::Bitmap Picture();
  void WndProc(Message& m) override;

 private:
  void Draw(HDC target, const RECT& area);
  bool tracking_ = false;
};

class Gauge : public Control {
 public:
  explicit Gauge(Control* parent);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetRange(int minValue, int maxValue);
  int Progress() const { return progress_; }
  void SetProgress(int value);
  // Whole percent done, truncated.
  int PercentDone() const;
  // The text shown: PercentDone as "%d%%" (37 reads "37%").
  std::string PercentText() const;
  COLORREF ForeColor = RGB(0, 0, 255);
  COLORREF BackColor = RGB(255, 255, 255);
  void WndProc(Message& m) override;

 private:
  void Paint(HDC dc);
  int min_ = 0, max_ = 100, progress_ = 0;
};

}  // namespace ui
