// Native value forms to the kinds fields report, including the provider's variant values.
#include "data/field_value.h"

#include <cmath>
#include <type_traits>

#include "core/format_float.h"
#include "data/datetime_field.h"
#include "platform/codepage.h"

namespace {

// The decimal digits of a fixed-point number's 96-bit magnitude, with its scale applied.
AnsiString DecimalText(const provider::Decimal& d) {
  std::array<std::uint32_t, 3> words = {d.magnitude[0], d.magnitude[1], d.magnitude[2]};
  std::string digits;
  auto isZero = [&] { return words[0] == 0 && words[1] == 0 && words[2] == 0; };
  while (!isZero()) {
    std::uint64_t remainder = 0;
    for (int i = 2; i >= 0; --i) {
      std::uint64_t part = (remainder << 32) | words[static_cast<std::size_t>(i)];
      words[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(part / 10);
      remainder = part % 10;
    }
    digits.insert(digits.begin(), static_cast<char>('0' + remainder));
  }
  if (digits.size() <= d.scale) digits.insert(0, d.scale + 1 - digits.size(), '0');
  if (d.scale > 0) {
    digits.insert(digits.size() - d.scale, ".");
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  if (d.negative && digits != "0") digits.insert(0, "-");
  return digits;
}

double DecimalValue(const provider::Decimal& d) {
  double v = 0;
  for (int i = 2; i >= 0; --i) v = v * 4294967296.0 + d.magnitude[static_cast<std::size_t>(i)];
  v /= std::pow(10.0, d.scale);
  return d.negative ? -v : v;
}

std::optional<std::int64_t> IntegerOfValue(const provider::Value& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
  if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  return std::nullopt;
}

std::optional<double> FloatOfValue(const provider::Value& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* c = std::get_if<provider::Currency>(&v)) return static_cast<double>(c->scaled) / 10000;
  if (auto* t = std::get_if<provider::DateTime>(&v)) return t->days;
  if (auto* n = std::get_if<provider::Decimal>(&v)) return DecimalValue(*n);
  if (auto* b = std::get_if<bool>(&v)) return *b ? 1.0 : 0.0;
  return std::nullopt;
}

}  // namespace

AnsiString VariantText(const provider::Variant& value) {
  const provider::Value& v = value.value();
  return std::visit(
      [](const auto& x) -> AnsiString {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return {};
        } else if constexpr (std::is_same_v<T, bool>) {
          return x ? "True" : "False";
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(x);
        } else if constexpr (std::is_same_v<T, double>) {
          return FloatToStr(x);
        } else if constexpr (std::is_same_v<T, provider::Currency>) {
          return FloatToStr(static_cast<double>(x.scaled) / 10000);
        } else if constexpr (std::is_same_v<T, provider::DateTime>) {
          double whole = std::floor(x.days);
          return FormatDateTime(x.days == whole ? "yyyy-mm-dd" : "yyyy-mm-dd hh:nn:ss", x.days);
        } else if constexpr (std::is_same_v<T, std::u16string>) {
          return platform::WideToAnsi(x);
        } else if constexpr (std::is_same_v<T, provider::Bytes>) {
          return AnsiString(x.begin(), x.end());
        } else if constexpr (std::is_same_v<T, provider::Guid>) {
          return platform::WideToAnsi(provider::GuidText(x));
        } else {
          return DecimalText(x);
        }
      },
      v);
}

std::optional<AnsiString> TextOfData(const TFieldData& data) {
  if (auto* s = std::get_if<AnsiString>(&data)) return *s;
  if (auto* w = std::get_if<WideString>(&data)) return platform::WideToAnsi(*w);
  if (auto* v = std::get_if<provider::Variant>(&data)) {
    const provider::Value& value = v->value();
    if (auto* w = std::get_if<std::u16string>(&value)) return platform::WideToAnsi(*w);
    if (auto* g = std::get_if<provider::Guid>(&value)) {
      return platform::WideToAnsi(provider::GuidText(*g));
    }
  }
  return std::nullopt;
}

std::optional<std::int64_t> IntegerOfData(const TFieldData& data) {
  if (auto* i = std::get_if<std::int16_t>(&data)) return *i;
  if (auto* i = std::get_if<std::int32_t>(&data)) return *i;
  if (auto* i = std::get_if<std::int64_t>(&data)) return *i;
  if (auto* b = std::get_if<bool>(&data)) return *b ? 1 : 0;
  if (auto* v = std::get_if<provider::Variant>(&data)) return IntegerOfValue(v->value());
  return std::nullopt;
}

std::optional<double> FloatOfData(const TFieldData& data) {
  if (auto* d = std::get_if<double>(&data)) return *d;
  if (auto* v = std::get_if<provider::Variant>(&data)) return FloatOfValue(v->value());
  if (auto i = IntegerOfData(data)) return static_cast<double>(*i);
  return std::nullopt;
}

std::optional<bool> BooleanOfData(const TFieldData& data) {
  if (auto* b = std::get_if<bool>(&data)) return *b;
  if (auto i = IntegerOfData(data)) return *i != 0;
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> BytesOfData(const TFieldData& data) {
  if (auto* b = std::get_if<std::vector<std::uint8_t>>(&data)) return *b;
  if (auto* v = std::get_if<provider::Variant>(&data)) {
    if (auto* b = std::get_if<provider::Bytes>(&v->value())) return *b;
  }
  return std::nullopt;
}
