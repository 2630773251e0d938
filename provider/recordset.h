// The Recordset object: a client-side static cursor over the rows of a table or a statement.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "provider/command.h"
#include "provider/enums.h"
#include "provider/field.h"
#include "provider/hresult.h"
#include "provider/row_set.h"
#include "provider/unknown.h"
#include "provider/variant.h"

namespace provider {

// The cursor stands before the first row (BOF), on a row, or after the last (EOF); an empty
// result is at both ends at once. Open places it on the first row. Moving past an end fails
// with adErrNoCurrentRecord, as does anything that needs a current row (Bookmark, Status,
// field values) at either end.
//
// Bookmarks are VT_R8 numbers of the rows (counted from 1) and stay valid for the life of the
// result, also across inserts and deletes; AbsolutePosition is the row's place in the cursor,
// adPosBOF or adPosEOF at the ends. Values put into fields are kept as an edit of the current row
// until Update stores them (or CancelUpdate drops them); a move first updates, so a failing store
// keeps the cursor where it was.
//
// AddNew starts a new row that stands after the last one: its values are those put since (Null
// until then), and Update adds it to the rows and to the end of the cursor, where the cursor then
// stands; CancelUpdate returns to the row that was current before. Delete removes the current row
// at once; the cursor then stands on the row that followed it (EOF after the last one). A row
// deleted or added through the cursor counts in RecordCount at once.
class Recordset : public Unknown {
 public:
  Recordset();
  ~Recordset() override;

  HRESULT get_CursorLocation(CursorLocationEnum* value) const;
  HRESULT put_CursorLocation(CursorLocationEnum value);
  HRESULT get_CacheSize(std::int32_t* value) const;
  HRESULT put_CacheSize(std::int32_t value);
  HRESULT get_MaxRecords(std::int32_t* value) const;
  // 0 is no limit; otherwise the result keeps its first `value` rows.
  HRESULT put_MaxRecords(std::int32_t value);
  HRESULT get_CursorType(CursorTypeEnum* value) const;
  HRESULT get_LockType(LockTypeEnum* value) const;

  // Runs `command` over its active connection. `options` is the command type (adCmdText,
  // adCmdTable, with any execute options added) or adCmdUnspecified for the command's own. A table
  // command names a table or a saved select query, whose statement then runs. The cursor is always
  // static (a client cursor is).
  HRESULT Open(std::shared_ptr<Command> command, CursorTypeEnum cursorType, LockTypeEnum lockType,
               std::int32_t options);
  // The same for a source text over `connection`.
  HRESULT Open(const std::u16string& source, std::shared_ptr<Connection> connection,
               CursorTypeEnum cursorType, LockTypeEnum lockType, std::int32_t options);
  // Opens over rows already made; used by statement execution and by tests of the cursor.
  HRESULT Open(std::unique_ptr<RowSet> rows, LockTypeEnum lockType);
  HRESULT Close();
  // The connection the recordset was opened over; rows already read do not depend on it, so an
  // open recordset may be pointed at another connection or at none.
  HRESULT get_ActiveConnection(std::shared_ptr<Connection>* value) const;
  HRESULT putref_ActiveConnection(std::shared_ptr<Connection> connection);
  HRESULT get_State(std::int32_t* value) const;

  // True when every bit of `options` is something this cursor does.
  HRESULT Supports(std::int32_t options, bool* value) const;
  HRESULT get_Fields(Fields** value);

  HRESULT MoveFirst();
  HRESULT MoveLast();
  HRESULT MoveNext();
  HRESULT MovePrevious();
  HRESULT get_BOF(bool* value) const;
  HRESULT get_EOF(bool* value) const;
  HRESULT get_Status(std::int32_t* value) const;
  HRESULT get_Bookmark(Variant* value) const;
  HRESULT put_Bookmark(const Variant& value);
  HRESULT get_AbsolutePosition(std::int32_t* value) const;
  HRESULT put_AbsolutePosition(std::int32_t value);
  HRESULT get_RecordCount(std::int32_t* value) const;

  // No filter and no sort are applied here: only the empty values (adFilterNone, "") are taken.
  HRESULT get_Filter(Variant* value) const;
  HRESULT put_Filter(const Variant& value);
  HRESULT get_Sort(std::u16string* value) const;
  HRESULT put_Sort(const std::u16string& value);

  // adEditNone, adEditInProgress (values put on an existing row) or adEditAdd.
  HRESULT get_EditMode(EditModeEnum* value) const;
  // Stores the edit or the new row; without either it does nothing. Refused by a read-only lock
  // (ADO's message) or by rows that cannot be written (the engine's message; see Supports).
  HRESULT Update();
  HRESULT CancelUpdate();
  // Stores a pending edit first, as a move does.
  HRESULT AddNew();
  // Only adAffectCurrent. Deleting a row being added drops it, as CancelUpdate does; a pending
  // edit of the current row is dropped with the row.
  HRESULT Delete(AffectEnum affectRecords = adAffectCurrent);

 private:
  friend class Field;

  bool IsOpen() const { return rows_ != nullptr; }
  std::size_t Count() const { return order_.size(); }
  bool IsOnRow() const;
  bool editing() const { return adding_ || !edit_.empty(); }
  HRESULT RequireOpen() const;
  HRESULT RequireRow() const;
  // Refuses writes under a read-only lock.
  HRESULT RequireWritable() const;
  // Cursor places of the rows, after a row left the cursor.
  void Renumber();
  // Stores a pending edit or new row, then stands on `position`; a failing store stays.
  HRESULT MoveTo(std::ptrdiff_t position);
  HRESULT StorePending();
  HRESULT ReadValue(std::size_t column, Variant* value) const;
  HRESULT WriteValue(std::size_t column, const Variant& value);

  CursorLocationEnum cursorLocation_ = adUseServer;
  std::int32_t cacheSize_ = 1;
  std::int32_t maxRecords_ = 0;
  CursorTypeEnum cursorType_ = adOpenForwardOnly;
  LockTypeEnum lockType_ = adLockReadOnly;
  std::shared_ptr<Connection> connection_;
  std::unique_ptr<RowSet> rows_;
  std::unique_ptr<Fields> fields_;
  // The rows in cursor order, by number; their places in the cursor (-1 once deleted or when
  // MaxRecords left them out), and their RecordStatusEnum since open, both by row number.
  std::vector<std::size_t> order_;
  std::vector<std::ptrdiff_t> placeOf_;
  std::vector<std::int32_t> status_;
  // -1 before the first row, Count() after the last.
  std::ptrdiff_t position_ = -1;
  std::vector<ColumnChange> edit_;
  // A new row is being added; position_ is where the cursor returns when it is cancelled.
  bool adding_ = false;
};

}  // namespace provider
