// Fonts, pens and brushes: the height and size rule, change notices and stream properties.
#include <gtest/gtest.h>

#include <memory>

#include "core/classes.h"
#include "core/component.h"
#include "core/exceptions.h"
#include "core/reader.h"
#include "graphics/brush.h"
#include "graphics/font.h"
#include "graphics/pen.h"
#include "tests/core/stream_builder.h"

namespace {

// A component publishing a font, a pen and a brush, as controls and shapes do.
class TStyledThing : public TComponent {
 public:
  using TComponent::TComponent;
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(*font); }
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* pen) { pen_->Assign(*pen); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* brush) { brush_->Assign(*brush); }

 private:
  std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
  std::unique_ptr<TPen> pen_ = std::make_unique<TPen>();
  std::unique_ptr<TBrush> brush_ = std::make_unique<TBrush>();
};

[[maybe_unused]] const auto kTStyledThing =
    RegisterClass<TStyledThing, TComponent>("TStyledThing")
        .Property("Font", &TStyledThing::Font, &TStyledThing::SetFont)
        .Property("Pen", &TStyledThing::Pen, &TStyledThing::SetPen)
        .Property("Brush", &TStyledThing::Brush, &TStyledThing::SetBrush);

// Counts change notices.
class ChangeCounter : public TObject {
 public:
  void Changed(TObject*) { ++count; }
  int count = 0;
};

TEST(FontTest, HeightAndSizeFollowEachOtherWithRounding) {
  struct Case {
    int height;
    int ppi;
    int size;
  };
  // clang-format off
  const Case fromHeight[] = {
      {-11, 96, 8},
      {-15, 96, 11},
      {-12, 96, 9},
      {-13, 96, 10},
      {-2, 96, 2},  // 1.5 rounds away from zero
      {11, 96, -8},
      {-20, 120, 12},
      {0, 96, 0},
  };
  // clang-format on
  for (const Case& c : fromHeight) {
    TFont font;
    font.SetPixelsPerInch(c.ppi);
    font.SetHeight(c.height);
    EXPECT_EQ(font.Size(), c.size) << "height " << c.height << " at " << c.ppi;
  }
  const Case fromSize[] = {
      {-11, 96, 8}, {-13, 96, 10}, {-12, 96, 9}, {-1, 96, 1}, {-15, 120, 9}, {-16, 96, 12},
  };
  for (const Case& c : fromSize) {
    TFont font;
    font.SetPixelsPerInch(c.ppi);
    font.SetSize(c.size);
    EXPECT_EQ(font.Height(), c.height) << "size " << c.size << " at " << c.ppi;
  }
}

TEST(FontTest, DefaultsAreEightPointSansSerif) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
  EXPECT_TRUE(font.Style().Empty());
}

TEST(FontTest, NameKeepsThirtyOneCharactersAndIgnoresEmpty) {
  TFont font;
  font.SetName(AnsiString(40, 'x'));
  EXPECT_EQ(font.Name(), AnsiString(31, 'x'));
  font.SetName("");
  EXPECT_EQ(font.Name(), AnsiString(31, 'x'));
  EXPECT_STREQ(font.LogFont().lfFaceName, AnsiString(31, 'x').c_str());
}

TEST(FontTest, EachRealChangeNotifiesTheOwnerOnce) {
  TFont font;
  ChangeCounter counter;
  font.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  font.SetHeight(-11);  // unchanged
  font.SetColor(clMaroon);
  font.SetColor(clMaroon);
  font.SetStyle({TFontStyle::fsBold});
  font.SetSize(11);
  EXPECT_EQ(counter.count, 3);

  TFont other;
  other.SetName("Tahoma");
  other.SetHeight(-15);
  font.Assign(other);
  EXPECT_EQ(counter.count, 4);
  font.Assign(other);
  EXPECT_EQ(counter.count, 4);
  EXPECT_TRUE(font.SameAs(other));
}

