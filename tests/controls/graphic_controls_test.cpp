// Labels, speed buttons, shapes and images on a shown right-to-left form, driven by the mouse as
// a user moves and presses it; what they paint is read back from the screen.
#include <gtest/gtest.h>

#include "controls/image.h"
#include "controls/label.h"
#include "controls/shape.h"
#include "controls/speed_button.h"
#include "graphics/colors.h"
#include "graphics/jpeg_image.h"
#include "platform/drawtext.h"
#include "tests/controls/controls_fixture.h"
#include "tests/graphics/jpeg_tools.h"

using namespace platform;

namespace controlstest {
namespace {

constexpr TColor kFormColor = 0xD4F0D3;  // the main window's stored colour
constexpr std::uint32_t kFormRgb = 0xD3F0D4;

std::uint32_t Rgb(TColor color) {
  COLORREF c = ColorToRGB(color);
  return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// Records the events the controls raise.
struct Events : TObject {
  void Clicked(TObject*) { log.push_back("click"); }
  void Down(TObject*, TMouseButton button, TShiftState, int x, int y) {
    log.push_back(Format("down %d %d %d", static_cast<int>(button), x, y));
  }
  void Entered(TObject*) { log.push_back("enter"); }
  void Left(TObject*) { log.push_back("leave"); }
  std::vector<AnsiString> log;
};

class GraphicControls : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form_.reset(NewForm<TForm>(nullptr));
    form_->SetBorderStyle(TFormBorderStyle::bsNone);
    form_->SetBounds(0, 0, 320, 240);
    form_->SetColor(kFormColor);
    form_->SetBiDiMode(TBiDiMode::bdRightToLeft);
    form_->Font()->SetName("Tahoma");
    form_->Font()->SetHeight(-12);
    form_->Font()->SetCharset(::ARABIC_CHARSET);
  }
  void TearDown() override {
    form_.reset();
    ControlsTest::TearDown();
  }

  template <class C>
  C* Add(int left, int top, int width, int height) {
    auto* control = new C(form_.get());
    control->SetParent(form_.get());
    control->SetBounds(left, top, width, height);
    return control;
  }

  void ShowForm() {
    form_->Show();
    Pump();
  }

  // The colour at a point of a control, as last presented.
  std::uint32_t At(const TControl& control, int x, int y) const {
    POINT p = control.ClientToParent({x, y});
    return PixelAt(form_->Handle(), p.x, p.y);
  }

  // The box, in the control's coordinates, of its pixels of one colour.
  RECT Box(const TControl& control, std::uint32_t rgb) const {
    RECT box = {control.Width(), control.Height(), 0, 0};
    for (int y = 0; y < control.Height(); ++y) {
      for (int x = 0; x < control.Width(); ++x) {
        if (At(control, x, y) != rgb) continue;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
      }
    }
    return box.right == 0 ? RECT{0, 0, 0, 0} : box;
  }

  int Count(const TControl& control, std::uint32_t rgb) const {
    int n = 0;
    for (int y = 0; y < control.Height(); ++y) {
      for (int x = 0; x < control.Width(); ++x) n += At(control, x, y) == rgb;
    }
    return n;
  }

  // Moves the pointer onto a control and tells it, as the application's idle step does.
  void Hover(TControl& control, int x, int y) {
    POINT p = OnScreen(control, x, y);
    screen_->MoveMouse(p.x, p.y);
    Pump();
    control.Perform(CM_MOUSEENTER);
    Pump();
  }

  std::unique_ptr<TForm> form_;
  Events events_;
};

std::unique_ptr<TBitmap> SquareGlyph(int size, TColor colour) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(TPixelFormat::pf24bit);
  glyph->SetSize(size, size);
  glyph->Canvas().Brush().SetColor(clOlive);
  glyph->Canvas().FillRect({0, 0, size, size});
  glyph->Canvas().Brush().SetColor(colour);
  glyph->Canvas().FillRect({4, 4, size - 4, size - 4});
  return glyph;
}

