// Memo and OLE values: the 12-byte field in the row and the long-value rows it points to.
#pragma once

#include "provider/jet/byte_view.h"
#include "provider/jet/format.h"
#include "provider/jet/page_file.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

// The whole stored value of a memo or OLE field whose in-row bytes are `field`. A failure names
// the long-value page and row that caused it, or no place when the field itself is damaged.
Result<Bytes> ReadLongValue(const PageFile& file, const Format& format, ByteView field);

// The same without a copy where the value lies in one place (inline or in one long-value row):
// the view is then into the page. A chained value is joined into `scratch`, which the view then
// refers to.
Result<ByteView> ReadLongValue(const PageFile& file, const Format& format, ByteView field,
                               Bytes& scratch);

}  // namespace provider::jet
