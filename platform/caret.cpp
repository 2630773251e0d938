// The caret's state and blink. The blink only invalidates the caret's box: the owner repaints
// it and EndPaint draws the caret on top, so no pixels are ever saved or restored.
#include "platform/caret.h"

#include "platform/draw.h"
#include "platform/window_system.h"

namespace platform {
namespace {

// Blinking stops after this long without a caret move, as desktop text boxes do, leaving the
// caret steady (and an idle program with nothing to wake for).
constexpr DWORD kBlinkTimeout = 10000;

struct Caret {
  HWND hwnd = nullptr;
  int width = 1;
  int height = 0;
  POINT pos{0, 0};
  int hidden = 1;
  bool on = true;
  DWORD since = 0;  // when the blink last restarted
  UINT_PTR timer = 0;
};

Caret caret;
UINT blinkTime = 530;

RECT Box() {
  return {caret.pos.x, caret.pos.y, caret.pos.x + caret.width, caret.pos.y + caret.height};
}

void InvalidateBox() {
  if (!WindowSystem::Get().Valid(caret.hwnd)) return;
  RECT r = Box();
  InvalidateRect(caret.hwnd, &r, FALSE);
}

void StopTimer() {
  if (caret.timer) KillTimer(nullptr, caret.timer);
  caret.timer = 0;
}

void Blink(HWND, UINT, UINT_PTR id, DWORD) {
  WindowSystem& ws = WindowSystem::Get();
  if (id != caret.timer) return;
  if (!ws.Valid(caret.hwnd)) {
    DestroyCaret();
    return;
  }
  caret.on = !caret.on;
  InvalidateBox();
  if (caret.on && ws.Screen().Now() - caret.since >= kBlinkTimeout) StopTimer();
}

void RestartBlink() {
  caret.on = true;
  caret.since = WindowSystem::Get().Screen().Now();
  if (caret.hidden > 0) {
    StopTimer();
    return;
  }
  caret.timer = SetTimer(nullptr, caret.timer, blinkTime, Blink);
}

bool Owns(HWND hwnd) {
  return caret.hwnd && (hwnd == nullptr || hwnd == caret.hwnd);
}

}  // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
  if (!WindowSystem::Get().Valid(hwnd)) return FALSE;
  DestroyCaret();
  caret.hwnd = hwnd;
  caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  caret.pos = {0, 0};
  caret.hidden = 1;
  caret.on = true;
  return TRUE;
}

BOOL DestroyCaret() {
  if (!caret.hwnd) return FALSE;
  if (caret.hidden == 0) InvalidateBox();
  StopTimer();
  caret = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  if (!Owns(hwnd) || caret.hidden == 0) return FALSE;
  if (--caret.hidden == 0) {
    RestartBlink();
    InvalidateBox();
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  if (!Owns(hwnd)) return FALSE;
  if (caret.hidden++ == 0) {
    StopTimer();
    InvalidateBox();
  }
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!caret.hwnd) return FALSE;
  if (caret.pos.x == x && caret.pos.y == y) {
    if (caret.hidden == 0 && !caret.on) InvalidateBox();
    RestartBlink();
    return TRUE;
  }
  if (caret.hidden == 0) InvalidateBox();
  caret.pos = {x, y};
  RestartBlink();
  if (caret.hidden == 0) InvalidateBox();
  return TRUE;
}

BOOL GetCaretPos(POINT* pt) {
  if (!pt || !caret.hwnd) return FALSE;
  *pt = caret.pos;
  return TRUE;
}

UINT GetCaretBlinkTime() {
  return blinkTime;
}

BOOL SetCaretBlinkTime(UINT ms) {
  if (ms == 0) return FALSE;
  blinkTime = ms;
  return TRUE;
}

bool CaretDrawn() {
  return caret.hwnd && caret.hidden == 0 && caret.on && IsWindowVisible(caret.hwnd);
}

void PaintCaret(HWND hwnd, HDC dc) {
  if (hwnd != caret.hwnd || !dc || !CaretDrawn()) return;
  RECT r = Box();
  InvertRect(dc, &r);
}

}  // namespace platform
