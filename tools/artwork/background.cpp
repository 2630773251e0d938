// The background picture: every frame, title and mark of the main window's chrome.
#include <cmath>

#include "tools/artwork/artwork.h"
#include "tools/artwork/layout.h"
#include "tools/artwork/palette.h"

namespace artwork {
namespace {

namespace lay = layout;
namespace pal = palette;

TextStyle Heading(double pixels) {
  return {"Noto Naskh Arabic", pixels, true, pal::kCream};
}

// A dark green plate with a light title, the style of every heading in the window.
void HeadingPlate(cairo_t* cr, Rect r, const char* title, double pixels = 15) {
  FillGradient(cr, r, 6, pal::kPlateTop, pal::kPlateBottom);
  StrokeRounded(cr, r, 6, pal::kDeepGreen);
  DrawText(cr, title, Heading(pixels), r, Align::Center);
}

void WindowFrame(cairo_t* cr) {
  SetColor(cr, pal::kForm);
  cairo_paint(cr);
  Rect whole{0, 0, lay::kWindowWidth, lay::kWindowHeight};
  FillGradient(cr, {0, 0, whole.w, 108}, 0, pal::kColumn, pal::kForm);
  StrokeRounded(cr, whole, 0, pal::kDeepGreen, 2);
  StrokeRounded(cr, whole.Inflated(-4), 4, pal::kGold);
}

void TitleBlock(cairo_t* cr) {
  Rect title{170, 14, 440, 56};
  DrawText(cr, "پرسش و پاسخ", {"Noto Naskh Arabic", 34, true, pal::kDeepGreen}, title,
           Align::Center);
  Rect subtitle{170, 70, 440, 24};
  double width =
      DrawText(cr, "پرسش‌ها و پاسخ‌هایی درباره‌ی معاد",
               {"Noto Naskh Arabic", 15, false, pal::kSoftText}, subtitle, Align::Center);
  double left = subtitle.CenterX() - width / 2 - 14;
  double right = subtitle.CenterX() + width / 2 + 14;
  double y = std::round(subtitle.CenterY()) + 0.5;
  SetColor(cr, pal::kGold);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, left - 70, y);
  cairo_line_to(cr, left, y);
  cairo_move_to(cr, right, y);
  cairo_line_to(cr, right + 70, y);
  cairo_stroke(cr);
  Diamond(cr, left - 74, y, 3, pal::kGold);
  Diamond(cr, right + 74, y, 3, pal::kGold);
}

// Close and minimise marks: small framed squares under the two hot spots at the top right.
void WindowMarks(cairo_t* cr) {
  for (Rect r : {lay::kCloseMark, lay::kMinimiseMark}) {
    FillRounded(cr, r, 3, pal::kSlot);
    StrokeRounded(cr, r, 3, pal::kLine);
  }
  Rect c = lay::kCloseMark;
  SetColor(cr, pal::kMaroon);
  cairo_set_line_width(cr, 1.6);
  cairo_move_to(cr, c.x + 5, c.y + 5);
  cairo_line_to(cr, c.Right() - 5, c.Bottom() - 5);
  cairo_move_to(cr, c.Right() - 5, c.y + 5);
  cairo_line_to(cr, c.x + 5, c.Bottom() - 5);
  cairo_stroke(cr);
  Rect m = lay::kMinimiseMark;
  SetColor(cr, pal::kDeepGreen);
  cairo_rectangle(cr, m.x + 4, m.Bottom() - 6, m.w - 8, 2);
  cairo_fill(cr);
}

// The maker's emblem: an eight-pointed star round an open book, the maker's name beneath.
void Logo(cairo_t* cr) {
  Rect area = lay::kLogo;
  double cx = area.CenterX();
  double cy = area.y + 52;
  double outer = 40;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  for (int square = 0; square < 2; ++square) {
    cairo_save(cr);
    cairo_rotate(cr, square * M_PI / 4);
    cairo_rectangle(cr, -outer * 0.72, -outer * 0.72, outer * 1.44, outer * 1.44);
    cairo_restore(cr);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  SetColor(cr, pal::kDeepGreen);
  cairo_fill_preserve(cr);
  SetColor(cr, pal::kGold);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, outer * 0.62, 0, 2 * M_PI);
  SetColor(cr, pal::kCream);
  cairo_fill_preserve(cr);
  SetColor(cr, pal::kGold);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // The open book: two pages curving from the spine.
  for (int side : {-1, 1}) {
    cairo_move_to(cr, 0, -6);
    cairo_curve_to(cr, side * 6, -11, side * 12, -11, side * 16, -8);
    cairo_line_to(cr, side * 16, 9);
    cairo_curve_to(cr, side * 12, 6, side * 6, 6, 0, 11);
    cairo_close_path(cr);
  }
  SetColor(cr, pal::kDeepGreen);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 0.8);
  for (int side : {-1, 1}) {
    for (int line = 0; line < 3; ++line) {
      double y = -4 + line * 4.5;
      cairo_move_to(cr, side * 3.5, y);
      cairo_curve_to(cr, side * 7, y - 3, side * 10, y - 3, side * 13, y - 1.5);
    }
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  DrawText(cr, "نشر اروانتا", {"Noto Naskh Arabic", 15, true, pal::kDeepGreen},
           {area.x, area.y + 98, area.w, 24}, Align::Center);
}

// The right-hand column: category list, summary search, record count, buttons and titles.
void RightColumn(cairo_t* cr) {
  Rect column{624, 62, 232, 614};
  FillRounded(cr, column, 10, pal::kColumn);
  StrokeRounded(cr, column, 10, pal::kLine);
  HeadingPlate(cr, {640, 70, 200, 29}, "موضوعات");
  for (double top : lay::kSlotTops) {
    Rect slot{lay::kSlotLeft, top, lay::kSlotWidth, lay::kSlotHeight};
    FillRounded(cr, slot, 6, pal::kSlot);
    StrokeRounded(cr, slot, 6, pal::kSlotLine);
  }
  SetColor(cr, pal::kLine);
  cairo_rectangle(cr, 654, 323, 172, 1);
  cairo_fill(cr);
  Diamond(cr, 740, 323.5, 3, pal::kGold);
  HeadingPlate(cr, {640, 335, 200, 29}, "جستجو در عنوان‌ها");
  Rect edit = lay::kSearchEdit.Inflated(3);
  FillRounded(cr, edit, 5, pal::kEdit);
  StrokeRounded(cr, edit, 5, pal::kLine);
  Rect cancel = lay::kSearchCancel;
  FillRounded(cr, cancel, 5, pal::kSlot);
  StrokeRounded(cr, cancel, 5, pal::kSlotLine);
  for (Rect button : {lay::kFindButton, lay::kAdvancedButton}) {
    FillRounded(cr, button, 6, pal::kSlot);
    StrokeRounded(cr, button, 6, pal::kSlotLine);
  }
  Rect grid = lay::kTitlesGrid.Inflated(3);
  FillRounded(cr, grid, 4, pal::kPane);
  StrokeRounded(cr, grid, 4, pal::kLine);
}

// A pane of the left-hand area: a frame holding the control, its title on a plate at the
// right, where a right-to-left reader starts.
void TitledPane(cairo_t* cr, Rect control, const char* title) {
  Rect frame{26, control.y - 6, 580, control.h + 12};
  FillRounded(cr, frame, 8, pal::kPane);
  StrokeRounded(cr, frame, 8, pal::kLine);
  Rect plate{frame.Right() - 46, frame.y + 4, 42, 28};
  HeadingPlate(cr, plate, title, 14);
}

void LeftArea(cairo_t* cr) {
  Rect summary{280, 110, 326, 32};
  FillRounded(cr, summary, 8, pal::kPane);
  StrokeRounded(cr, summary, 8, pal::kLine);
  SetColor(cr, pal::kSlotLine);
  cairo_rectangle(cr, 532, summary.y + 6, 1, summary.h - 12);
  cairo_fill(cr);
  Diamond(cr, 592, summary.CenterY(), 3, pal::kGold);
  TitledPane(cr, lay::kQuestionPane, "پرسش");
  TitledPane(cr, lay::kAnswerPane, "پاسخ");
  TitledPane(cr, lay::kFootnotePane, "منابع");
  Rect tools{26, 605, 580, 40};
  FillRounded(cr, tools, 8, pal::kColumn);
  StrokeRounded(cr, tools, 8, pal::kLine);
  HeadingPlate(cr, {tools.Right() - 46, tools.y + 6, 42, 28}, "ابزار", 14);
}

void Address(cairo_t* cr) {
  Rect r = lay::kAddress;
  double width =
      DrawText(cr, kMakerAddress, {"DejaVu Sans", 12, false, pal::kDeepGreen}, r, Align::Center);
  SetColor(cr, pal::kGold);
  cairo_rectangle(cr, std::round(r.CenterX() - width / 2), r.y + 20, std::round(width), 1);
  cairo_fill(cr);
}

}  // namespace

void DrawBackground(Picture& picture) {
  cairo_t* cr = picture.Cr();
  WindowFrame(cr);
  TitleBlock(cr);
  WindowMarks(cr);
  Logo(cr);
  RightColumn(cr);
  LeftArea(cr);
  Address(cr);
}

}  // namespace artwork
