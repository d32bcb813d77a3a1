#include "skin/win/win_img_dc.h"

#include <climits>
#include <cstring>

namespace skin::win32 {
namespace {

BITMAPINFO TopDownInfo(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// A monochrome bitmap, set (white) where `bitmap` has the key colour.
gdi::Bitmap CreateMask(const Bitmap& bitmap, uint32_t key) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const int stride = (w + 15) / 16 * 2;  // monochrome rows are word-aligned
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (bitmap.At(x, y) == key) bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  return gdi::Bitmap(CreateBitmap(w, h, 1, 1, bits.data()));
}

void Present(HDC dc, RECT dst, const Bitmap& composed, bool transparent) {
  if (transparent)
    TransparentBlitToDC(dc, dst, composed);
  else
    CopyToDC(dc, dst.left, dst.top, composed);
}

}  // namespace

gdi::Bitmap CreateDibFrom(const Bitmap& bitmap) {
  BITMAPINFO bi = TopDownInfo(bitmap.Width(), bitmap.Height());
  void* bits = nullptr;
  gdi::Bitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dib && bits) std::memcpy(bits, bitmap.Pixels().data(), bitmap.Pixels().size() * 4);
  return dib;
}

Bitmap CaptureFromDC(HDC dc, RECT r) {
  Bitmap out(r.right - r.left, r.bottom - r.top);
  if (out.Empty()) return out;
  BITMAPINFO bi = TopDownInfo(out.Width(), out.Height());
  void* bits = nullptr;
  gdi::Bitmap dib(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return out;
  gdi::MemoryDc mem(dc);
  gdi::SelectGuard selectDib(mem.get(), dib.get());
  BitBlt(mem.get(), 0, 0, out.Width(), out.Height(), dc, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Set(x, y, px[static_cast<size_t>(y) * out.Width() + x] & 0xFFFFFF);
  return out;
}

void CopyToDC(HDC dc, int x, int y, const Bitmap& bitmap) {
  if (bitmap.Empty()) return;
  BITMAPINFO bi = TopDownInfo(bitmap.Width(), bitmap.Height());
  SetDIBitsToDevice(dc, x, y, bitmap.Width(), bitmap.Height(), 0, 0, 0, bitmap.Height(), bitmap.Pixels().data(),
                    &bi, DIB_RGB_COLORS);
}

void TransparentBlitToDC(HDC dc, RECT dst, const Bitmap& bitmap, uint32_t key) {
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  if (bitmap.Empty() || w <= 0 || h <= 0) return;
  Bitmap sized(w, h);
  StretchCopy(sized, {0, 0, w, h}, bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
  gdi::Bitmap dib = CreateDibFrom(sized);
  gdi::Bitmap mask = CreateMask(sized, key);
  if (!dib || !mask) return;
  gdi::MemoryDc mem(dc);
  gdi::SelectGuard selectDib(mem.get(), dib.get());
  // Where the mask is set the destination stays; elsewhere the source is copied.
  MaskBlt(dc, dst.left, dst.top, w, h, mem.get(), 0, 0, mask.get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

void DrawNineSlice(HDC dc, RECT dst, const Bitmap& image, bool vertical, bool transparent, int frameCount,
                   int frameIndex, Slices s, bool tile) {
  if (dst.right <= dst.left || dst.bottom <= dst.top) return;
  Present(dc, dst, NineSliceToBitmap(ToRect(dst), image, s, vertical, tile, frameCount, frameIndex), transparent);
}

void DrawNineSliceBorder(HDC dc, RECT dst, const Bitmap& image, bool vertical, int frameCount, int frameIndex,
                         Slices s) {
  if (image.Empty() || dst.right <= dst.left || dst.bottom <= dst.top) return;
  Rect frame = LocateFrame(image, frameCount, frameIndex, vertical);
  for (const Piece& p : NineSlicePieces(dst.right - dst.left, dst.bottom - dst.top, frame, s, false, false)) {
    Bitmap piece(p.dst.Width(), p.dst.Height());
    if (piece.Empty()) continue;
    StretchCopy(piece, {0, 0, piece.Width(), piece.Height()}, image, p.src);
    CopyToDC(dc, dst.left + p.dst.left, dst.top + p.dst.top, piece);
  }
}

void DrawThreeSlice(HDC dc, RECT dst, const Bitmap& image, bool vertical, bool transparent, int frameCount,
                    int frameIndex, int leftCap, int rightCap) {
  if (dst.right <= dst.left || dst.bottom <= dst.top) return;
  Present(dc, dst, ThreeSliceToBitmap(ToRect(dst), image, vertical, frameCount, frameIndex, leftCap, rightCap),
          transparent);
}

void DrawFrame(HDC dc, RECT dst, const Bitmap& image, bool transparent, int frameCount, int frameIndex) {
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  if (image.Empty() || w <= 0 || h <= 0) return;
  Bitmap composed(w, h);
  StretchCopy(composed, {0, 0, w, h}, image, LocateFrame(image, frameCount, frameIndex, false));
  Present(dc, dst, composed, transparent);
}

void Tile(HDC dc, RECT dst, const Bitmap& image, Rect src) {
  if (src.Empty() || dst.right <= dst.left || dst.bottom <= dst.top) return;
  Bitmap piece(src.Width(), src.Height());
  StretchCopy(piece, {0, 0, piece.Width(), piece.Height()}, image, src);
  for (int y = dst.top; y < dst.bottom; y += piece.Height())
    for (int x = dst.left; x < dst.right; x += piece.Width()) CopyToDC(dc, x, y, piece);
}

gdi::Region RegionFromRects(const std::vector<Rect>& rects) {
  constexpr size_t kBatch = 2000;
  gdi::Region result;
  for (size_t start = 0; start < rects.size(); start += kBatch) {
    size_t count = std::min(kBatch, rects.size() - start);
    std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < count; ++i) {
      const Rect& r = rects[start + i];
      out[i] = {r.left, r.top, r.right, r.bottom};
      bounds.left = std::min(bounds.left, static_cast<LONG>(r.left));
      bounds.top = std::min(bounds.top, static_cast<LONG>(r.top));
      bounds.right = std::max(bounds.right, static_cast<LONG>(r.right));
      bounds.bottom = std::max(bounds.bottom, static_cast<LONG>(r.bottom));
    }
    data->rdh.rcBound = bounds;
    gdi::Region batch(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
    if (!batch) continue;
    if (!result)
      result = std::move(batch);
    else
      CombineRgn(result.get(), result.get(), batch.get(), RGN_OR);
  }
  return result;
}

gdi::Region RegionFromBitmap(const Bitmap& bitmap, int xOffset, int yOffset, int blueTolerance, int greenTolerance,
                      int redTolerance, uint32_t key) {
  return RegionFromRects(
      skin::RegionFromBitmap(bitmap, xOffset, yOffset, blueTolerance, greenTolerance, redTolerance, key));
}

COLORREF ResolveColour(TColor colour) {
  if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
  return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

}  // namespace skin::win32
