#include "skin/win/win_skin_popup.h"

#include <vector>

#include "skin/layout/menu_layout.h"
#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_subclass.h"

namespace skin {

namespace {

// The handlers alive, oldest first.
std::vector<TWinSkinPopMenu*>& Handlers() {
  static std::vector<TWinSkinPopMenu*> list;
  return list;
}

const TDataSkinObject* Background(const TSkinData& data) {
  const TDataSkinObject* e = data.Model().menuBackground.get();
  return e && !e->image.Empty() ? e : nullptr;
}

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(HWND window, TSkinData& data) : hwnd_(window), data_(data) {
  Handlers().push_back(this);
  // Without the skin's background image the window keeps its own look.
  // The common controls' subclassing leaves the chain whole at restore,
  // whatever subclassed the window after the handler.
  if (Background(data_))
    subclassed_ = win32::AddSubclass(hwnd_, SubclassProc, this);
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
  Restore();
  auto& list = Handlers();
  std::erase(list, this);
}

void TWinSkinPopMenu::Restore() {
  if (!subclassed_) return;
  win32::RemoveSubclass(hwnd_, SubclassProc);
  subclassed_ = false;
}

TWinSkinPopMenu* TWinSkinPopMenu::Find(HWND window) {
  for (TWinSkinPopMenu* h : Handlers())
    if (h->hwnd_ == window) return h;
  return nullptr;
}

TWinSkinPopMenu* TWinSkinPopMenu::ForMenu(HMENU menu) {
  if (!menu) return nullptr;
  auto& list = Handlers();
  for (TWinSkinPopMenu* h : list)
    if (h->menu_ == menu) return h;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (!(*it)->menu_) {
      (*it)->menu_ = menu;
      return *it;
    }
  }
  return nullptr;
}

POINT TWinSkinPopMenu::ClientOrigin() const {
  POINT p{0, 0};
  ClientToScreen(hwnd_, &p);
  RECT w{};
  GetWindowRect(hwnd_, &w);
  return {p.x - w.left, p.y - w.top};
}

bool TWinSkinPopMenu::Render() {
  const TDataSkinObject* e = Background(data_);
  if (!e) return false;
  RECT w{};
  GetWindowRect(hwnd_, &w);
  const SIZE s{w.right - w.left, w.bottom - w.top};
  if (s.cx <= 0 || s.cy <= 0) return false;
  if (background_ && s.cx == size_.cx && s.cy == size_.cy) return true;
  gdi::BitmapCanvas canvas(s.cx, s.cy);
  win32::DrawNineSlice(canvas.dc(), {0, 0, s.cx, s.cy}, e->image, false, false, 1, 1,
                       {e->leftWidth, e->topHeight, e->rightWidth, e->bottomHeight}, e->tile != 0);
  background_ = canvas.Take();
  size_ = s;
  return static_cast<bool>(background_);
}

void TWinSkinPopMenu::PaintBorder(HDC dc) {
  gdi::MemoryDc mem(dc);
  gdi::SelectGuard select(mem.get(), background_.get());
  const int w = size_.cx, h = size_.cy, b = kPopupBorder;
  BitBlt(dc, 0, 0, w, b, mem.get(), 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - b, w, b, mem.get(), 0, h - b, SRCCOPY);
  BitBlt(dc, 0, b, b, h - 2 * b, mem.get(), 0, b, SRCCOPY);
  BitBlt(dc, w - b, b, b, h - 2 * b, mem.get(), w - b, b, SRCCOPY);
}

bool TWinSkinPopMenu::CopyBackground(HDC dc, RECT dst, RECT item) const {
  if (!background_) return false;
  const POINT origin = ClientOrigin();
  gdi::MemoryDc mem(dc);
  gdi::SelectGuard select(mem.get(), background_.get());
  return BitBlt(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, mem.get(), item.left + origin.x,
                item.top + origin.y, SRCCOPY) != FALSE;
}

LRESULT TWinSkinPopMenu::CallOld(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCPAINT: {
      if (!Render()) return CallOld(msg, wParam, lParam);
      gdi::WindowDc dc(hwnd_, gdi::WindowDc::kWholeWindow);
      if (dc) PaintBorder(dc.get());
      return 0;
    }
    case WM_PAINT: {
      // Where the system paints the border inside the window (Wine), the
      // skin's border goes over it afterwards.
      Render();
      LRESULT result = CallOld(msg, wParam, lParam);
      if (background_) {
        gdi::WindowDc dc(hwnd_, gdi::WindowDc::kWholeWindow);
        if (dc) PaintBorder(dc.get());
      }
      return result;
    }
    case WM_PRINTCLIENT: {
      if (!Render()) return CallOld(msg, wParam, lParam);
      HDC dc = reinterpret_cast<HDC>(wParam);
      {
        gdi::MemoryDc mem(dc);
        gdi::SelectGuard select(mem.get(), background_.get());
        BitBlt(dc, 0, 0, size_.cx, size_.cy, mem.get(), 0, 0, SRCCOPY);
      }
      const Rect clip = PopupItemsClip({size_.cx, size_.cy});
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
      LRESULT result = CallOld(msg, wParam, lParam);
      RestoreDC(dc, saved);
      return result;
    }
    case WM_DESTROY:
      // The subclass may go while it runs: the call still reaches the rest.
      Restore();
      return DefSubclassProc(hwnd_, msg, wParam, lParam);
    default:
      return CallOld(msg, wParam, lParam);
  }
}

LRESULT CALLBACK TWinSkinPopMenu::SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self) {
  auto* handler = reinterpret_cast<TWinSkinPopMenu*>(self);
  LRESULT result = 0;
  if (SkinGuarded([&] { result = handler->Message(msg, wParam, lParam); })) return result;
  // A failed paint of the skin's border (no error box from a paint): the
  // window paints its own.
  return DefSubclassProc(h, msg, wParam, lParam);
}

}  // namespace skin
