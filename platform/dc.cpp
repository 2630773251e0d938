// Device contexts: creation, selection, saved states, mapping and clipping.
#include "platform/dc.h"

#include <algorithm>
#include <cmath>

#include "platform/dc_state.h"

namespace platform::gdi {
void AdjustSelections(const DcAttributes& a, int delta) {
  for (HGDIOBJ h : {HGDIOBJ(a.pen), HGDIOBJ(a.brush), HGDIOBJ(a.font)}) {
    if (Object* o = Lookup(h)) o->selections += delta;
  }
}

DeviceContext::DeviceContext(Surface* surface, POINT origin, std::optional<Region> visible,
                             bool memory)
    : surface_(surface), origin_(origin), visible_(std::move(visible)), memory_(memory) {
  attributes_.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  attributes_.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  attributes_.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  AdjustSelections(attributes_, +1);
}

DeviceContext::~DeviceContext() {
  if (cairo_ != nullptr) cairo_destroy(cairo_);
  AdjustSelections(attributes_, -1);
  for (const DcAttributes& saved : saved_) AdjustSelections(saved, -1);
  if (Object* bitmap = Lookup(bitmap_)) --bitmap->selections;
}

bool DeviceContext::IsMonochrome() const {
  auto* bitmap = Get<BitmapObject>(bitmap_);
  return memory_ && bitmap != nullptr && bitmap->monochrome;
}

void DeviceContext::SelectBitmap(HBITMAP bitmap, BitmapObject* object) {
  if (Object* old = Lookup(bitmap_)) --old->selections;
  ++object->selections;
  bitmap_ = bitmap;
  surface_ = &object->surface;
  if (cairo_ != nullptr) {
    cairo_destroy(cairo_);
    cairo_ = nullptr;
  }
  ClipChanged();
}

PenObject& DeviceContext::Pen() {
  if (auto* pen = Get<PenObject>(attributes_.pen)) return *pen;
  return *Get<PenObject>(GetStockObject(BLACK_PEN));
}

BrushObject& DeviceContext::Brush() {
  if (auto* brush = Get<BrushObject>(attributes_.brush)) return *brush;
  return *Get<BrushObject>(GetStockObject(WHITE_BRUSH));
}

RealisedFont& DeviceContext::Font() {
  auto* font = Get<FontObject>(attributes_.font);
  if (font == nullptr) font = Get<FontObject>(GetStockObject(SYSTEM_FONT));
  if (!font->realised) font->realised = Realise(font->logFont);
  return *font->realised;
}

namespace {

// The scale of one axis: viewport extent over window extent. An isotropic mapping takes the
// smaller magnitude of the two axes, keeping this axis's sign.
double AxisScale(const DcAttributes& a, LONG viewport, LONG window, LONG otherViewport,
                 LONG otherWindow) {
  if (a.mapMode == MM_TEXT || window == 0) return 1.0;
  double scale = double(viewport) / window;
  if (a.mapMode == MM_ISOTROPIC && otherWindow != 0) {
    double other = double(otherViewport) / otherWindow;
    if (std::fabs(other) < std::fabs(scale)) scale = std::copysign(std::fabs(other), scale);
  }
  return scale;
}

}  // namespace

double DeviceContext::ScaleX() const {
  const DcAttributes& a = attributes_;
  return AxisScale(a, a.viewportExt.cx, a.windowExt.cx, a.viewportExt.cy, a.windowExt.cy);
}

double DeviceContext::ScaleY() const {
  const DcAttributes& a = attributes_;
  return AxisScale(a, a.viewportExt.cy, a.windowExt.cy, a.viewportExt.cx, a.windowExt.cx);
}

double DeviceContext::ToDeviceX(double x) const {
  const DcAttributes& a = attributes_;
  return (x - a.windowOrg.x) * ScaleX() + a.viewportOrg.x;
}

double DeviceContext::ToDeviceY(double y) const {
  const DcAttributes& a = attributes_;
  return (y - a.windowOrg.y) * ScaleY() + a.viewportOrg.y;
}

POINT DeviceContext::ToDevice(POINT p) const {
  return {LONG(std::lround(ToDeviceX(p.x))), LONG(std::lround(ToDeviceY(p.y)))};
}

POINT DeviceContext::ToLogical(POINT p) const {
  const DcAttributes& a = attributes_;
  return {LONG(std::lround((p.x - a.viewportOrg.x) / ScaleX() + a.windowOrg.x)),
          LONG(std::lround((p.y - a.viewportOrg.y) / ScaleY() + a.windowOrg.y))};
}

POINT DeviceContext::ToSurface(POINT logical) const {
  POINT d = ToDevice(logical);
  return {d.x + origin_.x, d.y + origin_.y};
}

RECT DeviceContext::ToSurfaceRect(const RECT& logical) const {
  POINT a = ToSurface({logical.left, logical.top});
  POINT b = ToSurface({logical.right, logical.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

const Region& DeviceContext::Clip() {
  if (!clipValid_) {
    Region bounds(RECT{0, 0, surface_->Width(), surface_->Height()});
    clip_ = visible_ ? Region::Combine(*visible_, bounds, RGN_AND) : bounds;
    if (attributes_.clip) {
      Region local = *attributes_.clip;
      local.Offset(origin_.x, origin_.y);
      clip_ = Region::Combine(clip_, local, RGN_AND);
    }
    clipValid_ = true;
    cairoClipValid_ = false;
  }
  return clip_;
}

cairo_t* DeviceContext::Cairo() {
  const Region& clip = Clip();
  if (cairo_ == nullptr) {
    cairo_ = cairo_create(surface_->CairoSurface());
    cairoClipValid_ = false;
    cairoSaved_ = false;
  }
  if (cairoSaved_) cairo_restore(cairo_);
  if (!cairoClipValid_) {
    cairo_reset_clip(cairo_);
    cairo_new_path(cairo_);
    for (const RECT& r : clip.Rects()) {
      cairo_rectangle(cairo_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    cairo_clip(cairo_);
    cairoClipValid_ = true;
  }
  cairo_save(cairo_);
  cairoSaved_ = true;
  cairo_new_path(cairo_);
  return cairo_;
}

void DeviceContext::BeginDirect() {
  cairo_surface_flush(surface_->CairoSurface());
}

void DeviceContext::EndDirect() {
  surface_->MarkDirty();
}

DeviceContext* DC(HDC dc) {
  return Get<DeviceContext>(dc);
}

void SetSourceColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

}  // namespace platform::gdi

namespace platform {

using gdi::DC;
using gdi::DeviceContext;

HDC CreateSurfaceDC(Surface& surface, POINT origin, HRGN visible) {
  std::optional<Region> region;
  if (visible != nullptr) {
    Region* source = RegionFromHandle(visible);
    if (source == nullptr) return nullptr;
    region = *source;
  }
  auto dc = std::make_unique<DeviceContext>(&surface, origin, std::move(region), false);
  return static_cast<HDC>(gdi::Insert(std::move(dc)));
}

void ReleaseSurfaceDC(HDC dc) {
  DeviceContext* context = DC(dc);
  if (context != nullptr && !context->IsMemory()) gdi::Erase(dc);
}

HDC CreateCompatibleDC(HDC) {
  HBITMAP bitmap = gdi::StockBitmap();
  auto* object = gdi::Get<gdi::BitmapObject>(bitmap);
  auto dc = std::make_unique<DeviceContext>(&object->surface, POINT{0, 0}, std::nullopt, true);
  dc->SelectBitmap(bitmap, object);
  return static_cast<HDC>(gdi::Insert(std::move(dc)));
}

BOOL DeleteDC(HDC dc) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return FALSE;
  return gdi::Erase(dc) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  DeviceContext* context = DC(dc);
  gdi::Object* found = gdi::Lookup(object);
  if (context == nullptr || found == nullptr) return nullptr;
  gdi::DcAttributes& a = context->Attributes();
  auto swap = [&](auto& slot) -> HGDIOBJ {
    HGDIOBJ old = slot;
    if (gdi::Object* previous = gdi::Lookup(old)) --previous->selections;
    ++found->selections;
    slot = static_cast<std::remove_reference_t<decltype(slot)>>(object);
    return old;
  };
  switch (found->kind()) {
    case gdi::Kind::kPen:
      return swap(a.pen);
    case gdi::Kind::kBrush:
      return swap(a.brush);
    case gdi::Kind::kFont:
      return swap(a.font);
    case gdi::Kind::kRegion:
      return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(dc, static_cast<HRGN>(object))));
    case gdi::Kind::kBitmap: {
      auto* bitmap = static_cast<gdi::BitmapObject*>(found);
      if (!context->IsMemory()) return nullptr;
      HBITMAP old = context->Bitmap();
      if (object == old) return old;
      if (bitmap->selections > 0 && !gdi::IsStock(object)) return nullptr;
      context->SelectBitmap(static_cast<HBITMAP>(object), bitmap);
      return old;
    }
    case gdi::Kind::kDC:
      return nullptr;
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN:
      return context->Attributes().pen;
    case OBJ_BRUSH:
      return context->Attributes().brush;
    case OBJ_FONT:
      return context->Attributes().font;
    case OBJ_BITMAP:
      return context->Bitmap();
    default:
      return nullptr;
  }
}

int SaveDC(HDC dc) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return 0;
  context->Saved().push_back(context->Attributes());
  gdi::AdjustSelections(context->Attributes(), +1);
  return int(context->Saved().size());
}

BOOL RestoreDC(HDC dc, int savedDC) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return FALSE;
  auto& saved = context->Saved();
  int level = savedDC < 0 ? int(saved.size()) + 1 + savedDC : savedDC;
  if (savedDC == 0 || level < 1 || level > int(saved.size())) return FALSE;
  while (int(saved.size()) >= level) {
    gdi::AdjustSelections(context->Attributes(), -1);
    context->Attributes() = std::move(saved.back());
    saved.pop_back();
  }
  context->ClipChanged();
  return TRUE;
}

namespace {

template <class T>
T Exchange(HDC dc, T gdi::DcAttributes::*member, T value, T failure) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return failure;
  T old = context->Attributes().*member;
  context->Attributes().*member = value;
  return old;
}

template <class T>
T Read(HDC dc, T gdi::DcAttributes::*member, T failure) {
  DeviceContext* context = DC(dc);
  return context != nullptr ? context->Attributes().*member : failure;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return Exchange(dc, &gdi::DcAttributes::textColor, color, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) {
  return Read(dc, &gdi::DcAttributes::textColor, CLR_INVALID);
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return Exchange(dc, &gdi::DcAttributes::bkColor, color, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) {
  return Read(dc, &gdi::DcAttributes::bkColor, CLR_INVALID);
}

int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return Exchange(dc, &gdi::DcAttributes::bkMode, mode, 0);
}
int GetBkMode(HDC dc) {
  return Read(dc, &gdi::DcAttributes::bkMode, 0);
}

UINT SetTextAlign(HDC dc, UINT align) {
  return Exchange(dc, &gdi::DcAttributes::textAlign, align, GDI_ERROR);
}
UINT GetTextAlign(HDC dc) {
  return Read(dc, &gdi::DcAttributes::textAlign, GDI_ERROR);
}

int SetMapMode(HDC dc, int mode) {
  if (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) return 0;
  DeviceContext* context = DC(dc);
  if (context == nullptr) return 0;
  gdi::DcAttributes& a = context->Attributes();
  int old = a.mapMode;
  a.mapMode = mode;
  if (mode == MM_TEXT) {
    a.windowExt = {1, 1};
    a.viewportExt = {1, 1};
  }
  return old;
}
int GetMapMode(HDC dc) {
  return Read(dc, &gdi::DcAttributes::mapMode, 0);
}

namespace {

BOOL SetPair(HDC dc, POINT gdi::DcAttributes::*member, int x, int y, POINT* old) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return FALSE;
  if (old != nullptr) *old = context->Attributes().*member;
  context->Attributes().*member = {x, y};
  return TRUE;
}

// Extents matter only in the scaling modes, and a zero extent would divide by zero.
BOOL SetExtent(HDC dc, SIZE gdi::DcAttributes::*member, int x, int y, SIZE* old) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || x == 0 || y == 0) return FALSE;
  if (old != nullptr) *old = context->Attributes().*member;
  if (context->Attributes().mapMode == MM_TEXT) return TRUE;
  context->Attributes().*member = {x, y};
  return TRUE;
}

