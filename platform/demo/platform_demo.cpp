// A small program on the window system: Persian text, shapes with an XOR line, and a scrolled
// list in child windows of one top-level window. Every click received is written to standard
// output as "click <window> <x> <y>" and every typed character as "char <window> <byte>".
// With --png FILE it renders once on the headless screen, writes the picture and exits.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/codepage.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawtext.h"
#include "platform/fonts.h"
#include "platform/headless/headless_backend.h"
#include "platform/pens_brushes.h"
#include "platform/rop2.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/text.h"
#include "platform/winuser.h"

using namespace platform;

namespace {

constexpr int kLines = 40;
constexpr int kLineHeight = 18;

HFONT Tahoma(int height) {
  LOGFONTA lf{};
  lf.lfHeight = -height;
  lf.lfWeight = 400;
  lf.lfCharSet = ARABIC_CHARSET;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return CreateFontIndirectA(&lf);
}

void PaintText(HWND hwnd, HDC dc) {
  RECT r;
  GetClientRect(hwnd, &r);
  r.left += 8;
  r.right -= 8;
  r.top += 6;
  static const std::string text = Utf8ToAnsi(
      "این پنجره نمونه‌ای از لایهٔ پنجره‌هاست. متن فارسی از راست به چپ نوشته می‌شود "
      "و "
      "در پهنای پنجره به چند سطر شکسته می‌شود؛ عددها و واژه‌های لاتین مانند "
      "Velmora "
      "در میان آن جای خود را نگه می‌دارند.");
  HFONT font = Tahoma(15);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 128));
  DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_WORDBREAK | DT_RIGHT | DT_RTLREADING);
  SelectObject(dc, old);
  DeleteObject(font);
}

void PaintShapes(HWND hwnd, HDC dc) {
  RECT r;
  GetClientRect(hwnd, &r);
  HBRUSH yellow = CreateSolidBrush(RGB(255, 220, 80));
  HPEN maroon = CreatePen(PS_SOLID, 2, RGB(128, 0, 0));
  HGDIOBJ oldBrush = SelectObject(dc, yellow);
  HGDIOBJ oldPen = SelectObject(dc, maroon);
  Rectangle(dc, 10, 10, 90, 70);
  Ellipse(dc, 100, 10, 180, 70);
  RoundRect(dc, 190, 10, 270, 70, 16, 16);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SetROP2(dc, R2_XORPEN);
  HPEN white = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
  SelectObject(dc, white);
  MoveToEx(dc, 0, r.bottom / 2, nullptr);
  LineTo(dc, r.right, r.bottom / 2);
  SetROP2(dc, R2_COPYPEN);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(white);
  DeleteObject(yellow);
  DeleteObject(maroon);
}

void PaintList(HWND hwnd, HDC dc, const RECT& paint) {
  int top = GetScrollPos(hwnd, SB_VERT);
  HFONT font = Tahoma(12);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  for (int i = paint.top / kLineHeight; i <= paint.bottom / kLineHeight; ++i) {
    int line = top + i;
    if (line >= kLines) break;
    std::string text = Utf8ToAnsi("سطر ") + std::to_string(line + 1);
    RECT r;
    GetClientRect(hwnd, &r);
    r.top = i * kLineHeight;
    r.bottom = r.top + kLineHeight;
    r.right -= 6;
    DrawTextA(dc, text.c_str(), int(text.size()), &r,
              DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_RTLREADING);
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

void ScrollList(HWND hwnd, WORD code, int track) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, SB_VERT, &si);
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP:
      pos -= 1;
      break;
    case SB_LINEDOWN:
      pos += 1;
      break;
    case SB_PAGEUP:
      pos -= int(si.nPage);
      break;
    case SB_PAGEDOWN:
      pos += int(si.nPage);
      break;
    case SB_THUMBTRACK:
      pos = track;
      break;
    default:
      return;
  }
  int old = si.nPos;
  si.fMask = SIF_POS;
  si.nPos = pos;
  int now = SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  if (now != old) {
    ScrollWindowEx(hwnd, 0, (old - now) * kLineHeight, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE);
  }
}

LRESULT DemoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      std::string role = GetWindowString(hwnd);
      if (role == "text") PaintText(hwnd, dc);
      if (role == "shapes") PaintShapes(hwnd, dc);
      if (role == "list") PaintList(hwnd, dc, ps.rcPaint);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      std::printf("click %s %d %d\n", GetWindowString(hwnd).c_str(), short(LOWORD(DWORD(lParam))),
                  short(HIWORD(DWORD(lParam))));
      std::fflush(stdout);
      return 0;
    case WM_CHAR:
      std::printf("char %s %02X\n", GetWindowString(hwnd).c_str(), unsigned(wParam));
      std::fflush(stdout);
      return 0;
    case WM_VSCROLL:
      ScrollList(hwnd, LOWORD(DWORD(wParam)), HIWORD(DWORD(wParam)));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollList(hwnd, short(HIWORD(DWORD(wParam))) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      return 0;
    case WM_DESTROY:
      if (!GetParent(hwnd)) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

HWND BuildWindows() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DemoProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HANDLE>(UINT_PTR(COLOR_WINDOW + 1));
  wc.lpszClassName = "VelmoraDemo";
  RegisterClassA(&wc);
  WNDCLASSA face = wc;
  face.hbrBackground = reinterpret_cast<HANDLE>(UINT_PTR(COLOR_BTNFACE + 1));
  face.lpszClassName = "VelmoraDemoFace";
  RegisterClassA(&face);

  HWND main = CreateWindowExA(0, "VelmoraDemoFace", "main", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN,
                              40, 40, 600, 420, nullptr, nullptr, nullptr, nullptr);
  CreateWindowExA(WS_EX_CLIENTEDGE, "VelmoraDemo", "text", WS_CHILD | WS_VISIBLE, 300, 12, 288, 180,
                  main, nullptr, nullptr, nullptr);
  CreateWindowExA(WS_EX_CLIENTEDGE, "VelmoraDemo", "shapes", WS_CHILD | WS_VISIBLE, 12, 12, 280,
                  180, main, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR, "VelmoraDemo", "list",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL, 12, 204, 576, 200, main, nullptr,
                              nullptr, nullptr);
  RECT client;
  GetClientRect(list, &client);
  SCROLLINFO si{
      sizeof si, SIF_RANGE | SIF_PAGE, 0, kLines - 1, UINT(client.bottom / kLineHeight), 0, 0};
  SetScrollInfo(list, SB_VERT, &si, TRUE);
  ShowWindow(main, SW_SHOW);
  return main;
}

}  // namespace

int main(int argc, char** argv) {
  std::string png;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
      png = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--png FILE]\n", argv[0]);
      return 2;
    }
  }
  HeadlessBackend* headless = nullptr;
  try {
    if (png.empty()) {
      SetBackend(std::make_unique<SdlBackend>());
    } else {
      auto screen = std::make_unique<HeadlessBackend>(800, 600);
      headless = screen.get();
      SetBackend(std::move(screen));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "platform-demo: %s\n", e.what());
    return 1;
  }
  HWND main = BuildWindows();
  MSG msg;
  if (headless) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!headless->WritePng(main, png)) {
      std::fprintf(stderr, "platform-demo: cannot write %s\n", png.c_str());
      return 1;
    }
    return 0;
  }
  // Ready once the first picture is on the screen and nothing else is waiting.
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return 0;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  std::printf("ready\n");
  std::fflush(stdout);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
