// Text index keys under the Jet 4 "General" sort order.
//
// A key is the primary bytes of the text's weighted characters (letters of either case alike),
// 0x01, one accent byte per weighted character with the trailing 0x02 ("no accent") bytes
// dropped; then, only when the text holds special characters (the apostrophe, the hyphen,
// control characters), 0x01 0x01 0x01 and for each of them its position (0x8000 | 7 + 4 n,
// big-endian, n being the number of weighted characters before it), 0x06 and its weight; then
// 0x00.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/index_text_key.h"

#include <cstdio>
#include <string>

#include "platform/codepage.h"
#include "provider/jet/index_general_codes.h"

namespace provider::jet {

namespace {

constexpr std::uint8_t kNoAccent = 0x02;
constexpr std::uint8_t kSectionEnd = 0x01;
constexpr std::uint8_t kKeyEnd = 0x00;
constexpr std::uint8_t kSpecialMark = 0x06;

std::string Named(char16_t character) {
  char code[8];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  return std::string(code) + " '" + platform::WideToUtf8(std::u16string_view(&character, 1)) + "'";
}

}  // namespace

Result<std::vector<std::uint8_t>> EncodeTextKey(std::u16string_view text, JetVersion version) {
  if (version != JetVersion::jet4)
    return Status::NotSupported("Text index keys of Jet 3 files cannot be encoded by this engine.",
                                "index key");
  std::vector<std::uint8_t> key;
  std::vector<std::uint8_t> accents;
  std::vector<std::uint8_t> specials;
  bool expanded = false;
  for (char16_t character : text) {
    const GeneralCode* code = FindGeneralCode(character);
    if (code == nullptr)
      return Status::NotSupported("The index sort code of the character " + Named(character) +
                                      " is not known to this engine.",
                                  "index key");
    if (code->special != 0) {
      // Where a special character stands after a letter sorting as two is not established.
      if (expanded)
        return Status::NotSupported(
            "The index key of a text with the character " + Named(character) +
                " after a letter sorting as two is not known to this engine.",
            "index key");
      const std::size_t position = 0x8000 | (7 + 4 * accents.size());
      specials.insert(specials.end(),
                      {static_cast<std::uint8_t>(position >> 8),
                       static_cast<std::uint8_t>(position), kSpecialMark, code->special});
      continue;
    }
    if (code->size == 0) continue;
    key.insert(key.end(), code->primary.begin(), code->primary.begin() + code->size);
    accents.push_back(code->accent);
    expanded = expanded || IsGeneralExpansion(character);
  }
  while (!accents.empty() && accents.back() == kNoAccent) accents.pop_back();
  key.push_back(kSectionEnd);
  key.insert(key.end(), accents.begin(), accents.end());
  if (!specials.empty()) {
    key.insert(key.end(), {kSectionEnd, kSectionEnd, kSectionEnd});
    key.insert(key.end(), specials.begin(), specials.end());
  }
  key.push_back(kKeyEnd);
  return key;
}

}  // namespace provider::jet
