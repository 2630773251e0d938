// Font set-up (a private fontconfig with the program's faces) and realisation of LOGFONTs.
#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>
#include <hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

namespace platform {
namespace {

// The faces the program asks for by name, shipped as individual files. They are added one by
// one: their folder also holds faces that would win unrelated look-ups.
const char* const kProgramFontFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};

// Tahoma's embedded bitmaps cover Latin only and would draw Latin unsmoothed beside smooth
// Persian.
const char kFontRules[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <match target="font">
    <test name="family"><string>Tahoma</string></test>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
)";

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

struct FontSystem {
  PangoFontMap* fontMap = nullptr;
  PangoContext* context = nullptr;
  PangoContext* rtlContext = nullptr;
  std::set<std::string> families;  // lower case
  std::vector<std::string> familyNames;

  FontSystem() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    for (const char* file : kProgramFontFiles) {
      FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file));
    }
    FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFontRules), FcFalse);
    fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(fontMap), config);
    FcConfigDestroy(config);
    context = NewContext(PANGO_DIRECTION_LTR);
    rtlContext = NewContext(PANGO_DIRECTION_RTL);

    PangoFontFamily** list = nullptr;
    int count = 0;
    pango_font_map_list_families(fontMap, &list, &count);
    for (int i = 0; i < count; ++i) {
      std::string name = pango_font_family_get_name(list[i]);
      if (families.insert(Lower(name)).second) familyNames.push_back(name);
    }
    g_free(list);
    std::sort(familyNames.begin(), familyNames.end());
  }

  PangoContext* NewContext(PangoDirection direction) {
    PangoContext* c = pango_font_map_create_context(fontMap);
    pango_cairo_context_set_resolution(c, 96);
    pango_context_set_language(c, pango_language_from_string("fa"));
    pango_context_set_base_dir(c, direction);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(c, options);
    cairo_font_options_destroy(options);
    return c;
  }
};

FontSystem& Fonts() {
  static FontSystem system;
  return system;
}

std::uint16_t ReadU16(const char* data, unsigned length, unsigned offset) {
  if (offset + 2 > length) return 0;
  return std::uint16_t((std::uint8_t(data[offset]) << 8) | std::uint8_t(data[offset + 1]));
}

// The face's own vertical metrics in font units.
struct FaceMetrics {
  unsigned upem = 0;
  unsigned winAscent = 0;
  unsigned winDescent = 0;
  unsigned avgCharWidth = 0;
  unsigned maxAdvance = 0;
  // Pixel sizes of the embedded strikes of a face that has no outlines; empty otherwise.
  std::vector<unsigned> strikes;
};

// Strike sizes from the EBLC table: numSizes at offset 4, then 48-byte records whose ppemY
// is at offset 45.
std::vector<unsigned> ReadStrikes(hb_face_t* face) {
  std::vector<unsigned> strikes;
  hb_blob_t* glyf = hb_face_reference_table(face, HB_TAG('g', 'l', 'y', 'f'));
  hb_blob_t* cff = hb_face_reference_table(face, HB_TAG('C', 'F', 'F', ' '));
  // A bitmap-only face may still carry a stub of empty outlines.
  bool outlines =
      hb_blob_get_length(glyf) > 4 * hb_face_get_glyph_count(face) || hb_blob_get_length(cff) != 0;
  hb_blob_destroy(glyf);
  hb_blob_destroy(cff);
  if (outlines) return strikes;
  hb_blob_t* eblc = hb_face_reference_table(face, HB_TAG('E', 'B', 'L', 'C'));
  unsigned length = 0;
  const char* data = hb_blob_get_data(eblc, &length);
  if (length >= 8) {
    unsigned count = (ReadU16(data, length, 4) << 16) | ReadU16(data, length, 6);
    for (unsigned i = 0; i < count && 8 + (i + 1) * 48 <= length; ++i) {
      strikes.push_back(std::uint8_t(data[8 + i * 48 + 45]));
    }
  }
  hb_blob_destroy(eblc);
  std::sort(strikes.begin(), strikes.end());
  return strikes;
}

// The average width of lower-case Latin text in font units, weighted by letter frequency as
// the first OS/2 table version defined it. Newer faces average every glyph they have, which
// for a face with Arabic script gives a figure far from what text measures.
unsigned WeightedAverageWidth(hb_face_t* face) {
  static const int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                   56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
  hb_font_t* font = hb_font_create(face);
  long total = 0;
  for (int i = 0; i < 27; ++i) {
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(font, i < 26 ? 'a' + i : ' ', &glyph)) {
      hb_font_destroy(font);
      return 0;
    }
    total += long(hb_font_get_glyph_h_advance(font, glyph)) * kWeights[i];
  }
  hb_font_destroy(font);
  return unsigned(total / 1000);
}

