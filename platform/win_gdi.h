// Owners of GDI and USER handles: each type frees its handle exactly once,
// on destruction or reset, and moves but never copies. Window code and the
// skin engine's Win32 painting hold every bitmap, brush, pen, font, region,
// icon, cursor and device context through these, so that no early return or
// exception leaks one. Header-only: the users link gdi32 and user32.
//
// The owners also count the handles they hold, by kind, because Wine does not
// count GDI and USER objects per process (GetGuiResources returns 0 there):
// tests compare these counts around a piece of work to see that it frees
// what it makes.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <utility>

namespace gdi {

enum class Kind { kGdi, kUser };

inline std::atomic<long> live_gdi{0};
inline std::atomic<long> live_user{0};

// Handles held by owners now, GDI objects (bitmaps, brushes, pens, fonts,
// regions, device contexts) and USER objects (icons, cursors).
inline long LiveGdiObjects() { return live_gdi.load(); }
inline long LiveUserObjects() { return live_user.load(); }

// The owner of one handle; `Free` is the matching release call.
template <class Handle, auto Free, Kind kind = Kind::kGdi>
class Owner {
 public:
  Owner() = default;
  explicit Owner(Handle h) : h_(h) { Count(+1); }
  Owner(Owner&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  Owner& operator=(Owner&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() { reset(); }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // Gives the handle up to the caller, who then frees it.
  Handle release() {
    Count(-1);
    return std::exchange(h_, nullptr);
  }
  // Frees the handle held (if any) and takes `h`.
  void reset(Handle h = nullptr) {
    if (h == h_) return;
    if (h_) {
      Free(h_);
      Count(-1);
    }
    h_ = h;
    Count(+1);
  }

 private:
  void Count(long delta) const {
    if (h_) (kind == Kind::kGdi ? live_gdi : live_user) += delta;
  }
  Handle h_ = nullptr;
};

// The release calls as our own functions: the address of a function the
// system DLLs export is not a constant a template can take in every build.
template <class Handle>
inline void DeleteGdiObject(Handle h) {
  DeleteObject(h);
}
inline void DestroyIconHandle(HICON h) { DestroyIcon(h); }
inline void UnhookHandle(HHOOK h) { UnhookWindowsHookEx(h); }
inline void DestroyCursorHandle(HCURSOR h) { DestroyCursor(h); }

using Bitmap = Owner<HBITMAP, DeleteGdiObject<HBITMAP>>;
using Brush = Owner<HBRUSH, DeleteGdiObject<HBRUSH>>;
using Pen = Owner<HPEN, DeleteGdiObject<HPEN>>;
using Font = Owner<HFONT, DeleteGdiObject<HFONT>>;
using Region = Owner<HRGN, DeleteGdiObject<HRGN>>;
using Icon = Owner<HICON, DestroyIconHandle, Kind::kUser>;
using Cursor = Owner<HCURSOR, DestroyCursorHandle, Kind::kUser>;
// A windows hook, removed on destruction.
using Hook = Owner<HHOOK, UnhookHandle, Kind::kUser>;

inline void DeleteDc(HDC dc) { DeleteDC(dc); }

// A device context that DeleteDC frees (a printer's, a memory one).
// Objects selected into it must be put back first (SelectGuard does that;
// declare the guard after the context, so that it is undone before).
using Dc = Owner<HDC, DeleteDc>;

// A memory device context: CreateCompatibleDC(like), deleted on destruction.
class MemoryDc : public Dc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC like) : Dc(CreateCompatibleDC(like)) {}
};

// The device context of a window's client area (null: the screen), or of
// the whole window with its frame, released on destruction.
class WindowDc {
 public:
  enum Area { kClient, kWholeWindow };
  explicit WindowDc(HWND window = nullptr, Area area = kClient)
      : window_(window), dc_(area == kClient ? GetDC(window) : GetWindowDC(window)) {
    if (dc_) ++live_gdi;
  }
  WindowDc(WindowDc&& o) noexcept : window_(o.window_), dc_(std::exchange(o.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& o) noexcept {
    if (this != &o) {
      Release();
      window_ = o.window_;
      dc_ = std::exchange(o.dc_, nullptr);
    }
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() { Release(); }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Release() {
    if (!dc_) return;
    ReleaseDC(window_, std::exchange(dc_, nullptr));
    --live_gdi;
  }
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint of one WM_PAINT. Neither copied nor moved: it lives in
// the handler's scope.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~PaintDc() { EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }
  bool erase() const { return ps_.fErase != FALSE; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back on
// destruction, so that the object can be freed after the guard ends. Not
// for regions: SelectObject copies a region (SelectClipRgn says it better).
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A bitmap being drawn: one compatible with the screen, selected into a
// memory device context. Take() ends the drawing and hands the bitmap over.
class BitmapCanvas {
 public:
  BitmapCanvas(int width, int height)
      : dc_(WindowDc().get()), bitmap_(CreateCompatibleBitmap(WindowDc().get(), width, height)) {
    select_.emplace(dc_.get(), bitmap_.get());
  }
  HDC dc() const { return dc_.get(); }
  Bitmap Take() {
    select_.reset();
    return std::move(bitmap_);
  }

 private:
  MemoryDc dc_;
  Bitmap bitmap_;
  std::optional<SelectGuard> select_;
};

}  // namespace gdi
