// Rebuilding saved select queries. Each row of MSysQueries holds one part of one query:
//   Attribute  meaning            where
//   1          query kind         Flag (1 = select)
//   2          parameter          Name1 = name, Flag = data type code
//   3          select options     Flag: 0x01 *, 0x02 DISTINCT, 0x04 WITH OWNERACCESS OPTION,
//                                 0x08 DISTINCTROW, 0x10 TOP, 0x20 PERCENT; Name1 = TOP count
//   5          source             Name1 = table or query, Name2 = alias, Expression = database
//   6          output column      Expression, Name1 = alias
//   7          join               Name1, Name2 = the sides, Expression = ON, Flag 1/2/3 =
//                                 INNER/LEFT/RIGHT
//   8 / 10     WHERE / HAVING     Expression
//   9          GROUP BY term      Expression
//   11         ORDER BY term      Expression, Name1 = "D" for descending
// Rows of one attribute are ordered by the binary Order column.
#include "provider/jet/saved_query.h"

#include <algorithm>
#include <map>
#include <variant>
#include <vector>

#include "platform/codepage.h"

namespace provider::jet {
namespace {

struct QueryRow {
  std::int64_t attribute = 0;
  Bytes order;
  std::string name1, name2, expression;
  std::int64_t flag = 0;
};

std::string TextOf(const Value& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return platform::WideToUtf8(*text);
  return {};
}

std::int64_t IntegerOf(const Value& value) {
  const auto* number = std::get_if<std::int64_t>(&value);
  return number != nullptr ? *number : 0;
}

std::string Bracketed(const std::string& name) {
  return "[" + name + "]";
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += separator;
    joined += part;
  }
  return joined;
}

const char* ParameterType(std::int64_t code) {
  switch (code) {
    case 1:
      return "Bit";
    case 2:
      return "Byte";
    case 3:
      return "Short";
    case 4:
      return "Long";
    case 5:
      return "Currency";
    case 6:
      return "IEEESingle";
    case 7:
      return "IEEEDouble";
    case 8:
      return "DateTime";
    case 9:
      return "Binary";
    case 11:
      return "LongBinary";
    case 12:
      return "Memo";
    case 15:
      return "Guid";
    default:
      return "Text";
  }
}

// FROM: sources joined as the join rows say, the rest listed with commas.
std::string FromClause(const std::vector<const QueryRow*>& sources,
                       const std::vector<const QueryRow*>& joins) {
  std::map<std::string, std::string> reference;  // name or alias -> source text
  std::vector<std::string> order;
  for (const QueryRow* source : sources) {
    std::string text = Bracketed(source->name1);
    if (!source->expression.empty()) text += " IN '" + source->expression + "'";
    if (!source->name2.empty()) text += " AS " + Bracketed(source->name2);
    const std::string& key = source->name2.empty() ? source->name1 : source->name2;
    reference[key] = text;
    order.push_back(key);
  }
  // One join per pair of sources; several rows for the same pair are one ON with AND.
  struct JoinPart {
    std::string left, right, condition;
    std::int64_t flag;
  };
  std::vector<JoinPart> pairs;
  for (const QueryRow* join : joins) {
    auto same = std::find_if(pairs.begin(), pairs.end(), [&](const JoinPart& p) {
      return p.left == join->name1 && p.right == join->name2;
    });
    if (same == pairs.end()) {
      pairs.push_back({join->name1, join->name2, join->expression, join->flag});
    } else {
      if (same->condition.front() != '(' || same->condition.back() != ')')
        same->condition = "(" + same->condition + ")";
      same->condition += " AND (" + join->expression + ")";
    }
  }
  std::vector<std::string> parts;
  std::vector<std::string> joined;  // keys inside the current join expression
  std::string expression;
  auto sourceText = [&](const std::string& key) {
    auto it = reference.find(key);
    return it != reference.end() ? it->second : Bracketed(key);
  };
  for (const JoinPart& pair : pairs) {
    const JoinPart* join = &pair;
    const char* kind = join->flag == 2   ? " LEFT JOIN "
                       : join->flag == 3 ? " RIGHT JOIN "
                                         : " INNER JOIN ";
    const bool hasLeft = std::count(joined.begin(), joined.end(), join->left) > 0;
    const bool hasRight = std::count(joined.begin(), joined.end(), join->right) > 0;
    if (expression.empty()) {
      expression =
          sourceText(join->left) + kind + sourceText(join->right) + " ON " + join->condition;
    } else if (hasLeft && hasRight) {
      // A second pair among sources already joined narrows the last join.
      expression += " AND (" + join->condition + ")";
      continue;
    } else if (hasLeft) {
      expression =
          "(" + expression + ")" + kind + sourceText(join->right) + " ON " + join->condition;
    } else if (hasRight) {
      expression = sourceText(join->left) + kind + "(" + expression + ") ON " + join->condition;
    } else {
      parts.push_back(expression);
      joined.clear();
      expression =
          sourceText(join->left) + kind + sourceText(join->right) + " ON " + join->condition;
    }
    joined.push_back(join->left);
    joined.push_back(join->right);
  }
  if (!expression.empty()) parts.push_back(expression);
  for (const QueryRow* join : joins) {
    order.erase(std::remove(order.begin(), order.end(), join->name1), order.end());
    order.erase(std::remove(order.begin(), order.end(), join->name2), order.end());
  }
  for (const std::string& key : order) parts.push_back(reference[key]);
  return Join(parts, ", ");
}

}  // namespace

