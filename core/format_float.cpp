// Picture formatting of numbers: sections, digit placeholders, grouping and rounding.
#include "core/format_float.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The value's digits rounded half away from zero at `decimals` places after the point, taken
// from its 15 significant digits so that 1.005 rounds as written, not as stored.
void DecimalDigits(double value, int decimals, std::string& whole, std::string& fraction) {
  whole.clear();
  fraction.assign(static_cast<std::size_t>(decimals), '0');
  if (value == 0) return;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string digits;
  int exponent = 0;
  for (const char* p = buffer; *p; ++p) {
    if (*p >= '0' && *p <= '9') {
      digits += *p;
    } else if (*p == 'e') {
      exponent = std::atoi(p + 1);
      break;
    }
  }
  // value = 0.digits × 10^(exponent + 1)
  int point = exponent + 1;
  int kept = point + decimals;
  if (kept < 0) return;
  if (kept < static_cast<int>(digits.size())) {
    bool up = digits[static_cast<std::size_t>(kept)] >= '5';
    digits.resize(static_cast<std::size_t>(kept));
    if (up) {
      int i = kept - 1;
      for (; i >= 0; --i) {
        char& d = digits[static_cast<std::size_t>(i)];
        if (d == '9') {
          d = '0';
        } else {
          ++d;
          break;
        }
      }
      if (i < 0) {
        digits.insert(digits.begin(), '1');
        ++point;
      }
    }
  }
  if (point < 0) {
    digits.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  }
  if (static_cast<int>(digits.size()) < point + decimals) {
    digits.resize(static_cast<std::size_t>(point + decimals), '0');
  }
  whole = digits.substr(0, static_cast<std::size_t>(point));
  fraction = digits.substr(static_cast<std::size_t>(point), static_cast<std::size_t>(decimals));
  std::size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? std::string() : whole.substr(first);
}

std::vector<std::string> SplitSections(std::string_view picture) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : picture) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

// One section split into its parts: the characters before the point (placeholders and text),
// those after it, and what the placeholders ask for.
struct Section {
  std::vector<char> wholeItems;  // '0', '#' for placeholders, 0 before each literal character
  std::string wholeText;         // the literal characters, in order
  std::vector<char> fractionItems;
  std::string fractionText;
  bool hasPoint = false;
  bool grouping = false;
  int minWhole = 0;
  int maxDecimals = 0;
  int minDecimals = 0;
};

Section ParseSection(std::string_view text) {
  Section s;
  char quote = 0;
  bool seenZero = false;
  for (char c : text) {
    bool literal = true;
    if (quote) {
      if (c == quote) {
        quote = 0;
        continue;
      }
    } else if (c == '"' || c == '\'') {
      quote = c;
      continue;
    } else if (c == '.' && !s.hasPoint) {
      s.hasPoint = true;
      continue;
    } else if (c == ',' && !s.hasPoint) {
      s.grouping = true;
      continue;
    } else if (c == '0' || c == '#') {
      literal = false;
    }
    auto& items = s.hasPoint ? s.fractionItems : s.wholeItems;
    auto& chars = s.hasPoint ? s.fractionText : s.wholeText;
    if (literal) {
      items.push_back(0);
      chars += c;
      continue;
    }
    items.push_back(c);
    if (s.hasPoint) {
      ++s.maxDecimals;
      if (c == '0') s.minDecimals = s.maxDecimals;
    } else {
      if (c == '0') seenZero = true;
      if (seenZero) ++s.minWhole;
    }
  }
  return s;
}

bool HasPlaceholder(const std::vector<char>& items) {
  for (char c : items) {
    if (c) return true;
  }
  return false;
}

AnsiString Render(const Section& s, const std::string& wholeDigits, std::string fraction) {
  std::string digits = wholeDigits;
  if (static_cast<int>(digits.size()) < s.minWhole) {
    digits.insert(0, static_cast<std::size_t>(s.minWhole) - digits.size(), '0');
  }
  if (s.grouping) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
      grouped += digits[i];
    }
    digits = grouped;
  }
  while (static_cast<int>(fraction.size()) > s.minDecimals && !fraction.empty() &&
         fraction.back() == '0') {
    fraction.pop_back();
  }

  // The whole digits fill the placeholders from the right; what is left over goes in front of
  // the first placeholder, so no digit is ever dropped.
  int placeholders = 0;
  for (char c : s.wholeItems) placeholders += c ? 1 : 0;
  std::string out;
  std::size_t literal = 0;
  int seen = 0;
  std::size_t next = 0;
  // Digits (with their separators) belonging to placeholder k, counted from the right.
  std::vector<std::string> slots(static_cast<std::size_t>(placeholders));
  {
    int k = placeholders - 1;
    std::string pending;
    for (std::size_t i = digits.size(); i-- > 0;) {
      pending.insert(pending.begin(), digits[i]);
      if (digits[i] == ',') continue;
      if (k > 0) {
        slots[static_cast<std::size_t>(k)] = pending;
        pending.clear();
        --k;
      }
    }
    if (placeholders > 0) slots[0] = pending + slots[0];
  }
  for (char c : s.wholeItems) {
    if (!c) {
      out += s.wholeText[literal++];
      continue;
    }
    out += slots[static_cast<std::size_t>(seen++)];
  }
  if (placeholders == 0) out += digits;

  if (!fraction.empty()) out += '.';
  literal = 0;
  for (char c : s.fractionItems) {
    if (!c) {
      out += s.fractionText[literal++];
      continue;
    }
    if (next < fraction.size()) out += fraction[next++];
  }
  return out;
}

}  // namespace

AnsiString FloatToStr(double value, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (precision < 1) precision = 1;
  if (precision > 15) precision = 15;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
  AnsiString out(buffer);
  if (out == "-0") out = "0";
  return out;
}

AnsiString FormatFloat(std::string_view picture, double value) {
  if (picture.empty() || std::isnan(value) || std::isinf(value)) return FloatToStr(value);
  std::vector<std::string> sections = SplitSections(picture);
  Section chosen = ParseSection(sections[0]);
  bool negative = value < 0;
  bool ownNegative = false;
  if (negative && sections.size() > 1 && !sections[1].empty()) {
    chosen = ParseSection(sections[1]);
    ownNegative = true;
  }
  std::string whole;
  std::string fraction;
  DecimalDigits(std::fabs(value), chosen.maxDecimals, whole, fraction);
  bool zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
  if (zero && sections.size() > 2 && !sections[2].empty()) {
    chosen = ParseSection(sections[2]);
    DecimalDigits(0, chosen.maxDecimals, whole, fraction);
    negative = false;
  }
  // A section without placeholders is text alone.
  if (!HasPlaceholder(chosen.wholeItems) && !HasPlaceholder(chosen.fractionItems)) {
    return chosen.wholeText + chosen.fractionText;
  }
  AnsiString out = Render(chosen, whole, fraction);
  if (negative && !ownNegative && !zero) out.insert(0, "-");
  return out;
}
