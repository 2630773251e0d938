// The enumerations of the ADO components and the ADO values each stands for.
#pragma once

#include <cstdint>
#include <span>

#include "core/sets.h"

enum class TCommandType : std::uint8_t {
  cmdUnknown,
  cmdText,
  cmdTable,
  cmdStoredProc,
  cmdFile,
  cmdTableDirect,
};

enum class TConnectMode : std::uint8_t {
  cmUnknown,
  cmRead,
  cmWrite,
  cmReadWrite,
  cmShareDenyRead,
  cmShareDenyWrite,
  cmShareExclusive,
  cmShareDenyNone,
};

enum class TCursorLocation : std::uint8_t { clUseServer, clUseClient };

enum class TCursorType : std::uint8_t {
  ctUnspecified,
  ctOpenForwardOnly,
  ctKeyset,
  ctDynamic,
  ctStatic,
};

enum class TADOLockType : std::uint8_t {
  ltUnspecified,
  ltReadOnly,
  ltPessimistic,
  ltOptimistic,
  ltBatchOptimistic,
};

enum class TExecuteOption : std::uint8_t {
  eoAsyncExecute,
  eoAsyncFetch,
  eoAsyncFetchNonBlocking,
  eoExecuteNoRecords,
};
using TExecuteOptions = SetOf<TExecuteOption>;

enum class TConnectOption : std::uint8_t { coConnectUnspecified, coAsyncConnect };

enum class TIsolationLevel : std::uint8_t {
  ilUnspecified,
  ilChaos,
  ilReadUncommitted,
  ilBrowse,
  ilCursorStability,
  ilReadCommitted,
  ilRepeatableRead,
  ilSerializable,
  ilIsolated,
};

enum class TXactAttribute : std::uint8_t { xaCommitRetaining, xaAbortRetaining };
using TXactAttributes = SetOf<TXactAttribute>;

enum class TMarshalOption : std::uint8_t { moMarshalAll, moMarshalModifiedOnly };

// The ADO value of each enumeration value, indexed by ordinal. Several values of
// TIsolationLevel share one ADO value; reading it back gives the first of them.
std::span<const std::int32_t> ADOValueTable(TCommandType);
std::span<const std::int32_t> ADOValueTable(TConnectMode);
std::span<const std::int32_t> ADOValueTable(TCursorLocation);
std::span<const std::int32_t> ADOValueTable(TCursorType);
std::span<const std::int32_t> ADOValueTable(TADOLockType);
std::span<const std::int32_t> ADOValueTable(TExecuteOption);
std::span<const std::int32_t> ADOValueTable(TConnectOption);
std::span<const std::int32_t> ADOValueTable(TIsolationLevel);
std::span<const std::int32_t> ADOValueTable(TXactAttribute);
std::span<const std::int32_t> ADOValueTable(TMarshalOption);

// Raises EADOError "Invalid Enum Value".
[[noreturn]] void InvalidEnumValue();

// The ADO value an enumeration value is passed to an ADO object as.
template <class E>
std::int32_t ADOValue(E value) {
  return ADOValueTable(E{})[static_cast<std::size_t>(value)];
}

// The enumeration value of an ADO value read back from an object: the first entry of the table
// that holds it. A value the table lacks raises EADOError "Invalid Enum Value".
template <class E>
E FromADOValue(std::int32_t value) {
  auto table = ADOValueTable(E{});
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == value) return static_cast<E>(i);
  }
  InvalidEnumValue();
}

// A set passes as the bitwise or of its members' ADO values.
template <class E>
std::int32_t ADOValue(SetOf<E> values) {
  auto table = ADOValueTable(E{});
  std::int32_t result = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (values.Contains(static_cast<E>(i))) result |= table[i];
  }
  return result;
}

// The set of an ADO bit mask; a bit that stands for no member raises "Invalid Enum Value".
template <class E>
SetOf<E> SetFromADOValue(std::int32_t value) {
  auto table = ADOValueTable(E{});
  SetOf<E> result;
  std::int32_t rest = value;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if ((value & table[i]) == table[i] && table[i] != 0) {
      result.Include(static_cast<E>(i));
      rest &= ~table[i];
    }
  }
  if (rest != 0) InvalidEnumValue();
  return result;
}
