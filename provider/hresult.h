// Result codes of the ADO-shaped calls: success, or a failure the caller reads with its error
// object (error_info.h). Names and values are those the data layer expects from ADO and Jet.
#pragma once

#include <cstdint>

namespace provider {

using HRESULT = std::int32_t;

constexpr bool SUCCEEDED(HRESULT hr) {
  return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
  return hr < 0;
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);

// The provider's own failures.
constexpr HRESULT DB_E_NOTABLE = static_cast<HRESULT>(0x80040E37);
constexpr HRESULT DB_E_ERRORSINCOMMAND = static_cast<HRESULT>(0x80040E14);
constexpr HRESULT DB_SEC_E_AUTH_FAILED = static_cast<HRESULT>(0x80040E4D);

// ADO's own failures (facility 0x0A, the ErrorValueEnum numbers in the low word).
constexpr HRESULT adErrInvalidArgument = static_cast<HRESULT>(0x800A0BB9);      // 3001
constexpr HRESULT adErrNoCurrentRecord = static_cast<HRESULT>(0x800A0BCD);      // 3021
constexpr HRESULT adErrFeatureNotAvailable = static_cast<HRESULT>(0x800A0CB3);  // 3251
constexpr HRESULT adErrItemNotFound = static_cast<HRESULT>(0x800A0CC1);         // 3265
constexpr HRESULT adErrObjectClosed = static_cast<HRESULT>(0x800A0E78);         // 3704
constexpr HRESULT adErrObjectOpen = static_cast<HRESULT>(0x800A0E79);           // 3705
constexpr HRESULT adErrProviderNotFound = static_cast<HRESULT>(0x800A0E7A);     // 3706
constexpr HRESULT adErrInvalidConnection = static_cast<HRESULT>(0x800A0E7D);    // 3709

}  // namespace provider
