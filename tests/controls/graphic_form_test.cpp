// A form description with the main window's kinds of windowless controls, read from its
// compiled stream: every stored property reaches its control.
#include <gtest/gtest.h>

#include "controls/image.h"
#include "controls/label.h"
#include "controls/shape.h"
#include "controls/speed_button.h"
#include "core/classes.h"
#include "graphics/jpeg_image.h"
#include "tests/controls/controls_fixture.h"

namespace controlstest {
namespace {

class TGraphicForm : public TForm {
 public:
  using TForm::TForm;
  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TShape* Shape2 = nullptr;
};

[[maybe_unused]] const auto kTGraphicForm = RegisterClass<TGraphicForm, TForm>("TGraphicForm")
                                                .Field("Image1", &TGraphicForm::Image1)
                                                .Field("Label1", &TGraphicForm::Label1)
                                                .Field("SpeedButton1", &TGraphicForm::SpeedButton1)
                                                .Field("Shape2", &TGraphicForm::Shape2);

TEST_F(ControlsTest, StoredGraphicControlsAreReadWithTheirProperties) {
  std::unique_ptr<TGraphicForm> form(NewForm<TGraphicForm>(nullptr));
  ASSERT_NE(form->Image1, nullptr);

  auto* jpeg = dynamic_cast<TJPEGImage*>(form->Image1->Picture()->Graphic());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->Width(), 120);
  EXPECT_EQ(jpeg->Height(), 80);
  EXPECT_FALSE(jpeg->Decoded()) << "nothing is decoded while the form loads";
  EXPECT_TRUE(form->Image1->ControlStyle().Contains(TControlStyleFlag::csOpaque));

  TLabel& label = *form->Label1;
  EXPECT_TRUE(label.Transparent());
  EXPECT_EQ(label.Cursor(), crHandPoint);
  EXPECT_FALSE(label.ParentFont());
  EXPECT_EQ(label.Font()->Height(), -15);
  EXPECT_EQ(label.Font()->Color(), clMaroon);
  EXPECT_EQ(label.Caption(), ".: \x98\xE1\xED\xC7\xCA :.");
  EXPECT_EQ(label.Left() + label.Width(), 193) << "auto-sized after loading, right edge kept";
  EXPECT_EQ(label.Height(), 18) << "Tahoma's line box at 15 pixels";

  TSpeedButton& button = *form->SpeedButton1;
  EXPECT_TRUE(button.Flat());
  EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphTop);
  EXPECT_EQ(button.Glyph()->Width(), 16);
  EXPECT_EQ(button.Glyph()->Height(), 16);
  EXPECT_EQ(button.NumGlyphs(), 1);
  EXPECT_EQ(button.Glyph()->TransparentColor(), 0x008284)
      << "the bottom-left pixel: olive as 5-6-5 bits keep it";
  EXPECT_EQ(button.Font()->Color(), clRed);

  TShape& shape = *form->Shape2;
  EXPECT_EQ(shape.Pen()->Style(), TPenStyle::psClear);
  EXPECT_EQ(shape.Pen()->Mode(), TPenMode::pmMask);
  EXPECT_EQ(shape.Brush()->Color(), clWhite);
  EXPECT_EQ(shape.Width(), 17);
}

}  // namespace
}  // namespace controlstest
