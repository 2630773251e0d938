// The ADO values the enumerations stand for, and reading a value back.
#include "data/ado_types.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"

namespace {

TEST(ADOValues, TheProgramsSettingsPassAsADOKnowsThem) {
  EXPECT_EQ(ADOValue(TConnectMode::cmShareDenyNone), 16);
  EXPECT_EQ(ADOValue(TConnectMode::cmShareExclusive), 12);
  EXPECT_EQ(ADOValue(TCursorLocation::clUseClient), 3);
  EXPECT_EQ(ADOValue(TConnectOption::coConnectUnspecified), -1);
  EXPECT_EQ(ADOValue(TCursorType::ctStatic), 3);
  EXPECT_EQ(ADOValue(TADOLockType::ltOptimistic), 3);
  EXPECT_EQ(ADOValue(TCommandType::cmdUnknown), 8);
  EXPECT_EQ(ADOValue(TCommandType::cmdTableDirect), 512);
}

TEST(ADOValues, EveryValueReadBackIsTheOneWritten) {
  for (int i = 0; i <= static_cast<int>(TConnectMode::cmShareDenyNone); ++i) {
    auto mode = static_cast<TConnectMode>(i);
    EXPECT_EQ(FromADOValue<TConnectMode>(ADOValue(mode)), mode);
  }
  for (int i = 0; i <= static_cast<int>(TCommandType::cmdTableDirect); ++i) {
    auto type = static_cast<TCommandType>(i);
    EXPECT_EQ(FromADOValue<TCommandType>(ADOValue(type)), type);
  }
}

TEST(ADOValues, ASharedIsolationValueReadsBackAsTheFirstLevelThatHasIt) {
  EXPECT_EQ(ADOValue(TIsolationLevel::ilBrowse), ADOValue(TIsolationLevel::ilReadUncommitted));
  EXPECT_EQ(ADOValue(TIsolationLevel::ilCursorStability), 4096);
  EXPECT_EQ(FromADOValue<TIsolationLevel>(4096), TIsolationLevel::ilCursorStability);
  EXPECT_EQ(FromADOValue<TIsolationLevel>(1048576), TIsolationLevel::ilSerializable);
}

TEST(ADOValues, AValueOutsideItsTableIsAnInvalidEnumValue) {
  try {
    FromADOValue<TConnectMode>(5);
    FAIL() << "5 is no connect mode";
  } catch (const EADOError& e) {
    EXPECT_STREQ(e.what(), "Invalid Enum Value");
  }
  EXPECT_THROW(FromADOValue<TCursorLocation>(1), EADOError);
  EXPECT_THROW(FromADOValue<TCommandType>(0), EADOError);
}

TEST(ADOValues, SetsPassAsTheirMembersBits) {
  TExecuteOptions options{TExecuteOption::eoAsyncFetch, TExecuteOption::eoExecuteNoRecords};
  EXPECT_EQ(ADOValue(options), 0x20 | 0x80);
  EXPECT_EQ(SetFromADOValue<TExecuteOption>(0xA0), options);
  EXPECT_EQ(ADOValue(TXactAttributes{TXactAttribute::xaAbortRetaining}), 262144);
  EXPECT_TRUE(SetFromADOValue<TXactAttribute>(0).Empty());
  EXPECT_THROW(SetFromADOValue<TExecuteOption>(0x01), EADOError);
}

}  // namespace
