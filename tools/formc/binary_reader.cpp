// Decodes a binary component stream into the generic tree, trusting no length in it.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tools/formc/binary.h"

namespace formc {
namespace {

class Decoder {
 public:
  explicit Decoder(std::string_view data) : data_(data) {}

  ObjectRecord Stream() {
    CheckSignature(data_);
    pos_ = 4;
    ObjectRecord root = Object(0);
    if (pos_ != data_.size()) throw StreamError(pos_, "unexpected bytes after the root object");
    return root;
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

  ObjectRecord Object(int depth) {
    Deeper(depth);
    ObjectRecord record;
    std::uint8_t first = PeekByte("an object record");
    if (first >= 0xF0) {
      record.prefix = first;
      ++pos_;
      if (first & kPrefixChildPosition) record.position = TaggedValue(depth + 1);
    }
    record.className = ShortName("a class name");
    record.name = ShortName("an object name");
    record.entries = Entries(depth);
    while (PeekByte("the child list") != 0) record.children.push_back(Object(depth + 1));
    ++pos_;
    return record;
  }

  std::vector<PropertyEntry> Entries(int depth) {
    std::vector<PropertyEntry> entries;
    while (PeekByte("the property list") != 0) {
      PropertyEntry entry;
      entry.name = ShortName("a property name");
      entry.value = TaggedValue(depth + 1);
      entries.push_back(std::move(entry));
    }
    ++pos_;
    return entries;
  }

  Value TaggedValue(int depth) {
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
        while (PeekByte("a list") != 0) v.items.push_back(TaggedValue(depth + 1));
        ++pos_;
        break;
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
        while (PeekByte("a set") != 0) v.elements.push_back(ShortName("a set element"));
        ++pos_;
        break;
      case ValueTag::tagCollection:
        while (PeekByte("a collection") != 0) v.collection.push_back(Item(depth + 1));
        ++pos_;
        break;
      default:
        pos_ = at;
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", tag);
        throw StreamError(at, std::string("unknown value tag ") + hex);
    }
    return v;
  }

  CollectionItem Item(int depth) {
    Deeper(depth);
    CollectionItem item;
    std::uint8_t tag = PeekByte("a collection item");
    if (tag == 2 || tag == 3 || tag == 4) item.order = TaggedValue(depth);
    std::size_t at = pos_;
    std::uint8_t list = Byte("a collection item");
    if (list != static_cast<std::uint8_t>(ValueTag::tagList)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", list);
      throw StreamError(
          at, std::string("a collection item must open with the list tag 0x01, not ") + hex);
    }
    item.entries = Entries(depth);
    return item;
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

}  // namespace

void CheckSignature(std::string_view start) {
  if (start.size() < 4 || std::memcmp(start.data(), kStreamSignature, 4) != 0)
    throw StreamError(0, "not a component stream (the signature is not \"TPF0\")");
}

ObjectRecord DecodeStream(std::string_view stream) {
  return Decoder(stream).Stream();
}

}  // namespace formc
