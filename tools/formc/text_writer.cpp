// Prints the tree as its canonical description, writing binary values to files on request.
#include <cstdio>
#include <fstream>
#include <set>

#include "tools/formc/text.h"
#include "tools/formc/textcodec.h"

namespace formc {
namespace {

// Words that would read as something other than an identifier where a value is expected.
bool IsReservedValue(std::string_view w) {
  static constexpr std::string_view kCaseless[] = {"true", "false", "nil", "null"};
  static constexpr std::string_view kExact[] = {"int8",   "int16",     "int32",  "int64",  "ext",
                                                "single", "currency",  "date",   "end",    "item",
                                                "object", "inherited", "inline", "prefix", "at"};
  for (std::string_view k : kCaseless)
    if (EqualNoCase(w, k)) return true;
  for (std::string_view k : kExact)
    if (w == k) return true;
  return false;
}

// Words that would read as structure where a property name is expected.
bool IsReservedName(std::string_view w) {
  return w == "end" || w == "object" || w == "inherited" || w == "inline" || w == "prefix";
}

bool FitsInt8(std::int64_t n) {
  return n >= INT8_MIN && n <= INT8_MAX;
}
bool FitsInt16(std::int64_t n) {
  return n >= INT16_MIN && n <= INT16_MAX;
}
bool FitsInt32(std::int64_t n) {
  return n >= INT32_MIN && n <= INT32_MAX;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    out += kDigits[static_cast<unsigned char>(c) >> 4];
    out += kDigits[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

// A file name for an extracted value made of the object and property it belongs to.
std::string FileStem(std::string_view hint) {
  std::string out;
  for (char c : hint) {
    bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                c == '_' || c == '.' || c == '-';
    out += keep ? c : '_';
  }
  while (!out.empty() && out.front() == '.') out.erase(0, 1);
  return out.empty() ? "value" : out;
}

class Printer {
 public:
  explicit Printer(const PrintOptions& options) : options_(options) {}

  std::string Print(const ObjectRecord& root) {
    if (options_.extractDir) std::filesystem::create_directories(*options_.extractDir);
    Object(root, 0);
    return std::move(out_);
  }

 private:
  void Indent(int level) { out_.append(2 * level, ' '); }

  static std::string Name(const std::string& name, bool dotted) {
    if (IsPlainName(name, dotted) && !(dotted && IsReservedName(name))) return name;
    return QuoteAnsi(name);
  }

  void Object(const ObjectRecord& record, int level) {
    Indent(level);
    if (record.prefix) {
      std::uint8_t p = *record.prefix;
      if ((p & 0x08) || (p & 0x07) == 0) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "prefix 0x%02X ", p);
        out_ += buf;
      } else {
        if (p & kPrefixInherited) out_ += "inherited ";
        if (p & kPrefixInline) out_ += "inline ";
      }
    }
    out_ += "object " + Name(record.name, false) + ": " + Name(record.className, false);
    if (record.position) {
      out_ += " at ";
      Value(*record.position, level, record.name + ".position");
    }
    out_ += '\n';
    for (const PropertyEntry& entry : record.entries) Entry(entry, level + 1, record.name);
    for (const ObjectRecord& child : record.children) Object(child, level + 1);
    Indent(level);
    out_ += "end\n";
  }

  void Entry(const PropertyEntry& entry, int level, const std::string& owner) {
    Indent(level);
    out_ += Name(entry.name, true) + " = ";
    Value(entry.value, level, owner + "." + entry.name);
    out_ += '\n';
  }

  void Integer(const formc::Value& v) {
    bool plain = (v.tag == ValueTag::tagInt8) ||
                 (v.tag == ValueTag::tagInt16 && !FitsInt8(v.integer)) ||
                 (v.tag == ValueTag::tagInt32 && !FitsInt16(v.integer)) ||
                 (v.tag == ValueTag::tagInt64 && !FitsInt32(v.integer));
    if (!plain) {
      out_ += v.tag == ValueTag::tagInt16   ? "int16 "
              : v.tag == ValueTag::tagInt32 ? "int32 "
                                            : "int64 ";
    }
    out_ += std::to_string(v.integer);
  }

  void Float(const formc::Value& v) {
    const char* word = v.tag == ValueTag::tagExtended ? "ext"
                       : v.tag == ValueTag::tagSingle ? "single"
                                                      : "date";
    std::optional<std::string> text = FormatFloat(v.tag, v.bytes);
    if (!text) {
      out_ += std::string(word) + " {" + Hex(v.bytes) + "}";
      return;
    }
    bool finite = text->find_first_of("in") == std::string::npos;
    if (v.tag != ValueTag::tagExtended || !finite) out_ += std::string(word) + " ";
    out_ += *text;
  }

  void Binary(const std::string& bytes, int level, const std::string& hint) {
    if (options_.extractDir) {
      std::string stem = FileStem(hint);
      std::string file = stem + ".bin";
      for (int n = 2; !usedFiles_.insert(file).second; ++n)
        file = stem + "-" + std::to_string(n) + ".bin";
      std::filesystem::path path = *options_.extractDir / file;
      std::ofstream out(path, std::ios::binary);
      if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path.string());
      std::string ref = path.lexically_proximate(options_.textDir).generic_string();
      out_ += IsPlainPath(ref) ? "@" + ref : "@" + QuoteUtf8(ref);
      return;
    }
    constexpr std::size_t kLine = 32;
    if (bytes.size() <= kLine) {
      out_ += "{" + Hex(bytes) + "}";
      return;
    }
    out_ += "{\n";
    for (std::size_t i = 0; i < bytes.size(); i += kLine) {
      Indent(level + 1);
      out_ += Hex(std::string_view(bytes).substr(i, kLine)) + "\n";
    }
    Indent(level);
    out_ += "}";
  }

