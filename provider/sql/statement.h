// A parsed SELECT statement: what to read, from where, which rows, in what order.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "provider/value.h"

namespace provider::sql {

// A column named in the statement, "name" or "qualifier.name".
struct ColumnName {
  std::u16string qualifier;
  std::u16string name;
};

enum class CompareOp { equal, notEqual, less, lessEqual, greater, greaterEqual };

struct Expression;
using ExpressionPtr = std::unique_ptr<Expression>;

// A node of a WHERE clause. Which members are used depends on kind.
struct Expression {
  enum class Kind {
    literal,    // value
    column,     // column
    parameter,  // parameter: the index of its '?' marker, from 0
    compare,    // left op right
    like,       // left [NOT] LIKE right
    isNull,     // left IS [NOT] NULL
    logicalNot,
    logicalAnd,
    logicalOr,
  };

  Kind kind = Kind::literal;
  Value value;
  ColumnName column;
  std::size_t parameter = 0;
  CompareOp op = CompareOp::equal;
  bool negated = false;  // NOT LIKE, IS NOT NULL
  ExpressionPtr left;    // the operand of logicalNot
  ExpressionPtr right;
  // The operands of logicalAnd and logicalOr, two or more, in order: a chain of one operator
  // is one flat node, so its length never deepens the tree.
  std::vector<ExpressionPtr> terms;

  // Literal, column and parameter yield a value; the others a truth.
  bool IsOperand() const {
    return kind == Kind::literal || kind == Kind::column || kind == Kind::parameter;
  }
};

// One entry of the select list: "*", "t.*", or a column with an optional alias.
struct SelectItem {
  enum class Kind { all, allOfTable, column };
  Kind kind = Kind::all;
  ColumnName column;  // for allOfTable only the qualifier is set
  std::u16string alias;
};

struct OrderItem {
  ColumnName column;
  bool descending = false;
};

struct Statement {
  std::vector<SelectItem> items;
  std::u16string table;       // a table or saved query
  std::u16string tableAlias;  // empty when none
  ExpressionPtr where;        // null when there is no WHERE clause
  std::u16string whereText;   // the clause as written, for error messages
  std::vector<OrderItem> orderBy;
  std::size_t parameterCount = 0;
};

}  // namespace provider::sql
