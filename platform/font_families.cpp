// The installed families' facts for the choose-font dialog, asked of fontconfig once.
#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace platform {
namespace {

// The character each script is recognised by, with the character set it stands for.
struct ScriptProbe {
  BYTE charset;
  FcChar32 probe;
  FcChar32 second;
};
constexpr ScriptProbe kScripts[] = {
    {ANSI_CHARSET, 0x0041, 0x00E9},   // Western
    {178, 0x0627, 0x06CC},            // Arabic, with Farsi yeh
    {177, 0x05D0, 0x05D1},            // Hebrew
    {161, 0x03B1, 0x03B2},            // Greek
    {162, 0x011F, 0x0131},            // Turkish
    {238, 0x0159, 0x0165},            // Central European
    {204, 0x0430, 0x0431},            // Cyrillic
    {186, 0x0101, 0x0113},            // Baltic
    {163, 0x01B0, 0x1EA0},            // Vietnamese
    {222, 0x0E01, 0x0E02},            // Thai
};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::vector<FontFamilyInfo> Gather() {
  // The layer's own font map carries the configuration with the program's faces.
  PangoContext* context = gdi::SharedPangoContext(false);
  FcConfig* config =
      pango_fc_font_map_get_config(PANGO_FC_FONT_MAP(pango_context_get_font_map(context)));
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects =
      FcObjectSetBuild(FC_FAMILY, FC_SPACING, FC_SCALABLE, FC_WEIGHT, FC_SLANT, FC_CHARSET, nullptr);
  FcFontSet* set = FcFontList(config, pattern, objects);
  std::map<std::string, FontFamilyInfo> byName;  // lower-case name
  std::map<std::string, FcCharSet*> coverage;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcPattern* font = set->fonts[i];
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) continue;
    std::string key = Lower(reinterpret_cast<const char*>(family));
    FontFamilyInfo& info = byName[key];
    int spacing = 0, weight = 0, slant = 0;
    FcBool scalable = FcFalse;
    if (FcPatternGetInteger(font, FC_SPACING, 0, &spacing) == FcResultMatch &&
        spacing >= FC_MONO) {
      info.fixedPitch = true;
    }
    if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable) {
      info.scalable = true;
    }
    if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch && weight >= FC_WEIGHT_BOLD) {
      info.hasBold = true;
    }
    if (FcPatternGetInteger(font, FC_SLANT, 0, &slant) == FcResultMatch && slant != FC_SLANT_ROMAN) {
      info.hasItalic = true;
    }
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch && chars) {
      FcCharSet*& merged = coverage[key];
      if (!merged) {
        merged = FcCharSetCopy(chars);
      } else {
        FcCharSetMerge(merged, chars, nullptr);
      }
    }
  }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);

  std::vector<FontFamilyInfo> out;
  for (const std::string& name : FontFamilyNames()) {
    // Generic names ("Sans", "Monospace") are aliases, not installed families.
    auto found = byName.find(Lower(name));
    if (found == byName.end()) continue;
    FontFamilyInfo info = found->second;
    info.name = name;
    if (FcCharSet* chars = coverage[Lower(name)]) {
      for (const ScriptProbe& s : kScripts) {
        if (FcCharSetHasChar(chars, s.probe) && FcCharSetHasChar(chars, s.second)) {
          info.charsets.push_back(s.charset);
        }
      }
      // Symbol faces put their glyphs in the private use area where letters would be.
      info.symbol = FcCharSetHasChar(chars, 0xF041) && !FcCharSetHasChar(chars, 0x0041);
    }
    if (info.symbol) info.charsets.push_back(SYMBOL_CHARSET);
    // A face of none of the listed scripts still offers its own.
    if (info.charsets.empty()) info.charsets.push_back(DEFAULT_CHARSET);
    out.push_back(std::move(info));
  }
  for (auto& [key, chars] : coverage) FcCharSetDestroy(chars);
  return out;
}

}  // namespace

const std::vector<FontFamilyInfo>& FontFamilies() {
  static const std::vector<FontFamilyInfo> families = Gather();
  return families;
}

}  // namespace platform
