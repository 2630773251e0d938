// The ADO data type to field type table, one line per case.
#include "data/ado_field_type.h"

#include <gtest/gtest.h>

namespace {

using enum TFieldType;

struct Case {
  std::int32_t adoType;
  std::int32_t precision;
  std::int32_t scale;
  bool enableBCD;
  TFieldType expected;
};

// adoType, precision, scale, EnableBCD, field type
const Case kCases[] = {
    {2, 0, 0, true, ftSmallint},      // adSmallInt
    {16, 0, 0, true, ftSmallint},     // adTinyInt
    {3, 0, 0, true, ftInteger},       // adInteger
    {10, 0, 0, true, ftInteger},      // adError
    {19, 0, 0, true, ftInteger},      // adUnsignedInt
    {4, 0, 0, true, ftFloat},         // adSingle
    {5, 0, 0, true, ftFloat},         // adDouble
    {6, 0, 0, true, ftBCD},           // adCurrency
    {6, 0, 0, false, ftBCD},          // adCurrency does not depend on EnableBCD
    {7, 0, 0, true, ftDateTime},      // adDate
    {64, 0, 0, true, ftDateTime},     // adFileTime
    {135, 0, 0, true, ftDateTime},    // adDBTimeStamp
    {137, 0, 0, true, ftDateTime},    // adDBFileTime
    {8, 0, 0, true, ftWideString},    // adBSTR
    {130, 0, 0, true, ftWideString},  // adWChar
    {202, 0, 0, true, ftWideString},  // adVarWChar
    {9, 0, 0, true, ftIDispatch},     // adIDispatch
    {11, 0, 0, true, ftBoolean},      // adBoolean
    {12, 0, 0, true, ftVariant},      // adVariant
    {138, 0, 0, true, ftVariant},     // adPropVariant
    {13, 0, 0, true, ftInterface},    // adIUnknown
    {14, 18, 4, true, ftBCD},         // adDecimal
    {14, 18, 4, false, ftFloat},      // adDecimal without BCD
    {131, 12, 2, true, ftBCD},        // adNumeric
    {131, 12, 2, false, ftFloat},     // adNumeric without BCD
    {131, 9, 0, true, ftInteger},     // adNumeric of whole numbers that fit 32 bits
    {131, 9, 0, false, ftInteger},    // the same without BCD
    {131, 10, 0, true, ftBCD},        // ten digits may not fit
    {139, 12, 2, true, ftBCD},        // adVarNumeric
    {139, 9, 0, true, ftBCD},         // the whole-number rule is adNumeric's alone
    {17, 0, 0, true, ftWord},         // adUnsignedTinyInt
    {18, 0, 0, true, ftWord},         // adUnsignedSmallInt
    {20, 0, 0, true, ftLargeint},     // adBigInt
    {21, 0, 0, true, ftLargeint},     // adUnsignedBigInt
    {72, 0, 0, true, ftGuid},         // adGUID
    {128, 0, 0, true, ftBytes},       // adBinary
    {129, 0, 0, true, ftFixedChar},   // adChar
    {133, 0, 0, true, ftDate},        // adDBDate
    {134, 0, 0, true, ftTime},        // adDBTime
    {136, 0, 0, true, ftDataSet},     // adChapter
    {200, 0, 0, true, ftString},      // adVarChar
    {201, 0, 0, true, ftMemo},        // adLongVarChar
    {203, 0, 0, true, ftMemo},        // adLongVarWChar
    {204, 0, 0, true, ftVarBytes},    // adVarBinary
    {205, 0, 0, true, ftBlob},        // adLongVarBinary
    {0, 0, 0, true, ftUnknown},       // adEmpty
    {132, 0, 0, true, ftUnknown},     // adUserDefined
    {-1, 0, 0, true, ftUnknown},
};

TEST(ADOFieldTypeTest, EveryADOTypeMapsToItsFieldType) {
  for (const Case& c : kCases) {
    EXPECT_EQ(FieldTypeForADOColumn(c.adoType, c.precision, c.scale, c.enableBCD), c.expected)
        << "ADO type " << c.adoType << ", precision " << c.precision << ", scale " << c.scale
        << (c.enableBCD ? ", BCD" : ", no BCD");
  }
}

}  // namespace
