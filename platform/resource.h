// Resources by type and name, over the tables the resource embedder compiles into a program.
#pragma once

#include <cstddef>

#include "platform/windef.h"

namespace platform {

// One embedded resource. A type or name is either an integer identifier (the text is then
// null) or a text, stored in upper case.
struct ResourceEntry {
  WORD typeId;
  const char* typeName;
  WORD nameId;
  const char* name;
  const BYTE* data;
  DWORD size;
};

// The resource table of one module (the program itself, or a table a test embeds).
struct ModuleRecord {
  const char* moduleName;
  const ResourceEntry* entries;
  std::size_t count;
};

using HRSRC = const ResourceEntry*;
using HGLOBAL = const void*;
using LPVOID = const void*;

inline const LPCSTR RT_BITMAP = MAKEINTRESOURCEA(2);
inline const LPCSTR RT_RCDATA = MAKEINTRESOURCEA(10);

// Adds a module's table. Generated tables call this from a static initialiser, so they must be
// compiled into the executable itself (a library object nobody references would be dropped).
void RegisterModule(const ModuleRecord& module);

// The module of the given name; null asks for the running program, whose look-ups search every
// registered table in registration order.
HMODULE GetModuleHandleA(LPCSTR moduleName);

// Finds a resource by name and type. Names and types are integer identifiers, "#123" texts, or
// texts matched without regard to case. Returns null when there is no such resource.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);

}  // namespace platform
