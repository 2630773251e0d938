// The stream reader's typed values: integers, floats, strings, identifiers, sets and variants,
// and skipping values, properties and component records without building anything.
#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "core/extended.h"
#include "core/reader.h"
#include "core/reader_detail.h"
#include "platform/codepage.h"

using reader_detail::kInvalidValue;
using reader_detail::Low7;
using reader_detail::ReadLittleEndian;
using reader_detail::Tag;

std::int32_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case ValueTag::tagInt8:
      return ReadLittleEndian<std::int8_t>(*this);
    case ValueTag::tagInt16:
      return ReadLittleEndian<std::int16_t>(*this);
    case ValueTag::tagInt32:
      return ReadLittleEndian<std::int32_t>(*this);
    default:
      Fail(kInvalidValue);
  }
}

std::int64_t TReader::ReadInt64() {
  if (NextValue() != ValueTag::tagInt64) return ReadInteger();
  ReadValue();
  return ReadLittleEndian<std::int64_t>(*this);
}

long double TReader::ReadFloat() {
  if (NextValue() != ValueTag::tagExtended) return static_cast<long double>(ReadInt64());
  ReadValue();
  std::uint8_t b[10];
  Read(b, 10);
  return ExtendedToLongDouble(b);
}

float TReader::ReadSingle() {
  if (NextValue() != ValueTag::tagSingle) return static_cast<float>(ReadInt64());
  ReadValue();
  std::uint32_t bits = ReadLittleEndian<std::uint32_t>(*this);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

Currency TReader::ReadCurrency() {
  if (NextValue() != ValueTag::tagCurrency) {
    std::int64_t scaled;
    if (__builtin_mul_overflow(ReadInt64(), std::int64_t{10000}, &scaled)) Fail(kInvalidValue);
    return Currency{scaled};
  }
  ReadValue();
  return Currency{ReadLittleEndian<std::int64_t>(*this)};
}

TDateTime TReader::ReadDate() {
  if (NextValue() != ValueTag::tagDate) return TDateTime{static_cast<double>(ReadInt64())};
  ReadValue();
  std::uint64_t bits = ReadLittleEndian<std::uint64_t>(*this);
  double d;
  std::memcpy(&d, &bits, 8);
  return TDateTime{d};
}

AnsiString TReader::ReadString() {
  switch (ReadValue()) {
    case ValueTag::tagShortString:
      return ReadStr();
    case ValueTag::tagLongString:
      return ReadBytes(ReadLength());
    case ValueTag::tagWideString:
      return platform::WideToAnsi(ReadUtf16(ReadLength()));
    case ValueTag::tagUtf8String:
      return platform::WideToAnsi(platform::Utf8ToWide(ReadBytes(ReadLength())));
    default:
      Fail(kInvalidValue);
  }
}

WideString TReader::ReadWideString() {
  switch (ReadValue()) {
    case ValueTag::tagShortString:
      return platform::AnsiToWide(ReadStr());
    case ValueTag::tagLongString:
      return platform::AnsiToWide(ReadBytes(ReadLength()));
    case ValueTag::tagWideString:
      return ReadUtf16(ReadLength());
    case ValueTag::tagUtf8String:
      return platform::Utf8ToWide(ReadBytes(ReadLength()));
    default:
      Fail(kInvalidValue);
  }
}

char TReader::ReadChar() {
  AnsiString s = ReadString();
  if (s.size() > 1) Fail(kInvalidValue);
  return s.empty() ? '\0' : s[0];
}

bool TReader::ReadBoolean() {
  return ReadValue() == ValueTag::tagTrue;
}

AnsiString TReader::ReadIdent() {
  switch (Low7(ReadValue())) {
    case ValueTag::tagIdent:
      return ReadStr();
    case ValueTag::tagFalse:
      return "False";
    case ValueTag::tagTrue:
      return "True";
    case ValueTag::tagNil:
      return "nil";
    case ValueTag::tagEnd:
      return "Null";
    default:
      Fail(kInvalidValue);
  }
}

void TReader::SkipSetBody() {
  while (!ReadStr().empty()) {
  }
}

std::uint32_t TReader::ReadSet(const std::vector<AnsiString>& names) {
  if (ReadValue() != ValueTag::tagSet) Fail(kInvalidValue);
  std::uint32_t bits = 0;
  for (;;) {
    AnsiString name = ReadStr();
    if (name.empty()) return bits;
    auto it = std::find_if(names.begin(), names.end(),
                           [&](const AnsiString& n) { return SameText(n, name); });
    if (it == names.end()) {
      SkipSetBody();
      Fail(kInvalidValue);
    }
    auto ordinal = it - names.begin();
    if (ordinal <= 31) bits |= std::uint32_t{1} << ordinal;
  }
}

Variant TReader::ReadVariant() {
  switch (Low7(NextValue())) {
    case ValueTag::tagEnd:
      ReadValue();
      return Variant::Null();
    case ValueTag::tagNil:
      ReadValue();
      return Variant();
    case ValueTag::tagInt8:
      return Variant::Int8(static_cast<std::int8_t>(ReadInteger()));
    case ValueTag::tagInt16:
      return Variant::Int16(static_cast<std::int16_t>(ReadInteger()));
    case ValueTag::tagInt32:
      return Variant(ReadInteger());
    case ValueTag::tagExtended:
      return Variant(NarrowToDouble(ReadFloat()));
    case ValueTag::tagShortString:
    case ValueTag::tagLongString:
      return Variant(ReadString());
    case ValueTag::tagFalse:
    case ValueTag::tagTrue:
      return Variant(ReadBoolean());
    case ValueTag::tagSingle:
      return Variant(ReadSingle());
    case ValueTag::tagCurrency:
      return Variant(ReadCurrency());
    case ValueTag::tagDate:
      return Variant(ReadDate());
    case ValueTag::tagWideString:
    case ValueTag::tagUtf8String:
      return Variant(ReadWideString());
    case ValueTag::tagInt64:
      return Variant(ReadInt64());
    case ValueTag::tagBinary:
      // A custom variant: this program registers no custom variant types to resolve it.
      ReadValue();
      SkipBytes(ReadLength());
      Fail(kInvalidValue);
    default:
      Fail("Stream read error");
  }
}

void TReader::SkipValue() {
  Nesting nesting(*this);
  switch (Low7(ReadValue())) {
    case ValueTag::tagList:
      while (!EndOfList()) SkipValue();
      ReadValue();
      break;
    case ValueTag::tagInt8:
      SkipBytes(1);
      break;
    case ValueTag::tagInt16:
      SkipBytes(2);
      break;
    case ValueTag::tagInt32:
    case ValueTag::tagSingle:
      SkipBytes(4);
      break;
    case ValueTag::tagExtended:
      SkipBytes(10);
      break;
    case ValueTag::tagShortString:
    case ValueTag::tagIdent:
      ReadStr();
      break;
    case ValueTag::tagBinary:
    case ValueTag::tagLongString:
    case ValueTag::tagUtf8String:
      SkipBytes(ReadLength());
      break;
    case ValueTag::tagWideString:
      SkipBytes(std::int64_t{ReadLength()} * 2);
      break;
    case ValueTag::tagSet:
      SkipSetBody();
      break;
    case ValueTag::tagCollection:
      while (!EndOfList()) {
        reader_detail::SkipItemIndex(*this);
        ReadListBegin();
        while (!EndOfList()) SkipProperty();
        ReadListEnd();
      }
      ReadListEnd();
      break;
    case ValueTag::tagCurrency:
    case ValueTag::tagDate:
    case ValueTag::tagInt64:
      SkipBytes(8);
      break;
    case ValueTag::tagEnd:
    case ValueTag::tagFalse:
    case ValueTag::tagTrue:
    case ValueTag::tagNil:
      break;
    default:
      Fail("Invalid stream format");
  }
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipComponent(bool skipHeader) {
  Nesting nesting(*this);
  if (skipHeader) {
    int flags, position;
    ReadPrefix(flags, position);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) SkipProperty();
  ReadListEnd();
  while (!EndOfList()) SkipComponent(true);
  ReadListEnd();
}

void TReader::ReadPrefix(int& flags, int& position) {
  flags = 0;
  position = 0;
  if (PeekByte() >= 0xF0) {
    flags = Tag(ReadValue()) & 0x0F;
    if (flags & 2) position = ReadInteger();
  }
}
