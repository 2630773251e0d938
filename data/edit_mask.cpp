// Laying a value out by an edit mask.
#include "data/edit_mask.h"

#include <cctype>

namespace {

bool IsPlaceholder(char c) {
  switch (c) {
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c':
    case '0':
    case '9':
    case '#':
      return true;
    default:
      return false;
  }
}

}  // namespace

AnsiString FormatMaskText(std::string_view editMask, std::string_view value) {
  std::string_view mask = editMask;
  bool saveLiterals = true;
  char blank = ' ';
  if (std::size_t first = editMask.find(';'); first != std::string_view::npos) {
    mask = editMask.substr(0, first);
    std::string_view rest = editMask.substr(first + 1);
    std::size_t second = rest.find(';');
    std::string_view save = rest.substr(0, second);
    saveLiterals = !(save.size() == 1 && save[0] == '0');
    if (second != std::string_view::npos && second + 1 < rest.size()) blank = rest[second + 1];
  }
  AnsiString out;
  std::size_t next = 0;
  enum class Case { Keep, Upper, Lower } casing = Case::Keep;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    char m = mask[i];
    if (m == '!') continue;
    if (m == '<' && i + 1 < mask.size() && mask[i + 1] == '>') {
      casing = Case::Keep;
      ++i;
      continue;
    }
    if (m == '>') {
      casing = Case::Upper;
      continue;
    }
    if (m == '<') {
      casing = Case::Lower;
      continue;
    }
    if (IsPlaceholder(m)) {
      if (next >= value.size()) {
        out += blank;
        continue;
      }
      unsigned char c = static_cast<unsigned char>(value[next++]);
      if (casing == Case::Upper && c < 0x80) c = static_cast<unsigned char>(std::toupper(c));
      if (casing == Case::Lower && c < 0x80) c = static_cast<unsigned char>(std::tolower(c));
      out += static_cast<char>(c);
      continue;
    }
    if (m == '\\' && i + 1 < mask.size()) m = mask[++i];
    out += m;
    if (saveLiterals && next < value.size()) ++next;
  }
  return out;
}
