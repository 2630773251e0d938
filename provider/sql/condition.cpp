// The compiled condition nodes.
#include "provider/sql/condition.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "provider/sql/jet_errors.h"
#include "provider/sql/like_matcher.h"
#include "provider/sql/like_scan.h"
#include "provider/sql/search_fold.h"
#include "provider/sql/value_compare.h"

namespace provider::sql {
namespace {

Status Mismatch() {
  return Status::InvalidArgument(kTypeMismatch, "WHERE clause");
}

// A value a condition reads: a column of the row, or a constant (literal or parameter).
struct Operand {
  bool isColumn = false;
  std::uint32_t column = 0;
  ColumnKind kind = ColumnKind::text;  // for a column
  Value constant;
  ValueClass valueClass = ValueClass::null;

  Result<Value> Get(RowSource& source, std::uint32_t row) const {
    if (isColumn) return source.GetValue(row, column);
    return constant;
  }
};

Result<Operand> BindOperand(const Expression& e, const Scope& scope) {
  Operand o;
  switch (e.kind) {
    case Expression::Kind::literal:
      o.constant = e.value;
      break;
    case Expression::Kind::parameter:
      if (e.parameter >= scope.parameters.size()) {
        return Status::InvalidArgument(kMissingParameters, "parameter");
      }
      o.constant = scope.parameters[e.parameter];
      break;
    case Expression::Kind::column: {
      std::optional<std::uint32_t> c = scope.Find(e.column);
      if (!c) return Status::InvalidArgument(kMissingParameters, "column name");
      o.isColumn = true;
      o.column = *c;
      o.kind = (*scope.columns)[*c].kind;
      o.valueClass = ClassOf(o.kind);
      return o;
    }
    default:
      return Status::InvalidArgument(QueryExpressionSyntax(scope.whereText), "WHERE clause");
  }
  o.valueClass = ClassOf(o.constant);
  return o;
}

Truth Not(Truth t) {
  return t == Truth::unknown ? t : (t == Truth::yes ? Truth::no : Truth::yes);
}

Truth Is(bool b) {
  return b ? Truth::yes : Truth::no;
}

class Compare final : public Condition {
 public:
  Compare(Operand left, Operand right, CompareOp op)
      : left_(std::move(left)), right_(std::move(right)), op_(op) {}

  Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) override {
    Result<Value> a = left_.Get(source, row);
    Result<Value> b = right_.Get(source, row);
    if (!a.ok() || !b.ok()) {
      if (error.ok()) error = a.ok() ? b.status() : a.status();
      return Truth::unknown;
    }
    std::optional<int> c = CompareValues(a.value(), b.value());
    if (!c) return Truth::unknown;
    switch (op_) {
      case CompareOp::equal:
        return Is(*c == 0);
      case CompareOp::notEqual:
        return Is(*c != 0);
      case CompareOp::less:
        return Is(*c < 0);
      case CompareOp::lessEqual:
        return Is(*c <= 0);
      case CompareOp::greater:
        return Is(*c > 0);
      case CompareOp::greaterEqual:
        return Is(*c >= 0);
    }
    return Truth::unknown;
  }

 private:
  Operand left_;
  Operand right_;
  CompareOp op_;
};

// Numbers searched with LIKE are matched in their plain decimal spelling.
void NumberText(const Value& v, std::u16string& out) {
  char buffer[48];
  if (auto* i = std::get_if<std::int64_t>(&v)) {
    std::snprintf(buffer, sizeof buffer, "%" PRId64, *i);
  } else if (auto* c = std::get_if<Currency>(&v)) {
    // Exactly, with only the decimals needed: 12.5000 is "12.5", 3.0000 is "3".
    std::int64_t whole = c->scaled / 10000;
    int fraction = static_cast<int>(c->scaled % 10000);
    if (fraction < 0) fraction = -fraction;
    int n = std::snprintf(buffer, sizeof buffer, "%s%" PRId64,
                          c->scaled < 0 && whole == 0 ? "-" : "", whole);
    if (fraction != 0) {
      std::snprintf(buffer + n, sizeof buffer - n, ".%04d", fraction);
      for (char* end = buffer + std::strlen(buffer) - 1; *end == '0'; --end) *end = 0;
    }
  } else {
    std::snprintf(buffer, sizeof buffer, "%.15g", NumberOf(v));
  }
  out.clear();
  for (const char* p = buffer; *p; ++p) out.push_back(static_cast<char16_t>(*p));
}

bool LikeSubject(ValueClass c) {
  return c == ValueClass::text || c == ValueClass::number;
}

class Like final : public Condition {
 public:
  Like(Operand subject, Operand pattern, std::optional<LikeMatcher> matcher, Wildcards wildcards,
       bool negated)
      : subject_(std::move(subject)),
        pattern_(std::move(pattern)),
        matcher_(std::move(matcher)),
        wildcards_(wildcards),
        negated_(negated) {}

