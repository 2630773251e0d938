// How the Jet provider describes a Jet column to ADO: its DataTypeEnum, sizes and attributes.
#pragma once

#include "provider/jet/column.h"
#include "provider/jet/format.h"
#include "provider/row_set.h"

namespace provider {

// `updatable` is whether the row set can write values at all; auto-numbered columns are never
// updatable. Columns of a code the engine does not know are reported as variable binary.
ColumnInfo JetColumnInfo(const jet::Column& column, jet::JetVersion version, bool updatable);

}  // namespace provider
