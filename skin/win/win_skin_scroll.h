// Skinners of scrolling controls, list views, their column headers and
// status bars. The scroll-bar skinner paints over the bars the system draws
// in the control's non-client area and may drag the thumb itself; the list
// view skinner adds a header skinner whenever the list shows its header.
#pragma once

#include <memory>
#include <vector>

#include "skin/layout/scroll_layout.h"
#include "skin/win/win_skin_control.h"

namespace skin {

// A skinner that switches the visual style off for its window while
// attached: a theme would repaint its parts over the skin. Only when the
// application is themed; under Wine by default nothing changes. Detaching
// has the window drawn anew in its own look.
class TSkinThemed : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinThemed() override;
  void AttachControl(ui::Control& control, bool recolour) override;
  void AttachWindow(HWND window) override;
  void Detach() override;

 private:
  bool themeOff_ = false;
};

class TSkinScrollBar : public TSkinThemed {
 public:
  // ownTracking: a press on the thumb is dragged by the skinner (memos,
  // tree views, rich edits); off where the control drags it (list views).
  TSkinScrollBar(TWinSkinForm& frame, bool ownTracking);
  ~TSkinScrollBar() override;

  void AttachControl(ui::Control& control, bool recolour) override;
  void AttachWindow(HWND window) override;
  void Detach() override;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint() override;
  void Draw(HDC dc, RECT r) override;

  bool OwnTracking() const { return ownTracking_; }
  bool Tracking() const { return tracking_; }
  // Where the bars lie now, in window coordinates (origin: the window's
  // top-left corner); nothing visible when no bar shows.
  ScrollBarPlacement Placement() const;
  // A bar laid out at its real size on screen, the thumb where it is now.
  ScrollBarGeometry Geometry(bool horizontal) const;

 protected:
  // Whether a screen point lies over one of the bars shown.
  bool OverBar(POINT screen, bool* horizontal = nullptr) const;

 private:
  void FrameChanged();
  ScrollInfo Info(bool horizontal) const;
  ScrollMetrics Metrics() const;
  // The position the thumb shows: the dragged one while a drag runs.
  int ShownPosition(bool horizontal, const ScrollInfo& info) const;
  void DrawBar(HDC dc, Rect bar, bool horizontal);
  // Runs the thumb drag that a press at `screen` starts; false when the
  // press is not on a thumb, so that the control handles it.
  bool TrackThumb(POINT screen);

  bool ownTracking_;
  ScrollPart pressed_ = ScrollPart::kNone;
  bool pressedHorizontal_ = false;
  int scrollingBar_ = -1;  // SB_HORZ or SB_VERT while its scroll request runs
  bool tracking_ = false;
  bool trackHorizontal_ = false;
  bool captureLost_ = false;
  int trackPosition_ = 0;
  // Shared with a running drag, which outlives the skinner when the frame
  // frees it meanwhile.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A scrolling control's variant: the toolkit's reflected scroll
// notifications go on to the control and are followed by a repaint.
class TSkinScControl : public TSkinScrollBar {
 public:
  explicit TSkinScControl(TWinSkinForm& frame) : TSkinScrollBar(frame, false) {}
  void AfterMessage(ui::Message& m) override;
};

// The column header of a skinned list view (a bare window): every item as
// a Headerbar nine-slice with its text aligned as the item says.
class TSkinHeader : public TSkinThemed {
 public:
  using TSkinThemed::TSkinThemed;
  bool BeforeMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;

  // Left edge of each item's text at the last drawing, header coordinates.
  const std::vector<int>& TextLefts() const { return textLefts_; }

 private:
  std::vector<int> textLefts_;
};

// A list view: its bars as TSkinScrollBar without own tracking, and a
// header skinner on its header window whenever it has one; the header may
// come later, when the list switches to the details view.
class TSkinListView : public TSkinScrollBar {
 public:
  explicit TSkinListView(TWinSkinForm& frame) : TSkinScrollBar(frame, false) {}
  ~TSkinListView() override;
  void AttachControl(ui::Control& control, bool recolour) override;
  void AttachWindow(HWND window) override;
  void Detach() override;
  void AfterMessage(ui::Message& m) override;

  TSkinHeader* Header() const { return header_.get(); }

 private:
  // Attaches the header skinner when the list has a header window that is
  // not skinned yet.
  void WatchHeader();
  std::unique_ptr<TSkinHeader> header_;
};

// Status bars: every panel drawn from StatusBarEdges by its bevel (the
// panel's SBT_ type bits), or the one simple panel.
class TSkinStatusBar : public TSkinThemed {
 public:
  using TSkinThemed::TSkinThemed;
  bool BeforeMessage(ui::Message& m) override;
  void Draw(HDC dc, RECT r) override;

  // The StatusBarEdges frame of each panel at the last drawing.
  const std::vector<int>& PanelFrames() const { return panelFrames_; }

 private:
  std::vector<int> panelFrames_;
};

}  // namespace skin
