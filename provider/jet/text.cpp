// Decoding of stored text.
#include "provider/jet/text.h"

#include <algorithm>
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

// Appends the characters of bytes [at, stop) of a stored value to `text`, leaving `at` where
// decoding stopped (stop, or the end of the character that crosses it) and `compressed` in the
// mode reached. `packed`: the value is in the compressed form, whose FF FE mark lies before
// the first `at`; plain values have an even size, which the caller checked.
template <typename Map>
Status DecodeJet4Part(ByteView bytes, bool packed, std::size_t& at, bool& compressed,
                      std::size_t stop, std::u16string& text, Map map) {
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
  // Written in place into room for the longest text (a character a byte), then cut: pushing
  // character by character dominated reading long memos.
  const std::size_t kept = text.size();
  text.resize(kept + (packed ? stop - at : (stop - at + 1) / 2));
  char16_t* out = text.data() + kept;
  std::size_t i = at;
  if (packed) {
    // A 00 byte switches modes; in two-byte mode it is looked for only where a character would
    // begin, so a character whose low byte is 0 cannot appear in a compressed value.
    while (i < stop) {
      if (p[i] == 0) {
        compressed = !compressed;
        ++i;
      } else if (compressed) {
        for (; i < stop && p[i] != 0; ++i) put(out, static_cast<char16_t>(p[i]));
      } else {
        // A packed value has at least its two mark bytes, so size - 1 does not wrap.
        const std::size_t wideStop = std::min(stop, size - 1);
        for (; i < wideStop && p[i] != 0; i += 2)
          put(out, static_cast<char16_t>(p[i] | p[i + 1] << 8));
        if (i + 1 == size && p[i] != 0)
          return Status::Corruption("A compressed text ends inside a character.", "");
      }
    }
  } else {
    for (; i < stop; i += 2) put(out, static_cast<char16_t>(p[i] | p[i + 1] << 8));
  }
  text.resize(static_cast<std::size_t>(out - text.data()));
  at = i;
  return Status::Ok();
}

bool Packed(ByteView bytes) {
  return bytes.size() >= 2 && bytes.data()[0] == 0xFF && bytes.data()[1] == 0xFE;
}

template <typename Map>
Status DecodeJet4TextAs(ByteView bytes, std::u16string& text, Map map) {
  const bool packed = Packed(bytes);
  if (!packed && bytes.size() % 2 != 0)
    return Status::Corruption("A text value has an odd number of bytes.", "");
  text.clear();
  std::size_t at = packed ? 2 : 0;
  bool compressed = true;
  return DecodeJet4Part(bytes, packed, at, compressed, bytes.size(), text, map);
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

Jet4TextReader::Jet4TextReader(ByteView bytes, const CharacterMap& map)
    : bytes_(bytes), map_(&map), packed_(Packed(bytes)), at_(packed_ ? 2 : 0) {}

Status Jet4TextReader::Next(std::size_t size, std::u16string& out) {
  if (!packed_ && bytes_.size() % 2 != 0)
    return Status::Corruption("A text value has an odd number of bytes.", "");
  const std::size_t stop = std::min(bytes_.size(), at_ + size + (size & 1));
  return DecodeJet4Part(bytes_, packed_, at_, compressed_, stop, out, Mapped{*map_});
}

}  // namespace provider::jet
