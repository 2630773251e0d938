// What a shown form puts on the screen: windowless controls in stored order below the windowed
// ones, repainting after changes, and the panel's and group box's frames.
#include "graphics/colors.h"
#include "tests/controls/controls_fixture.h"
#include "tests/fixtures/scratch_folder.h"

using namespace platform;

namespace controlstest {
namespace {

// The screen's 0xRRGGBB of a colour.
std::uint32_t Rgb(TColor color) {
  COLORREF c = ColorToRGB(color);
  return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

class ControlPaint : public ShownFormTest {
 protected:
  std::uint32_t At(int x, int y) const { return PixelAt(form_->Handle(), x, y); }
};

TEST_F(ControlPaint, WindowlessControlsPaintInStoredOrderBelowWindowedOnes) {
  std::vector<AnsiString> paints(Log().begin(), Log().end());
  auto index = [&](const char* what) {
    return std::find(paints.begin(), paints.end(), what) - paints.begin();
  };
  EXPECT_LT(index("paint Back"), index("paint Hot"));
  EXPECT_LT(index("paint Hot"), index("paint Late"));

  EXPECT_EQ(At(250, 30), Rgb(0xEEF0D2)) << "the background probe";
  EXPECT_EQ(At(25, 25), Rgb(clRed)) << "the hot spot over it";
  EXPECT_EQ(At(110, 95), Rgb(clOlive)) << "Late over the background";
  EXPECT_EQ(At(157, 112), Rgb(clNavy)) << "the probe inside Panel1, which covers Late";
  EXPECT_EQ(At(200, 175), Rgb(clBtnFace)) << "Panel1's face";

  std::string png = (fixtures::ProcessScratchFolder() / "controls_form.png").string();
  EXPECT_TRUE(screen_->WritePng(form_->Handle(), png)) << png;
}

TEST_F(ControlPaint, ChangesRepaintAtTheNextPaint) {
  form_->Hot->SetColor(clNavy);
  form_->Late->SetBounds(0, 150, 60, 30);
  Pump();

  EXPECT_EQ(At(25, 25), Rgb(clNavy));
  EXPECT_EQ(At(110, 95), Rgb(0xEEF0D2)) << "the old place of Late shows what lies below";
  EXPECT_EQ(At(10, 160), Rgb(clOlive));

  form_->Hot->Hide();
  Pump();
  EXPECT_EQ(At(25, 25), Rgb(0xEEF0D2));
}

TEST_F(ControlPaint, PanelHasARaisedBevelAndTheGroupBoxAnEtchedFrame) {
  // Panel2 (20, 100, 100 x 60): highlight on the top and left edge, shadow on the others.
  EXPECT_EQ(At(20, 130), Rgb(clBtnHighlight));
  EXPECT_EQ(At(60, 100), Rgb(clBtnHighlight));
  EXPECT_EQ(At(119, 130), Rgb(clBtnShadow));
  EXPECT_EQ(At(60, 159), Rgb(clBtnShadow));
  EXPECT_EQ(At(60, 130), Rgb(clBtnFace));

  // The group box (Panel1 + (20, 20), 90 x 50): its bottom edge shadow over highlight.
  int bottom = 100 + 20 + 50;
  EXPECT_EQ(At(150 + 20 + 45, bottom - 2), Rgb(clBtnShadow));
  EXPECT_EQ(At(150 + 20 + 45, bottom - 1), Rgb(clBtnHighlight));
}

}  // namespace
}  // namespace controlstest
