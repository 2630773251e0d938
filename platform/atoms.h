// The global atom table: strings registered under 16-bit numbers, and integer atoms.
#pragma once

#include "platform/winuser.h"

namespace platform {

inline LPCSTR MAKEINTATOM(ATOM atom) {
  return MAKEINTRESOURCEA(atom);
}

// A string atom is numbered from 0xC000 and counted: each add needs a delete. An integer
// atom (MAKEINTATOM below 0xC000, or a name "#123") is its own number and is never stored.
// Names compare without regard to letter case and are at most 255 bytes. 0 on failure.
ATOM GlobalAddAtomA(LPCSTR name);
ATOM GlobalFindAtomA(LPCSTR name);
// Returns 0 on success and the atom when it was not found.
ATOM GlobalDeleteAtom(ATOM atom);
// The atom's name ("#123" for an integer atom); the length copied, 0 for an unknown atom.
UINT GlobalGetAtomNameA(ATOM atom, char* buffer, int size);

}  // namespace platform
