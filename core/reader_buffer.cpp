// The stream reader's buffer: bytes, tags, lengths and strings read through it, and errors
// that carry the offset where the stream went wrong.
#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "core/reader.h"
#include "core/reader_detail.h"

using reader_detail::kInvalidValue;
using reader_detail::ReadInChunks;
using reader_detail::ReadLittleEndian;

TFiler::TFiler(TStream& stream, int bufSize)
    : stream_(stream),
      buffer_(static_cast<std::size_t>(bufSize > 0 ? bufSize : 1)),
      bufSize_(static_cast<std::int64_t>(buffer_.size())) {}

TReader::TReader(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}

TReader::~TReader() {
  if (bufEnd_ > bufPos_) stream_.Seek(bufPos_ - bufEnd_, TSeekOrigin::soCurrent);
}

std::int64_t TReader::StreamOffset() {
  return stream_.Position() - (bufEnd_ - bufPos_);
}

void TReader::Fail(const AnsiString& message) {
  throw EReadError(message, StreamOffset());
}

void TReader::Refill() {
  bufEnd_ = stream_.Read(buffer_.data(), bufSize_);
  bufPos_ = 0;
  if (bufEnd_ <= 0) {
    bufEnd_ = 0;
    Fail("Stream read error");
  }
}

void TReader::Read(void* buffer, std::int64_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    if (bufPos_ == bufEnd_) Refill();
    std::int64_t n = std::min(count, bufEnd_ - bufPos_);
    std::memcpy(out, buffer_.data() + bufPos_, static_cast<std::size_t>(n));
    bufPos_ += n;
    out += n;
    count -= n;
  }
}

std::uint8_t TReader::PeekByte() {
  if (bufPos_ == bufEnd_) Refill();
  return buffer_[static_cast<std::size_t>(bufPos_)];
}

ValueTag TReader::NextValue() {
  return static_cast<ValueTag>(PeekByte());
}

ValueTag TReader::ReadValue() {
  std::uint8_t b;
  Read(&b, 1);
  return static_cast<ValueTag>(b);
}

bool TReader::EndOfList() {
  return PeekByte() == 0;
}

void TReader::ReadListBegin() {
  if (ReadValue() != ValueTag::tagList) Fail(kInvalidValue);
}

void TReader::ReadListEnd() {
  if (ReadValue() != ValueTag::tagEnd) Fail(kInvalidValue);
}

AnsiString TReader::ReadBytes(std::int64_t count) {
  AnsiString result;
  ReadInChunks(*this, count, [&](const std::uint8_t* bytes, std::int64_t size) {
    result.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
  });
  return result;
}

WideString TReader::ReadUtf16(std::int64_t count) {
  AnsiString bytes = ReadBytes(count * 2);
  WideString result(static_cast<std::size_t>(count), u'\0');
  const auto* units = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (std::size_t i = 0; i < result.size(); ++i) {
    result[i] = static_cast<char16_t>(platform::LoadLittleEndian<std::uint16_t>(units + 2 * i));
  }
  return result;
}

std::uint32_t TReader::ReadLength() {
  return ReadLittleEndian<std::uint32_t>(*this);
}

AnsiString TReader::ReadStr() {
  std::uint8_t length;
  Read(&length, 1);
  return ReadBytes(length);
}

void TReader::SkipBytes(std::int64_t count) {
  ReadInChunks(*this, count, [](const std::uint8_t*, std::int64_t) {});
}
