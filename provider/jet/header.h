// The header page: file version, code page, sort order, page key and database password.
#pragma once

#include <cstdint>
#include <string>

#include "provider/jet/byte_view.h"
#include "provider/jet/format.h"
#include "provider/status.h"

namespace provider::jet {

struct DatabaseHeader {
  const Format* format = nullptr;
  std::uint16_t codePage = 0;     // for Jet 3 text
  std::uint16_t sortOrder = 0;    // LCID of the default sort order
  std::uint8_t sortVersion = 0;   // Jet 4 only
  std::uint32_t databaseKey = 0;  // non-zero: every page but this one is encrypted
  std::u16string password;        // empty when the database has none
  double creationDate = 0;        // Jet 4 only
};

// Reads the header from the start of the file. `fileName` goes into the message for a file
// that is not a Jet 3 or Jet 4 database ("Unrecognized database format 'x'.").
Result<DatabaseHeader> ReadHeader(ByteView file, const std::string& fileName);

}  // namespace provider::jet