TEST(FontTest, HandleIsRenewedAfterAChangeAndCarriesTheValues) {
  TFont font;
  font.SetName("Tahoma");
  font.SetHeight(-15);
  font.SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
  font.SetCharset(ARABIC_CHARSET);
  platform::LOGFONTA lf{};
  ASSERT_EQ(platform::GetObjectA(font.Handle(), sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_EQ(lf.lfWeight, platform::FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfCharSet, ARABIC_CHARSET);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");

  platform::HFONT first = font.Handle();
  font.SetHeight(-12);
  EXPECT_EQ(platform::GetObjectType(first), 0u) << "the old handle is freed";
  ASSERT_EQ(platform::GetObjectA(font.Handle(), sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -12);
}

TEST(FontTest, AdoptsAHandleMadeElsewhere) {
  platform::LOGFONTA lf{};
  lf.lfHeight = -13;
  lf.lfWeight = platform::FW_BOLD;
  lf.lfItalic = 1;
  lf.lfCharSet = ARABIC_CHARSET;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Tahoma");
  TFont font;
  ChangeCounter counter;
  font.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  platform::HFONT handle = platform::CreateFontIndirectA(&lf);
  font.SetHandle(handle);
  EXPECT_EQ(font.Handle(), handle);
  EXPECT_EQ(font.Name(), "Tahoma");
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_EQ(font.Charset(), ARABIC_CHARSET);
  EXPECT_EQ(counter.count, 1);
}

TEST(PenBrushTest, DefaultsAndClearBrushTurnsSolidWithAColour) {
  TPen pen;
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Style(), TPenStyle::psSolid);
  EXPECT_EQ(pen.Mode(), TPenMode::pmCopy);
  TBrush brush;
  EXPECT_EQ(brush.Color(), clWhite);
  brush.SetStyle(TBrushStyle::bsClear);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid);
}

TEST(PenBrushTest, PenModesMapToTheMixModes) {
  EXPECT_EQ(PenModeToRop2(TPenMode::pmCopy), 13);
  EXPECT_EQ(PenModeToRop2(TPenMode::pmMask), 9);
  EXPECT_EQ(PenModeToRop2(TPenMode::pmXor), 7);
  EXPECT_EQ(PenModeToRop2(TPenMode::pmNotXor), 10);
  EXPECT_EQ(PenModeToRop2(TPenMode::pmBlack), 1);
  EXPECT_EQ(PenModeToRop2(TPenMode::pmWhite), 16);
}

TEST(GraphicsStreamTest, SubPropertiesAreReadByPath) {
  coretest::StreamBuilder b;
  b.Signature().Object("TStyledThing", "Thing");
  b.Prop("Font.Charset").Ident("ARABIC_CHARSET");
  b.Prop("Font.Color").Ident("clMaroon");
  b.Prop("Font.Height").Int8(-15);
  b.Prop("Font.Name").Short("Tahoma");
  b.Prop("Font.Style").Set({});
  b.Prop("Pen.Mode").Ident("pmMask");
  b.Prop("Pen.Style").Ident("psClear");
  b.Prop("Brush.Color").Int32(0xD4F0D3);
  b.End().End();
  TStyledThing thing(nullptr);
  thing.Font()->SetStyle({TFontStyle::fsBold});
  auto stream = b.Stream();
  ReadRootFromStream(*stream, &thing);
  EXPECT_EQ(thing.Font()->Charset(), ARABIC_CHARSET);
  EXPECT_EQ(thing.Font()->Color(), clMaroon);
  EXPECT_EQ(thing.Font()->Height(), -15);
  EXPECT_EQ(thing.Font()->Size(), 11);
  EXPECT_EQ(thing.Font()->Name(), "Tahoma");
  EXPECT_TRUE(thing.Font()->Style().Empty());
  EXPECT_EQ(thing.Pen()->Mode(), TPenMode::pmMask);
  EXPECT_EQ(thing.Pen()->Style(), TPenStyle::psClear);
  EXPECT_EQ(thing.Brush()->Color(), 0xD4F0D3);
}

TEST(GraphicsStreamTest, UnknownStyleElementIsRefused) {
  coretest::StreamBuilder b;
  b.Signature().Object("TStyledThing", "Thing");
  b.Prop("Font.Style").Set({"fsBold", "fsShiny"});
  b.End().End();
  TStyledThing thing(nullptr);
  auto stream = b.Stream();
  EXPECT_THROW(ReadRootFromStream(*stream, &thing), EReadError);
}

}  // namespace
