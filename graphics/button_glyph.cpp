// TButtonGlyph: a button's glyph bitmap cut into its state images.
#include "graphics/button_glyph.h"

#include "graphics/colors.h"

using namespace platform;

namespace {

// A pixel of the glyph's picture, as opposed to its background and its light highlights.
bool IsShape(COLORREF c, COLORREF transparent) {
  if (c == transparent) return false;
  int luminance = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
  return luminance < 192;
}

}  // namespace

TButtonGlyph::TButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = TNotifyEvent(this, &TButtonGlyph::GlyphChanged);
}

TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(TBitmap* glyph) {
  if (glyph == nullptr) {
    glyph_->SetSize(0, 0);
  } else {
    glyph_->Assign(*glyph);
  }
  const int w = glyph_->Width(), h = glyph_->Height();
  if (h > 0 && w % h == 0) {
    int count = w / h;
    numGlyphs_ = count < 5 ? count : 1;
  }
  Changed();
}

void TButtonGlyph::SetNumGlyphs(int value) {
  if (value < 1 || value > 4 || value == numGlyphs_) return;
  numGlyphs_ = value;
  Changed();
}

SIZE TButtonGlyph::ImageSize() const {
  if (glyph_->Empty()) return {0, 0};
  return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

int TButtonGlyph::ImageIndex(TButtonState state) const {
  if (state == TButtonState::bsDown && numGlyphs_ < 3) return 0;
  int index = static_cast<int>(state);
  return index < numGlyphs_ ? index : 0;
}

void TButtonGlyph::GlyphChanged(TObject*) { Changed(); }

void TButtonGlyph::Changed() {
  for (auto& image : images_) image.reset();
  if (OnChange) OnChange(this);
}

TBitmap& TButtonGlyph::StateImage(TButtonState state) {
  auto& image = images_[static_cast<int>(state)];
  if (image) return *image;
  const SIZE size = ImageSize();
  const int index = ImageIndex(state);
  const COLORREF transparent = ColorToRGB(glyph_->TransparentColor());
  image = std::make_unique<TBitmap>();
  image->SetPixelFormat(TPixelFormat::pf32bit);
  image->SetSize(size.cx, size.cy);
  // Pixels are written straight into the image's rows; the glyph is only read.
  auto put = [&](int x, int y, COLORREF c) {
    reinterpret_cast<std::uint32_t*>(image->ScanLine(y))[x] =
        0xFF000000u | std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 |
        GetBValue(c);
  };
  if (state != TButtonState::bsDisabled) {
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) put(x, y, glyph_->PixelColor(index * size.cx + x, y));
    }
    image->SetTransparentColor(static_cast<TColor>(transparent));
  } else {
    // The shape of the chosen image (the disabled one when supplied, else the up one),
    // raised in the highlight colour and drawn again in the shadow colour, on the face.
    const COLORREF face = ColorToRGB(clBtnFace);
    const COLORREF highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) put(x, y, face);
    }
    for (int pass = 0; pass < 2; ++pass) {
      const int offset = pass == 0 ? 1 : 0;
      for (int y = 0; y + offset < size.cy; ++y) {
        for (int x = 0; x + offset < size.cx; ++x) {
          if (IsShape(glyph_->PixelColor(index * size.cx + x, y), transparent)) {
            put(x + offset, y + offset, pass == 0 ? highlight : shadow);
          }
        }
      }
    }
    image->SetTransparentColor(static_cast<TColor>(face));
  }
  image->Changed();
  image->SetTransparent(true);
  return *image;
}

void TButtonGlyph::Draw(TCanvas& canvas, POINT at, TButtonState state, bool transparent) {
  if (glyph_->Empty()) return;
  TBitmap& image = StateImage(state);
  if (!transparent && state != TButtonState::bsExclusive) {
    TColor saved = canvas.Brush().Color();
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect({at.x, at.y, at.x + image.Width(), at.y + image.Height()});
    canvas.Brush().SetColor(saved);
  }
  canvas.Draw(at.x, at.y, &image);
}
