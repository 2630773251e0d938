// Value comparison: numbers across their kinds, text folded and in Persian order.
#include "provider/sql/value_compare.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "provider/sql/search_fold.h"

namespace provider::sql {
namespace {

// The Persian alphabet in order (after folding, so only one yeh and one kaf).
constexpr char16_t kAlphabet[] = {
    0x0621, 0x0627, 0x0628, 0x067E, 0x062A, 0x062B, 0x062C, 0x0686, 0x062D, 0x062E, 0x062F,
    0x0630, 0x0631, 0x0632, 0x0698, 0x0633, 0x0634, 0x0635, 0x0636, 0x0637, 0x0638, 0x0639,
    0x063A, 0x0641, 0x0642, 0x06A9, 0x06AF, 0x0644, 0x0645, 0x0646, 0x0648, 0x0647, 0x06CC,
};

// Sort weight of a folded character: its code unit, shifted, with the alphabet's letters
// packed in order just below U+0621 so that distinct characters keep distinct weights.
std::uint32_t Weight(char16_t c) {
  static const std::array<std::uint32_t, 0x10000> weights = [] {
    std::array<std::uint32_t, 0x10000> w;
    for (std::uint32_t i = 0; i < w.size(); ++i) w[i] = i << 8;
    for (std::uint32_t i = 0; i < std::size(kAlphabet); ++i) {
      w[kAlphabet[i]] = (0x0620u << 8) + 1 + i;
    }
    return w;
  }();
  return weights[c];
}

double NumberOf(const Value& v) {
  if (auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;  // Jet's True is -1
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* c = std::get_if<Currency>(&v)) return static_cast<double>(c->scaled) / 10000.0;
  if (auto* t = std::get_if<DateTime>(&v)) return t->days;
  if (auto* m = std::get_if<Decimal>(&v)) {
    double x = 0;
    for (int w = 2; w >= 0; --w) x = x * 4294967296.0 + m->magnitude[w];
    x /= std::pow(10.0, m->scale);
    return m->negative ? -x : x;
  }
  return 0;
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

ValueClass ClassOf(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::text:
      return ValueClass::text;
    case ColumnKind::dateTime:
      return ValueClass::date;
    case ColumnKind::binary:
      return ValueClass::binary;
    case ColumnKind::guid:
      return ValueClass::guid;
    default:
      return ValueClass::number;
  }
}

ValueClass ClassOf(const Value& value) {
  switch (value.index()) {
    case 0:
      return ValueClass::null;
    case 5:
      return ValueClass::date;
    case 6:
      return ValueClass::text;
    case 7:
      return ValueClass::binary;
    case 8:
      return ValueClass::guid;
    default:
      return ValueClass::number;
  }
}

bool Comparable(ValueClass a, ValueClass b) {
  if (a == ValueClass::null || b == ValueClass::null || a == b) return true;
  auto numeric = [](ValueClass c) { return c == ValueClass::number || c == ValueClass::date; };
  return numeric(a) && numeric(b);
}

int CompareFoldedText(std::u16string_view a, std::u16string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return Weight(a[i]) < Weight(b[i]) ? -1 : 1;
  }
  return Order(a.size(), b.size());
}

int CompareText(std::u16string_view a, std::u16string_view b) {
  std::size_t i = 0, j = 0;
  while (true) {
    char16_t x = kIgnored, y = kIgnored;
    while (i < a.size() && (x = FoldChar(a[i++])) == kIgnored) {
    }
    while (j < b.size() && (y = FoldChar(b[j++])) == kIgnored) {
    }
    if (x == kIgnored || y == kIgnored) return Order(x != kIgnored, y != kIgnored);
    if (x != y) return Weight(x) < Weight(y) ? -1 : 1;
  }
}

std::optional<int> CompareValues(const Value& a, const Value& b) {
  ValueClass ca = ClassOf(a), cb = ClassOf(b);
  if (ca == ValueClass::null || cb == ValueClass::null || !Comparable(ca, cb)) return {};
  switch (ca) {
    case ValueClass::text:
      return CompareText(std::get<std::u16string>(a), std::get<std::u16string>(b));
    case ValueClass::binary:
      return Order(std::get<Bytes>(a), std::get<Bytes>(b));
    case ValueClass::guid:
      return Order(std::get<Guid>(a).bytes, std::get<Guid>(b).bytes);
    default:
      break;
  }
  auto* ia = std::get_if<std::int64_t>(&a);
  auto* ib = std::get_if<std::int64_t>(&b);
  if (ia && ib) return Order(*ia, *ib);
  double x = NumberOf(a), y = NumberOf(b);
  if (std::isnan(x) || std::isnan(y)) return Order(std::isnan(x), std::isnan(y));
  return Order(x, y);
}

}  // namespace provider::sql
