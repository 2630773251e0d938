// The static cursor adding and deleting rows: where it stands afterwards, what bookmarks, counts
// and statuses say, and that a refused write changes nothing.
#include <gtest/gtest.h>

#include "memory_rows.h"
#include "provider/error_info.h"
#include "provider/recordset.h"

namespace provider {
namespace {

constexpr std::int32_t kUpdatable = adFldUpdatable | adFldIsNullable | adFldMayBeNull;

// An AutoNumber id and a title; rows t0, t1, ... numbered from 1.
class CursorRowsTest : public testing::Test {
 protected:
  void Open(std::size_t count, bool writable = true, LockTypeEnum lock = adLockOptimistic) {
    std::vector<ColumnInfo> columns = {
        {u"id", adInteger, 4, 10, 255, adFldFixed, true},
        {u"kholase", adVarWChar, 10, 255, 255, kUpdatable, false},
    };
    std::vector<adotest::MemoryRows::Row> rows;
    for (std::size_t i = 0; i < count; ++i) {
      rows.push_back({std::int64_t(i + 1), std::u16string(u"t") + char16_t(u'0' + i)});
    }
    auto memory =
        std::make_unique<adotest::MemoryRows>(std::move(columns), std::move(rows), writable);
    memory->SetLastNumber(static_cast<std::int64_t>(count));
    rows_ = memory.get();
    rs_ = std::make_unique<Recordset>();
    ASSERT_EQ(rs_->Open(std::move(memory), lock), S_OK);
    Fields* fields = nullptr;
    ASSERT_EQ(rs_->get_Fields(&fields), S_OK);
    ASSERT_EQ(fields->get_Item(0, &id_), S_OK);
    ASSERT_EQ(fields->get_Item(1, &title_), S_OK);
  }

  // The titles from the first row to the last, walking the cursor.
  std::string Walk() {
    std::string out;
    bool eof = false;
    for (rs_->MoveFirst(); rs_->get_EOF(&eof) == S_OK && !eof; rs_->MoveNext()) {
      out += (out.empty() ? "" : " ") + Text(title_);
    }
    return out;
  }

  static std::string Text(Field* field) {
    Variant value;
    if (field->get_Value(&value) != S_OK) return "<error>";
    if (value.null()) return "<null>";
    if (value.vt() == VT_BSTR) {
      const auto& wide = std::get<std::u16string>(value.value());
      return std::string(wide.begin(), wide.end());
    }
    return std::to_string(std::get<std::int64_t>(value.value()));
  }

  std::int32_t Count() {
    std::int32_t count = -1;
    rs_->get_RecordCount(&count);
    return count;
  }

  std::int32_t Status() {
    std::int32_t status = -1;
    rs_->get_Status(&status);
    return status;
  }

  EditModeEnum Mode() {
    EditModeEnum mode = adEditNone;
    rs_->get_EditMode(&mode);
    return mode;
  }

