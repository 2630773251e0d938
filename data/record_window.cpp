// The record-buffer window: its invariant, the fetches that fill it and the moves through it.
#include "data/record_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/exceptions.h"
#include "core/sysutils.h"

TRecordBuffer* TRecordWindow::Current() {
  if (activeIndex_ >= BufferCount()) return nullptr;
  return buffers_[static_cast<std::size_t>(activeIndex_)].get();
}

void TRecordWindow::SetActiveIndex(int index) {
  if (index < 0 || index >= std::max(filledCount_, 1)) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
  activeIndex_ = index;
}

void TRecordWindow::SetProviderIndex(int index) {
  providerIndex_ = index;
  CheckInvariant();
}

void TRecordWindow::Empty() {
  filledCount_ = 0;
  activeIndex_ = 0;
  providerIndex_ = -1;
  atBOF_ = true;
  atEOF_ = true;
}

void TRecordWindow::Start() {
  filledCount_ = 1;
  activeIndex_ = 0;
  providerIndex_ = 0;
  atBOF_ = false;
  atEOF_ = false;
  CheckInvariant();
}

void TRecordWindow::Rotate(int from, int to) {
  if (from == to) return;
  auto buffer = std::move(buffers_[static_cast<std::size_t>(from)]);
  buffers_.erase(buffers_.begin() + from);
  buffers_.insert(buffers_.begin() + to, std::move(buffer));
}

void TRecordWindow::ResizeBufferList(int count) {
  const auto wanted = static_cast<std::size_t>(std::max(count, 0));
  if (wanted <= buffers_.size()) {
    buffers_.resize(wanted);
    return;
  }
  // Allocated aside, so that a failure frees exactly what this call allocated.
  std::vector<std::unique_ptr<TRecordBuffer>> added;
  added.reserve(wanted - buffers_.size());
  while (buffers_.size() + added.size() < wanted) added.push_back(cursor_.AllocBuffer());
  for (auto& buffer : added) buffers_.push_back(std::move(buffer));
}

void TRecordWindow::Close() {
  Empty();
  buffers_.clear();
  size_ = 0;
  CheckInvariant();
}

int TRecordWindow::Resize(int count, int first) {
  if (count == size_) return 0;
  int dropped = 0;
  if (count < size_ && filledCount_ > 0) {
    // The window stays as full as the buffers allow, and the active record stays in it.
    dropped = std::max({0, std::min(first, size_ - count), activeIndex_ - count + 1});
    for (int i = 0; i < count; ++i) Rotate(dropped + i, i);
    activeIndex_ -= dropped;
    if (providerIndex_ != -1) {
      providerIndex_ -= dropped;
      // The cursor's buffer fell out of the window: no buffer is known to match it.
      if (providerIndex_ < 0 || providerIndex_ >= count) providerIndex_ = -1;
    }
    filledCount_ = std::min(count, filledCount_ - dropped);
  }
  ResizeBufferList(count + 1);
  size_ = count;
  CheckInvariant();
  return dropped;
}

bool TRecordWindow::FetchNext() {
  FetchMode mode = FetchMode::Next;
  if (filledCount_ > 0) {
    SyncCursorTo(filledCount_ - 1);
    // A record being inserted is not in the provider yet: the cursor's record comes next.
    if (cursor_.Inserting() && providerIndex_ == activeIndex_ &&
        Current()->Flag() == BookmarkFlag::Current) {
      mode = FetchMode::Current;
    }
  }
  if (cursor_.Fetch(Buffer(filledCount_), mode, true) != FetchResult::Ok) {
    providerIndex_ = -1;
    return false;
  }
  if (filledCount_ == 0) {
    Start();
  } else if (filledCount_ < size_) {
    ++filledCount_;
  } else {
    Rotate(0, filledCount_);
  }
  providerIndex_ = filledCount_ - 1;
  CheckInvariant();
  return true;
}

bool TRecordWindow::FetchPrior() {
  cursor_.RequireBidirectional();
  if (filledCount_ > 0) SyncCursorTo(0);
  if (cursor_.Fetch(Buffer(filledCount_), FetchMode::Prior, true) != FetchResult::Ok) {
    providerIndex_ = -1;
    return false;
  }
  if (filledCount_ == 0) {
    Start();
  } else {
    Rotate(filledCount_, 0);
    if (filledCount_ < size_) {
      ++filledCount_;
      ++activeIndex_;
    }
  }
  providerIndex_ = 0;
  CheckInvariant();
  return true;
}

int TRecordWindow::FillForward() {
  int fetched = 0;
  while (filledCount_ < size_ && FetchNext()) ++fetched;
  return fetched;
}

