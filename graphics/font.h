// TFont: face, height and size, colour, character set and style of drawn text.
#pragma once

#include <cstdint>

#include "core/sets.h"
#include "graphics/graphics_object.h"
#include "platform/fonts.h"

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = SetOf<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };

// The pixels per inch of the screen, measured once.
int ScreenLogPixels();

// Defaults: "MS Sans Serif", 8 points (height -11 on a 96 pixels-per-inch screen),
// clWindowText, DEFAULT_CHARSET, no style, default pitch. The height is the truth; the size
// is derived from it as -height × 72 / PixelsPerInch, rounded to the nearest integer, and
// setting a size stores height = -size × PixelsPerInch / 72, rounded. Every change that alters
// a value fires OnChange once. The font owns its handle, created on first request and
// discarded by the next change.
class TFont : public TGraphicsObject {
 public:
  static constexpr int kMaxNameLength = platform::LF_FACESIZE - 1;

  TFont();

  const AnsiString& Name() const { return name_; }
  // Longer names keep their first 31 characters; an empty name is ignored.
  void SetName(const AnsiString& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int size);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  std::int32_t Charset() const { return charset_; }
  void SetCharset(std::int32_t charset);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  // The resolution sizes are converted at; changing it keeps the height.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }

  // Copies every value (and the resolution) and fires OnChange once if anything differed.
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;

  // The realised font, created on first use.
  platform::HFONT Handle() { return static_cast<platform::HFONT>(ObjectHandle()); }
  // Takes ownership of a font made elsewhere (by a font dialog) and adopts its values.
  void SetHandle(platform::HFONT font);
  platform::LOGFONTA LogFont() const;

 protected:
  platform::HGDIOBJ MakeHandle() override;

 private:

  AnsiString name_ = "MS Sans Serif";
  int height_;
  TColor color_ = clWindowText;
  std::int32_t charset_ = DEFAULT_CHARSET;
  TFontStyles style_;
  TFontPitch pitch_ = TFontPitch::fpDefault;
  int pixelsPerInch_;
};
