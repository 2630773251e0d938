// Decodes a binary component stream into the generic tree, trusting no length in it.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tools/formc/binary.h"

namespace formc {
namespace {

class Decoder {
 public:
  Decoder(std::string_view data, StreamSink& sink) : data_(data), sink_(sink) {}

  void Stream() {
    CheckSignature(data_);
    pos_ = 4;
    Object(0);
    if (pos_ != data_.size()) throw StreamError(pos_, "unexpected bytes after the root object");
  }

 private:
  void Need(std::size_t n, const char* what) const {
    if (data_.size() - pos_ < n) throw StreamError(pos_, std::string("stream ends inside ") + what);
  }

  std::uint8_t Byte(const char* what) {
    Need(1, what);
    return static_cast<std::uint8_t>(data_[pos_++]);
  }

  std::uint8_t PeekByte(const char* what) const {
    Need(1, what);
    return static_cast<std::uint8_t>(data_[pos_]);
  }

  std::string Bytes(std::size_t n, const char* what) {
    Need(n, what);
    std::string out(data_.substr(pos_, n));
    pos_ += n;
    return out;
  }

  std::uint64_t Unsigned(int size, const char* what) {
    Need(size, what);
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i)
      v |= std::uint64_t{static_cast<std::uint8_t>(data_[pos_ + i])} << (8 * i);
    pos_ += size;
    return v;
  }

  std::int64_t Signed(int size, const char* what) {
    std::uint64_t v = Unsigned(size, what);
    int shift = 64 - 8 * size;
    return static_cast<std::int64_t>(v << shift) >> shift;
  }

  // A 4-byte length followed by that many units of unitSize bytes, checked before anything
  // is allocated.
  std::size_t Length(std::size_t unitSize, const char* what) {
    std::size_t at = pos_;
    std::uint64_t count = Unsigned(4, "a 4-byte length");
    if (count * unitSize > data_.size() - pos_)
      throw StreamError(at, std::string(what) + " length " + std::to_string(count) +
                                " exceeds the " + std::to_string(data_.size() - pos_) +
                                " bytes left");
    return static_cast<std::size_t>(count);
  }

  std::string ShortName(const char* what) {
    std::size_t n = Byte(what);
    return Bytes(n, what);
  }

  void Deeper(int depth) const {
    if (depth >= kMaxDepth)
      throw StreamError(pos_, "nesting deeper than " + std::to_string(kMaxDepth) + " levels");
  }

  void Object(int depth) {
    Deeper(depth);
    std::optional<std::uint8_t> prefix;
    std::optional<std::size_t> position;
    std::uint8_t first = PeekByte("an object record");
    if (first >= 0xF0) {
      prefix = first;
      ++pos_;
      if (first & kPrefixChildPosition) {
        // The position comes before the names in the stream but after them in the events:
        // checked now, sent once the names are known.
        position = pos_;
        CheckingSink checking;
        Decoder(data_, checking).SkipValue(pos_, depth + 1);
      }
    }
    std::string className = ShortName("a class name");
    std::string name = ShortName("an object name");
    sink_.BeginObject(prefix, className, name, position.has_value());
    if (position) {
      const std::size_t after = pos_;
      pos_ = *position;
      TaggedValue(depth + 1);
      pos_ = after;
    }
    sink_.ObjectBody();
    Entries(depth);
    while (PeekByte("the child list") != 0) Object(depth + 1);
    ++pos_;
    sink_.EndObject();
  }

  // Reads the value at *pos into the sink and moves *pos past it.
  void SkipValue(std::size_t& pos, int depth) {
    pos_ = pos;
    TaggedValue(depth);
    pos = pos_;
  }

  void Entries(int depth) {
    while (PeekByte("the property list") != 0) {
      sink_.BeginEntry(ShortName("a property name"));
      TaggedValue(depth + 1);
      sink_.EndEntry();
    }
    ++pos_;
  }

