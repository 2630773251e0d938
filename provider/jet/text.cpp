// Decoding of stored text.
#include "provider/jet/text.h"

#include <algorithm>
#include <array>
#include <cstring>

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
  static constexpr bool kDropping = false;
  char16_t operator()(char16_t c) const { return c; }
};

// Characters through a map; those it maps to 0 are dropped.
struct Mapped {
  static constexpr bool kDropping = true;
  const CharacterMap& map;
  char16_t operator()(char16_t c) const { return map[c]; }
};

// The character of two stored bytes.
char16_t Unit(const std::uint8_t* p) {
  return static_cast<char16_t>(p[0] | p[1] << 8);
}

// Sinks take the decoded text a run at a time (characters stored one byte each, or two), and
// keep what they write in locals while they do: a write through a char pointer may alias any
// member, which made every character reload them.

// Decoded characters written as UTF-16 into room made beforehand, through a map.
template <typename Map>
struct Utf16Sink {
  char16_t* out;
  Map map;

  template <std::size_t kWidth>
  void Put(const std::uint8_t* p, std::size_t count) {
    char16_t* o = out;
    for (std::size_t k = 0; k < count; ++k, p += kWidth) {
      *o = map(kWidth == 1 ? char16_t{*p} : Unit(p));
      // Only a map can drop characters, so the plain decoding keeps its simpler step.
      if constexpr (Map::kDropping) {
        o += *o != 0;
      } else {
        ++o;
      }
    }
    out = o;
  }
  void PutNarrow(const std::uint8_t* p, std::size_t count) { Put<1>(p, count); }
  void PutWide(const std::uint8_t* p, std::size_t count) { Put<2>(p, count); }
};

using platform::IsHighSurrogate;
using platform::IsLowSurrogate;
using platform::PutUtf8;

// A character below U+0800, nearly all there is (Latin and Arabic-script text): both bytes are
// written and the pointer moved by one or two, without a branch that text mixing the two (words
// and spaces) would mispredict.
char* PutShort(char* o, char16_t c) {
  const bool twoBytes = c >= 0x80;
  o[0] = static_cast<char>(twoBytes ? 0xC0 | (c >> 6) : c);
  o[1] = static_cast<char>(0x80 | (c & 0x3F));
  return o + 1 + twoBytes;
}

char32_t Paired(char16_t high, char16_t low) {
  return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (low - 0xDC00);
}

// Decoded characters written as UTF-8 into room made beforehand, byte for byte as
// platform::AppendWideAsUtf8 writes the same characters: a surrogate pair as one four-byte
// character, a lone surrogate as U+FFFD. A high surrogate that ends a run waits for the first
// character of the next, after a mode switch; Finish settles one left waiting at the end.
struct Utf8Sink {
  char* out;
  char16_t high = 0;

  void PutNarrow(const std::uint8_t* p, std::size_t count) {
    if (count == 0) return;
    char* o = high != 0 ? PutUtf8(out, 0xFFFD) : out;
    high = 0;
    for (std::size_t k = 0; k < count; ++k) o = PutShort(o, p[k]);
    out = o;
  }

  void PutWide(const std::uint8_t* p, std::size_t count) {
    if (count == 0) return;
    char* o = out;
    std::size_t k = 0;
    if (high != 0) {
      const char16_t first = Unit(p);
      const bool pair = IsLowSurrogate(first);
      o = PutUtf8(o, pair ? Paired(high, first) : 0xFFFD);
      k = pair ? 1 : 0;
      high = 0;
    }
    for (; k < count; ++k) {
      const char16_t c = Unit(p + 2 * k);
      if (c < 0x800) {
        o = PutShort(o, c);
      } else if (!IsHighSurrogate(c)) {
        o = PutUtf8(o, IsLowSurrogate(c) ? 0xFFFD : c);
      } else if (k + 1 == count) {
        high = c;
      } else if (const char16_t next = Unit(p + 2 * (k + 1)); IsLowSurrogate(next)) {
        o = PutUtf8(o, Paired(c, next));
        ++k;
      } else {
        o = PutUtf8(o, 0xFFFD);
      }
    }
    out = o;
  }

  void Finish() {
    if (high != 0) out = PutUtf8(out, 0xFFFD);
    high = 0;
  }
};