TEST_F(GraphicControls, AFlatButtonShowsItsFrameOnlyWhenHotOrPressed) {
  auto* button = Add<TSpeedButton>(40, 40, 40, 30);
  button->SetFlat(true);
  button->SetGlyph(SquareGlyph(16, clBlue).get());
  button->OnClick = TNotifyEvent(&events_, &Events::Clicked);
  ShowForm();
  const std::uint32_t highlight = Rgb(clBtnHighlight), shadow = Rgb(clBtnShadow);

  EXPECT_EQ(At(*button, 0, 0), kFormRgb) << "no frame: the parent shows through";
  EXPECT_EQ(At(*button, 39, 29), kFormRgb);
  EXPECT_EQ(At(*button, 20, 2), kFormRgb) << "transparent: no face colour";
  const RECT glyphUp = Box(*button, 0x0000FF);
  EXPECT_EQ(glyphUp.right - glyphUp.left, 8);

  Hover(*button, 20, 15);
  EXPECT_TRUE(button->Hot());
  EXPECT_EQ(At(*button, 0, 0), highlight) << "raised while hot";
  EXPECT_EQ(At(*button, 39, 29), shadow);

  POINT p = OnScreen(*button, 20, 15);
  screen_->Press(p.x, p.y);
  Pump();
  EXPECT_EQ(button->State(), TButtonState::bsDown);
  EXPECT_EQ(At(*button, 0, 0), shadow) << "sunken while pressed";
  EXPECT_EQ(At(*button, 39, 29), highlight);
  const RECT glyphDown = Box(*button, 0x0000FF);
  EXPECT_EQ(glyphDown.left, glyphUp.left + 1) << "the glyph moves right and down";
  EXPECT_EQ(glyphDown.top, glyphUp.top + 1);

  screen_->Release(p.x, p.y);
  Pump();
  EXPECT_EQ(events_.log, (std::vector<AnsiString>{"click"}));
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  EXPECT_TRUE(button->Hot()) << "still under the pointer";

  screen_->MoveMouse(300, 200);
  Pump();
  button->Perform(CM_MOUSELEAVE);
  Pump();
  EXPECT_FALSE(button->Hot());
  EXPECT_EQ(At(*button, 0, 0), kFormRgb);
}

TEST_F(GraphicControls, ReleasingOutsideAfterDraggingOffRaisesNoClick) {
  auto* button = Add<TSpeedButton>(40, 40, 40, 30);
  button->OnClick = TNotifyEvent(&events_, &Events::Clicked);
  ShowForm();
  POINT inside = OnScreen(*button, 10, 10), outside = OnScreen(*button, 100, 10);
  screen_->Press(inside.x, inside.y);
  Pump();
  EXPECT_EQ(button->State(), TButtonState::bsDown);
  screen_->MoveMouse(outside.x, outside.y);
  Pump();
  EXPECT_EQ(button->State(), TButtonState::bsUp) << "up while the pointer is off it";
  screen_->MoveMouse(inside.x, inside.y);
  Pump();
  EXPECT_EQ(button->State(), TButtonState::bsDown) << "down again back over it";
  screen_->MoveMouse(outside.x, outside.y);
  screen_->Release(outside.x, outside.y);
  Pump();
  EXPECT_TRUE(events_.log.empty());
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  EXPECT_NE(At(*button, 0, 0), Rgb(clWindowFrame)) << "the framed button is drawn up";
  EXPECT_NE(At(*button, 1, 1), Rgb(clBtnShadow));
}

TEST_F(GraphicControls, GroupedButtonsLatchOneAtATime) {
  auto* first = Add<TSpeedButton>(10, 10, 30, 30);
  auto* second = Add<TSpeedButton>(50, 10, 30, 30);
  first->SetGroupIndex(1);
  second->SetGroupIndex(1);
  ShowForm();
  screen_->Click(OnScreen(*first, 5, 5).x, OnScreen(*first, 5, 5).y);
  Pump();
  EXPECT_TRUE(first->Down());
  EXPECT_EQ(first->State(), TButtonState::bsExclusive);
  screen_->Click(OnScreen(*second, 5, 5).x, OnScreen(*second, 5, 5).y);
  Pump();
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());
  screen_->Click(OnScreen(*second, 5, 5).x, OnScreen(*second, 5, 5).y);
  Pump();
  EXPECT_TRUE(second->Down()) << "without AllowAllUp one stays down";
}