int TRecordWindow::FillBackward() {
  if (cursor_.UniDirectional()) return 0;
  int fetched = 0;
  while (filledCount_ < size_ && FetchPrior()) ++fetched;
  return fetched;
}

void TRecordWindow::SyncCursorTo(int index) {
  if (index == providerIndex_) return;
  if (!cursor_.UniDirectional()) {
    TRecordBuffer& buffer = Buffer(index);
    switch (buffer.Flag()) {
      case BookmarkFlag::Bof:
        cursor_.First();
        break;
      case BookmarkFlag::Eof:
        cursor_.Last();
        break;
      case BookmarkFlag::Current:
      case BookmarkFlag::Inserted:
        cursor_.SetToRecord(buffer);
        break;
      case BookmarkFlag::None:
        break;
    }
  }
  providerIndex_ = index;
  CheckInvariant();
}

void TRecordWindow::SyncCursorToActive() {
  if (filledCount_ > 0) SyncCursorTo(activeIndex_);
}

bool TRecordWindow::CanMove(std::int32_t distance) const {
  return distance != 0 && !(distance > 0 && atEOF_) && !(distance < 0 && atBOF_);
}

void TRecordWindow::MoveBy(std::int32_t distance, TWindowMove& move) {
  if (!CanMove(distance)) return;
  atBOF_ = false;
  atEOF_ = false;
  const int filledBefore = filledCount_;
  while (move.moved != distance) {
    const bool forward = distance > 0;
    if (forward ? activeIndex_ < filledCount_ - 1 : activeIndex_ > 0) {
      activeIndex_ += forward ? 1 : -1;
    } else {
      const bool full = filledCount_ == size_;
      const bool fetched = forward ? FetchNext() : FetchPrior();
      move.grew = filledCount_ != filledBefore;
      if (!fetched) {
        (forward ? atEOF_ : atBOF_) = true;
        break;
      }
      // A full window slid, so the active index already designates the new record.
      if (full) {
        move.shift += forward ? -1 : 1;
      } else {
        activeIndex_ += forward ? 1 : -1;
      }
    }
    move.moved += forward ? 1 : -1;
  }
  CheckInvariant();
}

void TRecordWindow::FillFromFirst() {
  Empty();
  cursor_.First();
  FetchNext();
  FillForward();
}

void TRecordWindow::FillFromLast() {
  Empty();
  cursor_.Last();
  FetchPrior();
  FillBackward();
}

bool TRecordWindow::FetchAnchor(bool exact) {
  TRecordBuffer& spare = Buffer(filledCount_);
  if (exact) {
    providerIndex_ = -1;
    return cursor_.Fetch(spare, FetchMode::Current, true) == FetchResult::Ok;
  }
  return cursor_.Fetch(spare, FetchMode::Current, false) == FetchResult::Ok ||
         cursor_.Fetch(spare, FetchMode::Next, false) == FetchResult::Ok ||
         cursor_.Fetch(spare, FetchMode::Prior, false) == FetchResult::Ok;
}

void TRecordWindow::RefillAround(bool center) {
  const int before = center ? (size_ - 1) / 2 : activeIndex_;
  Rotate(filledCount_, 0);
  Start();
  for (int i = 0; i < before && FetchPrior(); ++i) {
  }
  FillForward();
  FillBackward();
}

TRecordBuffer& TRecordWindow::OpenGapAtActive() {
  Rotate(filledCount_, activeIndex_);
  return Buffer(activeIndex_);
}

void TRecordWindow::KeepInserted() {
  if (filledCount_ < size_) ++filledCount_;
  CheckInvariant();
}

void TRecordWindow::StartAppended() {
  filledCount_ = 1;
  activeIndex_ = 0;
  atBOF_ = false;
  CheckInvariant();
}

void TRecordWindow::CheckInvariant() const {
  const char* broken = nullptr;
  if (size_ == 0) {
    if (!buffers_.empty() || filledCount_ != 0 || activeIndex_ != 0 || providerIndex_ != -1) {
      broken = "a closed window holds buffers or records";
    }
  } else if (BufferCount() != size_ + 1) {
    broken = "the window has not one spare buffer";
  } else if (filledCount_ < 0 || filledCount_ > size_) {
    broken = "more records filled than the window holds";
  } else if (activeIndex_ < 0 || activeIndex_ >= std::max(filledCount_, 1)) {
    broken = "the active record is outside the filled buffers";
  } else if (providerIndex_ < -1 || providerIndex_ >= filledCount_) {
    broken = "the cursor's buffer is outside the filled buffers";
  }
  if (broken == nullptr) return;
  std::fprintf(stderr,
               "record window fault: %s (size %d, buffers %d, filled %d, active %d, cursor %d)\n",
               broken, size_, BufferCount(), filledCount_, activeIndex_, providerIndex_);
  std::abort();
}
