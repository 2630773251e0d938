// A LIKE pattern compiled once into a matcher over folded text (ANSI wildcards: % _ [..]).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "provider/status.h"

namespace provider::sql {

// Matches text against one pattern. The pattern is folded at compile time; Matches() expects
// text already folded with FoldText (callers fold each row into a reused buffer).
//
// Wildcards: '%' any run of characters, '_' exactly one, "[abc]" one of a set, "[a-z]" a range,
// "[!abc]" anything but the set; "[[]" is a literal '['. '*', '?' and '#' are literal. Queries
// saved by the database's own designer use the older wildcards instead: '*' any run, '?' one
// character, '#' one digit, with '%' and '_' literal. An unclosed '[', an empty set or a range
// whose ends are reversed is an error.
//
// The pattern is split at '%' into fixed-length pieces; each piece is found at its leftmost
// place after the previous one, which is exact because a piece always spans the same number of
// characters. Matching is therefore linear in the text times the piece length, whatever the
// number of '%' (no backtracking).
enum class Wildcards { ansi, designer };

class LikeMatcher {
 public:
  static Result<LikeMatcher> Compile(std::u16string_view pattern,
                                     Wildcards wildcards = Wildcards::ansi);

  bool Matches(std::u16string_view folded) const;

  // Whether the pattern begins and ends with '%' (or its designer form), so that a text matches
  // as soon as some beginning of it does: such a text can be read a part at a time, and the
  // rest left unread once FoundIn says so.
  bool Unanchored() const;
  // How far FoundIn has got in one text.
  struct Progress {
    std::size_t piece = 1;  // the first piece not yet found
    std::size_t from = 0;   // where to look for it
    bool found = false;     // every piece found: the text matches
  };
  // Looks for the pieces not yet found in `folded`, a beginning of the text that is longer on
  // each call (the whole text on the last), from where the previous call left off; true once
  // the text is known to match. For an unanchored pattern, true on the whole text exactly when
  // Matches is.
  bool FoundIn(std::u16string_view folded, Progress& progress) const;

  // The characters every matching text contains (the pattern's literal characters, folded),
  // each once; empty when the pattern names none, as "%" or "[ab]_" do.
  std::u16string RequiredCharacters() const;

  LikeMatcher() = default;

 private:
  // One character position of a piece.
  struct Atom {
    enum class Kind : std::uint8_t { literal, any, set } kind;
    bool negated = false;
    char16_t c = 0;              // literal
    std::uint32_t setBegin = 0;  // set: ranges_[setBegin, setEnd)
    std::uint32_t setEnd = 0;
  };
  struct Range {
    char16_t low;
    char16_t high;
  };
  // The atoms between two '%' (or an end of the pattern): atoms_[begin, end). When every atom
  // is a literal, literalOnly is set and text holds them for a plain substring search.
  struct Piece {
    std::uint32_t begin;
    std::uint32_t end;
    bool literalOnly;
    std::u16string text;
    std::uint32_t size() const { return end - begin; }
  };

  bool AtomMatches(const Atom& atom, char16_t c) const;
  bool PieceMatchesAt(const Piece& piece, std::u16string_view text, std::size_t at) const;
  // The leftmost place in text[from, limit) where the piece starts and fits, or npos.
  std::size_t FindPiece(const Piece& piece, std::u16string_view text, std::size_t from,
                        std::size_t limit) const;

  std::vector<Atom> atoms_;
  std::vector<Range> ranges_;
  std::vector<Piece> pieces_;
};

}  // namespace provider::sql
