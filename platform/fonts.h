// Fonts: LOGFONT, the private fontconfig set-up with the program's faces, realisation in Pango.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi_handles.h"
#include "platform/gdi_objects.h"
#include "platform/windef.h"

// Pango's types, declared as Pango does; its headers define TRUE and FALSE as macros, which
// must not meet windef.h's constants in headers.
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoContext PangoContext;

namespace platform {

constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE ARABIC_CHARSET = 178;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_SWISS = 0x20;

struct LOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];
};

// Height: negative is the character (em) height in pixels, positive the cell height
// (ascent + descent), 0 a default of 13-pixel cells. A face name fontconfig does not know
// falls back to kFallbackFace (or kSecondFallbackFace), which cover Arabic script. Escapement is not supported:
// the font is created upright.
HFONT CreateFontIndirectA(const LOGFONTA* font);

// Tahoma from the program's own font files: it shapes Persian. Should those files be missing,
// Noto Sans Arabic (fonts-noto-core) stands in.
inline constexpr const char* kFallbackFace = "Tahoma";
inline constexpr const char* kSecondFallbackFace = "Noto Sans Arabic";

// The families fontconfig offers (the program's own faces included), sorted, without repeats;
// for the choose-font dialog.
std::vector<std::string> FontFamilyNames();
// True when the family exists under this name (letter case ignored).
bool FontFamilyExists(const std::string& family);

// What the choose-font dialog lists of an installed family.
struct FontFamilyInfo {
  std::string name;
  bool fixedPitch = false;
  bool scalable = false;  // outlines, not only bitmap strikes
  bool symbol = false;    // a symbol face: no Latin letters
  bool hasBold = false;   // a real bold face, not a simulation
  bool hasItalic = false;
  // The scripts it covers (ANSI_CHARSET, ARABIC_CHARSET ...); DEFAULT_CHARSET alone for a face
  // of none of the scripts the dialog names.
  std::vector<BYTE> charsets;
};
// Every installed family of FontFamilyNames (generic aliases left out) with its facts, in the
// same order; worked out once.
const std::vector<FontFamilyInfo>& FontFamilies();

namespace gdi {

// A font realised for drawing: the Pango description and the line metrics computed from
// the face's own OS/2 ascent and descent. Shared by every handle with the same LOGFONT.
struct RealisedFont {
  unsigned id;  // distinct per realisation, a key for the layout cache
  std::string family;
  PangoFontDescription* description;
  bool underline;
  bool strikeOut;
  double em;    // pixels
  int ascent;   // round(winAscent × em / upem)
  int descent;  // round(winDescent × em / upem)
  int aveCharWidth;
  int maxCharWidth;
  int weight;
  ~RealisedFont();
};

struct FontObject : Object {
  static constexpr Kind kKind = Kind::kFont;
  Kind kind() const override { return kKind; }
  LOGFONTA logFont;
  std::shared_ptr<RealisedFont> realised;
};

// The process's Pango contexts over the one private font map, Persian language, one per
// paragraph direction (a layout's direction follows its context's).
PangoContext* SharedPangoContext(bool rightToLeft);
std::shared_ptr<RealisedFont> Realise(const LOGFONTA& font);

}  // namespace gdi
}  // namespace platform
