// Handles of GDI objects and device contexts, and the calls common to every kind of object.
#pragma once

#include "platform/windef.h"

namespace platform {

// Every GDI object lives in one table owned by the painting layer; a handle names a slot and
// the slot's generation, so a handle that outlives its object is recognised and refused.
// The typed handles convert to HGDIOBJ as they do on the original system.
struct HRGN__;
struct HPEN__;
struct HBRUSH__;
struct HFONT__;
struct HBITMAP__;
struct HDC__;
using HGDIOBJ = void*;
using HRGN = HRGN__*;
using HPEN = HPEN__*;
using HBRUSH = HBRUSH__*;
using HFONT = HFONT__*;
using HBITMAP = HBITMAP__*;
using HDC = HDC__*;

constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;

// Frees a pen, brush, font, bitmap or region. Stock objects are left alone (success); an
// object still selected into a device context and a stale or null handle fail with FALSE.
BOOL DeleteObject(HGDIOBJ object);

// OBJ_* of a live handle, 0 for anything else.
DWORD GetObjectType(HGDIOBJ object);

}  // namespace platform
