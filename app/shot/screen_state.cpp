// The driver's view of the window system.
#include "app/shot/screen_state.h"

#include <cairo.h>

#include <algorithm>

#include "platform/codepage.h"
#include "platform/message_box.h"

namespace shot {
namespace {

using namespace platform;

BOOL CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowCaption(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return AnsiToUtf8(text);
}

std::string WindowClass(HWND window) {
  char name[256] = {};
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

Json WindowEntry(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  Json entry = Json::MakeObject();
  entry.Set("caption", WindowCaption(window));
  entry.Set("class", WindowClass(window));
  entry.Set("bounds", Json::MakeArray(
                          {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)}));
  entry.Set("visible", IsWindowVisible(window) != FALSE);
  entry.Set("enabled", IsWindowEnabled(window) != FALSE);
  entry.Set("active", GetActiveWindow() == window);
  entry.Set("state", IsIconic(window) ? "minimized" : IsZoomed(window) ? "maximized" : "normal");
  return entry;
}

HWND FindVisibleWindow(const std::string& caption) {
  for (HWND window : TopLevelWindows()) {
    if (IsWindowVisible(window) && WindowCaption(window) == caption) return window;
  }
  return nullptr;
}

Json MessageBoxEntries() {
  Json entries = Json::MakeArray();
  for (const MessageBoxRecord& box : MessageBoxesShown()) {
    Json entry = Json::MakeObject();
    entry.Set("caption", AnsiToUtf8(box.caption));
    entry.Set("text", AnsiToUtf8(box.text));
    entry.Set("open", IsWindow(box.window) != FALSE);
    entries.Push(entry);
  }
  return entries;
}

bool WriteScreenPng(const HeadlessBackend& screen, const std::string& path) {
  SIZE size = screen.ScreenSize();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.cx, size.cy);
  cairo_t* cr = cairo_create(surface);
  // The desktop: the system's classic background colour.
  cairo_set_source_rgb(cr, 0x3A / 255.0, 0x6E / 255.0, 0xA5 / 255.0);
  cairo_paint(cr);
  std::vector<HWND> windows = TopLevelWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (!IsWindowVisible(*it) || IsIconic(*it)) continue;
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t>& pixels = screen.Pixels(*it, &width, &height);
    if (pixels.empty()) continue;
    RECT r{};
    GetWindowRect(*it, &r);
    cairo_surface_t* frame = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels.data())),
        CAIRO_FORMAT_ARGB32, width, height, width * 4);
    cairo_set_source_surface(cr, frame, r.left, r.top);
    cairo_paint(cr);
    cairo_surface_destroy(frame);
  }
  cairo_destroy(cr);
  bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace shot
