// Reading date literals into day counts.
#include "provider/sql/date_literal.h"

#include <cstdint>
#include <vector>

namespace provider::sql {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

unsigned DaysInMonth(int y, unsigned m) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}

// Splits "12/31/2024" into numbers at the separators; the digit counts come along so a
// four-digit first number can tell year-first from month-first.
struct Number {
  int value;
  std::size_t digits;
};

bool ReadNumbers(std::u16string_view text, std::u16string_view separators,
                 std::vector<Number>& out) {
  std::size_t i = 0;
  while (true) {
    Number n{0, 0};
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && n.digits < 5) {
      n.value = n.value * 10 + (text[i++] - u'0');
      ++n.digits;
    }
    if (n.digits == 0) return false;
    out.push_back(n);
    if (i == text.size()) return true;
    if (separators.find(text[i]) == std::u16string_view::npos) return false;
    ++i;
  }
}

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view upper) {
  if (a.size() != upper.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t c = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
    if (c != upper[i]) return false;
  }
  return true;
}

// Seconds since midnight of "14:30", "2:30:15 PM".
std::optional<int> ParseTime(std::u16string_view text) {
  text = Trim(text);
  int half = 0;  // 0 none, 1 AM, 2 PM
  if (text.size() > 2) {
    std::u16string_view suffix = text.substr(text.size() - 2);
    if (EqualsIgnoreCase(suffix, u"AM")) half = 1;
    if (EqualsIgnoreCase(suffix, u"PM")) half = 2;
    if (half) text = Trim(text.substr(0, text.size() - 2));
  }
  std::vector<Number> parts;
  if (!ReadNumbers(text, u":", parts) || parts.size() < 2 || parts.size() > 3) return {};
  int h = parts[0].value, m = parts[1].value, s = parts.size() == 3 ? parts[2].value : 0;
  if (half) {
    if (h < 1 || h > 12) return {};
    h = h % 12 + (half == 2 ? 12 : 0);
  }
  if (h > 23 || m > 59 || s > 59) return {};
  return h * 3600 + m * 60 + s;
}

}  // namespace

std::optional<DateTime> ParseDateLiteral(std::u16string_view text) {
  text = Trim(text);
  std::u16string_view datePart = text, timePart;
  std::size_t space = text.find(u' ');
  if (space != std::u16string_view::npos) {
    datePart = text.substr(0, space);
    timePart = text.substr(space + 1);
  }
  if (datePart.find(u':') != std::u16string_view::npos) {
    // A time alone is a time on day zero.
    std::optional<int> seconds = ParseTime(text);
    if (!seconds) return {};
    return DateTime{*seconds / 86400.0};
  }
  std::vector<Number> parts;
  if (!ReadNumbers(datePart, u"-/", parts) || parts.size() != 3) return {};
  int y, m, d;
  if (parts[0].digits == 4) {
    y = parts[0].value, m = parts[1].value, d = parts[2].value;
  } else {
    m = parts[0].value, d = parts[1].value, y = parts[2].value;
    if (parts[2].digits <= 2) y += y < 30 ? 2000 : 1900;
  }
  if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 ||
      static_cast<unsigned>(d) > DaysInMonth(y, static_cast<unsigned>(m))) {
    return {};
  }
  double days =
      static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) -
                          DaysFromCivil(1899, 12, 30));
  if (!timePart.empty()) {
    std::optional<int> seconds = ParseTime(timePart);
    if (!seconds) return {};
    // Before day zero the time takes the sign of the day: -1.25 is 29 Dec 1899, 06:00.
    days += (days < 0 ? -1 : 1) * (*seconds / 86400.0);
  }
  return DateTime{days};
}

}  // namespace provider::sql