  Status Select(RowSource& source, std::vector<std::uint32_t>& rows) override {
    if (matcher_ && subject_.isColumn && subject_.kind == ColumnKind::text) {
      Result<std::shared_ptr<const FoldedColumn>> folded = source.FoldedText(subject_.column);
      if (!folded.ok()) return folded.status();
      if (folded.value() && folded.value()->RowCount() == source.RowCount()) {
        SelectMatching(*folded.value(), *matcher_, negated_, rows);
        return Status::Ok();
      }
    }
    return Condition::Select(source, rows);
  }

  Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) override {
    // A constant pattern was compiled with the statement; one read from the row is compiled
    // per row (into the same matcher object).
    if (!matcher_) {
      Result<Value> p = pattern_.Get(source, row);
      if (!p.ok()) return Fail(p.status(), error);
      auto* text = std::get_if<std::u16string>(&p.value());
      if (!text) return Truth::unknown;
      Result<LikeMatcher> m = LikeMatcher::Compile(*text, wildcards_);
      if (!m.ok()) return Fail(m.status(), error);
      rowMatcher_ = m.take();
    }
    if (matcher_ && matcher_->Unanchored() && subject_.isColumn &&
        subject_.kind == ColumnKind::text)
      return EvaluateAsRead(source, row, error);
    if (!ReadSubject(source, row, error)) return Truth::unknown;
    bool matches = (matcher_ ? *matcher_ : rowMatcher_).Matches(folded_);
    return Is(matches != negated_);
  }

 private:
  static Truth Fail(const Status& status, Status& error) {
    if (error.ok()) error = status;
    return Truth::unknown;
  }

  // A pattern that begins and ends with '%' on a text column: the text is read only as far as
  // the pattern's pieces are found in it, which on long memos is often a small part.
  Truth EvaluateAsRead(RowSource& source, std::uint32_t row, Status& error) {
    LikeMatcher::Progress progress;
    Result<bool> present = source.GetFoldedTextUntil(
        row, subject_.column, folded_,
        [&](std::u16string_view seen) { return matcher_->FoundIn(seen, progress); });
    if (!present.ok()) return Fail(present.status(), error);
    if (!present.value()) return Truth::unknown;
    return Is(progress.found != negated_);
  }

  // The subject's text, folded, into folded_; false when it is Null or could not be read.
  bool ReadSubject(RowSource& source, std::uint32_t row, Status& error) {
    if (subject_.isColumn && subject_.kind == ColumnKind::text) {
      Result<bool> present = source.GetFoldedText(row, subject_.column, folded_);
      if (!present.ok()) Fail(present.status(), error);
      return present.ok() && present.value();
    }
    Result<Value> v = subject_.Get(source, row);
    if (!v.ok()) Fail(v.status(), error);
    if (!v.ok()) return false;
    if (IsNull(v.value())) return false;
    if (auto* text = std::get_if<std::u16string>(&v.value())) {
      FoldText(*text, folded_);
    } else {
      NumberText(v.value(), raw_);
      FoldText(raw_, folded_);
    }
    return true;
  }

  Operand subject_;
  Operand pattern_;
  std::optional<LikeMatcher> matcher_;
  LikeMatcher rowMatcher_;
  Wildcards wildcards_;
  bool negated_;
  // Reused row after row, so a search allocates only while texts keep growing.
  std::u16string raw_;
  std::u16string folded_;
};

class IsNullTest final : public Condition {
 public:
  IsNullTest(Operand operand, bool negated) : operand_(std::move(operand)), negated_(negated) {}

  Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) override {
    Result<Value> v = operand_.Get(source, row);
    if (!v.ok()) {
      if (error.ok()) error = v.status();
      return Truth::unknown;
    }
    return Is(IsNull(v.value()) != negated_);
  }

 private:
  Operand operand_;
  bool negated_;
};

// A number standing alone as a condition: non-zero is true, as Jet reads True as -1.
class NumberTruth final : public Condition {
 public:
  explicit NumberTruth(Operand operand) : operand_(std::move(operand)) {}

  Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) override {
    Result<Value> v = operand_.Get(source, row);
    if (!v.ok()) {
      if (error.ok()) error = v.status();
      return Truth::unknown;
    }
    if (IsNull(v.value())) return Truth::unknown;
    std::optional<int> c = CompareValues(v.value(), Value{std::int64_t{0}});
    return Is(c && *c != 0);
  }

 private:
  Operand operand_;
};

// LIKE Null: unknown for every row, so no row is selected, negated or not.
class NeverKnown final : public Condition {
 public:
  Truth Evaluate(RowSource&, std::uint32_t, Status&) override { return Truth::unknown; }
};

class Negation final : public Condition {
 public:
  explicit Negation(std::unique_ptr<Condition> inner) : inner_(std::move(inner)) {}
  Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) override {
    return Not(inner_->Evaluate(source, row, error));
  }

 private:
  std::unique_ptr<Condition> inner_;
};