template <class T>
BOOL Get(HDC dc, T gdi::DcAttributes::*member, T* out) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || out == nullptr) return FALSE;
  *out = context->Attributes().*member;
  return TRUE;
}

}  // namespace

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) {
  return SetPair(dc, &gdi::DcAttributes::windowOrg, x, y, old);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
  return SetPair(dc, &gdi::DcAttributes::viewportOrg, x, y, old);
}
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* old) {
  return SetExtent(dc, &gdi::DcAttributes::windowExt, x, y, old);
}
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* old) {
  return SetExtent(dc, &gdi::DcAttributes::viewportExt, x, y, old);
}
BOOL GetWindowOrgEx(HDC dc, POINT* p) {
  return Get(dc, &gdi::DcAttributes::windowOrg, p);
}
BOOL GetViewportOrgEx(HDC dc, POINT* p) {
  return Get(dc, &gdi::DcAttributes::viewportOrg, p);
}
BOOL GetWindowExtEx(HDC dc, SIZE* s) {
  return Get(dc, &gdi::DcAttributes::windowExt, s);
}
BOOL GetViewportExtEx(HDC dc, SIZE* s) {
  return Get(dc, &gdi::DcAttributes::viewportExt, s);
}

BOOL LPtoDP(HDC dc, POINT* points, int count) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || (points == nullptr && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = context->ToDevice(points[i]);
  return TRUE;
}

