// Memo and OLE values: the 12-byte field in the row and the long-value rows it points to.
#pragma once

#include <string>

#include "provider/jet/byte_view.h"
#include "provider/jet/format.h"
#include "provider/jet/page_file.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// The whole stored value of a memo or OLE field whose in-row bytes are `field`.
Result<Bytes> ReadLongValue(const PageFile& file, const Format& format, ByteView field,
                            const std::string& where);

}  // namespace provider::jet