  static bool IsPlainPath(std::string_view path) {
    if (path.empty() || path[0] == '"') return false;
    for (char c : path) {
      bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                c == '_' || c == '.' || c == '-' || c == '/';
      if (!ok) return false;
    }
    return true;
  }

  void Value(const formc::Value& v, int level, const std::string& hint) {
    switch (v.tag) {
      case ValueTag::tagEnd:
        out_ += "null";
        break;
      case ValueTag::tagFalse:
        out_ += "false";
        break;
      case ValueTag::tagTrue:
        out_ += "true";
        break;
      case ValueTag::tagNil:
        out_ += "nil";
        break;
      case ValueTag::tagInt8:
      case ValueTag::tagInt16:
      case ValueTag::tagInt32:
      case ValueTag::tagInt64:
        Integer(v);
        break;
      case ValueTag::tagCurrency:
        out_ += "currency " + FormatCurrency(v.integer);
        break;
      case ValueTag::tagExtended:
      case ValueTag::tagSingle:
      case ValueTag::tagDate:
        Float(v);
        break;
      case ValueTag::tagShortString:
        out_ += QuoteAnsi(v.bytes);
        break;
      case ValueTag::tagLongString:
        out_ += (v.bytes.size() > 255 ? "" : "long") + QuoteAnsi(v.bytes);
        break;
      case ValueTag::tagIdent:
        if (IsPlainName(v.bytes, true) && !IsReservedValue(v.bytes))
          out_ += v.bytes;
        else
          out_ += "ident" + QuoteAnsi(v.bytes);
        break;
      case ValueTag::tagUtf8String:
        out_ += "utf8" + QuoteUtf8(v.bytes);
        break;
      case ValueTag::tagWideString:
        out_ += "wide" + QuoteWide(v.wide);
        break;
      case ValueTag::tagBinary:
        Binary(v.bytes, level, hint);
        break;
      case ValueTag::tagSet:
        out_ += "[";
        for (std::size_t i = 0; i < v.elements.size(); ++i) {
          if (i) out_ += ", ";
          out_ += Name(v.elements[i], false);
        }
        out_ += "]";
        break;
      case ValueTag::tagList:
        if (v.items.empty()) {
          out_ += "()";
          break;
        }
        out_ += "(\n";
        for (std::size_t i = 0; i < v.items.size(); ++i) {
          Indent(level + 1);
          Value(v.items[i], level + 1, hint + "." + std::to_string(i));
          out_ += '\n';
        }
        Indent(level);
        out_ += ")";
        break;
      case ValueTag::tagCollection:
        if (v.collection.empty()) {
          out_ += "<>";
          break;
        }
        out_ += "<\n";
        for (std::size_t i = 0; i < v.collection.size(); ++i) {
          const CollectionItem& item = v.collection[i];
          Indent(level + 1);
          out_ += "item";
          if (item.order) {
            out_ += " ";
            Integer(*item.order);
          }
          out_ += '\n';
          for (const PropertyEntry& entry : item.entries)
            Entry(entry, level + 2, hint + "." + std::to_string(i));
          Indent(level + 1);
          out_ += "end\n";
        }
        Indent(level);
        out_ += ">";
        break;
      default:
        throw std::invalid_argument("an unknown value tag");
    }
  }

  const PrintOptions& options_;
  std::string out_;
  std::set<std::string> usedFiles_;
};

}  // namespace

std::string PrintText(const ObjectRecord& root, const PrintOptions& options) {
  return Printer(options).Print(root);
}

}  // namespace formc
