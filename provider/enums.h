// ADO's enumerations, with ADO's names and numeric values, as the data layer passes and reads
// them.
#pragma once

#include <cstdint>

namespace provider {

enum ObjectStateEnum : std::int32_t {
  adStateClosed = 0,
  adStateOpen = 1,
  adStateConnecting = 2,
  adStateExecuting = 4,
  adStateFetching = 8,
};

enum ConnectModeEnum : std::int32_t {
  adModeUnknown = 0,
  adModeRead = 1,
  adModeWrite = 2,
  adModeReadWrite = 3,
  adModeShareDenyRead = 4,
  adModeShareDenyWrite = 8,
  adModeShareExclusive = 12,
  adModeShareDenyNone = 16,
};

enum CursorTypeEnum : std::int32_t {
  adOpenUnspecified = -1,
  adOpenForwardOnly = 0,
  adOpenKeyset = 1,
  adOpenDynamic = 2,
  adOpenStatic = 3,
};

enum LockTypeEnum : std::int32_t {
  adLockUnspecified = -1,
  adLockReadOnly = 1,
  adLockPessimistic = 2,
  adLockOptimistic = 3,
  adLockBatchOptimistic = 4,
};

enum CursorLocationEnum : std::int32_t {
  adUseNone = 1,
  adUseServer = 2,
  adUseClient = 3,
};

enum CommandTypeEnum : std::int32_t {
  adCmdUnspecified = -1,
  adCmdUnknown = 8,
  adCmdText = 1,
  adCmdTable = 2,
  adCmdStoredProc = 4,
  adCmdFile = 256,
  adCmdTableDirect = 512,
};

enum CursorOptionEnum : std::int32_t {
  adHoldRecords = 0x100,
  adMovePrevious = 0x200,
  adAddNew = 0x1000400,
  adDelete = 0x1000800,
  adUpdate = 0x1008000,
  adBookmark = 0x2000,
  adApproxPosition = 0x4000,
  adUpdateBatch = 0x10000,
  adResync = 0x20000,
  adNotify = 0x40000,
  adFind = 0x80000,
  adSeek = 0x400000,
  adIndex = 0x800000,
};

enum PositionEnum : std::int32_t {
  adPosUnknown = -1,
  adPosBOF = -2,
  adPosEOF = -3,
};

enum RecordStatusEnum : std::int32_t {
  adRecOK = 0,
  adRecNew = 1,
  adRecModified = 2,
  adRecDeleted = 4,
  adRecUnmodified = 8,
};

enum EditModeEnum : std::int32_t {
  adEditNone = 0,
  adEditInProgress = 1,
  adEditAdd = 2,
  adEditDelete = 4,
};

enum AffectEnum : std::int32_t {
  adAffectCurrent = 1,
  adAffectGroup = 2,
  adAffectAll = 3,
};

enum DataTypeEnum : std::int32_t {
  adEmpty = 0,
  adSmallInt = 2,
  adInteger = 3,
  adSingle = 4,
  adDouble = 5,
  adCurrency = 6,
  adDate = 7,
  adBSTR = 8,
  adBoolean = 11,
  adVariant = 12,
  adDecimal = 14,
  adTinyInt = 16,
  adUnsignedTinyInt = 17,
  adBigInt = 20,
  adGUID = 72,
  adBinary = 128,
  adChar = 129,
  adWChar = 130,
  adNumeric = 131,
  adDBTimeStamp = 135,
  adVarChar = 200,
  adLongVarChar = 201,
  adVarWChar = 202,
  adLongVarWChar = 203,
  adVarBinary = 204,
  adLongVarBinary = 205,
};

enum FieldAttributeEnum : std::int32_t {
  adFldUnspecified = -1,
  adFldMayDefer = 0x2,
  adFldUpdatable = 0x4,
  adFldUnknownUpdatable = 0x8,
  adFldFixed = 0x10,
  adFldIsNullable = 0x20,
  adFldMayBeNull = 0x40,
  adFldLong = 0x80,
  adFldRowID = 0x100,
  adFldRowVersion = 0x200,
  adFldCacheDeferred = 0x1000,
  adFldKeyColumn = 0x8000,
};

// Open's option for "rows come back now" (no asynchronous execution here).
constexpr std::int32_t adOptionUnspecified = -1;
constexpr std::int32_t adConnectUnspecified = -1;

}  // namespace provider