TEST_F(GraphicControls, ADisabledButtonIsDrawnDisabledAndReturnsUp) {
  auto* button = Add<TSpeedButton>(10, 10, 40, 30);
  button->SetGlyph(SquareGlyph(16, clBlue).get());
  button->OnClick = TNotifyEvent(&events_, &Events::Clicked);
  button->SetEnabled(false);
  ShowForm();
  EXPECT_EQ(button->State(), TButtonState::bsDisabled);
  EXPECT_EQ(Count(*button, 0x0000FF), 0) << "the glyph is embossed, not coloured";
  EXPECT_GT(Count(*button, Rgb(clBtnShadow)), 8 * 8 - 1);
  screen_->Click(OnScreen(*button, 5, 5).x, OnScreen(*button, 5, 5).y);
  Pump();
  EXPECT_TRUE(events_.log.empty());
  button->SetEnabled(true);
  Pump();
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  EXPECT_EQ(Count(*button, 0x0000FF), 8 * 8);
}

TEST_F(GraphicControls, RightToLeftSwapsGlyphAndCaption) {
  auto* button = Add<TSpeedButton>(10, 10, 120, 30);
  button->SetGlyph(SquareGlyph(16, clBlue).get());
  button->SetCaption("\xCC\xD3\xCA\xCC\xE6");  // "جستجو"
  button->Font()->SetColor(clRed);
  ShowForm();
  RECT glyph = Box(*button, 0x0000FF), text = Box(*button, 0xFF0000);
  ASSERT_GT(text.right, 0) << "the caption is drawn";
  EXPECT_GT(glyph.left, text.right) << "the glyph sits right of the caption";
}

TEST(ButtonLayoutTest, GlyphAndCaptionArePlacedByLayoutMarginAndSpacing) {
  const RECT client{1, 1, 99, 29};  // 98 × 28
  struct Case {
    TButtonLayout layout;
    int margin;
    int spacing;
    SIZE glyph;
    SIZE text;
    UINT bidi;
    POINT glyphAt;
    POINT textAt;
  };
  using L = TButtonLayout;
  const Case cases[] = {
      {L::blGlyphLeft, -1, 4, {16, 16}, {40, 14}, 0, {20, 7}, {40, 8}},
      {L::blGlyphLeft, -1, -1, {16, 16}, {40, 14}, 0, {15, 7}, {45, 8}},
      {L::blGlyphLeft, 2, -1, {16, 16}, {40, 14}, 0, {3, 7}, {39, 8}},
      {L::blGlyphRight, -1, 4, {16, 16}, {40, 14}, 0, {64, 7}, {20, 8}},
      {L::blGlyphLeft, -1, 4, {16, 16}, {40, 14}, DT_RIGHT, {64, 7}, {20, 8}},
      {L::blGlyphTop, -1, 4, {16, 16}, {40, 14}, 0, {42, -1}, {30, 19}},
      {L::blGlyphBottom, 2, 4, {16, 16}, {40, 14}, 0, {42, 11}, {30, -7}},
      {L::blGlyphLeft, -1, 4, {0, 0}, {40, 14}, 0, {30, 15}, {30, 8}},
      {L::blGlyphLeft, -1, 4, {24, 24}, {0, 0}, 0, {38, 3}, {62, 15}},
  };
  for (const Case& c : cases) {
    TButtonLayoutResult r =
        CalcButtonLayout(client, {0, 0}, c.glyph, c.text, c.layout, c.margin, c.spacing, c.bidi);
    EXPECT_EQ(r.GlyphPos.x, c.glyphAt.x) << static_cast<int>(c.layout) << " " << c.margin;
    EXPECT_EQ(r.GlyphPos.y, c.glyphAt.y) << static_cast<int>(c.layout) << " " << c.margin;
    EXPECT_EQ(r.TextBounds.left, c.textAt.x) << static_cast<int>(c.layout) << " " << c.margin;
    EXPECT_EQ(r.TextBounds.top, c.textAt.y) << static_cast<int>(c.layout) << " " << c.margin;
  }
}

