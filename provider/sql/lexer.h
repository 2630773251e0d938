// Splits statement text into tokens. Malformed pieces (an unclosed string, bracket or date, a
// stray character) become error tokens, so the parser can word the error for its clause.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace provider::sql {

enum class TokenKind {
  identifier,        // plain name or keyword; text is the name
  quotedIdentifier,  // [name] or `name`; text is the name without its brackets
  string,            // '..' or ".."; text is the value, doubled quotes made single
  integer,
  decimal,
  date,  // #..#; text is what stands between the hashes
  comma,
  dot,
  star,
  leftParen,
  rightParen,
  semicolon,
  equal,
  notEqual,  // <> or !=
  less,
  lessEqual,
  greater,
  greaterEqual,
  minus,
  plus,
  question,  // a parameter marker
  end,
  // Errors.
  unclosedString,
  unclosedName,
  unclosedDate,
  unknown,
};

struct Token {
  TokenKind kind;
  std::size_t begin;  // offsets into the statement text
  std::size_t end;
  std::u16string text;

  // A plain identifier equal, ignoring ASCII case, to the keyword (given in capitals).
  bool Is(std::u16string_view keyword) const;
};

// The tokens of text, always ending with one TokenKind::end token. Whitespace (space, tab,
// CR, LF and the other control characters) separates tokens and is dropped.
std::vector<Token> Tokenize(std::u16string_view text);

}  // namespace provider::sql
