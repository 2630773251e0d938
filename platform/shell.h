// Opening documents and web addresses with the desktop's own handler.
#pragma once

#include <string>
#include <string_view>

#include "platform/winuser.h"

namespace platform {

// Opens the file or address asynchronously through xdg-open; the outcome of the opener is not
// waited for. Returns a value above 32 when the opener was started, as the original call does,
// and 2 (file not found) for an empty target. Only the "open" verb (or none) is known.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, int showCommand);

// What the opener is given for a target: a bare host name such as "www.example.org" becomes a
// web address; anything with a scheme or a path is passed unchanged.
std::string ShellOpenTarget(std::string_view file);

}  // namespace platform
