// TDataSet: sizing its record window to the links, the moves and the notices they send, and
// the provider operations the window runs.
#include <algorithm>
#include <exception>

#include "core/exceptions.h"
#include "data/database_error.h"
#include "data/datalink.h"
#include "data/dataset.h"
#include "data/datasource.h"

void TDataSet::InitBuffer(TRecordBuffer& buffer) {
  ProviderInitRecord(buffer);
  ResetCalcFields();
  buffer.SetFlag(BookmarkFlag::Inserted);
}

void TDataSet::RecomputeWindowSize() {
  if (!openCompleted_) return;
  firstLink_ = nullptr;
  TDataLink* last = nullptr;
  int count = 1;
  for (TDataSource* source : dataSources_) {
    for (TDataLink* link : source->Links()) {
      link->nextLink_ = nullptr;
      if (last) {
        last->nextLink_ = link;
      } else {
        firstLink_ = link;
      }
      last = link;
      count = std::max(count, link->BufferCount());
    }
  }
  SetWindowSize(count);
}

void TDataSet::SetWindowSize(int count) {
  if (count == window_.Size()) return;
  int first = window_.ActiveIndex();
  for (TDataLink* link = firstLink_; link; link = link->nextLink_) {
    if (link->Active()) first = std::min(first, link->firstRecord_);
  }
  const int dropped = window_.Resize(count, first);
  for (TDataLink* link = firstLink_; link; link = link->nextLink_) {
    if (link->Active()) link->firstRecord_ -= dropped;
  }
  if (Destroying()) return;
  window_.FillForward();
  const int added = window_.FillBackward();
  for (TDataLink* link = firstLink_; link; link = link->nextLink_) {
    if (link->Active()) link->firstRecord_ += added;
  }
}

std::int32_t TDataSet::MoveByDistance(std::int32_t distance) {
  EnsureBrowseMode();
  FireBeforeScroll();
  if (!window_.CanMove(distance)) return 0;
  TWindowMove move;
  auto finish = [&] {
    BroadcastDataEvent(move.Notice(), move.Info());
    FireAfterScroll();
  };
  try {
    window_.MoveBy(distance, move);
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return move.moved;
}

void TDataSet::MoveToFirst() {
  EnsureBrowseMode();
  FireBeforeScroll();
  auto finish = [this] {
    window_.SetAtBOF(true);
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    FireAfterScroll();
  };
  try {
    if (uniDirectional_) {
      // A forward-only cursor can only start again from the beginning by opening again.
      if (!window_.AtBOF()) {
        SetActive(false);
        SetActive(true);
      }
    } else {
      window_.FillFromFirst();
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TDataSet::MoveToLast() {
  RequireBidirectional();
  EnsureBrowseMode();
  FireBeforeScroll();
  auto finish = [this] {
    window_.SetAtEOF(true);
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    FireAfterScroll();
  };
  try {
    window_.FillFromLast();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TDataSet::RefillWindow(bool exact, bool center) {
  if (uniDirectional_) return;
  if (!window_.FetchAnchor(exact)) {
    if (exact) DatabaseError("Record not found", this);
    window_.Empty();
  } else {
    try {
      window_.RefillAround(center);
    } catch (...) {
      BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
      throw;
    }
  }
  BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
}

// ---- The provider operations the window runs

std::unique_ptr<TRecordBuffer> TDataSet::WindowCursor::AllocBuffer() {
  return dataSet_.ProviderAllocBuffer();
}

FetchResult TDataSet::WindowCursor::Fetch(TRecordBuffer& buffer, FetchMode mode, bool check) {
  return dataSet_.ProviderFetch(buffer, mode, check);
}

void TDataSet::WindowCursor::First() {
  dataSet_.ProviderFirst();
}

void TDataSet::WindowCursor::Last() {
  dataSet_.ProviderLast();
}

void TDataSet::WindowCursor::SetToRecord(TRecordBuffer& buffer) {
  dataSet_.ProviderSetToRecord(buffer);
}

bool TDataSet::WindowCursor::UniDirectional() {
  return dataSet_.uniDirectional_;
}

void TDataSet::WindowCursor::RequireBidirectional() {
  dataSet_.RequireBidirectional();
}

bool TDataSet::WindowCursor::Inserting() {
  return dataSet_.state_ == DataSetState::Inserting;
}