Result<std::string> BuildSelectText(const Table& msysQueries, std::int32_t objectId,
                                    const std::string& name) {
  const int objectColumn = msysQueries.FindColumn("ObjectId");
  const int columns[] = {msysQueries.FindColumn("Attribute"),  msysQueries.FindColumn("Order"),
                         msysQueries.FindColumn("Name1"),      msysQueries.FindColumn("Name2"),
                         msysQueries.FindColumn("Expression"), msysQueries.FindColumn("Flag")};
  if (objectColumn < 0 || std::count(std::begin(columns), std::end(columns), -1) > 0)
    return Status::Corruption("The query table lacks one of its columns.", "table 'MSysQueries'");

  std::vector<QueryRow> rows;
  for (std::size_t row = 0; row < msysQueries.RowCount(); ++row) {
    Result<Value> id = msysQueries.GetValue(row, static_cast<std::size_t>(objectColumn));
    VELMORA_RETURN_IF_ERROR(id);
    if (IntegerOf(id.value()) != objectId) continue;
    Value values[6];
    for (int i = 0; i < 6; ++i) {
      Result<Value> value = msysQueries.GetValue(row, static_cast<std::size_t>(columns[i]));
      VELMORA_RETURN_IF_ERROR(value);
      values[i] = value.take();
    }
    QueryRow parsed;
    parsed.attribute = IntegerOf(values[0]);
    if (const auto* order = std::get_if<Bytes>(&values[1])) parsed.order = *order;
    parsed.name1 = TextOf(values[2]);
    parsed.name2 = TextOf(values[3]);
    parsed.expression = TextOf(values[4]);
    parsed.flag = IntegerOf(values[5]);
    rows.push_back(std::move(parsed));
  }
  const std::string where = "query '" + name + "'";
  if (rows.empty()) return Status::Corruption("The query has no definition.", where);
  std::stable_sort(rows.begin(), rows.end(), [](const QueryRow& a, const QueryRow& b) {
    return a.attribute != b.attribute ? a.attribute < b.attribute : a.order < b.order;
  });

  std::map<std::int64_t, std::vector<const QueryRow*>> parts;
  for (const QueryRow& row : rows) parts[row.attribute].push_back(&row);
  // Some writers leave out the kind row of a select query.
  const std::int64_t kind =
      parts.count(1) ? parts[1].front()->flag : static_cast<std::int64_t>(QueryKind::select);
  if (kind != static_cast<std::int64_t>(QueryKind::select))
    return Status::NotSupported(
        "Only saved select queries can be opened; '" + name + "' is another kind of query.", where);

  std::string sql;
  if (parts.count(2)) {
    std::vector<std::string> parameters;
    for (const QueryRow* p : parts[2])
      parameters.push_back(Bracketed(p->name1) + " " + ParameterType(p->flag));
    sql += "PARAMETERS " + Join(parameters, ", ") + "; ";
  }
  sql += "SELECT ";
  const std::int64_t options = parts.count(3) ? parts[3].front()->flag : 0;
  if (options & 0x02) sql += "DISTINCT ";
  if (options & 0x08) sql += "DISTINCTROW ";
  if (options & 0x10) {
    sql += "TOP " + parts[3].front()->name1 + " ";
    if (options & 0x20) sql += "PERCENT ";
  }
  std::vector<std::string> outputs;
  if (options & 0x01) outputs.push_back("*");
  for (const QueryRow* column : parts[6]) {
    std::string text = column->expression;
    if (!column->name1.empty()) text += " AS " + Bracketed(column->name1);
    outputs.push_back(text);
  }
  if (outputs.empty()) return Status::Corruption("The query selects no columns.", where);
  sql += Join(outputs, ", ");
  if (parts.count(5)) sql += " FROM " + FromClause(parts[5], parts[7]);
  if (parts.count(8)) sql += " WHERE " + parts[8].front()->expression;
  auto list = [&](std::int64_t attribute, bool descending) {
    std::vector<std::string> terms;
    for (const QueryRow* term : parts[attribute])
      terms.push_back(term->expression + (descending && term->name1 == "D" ? " DESC" : ""));
    return Join(terms, ", ");
  };
  if (parts.count(9)) sql += " GROUP BY " + list(9, false);
  if (parts.count(10)) sql += " HAVING " + parts[10].front()->expression;
  if (parts.count(11)) sql += " ORDER BY " + list(11, true);
  if (options & 0x04) sql += " WITH OWNERACCESS OPTION";
  return sql;
}

}  // namespace provider::jet
