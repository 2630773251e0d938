// Which field type a column of an ADO recordset becomes, from its ADO data type.
#pragma once

#include <cstdint>

#include "data/db_types.h"

// The field type for ADO data type `adoType` (a DataTypeEnum value). Decimal and numeric
// columns become ftBCD when `enableBCD` is set and ftFloat otherwise; a type the table does not
// know gives ftUnknown, which means the column gets no field definition.
TFieldType FieldTypeForADOType(std::int32_t adoType, bool enableBCD);

// The same for a whole column description: a numeric column with scale 0 and a precision
// below 10 holds whole numbers that fit 32 bits and becomes ftInteger.
TFieldType FieldTypeForADOColumn(std::int32_t adoType, std::int32_t precision,
                                 std::int32_t numericScale, bool enableBCD);