BOOL DPtoLP(HDC dc, POINT* points, int count) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || (points == nullptr && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = context->ToLogical(points[i]);
  return TRUE;
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) {
  return SetPair(dc, &gdi::DcAttributes::brushOrg, x, y, old);
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
  return SetPair(dc, &gdi::DcAttributes::currentPos, x, y, old);
}

BOOL GetCurrentPositionEx(HDC dc, POINT* p) {
  return Get(dc, &gdi::DcAttributes::currentPos, p);
}

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
  gdi::DcAttributes& a = context->Attributes();
  if (rgn == nullptr) {
    if (mode != RGN_COPY) return RGN_ERROR;
    a.clip.reset();
  } else {
    Region* region = RegionFromHandle(rgn);
    if (region == nullptr) return RGN_ERROR;
    if (mode == RGN_COPY || !a.clip) {
      // Combining with "no clip region" combines with the whole device.
      Region all(RECT{-context->Origin().x, -context->Origin().y, 32767, 32767});
      a.clip = mode == RGN_COPY ? *region : Region::Combine(all, *region, mode);
    } else {
      a.clip = Region::Combine(*a.clip, *region, mode);
    }
  }
  context->ClipChanged();
  return context->Clip().Complexity();
}

int SelectClipRgn(HDC dc, HRGN rgn) {
  return ExtSelectClipRgn(dc, rgn, RGN_COPY);
}

