// TFont: face, height and size, colour, character set and style of drawn text.
#include "graphics/font.h"

#include <algorithm>
#include <cstring>

#include "core/classes.h"
#include "platform/dc.h"
#include "platform/muldiv.h"
#include "platform/pens_brushes.h"

using namespace platform;

int ScreenLogPixels() {
  static const int pixels = [] {
    HDC dc = CreateCompatibleDC(nullptr);
    int value = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
    return value;
  }();
  return pixels;
}

TFont::TFont() : pixelsPerInch_(ScreenLogPixels()) { height_ = -MulDiv(8, pixelsPerInch_, 72); }

void TFont::SetName(const AnsiString& name) {
  if (name.empty()) return;
  AnsiString limited = name.substr(0, kMaxNameLength);
  if (limited == name_) return;
  name_ = std::move(limited);
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int size) { SetHeight(-MulDiv(size, pixelsPerInch_, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetCharset(std::int32_t charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
         charset_ == other.charset_ && style_ == other.style_ && pitch_ == other.pitch_ &&
         pixelsPerInch_ == other.pixelsPerInch_;
}

void TFont::Assign(const TFont& source) {
  if (&source == this || SameAs(source)) return;
  name_ = source.name_;
  height_ = source.height_;
  color_ = source.color_;
  charset_ = source.charset_;
  style_ = source.style_;
  pitch_ = source.pitch_;
  pixelsPerInch_ = source.pixelsPerInch_;
  Changed();
}

LOGFONTA TFont::LogFont() const {
  LOGFONTA lf{};
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(TFontStyle::fsItalic);
  lf.lfUnderline = style_.Contains(TFontStyle::fsUnderline);
  lf.lfStrikeOut = style_.Contains(TFontStyle::fsStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(charset_);
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = static_cast<BYTE>(pitch_);
  std::memcpy(lf.lfFaceName, name_.data(), std::min<std::size_t>(name_.size(), kMaxNameLength));
  return lf;
}

HGDIOBJ TFont::MakeHandle() {
  LOGFONTA lf = LogFont();
  return CreateFontIndirectA(&lf);
}

void TFont::SetHandle(HFONT font) {
  LOGFONTA lf{};
  if (font == nullptr || GetObjectA(font, sizeof lf, &lf) != static_cast<int>(sizeof lf)) return;
  name_ = AnsiString(lf.lfFaceName, strnlen(lf.lfFaceName, kMaxNameLength));
  height_ = lf.lfHeight;
  charset_ = lf.lfCharSet;
  pitch_ = static_cast<TFontPitch>(std::min<int>(lf.lfPitchAndFamily & 3, 2));
  style_ = {};
  if (lf.lfWeight >= FW_BOLD) style_.Include(TFontStyle::fsBold);
  if (lf.lfItalic) style_.Include(TFontStyle::fsItalic);
  if (lf.lfUnderline) style_.Include(TFontStyle::fsUnderline);
  if (lf.lfStrikeOut) style_.Include(TFontStyle::fsStrikeOut);
  Changed();
  AdoptHandle(font);
}

namespace {

[[maybe_unused]] const auto kTFont =
    RegisterClass<TFont, TGraphicsObject>("TFont")
        .Property("Charset", &TFont::Charset, &TFont::SetCharset, CharsetIdents)
        .Property("Color", &TFont::Color, &TFont::SetColor, ColorIdents)
        .Property("Height", &TFont::Height, &TFont::SetHeight)
        .Property("Name", &TFont::Name, &TFont::SetName)
        .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"})
        .Property("Size", &TFont::Size, &TFont::SetSize)
        .Set("Style", &TFont::Style, &TFont::SetStyle,
             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});

}  // namespace
