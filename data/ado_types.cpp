// The ADO value tables of the ADO components' enumerations.
#include "data/ado_types.h"

#include <array>

#include "core/exceptions.h"

namespace {

constexpr std::array<std::int32_t, 6> kCommandType = {8, 1, 2, 4, 256, 512};
constexpr std::array<std::int32_t, 8> kConnectMode = {0, 1, 2, 3, 4, 8, 12, 16};
constexpr std::array<std::int32_t, 2> kCursorLocation = {2, 3};
constexpr std::array<std::int32_t, 5> kCursorType = {-1, 0, 1, 2, 3};
constexpr std::array<std::int32_t, 5> kLockType = {-1, 1, 2, 3, 4};
constexpr std::array<std::int32_t, 4> kExecuteOption = {0x10, 0x20, 0x40, 0x80};
constexpr std::array<std::int32_t, 2> kConnectOption = {-1, 16};
constexpr std::array<std::int32_t, 9> kIsolationLevel = {-1,   16,    256,     256,    4096,
                                                         4096, 65536, 1048576, 1048576};
constexpr std::array<std::int32_t, 2> kXactAttribute = {131072, 262144};
constexpr std::array<std::int32_t, 2> kMarshalOption = {0, 1};

}  // namespace

std::span<const std::int32_t> ADOValueTable(TCommandType) {
  return kCommandType;
}
std::span<const std::int32_t> ADOValueTable(TConnectMode) {
  return kConnectMode;
}
std::span<const std::int32_t> ADOValueTable(TCursorLocation) {
  return kCursorLocation;
}
std::span<const std::int32_t> ADOValueTable(TCursorType) {
  return kCursorType;
}
std::span<const std::int32_t> ADOValueTable(TADOLockType) {
  return kLockType;
}
std::span<const std::int32_t> ADOValueTable(TExecuteOption) {
  return kExecuteOption;
}
std::span<const std::int32_t> ADOValueTable(TConnectOption) {
  return kConnectOption;
}
std::span<const std::int32_t> ADOValueTable(TIsolationLevel) {
  return kIsolationLevel;
}
std::span<const std::int32_t> ADOValueTable(TXactAttribute) {
  return kXactAttribute;
}
std::span<const std::int32_t> ADOValueTable(TMarshalOption) {
  return kMarshalOption;
}

void InvalidEnumValue() {
  throw EADOError("Invalid Enum Value");
}
