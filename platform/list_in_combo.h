// How a combo box drives the list box it holds. Internal to the platform layer.
#pragma once

#include "platform/winuser.h"

namespace platform {

// The list sends its notices to `combo` instead of its parent, and, when it drops down as a
// popup, does not take activation and reports a mouse pick with kListPicked.
void AttachListToCombo(HWND list, HWND combo, bool popup);
constexpr WORD kListPicked = 0x7F01;

// Handles a navigation key (Up, Down, Page Up, Page Down, Home, End) for the list as if the
// user pressed it there; false for any other key. The selection change is notified as the
// user's.
bool ListNavigate(HWND list, int key);
// Selects the next item that starts with the character typed, as typing into the list does.
void ListTypeAhead(HWND list, char c);

}  // namespace platform
