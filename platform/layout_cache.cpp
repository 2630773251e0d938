// The layout cache: shaping is the expensive part of painting text, and controls repaint the
// same texts over and over.
#include "platform/layout_cache.h"

#include <pango/pango.h>

#include <list>
#include <unordered_map>
#include <utility>

namespace platform::gdi {
namespace {

constexpr std::size_t kCapacity = 1024;

struct Cache {
  ~Cache() {
    for (auto& entry : entries) g_object_unref(entry.second);
  }
  std::list<std::pair<std::string, PangoLayout*>> entries;  // most recent first
  std::unordered_map<std::string, decltype(entries)::iterator> index;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

std::string KeyOf(const LayoutRequest& r) {
  std::string key = std::to_string(r.font->id) + ':' + std::to_string(r.wrapWidth) + ':' +
                    (r.rightToLeft ? 'r' : 'l') + (r.ellipsize ? 'e' : '-') + ':' +
                    std::to_string(r.tabWidth) + ':' + std::to_string(r.underlineStart) + ':' +
                    std::to_string(r.underlineEnd) + '\n';
  key += r.utf8;
  return key;
}

PangoLayout* MakeLayout(const LayoutRequest& r) {
  PangoLayout* layout = pango_layout_new(SharedPangoContext(r.rightToLeft));
  pango_layout_set_auto_dir(layout, FALSE);
  pango_layout_set_font_description(layout, r.font->description);
  pango_layout_set_text(layout, r.utf8.data(), int(r.utf8.size()));
  if (r.wrapWidth >= 0) {
    pango_layout_set_width(layout, r.wrapWidth * PANGO_SCALE);
    if (r.ellipsize) {
      pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    } else {
      pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }
  }
  if (r.tabWidth > 0) {
    PangoTabArray* tabs = pango_tab_array_new(1, TRUE);
    pango_tab_array_set_tab(tabs, 0, PANGO_TAB_LEFT, r.tabWidth);
    pango_layout_set_tabs(layout, tabs);
    pango_tab_array_free(tabs);
  }
  PangoAttrList* attrs = pango_attr_list_new();
  if (r.font->underline)
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (r.font->strikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
  if (r.underlineStart >= 0) {
    PangoAttribute* u = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    u->start_index = unsigned(r.underlineStart);
    u->end_index = unsigned(r.underlineEnd);
    pango_attr_list_insert(attrs, u);
  }
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  return layout;
}

}  // namespace

PangoLayout* CachedLayout(const LayoutRequest& request) {
  Cache& cache = TheCache();
  std::string key = KeyOf(request);
  auto found = cache.index.find(key);
  if (found != cache.index.end()) {
    cache.entries.splice(cache.entries.begin(), cache.entries, found->second);
    return found->second->second;
  }
  if (cache.entries.size() >= kCapacity) {
    auto& oldest = cache.entries.back();
    g_object_unref(oldest.second);
    cache.index.erase(oldest.first);
    cache.entries.pop_back();
  }
  PangoLayout* layout = MakeLayout(request);
  cache.entries.emplace_front(std::move(key), layout);
  cache.index.emplace(cache.entries.front().first, cache.entries.begin());
  return layout;
}

LineExtent LinePixelExtents(PangoLayoutLine* line) {
  PangoRectangle logical;
  pango_layout_line_get_extents(line, nullptr, &logical);
  pango_extents_to_pixels(&logical, nullptr);
  return {logical.x, logical.width};
}

}  // namespace platform::gdi
