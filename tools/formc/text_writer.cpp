// Prints the tree as its canonical description, writing binary values to files on request.
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "tools/formc/binary.h"
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

// Prints events as they come, holding only the open containers (and less than a buffer's worth
// of text) at any time.
class Printer : public StreamSink {
 public:
  Printer(const PrintOptions& options, std::ostream& out) : options_(options), out_(out) {
    if (options_.extractDir) std::filesystem::create_directories(*options_.extractDir);
  }

  // Writes what is still buffered; false when the output failed.
  bool Finish() {
    Flush();
    return static_cast<bool>(out_.flush());
  }

  void BeginObject(std::optional<std::uint8_t> prefix, const std::string& className,
                   const std::string& name, bool hasPosition) override {
    const int level = frames_.empty() ? 0 : frames_.back().level + 1;
    Indent(level);
    if (prefix) {
      std::uint8_t p = *prefix;
      if ((p & 0x08) || (p & 0x07) == 0) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "prefix 0x%02X ", p);
        text_ += buf;
      } else {
        if (p & kPrefixInherited) text_ += "inherited ";
        if (p & kPrefixInline) text_ += "inline ";
      }
    }
    text_ += "object " + Name(name, false) + ": " + Name(className, false);
    if (hasPosition) text_ += " at ";
    frames_.push_back({Frame::object, level, name});
  }
  void ObjectBody() override { text_ += '\n'; }
  void EndObject() override {
    Indent(frames_.back().level);
    text_ += "end\n";
    frames_.pop_back();
    FlushWhenFull();
  }

  void BeginEntry(const std::string& name) override {
    const Frame& owner = frames_.back();
    const int level = owner.level + 1;
    std::string hint = owner.hint + "." + name;
    Indent(level);
    text_ += Name(name, true) + " = ";
    frames_.push_back({Frame::entry, level, std::move(hint)});
  }
  void EndEntry() override {
    text_ += '\n';
    frames_.pop_back();
    FlushWhenFull();
  }

  void Scalar(const formc::Value& v) override {
    const int level = StartValue();
    ScalarValue(v, level);
    EndValue();
  }

  void BeginList(bool empty) override { OpenValue(Frame::list, empty, empty ? "()" : "(\n"); }
  void EndList() override { CloseValue(")"); }
  void BeginSet() override { OpenValue(Frame::set, true, "["); }
  void SetElement(const std::string& element) override {
    Frame& set = frames_.back();
    if (set.count++ > 0) text_ += ", ";
    text_ += Name(element, false);
    FlushWhenFull();
  }
  void EndSet() override {
    text_ += "]";
    frames_.pop_back();
    EndValue();
  }
  void BeginCollection(bool empty) override {
    OpenValue(Frame::collection, empty, empty ? "<>" : "<\n");
  }
  void BeginItem(const std::optional<formc::Value>& order) override {
    Frame& collection = frames_.back();
    const int level = collection.level + 1;
    std::string hint = collection.hint + "." + std::to_string(collection.count++);
    Indent(level);
    text_ += "item";
    if (order) {
      text_ += " ";
      Integer(*order);
    }
    text_ += '\n';
    frames_.push_back({Frame::item, level, std::move(hint)});
  }
  void EndItem() override {
    Indent(frames_.back().level);
    text_ += "end\n";
    frames_.pop_back();
    FlushWhenFull();
  }
  void EndCollection() override { CloseValue(">"); }

 private:
  // What is open: an object (its line's level), an entry (its line's level), or a list, set,
  // collection or item (the level of the line the value starts on). The hint names the place,
  // for the file an extracted binary value is written to.
  struct Frame {
    enum Kind { object, entry, list, set, collection, item } kind;
    int level;
    std::string hint;
    std::size_t count = 0;  // items or elements so far
    bool empty = false;
  };

  static constexpr std::size_t kBuffer = 1 << 16;

  void Flush() {
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
  }

  void FlushWhenFull() {
    if (text_.size() >= kBuffer) Flush();
  }

  void Indent(int level) { text_.append(2 * level, ' '); }

  // Starts a value where the innermost open part puts it; returns the level of its line.
  int StartValue() {
    const Frame& at = frames_.back();
    if (at.kind != Frame::list) return at.level;
    Indent(at.level + 1);
    return at.level + 1;
  }

  void EndValue() {
    Frame& at = frames_.back();
    if (at.kind != Frame::list) return;
    text_ += '\n';
    ++at.count;
    FlushWhenFull();
  }

  // The hint of the value being started: the entry, the object's position, or the list item.
  std::string ValueHint() const {
    const Frame& at = frames_.back();
    if (at.kind == Frame::object) return at.hint + ".position";
    if (at.kind == Frame::list) return at.hint + "." + std::to_string(at.count);
    return at.hint;
  }

  void OpenValue(Frame::Kind kind, bool empty, const char* opening) {
    std::string hint = ValueHint();
    const int level = StartValue();
    text_ += opening;
    frames_.push_back({kind, level, std::move(hint), 0, empty});
  }

  void CloseValue(const char* closing) {
    const Frame& value = frames_.back();
    if (!value.empty) {
      Indent(value.level);
      text_ += closing;
    }
    frames_.pop_back();
    EndValue();
  }

  static std::string Name(const std::string& name, bool dotted) {
    if (IsPlainName(name, dotted) && !(dotted && IsReservedName(name))) return name;
    return QuoteAnsi(name);
  }

  void Integer(const formc::Value& v) {
    bool plain = (v.tag == ValueTag::tagInt8) ||
                 (v.tag == ValueTag::tagInt16 && !FitsInt8(v.integer)) ||
                 (v.tag == ValueTag::tagInt32 && !FitsInt16(v.integer)) ||
                 (v.tag == ValueTag::tagInt64 && !FitsInt32(v.integer));
    if (!plain) {
      text_ += v.tag == ValueTag::tagInt16   ? "int16 "
               : v.tag == ValueTag::tagInt32 ? "int32 "
                                             : "int64 ";
    }
    text_ += std::to_string(v.integer);
  }

  void Float(const formc::Value& v) {
    const char* word = v.tag == ValueTag::tagExtended ? "ext"
                       : v.tag == ValueTag::tagSingle ? "single"
                                                      : "date";
    std::optional<std::string> text = FormatFloat(v.tag, v.bytes);
    if (!text) {
      text_ += std::string(word) + " {" + Hex(v.bytes) + "}";
      return;
    }
    bool finite = text->find_first_of("in") == std::string::npos;
    if (v.tag != ValueTag::tagExtended || !finite) text_ += std::string(word) + " ";
    text_ += *text;
  }

  void Binary(const std::string& bytes, int level) {
    if (options_.extractDir) {
      std::string stem = FileStem(ValueHint());
      std::string file = stem + ".bin";
      for (int n = 2; !usedFiles_.insert(file).second; ++n)
        file = stem + "-" + std::to_string(n) + ".bin";
      std::filesystem::path path = *options_.extractDir / file;
      std::ofstream out(path, std::ios::binary);
      if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path.string());
      std::string ref = path.lexically_proximate(options_.textDir).generic_string();
      text_ += IsPlainPath(ref) ? "@" + ref : "@" + QuoteUtf8(ref);
      return;
    }
    constexpr std::size_t kLine = 32;
    if (bytes.size() <= kLine) {
      text_ += "{" + Hex(bytes) + "}";
      return;
    }
    text_ += "{\n";
    for (std::size_t i = 0; i < bytes.size(); i += kLine) {
      Indent(level + 1);
      text_ += Hex(std::string_view(bytes).substr(i, kLine)) + "\n";
    }
    Indent(level);
    text_ += "}";
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

  void ScalarValue(const formc::Value& v, int level) {
    switch (v.tag) {
      case ValueTag::tagEnd:
        text_ += "null";
        break;
      case ValueTag::tagFalse:
        text_ += "false";
        break;
      case ValueTag::tagTrue:
        text_ += "true";
        break;
      case ValueTag::tagNil:
        text_ += "nil";
        break;
      case ValueTag::tagInt8:
      case ValueTag::tagInt16:
      case ValueTag::tagInt32:
      case ValueTag::tagInt64:
        Integer(v);
        break;
      case ValueTag::tagCurrency:
        text_ += "currency " + FormatCurrency(v.integer);
        break;
      case ValueTag::tagExtended:
      case ValueTag::tagSingle:
      case ValueTag::tagDate:
        Float(v);
        break;
      case ValueTag::tagShortString:
        text_ += QuoteAnsi(v.bytes);
        break;
      case ValueTag::tagLongString:
        text_ += (v.bytes.size() > 255 ? "" : "long") + QuoteAnsi(v.bytes);
        break;
      case ValueTag::tagIdent:
        if (IsPlainName(v.bytes, true) && !IsReservedValue(v.bytes))
          text_ += v.bytes;
        else
          text_ += "ident" + QuoteAnsi(v.bytes);
        break;
      case ValueTag::tagUtf8String:
        text_ += "utf8" + QuoteUtf8(v.bytes);
        break;
      case ValueTag::tagWideString:
        text_ += "wide" + QuoteWide(v.wide);
        break;
      case ValueTag::tagBinary:
        Binary(v.bytes, level);
        break;
      default:
        throw std::invalid_argument("an unknown value tag");
    }
  }

  const PrintOptions& options_;
  std::ostream& out_;
  std::string text_;
  std::vector<Frame> frames_;
  std::set<std::string> usedFiles_;
};

}  // namespace

std::string PrintText(const ObjectRecord& root, const PrintOptions& options) {
  std::ostringstream text;
  Printer printer(options, text);
  Replay(root, printer);
  printer.Finish();
  return std::move(text).str();
}

bool PrintStream(std::string_view stream, const PrintOptions& options, std::ostream& out) {
  CheckingSink checking;
  DecodeStream(stream, checking);
  Printer printer(options, out);
  DecodeStream(stream, printer);
  return printer.Finish();
}

}  // namespace formc
