// The static cursor over rows in memory: ends, moves, positions, bookmarks and the edit path.
#include <gtest/gtest.h>

#include "memory_rows.h"
#include "provider/error_info.h"
#include "provider/recordset.h"

namespace provider {
namespace {

constexpr std::int32_t kUpdatable = adFldUpdatable | adFldIsNullable | adFldMayBeNull;

std::unique_ptr<RowSet> Titles(std::size_t count, bool writable = true) {
  std::vector<ColumnInfo> columns = {
      {u"id", adInteger, 4, 10, 255, adFldFixed, true},
      {u"kholase", adVarWChar, 10, 255, 255, kUpdatable, false},
  };
  std::vector<std::vector<Value>> rows;
  for (std::size_t i = 0; i < count; ++i) {
    rows.push_back({std::int64_t(i + 1), std::u16string(u"t") + char16_t(u'0' + i)});
  }
  return std::make_unique<adotest::MemoryRows>(std::move(columns), std::move(rows), writable);
}

// BOF, EOF and AbsolutePosition in one line, for comparing whole states.
std::string Where(const Recordset& rs) {
  bool bof = false;
  bool eof = false;
  std::int32_t position = 0;
  rs.get_BOF(&bof);
  rs.get_EOF(&eof);
  rs.get_AbsolutePosition(&position);
  return std::string(bof ? "BOF " : "") + (eof ? "EOF " : "") + std::to_string(position);
}

std::u16string Title(Recordset& rs) {
  Fields* fields = nullptr;
  Field* field = nullptr;
  Variant value;
  EXPECT_EQ(rs.get_Fields(&fields), S_OK);
  EXPECT_EQ(fields->get_Item(u"KHOLASE", &field), S_OK);
  EXPECT_EQ(field->get_Value(&value), S_OK);
  return value.vt() == VT_BSTR ? std::get<std::u16string>(value.value()) : u"<not text>";
}

TEST(CursorTest, MovesWalkToBothEndsAndRefuseToPassThem) {
  Recordset rs;
  ASSERT_EQ(rs.Open(Titles(3), adLockOptimistic), S_OK);
  EXPECT_EQ(Where(rs), "1");
  EXPECT_EQ(rs.MovePrevious(), S_OK);
  EXPECT_EQ(Where(rs), "BOF -2");
  EXPECT_EQ(rs.MovePrevious(), adErrNoCurrentRecord);
  auto error = GetErrorInfo();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->code, adErrNoCurrentRecord);
  EXPECT_EQ(error->source, u"ADODB.Recordset");
  EXPECT_EQ(error->description.substr(0, 26), u"Either BOF or EOF is True,");
  EXPECT_FALSE(GetErrorInfo().has_value()) << "an error object is read once";

  EXPECT_EQ(rs.MoveNext(), S_OK);
  EXPECT_EQ(Where(rs), "1");
  EXPECT_EQ(rs.MoveLast(), S_OK);
  EXPECT_EQ(Where(rs), "3");
  EXPECT_EQ(Title(rs), u"t2");
  EXPECT_EQ(rs.MoveNext(), S_OK);
  EXPECT_EQ(Where(rs), "EOF -3");
  EXPECT_EQ(rs.MoveNext(), adErrNoCurrentRecord);
  EXPECT_EQ(rs.MovePrevious(), S_OK);
  EXPECT_EQ(Where(rs), "3");
  EXPECT_EQ(rs.MoveFirst(), S_OK);
  EXPECT_EQ(Title(rs), u"t0");

