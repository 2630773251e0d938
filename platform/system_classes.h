// The window classes the system provides to every program ("EDIT", ...), registered on first
// use so that CreateWindowExA and GetClassInfoA find them without a registration call.
#pragma once

#include <string_view>

#include "platform/winuser.h"

namespace platform {

// Registers the system class of that name (any letter case) if there is one and it is not
// registered yet; true when the class exists afterwards.
bool EnsureSystemClass(std::string_view name);

// The window procedures of the system classes.
LRESULT EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform
