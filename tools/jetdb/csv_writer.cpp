// Formatting values as the peer exporter does: integers plainly, currency with four decimals,
// floating point with the shortest of 8 (Single) or 16 (Double) significant digits, booleans as
// 0/1, text, memo, dates, binary and GUIDs quoted.
#include "tools/jetdb/csv_writer.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/codepage.h"

namespace jetdb {
namespace {

using provider::jet::Column;
using provider::jet::ColumnType;

// Days from 1970-01-01 to the civil date y-m-d (proleptic Gregorian).
void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
}

// Days from 1970-01-01 to y-m-d, the inverse of CivilFromDays.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::string DecimalText(const provider::Decimal& decimal) {
  // Long division of the 128-bit magnitude by 10.
  std::uint32_t words[4] = {decimal.magnitude[3], decimal.magnitude[2], decimal.magnitude[1],
                            decimal.magnitude[0]};
  std::string digits;
  for (;;) {
    bool zero = true;
    std::uint64_t remainder = 0;
    for (std::uint32_t& word : words) {
      const std::uint64_t current = remainder << 32 | word;
      word = static_cast<std::uint32_t>(current / 10);
      remainder = current % 10;
      if (word != 0) zero = false;
    }
    digits.insert(digits.begin(), static_cast<char>('0' + remainder));
    if (zero) break;
  }
  if (decimal.scale > 0) {
    if (digits.size() <= decimal.scale) digits.insert(0, decimal.scale - digits.size() + 1, '0');
    digits.insert(digits.end() - decimal.scale, '.');
  }
  return (decimal.negative ? "-" : "") + digits;
}

std::string Number(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string GuidText(const provider::Guid& guid) {
  const auto& b = guid.bytes;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer,
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X%02X%02X}", b[3], b[2],
                b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14],
                b[15]);
  return buffer;
}

std::string BinaryText(const provider::Bytes& bytes, BinaryMode mode) {
  std::string text;
  static const char kHex[] = "0123456789ABCDEF";
  for (std::uint8_t byte : bytes) {
    switch (mode) {
      case BinaryMode::strip:
        break;
      case BinaryMode::raw:
        text.push_back(static_cast<char>(byte));
        break;
      case BinaryMode::hex:
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 15]);
        break;
      case BinaryMode::octal: {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\%03o", byte);
        text += buffer;
        break;
      }
    }
  }
  return text;
}

// The escape of an invisible character under -e, or null for any other byte.
const char* InvisibleEscape(char c) {
  switch (c) {
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    case '\\':
      return "\\\\";
    default:
      return nullptr;
  }
}

// The bytes that make a quoted value more than the value between two quotes.
std::string SpecialBytes(const CsvOptions& options) {
  std::string special = options.quote.substr(0, 1);
  if (options.escapeInvisible) special += "\r\n\t\\";
  return special;
}

std::string Quoted(const std::string& text, const CsvOptions& options) {
  if (!options.quoting) return text;
  const std::string& escape = options.escape.empty() ? options.quote : options.escape;
  // Runs of ordinary bytes are copied whole: looking at every byte of long memos dominated the
  // time of writing them.
  const std::string special = SpecialBytes(options);
  std::string out = options.quote;
  out.reserve(text.size() + 2 * options.quote.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t at = special.empty()       ? std::string::npos
                           : special.size() == 1 ? text.find(special[0], i)
                                                 : text.find_first_of(special, i);
    if (at == std::string::npos) {
      out.append(text, i);
      break;
    }
    out.append(text, i, at - i);
    i = at;
    if (const char* invisible = options.escapeInvisible ? InvisibleEscape(text[i]) : nullptr) {
      out += invisible;
      ++i;
    } else if (text.compare(i, options.quote.size(), options.quote) == 0) {
      out += escape;
      out += options.quote;
      i += options.quote.size();
    } else {
      out.push_back(text[i]);
      ++i;
    }
  }
  return out + options.quote;
}

}  // namespace

provider::Status AppendRecord(const provider::jet::Table& table, provider::jet::RowCursor& row,
                              const std::vector<std::uint32_t>& columns, const CsvOptions& options,
                              std::string& out) {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (c > 0) out += options.delimiter;
    const Column& column = table.Columns()[columns[c]];
    if (column.type != ColumnType::text && column.type != ColumnType::memo) {
      provider::Result<provider::Value> value = row.GetValue(columns[c]);
      if (!value.ok()) return value.status();
      out += FormatField(value.value(), column, options);
      continue;
    }
    // Text, most of what is written, goes from the page into `out` with one conversion, right
    // after the opening quote; the rare text that needs escaping is written again through
    // Quoted.
    const std::size_t field = out.size();
    if (options.quoting) out += options.quote;
    const std::size_t text = out.size();
    provider::Result<bool> present = row.AppendTextAsUtf8(columns[c], out);
    if (!present.ok()) return present.status();
    if (!present.value()) {
      out.resize(field);
      out += options.nullText;
    } else if (options.quoting) {
      // One vectorised pass a special byte: find_first_of tests the set at every byte instead.
      const std::string special = SpecialBytes(options);
      if (std::any_of(special.begin(), special.end(),
                      [&](char b) { return out.find(b, text) != std::string::npos; })) {
        const std::string raw = out.substr(text);
        out.resize(field);
        out += Quoted(raw, options);
      } else {
        out += options.quote;
      }
    }
  }
  out += options.rowDelimiter;
  return provider::Status::Ok();
}

std::string FormatDate(double days, const std::string& format) {
  if (!std::isfinite(days) || std::fabs(days) > 3e6) return "";
  const double whole = std::trunc(days);
  // The fraction is the time of day, also for days before 1899-12-30.
  auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(days - whole) * 86400.0));
  auto day = static_cast<std::int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    day += days < 0 ? -1 : 1;
  }
  std::int64_t year;
  unsigned month, dayOfMonth;
  const std::int64_t unixDays = day - 25569;  // 1899-12-30 to 1970-01-01
  CivilFromDays(unixDays, year, month, dayOfMonth);
  std::tm tm{};
  tm.tm_year = static_cast<int>(year - 1900);
  tm.tm_mon = static_cast<int>(month - 1);
  tm.tm_mday = static_cast<int>(dayOfMonth);
  tm.tm_hour = static_cast<int>(seconds / 3600);
  tm.tm_min = static_cast<int>(seconds / 60 % 60);
  tm.tm_sec = static_cast<int>(seconds % 60);
  tm.tm_wday = static_cast<int>(((unixDays % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  tm.tm_yday = static_cast<int>(unixDays - DaysFromCivil(year, 1, 1));
  char buffer[256];
  const std::size_t length = std::strftime(buffer, sizeof buffer, format.c_str(), &tm);
  return std::string(buffer, length);
}

std::string FormatField(const provider::Value& value, const Column& column,
                        const CsvOptions& options) {
  if (provider::IsNull(value)) return options.nullText;
  if (const auto* flag = std::get_if<bool>(&value)) {
    if (options.booleanWords) return *flag ? "TRUE" : "FALSE";
    return *flag ? "1" : "0";
  }
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
  if (const auto* real = std::get_if<double>(&value))
    return Number(column.type == ColumnType::single ? "%.8g" : "%.16g", *real);
  if (const auto* money = std::get_if<provider::Currency>(&value)) {
    const std::int64_t scaled = money->scaled;
    const std::uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s%" PRIu64 ".%04" PRIu64, scaled < 0 ? "-" : "",
                  magnitude / 10000, magnitude % 10000);
    return buffer;
  }
  if (const auto* date = std::get_if<provider::DateTime>(&value))
    return Quoted(FormatDate(date->days, options.dateTimeFormat), options);
  if (const auto* text = std::get_if<std::u16string>(&value))
    return Quoted(platform::WideToUtf8(*text), options);
  if (const auto* bytes = std::get_if<provider::Bytes>(&value))
    return Quoted(BinaryText(*bytes, options.binary), options);
  if (const auto* guid = std::get_if<provider::Guid>(&value))
    return Quoted(GuidText(*guid), options);
  if (const auto* decimal = std::get_if<provider::Decimal>(&value)) return DecimalText(*decimal);
  return "";
}

}  // namespace jetdb
