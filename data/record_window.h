// The record-buffer window of a dataset: which buffers hold records, which one is active, which
// one the provider's cursor stands on, and the fetches and moves that change them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "data/db_types.h"
#include "data/record_buffer.h"

// What the window needs of the provider's cursor.
class TRecordCursor {
 public:
  virtual ~TRecordCursor() = default;

  virtual std::unique_ptr<TRecordBuffer> AllocBuffer() = 0;
  // Fills buffer with the record in direction mode; with check an error raises instead of
  // returning FetchResult::Error.
  virtual FetchResult Fetch(TRecordBuffer& buffer, FetchMode mode, bool check) = 0;
  // Leave the cursor so that a following fetch in mode next yields the first record (First), or
  // one in mode prior the last (Last).
  virtual void First() = 0;
  virtual void Last() = 0;
  virtual void SetToRecord(TRecordBuffer& buffer) = 0;
  // A forward-only cursor is never repositioned and never filled backwards.
  virtual bool UniDirectional() = 0;
  // Raises the cursor's error for a backward fetch when it is forward-only.
  virtual void RequireBidirectional() = 0;
  // A record being inserted stands in the active buffer and is not in the provider yet.
  virtual bool Inserting() = 0;
};

// What a move did, kept up to date while it runs so that a move cut short by an error still
// tells the links what changed.
struct TWindowMove {
  std::int32_t moved = 0;  // records moved, negative backwards
  int shift = 0;           // how far the kept records slid within the window
  bool grew = false;       // the window gained records: the links redraw all of it

  // NoticeScroll with the shift when the same records only slid, else NoticeDataSet.
  DataNotice Notice() const { return grew ? DataNotice::NoticeDataSet : DataNotice::NoticeScroll; }
  DataNoticeInfo Info() const { return grew ? 0 : shift; }
};

// The window: Buffer(0) .. Buffer(FilledCount() - 1) hold records, Buffer(FilledCount()) is the
// spare buffer the next fetch goes into.
//
// Invariant, checked after every change (a break is a fault that would show or write another
// record than the one asked for, so it ends the program):
//   closed (Size() 0): no buffers, nothing filled, ActiveIndex() 0, ProviderIndex() -1;
//   open: Size() + 1 buffers, 0 <= FilledCount() <= Size();
//         ActiveIndex() < FilledCount(), or 0 when nothing is filled;
//         -1 <= ProviderIndex() < FilledCount() (-1: no buffer is known to match the cursor).
class TRecordWindow {
 public:
  explicit TRecordWindow(TRecordCursor& cursor) : cursor_(cursor) {}

  int Size() const { return size_; }
  int FilledCount() const { return filledCount_; }
  int ActiveIndex() const { return activeIndex_; }
  int ProviderIndex() const { return providerIndex_; }
  int BufferCount() const { return static_cast<int>(buffers_.size()); }
  bool IsEmpty() const { return activeIndex_ >= filledCount_; }
  bool AtBOF() const { return atBOF_; }
  bool AtEOF() const { return atEOF_; }
  void SetAtBOF(bool value) { atBOF_ = value; }
  void SetAtEOF(bool value) { atEOF_ = value; }

  // Any buffer of the list, the spare one included.
  TRecordBuffer& Buffer(int index) { return *buffers_[static_cast<std::size_t>(index)]; }
  // The active record's buffer; null while there are no buffers.
  TRecordBuffer* Current();
  // Makes another filled buffer the active one; an index outside the filled buffers raises
  // EListError.
  void SetActiveIndex(int index);
  void SetProviderIndex(int index);

  // Nothing filled, both ends reached, the cursor's buffer unknown; buffers are kept.
  void Empty();
  // One record, in Buffer(0), active and under the cursor.
  void Start();
  // Moves the buffer at from to to, the ones between shifting by one.
  void Rotate(int from, int to);
  // Frees surplus buffers from the end or allocates new ones; a failed allocation frees what
  // this call allocated and leaves the list as it was.
  void ResizeBufferList(int count);
  // Empties the window and frees every buffer.
  void Close();
  // Sizes the window to count records. Shrinking a filled window keeps the records from `first`
  // on (moved so that the active record stays in the window and the window stays as full as it
  // can); returns how many records were dropped before them.
  int Resize(int count, int first);

  // Fetch one record after the last (before the first) into the window, sliding a full window;
  // false when there is none.
  bool FetchNext();
  bool FetchPrior();
  // Fetch until the window is full or the records run out; return how many were fetched.
  int FillForward();
  int FillBackward();
  // Puts the cursor on the buffer's record (by its flag), unless it is known to be there.
  void SyncCursorTo(int index);
  void SyncCursorToActive();

  // Whether a move by distance can go anywhere: not zero, not past an end already reached.
  bool CanMove(std::int32_t distance) const;
  // Moves the active record by distance, fetching as it leaves the window; reaching an end
  // sets AtBOF or AtEOF and ends the move early.
  void MoveBy(std::int32_t distance, TWindowMove& move);
  // Fill the window from the first record (the last record, backwards).
  void FillFromFirst();
  void FillFromLast();

  // Fetches the record to refill the window around into the spare buffer. exact: only the
  // cursor's current record will do; otherwise the next or prior one will. False when none.
  bool FetchAnchor(bool exact);
  // Refills the window around the record FetchAnchor fetched: in the middle with center, else
  // at the active index it had.
  void RefillAround(bool center);

  // A new record: the spare buffer takes the active position, the records from there on move
  // down one; returns it. KeepInserted then counts it among the records when there is room.
  TRecordBuffer& OpenGapAtActive();
  void KeepInserted();
  // After Empty(), a new record appended: Buffer(0) alone, after the last record.
  void StartAppended();

 private:
  void CheckInvariant() const;

  TRecordCursor& cursor_;
  std::vector<std::unique_ptr<TRecordBuffer>> buffers_;
  int size_ = 0;
  int filledCount_ = 0;
  int activeIndex_ = 0;
  int providerIndex_ = -1;
  bool atBOF_ = true;
  bool atEOF_ = true;
};