  std::int32_t count = 0;
  EXPECT_EQ(rs.get_RecordCount(&count), S_OK);
  EXPECT_EQ(count, 3);
}

TEST(CursorTest, EmptyResultIsAtBothEnds) {
  Recordset rs;
  ASSERT_EQ(rs.Open(Titles(0), adLockOptimistic), S_OK);
  EXPECT_EQ(Where(rs), "BOF EOF -2");
  EXPECT_EQ(rs.MoveFirst(), S_OK);
  EXPECT_EQ(rs.MoveLast(), S_OK);
  EXPECT_EQ(Where(rs), "BOF EOF -2");
  EXPECT_EQ(rs.MoveNext(), adErrNoCurrentRecord);
  EXPECT_EQ(rs.MovePrevious(), adErrNoCurrentRecord);
  Variant bookmark;
  EXPECT_EQ(rs.get_Bookmark(&bookmark), adErrNoCurrentRecord);
  std::int32_t status = 0;
  EXPECT_EQ(rs.get_Status(&status), adErrNoCurrentRecord);
  std::int32_t count = -1;
  EXPECT_EQ(rs.get_RecordCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  Fields* fields = nullptr;
  Field* field = nullptr;
  Variant value;
  ASSERT_EQ(rs.get_Fields(&fields), S_OK);
  ASSERT_EQ(fields->get_Item(0, &field), S_OK);
  EXPECT_EQ(field->get_Value(&value), adErrNoCurrentRecord);
}

TEST(CursorTest, BookmarksAndPositionsReturnToTheirRows) {
  Recordset rs;
  ASSERT_EQ(rs.Open(Titles(5), adLockOptimistic), S_OK);
  ASSERT_EQ(rs.put_AbsolutePosition(4), S_OK);
  Variant fourth;
  ASSERT_EQ(rs.get_Bookmark(&fourth), S_OK);
  EXPECT_EQ(fourth.vt(), VT_R8);
  ASSERT_EQ(rs.MoveFirst(), S_OK);
  ASSERT_EQ(rs.MovePrevious(), S_OK);  // at BOF
  ASSERT_EQ(rs.put_Bookmark(fourth), S_OK);
  EXPECT_EQ(Title(rs), u"t3");
  EXPECT_EQ(Where(rs), "4");

  for (const Variant& bad : {Variant::Double(0), Variant::Double(6), Variant::Double(2.5),
                             Variant::String(u"1"), Variant()}) {
    EXPECT_EQ(rs.put_Bookmark(bad), adErrInvalidArgument);
    EXPECT_EQ(Where(rs), "4");
  }
  EXPECT_EQ(rs.put_AbsolutePosition(0), adErrInvalidArgument);
  EXPECT_EQ(rs.put_AbsolutePosition(6), adErrInvalidArgument);
}

TEST(CursorTest, SupportsMasks) {
  struct Case {
    bool writable;
    LockTypeEnum lock;
    std::int32_t options;
    bool supported;
  };
  const Case cases[] = {
      {true, adLockOptimistic, adBookmark, true},
      {true, adLockOptimistic, adMovePrevious, true},
      {true, adLockOptimistic, adMovePrevious | adBookmark, true},
      {true, adLockOptimistic, adUpdate, true},
      {true, adLockReadOnly, adUpdate, false},
      {false, adLockOptimistic, adUpdate, false},
      {false, adLockOptimistic, adBookmark, true},
      {true, adLockOptimistic, adAddNew | adDelete, true},
      {true, adLockReadOnly, adAddNew, false},
      {false, adLockOptimistic, adDelete, false},
      {true, adLockOptimistic, adBookmark | adSeek, false},
  };
  for (const Case& c : cases) {
    Recordset rs;
    ASSERT_EQ(rs.Open(Titles(2, c.writable), c.lock), S_OK);
    bool supported = !c.supported;
    EXPECT_EQ(rs.Supports(c.options, &supported), S_OK);
    EXPECT_EQ(supported, c.supported) << std::hex << c.options;
  }
  EXPECT_EQ(8704, adMovePrevious | adBookmark);
  EXPECT_EQ(16809984, adUpdate);
}

TEST(CursorTest, MaxRecordsKeepsTheFirstRows) {
  Recordset rs;
  ASSERT_EQ(rs.put_MaxRecords(2), S_OK);
  ASSERT_EQ(rs.Open(Titles(5), adLockOptimistic), S_OK);
  std::int32_t count = 0;
  rs.get_RecordCount(&count);
  EXPECT_EQ(count, 2);
  rs.MoveLast();
  EXPECT_EQ(Title(rs), u"t1");
  EXPECT_EQ(rs.put_MaxRecords(0), adErrObjectOpen);
}

TEST(CursorTest, ClosedRecordsetRefusesEverything) {
  Recordset rs;
  std::int32_t state = -1;
  rs.get_State(&state);
  EXPECT_EQ(state, adStateClosed);
  EXPECT_EQ(rs.MoveFirst(), adErrObjectClosed);
  ASSERT_EQ(rs.Open(Titles(1), adLockOptimistic), S_OK);
  rs.get_State(&state);
  EXPECT_EQ(state, adStateOpen);
  EXPECT_EQ(rs.Open(Titles(1), adLockOptimistic), adErrObjectOpen);
  Fields* fields = nullptr;
  ASSERT_EQ(rs.get_Fields(&fields), S_OK);
  Field* field = nullptr;
  ASSERT_EQ(fields->get_Item(1, &field), S_OK);
  ASSERT_EQ(rs.Close(), S_OK);
  Variant value;
  EXPECT_EQ(field->get_Value(&value), adErrObjectClosed);
  std::int32_t count = 0;
  EXPECT_EQ(rs.get_RecordCount(&count), adErrObjectClosed);
}

TEST(CursorTest, EditIsStoredByUpdateAndByMoving) {
  Recordset rs;
  ASSERT_EQ(rs.Open(Titles(2), adLockOptimistic), S_OK);
  Fields* fields = nullptr;
  Field* title = nullptr;
  Field* id = nullptr;
  rs.get_Fields(&fields);
  fields->get_Item(1, &title);
  fields->get_Item(0, &id);

  ASSERT_EQ(title->put_Value(Variant::String(u"new")), S_OK);
  EditModeEnum mode = adEditNone;
  rs.get_EditMode(&mode);
  EXPECT_EQ(mode, adEditInProgress);
  EXPECT_EQ(Title(rs), u"new");
  ASSERT_EQ(rs.Update(), S_OK);
  std::int32_t status = 0;
  rs.get_Status(&status);
  EXPECT_EQ(status, adRecModified);

  ASSERT_EQ(rs.MoveNext(), S_OK);
  rs.get_Status(&status);
  EXPECT_EQ(status, adRecUnmodified);
  ASSERT_EQ(title->put_Value(Variant::Null()), S_OK);
  ASSERT_EQ(rs.MoveFirst(), S_OK);  // stores the pending Null
  EXPECT_EQ(Title(rs), u"new");
  rs.MoveNext();
  Variant value;
  title->get_Value(&value);
  EXPECT_TRUE(value.null());

  // Refused values leave the row as it was.
  EXPECT_EQ(title->put_Value(Variant::Int32(5)), adErrInvalidArgument);
  EXPECT_EQ(title->put_Value(Variant::String(u"eleven char")), E_FAIL);
  EXPECT_EQ(id->put_Value(Variant::Int32(9)), adErrFeatureNotAvailable);
  rs.get_EditMode(&mode);
  EXPECT_EQ(mode, adEditNone);

  ASSERT_EQ(title->put_Value(Variant::String(u"dropped")), S_OK);
  ASSERT_EQ(rs.CancelUpdate(), S_OK);
  title->get_Value(&value);
  EXPECT_TRUE(value.null());
}

TEST(CursorTest, FailedUpdateIsReportedAndKeepsTheCursor) {
  // The columns say updatable but the rows cannot be written: the store must fail, not pass.
  Recordset rs;
  ASSERT_EQ(rs.Open(Titles(2, false), adLockOptimistic), S_OK);
  Fields* fields = nullptr;
  Field* title = nullptr;
  rs.get_Fields(&fields);
  fields->get_Item(1, &title);
  ASSERT_EQ(title->put_Value(Variant::String(u"x")), S_OK);
  EXPECT_EQ(rs.MoveNext(), E_FAIL);
  auto error = GetErrorInfo();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->description, u"Cannot update.");
  EXPECT_EQ(Where(rs), "1");
  EXPECT_EQ(rs.Update(), E_FAIL);
  ASSERT_EQ(rs.CancelUpdate(), S_OK);
  EXPECT_EQ(Title(rs), u"t0");
  EXPECT_EQ(rs.MoveNext(), S_OK);
}

TEST(CursorTest, ReadOnlyLockRefusesUpdate) {
  Recordset rs;
  ASSERT_EQ(rs.Open(Titles(1), adLockReadOnly), S_OK);
  Fields* fields = nullptr;
  Field* title = nullptr;
  rs.get_Fields(&fields);
  fields->get_Item(1, &title);
  ASSERT_EQ(title->put_Value(Variant::String(u"x")), S_OK);
  EXPECT_EQ(rs.Update(), adErrFeatureNotAvailable);
}

}  // namespace
}  // namespace provider