TEST_F(GraphicControls, ATransparentRightToLeftLabelGrowsToTheLeft) {
  auto* label = Add<TLabel>(200, 20, 65, 17);
  label->SetTransparent(true);
  label->SetCaption("\xDF\xE1\xED\xC7\xCA");  // "کليات"
  const int right = label->Left() + label->Width();
  label->SetCaption(label->Caption() + " \xE6 \xE3\xDE\xCF\xE3\xC7\xCA");
  EXPECT_EQ(label->Left() + label->Width(), right) << "the right edge stays";
  EXPECT_LT(label->Left(), 200);
  ShowForm();
  EXPECT_GT(Count(*label, 0x000000), 0) << "drawn in the window text colour";
  label->Font()->SetColor(clMaroon);
  Pump();
  EXPECT_GT(Count(*label, Rgb(clMaroon)), 0) << "a new font colour repaints the text";
  EXPECT_EQ(Count(*label, 0x000000), 0);
  EXPECT_EQ(At(*label, 0, 0), kFormRgb) << "the background shows between the letters";

  label->SetCaption("\xDF");
  EXPECT_EQ(label->Left() + label->Width(), right) << "and shrinks towards it";
}

TEST_F(GraphicControls, AnOpaqueLabelFillsItsColourAndAlignsByLayout) {
  auto* label = Add<TLabel>(10, 10, 100, 60);
  label->SetAutoSize(false);
  label->SetColor(clYellow);
  label->SetLayout(TTextLayout::tlBottom);
  label->Font()->SetColor(clBlue);
  label->SetCaption("Wg");
  ShowForm();
  EXPECT_EQ(At(*label, 1, 1), 0xFFFF00u);
  RECT text = Box(*label, 0x0000FF);
  EXPECT_GT(text.top, 40) << "at the bottom";
  EXPECT_GT(text.left, 60) << "left alignment is mirrored to the right";
  label->SetEnabled(false);
  Pump();
  EXPECT_EQ(Count(*label, 0x0000FF), 0);
  EXPECT_GT(Count(*label, Rgb(clBtnShadow)), 0) << "a disabled label is drawn embossed";
  int lightened = 0;  // the white highlight shows on the yellow as pixels with blue in them
  for (int y = 0; y < label->Height(); ++y) {
    for (int x = 0; x < label->Width(); ++x) {
      std::uint32_t c = At(*label, x, y);
      lightened += (c & 0xFF) > 0x80 && (c >> 16) > 0xE0;
    }
  }
  EXPECT_GT(lightened, 0);
}

TEST_F(GraphicControls, LabelsRaiseEnterAndLeave) {
  auto* label = Add<TLabel>(10, 10, 65, 17);
  label->SetCaption("x");
  label->OnMouseEnter = TNotifyEvent(&events_, &Events::Entered);
  label->OnMouseLeave = TNotifyEvent(&events_, &Events::Left);
  ShowForm();
  Hover(*label, 2, 2);
  label->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(events_.log, (std::vector<AnsiString>{"enter", "leave"}));
}

TEST_F(GraphicControls, AMaskModeShapeIsInvisibleButHearsTheMouse) {
  auto* shape = Add<TShape>(30, 30, 137, 25);
  shape->Pen()->SetStyle(TPenStyle::psClear);
  shape->Pen()->SetMode(TPenMode::pmMask);
  shape->SetCursor(crHandPoint);
  shape->OnMouseDown = TMouseEvent(&events_, &Events::Down);
  ShowForm();
  EXPECT_EQ(Count(*shape, kFormRgb), 137 * 25) << "nothing drawn over the background";
  POINT p = OnScreen(*shape, 7, 8);
  screen_->MoveMouse(p.x, p.y);
  Pump();
  EXPECT_EQ(screen_->Cursor(), CursorShape(LoadCursorA(nullptr, IDC_HAND)));
  screen_->Press(p.x, p.y, 1);
  Pump();
  EXPECT_EQ(events_.log, (std::vector<AnsiString>{"down 1 7 8"}));

  shape->Pen()->SetMode(TPenMode::pmCopy);
  Pump();
  EXPECT_EQ(Count(*shape, 0xFFFFFF), 136 * 24) << "in copy mode the white brush shows";
}

