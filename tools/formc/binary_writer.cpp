// Encodes the generic tree as a binary component stream, refusing what a stream cannot hold.
#include <cstdint>
#include <stdexcept>

#include "tools/formc/binary.h"

namespace formc {
namespace {

class Encoder {
 public:
  std::string Stream(const ObjectRecord& root) {
    out_.assign(kStreamSignature, 4);
    Object(root, true);
    return std::move(out_);
  }

 private:
  void Byte(std::uint8_t b) { out_ += static_cast<char>(b); }

  void Little(std::uint64_t v, int size) {
    for (int i = 0; i < size; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
  }

  void Length(std::size_t n) {
    if (n > 0xFFFFFFFFu) throw std::invalid_argument("a value longer than 4 GiB");
    Little(n, 4);
  }

  void ShortName(const std::string& name, const char* what) {
    if (name.size() > 255)
      throw std::invalid_argument(std::string(what) + " longer than 255 bytes");
    Byte(static_cast<std::uint8_t>(name.size()));
    out_ += name;
  }

  void Object(const ObjectRecord& record, bool root) {
    if (record.prefix) {
      if (*record.prefix < 0xF0) throw std::invalid_argument("a prefix byte below 0xF0");
      bool positioned = (*record.prefix & kPrefixChildPosition) != 0;
      if (positioned != record.position.has_value())
        throw std::invalid_argument("a child position without its prefix bit, or the reverse");
      Byte(*record.prefix);
      if (record.position) Value(*record.position);
    } else {
      if (record.position) throw std::invalid_argument("a child position without a prefix");
      if (record.className.size() >= 0xF0)
        throw std::invalid_argument("a class name of 240 bytes or more needs a prefix byte");
      if (!root && record.className.empty())
        throw std::invalid_argument("an empty class name on a child needs a prefix byte");
    }
    ShortName(record.className, "a class name");
    ShortName(record.name, "an object name");
    Entries(record.entries);
    for (const ObjectRecord& child : record.children) Object(child, false);
    Byte(0);
  }

  void Entries(const std::vector<PropertyEntry>& entries) {
    for (const PropertyEntry& entry : entries) {
      if (entry.name.empty()) throw std::invalid_argument("an empty property name");
      ShortName(entry.name, "a property name");
      Value(entry.value);
    }
    Byte(0);
  }

  void Value(const formc::Value& v) {
    Byte(static_cast<std::uint8_t>(v.tag));
    switch (v.tag) {
      case ValueTag::tagEnd:
      case ValueTag::tagFalse:
      case ValueTag::tagTrue:
      case ValueTag::tagNil:
        break;
      case ValueTag::tagList:
        for (const formc::Value& item : v.items) {
          if (item.tag == ValueTag::tagEnd) throw std::invalid_argument("an end tag inside a list");
          Value(item);
        }
        Byte(0);
        break;
      case ValueTag::tagInt8:
        Little(static_cast<std::uint64_t>(v.integer), 1);
        break;
      case ValueTag::tagInt16:
        Little(static_cast<std::uint64_t>(v.integer), 2);
        break;
      case ValueTag::tagInt32:
        Little(static_cast<std::uint64_t>(v.integer), 4);
        break;
      case ValueTag::tagInt64:
      case ValueTag::tagCurrency:
        Little(static_cast<std::uint64_t>(v.integer), 8);
        break;
      case ValueTag::tagExtended:
      case ValueTag::tagSingle:
      case ValueTag::tagDate: {
        std::size_t size = v.tag == ValueTag::tagExtended ? 10
                           : v.tag == ValueTag::tagSingle ? 4
                                                          : 8;
        if (v.bytes.size() != size)
          throw std::invalid_argument("a float payload of the wrong size");
        out_ += v.bytes;
        break;
      }
      case ValueTag::tagShortString:
        ShortName(v.bytes, "a short string");
        break;
      case ValueTag::tagIdent:
        ShortName(v.bytes, "an identifier");
        break;
      case ValueTag::tagLongString:
      case ValueTag::tagUtf8String:
      case ValueTag::tagBinary:
        Length(v.bytes.size());
        out_ += v.bytes;
        break;
      case ValueTag::tagWideString:
        Length(v.wide.size());
        for (char16_t unit : v.wide) Little(unit, 2);
        break;
      case ValueTag::tagSet:
        for (const std::string& element : v.elements) {
          if (element.empty()) throw std::invalid_argument("an empty set element");
          ShortName(element, "a set element");
        }
        Byte(0);
        break;
      case ValueTag::tagCollection:
        for (const CollectionItem& item : v.collection) {
          if (item.order) {
            ValueTag t = item.order->tag;
            if (t != ValueTag::tagInt8 && t != ValueTag::tagInt16 && t != ValueTag::tagInt32)
              throw std::invalid_argument("an order value that is not an 8, 16 or 32-bit integer");
            Value(*item.order);
          }
          Byte(static_cast<std::uint8_t>(ValueTag::tagList));
          Entries(item.entries);
        }
        Byte(0);
        break;
      default:
        throw std::invalid_argument("an unknown value tag");
    }
  }

  std::string out_;
};

}  // namespace

std::string EncodeStream(const ObjectRecord& root) {
  return Encoder().Stream(root);
}

}  // namespace formc
