// Shaped text layouts kept between paints, keyed by font, text and layout settings.
#pragma once

#include <string>

#include "platform/fonts.h"

typedef struct _PangoLayout PangoLayout;
typedef struct _PangoLayoutLine PangoLayoutLine;

namespace platform::gdi {

struct LayoutRequest {
  const RealisedFont* font;
  std::string utf8;
  int wrapWidth = -1;  // pixels; -1 for one line per paragraph
  bool rightToLeft = false;
  int tabWidth = 0;         // pixels between tab stops; 0 for Pango's default
  bool ellipsize = false;   // end ellipsis at wrapWidth
  int underlineStart = -1;  // byte range of a prefix-marked character
  int underlineEnd = -1;
};

// The shaped layout for a request, from the cache or made now. The cache owns it; it stays
// valid until the next call. Least recently used layouts are dropped beyond a fixed count.
PangoLayout* CachedLayout(const LayoutRequest& request);

// A line's logical start (relative to its drawing origin) and width in whole pixels.
struct LineExtent {
  int x;
  int width;
};
LineExtent LinePixelExtents(PangoLayoutLine* line);

}  // namespace platform::gdi
