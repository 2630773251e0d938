// The statement tokenizer.
#include "provider/sql/lexer.h"

namespace provider::sql {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Names may use any letter beyond ASCII, so Persian table and column names need no brackets.
bool IsNameChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || IsDigit(c) || c == u'_' ||
         c >= 0x80;
}

char16_t UpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
}

class Lexer {
 public:
  explicit Lexer(std::u16string_view text) : text_(text) {}

  std::vector<Token> Run() {
    while (true) {
      while (pos_ < text_.size() && text_[pos_] <= u' ') ++pos_;
      if (pos_ == text_.size()) break;
      tokens_.push_back(Next());
    }
    tokens_.push_back({TokenKind::end, text_.size(), text_.size(), {}});
    return std::move(tokens_);
  }

 private:
  Token Next() {
    std::size_t begin = pos_;
    char16_t c = text_[pos_++];
    auto simple = [&](TokenKind kind) { return Token{kind, begin, pos_, {}}; };
    switch (c) {
      case u',':
        return simple(TokenKind::comma);
      case u'*':
        return simple(TokenKind::star);
      case u'(':
        return simple(TokenKind::leftParen);
      case u')':
        return simple(TokenKind::rightParen);
      case u';':
        return simple(TokenKind::semicolon);
      case u'=':
        return simple(TokenKind::equal);
      case u'-':
        return simple(TokenKind::minus);
      case u'+':
        return simple(TokenKind::plus);
      case u'?':
        return simple(TokenKind::question);
      case u'<':
        if (Accept(u'>')) return simple(TokenKind::notEqual);
        if (Accept(u'=')) return simple(TokenKind::lessEqual);
        return simple(TokenKind::less);
      case u'>':
        if (Accept(u'=')) return simple(TokenKind::greaterEqual);
        return simple(TokenKind::greater);
      case u'!':
        if (Accept(u'=')) return simple(TokenKind::notEqual);
        return simple(TokenKind::unknown);
      case u'\'':
      case u'"':
        return Quoted(begin, c);
      case u'[':
        return Delimited(begin, u']', TokenKind::quotedIdentifier, TokenKind::unclosedName);
      case u'`':
        return Delimited(begin, u'`', TokenKind::quotedIdentifier, TokenKind::unclosedName);
      case u'#':
        return Delimited(begin, u'#', TokenKind::date, TokenKind::unclosedDate);
      case u'.':
        if (pos_ < text_.size() && IsDigit(text_[pos_]) && !FollowsName()) return Number(begin);
        return simple(TokenKind::dot);
      default:
        break;
    }
    if (IsDigit(c)) return Number(begin);
    if (IsNameChar(c)) {
      while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
      return {TokenKind::identifier, begin, pos_,
              std::u16string(text_.substr(begin, pos_ - begin))};
    }
    return simple(TokenKind::unknown);
  }

  bool Accept(char16_t c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // "t.5" is a name and a number only in nonsense; after a name a dot qualifies it.
  bool FollowsName() const {
    if (tokens_.empty()) return false;
    TokenKind k = tokens_.back().kind;
    return k == TokenKind::identifier || k == TokenKind::quotedIdentifier ||
           k == TokenKind::rightParen;
  }

  Token Quoted(std::size_t begin, char16_t quote) {
    std::u16string value;
    while (pos_ < text_.size()) {
      char16_t c = text_[pos_++];
      if (c != quote) {
        value.push_back(c);
        continue;
      }
      if (!Accept(quote)) return {TokenKind::string, begin, pos_, std::move(value)};
      value.push_back(quote);
    }
    return {TokenKind::unclosedString, begin, pos_, {}};
  }

  Token Delimited(std::size_t begin, char16_t close, TokenKind kind, TokenKind unclosed) {
    std::size_t inner = pos_;
    while (pos_ < text_.size() && text_[pos_] != close) ++pos_;
    if (pos_ == text_.size()) return {unclosed, begin, pos_, {}};
    ++pos_;
    return {kind, begin, pos_, std::u16string(text_.substr(inner, pos_ - 1 - inner))};
  }

  Token Number(std::size_t begin) {
    bool decimal = text_[begin] == u'.';
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    if (!decimal && pos_ < text_.size() && text_[pos_] == u'.') {
      decimal = true;
      ++pos_;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == u'e' || text_[pos_] == u'E')) {
      std::size_t e = pos_ + 1;
      if (e < text_.size() && (text_[e] == u'+' || text_[e] == u'-')) ++e;
      if (e < text_.size() && IsDigit(text_[e])) {
        decimal = true;
        pos_ = e;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
      }
    }
    // "12abc" is not a number followed by a name.
    if (pos_ < text_.size() && IsNameChar(text_[pos_])) {
      while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
      return {TokenKind::unknown, begin, pos_, {}};
    }
    return {decimal ? TokenKind::decimal : TokenKind::integer, begin, pos_,
            std::u16string(text_.substr(begin, pos_ - begin))};
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
  std::vector<Token> tokens_;
};

}  // namespace

bool Token::Is(std::u16string_view keyword) const {
  if (kind != TokenKind::identifier || text.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (UpperAscii(text[i]) != keyword[i]) return false;
  }
  return true;
}

std::vector<Token> Tokenize(std::u16string_view text) {
  return Lexer(text).Run();
}

}  // namespace provider::sql