FaceMetrics ReadFaceMetrics(PangoFontDescription* description) {
  FaceMetrics m;
  FontSystem& fonts = Fonts();
  PangoFont* font = pango_font_map_load_font(fonts.fontMap, fonts.context, description);
  if (font == nullptr) return m;
  hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(font));
  m.upem = hb_face_get_upem(face);
  hb_blob_t* os2 = hb_face_reference_table(face, HB_TAG('O', 'S', '/', '2'));
  unsigned length = 0;
  const char* data = hb_blob_get_data(os2, &length);
  m.avgCharWidth = ReadU16(data, length, 2);
  m.winAscent = ReadU16(data, length, 74);
  m.winDescent = ReadU16(data, length, 76);
  hb_blob_destroy(os2);
  hb_blob_t* hhea = hb_face_reference_table(face, HB_TAG('h', 'h', 'e', 'a'));
  data = hb_blob_get_data(hhea, &length);
  m.maxAdvance = ReadU16(data, length, 10);
  hb_blob_destroy(hhea);
  m.strikes = ReadStrikes(face);
  if (unsigned weighted = WeightedAverageWidth(face)) m.avgCharWidth = weighted;
  g_object_unref(font);
  return m;
}

unsigned NextFontId() {
  static unsigned next = 0;
  return ++next;
}

}  // namespace

std::vector<std::string> FontFamilyNames() {
  return Fonts().familyNames;
}

bool FontFamilyExists(const std::string& family) {
  return Fonts().families.count(Lower(family)) != 0;
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) return nullptr;
  auto object = std::make_unique<gdi::FontObject>();
  object->logFont = *font;
  object->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(gdi::Insert(std::move(object)));
}

namespace gdi {

RealisedFont::~RealisedFont() {
  pango_font_description_free(description);
}

PangoContext* SharedPangoContext(bool rightToLeft) {
  return rightToLeft ? Fonts().rtlContext : Fonts().context;
}

std::shared_ptr<RealisedFont> Realise(const LOGFONTA& font) {
  std::string face(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
  if (face.empty() || !FontFamilyExists(face)) {
    face = FontFamilyExists(kFallbackFace) ? kFallbackFace : kSecondFallbackFace;
  }
  int weight = font.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp(int(font.lfWeight), 100, 1000);
  std::string key = Lower(face) + '\n' + std::to_string(font.lfHeight) + ' ' +
                    std::to_string(weight) + ' ' + std::to_string(font.lfItalic != 0) +
                    std::to_string(font.lfUnderline != 0) + std::to_string(font.lfStrikeOut != 0);
  static std::map<std::string, std::shared_ptr<RealisedFont>> cache;
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;

  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, face.c_str());
  pango_font_description_set_weight(description, PangoWeight(weight));
  pango_font_description_set_style(description,
                                   font.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_font_description_set_absolute_size(description, 16 * PANGO_SCALE);
  FaceMetrics m = ReadFaceMetrics(description);
  bool haveMetrics = m.upem != 0 && m.winAscent + m.winDescent != 0;
  if (!haveMetrics) {
    // A face without OS/2 metrics: the usual proportions of a sans-serif face.
    m = {2048, 2048, 430, 900, 2000, m.strikes};
  }
  double cellUnits = double(m.winAscent + m.winDescent);
  double em;
  if (font.lfHeight < 0) {
    em = -double(font.lfHeight);
  } else if (font.lfHeight > 0) {
    em = font.lfHeight * m.upem / cellUnits;
  } else {
    em = 13 * m.upem / cellUnits;
  }
  if (!m.strikes.empty()) {
    // A bitmap face is drawn at one of its strikes, never scaled: the largest whose cell
    // fits. A character height is about four fifths of its strike's cell.
    double cell = font.lfHeight < 0 ? std::round(em * 1.25) : em * cellUnits / m.upem;
    em = m.strikes.front();
    for (unsigned strike : m.strikes) {
      if (strike <= cell + 0.5) em = strike;
    }
  }
  pango_font_description_set_absolute_size(description, em * PANGO_SCALE);

  auto realised = std::make_shared<RealisedFont>();
  realised->id = NextFontId();
  realised->family = face;
  realised->description = description;
  realised->underline = font.lfUnderline != 0;
  realised->strikeOut = font.lfStrikeOut != 0;
  realised->em = em;
  realised->ascent = int(std::lround(m.winAscent * em / m.upem));
  realised->descent = int(std::lround(m.winDescent * em / m.upem));
  realised->aveCharWidth = int(std::lround(m.avgCharWidth * em / m.upem));
  realised->maxCharWidth = int(std::lround(m.maxAdvance * em / m.upem));
  realised->weight = weight;
  cache.emplace(key, realised);
  return realised;
}

}  // namespace gdi
}  // namespace platform
