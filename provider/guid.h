// Class and interface ids: the 128-bit names objects are created and asked for by.
#pragma once

#include <array>
#include <cstdint>

namespace provider {

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::array<std::uint8_t, 8> Data4;
  bool operator==(const GUID&) const = default;
};

using CLSID = GUID;
using IID = GUID;

// ADO's ids all share the tail -0000-0010-8000-00AA006D2EA4.
constexpr GUID AdoGuid(std::uint32_t data1) {
  return GUID{data1, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}};
}

constexpr CLSID CLSID_Connection = AdoGuid(0x00000514);
constexpr CLSID CLSID_Command = AdoGuid(0x00000507);
constexpr CLSID CLSID_Recordset = AdoGuid(0x00000535);

constexpr IID IID_Connection = AdoGuid(0x00000550);
constexpr IID IID_Command = AdoGuid(0x0000054E);
constexpr IID IID_Recordset = AdoGuid(0x00000555);
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace provider
