// The highlight bar of the selected category and the advanced-search panel's background.
#include "tools/artwork/artwork.h"
#include "tools/artwork/layout.h"
#include "tools/artwork/palette.h"

namespace artwork {

namespace lay = layout;
namespace pal = palette;

void DrawHighlight(Picture& picture) {
  cairo_t* cr = picture.Cr();
  // The corners outside the rounded bar show the column's colour, as the slot below does.
  SetColor(cr, pal::kColumn);
  cairo_paint(cr);
  Rect bar{0, 0, double(picture.Width()), double(picture.Height())};
  FillGradient(cr, bar, 6, Hex(0xC9ECCB), Hex(0xA3D8A9));
  StrokeRounded(cr, bar, 6, Hex(0x5E9F69));
  Diamond(cr, 9, bar.CenterY(), 3, pal::kGold);
  Diamond(cr, bar.w - 9, bar.CenterY(), 3, pal::kGold);
}

void DrawPanel(Picture& picture) {
  cairo_t* cr = picture.Cr();
  SetColor(cr, pal::kForm);
  cairo_paint(cr);
  Rect whole{0, 0, double(picture.Width()), double(picture.Height())};
  Rect box{6, 4, whole.w - 12, whole.h - 10};
  FillRounded(cr, box, 10, pal::kColumn);
  StrokeRounded(cr, box, 10, pal::kLine);
  StrokeRounded(cr, box.Inflated(-3), 8, pal::kGold);
  Rect plate{26, 14, 203, 30};
  FillGradient(cr, plate, 6, pal::kPlateTop, pal::kPlateBottom);
  StrokeRounded(cr, plate, 6, pal::kDeepGreen);
  DrawText(cr, "جستجوی پیشرفته", {"Noto Naskh Arabic", 15, true, pal::kCream}, plate,
           Align::Center);
  Rect edit = lay::kPanelEdit.Inflated(3);
  FillRounded(cr, edit, 5, pal::kEdit);
  StrokeRounded(cr, edit, 5, pal::kLine);
  DrawText(cr, "عبارت", {"Noto Naskh Arabic", 13, true, pal::kDeepGreen},
           {edit.Right() + 2, edit.y, whole.w - 10 - edit.Right() - 4, edit.h}, Align::Center);
  Rect grid = lay::kPanelGrid.Inflated(3);
  FillRounded(cr, grid, 4, pal::kPane);
  StrokeRounded(cr, grid, 4, pal::kLine);
}

}  // namespace artwork