// Puts the characters of bytes [at, stop) of a stored value into `sink`, leaving `at` where
// decoding stopped (stop, or the end of the character that crosses it) and `compressed` in the
// mode reached. `packed`: the value is in the compressed form, whose FF FE mark lies before
// the first `at`; plain values have an even size, which the caller checked.
template <typename Sink>
Status DecodeJet4Part(ByteView bytes, bool packed, std::size_t& at, bool& compressed,
                      std::size_t stop, Sink& sink) {
  const std::size_t size = bytes.size();
  const std::uint8_t* p = bytes.data();
  std::size_t i = at;
  if (packed) {
    // A 00 byte switches modes; in two-byte mode it is looked for only where a character would
    // begin, so a character whose low byte is 0 cannot appear in a compressed value.
    while (i < stop) {
      if (p[i] == 0) {
        compressed = !compressed;
        ++i;
      } else if (compressed) {
        const void* zero = std::memchr(p + i, 0, stop - i);
        const std::size_t end =
            zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - p) : stop;
        sink.PutNarrow(p + i, end - i);
        i = end;
      } else {
        // A packed value has at least its two mark bytes, so size - 1 does not wrap.
        const std::size_t wideStop = std::min(stop, size - 1);
        std::size_t end = i;
        while (end < wideStop && p[end] != 0) end += 2;
        sink.PutWide(p + i, (end - i) / 2);
        i = end;
        if (i + 1 == size && p[i] != 0)
          return Status::Corruption("A compressed text ends inside a character.", "");
      }
    }
  } else {
    const std::size_t count = (stop - i + 1) / 2;
    sink.PutWide(p + i, count);
    i += 2 * count;
  }
  at = i;
  return Status::Ok();
}

// DecodeJet4Part appending to `text`: written in place into room for the longest text (a
// character a byte), then cut, as pushing character by character dominated reading long memos.
template <typename Map>
Status DecodeJet4Part(ByteView bytes, bool packed, std::size_t& at, bool& compressed,
                      std::size_t stop, std::u16string& text, Map map) {
  const std::size_t kept = text.size();
  text.resize(kept + (packed ? stop - at : (stop - at + 1) / 2));
  Utf16Sink<Map> sink{text.data() + kept, map};
  Status decoded = DecodeJet4Part(bytes, packed, at, compressed, stop, sink);
  text.resize(static_cast<std::size_t>(sink.out - text.data()));
  return decoded;
}

bool Packed(ByteView bytes) {
  return bytes.size() >= 2 && bytes.data()[0] == 0xFF && bytes.data()[1] == 0xFE;
}

// An odd-sized value is damaged unless it is compressed.
Status CheckPlainSize(ByteView bytes, bool packed) {
  if (!packed && bytes.size() % 2 != 0)
    return Status::Corruption("A text value has an odd number of bytes.", "");
  return Status::Ok();
}

template <typename Map>
Status DecodeJet4TextAs(ByteView bytes, std::u16string& text, Map map) {
  const bool packed = Packed(bytes);
  VELMORA_RETURN_IF_ERROR(CheckPlainSize(bytes, packed));
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

Status AppendJet4TextAsUtf8(ByteView bytes, std::string& out) {
  const bool packed = Packed(bytes);
  VELMORA_RETURN_IF_ERROR(CheckPlainSize(bytes, packed));
  // Room for the longest encoding: two bytes a stored byte (a compressed character at or above
  // 0x80), and one more for the second byte an ASCII character writes before it is cut.
  const std::size_t kept = out.size();
  out.resize(kept + 2 * bytes.size() + 1);
  Utf8Sink sink{out.data() + kept};
  std::size_t at = packed ? 2 : 0;
  bool compressed = true;
  Status decoded = DecodeJet4Part(bytes, packed, at, compressed, bytes.size(), sink);
  sink.Finish();
  out.resize(decoded.ok() ? static_cast<std::size_t>(sink.out - out.data()) : kept);
  return decoded;
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
  VELMORA_RETURN_IF_ERROR(CheckPlainSize(bytes_, packed_));
  const std::size_t stop = std::min(bytes_.size(), at_ + size + (size & 1));
  return DecodeJet4Part(bytes_, packed_, at_, compressed_, stop, out, Mapped{*map_});
}

}  // namespace provider::jet
