// Text as stored in rows and long values: Jet 4 UCS-2 (plain or compressed), Jet 3 code page.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "provider/jet/byte_view.h"
#include "provider/status.h"

namespace provider::jet {

// Jet 4 text. A value beginning with FF FE is compressed: one byte per character (high byte 0),
// with each 00 byte switching between that and two-byte characters. Anything else is UCS-2LE.
Result<std::u16string> DecodeJet4Text(ByteView bytes);
// The same into `out`, replacing its contents and reusing its storage.
Status DecodeJet4Text(ByteView bytes, std::u16string& out);

// The same text appended to `out` as UTF-8, byte for byte as platform::AppendWideAsUtf8 writes
// the decoded text, without the UTF-16 copy in between (writers of whole tables spend most of
// their time here). On failure `out` is left as it was.
Status AppendJet4TextAsUtf8(ByteView bytes, std::string& out);

// A mapping of every UTF-16 unit, applied while text is decoded; units mapped to 0 are dropped.
using CharacterMap = std::array<char16_t, 0x10000>;

// The same with each character mapped through `map`, in one pass.
Status DecodeJet4Text(ByteView bytes, std::u16string& out, const CharacterMap& map);

// Jet 4 text decoded a part at a time, each character through `map` as DecodeJet4Text does,
// so that a search can leave the rest of a long memo unread once it has found what it seeks.
// Refers to the bytes and the map, which must outlive it.
class Jet4TextReader {
 public:
  Jet4TextReader(ByteView bytes, const CharacterMap& map);

  bool done() const { return at_ >= bytes_.size(); }
  // Appends the characters of about `size` more stored bytes to `out` (a character crossing the
  // end of them is decoded whole); corruption as DecodeJet4Text reports it.
  Status Next(std::size_t size, std::u16string& out);

 private:
  ByteView bytes_;
  const CharacterMap* map_;
  bool packed_;
  std::size_t at_;
  bool compressed_ = true;
};

// Jet 3 text in a single-byte code page (1252 and 1256 are known; bytes 1252 leaves undefined
// keep their value as a C1 control character).
Result<std::u16string> DecodeCodePageText(ByteView bytes, std::uint16_t codePage);
Status DecodeCodePageText(ByteView bytes, std::uint16_t codePage, std::u16string& out);

}  // namespace provider::jet
