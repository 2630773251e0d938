// Text index keys under the "General" sort order of Jet 4 and of Jet 3.
//
// A Jet 4 key is the primary bytes of the text's weighted characters (letters of either case
// alike), 0x01, one accent byte per weighted character with the trailing 0x02 ("no accent") bytes
// dropped; then, only when the text holds special characters (the apostrophe, the hyphen, control
// characters), 0x01 0x01 0x01 and for each of them its position (0x8000 | 7 + 4 n, big-endian, n
// being the number of weighted characters before it), 0x06 and its weight; then 0x00.
//
// A Jet 3 key is one primary byte per character (two for a letter sorting as two), trailing
// spaces left out, then the accent list four bits an entry, high half first: 0, an entry per
// letter that has accented forms (2 when bare, else its accent) with the trailing 2s dropped, 0,
// and a 0 more when that leaves half a byte.
//
// The layouts are described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/index_text_key.h"

#include <cstdio>
#include <string>

#include "platform/codepage.h"
#include "provider/jet/index_general97_codes.h"
#include "provider/jet/index_general_codes.h"

namespace provider::jet {

namespace {

constexpr std::uint8_t kNoAccent = 0x02;
constexpr std::uint8_t kSectionEnd = 0x01;
constexpr std::uint8_t kKeyEnd = 0x00;
constexpr std::uint8_t kSpecialMark = 0x06;

// Jet 3: the code blanks (the space, the tab, the no-break space) sort by, and the entry that
// opens and closes the accent list.
constexpr std::uint8_t kBlankCode = 0x11;
constexpr std::uint8_t kAccentListEnd = 0x00;

// The character's number, and the character itself unless it is a control character (a message
// must not carry those).
std::string Named(char16_t character) {
  char code[8];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return code;
  return std::string(code) + " '" + platform::WideToUtf8(std::u16string_view(&character, 1)) + "'";
}

Status UnknownCode(char16_t character) {
  return Status::NotSupported(
      "The index sort code of the character " + Named(character) + " is not known to this engine.",
      "index key");
}

Result<std::vector<std::uint8_t>> Jet4Key(std::u16string_view text) {
  std::vector<std::uint8_t> key;
  std::vector<std::uint8_t> accents;
  std::vector<std::uint8_t> specials;
  bool expanded = false;
  for (char16_t character : text) {
    const GeneralCode* code = FindGeneralCode(character);
    if (code == nullptr) return UnknownCode(character);
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

Result<std::vector<std::uint8_t>> Jet3Key(std::u16string_view text, std::uint16_t codePage) {
  if (codePage != 1252)
    return Status::NotSupported("Text index keys of Jet 3 files in code page " +
                                    std::to_string(codePage) + " cannot be encoded by this engine.",
                                "index key");
  // Access leaves trailing spaces out of a key (and keeps a trailing control character). What it
  // does with a text of spaces only, or with a tab or no-break space at the end, the files do not
  // show.
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  if (text.empty())
    return Status::NotSupported(
        "The index key of an empty text or one of spaces only is not known to this engine.",
        "index key");
  std::vector<std::uint8_t> key;
  std::vector<std::uint8_t> accents{kAccentListEnd};
  const General97Code* unknownEntries = nullptr;
  for (char16_t character : text) {
    const General97Code* code = FindGeneral97Code(character);
    if (code == nullptr) return UnknownCode(character);
    key.insert(key.end(), code->primary.begin(), code->primary.begin() + code->size);
    if (code->accent == kGeneral97NoEntry) continue;
    if (code->accent == kGeneral97EntryUnknown) {
      if (unknownEntries == nullptr) unknownEntries = code;
      continue;
    }
    if (code->accent != kGeneral97NoAccent && unknownEntries != nullptr)
      return Status::NotSupported("The index key of a text with the character " + Named(character) +
                                      " after " + Named(unknownEntries->character) +
                                      " is not known to this engine.",
                                  "index key");
    accents.insert(accents.end(), code->size, code->accent);
  }
  if (FindGeneral97Code(text.back())->primary[0] == kBlankCode)
    return Status::NotSupported("The index key of a text ending in the character " +
                                    Named(text.back()) + " is not known to this engine.",
                                "index key");
  while (accents.back() == kGeneral97NoAccent) accents.pop_back();
  accents.push_back(kAccentListEnd);
  if (accents.size() % 2 != 0) accents.push_back(kAccentListEnd);
  for (std::size_t i = 0; i < accents.size(); i += 2)
    key.push_back(static_cast<std::uint8_t>(accents[i] << 4 | accents[i + 1]));
  return key;
}

}  // namespace

Result<std::vector<std::uint8_t>> EncodeTextKey(std::u16string_view text, JetVersion version,
                                                std::uint16_t codePage) {
  return version == JetVersion::jet4 ? Jet4Key(text) : Jet3Key(text, codePage);
}

}  // namespace provider::jet
