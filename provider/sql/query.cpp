// Statement preparation and execution over row sources.
#include "provider/sql/query.h"

#include <algorithm>
#include <numeric>

#include "provider/sql/jet_errors.h"
#include "provider/sql/parser.h"
#include "provider/sql/scope.h"
#include "provider/sql/search_fold.h"
#include "provider/sql/value_compare.h"

namespace provider::sql {
namespace {

// Saved queries reading saved queries deeper than this are taken to be circular.
constexpr int kMaxQueryDepth = 16;

// A saved query's result seen as a row source, so the statement over it is evaluated like
// one over a table.
class ResultView final : public RowSource {
 public:
  ResultView(const QueryResult& result, const std::vector<Column>& columns)
      : result_(result), columns_(columns) {}

  const std::vector<Column>& Columns() const override { return columns_; }
  std::uint32_t RowCount() const override {
    return static_cast<std::uint32_t>(result_.rows.size());
  }
  Result<Value> GetValue(std::uint32_t row, std::uint32_t column) override {
    return result_.source->GetValue(result_.rows[row], result_.columns[column].column);
  }
  Result<bool> GetText(std::uint32_t row, std::uint32_t column, std::u16string& buffer) override {
    return result_.source->GetText(result_.rows[row], result_.columns[column].column, buffer);
  }

