// Owner-drawn popup items in the skin's look: the MenuItem image behind
// each item (or the skin's colours without one), the glyph box with the
// item's picture or check mark, the caption and the shortcut text.
#include <algorithm>
#include <optional>

#include "skin/layout/menu_layout.h"
#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_skin_menu.h"
#include "skin/win/win_skin_popup.h"
#include "ui/gdi.h"
#include "ui/menus.h"
#include "ui/wide.h"

namespace skin {

namespace {

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

COLORREF Colour(TColor c) { return win32::ResolveColour(c); }

// The system's check mark, drawn black on white, recoloured and laid onto
// `box` through a see-through key.
void DrawCheckMark(HDC dc, RECT box, COLORREF colour) {
  const int w = std::min<int>(GetSystemMetrics(SM_CXMENUCHECK), box.right - box.left);
  const int h = std::min<int>(GetSystemMetrics(SM_CYMENUCHECK), box.bottom - box.top);
  if (w <= 0 || h <= 0) return;
  gdi::BitmapCanvas mark(w, h);
  RECT r{0, 0, w, h};
  FillRect(mark.dc(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawFrameControl(mark.dc(), &r, DFC_MENU, DFCS_MENUCHECK);
  Bitmap pixels = win32::CaptureFromDC(mark.dc(), r);
  const uint32_t ink = Rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x) {
      uint32_t p = pixels.At(x, y);
      pixels.Set(x, y, RedOf(p) + GreenOf(p) + BlueOf(p) < 384 ? ink : kMagenta);
    }
  const int left = box.left + (box.right - box.left - w) / 2, top = box.top + (box.bottom - box.top - h) / 2;
  win32::TransparentBlitToDC(dc, {left, top, left + w, top + h}, pixels);
}

// Behind a checked item's picture: a dither of button face and highlight.
void FillChecked(HDC dc, RECT box, const SkinColours& c) {
  const COLORREF face = Colour(c.buttonFace), light = Colour(c.buttonHilight);
  auto pixel = [](COLORREF v) { return Rgb(GetRValue(v), GetGValue(v), GetBValue(v)); };
  Bitmap pattern(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.Set(x, y, (x + y) % 2 ? pixel(light) : pixel(face));
  gdi::Bitmap dib = win32::CreateDibFrom(pattern);
  gdi::Brush dither(CreatePatternBrush(dib.get()));
  FillRect(dc, &box, dither.get());
  DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
}

UINT AlignmentFlags(const ui::MenuItem& item) {
  ui::Menu* menu = item.RootMenu();
  ui::MenuAlignment a = menu ? menu->Alignment : ui::MenuAlignment::Left;
  if (menu && menu->RightToLeft && a != ui::MenuAlignment::Center)
    a = a == ui::MenuAlignment::Left ? ui::MenuAlignment::Right : ui::MenuAlignment::Left;
  switch (a) {
    case ui::MenuAlignment::Right: return DT_RIGHT;
    case ui::MenuAlignment::Center: return DT_CENTER;
    default: return DT_LEFT;
  }
}

// The glyph box, the caption and the shortcut text, or the etched line of
// a separator, inside `r`.
void DrawContent(const SkinModel& m, ui::MenuItem& item, HDC dc, RECT r, const ui::MenuItemState& state) {
  const SkinColours& c = m.colours;
  const MenuItemLayout layout = LayOutMenuItem(win32::ToRect(r));
  if (item.IsLine()) {
    RECT line{r.left, layout.etchedLineY, r.right, layout.etchedLineY + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  RECT box = ToRECT(layout.glyphBox);
  ui::Menu* menu = item.RootMenu();
  HIMAGELIST images = menu ? menu->Images : nullptr;
  if (images && item.ImageIndex >= 0 && item.ImageIndex < ImageList_GetImageCount(images)) {
    if (state.checked) FillChecked(dc, box, c);
    ImageList_Draw(images, item.ImageIndex, dc, box.left, box.top, ILD_TRANSPARENT);
  } else if (state.checked) {
    DrawCheckMark(dc, box, Colour(c.buttonText));
  }

  COLORREF text = Colour(state.selected ? c.hilightText : c.menuText);
  if (state.disabled)
    text = c.buttonShadow == c.menuText ? GetSysColor(COLOR_BTNSHADOW) : Colour(c.buttonShadow);
  SetTextColor(dc, text);
  SetBkMode(dc, TRANSPARENT);
  gdi::Font bold;
  std::optional<gdi::SelectGuard> selectBold;
  if (state.isDefault) {
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    bold.reset(CreateFontIndirectW(&lf));
    selectBold.emplace(dc, bold.get());
  }
  std::wstring caption = ui::Wide(item.Caption());
  if (caption.empty() || caption == L"&") caption = L" ";
  const UINT flags = DT_SINGLELINE | DT_EXPANDTABS | AlignmentFlags(item);
  RECT measured = ToRECT(layout.captionArea);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, flags | DT_CALCRECT);
  RECT place = ToRECT(CentreCaption(layout, measured.bottom - measured.top));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &place, flags);
  if (!item.ShortCutText().empty()) {
    std::wstring key = ui::Wide(item.ShortCutText());
    RECT keyRect{place.left, place.top, layout.shortcutRight, place.bottom};
    DrawTextW(dc, key.c_str(), static_cast<int>(key.size()), &keyRect, DT_SINGLELINE | DT_RIGHT);
  }
}

}  // namespace

void MeasureSkinMenuItem(ui::MenuItem& item, HDC dc, int& width, int& height) {
  Size measured{0, 8};
  if (!item.IsLine()) {
    std::wstring text = ui::Wide(item.Caption());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    int w = r.right;
    if (!item.ShortCutText().empty()) {
      std::wstring key = ui::Wide(item.ShortCutText());
      RECT k{0, 0, 0, 0};
      DrawTextW(dc, key.c_str(), static_cast<int>(key.size()), &k, DT_CALCRECT | DT_SINGLELINE);
      w += k.right + 20;  // room between caption and key, and before the right edge
    }
    measured = {w + 16, std::max<int>(r.bottom + 4, 18)};  // the glyph box and its margins
  }
  const Size s = MeasurePopupItem(measured, item.IsLine(), false);
  width = s.width;
  height = s.height;
}

void DrawSkinMenuItem(const TSkinData& data, ui::MenuItem& item, HDC dc, const RECT& rect,
                      const ui::MenuItemState& state) {
  const SkinModel& m = data.Model();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const TDataSkinObject* e = m.menuItem.get();
  // The first item drawn tells the popup window's handler which menu it shows.
  TWinSkinPopMenu* popup = item.Parent() ? TWinSkinPopMenu::ForMenu(item.Parent()->Handle()) : nullptr;
  if (!e || e->image.Empty()) {
    gdi::Brush back(CreateSolidBrush(Colour(state.selected && !item.IsLine() ? m.colours.hilight : m.colours.buttonFace)));
    FillRect(dc, &rect, back.get());
    DrawContent(m, item, dc, rect, state);
    return;
  }
  gdi::MemoryDc mem(dc);
  gdi::Bitmap canvas(CreateCompatibleBitmap(dc, w, h));
  if (!mem || !canvas) return;
  gdi::SelectGuard select(mem.get(), canvas.get());
  gdi::SelectGuard font(mem.get(), GetCurrentObject(dc, OBJ_FONT));
  const RECT local{0, 0, w, h};
  if (!popup || !popup->CopyBackground(mem.get(), local, rect)) {
    gdi::Brush back(CreateSolidBrush(Colour(m.colours.menu)));
    FillRect(mem.get(), &local, back.get());
  }
  if (item.IsLine()) {
    const int fw = e->image.Width() / 5;
    const Rect src = SeparatorSource({fw, 0, 2 * fw, e->image.Height()}, h);
    const Bitmap part = e->image.Crop(src);
    const int top = (h - src.Height()) / 2;
    win32::DrawThreeSlice(mem.get(), {0, top, w, top + src.Height()}, part, false, true, 1, 1, e->leftWidth,
                          e->rightWidth);
  } else {
    win32::DrawNineSlice(mem.get(), local, e->image, false, e->trans != 0, 5, state.selected ? 4 : 1,
                         {e->leftWidth, e->topHeight, e->rightWidth, e->bottomHeight}, e->tile != 0);
    DrawContent(m, item, mem.get(), local, state);
  }
  BitBlt(dc, rect.left, rect.top, w, h, mem.get(), 0, 0, SRCCOPY);
}

void SkinMenuItem(ui::MenuItem& item, const TSkinData& data) {
  const TSkinData* d = &data;
  item.OnMeasureItem = MeasureSkinMenuItem;
  // A failed drawing stops there: no error box from inside a paint.
  item.OnDrawItem = [d](ui::MenuItem& i, HDC dc, const RECT& r, const ui::MenuItemState& s) {
    SkinGuarded([&] { DrawSkinMenuItem(*d, i, dc, r, s); });
  };
}

void UnskinMenuItem(ui::MenuItem& item) {
  item.OnMeasureItem = nullptr;
  item.OnDrawItem = nullptr;
}

}  // namespace skin