using ConditionPtr = std::unique_ptr<Condition>;

// A chain of AND or of OR, evaluated left to right in one loop however long it is.
class Conjunction final : public Condition {
 public:
  Conjunction(std::vector<ConditionPtr> terms, bool isOr) : terms_(std::move(terms)), isOr_(isOr) {}

  Truth Evaluate(RowSource& source, std::uint32_t row, Status& error) override {
    // The deciding value short-cuts: no for AND, yes for OR.
    Truth decides = isOr_ ? Truth::yes : Truth::no;
    bool unknown = false;
    for (const ConditionPtr& term : terms_) {
      Truth t = term->Evaluate(source, row, error);
      if (t == decides) return t;
      unknown = unknown || t == Truth::unknown;
    }
    return unknown ? Truth::unknown : Not(decides);
  }

 private:
  std::vector<ConditionPtr> terms_;
  bool isOr_;
};

using ConditionPtr = std::unique_ptr<Condition>;

Result<ConditionPtr> CompileLike(const Expression& e, const Scope& scope) {
  Result<Operand> subject = BindOperand(*e.left, scope);
  VELMORA_RETURN_IF_ERROR(subject);
  Result<Operand> pattern = BindOperand(*e.right, scope);
  VELMORA_RETURN_IF_ERROR(pattern);
  ValueClass s = subject.value().valueClass, p = pattern.value().valueClass;
  // Booleans have no one spelling to match a pattern against, so LIKE refuses them.
  const Operand& o = subject.value();
  bool boolean =
      o.isColumn ? o.kind == ColumnKind::boolean : std::holds_alternative<bool>(o.constant);
  if (boolean || (s != ValueClass::null && !LikeSubject(s)) ||
      (p != ValueClass::null && p != ValueClass::text)) {
    return Mismatch();
  }
  std::optional<LikeMatcher> matcher;
  if (!pattern.value().isColumn) {
    auto* text = std::get_if<std::u16string>(&pattern.value().constant);
    if (!text) return ConditionPtr(std::make_unique<NeverKnown>());
    Result<LikeMatcher> m = LikeMatcher::Compile(*text, scope.wildcards);
    VELMORA_RETURN_IF_ERROR(m);
    matcher = m.take();
  }
  return ConditionPtr(std::make_unique<Like>(subject.take(), pattern.take(), std::move(matcher),
                                             scope.wildcards, e.negated));
}

}  // namespace

Status Condition::Select(RowSource& source, std::vector<std::uint32_t>& rows) {
  Status error;
  const std::uint32_t count = source.RowCount();
  for (std::uint32_t row = 0; row < count; ++row) {
    if (Evaluate(source, row, error) == Truth::yes) rows.push_back(row);
    if (!error.ok()) return error;
  }
  return Status::Ok();
}

Result<ConditionPtr> Condition::Compile(const Expression& e, const Scope& scope) {
  switch (e.kind) {
    case Expression::Kind::logicalAnd:
    case Expression::Kind::logicalOr: {
      std::vector<ConditionPtr> terms;
      terms.reserve(e.terms.size());
      for (const ExpressionPtr& term : e.terms) {
        Result<ConditionPtr> compiled = Compile(*term, scope);
        VELMORA_RETURN_IF_ERROR(compiled);
        terms.push_back(compiled.take());
      }
      return ConditionPtr(
          std::make_unique<Conjunction>(std::move(terms), e.kind == Expression::Kind::logicalOr));
    }
    case Expression::Kind::logicalNot: {
      Result<ConditionPtr> inner = Compile(*e.left, scope);
      VELMORA_RETURN_IF_ERROR(inner);
      return ConditionPtr(std::make_unique<Negation>(inner.take()));
    }
    case Expression::Kind::compare: {
      Result<Operand> left = BindOperand(*e.left, scope);
      VELMORA_RETURN_IF_ERROR(left);
      Result<Operand> right = BindOperand(*e.right, scope);
      VELMORA_RETURN_IF_ERROR(right);
      if (!Comparable(left.value().valueClass, right.value().valueClass)) return Mismatch();
      return ConditionPtr(std::make_unique<Compare>(left.take(), right.take(), e.op));
    }
    case Expression::Kind::like:
      return CompileLike(e, scope);
    case Expression::Kind::isNull: {
      Result<Operand> operand = BindOperand(*e.left, scope);
      VELMORA_RETURN_IF_ERROR(operand);
      return ConditionPtr(std::make_unique<IsNullTest>(operand.take(), e.negated));
    }
    default: {
      Result<Operand> operand = BindOperand(e, scope);
      VELMORA_RETURN_IF_ERROR(operand);
      ValueClass c = operand.value().valueClass;
      if (c != ValueClass::number && c != ValueClass::null) return Mismatch();
      return ConditionPtr(std::make_unique<NumberTruth>(operand.take()));
    }
  }
}

}  // namespace provider::sql
