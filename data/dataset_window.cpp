// TDataSet: the buffer window, fetching into it, keeping the provider's cursor on the right
// buffer, and the moves.
#include <algorithm>
#include <exception>

#include "core/exceptions.h"
#include "data/database_error.h"
#include "data/datalink.h"
#include "data/dataset.h"
#include "data/datasource.h"

void TDataSet::EmptyWindow() {
  filledCount_ = 0;
  activeIndex_ = 0;
  providerIndex_ = -1;
  atBOF_ = true;
  atEOF_ = true;
}

void TDataSet::StartWindow() {
  filledCount_ = 1;
  activeIndex_ = 0;
  providerIndex_ = 0;
  atBOF_ = false;
  atEOF_ = false;
}

void TDataSet::RotateBuffer(int from, int to) {
  if (from == to) return;
  auto buffer = std::move(buffers_[static_cast<std::size_t>(from)]);
  buffers_.erase(buffers_.begin() + from);
  buffers_.insert(buffers_.begin() + to, std::move(buffer));
}

void TDataSet::ResizeBufferList(int count) {
  const auto wanted = static_cast<std::size_t>(std::max(count, 0));
  if (wanted <= buffers_.size()) {
    buffers_.resize(wanted);
    return;
  }
  // Allocated aside, so that a failure frees exactly what this call allocated.
  std::vector<std::unique_ptr<TRecordBuffer>> added;
  added.reserve(wanted - buffers_.size());
  while (buffers_.size() + added.size() < wanted) added.push_back(ProviderAllocBuffer());
  for (auto& buffer : added) buffers_.push_back(std::move(buffer));
}

TRecordBuffer* TDataSet::CurrentBuffer() {
  if (activeIndex_ < 0 || activeIndex_ >= BufferListSize()) return nullptr;
  return buffers_[static_cast<std::size_t>(activeIndex_)].get();
}

void TDataSet::SetActiveIndex(int index) {
  if (index < 0 || index >= std::max(filledCount_, 1)) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
  activeIndex_ = index;
}

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
  if (count == windowSize_) return;
  if (count < windowSize_ && filledCount_ > 0) {
    int first = activeIndex_;
    for (TDataLink* link = firstLink_; link; link = link->nextLink_) {
      if (link->Active()) first = std::min(first, link->firstRecord_);
    }
    if (count + first >= BufferListSize()) first = BufferListSize() - count - 1;
    for (int i = 0; i < count; ++i) RotateBuffer(first + i, i);
    activeIndex_ -= first;
    if (providerIndex_ != -1) {
      providerIndex_ -= first;
      // The cursor's buffer fell out of the window: no buffer is known to match it.
      if (providerIndex_ < 0 || providerIndex_ >= count) providerIndex_ = -1;
    }
    for (TDataLink* link = firstLink_; link; link = link->nextLink_) {
      if (link->Active()) link->firstRecord_ -= first;
    }
    // Only the records from first on are kept.
    filledCount_ = std::min(count, filledCount_ - first);
  }
  ResizeBufferList(count + 1);
  windowSize_ = count;
  if (Destroying()) return;
  FillForward();
  const int added = FillBackward();
  for (TDataLink* link = firstLink_; link; link = link->nextLink_) {
    if (link->Active()) link->firstRecord_ += added;
  }
}

int TDataSet::FillForward() {
  int fetched = 0;
  while (filledCount_ < windowSize_ && FetchNextIntoWindow()) ++fetched;
  return fetched;
}

int TDataSet::FillBackward() {
  if (uniDirectional_) return 0;
  int fetched = 0;
  while (filledCount_ < windowSize_ && FetchPriorIntoWindow()) ++fetched;
  return fetched;
}

bool TDataSet::FetchNextIntoWindow() {
  FetchMode mode = FetchMode::Next;
  if (filledCount_ > 0) {
    SyncProviderToBuffer(filledCount_ - 1);
    // A record being inserted is not in the provider yet: the cursor's record comes next.
    if (state_ == DataSetState::Inserting && providerIndex_ == activeIndex_ &&
        CurrentBuffer()->Flag() == BookmarkFlag::Current) {
      mode = FetchMode::Current;
    }
  }
  if (ProviderFetch(Buffer(filledCount_), mode, true) != FetchResult::Ok) {
    providerIndex_ = -1;
    return false;
  }
  if (filledCount_ == 0) {
    StartWindow();
  } else if (filledCount_ < windowSize_) {
    ++filledCount_;
  } else {
    RotateBuffer(0, filledCount_);
  }
  providerIndex_ = filledCount_ - 1;
  return true;
}