TEST_F(GraphicControls, ShapesFitTheirOutlineInside) {
  auto* circle = Add<TShape>(10, 10, 60, 40);
  circle->SetShape(TShapeType::stCircle);
  circle->Pen()->SetColor(clRed);
  circle->Pen()->SetWidth(3);
  ShowForm();
  RECT ring = Box(*circle, 0xFF0000);
  EXPECT_EQ(ring.right - ring.left, ring.bottom - ring.top) << "a circle, not an ellipse";
  EXPECT_GE(ring.left, 10);
  EXPECT_LE(ring.bottom, 40);
}

TEST_F(GraphicControls, AnImageDecodesItsJpegOnFirstPaintAndClipsIt) {
  std::string why;
  if (!graphicstest::JpegToolsAvailable(&why)) FAIL() << why;
  graphicstest::Pnm source = graphicstest::TestPicture(120, 80);
  std::vector<std::uint8_t> file = graphicstest::Compress(source, "-quality 100 -sample 1x1");
  TJPEGImage jpeg;
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), std::int64_t(file.size()));
  stream.SetPosition(0);
  jpeg.ReadWholeStream(stream);

  auto* image = Add<TImage>(10, 10, 60, 40);
  image->Picture()->SetGraphic(&jpeg);
  auto* held = dynamic_cast<TJPEGImage*>(image->Picture()->Graphic());
  ASSERT_NE(held, nullptr);
  EXPECT_FALSE(held->Decoded());
  EXPECT_TRUE(image->ControlStyle().Contains(TControlStyleFlag::csOpaque))
      << "the picture covers the control";
  ShowForm();
  EXPECT_TRUE(held->Decoded());
  graphicstest::Pnm reference = graphicstest::Decompress(file, "");
  for (POINT p : {POINT{0, 0}, POINT{59, 39}, POINT{30, 20}}) {
    std::uint32_t expected = reference.Rgb(p.x, p.y);
    EXPECT_EQ(At(*image, p.x, p.y), expected) << "the picture's own pixel " << p.x << "," << p.y;
  }
}

TEST_F(GraphicControls, ImageDestinationFollowsStretchProportionalAndCenter) {
  auto* image = Add<TImage>(0, 0, 100, 50);
  TBitmap picture;
  picture.SetSize(40, 40);
  image->Picture()->SetGraphic(&picture);
  struct Case {
    bool stretch, proportional, center;
    RECT dest;
  };
  const Case cases[] = {
      {false, false, false, {0, 0, 40, 40}}, {true, false, false, {0, 0, 100, 50}},
      {true, true, false, {0, 0, 50, 50}},   {true, true, true, {25, 0, 75, 50}},
      {false, true, false, {0, 0, 40, 40}},  // proportional alone only shrinks
      {false, false, true, {30, 5, 70, 45}},
  };
  for (const Case& c : cases) {
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    image->SetCenter(c.center);
    RECT d = image->DestRect();
    EXPECT_TRUE(d.left == c.dest.left && d.top == c.dest.top && d.right == c.dest.right &&
                d.bottom == c.dest.bottom)
        << c.stretch << c.proportional << c.center << ": " << d.left << "," << d.top << ","
        << d.right << "," << d.bottom;
  }
  image->SetStretch(true);
  image->SetCenter(false);
  image->SetProportional(false);
  EXPECT_TRUE(image->ControlStyle().Contains(TControlStyleFlag::csOpaque)) << "covers it all";
  image->SetStretch(false);
  EXPECT_FALSE(image->ControlStyle().Contains(TControlStyleFlag::csOpaque));
}

}  // namespace
}  // namespace controlstest