 private:
  const QueryResult& result_;
  const std::vector<Column>& columns_;
};

Status MissingParameters(const char* where) {
  return Status::InvalidArgument(kMissingParameters, where);
}

}  // namespace

PreparedQuery::PreparedQuery() = default;
PreparedQuery::PreparedQuery(PreparedQuery&&) noexcept = default;
PreparedQuery& PreparedQuery::operator=(PreparedQuery&&) noexcept = default;
PreparedQuery::~PreparedQuery() = default;

Result<PreparedQuery> PreparedQuery::Prepare(std::u16string_view sql, Resolver& resolver,
                                             std::span<const Value> parameters) {
  Result<Statement> statement = Parse(sql);
  VELMORA_RETURN_IF_ERROR(statement);
  return PrepareAt(statement.value(), resolver, parameters, Wildcards::ansi, 0);
}

Result<PreparedQuery> PreparedQuery::Prepare(const Statement& statement, Resolver& resolver,
                                             std::span<const Value> parameters) {
  return PrepareAt(statement, resolver, parameters, Wildcards::ansi, 0);
}

Result<PreparedQuery> PreparedQuery::PrepareTable(std::u16string_view name, Resolver& resolver) {
  if (name.size() >= 2 && name.front() == u'[' && name.back() == u']') {
    name = name.substr(1, name.size() - 2);
  }
  return PrepareSource(name, resolver, 0);
}

// The input named in FROM, with every column as output.
Result<PreparedQuery> PreparedQuery::PrepareSource(std::u16string_view name, Resolver& resolver,
                                                   int depth) {
  Result<NamedSource> found = resolver.Find(name);
  VELMORA_RETURN_IF_ERROR(found);
  PreparedQuery q;
  if (found.value().table) {
    q.table_ = found.value().table;
    q.wholeTable_ = true;
    q.inputColumns_ = q.table_->Columns();
    for (std::uint32_t i = 0; i < q.inputColumns_.size(); ++i) {
      q.columns_.push_back({q.inputColumns_[i].name, i, q.inputColumns_[i].kind});
    }
    return q;
  }
  if (!found.value().query) {
    return Status::NotFound(InputTableNotFound(name), "FROM clause");
  }
  if (depth >= kMaxQueryDepth) {
    return Status::InvalidArgument(CircularReference(name), "saved query");
  }
  Result<Statement> statement = Parse(*found.value().query);
  VELMORA_RETURN_IF_ERROR(statement);
  Wildcards wildcards = found.value().designerWildcards ? Wildcards::designer : Wildcards::ansi;
  return PrepareAt(statement.value(), resolver, {}, wildcards, depth + 1);
}

Result<PreparedQuery> PreparedQuery::PrepareAt(const Statement& statement, Resolver& resolver,
                                               std::span<const Value> parameters,
                                               Wildcards wildcards, int depth) {
  Result<PreparedQuery> input = PrepareSource(statement.table, resolver, depth);
  VELMORA_RETURN_IF_ERROR(input);
  PreparedQuery q;
  // A table is read directly; anything else is read through its own prepared query.
  if (input.value().wholeTable_) {
    q.table_ = input.value().table_;
  } else {
    q.inner_ = std::make_unique<PreparedQuery>(input.take());
  }
  const std::vector<OutputColumn>& source = q.inner_ ? q.inner_->columns_ : input.value().columns_;
  for (const OutputColumn& c : source) q.inputColumns_.push_back({c.name, c.kind});

  Scope scope{&q.inputColumns_, statement.table,     statement.tableAlias,
              parameters,       statement.whereText, wildcards};
  // Output columns name the underlying table's columns, through the saved query if any.
  auto output = [&](std::uint32_t input, std::u16string name) {
    q.columns_.push_back({std::move(name), source[input].column, source[input].kind});
  };
  for (const SelectItem& item : statement.items) {
    switch (item.kind) {
      case SelectItem::Kind::allOfTable:
        if (!scope.IsOwnQualifier(item.column.qualifier)) {
          return Status::InvalidArgument(kSelectPunctuation, "select list");
        }
        [[fallthrough]];
      case SelectItem::Kind::all:
        for (std::uint32_t i = 0; i < q.inputColumns_.size(); ++i) {
          output(i, q.inputColumns_[i].name);
        }
        break;
      case SelectItem::Kind::column: {
        std::optional<std::uint32_t> c = scope.Find(item.column);
        if (!c) return MissingParameters("select list");
        output(*c, item.alias.empty() ? q.inputColumns_[*c].name : item.alias);
        break;
      }
    }
  }
  if (statement.where) {
    Result<std::unique_ptr<Condition>> where = Condition::Compile(*statement.where, scope);
    VELMORA_RETURN_IF_ERROR(where);
    q.where_ = where.take();
  }
  for (const OrderItem& item : statement.orderBy) {
    std::optional<std::uint32_t> c = scope.Find(item.column);
    if (!c) return MissingParameters("ORDER BY clause");
    q.order_.push_back({*c, q.inputColumns_[*c].kind, item.descending});
  }
  return q;
}

Result<QueryResult> PreparedQuery::Execute() {
  QueryResult inner;
  std::unique_ptr<ResultView> view;
  RowSource* input = table_;
  if (inner_) {
    Result<QueryResult> r = inner_->Execute();
    VELMORA_RETURN_IF_ERROR(r);
    inner = r.take();
    view = std::make_unique<ResultView>(inner, inputColumns_);
    input = view.get();
  }
  QueryResult result;
  result.source = inner_ ? inner.source : table_;
  result.columns = columns_;
  std::uint32_t count = input->RowCount();
  if (!where_) {
    result.rows.resize(count);
    std::iota(result.rows.begin(), result.rows.end(), 0u);
  } else {
    Status selected = where_->Select(*input, result.rows);
    if (!selected.ok()) return selected;
  }
  Status sorted = Sort(*input, result.rows);
  VELMORA_RETURN_IF_ERROR(sorted);
  if (inner_) {
    for (std::uint32_t& row : result.rows) row = inner.rows[row];
  }
  return result;
}

// Orders rows by the ORDER BY keys: Null first when ascending, text folded, ties kept in
// the input's order.
Status PreparedQuery::Sort(RowSource& input, std::vector<std::uint32_t>& rows) const {
  if (order_.empty() || rows.size() < 2) return Status::Ok();
  const std::size_t width = order_.size();
  std::vector<Value> keys(rows.size() * width);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t k = 0; k < width; ++k) {
      Result<Value> v = input.GetValue(rows[r], order_[k].column);
      VELMORA_RETURN_IF_ERROR(v);
      Value& key = keys[r * width + k];
      key = v.take();
      if (auto* text = std::get_if<std::u16string>(&key)) *text = Folded(*text);
    }
  }
  std::vector<std::uint32_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    for (std::size_t k = 0; k < width; ++k) {
      const Value& x = keys[a * width + k];
      const Value& y = keys[b * width + k];
      int c;
      if (IsNull(x) || IsNull(y)) {
        c = static_cast<int>(!IsNull(x)) - static_cast<int>(!IsNull(y));
      } else if (auto* tx = std::get_if<std::u16string>(&x)) {
        c = CompareFoldedText(*tx, std::get<std::u16string>(y));
      } else {
        c = CompareValues(x, y).value_or(0);
      }
      if (c != 0) return order_[k].descending ? c > 0 : c < 0;
    }
    return false;
  });
  std::vector<std::uint32_t> sorted(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = rows[order[i]];
  rows = std::move(sorted);
  return Status::Ok();
}

Result<QueryResult> Execute(std::u16string_view sql, Resolver& resolver,
                            std::span<const Value> parameters) {
  Result<PreparedQuery> q = PreparedQuery::Prepare(sql, resolver, parameters);
  VELMORA_RETURN_IF_ERROR(q);
  return q.value().Execute();
}

}  // namespace provider::sql
