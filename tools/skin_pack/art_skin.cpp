#include "tools/skin_pack/art_skin.h"

#include "skin/archive/bmp_codec.h"
#include "tools/skin_pack/art_controls.h"
#include "tools/skin_pack/art_frame.h"

namespace art {

std::vector<skin::ArchiveEntry> DrawSkinImages(const Style& s) {
  std::vector<std::pair<const char*, Bitmap>> images;
  FrameImages frame = DrawFrameImages(s);
  images.emplace_back("top.bmp", frame.top);
  images.emplace_back("bottom.bmp", frame.bottom);
  images.emplace_back("left.bmp", frame.left);
  images.emplace_back("right.bmp", frame.right);
  if (s.ribbon) images.emplace_back("textback.bmp", DrawTextBack(s));
  images.emplace_back("close.bmp", DrawCaptionButton(s, Glyph::kClose));
  images.emplace_back("max.bmp", DrawCaptionButton(s, Glyph::kMaximize));
  images.emplace_back("restore.bmp", DrawCaptionButton(s, Glyph::kRestore));
  images.emplace_back("min.bmp", DrawCaptionButton(s, Glyph::kMinimize));
  images.emplace_back("mdi.bmp", DrawMdiControls(s));
  images.emplace_back("button.bmp", DrawPushButton(s));
  images.emplace_back("check.bmp", DrawCheckBox(s));
  images.emplace_back("radio.bmp", DrawRadioButton(s));
  images.emplace_back("menubar.bmp", DrawMenuBar(s));
  images.emplace_back("menuitem.bmp", DrawMenuItem(s));
  images.emplace_back("menuback.bmp", DrawMenuBackground(s));
  images.emplace_back("arrows.bmp", DrawScrollArrows(s));
  images.emplace_back("hshaft.bmp", DrawScrollShaft(s, false));
  images.emplace_back("vshaft.bmp", DrawScrollShaft(s, true));
  images.emplace_back("hthumb.bmp", DrawScrollThumb(s, false));
  images.emplace_back("vthumb.bmp", DrawScrollThumb(s, true));
  images.emplace_back("header.bmp", DrawHeader(s));
  images.emplace_back("status.bmp", DrawStatusEdges(s));
  images.emplace_back("progress.bmp", DrawProgress(s));
  images.emplace_back("tabs.bmp", DrawTabs(s));
  images.emplace_back("tabborder.bmp", DrawTabBorder(s));
  images.emplace_back("combo.bmp", DrawComboButton(s));
  images.emplace_back("comboarrow.bmp", DrawComboArrow(s));
  images.emplace_back("sunken.bmp", DrawSunkenEdge(s));
  images.emplace_back("updownh.bmp", DrawUpDown(s, false));
  images.emplace_back("updownv.bmp", DrawUpDown(s, true));
  images.emplace_back("glyphh.bmp", DrawUpDownGlyphs(s, false));
  images.emplace_back("glyphv.bmp", DrawUpDownGlyphs(s, true));
  images.emplace_back("groupbox.bmp", DrawGroupBox(s));
  images.emplace_back("toolbar.bmp", DrawToolbarButton(s));
  std::vector<skin::ArchiveEntry> entries;
  for (auto& [name, bitmap] : images) entries.push_back({name, skin::EncodeBmp24(bitmap)});
  return entries;
}

}  // namespace art
