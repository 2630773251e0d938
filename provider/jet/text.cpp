// Decoding of stored text.
#include "provider/jet/text.h"

#include <array>
#include <type_traits>

#include "platform/codepage.h"

namespace provider::jet {
namespace {

// Bytes 0x80..0x9F of code page 1252; the rest of its upper half equals Latin-1. The five bytes
// it leaves undefined keep their own value.
constexpr std::array<char16_t, 32> k1252C1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

Result<std::u16string> DecodeJet4Text(ByteView bytes) {
  std::u16string text;
  Status decoded = DecodeJet4Text(bytes, text);
  if (!decoded.ok()) return decoded;
  return text;
}

namespace {

// Every character as stored.
struct Unmapped {
  char16_t operator()(char16_t c) const { return c; }
};

// Characters through a map; those it maps to 0 are dropped.
struct Mapped {
  const CharacterMap& map;
  char16_t operator()(char16_t c) const { return map[c]; }
};

template <typename Map>
Status DecodeJet4TextAs(ByteView bytes, std::u16string& text, Map map) {
  // Only a map can drop characters, so the plain decoding keeps its simpler loops.
  constexpr bool dropping = std::is_same_v<Map, Mapped>;
  const std::size_t size = bytes.size();
  const std::uint8_t* p = bytes.data();
  auto put = [&map](char16_t*& out, char16_t c) {
    *out = map(c);
    if constexpr (dropping) {
      out += *out != 0;
    } else {
      ++out;
    }
  };
  if (size >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    // Written in place into room for the longest text (a character a byte), then cut: pushing
    // character by character dominated reading long memos.
    text.resize(size - 2);
    char16_t* out = text.data();
    // A 00 byte switches modes; in two-byte mode it is looked for only where a character would
    // begin, so a character whose low byte is 0 cannot appear in a compressed value.
    bool compressed = true;
    std::size_t i = 2;
    while (i < size) {
      if (p[i] == 0) {
        compressed = !compressed;
        ++i;
      } else if (compressed) {
        for (; i < size && p[i] != 0; ++i) put(out, static_cast<char16_t>(p[i]));
      } else {
        for (; i + 1 < size && p[i] != 0; i += 2)
          put(out, static_cast<char16_t>(p[i] | p[i + 1] << 8));
        if (i + 1 == size && p[i] != 0)
          return Status::Corruption("A compressed text ends inside a character.", "");
      }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return Status::Ok();
  }
  if (size % 2 != 0) return Status::Corruption("A text value has an odd number of bytes.", "");
  text.resize(size / 2);
  char16_t* out = text.data();
  for (std::size_t i = 0; i < size; i += 2) put(out, static_cast<char16_t>(p[i] | p[i + 1] << 8));
  text.resize(static_cast<std::size_t>(out - text.data()));
  return Status::Ok();
}

}  // namespace

Status DecodeJet4Text(ByteView bytes, std::u16string& text) {
  return DecodeJet4TextAs(bytes, text, Unmapped{});
}

Status DecodeJet4Text(ByteView bytes, std::u16string& text, const CharacterMap& map) {
  return DecodeJet4TextAs(bytes, text, Mapped{map});
}

Result<std::u16string> DecodeCodePageText(ByteView bytes, std::uint16_t codePage) {
  std::u16string text;
  Status decoded = DecodeCodePageText(bytes, codePage, text);
  if (!decoded.ok()) return decoded;
  return text;
}

Status DecodeCodePageText(ByteView bytes, std::uint16_t codePage, std::u16string& text) {
  text.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t c = bytes.data()[i];
    if (c < 0x80) {
      text[i] = c;
    } else if (codePage == platform::kArabicCodePage) {
      text[i] = platform::AnsiCharToWide(c);
    } else if (codePage == 1252) {
      text[i] = c < 0xA0 ? k1252C1[c - 0x80] : c;
    } else {
      return Status::NotSupported(
          "Text in code page " + std::to_string(codePage) + " cannot be read.", "");
    }
  }
  return Status::Ok();
}

}  // namespace provider::jet