  void TaggedValue(int depth) {
    Deeper(depth);
    std::size_t at = pos_;
    std::uint8_t tag = Byte("a value tag");
    Value v;
    v.tag = static_cast<ValueTag>(tag);
    switch (v.tag) {
      case ValueTag::tagEnd:
      case ValueTag::tagFalse:
      case ValueTag::tagTrue:
      case ValueTag::tagNil:
        break;
      case ValueTag::tagList:
        sink_.BeginList(PeekByte("a list") == 0);
        while (PeekByte("a list") != 0) TaggedValue(depth + 1);
        ++pos_;
        sink_.EndList();
        return;
      case ValueTag::tagInt8:
        v.integer = Signed(1, "an 8-bit integer");
        break;
      case ValueTag::tagInt16:
        v.integer = Signed(2, "a 16-bit integer");
        break;
      case ValueTag::tagInt32:
        v.integer = Signed(4, "a 32-bit integer");
        break;
      case ValueTag::tagInt64:
        v.integer = Signed(8, "a 64-bit integer");
        break;
      case ValueTag::tagCurrency:
        v.integer = Signed(8, "a currency value");
        break;
      case ValueTag::tagExtended:
        v.bytes = Bytes(10, "an extended float");
        break;
      case ValueTag::tagSingle:
        v.bytes = Bytes(4, "a single float");
        break;
      case ValueTag::tagDate:
        v.bytes = Bytes(8, "a date");
        break;
      case ValueTag::tagShortString:
      case ValueTag::tagIdent:
        v.bytes = ShortName(v.tag == ValueTag::tagIdent ? "an identifier" : "a short string");
        break;
      case ValueTag::tagLongString:
        v.bytes = Bytes(Length(1, "long string"), "a long string");
        break;
      case ValueTag::tagUtf8String:
        v.bytes = Bytes(Length(1, "UTF-8 string"), "a UTF-8 string");
        break;
      case ValueTag::tagBinary:
        v.bytes = Bytes(Length(1, "binary"), "a binary value");
        break;
      case ValueTag::tagWideString: {
        std::size_t count = Length(2, "wide string");
        v.wide.resize(count);
        for (std::size_t i = 0; i < count; ++i)
          v.wide[i] = static_cast<char16_t>(Unsigned(2, "a wide string"));
        break;
      }
      case ValueTag::tagSet:
        sink_.BeginSet();
        while (PeekByte("a set") != 0) sink_.SetElement(ShortName("a set element"));
        ++pos_;
        sink_.EndSet();
        return;
      case ValueTag::tagCollection:
        sink_.BeginCollection(PeekByte("a collection") == 0);
        while (PeekByte("a collection") != 0) Item(depth + 1);
        ++pos_;
        sink_.EndCollection();
        return;
      default:
        pos_ = at;
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", tag);
        throw StreamError(at, std::string("unknown value tag ") + hex);
    }
    sink_.Scalar(v);
  }

  // An order value is an integer: it is read on its own, never sent as a value of its own.
  std::optional<Value> Order(int depth) {
    std::uint8_t tag = PeekByte("a collection item");
    if (tag != 2 && tag != 3 && tag != 4) return std::nullopt;
    Deeper(depth);
    Value order;
    order.tag = static_cast<ValueTag>(Byte("a value tag"));
    order.integer = Signed(tag == 2   ? 1
                           : tag == 3 ? 2
                                      : 4,
                           tag == 2   ? "an 8-bit integer"
                           : tag == 3 ? "a 16-bit integer"
                                      : "a 32-bit integer");
    return order;
  }

  void Item(int depth) {
    Deeper(depth);
    std::optional<Value> order = Order(depth);
    std::size_t at = pos_;
    std::uint8_t list = Byte("a collection item");
    if (list != static_cast<std::uint8_t>(ValueTag::tagList)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", list);
      throw StreamError(
          at, std::string("a collection item must open with the list tag 0x01, not ") + hex);
    }
    sink_.BeginItem(order);
    Entries(depth);
    sink_.EndItem();
  }

  std::string_view data_;
  StreamSink& sink_;
  std::size_t pos_ = 0;
};

}  // namespace

void CheckSignature(std::string_view start) {
  if (start.size() < 4 || std::memcmp(start.data(), kStreamSignature, 4) != 0)
    throw StreamError(0, "not a component stream (the signature is not \"TPF0\")");
}

void DecodeStream(std::string_view stream, StreamSink& sink) {
  Decoder(stream, sink).Stream();
}

}  // namespace formc
