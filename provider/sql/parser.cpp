// The recursive-descent statement parser.
#include "provider/sql/parser.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "provider/sql/date_literal.h"
#include "provider/sql/jet_errors.h"
#include "provider/sql/lexer.h"

namespace provider::sql {
namespace {

// A condition tree is as deep as its nesting, since a chain of AND or of OR is one node: nesting
// deeper than this (parentheses, NOT) is refused, so compiling and evaluating any statement that
// parses stays well inside the stack.
constexpr int kMaxDepth = 200;

constexpr std::u16string_view kReserved[] = {
    u"SELECT", u"FROM", u"WHERE", u"ORDER", u"BY",  u"AND",  u"OR",   u"NOT",
    u"LIKE",   u"IS",   u"NULL",  u"AS",    u"ASC", u"DESC", u"TRUE", u"FALSE",
};

bool IsReserved(const Token& t) {
  for (std::u16string_view word : kReserved) {
    if (t.Is(word)) return true;
  }
  return false;
}

// A token that can stand for a table or column name.
bool IsName(const Token& t) {
  return t.kind == TokenKind::quotedIdentifier ||
         (t.kind == TokenKind::identifier && !IsReserved(t));
}

std::string Ascii(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

class Parser {
 public:
  explicit Parser(std::u16string_view text) : text_(text), tokens_(Tokenize(text)) {}

  Result<Statement> Run() {
    const Token& first = Peek();
    if (first.Is(u"INSERT") || first.Is(u"UPDATE") || first.Is(u"DELETE")) {
      return Status::NotSupported(kNotSelect, "statement");
    }
    if (!first.Is(u"SELECT")) return Error(kInvalidStatement);
    Take();
    // Over one table DISTINCTROW keeps every row, like ALL; saved queries often carry it.
    if (Peek().Is(u"ALL") || Peek().Is(u"DISTINCTROW")) Take();
    if (Peek().Is(u"DISTINCT") || Peek().Is(u"TOP")) {
      return Status::NotSupported(kDistinctNotSupported, "select list");
    }
    if (!ParseSelectList()) return error_;
    if (!Peek().Is(u"FROM")) {
      bool ended = Peek().kind == TokenKind::end || Peek().kind == TokenKind::semicolon;
      return Error(ended ? kNoInputTable : kSelectPunctuation);
    }
    Take();
    if (!ParseFrom()) return error_;
    if (Peek().Is(u"WHERE")) {
      Take();
      if (!ParseWhere()) return error_;
    }
    if (Peek().Is(u"ORDER")) {
      Take();
      if (!ParseOrderBy()) return error_;
    }
    if (Peek().kind == TokenKind::semicolon) Take();
    if (Peek().kind != TokenKind::end) return Error(kAfterEnd);
    statement_.parameterCount = parameters_;
    return std::move(statement_);
  }

 private:
  const Token& Peek(std::size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
  const Token& Take() {
    const Token& t = Peek();
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
  }
  std::u16string_view Source(const Token& t) const {
    return text_.substr(t.begin, t.end - t.begin);
  }

  // Records the first error; false, so parsing functions can return it.
  bool Fail(std::string message) {
    if (error_.ok()) error_ = Status::InvalidArgument(std::move(message), "statement");
    return false;
  }
  Status Error(std::string message) {
    Fail(std::move(message));
    return error_;
  }

  // name or qualifier.name; the current token is a name.
  ColumnName TakeColumnName() {
    ColumnName c{{}, Take().text};
    if (Peek().kind == TokenKind::dot && IsName(Peek(1))) {
      Take();
      c.qualifier = std::move(c.name);
      c.name = Take().text;
    }
    return c;
  }

  bool ParseSelectList() {
    while (true) {
      SelectItem item;
      const Token& t = Peek();
      if (t.kind == TokenKind::star) {
        Take();
      } else if (IsName(t)) {
        if (Peek(1).kind == TokenKind::dot && Peek(2).kind == TokenKind::star) {
          item.kind = SelectItem::Kind::allOfTable;
          item.column.qualifier = Take().text;
          Take();
          Take();
        } else {
          item.kind = SelectItem::Kind::column;
          item.column = TakeColumnName();
          if (Peek().Is(u"AS")) {
            Take();
            if (!IsName(Peek())) return Fail(BadName(kSelectPunctuation));
            item.alias = Take().text;
          }
        }
      } else {
        return Fail(BadName(kSelectPunctuation));
      }
      statement_.items.push_back(std::move(item));
      if (Peek().kind != TokenKind::comma) return true;
      Take();
    }
  }

  // The message for a token that should have been a name: a bracket left open is named.
  std::string BadName(const char* otherwise) const {
    if (Peek().kind == TokenKind::unclosedName) return InvalidBracketing(Source(Peek()));
    return otherwise;
  }

  bool ParseFrom() {
    if (!IsName(Peek())) return Fail(BadName(kFromSyntax));
    statement_.table = Take().text;
    if (Peek().Is(u"AS")) {
      Take();
      if (!IsName(Peek())) return Fail(BadName(kFromSyntax));
      statement_.tableAlias = Take().text;
    } else if (IsName(Peek()) && !IsJoinWord(Peek())) {
      statement_.tableAlias = Take().text;
    }
    const Token& next = Peek();
    if (next.kind == TokenKind::comma || IsJoinWord(next)) {
      error_ = Status::NotSupported(kJoinNotSupported, "FROM clause");
      return false;
    }
    if (next.Is(u"WHERE") || next.Is(u"ORDER") || next.kind == TokenKind::semicolon ||
        next.kind == TokenKind::end) {
      return true;
    }
    return Fail(BadName(kFromSyntax));
  }

  static bool IsJoinWord(const Token& t) {
    return t.Is(u"JOIN") || t.Is(u"INNER") || t.Is(u"LEFT") || t.Is(u"RIGHT");
  }

  bool ParseWhere() {
    // The clause as written runs to ORDER BY, the final ';' or the end.
    std::size_t begin = Peek().begin, end = text_.size();
    for (std::size_t i = pos_; i < tokens_.size(); ++i) {
      const Token& t = tokens_[i];
      bool orderBy = t.Is(u"ORDER") && i + 1 < tokens_.size() && tokens_[i + 1].Is(u"BY");
      if (orderBy || (t.kind == TokenKind::semicolon && tokens_[i + 1].kind == TokenKind::end)) {
        end = t.begin;
        break;
      }
    }
    while (end > begin && text_[end - 1] <= u' ') --end;
    statement_.whereText = std::u16string(text_.substr(begin, end - begin));
    const Token& first = Peek();
    if (first.kind == TokenKind::end || first.kind == TokenKind::semicolon || first.Is(u"ORDER")) {
      return Fail(kWhereSyntax);
    }
    statement_.where = ParseOr(0);
    if (!statement_.where) return false;
    const Token& next = Peek();
    if (next.Is(u"ORDER") || next.kind == TokenKind::semicolon || next.kind == TokenKind::end) {
      return true;
    }
    if (next.kind == TokenKind::rightParen) return Fail(ExtraParenthesis(statement_.whereText));
    return Fail(UnexpectedInExpression());
  }

  // The message for a token that cannot continue or begin an expression.
  std::string UnexpectedInExpression() const {
    switch (Peek().kind) {
      case TokenKind::unclosedString:
        return StringSyntax(statement_.whereText);
      case TokenKind::unclosedDate:
        return DateSyntax(statement_.whereText);
      case TokenKind::unclosedName:
        return MissingParenthesis(statement_.whereText);
      default:
        return MissingOperator(statement_.whereText);
    }
  }

  ExpressionPtr Node(Expression::Kind kind, ExpressionPtr left, ExpressionPtr right) {
    auto e = std::make_unique<Expression>();
    e->kind = kind;
    e->left = std::move(left);
    e->right = std::move(right);
    return e;
  }

  ExpressionPtr ParseOr(int depth) {
    if (depth > kMaxDepth) {
      Fail(kTooComplex);
      return nullptr;
    }
    return ParseChain(depth, u"OR", Expression::Kind::logicalOr);
  }

  ExpressionPtr ParseAnd(int depth) {
    return ParseChain(depth, u"AND", Expression::Kind::logicalAnd);
  }

  // Operands joined by one operator, as one node; a lone operand is returned as it is.
  ExpressionPtr ParseChain(int depth, std::u16string_view word, Expression::Kind kind) {
    auto next = [&] {
      return kind == Expression::Kind::logicalOr ? ParseAnd(depth) : ParseNot(depth);
    };
    ExpressionPtr first = next();
    if (!first || !Peek().Is(word)) return first;
    auto chain = std::make_unique<Expression>();
    chain->kind = kind;
    chain->terms.push_back(std::move(first));
    while (Peek().Is(word)) {
      Take();
      ExpressionPtr term = next();
      if (!term) return nullptr;
      chain->terms.push_back(std::move(term));
    }
    return chain;
  }

  ExpressionPtr ParseNot(int depth) {
    if (!Peek().Is(u"NOT")) return ParsePredicate(depth);
    if (depth > kMaxDepth) {
      Fail(kTooComplex);
      return nullptr;
    }
    Take();
    ExpressionPtr operand = ParseNot(depth + 1);
    if (!operand) return nullptr;
    return Node(Expression::Kind::logicalNot, std::move(operand), nullptr);
  }

  ExpressionPtr ParsePredicate(int depth) {
    ExpressionPtr left = ParsePrimary(depth);
    if (!left || !left->IsOperand()) return left;
    const Token& t = Peek();
    if (auto op = CompareOperator(t.kind)) {
      Take();
      ExpressionPtr right = ParseOperand(depth);
      if (!right) return nullptr;
      ExpressionPtr e = Node(Expression::Kind::compare, std::move(left), std::move(right));
      e->op = *op;
      return e;
    }
    bool negated = t.Is(u"NOT") && Peek(1).Is(u"LIKE");
    if (negated || t.Is(u"LIKE")) {
      if (negated) Take();
      Take();
      ExpressionPtr pattern = ParseOperand(depth);
      if (!pattern) return nullptr;
      ExpressionPtr e = Node(Expression::Kind::like, std::move(left), std::move(pattern));
      e->negated = negated;
      return e;
    }
    if (t.Is(u"IS")) {
      Take();
      bool isNot = Peek().Is(u"NOT");
      if (isNot) Take();
      if (!Peek().Is(u"NULL")) {
        Fail(UnexpectedInExpression());
        return nullptr;
      }
      Take();
      ExpressionPtr e = Node(Expression::Kind::isNull, std::move(left), nullptr);
      e->negated = isNot;
      return e;
    }
    return left;
  }

  static std::optional<CompareOp> CompareOperator(TokenKind kind) {
    switch (kind) {
      case TokenKind::equal:
        return CompareOp::equal;
      case TokenKind::notEqual:
        return CompareOp::notEqual;
      case TokenKind::less:
        return CompareOp::less;
      case TokenKind::lessEqual:
        return CompareOp::lessEqual;
      case TokenKind::greater:
        return CompareOp::greater;
      case TokenKind::greaterEqual:
        return CompareOp::greaterEqual;
      default:
        return std::nullopt;
    }
  }

  // A parenthesised condition or an operand.
  ExpressionPtr ParsePrimary(int depth) {
    if (Peek().kind != TokenKind::leftParen) return ParseOperand(depth);
    Take();
    ExpressionPtr inner = ParseOr(depth + 1);
    if (!inner) return nullptr;
    if (Peek().kind != TokenKind::rightParen) {
      Fail(Peek().kind == TokenKind::end || Peek().kind == TokenKind::semicolon
               ? MissingParenthesis(statement_.whereText)
               : UnexpectedInExpression());
      return nullptr;
    }
    Take();
    return inner;
  }

  ExpressionPtr ParseOperand(int depth) {
    auto literal = [&](Value v) {
      auto e = std::make_unique<Expression>();
      e->value = std::move(v);
      return e;
    };
    const Token& t = Peek();
    switch (t.kind) {
      case TokenKind::string:
        return literal(Take().text);
      case TokenKind::integer:
      case TokenKind::decimal:
        return literal(NumberValue(Take(), false));
      case TokenKind::minus:
      case TokenKind::plus:
        if (Peek(1).kind == TokenKind::integer || Peek(1).kind == TokenKind::decimal) {
          bool negative = Take().kind == TokenKind::minus;
          return literal(NumberValue(Take(), negative));
        }
        break;
      case TokenKind::date:
        if (std::optional<DateTime> d = ParseDateLiteral(t.text)) {
          Take();
          return literal(*d);
        }
        Fail(DateSyntax(statement_.whereText));
        return nullptr;
      case TokenKind::question: {
        Take();
        auto e = std::make_unique<Expression>();
        e->kind = Expression::Kind::parameter;
        e->parameter = parameters_++;
        return e;
      }
      case TokenKind::leftParen: {
        ExpressionPtr inner = ParsePrimary(depth);
        if (inner && !inner->IsOperand()) {
          Fail(QueryExpressionSyntax(statement_.whereText));
          return nullptr;
        }
        return inner;
      }
      default:
        break;
    }
    if (t.Is(u"TRUE") || t.Is(u"FALSE")) return literal(Take().Is(u"TRUE"));
    if (t.Is(u"NULL")) {
      Take();
      return literal(Value{});
    }
    if (IsName(t)) {
      auto e = std::make_unique<Expression>();
      e->kind = Expression::Kind::column;
      e->column = TakeColumnName();
      return e;
    }
    Fail(UnexpectedInExpression());
    return nullptr;
  }

  // Integers that fit stay exact; longer ones and decimals are doubles.
  static Value NumberValue(const Token& t, bool negative) {
    std::string digits = (negative ? "-" : "") + Ascii(t.text);
    if (t.kind == TokenKind::integer) {
      errno = 0;
      long long v = std::strtoll(digits.c_str(), nullptr, 10);
      if (errno == 0) return static_cast<std::int64_t>(v);
    }
    return std::strtod(digits.c_str(), nullptr);
  }

  bool ParseOrderBy() {
    if (!Peek().Is(u"BY")) return Fail(kOrderBySyntax);
    Take();
    while (true) {
      if (!IsName(Peek())) return Fail(BadName(kOrderBySyntax));
      OrderItem item{TakeColumnName(), false};
      if (Peek().Is(u"DESC")) {
        item.descending = true;
        Take();
      } else if (Peek().Is(u"ASC")) {
        Take();
      }
      statement_.orderBy.push_back(std::move(item));
      if (Peek().kind != TokenKind::comma) break;
      Take();
    }
    const Token& next = Peek();
    if (next.kind == TokenKind::semicolon || next.kind == TokenKind::end) return true;
    return Fail(BadName(kOrderBySyntax));
  }

  std::u16string_view text_;
  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  std::size_t parameters_ = 0;
  Statement statement_;
  Status error_;
};

}  // namespace

Result<Statement> Parse(std::u16string_view text) {
  return Parser(text).Run();
}

}  // namespace provider::sql
