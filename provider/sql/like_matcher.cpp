// LIKE pattern compilation and matching.
#include "provider/sql/like_matcher.h"

#include <algorithm>

#include "provider/sql/jet_errors.h"
#include "provider/sql/search_fold.h"
#include "provider/sql/text_search.h"

namespace provider::sql {

Result<LikeMatcher> LikeMatcher::Compile(std::u16string_view pattern, Wildcards wildcards) {
  const bool ansi = wildcards == Wildcards::ansi;
  const char16_t anyRun = ansi ? u'%' : u'*';
  const char16_t anyOne = ansi ? u'_' : u'?';
  LikeMatcher m;
  std::uint32_t pieceBegin = 0;
  auto closePiece = [&] {
    Piece piece{pieceBegin, static_cast<std::uint32_t>(m.atoms_.size()), true, {}};
    for (std::uint32_t a = piece.begin; a < piece.end; ++a) {
      if (m.atoms_[a].kind != Atom::Kind::literal) piece.literalOnly = false;
      piece.text.push_back(m.atoms_[a].c);
    }
    m.pieces_.push_back(std::move(piece));
    pieceBegin = static_cast<std::uint32_t>(m.atoms_.size());
  };
  std::size_t i = 0;
  while (i < pattern.size()) {
    char16_t c = pattern[i++];
    if (c == anyRun) {
      closePiece();
      // A run of '%' means the same as one.
      while (i < pattern.size() && pattern[i] == anyRun) ++i;
      continue;
    }
    if (c == anyOne) {
      m.atoms_.push_back({Atom::Kind::any});
      continue;
    }
    if (c == u'#' && !ansi) {
      Atom digit{Atom::Kind::set};
      digit.setBegin = static_cast<std::uint32_t>(m.ranges_.size());
      m.ranges_.push_back({u'0', u'9'});
      digit.setEnd = digit.setBegin + 1;
      m.atoms_.push_back(digit);
      continue;
    }
    if (c != u'[') {
      char16_t f = FoldChar(c);
      if (f != kIgnored) m.atoms_.push_back({Atom::Kind::literal, false, f});
      continue;
    }
    Atom atom{Atom::Kind::set};
    atom.setBegin = static_cast<std::uint32_t>(m.ranges_.size());
    if (i < pattern.size() && pattern[i] == u'!') {
      atom.negated = true;
      ++i;
    }
    bool closed = false;
    bool named = false;  // the set named at least one character, ignored ones included
    while (i < pattern.size()) {
      char16_t low = pattern[i++];
      // A ']' right after the opening makes "[]" or "[!]", which are errors, not literals.
      if (low == u']') {
        closed = true;
        break;
      }
      named = true;
      char16_t high = low;
      if (i + 1 < pattern.size() && pattern[i] == u'-' && pattern[i + 1] != u']') {
        high = pattern[i + 1];
        i += 2;
        if (FoldChar(low) == kIgnored || FoldChar(high) == kIgnored ||
            FoldChar(high) < FoldChar(low)) {
          return Status::InvalidArgument(kInvalidPattern, "range in LIKE pattern");
        }
      }
      // A character the search ignores never occurs in folded text: it adds nothing.
      if (FoldChar(low) != kIgnored) m.ranges_.push_back({FoldChar(low), FoldChar(high)});
    }
    if (!closed || !named) {
      return Status::InvalidArgument(kInvalidPattern, "set in LIKE pattern");
    }
    atom.setEnd = static_cast<std::uint32_t>(m.ranges_.size());
    // A set of one plain character is that literal: "[[]", "[%]", "[_]".
    if (!atom.negated && atom.setEnd == atom.setBegin + 1 &&
        m.ranges_[atom.setBegin].low == m.ranges_[atom.setBegin].high) {
      char16_t literal = m.ranges_[atom.setBegin].low;
      m.ranges_.pop_back();
      m.atoms_.push_back({Atom::Kind::literal, false, literal});
    } else {
      m.atoms_.push_back(atom);
    }
  }
  closePiece();
  return m;
}

std::u16string LikeMatcher::RequiredCharacters() const {
  std::u16string required;
  for (const Atom& atom : atoms_) {
    if (atom.kind == Atom::Kind::literal && required.find(atom.c) == std::u16string::npos)
      required.push_back(atom.c);
  }
  return required;
}

bool LikeMatcher::AtomMatches(const Atom& atom, char16_t c) const {
  switch (atom.kind) {
    case Atom::Kind::literal:
      return atom.c == c;
    case Atom::Kind::any:
      return true;
    case Atom::Kind::set:
      for (std::uint32_t r = atom.setBegin; r < atom.setEnd; ++r) {
        if (ranges_[r].low <= c && c <= ranges_[r].high) return !atom.negated;
      }
      return atom.negated;
  }
  return false;
}

bool LikeMatcher::PieceMatchesAt(const Piece& piece, std::u16string_view text,
                                 std::size_t at) const {
  if (piece.literalOnly) return text.compare(at, piece.text.size(), piece.text) == 0;
  for (std::uint32_t a = piece.begin; a < piece.end; ++a) {
    if (!AtomMatches(atoms_[a], text[at + (a - piece.begin)])) return false;
  }
  return true;
}

std::size_t LikeMatcher::FindPiece(const Piece& piece, std::u16string_view text, std::size_t from,
                                   std::size_t limit) const {
  std::size_t size = piece.size();
  // Only ignored characters stood between two '%': the piece is empty and fits anywhere.
  if (size == 0) return from <= limit ? from : std::u16string_view::npos;
  if (limit < from || limit - from < size) return std::u16string_view::npos;
  std::u16string_view window = text.substr(from, limit - from);
  if (piece.literalOnly) {
    std::size_t at = FindText(window, piece.text);
    return at == std::u16string_view::npos ? at : from + at;
  }
  // A piece that starts with a literal is looked for by that character first.
  const Atom& first = atoms_[piece.begin];
  bool literalFirst = first.kind == Atom::Kind::literal;
  for (std::size_t at = 0; at + size <= window.size(); ++at) {
    if (literalFirst) {
      at = window.find(first.c, at);
      if (at == std::u16string_view::npos || at + size > window.size()) break;
    }
    if (PieceMatchesAt(piece, window, at)) return from + at;
  }
  return std::u16string_view::npos;
}

bool LikeMatcher::Matches(std::u16string_view text) const {
  // pieces_ alternate with '%': the first is anchored at the start, the last at the end, and
  // without any '%' the one piece must cover the text exactly.
  if (pieces_.empty()) return false;  // a matcher never compiled
  const Piece& head = pieces_.front();
  if (pieces_.size() == 1) {
    return text.size() == head.size() && PieceMatchesAt(head, text, 0);
  }
  const Piece& tail = pieces_.back();
  if (head.size() + tail.size() > text.size()) return false;
  std::size_t limit = text.size() - tail.size();
  if (!PieceMatchesAt(head, text, 0) || !PieceMatchesAt(tail, text, limit)) return false;
  std::size_t from = head.size();
  for (std::size_t k = 1; k + 1 < pieces_.size(); ++k) {
    std::size_t at = FindPiece(pieces_[k], text, from, limit);
    if (at == std::u16string_view::npos) return false;
    from = at + pieces_[k].size();
  }
  return true;
}

bool LikeMatcher::Unanchored() const {
  return pieces_.size() >= 2 && pieces_.front().size() == 0 && pieces_.back().size() == 0;
}

bool LikeMatcher::FoundIn(std::u16string_view folded, Progress& progress) const {
  for (; !progress.found && progress.piece + 1 < pieces_.size(); ++progress.piece) {
    const Piece& piece = pieces_[progress.piece];
    const std::size_t at = FindPiece(piece, folded, progress.from, folded.size());
    if (at == std::u16string_view::npos) {
      // No place up to the last whole fit holds the piece; one overlapping the end of this
      // beginning of the text may, once more of it is known.
      if (folded.size() >= piece.size())
        progress.from = std::max(progress.from, folded.size() - piece.size() + 1);
      return false;
    }
    progress.from = at + piece.size();
  }
  progress.found = true;
  return true;
}

}  // namespace provider::sql