bool TDataSet::FetchPriorIntoWindow() {
  RequireBidirectional();
  if (filledCount_ > 0) SyncProviderToBuffer(0);
  if (ProviderFetch(Buffer(filledCount_), FetchMode::Prior, true) != FetchResult::Ok) {
    providerIndex_ = -1;
    return false;
  }
  if (filledCount_ == 0) {
    StartWindow();
  } else {
    RotateBuffer(filledCount_, 0);
    if (filledCount_ < windowSize_) {
      ++filledCount_;
      ++activeIndex_;
    }
  }
  providerIndex_ = 0;
  return true;
}

void TDataSet::SyncProviderToBuffer(int index) {
  if (index == providerIndex_) return;
  if (!uniDirectional_) {
    TRecordBuffer& buffer = Buffer(index);
    switch (buffer.Flag()) {
      case BookmarkFlag::Bof:
        ProviderFirst();
        break;
      case BookmarkFlag::Eof:
        ProviderLast();
        break;
      case BookmarkFlag::Current:
      case BookmarkFlag::Inserted:
        ProviderSetToRecord(buffer);
        break;
      case BookmarkFlag::None:
        break;
    }
  }
  providerIndex_ = index;
}

void TDataSet::SyncCursorToActive() {
  if (filledCount_ > 0) SyncProviderToBuffer(activeIndex_);
}

std::int32_t TDataSet::MoveByDistance(std::int32_t distance) {
  EnsureBrowseMode();
  FireBeforeScroll();
  if (distance == 0 || (distance > 0 && atEOF_) || (distance < 0 && atBOF_)) return 0;
  atBOF_ = false;
  atEOF_ = false;
  const int filledBefore = filledCount_;
  std::int32_t shift = 0;
  std::int32_t moved = 0;
  auto finish = [&] {
    if (filledCount_ == filledBefore) {
      BroadcastDataEvent(DataNotice::NoticeScroll, shift);
    } else {
      BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    }
    FireAfterScroll();
  };
  try {
    if (distance > 0) {
      while (moved < distance) {
        if (activeIndex_ < filledCount_ - 1) {
          ++activeIndex_;
        } else {
          const bool full = filledCount_ == windowSize_;
          if (!FetchNextIntoWindow()) {
            atEOF_ = true;
            break;
          }
          // A full window slid, so the active index already designates the new record.
          if (full) {
            --shift;
          } else {
            ++activeIndex_;
          }
        }
        ++moved;
      }
    } else {
      while (moved > distance) {
        if (activeIndex_ > 0) {
          --activeIndex_;
        } else {
          const bool full = filledCount_ == windowSize_;
          if (!FetchPriorIntoWindow()) {
            atBOF_ = true;
            break;
          }
          if (full) {
            ++shift;
          } else {
            --activeIndex_;
          }
        }
        --moved;
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return moved;
}

void TDataSet::MoveToFirst() {
  EnsureBrowseMode();
  FireBeforeScroll();
  auto finish = [this] {
    atBOF_ = true;
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    FireAfterScroll();
  };
  try {
    if (uniDirectional_) {
      // A forward-only cursor can only start again from the beginning by opening again.
      if (!atBOF_) {
        SetActive(false);
        SetActive(true);
      }
    } else {
      EmptyWindow();
      ProviderFirst();
      FetchNextIntoWindow();
      FillForward();
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
    atEOF_ = true;
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    FireAfterScroll();
  };
  try {
    EmptyWindow();
    ProviderLast();
    FetchPriorIntoWindow();
    FillBackward();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TDataSet::RefillWindow(bool exact, bool center) {
  if (uniDirectional_) return;
  TRecordBuffer& spare = Buffer(filledCount_);
  if (exact) {
    providerIndex_ = -1;
    if (ProviderFetch(spare, FetchMode::Current, true) != FetchResult::Ok) {
      DatabaseError("Record not found", this);
    }
  } else if (ProviderFetch(spare, FetchMode::Current, false) != FetchResult::Ok &&
             ProviderFetch(spare, FetchMode::Next, false) != FetchResult::Ok &&
             ProviderFetch(spare, FetchMode::Prior, false) != FetchResult::Ok) {
    EmptyWindow();
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    return;
  }
  const int before = center ? (windowSize_ - 1) / 2 : activeIndex_;
  RotateBuffer(filledCount_, 0);
  StartWindow();
  try {
    for (int i = 0; i < before && FetchPriorIntoWindow(); ++i) {
    }
    FillForward();
    FillBackward();
  } catch (...) {
    BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
    throw;
  }
  BroadcastDataEvent(DataNotice::NoticeDataSet, 0);
}
