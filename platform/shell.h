// Opening documents and web addresses with the desktop's own handler.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/winuser.h"

namespace platform {

// Opens the file or address asynchronously through xdg-open; the outcome of the opener is not
// waited for. Returns a value above 32 when the opener was started, as the original call does,
// and 2 (file not found) for an empty target. Only the "open" verb (or none) is known.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, int showCommand);

// Replaces the desktop's opener for the rest of the process: ShellExecuteA then hands each
// target it accepts (as given, single-byte text) to the hook and reports success. For a program
// that must record what it opens rather than start a browser; an empty hook restores xdg-open.
void SetShellOpenHook(std::function<void(const std::string& file)> hook);

// What the opener is given for a target: a bare host name such as "www.example.org" becomes a
// web address; anything with a scheme or a path is passed unchanged.
std::string ShellOpenTarget(std::string_view file);

}  // namespace platform
