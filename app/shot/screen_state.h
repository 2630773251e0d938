// What the driver reads off the window system: the top-level windows, the message boxes that
// were shown, and the whole screen as one picture.
#pragma once

#include <string>
#include <vector>

#include "app/shot/json.h"
#include "platform/headless/headless_backend.h"
#include "platform/winuser.h"

namespace shot {

// Every top-level window, topmost first. Single-byte texts are given as UTF-8.
std::vector<platform::HWND> TopLevelWindows();
std::string WindowCaption(platform::HWND window);
std::string WindowClass(platform::HWND window);

// {"caption", "class", "bounds", "visible", "enabled", "active", "state"} of a window.
Json WindowEntry(platform::HWND window);

// The visible top-level window with that caption (UTF-8), or null.
platform::HWND FindVisibleWindow(const std::string& caption);

// [{"caption", "text", "open"}]: every message box shown, in order.
Json MessageBoxEntries();

// Composes every visible top-level window, bottom first, on the screen's background and writes
// it as PNG. False when the file cannot be written.
bool WriteScreenPng(const platform::HeadlessBackend& screen, const std::string& path);

}  // namespace shot
