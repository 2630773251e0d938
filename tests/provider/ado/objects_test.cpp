// Creating objects by class id, and the variants values travel in.
#include <gtest/gtest.h>

#include "provider/command.h"
#include "provider/connection.h"
#include "provider/error_info.h"
#include "provider/factory.h"
#include "provider/recordset.h"
#include "provider/variant.h"

namespace provider {
namespace {

TEST(FactoryTest, CreatesTheThreeClassesAndRefusesOthers) {
  std::shared_ptr<Unknown> object;
  ASSERT_EQ(CoCreateInstance(CLSID_Connection, &object), S_OK);
  EXPECT_NE(QueryInterface<Connection>(object), nullptr);
  EXPECT_EQ(QueryInterface<Recordset>(object), nullptr);
  ASSERT_EQ(CoCreateInstance(CLSID_Command, &object), S_OK);
  EXPECT_NE(QueryInterface<Command>(object), nullptr);
  ASSERT_EQ(CoCreateInstance(CLSID_Recordset, &object), S_OK);
  EXPECT_NE(QueryInterface<Recordset>(object), nullptr);

  // An interface id is not a class id, and neither is a near miss of one.
  Connection closed;
  closed.Close();  // leaves an error object behind
  GUID nearMiss = CLSID_Connection;
  nearMiss.Data4[7] ^= 1;
  for (const GUID& clsid : {IID_Connection, IID_IUnknown, nearMiss}) {
    EXPECT_EQ(CoCreateInstance(clsid, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_FALSE(GetErrorInfo().has_value());
  EXPECT_EQ(CoCreateInstance(CLSID_Connection, nullptr), E_POINTER);
}

TEST(VariantTest, RowValuesAsFieldsHandThemOut) {
  struct Case {
    Value value;
    DataTypeEnum type;
    VARTYPE vt;
  };
  const Case cases[] = {
      {std::monostate{}, adLongVarWChar, VT_NULL},
      {std::u16string(u"سلام"), adVarWChar, VT_BSTR},
      {std::u16string(), adLongVarWChar, VT_BSTR},
      {std::int64_t{7}, adSmallInt, VT_I2},
      {std::int64_t{7}, adInteger, VT_I4},
      {std::int64_t{7}, adUnsignedTinyInt, VT_UI1},
      {true, adBoolean, VT_BOOL},
      {2.5, adDouble, VT_R8},
      {Currency{35000}, adCurrency, VT_CY},
      {DateTime{1.5}, adDate, VT_DATE},
      {Bytes{1, 2}, adLongVarBinary, VT_ARRAY | VT_UI1},
  };
  for (const Case& c : cases) {
    Variant v = Variant::FromValue(c.value, c.type);
    EXPECT_EQ(v.vt(), c.vt) << c.type;
    Value back;
    ASSERT_TRUE(v.ToValue(c.type, &back)) << c.type;
    EXPECT_EQ(back, c.value) << c.type;
  }

  Guid guid{{0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD,
             0xEE, 0xFF}};
  EXPECT_EQ(Variant::FromValue(guid, adGUID),
            Variant::String(u"{00112233-4455-6677-8899-AABBCCDDEEFF}"));
}

TEST(VariantTest, ValuesThatDoNotFitTheirColumnAreRefused) {
  struct Case {
    Variant variant;
    DataTypeEnum type;
  };
  const Case cases[] = {
      {Variant::Int32(40000), adSmallInt},
      {Variant::Int32(-1), adUnsignedTinyInt},
      {Variant::Int64(std::int64_t{1} << 40), adInteger},
      {Variant::String(u"12"), adInteger},
      {Variant::Int32(12), adVarWChar},
      {Variant::Double(1.5), adInteger},
      {Variant::String(u"x"), adLongVarBinary},
  };
  for (const Case& c : cases) {
    Value out;
    EXPECT_FALSE(c.variant.ToValue(c.type, &out)) << c.type;
  }
  Value out;
  ASSERT_TRUE(Variant::Int16(3).ToValue(adCurrency, &out));
  EXPECT_EQ(out, Value(Currency{30000}));
  ASSERT_TRUE(Variant().ToValue(adVarWChar, &out));
  EXPECT_TRUE(IsNull(out));
}

}  // namespace
}  // namespace provider
