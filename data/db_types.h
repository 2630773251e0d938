// The small types every part of the data layer shares: dataset states, data notices, field
// types, fetch modes and results, bookmark flags and error actions.
#pragma once

#include <cstdint>

#include "core/sets.h"

// Numbered as stored and compared. Active is true for every state but Inactive and OpeningAsync.
enum class DataSetState : std::uint8_t {
  Inactive,
  Browsing,
  Editing,
  Inserting,
  KeyEntry,
  Calculating,
  FilterTest,
  NewValueView,
  OldValueView,
  CurrentValueView,
  BlockReading,
  InternalCalculating,
  OpeningAsync,
};

// The data events a dataset sends through its data sources to their links. Each carries one
// integer of information (a field, a distance, a flag), passed as DataNoticeInfo.
enum class DataNotice : std::uint8_t {
  NoticeFieldValue,
  NoticeRecord,
  NoticeDataSet,
  NoticeScroll,
  NoticeLayout,
  NoticeUpdateRecord,
  NoticeState,
  NoticeBrowseCheck,
  NoticeProperty,
  NoticeFieldList,
  NoticeFocus,
  NoticeParentScroll,
  NoticeConnection,
  NoticeReconcile,
  NoticeSuspendedState,
};
using DataNoticeInfo = std::intptr_t;

enum class TFieldType : std::uint8_t {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftInterface,
  ftIDispatch,
  ftGuid,
  ftTimeStamp,
  ftFMTBcd,
};

// The identifiers of the field types, in order, as streams and published properties name them.
inline constexpr const char* kFieldTypeIdents[] = {
    "ftUnknown",  "ftString",      "ftSmallint", "ftInteger",   "ftWord",       "ftBoolean",
    "ftFloat",    "ftCurrency",    "ftBCD",      "ftDate",      "ftTime",       "ftDateTime",
    "ftBytes",    "ftVarBytes",    "ftAutoInc",  "ftBlob",      "ftMemo",       "ftGraphic",
    "ftFmtMemo",  "ftParadoxOle",  "ftDBaseOle", "ftTypedBinary", "ftCursor",   "ftFixedChar",
    "ftWideString", "ftLargeint",  "ftADT",      "ftArray",     "ftReference",  "ftDataSet",
    "ftOraBlob",  "ftOraClob",     "ftVariant",  "ftInterface", "ftIDispatch",  "ftGuid",
    "ftTimeStamp", "ftFMTBcd"};

enum class TFieldKind : std::uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

enum class TFieldAttribute : std::uint8_t {
  faHiddenCol,
  faReadonly,
  faRequired,
  faLink,
  faUnNamed,
  faFixed,
};
using TFieldAttributes = SetOf<TFieldAttribute>;

// What a provider fetch is asked for, and what it found.
enum class FetchMode : std::uint8_t { Current, Next, Prior };
enum class FetchResult : std::uint8_t { Ok, Bof, Eof, Error };

// What a record buffer holds: a record, one of the ends, a record being inserted, or a record
// without a usable bookmark.
enum class BookmarkFlag : std::uint8_t { Current, Bof, Eof, Inserted, None };

// The answer of an OnEditError, OnPostError or OnDeleteError handler.
enum class TDataAction : std::uint8_t { daFail, daAbort, daRetry };

// How a blob stream is opened on a field.
enum class TBlobStreamMode : std::uint8_t { bmRead, bmWrite, bmReadWrite };
