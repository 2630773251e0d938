// Text as Jet files store it: Jet 4 UCS-2 or its compressed form, Jet 3 code page bytes.
#include "provider/jet/writer_text.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/codepage.h"
#include "provider/jet/text.h"

namespace provider::jet {

namespace {

bool FitsOneByte(char16_t c) {
  return c >= 0x01 && c <= 0xFF;
}

void AppendWide(std::vector<std::uint8_t>& out, char16_t c) {
  out.push_back(static_cast<std::uint8_t>(c));
  out.push_back(static_cast<std::uint8_t>(c >> 8));
}

// Runs of characters that fit one byte, and of those that do not.
struct Run {
  std::size_t start;
  std::size_t length;
  bool narrow;
};

std::vector<Run> SplitRuns(std::u16string_view text) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool narrow = FitsOneByte(text[i]);
    if (runs.empty() || runs.back().narrow != narrow)
      runs.push_back({i, 1, narrow});
    else
      ++runs.back().length;
  }
  return runs;
}

// The compressed form, or an empty vector when some character cannot be written in it: a
// two-byte character whose low byte is 0 would read as the mode switch.
std::vector<std::uint8_t> Compress(std::u16string_view text) {
  for (char16_t c : text)
    if (!FitsOneByte(c) && (c & 0xFF) == 0) return {};
  const std::vector<Run> runs = SplitRuns(text);
  std::vector<std::uint8_t> out = {0xFF, 0xFE};
  bool narrowMode = true;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const Run& run = runs[r];
    bool narrow = run.narrow;
    // Leaving wide mode for a short narrow run costs a switch each way: worth it from three
    // characters on, or from two at the end, where no switch back follows.
    if (narrow && !narrowMode) {
      const bool last = r + 1 == runs.size();
      narrow = run.length >= 3 || (last && run.length >= 2);
    }
    if (narrow != narrowMode) {
      out.push_back(0x00);
      narrowMode = narrow;
    }
    for (std::size_t i = run.start; i < run.start + run.length; ++i) {
      if (narrowMode)
        out.push_back(static_cast<std::uint8_t>(text[i]));
      else
        AppendWide(out, text[i]);
    }
  }
  return out;
}

// Code page 1252's byte for each character it holds, built from the reader's decoding so that
// what is written reads back the same.
const std::array<std::uint8_t, 0x10000>& CodePage1252Bytes() {
  static const auto table = [] {
    auto bytes = std::make_unique<std::array<std::uint8_t, 0x10000>>();
    bytes->fill(0);
    for (unsigned b = 1; b < 0x100; ++b) {
      const std::uint8_t byte = static_cast<std::uint8_t>(b);
      auto decoded = DecodeCodePageText(ByteView(&byte, 1), 1252);
      if (decoded.ok() && decoded.value().size() == 1) (*bytes)[decoded.value()[0]] = byte;
    }
    return bytes;
  }();
  return *table;
}

// The bare letter of U+0100-U+017F (Latin Extended-A), 0 where there is none or 1252 holds the
// character itself.
constexpr char kLatinExtendedBase[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi\0\0JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo\0\0"
    "RrRrRrSsSsSs\0\0TtTtTtUuUuUuUuUuUuWwYy\0ZzZz\0\0s";
static_assert(sizeof kLatinExtendedBase == 0x80 + 1);

Status NotHeld(char16_t c, std::uint16_t codePage) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c));
  return Status::InvalidArgument("The character U+" + std::string(hex) +
                                     " has no equivalent in code page " + std::to_string(codePage) +
                                     ".",
                                 "text");
}

Result<std::vector<std::uint8_t>> Encode1252(std::u16string_view text) {
  const auto& table = CodePage1252Bytes();
  std::vector<std::uint8_t> out;
  out.reserve(text.size());
  for (char16_t c : text) {
    std::uint8_t byte = table[c];
    if (byte == 0 && c >= 0x100 && c < 0x180)
      byte = static_cast<std::uint8_t>(kLatinExtendedBase[c - 0x100]);
    if (byte == 0 && (c == 0x2010 || c == 0x2011 || c == 0x2012 || c == 0x2015 || c == 0x2212))
      byte = '-';
    if (byte == 0 && c != 0) return NotHeld(c, 1252);
    out.push_back(byte);
  }
  return out;
}

Result<std::vector<std::uint8_t>> Encode1256(std::u16string_view text) {
  std::vector<std::uint8_t> out;
  out.reserve(text.size());
  // One character at a time, so that a failure names it and a ligature's two bytes stay whole.
  for (char16_t c : text) {
    char bytes[4];
    platform::BOOL defaulted = 0;
    const int size =
        platform::WideCharToMultiByte(platform::kArabicCodePage, 0, &c, 1, bytes,
                                      static_cast<int>(sizeof bytes), nullptr, &defaulted);
    if (size <= 0 || defaulted) return NotHeld(c, platform::kArabicCodePage);
    out.insert(out.end(), bytes, bytes + size);
  }
  return out;
}

}  // namespace

Result<std::vector<std::uint8_t>> EncodeCodePageText(std::u16string_view text,
                                                     std::uint16_t codePage) {
  if (codePage == 1252) return Encode1252(text);
  if (codePage == platform::kArabicCodePage) return Encode1256(text);
  return Status::NotSupported(
      "Text in code page " + std::to_string(codePage) + " cannot be written.", "text");
}

Result<std::vector<std::uint8_t>> EncodeJetText(std::u16string_view text) {
  std::vector<std::uint8_t> compressed = Compress(text);
  const bool plainMisreads = !text.empty() && text[0] == 0xFEFF;
  if (plainMisreads && compressed.empty())
    return Status::InvalidArgument("Text that starts with U+FEFF cannot be stored.", "text");
  if (!compressed.empty() && (plainMisreads || compressed.size() < 2 * text.size()))
    return compressed;
  std::vector<std::uint8_t> plain;
  plain.reserve(2 * text.size());
  for (char16_t c : text) AppendWide(plain, c);
  return plain;
}

}  // namespace provider::jet
