// Builds component streams byte by byte for the tests: one call per tag or name.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "core/stream.h"
#include "core/valuetag.h"

namespace coretest {

class StreamBuilder {
 public:
  StreamBuilder& Signature() { return Raw("TPF0"); }
  StreamBuilder& Raw(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
  }
  StreamBuilder& Byte(int b) {
    bytes_ += static_cast<char>(b);
    return *this;
  }
  StreamBuilder& Name(std::string_view s) { return Byte(static_cast<int>(s.size())).Raw(s); }
  StreamBuilder& Tag(ValueTag t) { return Byte(static_cast<int>(t)); }
  StreamBuilder& End() { return Byte(0); }
  // An object record header: optional prefix flags (with the child position when flag 2 is
  // set), class name and object name.
  StreamBuilder& Object(std::string_view cls, std::string_view name, int prefix = -1,
                        int position = 0) {
    if (prefix >= 0) Byte(0xF0 | prefix);
    if (prefix >= 0 && (prefix & 2)) Int8(position);
    return Name(cls).Name(name);
  }
  StreamBuilder& Prop(std::string_view name) { return Name(name); }

  StreamBuilder& Int8(int v) { return Tag(ValueTag::tagInt8).Le(v, 1); }
  StreamBuilder& Int16(int v) { return Tag(ValueTag::tagInt16).Le(v, 2); }
  StreamBuilder& Int32(std::int64_t v) { return Tag(ValueTag::tagInt32).Le(v, 4); }
  StreamBuilder& Int64(std::int64_t v) { return Tag(ValueTag::tagInt64).Le(v, 8); }
  StreamBuilder& Ident(std::string_view s) { return Tag(ValueTag::tagIdent).Name(s); }
  StreamBuilder& Short(std::string_view s) { return Tag(ValueTag::tagShortString).Name(s); }
  StreamBuilder& Long(std::string_view s) {
    return Tag(ValueTag::tagLongString).Le(static_cast<std::int64_t>(s.size()), 4).Raw(s);
  }
  StreamBuilder& Utf8(std::string_view s) {
    return Tag(ValueTag::tagUtf8String).Le(static_cast<std::int64_t>(s.size()), 4).Raw(s);
  }
  StreamBuilder& Wide(std::u16string_view s) {
    Tag(ValueTag::tagWideString).Le(static_cast<std::int64_t>(s.size()), 4);
    for (char16_t c : s) Le(c, 2);
    return *this;
  }
  StreamBuilder& Binary(std::string_view s) {
    return Tag(ValueTag::tagBinary).Le(static_cast<std::int64_t>(s.size()), 4).Raw(s);
  }
  StreamBuilder& Set(std::initializer_list<std::string_view> names) {
    Tag(ValueTag::tagSet);
    for (auto n : names) Name(n);
    return End();
  }
  StreamBuilder& Single(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return Tag(ValueTag::tagSingle).Le(bits, 4);
  }
  StreamBuilder& Date(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    return Tag(ValueTag::tagDate).Le(static_cast<std::int64_t>(bits), 8);
  }
  StreamBuilder& Currency(std::int64_t scaled) { return Tag(ValueTag::tagCurrency).Le(scaled, 8); }
  // An extended value from its mantissa and sign/exponent word.
  StreamBuilder& Extended(std::uint64_t mantissa, int signExp) {
    return Tag(ValueTag::tagExtended).Le(static_cast<std::int64_t>(mantissa), 8).Le(signExp, 2);
  }

  const std::string& Bytes() const { return bytes_; }
  // A fresh memory stream holding the bytes, positioned at 0.
  std::unique_ptr<TMemoryStream> Stream() const {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
    s->SetPosition(0);
    return s;
  }

 private:
  StreamBuilder& Le(std::int64_t v, int n) {
    auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < n; ++i) bytes_ += static_cast<char>((u >> (8 * i)) & 0xFF);
    return *this;
  }
  std::string bytes_;
};

}  // namespace coretest
