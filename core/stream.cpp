// Streams over memory and embedded resources.
#include "core/stream.h"

#include <algorithm>
#include <cstring>

#include "core/exceptions.h"

std::int64_t TStream::Size() {
  std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
  std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::uint8_t chunk[4096];
  std::int64_t left = count;
  while (left > 0) {
    std::int64_t n = std::min<std::int64_t>(left, sizeof chunk);
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    left -= n;
  }
  return count;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  std::int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  if (fixed_) throw EStreamError("Stream write error");
  std::int64_t end = position_ + count;
  if (end > size_) SetSize(end);
  std::memcpy(own_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                      : origin == TSeekOrigin::soCurrent ? position_
                                                         : size_;
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (fixed_) throw EStreamError("Stream write error");
  own_.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, size)));
  data_ = own_.data();
  size_ = static_cast<std::int64_t>(own_.size());
  position_ = std::min(position_, size_);
}

void TMemoryStream::Clear() {
  if (fixed_) throw EStreamError("Stream write error");
  own_.clear();
  data_ = nullptr;
  size_ = 0;
  position_ = 0;
}

void TMemoryStream::SetPointer(const std::uint8_t* data, std::int64_t size) {
  own_.clear();
  data_ = data;
  size_ = size;
  position_ = 0;
  fixed_ = true;
}

TResourceStream::TResourceStream(platform::HMODULE instance, const AnsiString& name,
                                 platform::LPCSTR type) {
  platform::HRSRC resource = platform::FindResourceA(instance, name.c_str(), type);
  if (!resource) throw EResNotFound(Format("Resource %s not found", name.c_str()));
  platform::HGLOBAL loaded = platform::LoadResource(instance, resource);
  SetPointer(static_cast<const std::uint8_t*>(platform::LockResource(loaded)),
             platform::SizeofResource(instance, resource));
}

std::int64_t TResourceStream::Write(const void*, std::int64_t) {
  throw EStreamError("Can't write to a read-only resource stream");
}