namespace {

// A logical rectangle as a device-coordinate region, for the clip calls.
int CombineClipRect(HDC dc, int left, int top, int right, int bottom, int mode) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return RGN_ERROR;
  POINT a = context->ToDevice({left, top});
  POINT b = context->ToDevice({right, bottom});
  HRGN rgn =
      CreateRectRgn(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
  int result = ExtSelectClipRgn(dc, rgn, mode);
  DeleteObject(rgn);
  return result;
}

}  // namespace

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return CombineClipRect(dc, left, top, right, bottom, RGN_AND);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return CombineClipRect(dc, left, top, right, bottom, RGN_DIFF);
}

int GetClipBox(HDC dc, RECT* rect) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || rect == nullptr) return RGN_ERROR;
  const Region& clip = context->Clip();
  RECT box = clip.Box();
  POINT o = context->Origin();
  POINT a = context->ToLogical({box.left - o.x, box.top - o.y});
  POINT b = context->ToLogical({box.right - o.x, box.bottom - o.y});
  *rect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  return clip.Complexity();
}

int GetClipRgn(HDC dc, HRGN rgn) {
  DeviceContext* context = DC(dc);
  Region* target = RegionFromHandle(rgn);
  if (context == nullptr || target == nullptr) return -1;
  if (!context->Attributes().clip) return 0;
  *target = *context->Attributes().clip;
  return 1;
}

BOOL PtVisible(HDC dc, int x, int y) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return FALSE;
  POINT p = context->ToSurface({x, y});
  return context->Clip().Contains(p.x, p.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
  DeviceContext* context = DC(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  return context->Clip().Intersects(context->ToSurfaceRect(*rect)) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC dc, int index) {
  DeviceContext* context = DC(dc);
  if (context == nullptr) return 0;
  switch (index) {
    case HORZRES:
      return context->Target().Width();
    case VERTRES:
      return context->Target().Height();
    case BITSPIXEL:
      return context->IsMonochrome() ? 1 : 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;
    case RASTERCAPS:
      return 0;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case SIZEPALETTE:
      return 0;
    default:
      return 0;
  }
}

}  // namespace platform
