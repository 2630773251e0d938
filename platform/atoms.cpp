// The global atom table.
#include "platform/atoms.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "platform/window_system.h"

namespace platform {
namespace {

constexpr ATOM kFirstStringAtom = 0xC000;
constexpr std::size_t kLongestName = 255;

struct Entry {
  std::string name;
  int references = 0;
};

std::map<ATOM, Entry>& Table() {
  static std::map<ATOM, Entry> table;
  return table;
}

// The integer atom a name stands for ("#123" or MAKEINTATOM), 0 when it is a string name.
ATOM IntegerAtom(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return ATOM(reinterpret_cast<UINT_PTR>(name));
  if (name[0] != '#' || name[1] == '\0') return 0;
  char* end = nullptr;
  long value = std::strtol(name + 1, &end, 10);
  return *end == '\0' && value > 0 && value < kFirstStringAtom ? ATOM(value) : 0;
}

ATOM Lookup(const std::string& upper) {
  for (const auto& [atom, entry] : Table()) {
    if (UpperCase(entry.name) == upper) return atom;
  }
  return 0;
}

}  // namespace

ATOM GlobalAddAtomA(LPCSTR name) {
  if (!name) return 0;
  if (ATOM integer = IntegerAtom(name)) return integer < kFirstStringAtom ? integer : 0;
  std::size_t length = std::strlen(name);
  if (length == 0 || length > kLongestName) return 0;
  if (ATOM existing = Lookup(UpperCase(name))) {
    ++Table()[existing].references;
    return existing;
  }
  ATOM next = kFirstStringAtom;
  while (Table().count(next) && next < 0xFFFF) ++next;
  if (Table().count(next)) return 0;
  Table()[next] = Entry{name, 1};
  return next;
}

ATOM GlobalFindAtomA(LPCSTR name) {
  if (!name) return 0;
  if (ATOM integer = IntegerAtom(name)) return integer < kFirstStringAtom ? integer : 0;
  return Lookup(UpperCase(name));
}

ATOM GlobalDeleteAtom(ATOM atom) {
  if (atom < kFirstStringAtom) return 0;
  auto it = Table().find(atom);
  if (it == Table().end()) return atom;
  if (--it->second.references == 0) Table().erase(it);
  return 0;
}

UINT GlobalGetAtomNameA(ATOM atom, char* buffer, int size) {
  if (!buffer || size <= 0 || atom == 0) return 0;
  std::string name;
  if (atom < kFirstStringAtom) {
    name = "#" + std::to_string(atom);
  } else {
    auto it = Table().find(atom);
    if (it == Table().end()) return 0;
    name = it->second.name;
  }
  std::size_t n = std::min(name.size(), std::size_t(size - 1));
  std::memcpy(buffer, name.data(), n);
  buffer[n] = '\0';
  return UINT(n);
}

}  // namespace platform
