// What the recordset tests over real files share: the last error's text and a field by name.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "provider/error_info.h"
#include "provider/recordset.h"

namespace adotest {

// The description of the last failed call, in UTF-8; read once, as error objects are.
inline std::string FailureText() {
  auto error = provider::GetErrorInfo();
  return error ? platform::WideToUtf8(error->description) : "<no error object>";
}

inline provider::Field* FieldNamed(provider::Recordset& rs, const std::u16string& name) {
  provider::Fields* fields = nullptr;
  provider::Field* field = nullptr;
  EXPECT_EQ(rs.get_Fields(&fields), provider::S_OK);
  EXPECT_EQ(fields->get_Item(name, &field), provider::S_OK);
  return field;
}

}  // namespace adotest
