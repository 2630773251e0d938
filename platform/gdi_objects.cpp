// The GDI object table: slots with generations, so stale handles fail instead of aliasing.
#include "platform/gdi_objects.h"

#include <cstdint>
#include <vector>

namespace platform::gdi {
namespace {

struct Slot {
  std::unique_ptr<Object> object;
  std::uint32_t generation = 1;
  bool stock = false;
};

// Slot index in the low 24 bits (plus one, so no handle is null), generation above.
constexpr std::uintptr_t kIndexBits = 24;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t(1) << kIndexBits) - 1;

struct Table {
  std::vector<Slot> slots;
  std::vector<std::size_t> free;
};

Table& TheTable() {
  static Table table;
  return table;
}

HGDIOBJ Encode(std::size_t index, std::uint32_t generation) {
  return reinterpret_cast<HGDIOBJ>((std::uintptr_t(generation) << kIndexBits) | (index + 1));
}

Slot* Find(HGDIOBJ handle) {
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  std::size_t index = value & kIndexMask;
  if (index == 0) return nullptr;
  Table& table = TheTable();
  if (index > table.slots.size()) return nullptr;
  Slot& slot = table.slots[index - 1];
  if (!slot.object || (value >> kIndexBits) != (slot.generation & 0xFFFFFF)) return nullptr;
  return &slot;
}

}  // namespace

DWORD Object::ObjectType() const {
  switch (kind()) {
    case Kind::kRegion:
      return OBJ_REGION;
    case Kind::kPen:
      return OBJ_PEN;
    case Kind::kBrush:
      return OBJ_BRUSH;
    case Kind::kFont:
      return OBJ_FONT;
    case Kind::kBitmap:
      return OBJ_BITMAP;
    case Kind::kDC:
      return OBJ_DC;
  }
  return 0;
}

HGDIOBJ Insert(std::unique_ptr<Object> object, bool stock) {
  Table& table = TheTable();
  std::size_t index;
  if (!table.free.empty()) {
    index = table.free.back();
    table.free.pop_back();
  } else {
    index = table.slots.size();
    table.slots.emplace_back();
  }
  Slot& slot = table.slots[index];
  slot.object = std::move(object);
  slot.stock = stock;
  return Encode(index, slot.generation & 0xFFFFFF);
}

Object* Lookup(HGDIOBJ handle) {
  Slot* slot = Find(handle);
  return slot != nullptr ? slot->object.get() : nullptr;
}

bool IsStock(HGDIOBJ handle) {
  Slot* slot = Find(handle);
  return slot != nullptr && slot->stock;
}

bool Erase(HGDIOBJ handle) {
  Slot* slot = Find(handle);
  if (slot == nullptr) return false;
  if (slot->stock) return true;
  slot->object.reset();
  ++slot->generation;
  TheTable().free.push_back(std::size_t(slot - TheTable().slots.data()));
  return true;
}

}  // namespace platform::gdi

namespace platform {

BOOL DeleteObject(HGDIOBJ object) {
  gdi::Object* found = gdi::Lookup(object);
  if (found == nullptr || found->kind() == gdi::Kind::kDC) return FALSE;
  if (gdi::IsStock(object)) return TRUE;
  if (found->selections > 0) return FALSE;
  return gdi::Erase(object) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
  gdi::Object* found = gdi::Lookup(object);
  return found != nullptr ? found->ObjectType() : 0;
}

}  // namespace platform
