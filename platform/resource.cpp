// The process's table of embedded resources and the look-up calls over it.
#include "platform/resource.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform {
namespace {

struct Registry {
  std::mutex lock;
  std::vector<const ModuleRecord*> modules;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

// A requested name or type: an integer identifier (also written "#123") or a text.
struct Key {
  WORD id = 0;
  const char* text = nullptr;
};

Key ParseKey(LPCSTR key) {
  if (IS_INTRESOURCE(key)) return {static_cast<WORD>(reinterpret_cast<UINT_PTR>(key)), nullptr};
  if (key[0] == '#') {
    char* end = nullptr;
    unsigned long v = std::strtoul(key + 1, &end, 10);
    if (*end == '\0' && end != key + 1 && v <= 0xFFFF) return {static_cast<WORD>(v), nullptr};
  }
  return {0, key};
}

bool Matches(const Key& key, WORD id, const char* text) {
  if (key.text == nullptr) return text == nullptr && id == key.id;
  return text != nullptr && EqualNoCase(key.text, text);
}

HRSRC FindIn(const ModuleRecord& module, const Key& name, const Key& type) {
  for (std::size_t i = 0; i < module.count; ++i) {
    const ResourceEntry& e = module.entries[i];
    if (Matches(type, e.typeId, e.typeName) && Matches(name, e.nameId, e.name)) return &e;
  }
  return nullptr;
}

}  // namespace

void RegisterModule(const ModuleRecord& module) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  r.modules.push_back(&module);
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName == nullptr) return nullptr;
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  for (const ModuleRecord* m : r.modules) {
    if (EqualNoCase(m->moduleName, moduleName)) return m;
  }
  return nullptr;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (name == nullptr || type == nullptr) return nullptr;
  Key nameKey = ParseKey(name);
  Key typeKey = ParseKey(type);
  if (module != nullptr) return FindIn(*module, nameKey, typeKey);
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  for (const ModuleRecord* m : r.modules) {
    if (HRSRC found = FindIn(*m, nameKey, typeKey)) return found;
  }
  return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }

LPVOID LockResource(HGLOBAL loaded) {
  return loaded ? static_cast<HRSRC>(loaded)->data : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) { return resource ? resource->size : 0; }

}  // namespace platform
