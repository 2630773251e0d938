// Device contexts: creation over window surfaces and bitmaps, selection, state and clipping.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/surface.h"
#include "platform/windef.h"

namespace platform {

// A device context over a top-level window's surface, for the window layer's BeginPaint and
// GetDC. `origin` is the window's client origin within the surface; device coordinate (0, 0)
// is that point. `visible` is in surface coordinates and bounds every drawing call (a copy is
// taken; the caller keeps its region). Null `visible` means the whole surface. The surface
// must outlive the device context.
HDC CreateSurfaceDC(Surface& surface, POINT origin, HRGN visible);
// Frees a device context made by CreateSurfaceDC; objects it had selected are released.
void ReleaseSurfaceDC(HDC dc);

// A memory device context; a 1 × 1 monochrome bitmap is selected until another is.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);

// Selects a pen, brush, font or bitmap (memory device contexts only) and returns the
// previous object of that kind; a region sets the clip region (SelectClipRgn) and returns its
// complexity cast to a handle. Null for a bad handle, or for a bitmap already selected
// elsewhere.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

// Pushes the attributes, selections, mapping and clipping; RestoreDC(-1) pops one, a
// positive level returns to the state SaveDC reported.
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT TA_RTLREADING = 256;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// Mapping: device = (logical - window origin) × viewport extent / window extent + viewport
// origin, per axis. MM_TEXT is the identity; MM_ISOTROPIC and MM_ANISOTROPIC use the extents
// (isotropic keeps both scales the same size). A negative extent ratio mirrors the axis:
// shapes are mirrored, text is not (it is drawn left to right in the mirrored box).
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* old);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* old);
BOOL GetWindowOrgEx(HDC dc, POINT* point);
BOOL GetWindowExtEx(HDC dc, SIZE* size);
BOOL GetViewportOrgEx(HDC dc, POINT* point);
BOOL GetViewportExtEx(HDC dc, SIZE* size);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC dc, POINT* point);

// Clipping. The clip region is in device coordinates and is always further bounded by the
// visible region the device context was made with. Results are region complexities.
constexpr int RGN_ERROR = 0;
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// The box of what can be drawn, in logical coordinates.
int GetClipBox(HDC dc, RECT* rect);
// Copies the clip region into rgn: 1 when there is one, 0 when none is set, -1 on error.
int GetClipRgn(HDC dc, HRGN rgn);
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* rect);

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int RC_PALETTE = 0x0100;
// The screen is 96 pixels per inch and 32 bits per pixel, with no palette.
int GetDeviceCaps(HDC dc, int index);

}  // namespace platform