  std::unique_ptr<Recordset> rs_;
  adotest::MemoryRows* rows_ = nullptr;
  Field* id_ = nullptr;
  Field* title_ = nullptr;
};

TEST_F(CursorRowsTest, AddNewStandsOnANewRowThatUpdateStoresLast) {
  Open(2);
  ASSERT_EQ(rs_->AddNew(), S_OK);
  EXPECT_EQ(Mode(), adEditAdd);
  EXPECT_EQ(Status(), adRecNew);
  bool bof = true;
  bool eof = true;
  rs_->get_BOF(&bof);
  rs_->get_EOF(&eof);
  EXPECT_FALSE(bof || eof) << "a new row is a current row";
  EXPECT_EQ(Text(title_), "<null>");
  EXPECT_EQ(Count(), 2) << "not counted before it is stored";

  ASSERT_EQ(title_->put_Value(Variant::String(u"new")), S_OK);
  EXPECT_EQ(Text(title_), "new");
  ASSERT_EQ(rs_->Update(), S_OK);
  EXPECT_EQ(Mode(), adEditNone);
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(Status(), adRecNew);
  EXPECT_EQ(Text(title_), "new");
  EXPECT_EQ(Text(id_), "3") << "the store gave the AutoNumber";
  std::int32_t position = 0;
  rs_->get_AbsolutePosition(&position);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(Walk(), "t0 t1 new");
  EXPECT_EQ(rows_->LiveRows().size(), 3u);
}

TEST_F(CursorRowsTest, MovingFromANewRowStoresIt) {
  // One line per move: the new row is stored, then the move is made from it (it is last).
  struct Case {
    const char* move;
    HRESULT (Recordset::*call)();
    const char* title;  // where the cursor stands afterwards
  };
  const Case cases[] = {
      {"MoveFirst", &Recordset::MoveFirst, "t0"},
      {"MoveLast", &Recordset::MoveLast, "new"},
      {"MovePrevious", &Recordset::MovePrevious, "t1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.move);
    Open(2);
    ASSERT_EQ(rs_->MoveFirst(), S_OK);
    ASSERT_EQ(rs_->AddNew(), S_OK);
    ASSERT_EQ(title_->put_Value(Variant::String(u"new")), S_OK);
    ASSERT_EQ(((*rs_).*c.call)(), S_OK);
    EXPECT_EQ(Text(title_), c.title);
    EXPECT_EQ(Count(), 3);
  }
  // MoveNext from the stored new row reaches the end.
  rs_->MoveLast();
  ASSERT_EQ(rs_->AddNew(), S_OK);
  ASSERT_EQ(rs_->MoveNext(), S_OK);
  bool eof = false;
  rs_->get_EOF(&eof);
  EXPECT_TRUE(eof);
  EXPECT_EQ(Walk(), "t0 t1 new <null>") << "a new row without values is stored as one";
}

TEST_F(CursorRowsTest, CancelUpdateDropsTheNewRowAndReturns) {
  Open(3);
  ASSERT_EQ(rs_->put_AbsolutePosition(2), S_OK);
  ASSERT_EQ(rs_->AddNew(), S_OK);
  ASSERT_EQ(title_->put_Value(Variant::String(u"gone")), S_OK);
  ASSERT_EQ(rs_->CancelUpdate(), S_OK);
  EXPECT_EQ(Mode(), adEditNone);
  EXPECT_EQ(Text(title_), "t1");
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(rows_->LiveRows().size(), 3u);
}

TEST_F(CursorRowsTest, DeleteLeavesTheCursorOnTheFollowingRow) {
  Open(3);
  Variant third;
  ASSERT_EQ(rs_->put_AbsolutePosition(3), S_OK);
  ASSERT_EQ(rs_->get_Bookmark(&third), S_OK);
  ASSERT_EQ(rs_->put_AbsolutePosition(2), S_OK);
  Variant second;
  ASSERT_EQ(rs_->get_Bookmark(&second), S_OK);

  ASSERT_EQ(rs_->Delete(), S_OK);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Text(title_), "t2");
  std::int32_t position = 0;
  rs_->get_AbsolutePosition(&position);
  EXPECT_EQ(position, 2);
  EXPECT_EQ(rs_->put_Bookmark(second), adErrInvalidArgument) << "a deleted row's bookmark";
  ASSERT_EQ(rs_->MoveFirst(), S_OK);
  ASSERT_EQ(rs_->put_Bookmark(third), S_OK) << "other bookmarks hold";
  EXPECT_EQ(Text(title_), "t2");

  // Deleting the last row leaves the cursor at the end; deleting everything empties it.
  ASSERT_EQ(rs_->Delete(), S_OK);
  bool eof = false;
  rs_->get_EOF(&eof);
  EXPECT_TRUE(eof);
  ASSERT_EQ(rs_->MoveFirst(), S_OK);
  ASSERT_EQ(rs_->Delete(), S_OK);
  bool bof = false;
  rs_->get_BOF(&bof);
  rs_->get_EOF(&eof);
  EXPECT_TRUE(bof && eof);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(rs_->Delete(), adErrNoCurrentRecord);
  EXPECT_TRUE(rows_->LiveRows().empty());
}

TEST_F(CursorRowsTest, DeleteDropsAPendingEditAndANewRow) {
  Open(2);
  ASSERT_EQ(title_->put_Value(Variant::String(u"edited")), S_OK);
  ASSERT_EQ(rs_->Delete(), S_OK);
  EXPECT_EQ(Walk(), "t1");

  ASSERT_EQ(rs_->AddNew(), S_OK);
  ASSERT_EQ(rs_->Delete(), S_OK) << "deleting a row being added cancels it";
  EXPECT_EQ(Mode(), adEditNone);
  EXPECT_EQ(Walk(), "t1");
  EXPECT_EQ(rs_->Delete(adAffectAll), adErrFeatureNotAvailable);
}

TEST_F(CursorRowsTest, RefusedWritesChangeNothing) {
  // One line per refusal: a read-only lock refuses at once in ADO's words, rows that cannot be
  // written refuse the store in their own.
  struct Case {
    bool writable;
    LockTypeEnum lock;
    HRESULT addNew;
    HRESULT code;
    std::u16string message;
  };
  const Case cases[] = {
      {true, adLockReadOnly, adErrFeatureNotAvailable, adErrFeatureNotAvailable,
       u"Current Recordset does not support updating. This may be a limitation of the provider, "
       u"or of the selected locktype."},
      {false, adLockOptimistic, S_OK, E_FAIL, u"Cannot update."},
  };
  for (const Case& c : cases) {
    Open(2, c.writable, c.lock);
    EXPECT_EQ(rs_->Delete(), c.code);
    auto error = GetErrorInfo();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description, c.message);
    EXPECT_EQ(rs_->AddNew(), c.addNew);
    EXPECT_EQ(rs_->Update(), c.addNew == S_OK ? c.code : S_OK);
    rs_->CancelUpdate();
    EXPECT_EQ(Mode(), adEditNone);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Walk(), "t0 t1");
  }
}

TEST_F(CursorRowsTest, AFailedStoreIsReportedAndLosesNothing) {
  Open(2);
  // A new row the store refuses stays pending, uncounted, and can be stored again or dropped.
  ASSERT_EQ(rs_->AddNew(), S_OK);
  ASSERT_EQ(title_->put_Value(Variant::String(u"x")), S_OK);
  rows_->FailNextWrite();
  EXPECT_EQ(rs_->Update(), E_FAIL);
  EXPECT_EQ(Mode(), adEditAdd);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Text(title_), "x");
  ASSERT_EQ(rs_->Update(), S_OK);
  EXPECT_EQ(Walk(), "t0 t1 x");

  // A refused delete keeps the row and the cursor on it.
  ASSERT_EQ(rs_->MoveFirst(), S_OK);
  rows_->FailNextWrite();
  EXPECT_EQ(rs_->Delete(), E_FAIL);
  EXPECT_EQ(Text(title_), "t0");
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(rows_->LiveRows().size(), 3u);
}

}  // namespace
}  // namespace provider
