// The value of a column's stored bytes, as the row holds them.
#pragma once

#include <cstdint>

#include "provider/jet/byte_view.h"
#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// The value `bytes` (a field of a row, not Null) stand for in `column` of a file of `version`
// whose Jet 3 text is in `codePage`. Types this engine does not know read as their bytes.
// corruption when the bytes are shorter than the type or the text is damaged; invalidArgument
// for a memo or OLE field, which refers to long-value pages instead of holding the value.
Result<Value> DecodeStoredValue(const Column& column, ByteView bytes, JetVersion version,
                                std::uint16_t codePage);

}  // namespace provider::jet
