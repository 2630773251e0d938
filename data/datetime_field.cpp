// Date and time fields: the day number as a calendar date and a time of day.
#include "data/datetime_field.h"

#include <cmath>
#include <cstdio>

#include "core/classes.h"
#include "data/field_value.h"

namespace {

struct CivilTime {
  std::int64_t year;
  int month, day, hour, minute, second;
};

// Days since 1899-12-30 to the proleptic Gregorian calendar; the fraction's magnitude is the
// time of day, as for day numbers before the epoch.
CivilTime ToCivil(double dayNumber) {
  double whole = std::trunc(dayNumber);
  std::int64_t seconds = std::llround(std::fabs(dayNumber - whole) * 86400.0);
  std::int64_t days = static_cast<std::int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += dayNumber < 0 ? -1 : 1;
  }
  // Civil-from-days over days since 1970-01-01.
  std::int64_t z = days - 25569 + 719468;
  std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  std::int64_t doe = z - era * 146097;
  std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  std::int64_t mp = (5 * doy + 2) / 153;
  int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return {y,
          m,
          d,
          static_cast<int>(seconds / 3600),
          static_cast<int>(seconds / 60 % 60),
          static_cast<int>(seconds % 60)};
}

void AppendNumber(AnsiString& out, std::int64_t value, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(value));
  out += buffer;
}

}  // namespace

AnsiString FormatDateTime(std::string_view picture, double dayNumber) {
  CivilTime t = ToCivil(dayNumber);
  AnsiString out;
  for (std::size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '"' || c == '\'') {
      std::size_t end = picture.find(c, i + 1);
      if (end == std::string_view::npos) end = picture.size();
      out.append(picture.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    char lower = static_cast<char>(c | 0x20);
    std::size_t run = 1;
    while (i + run < picture.size() && (picture[i + run] | 0x20) == lower) ++run;
    switch (lower) {
      case 'y':
        if (run >= 4) {
          AppendNumber(out, t.year, 4);
        } else {
          AppendNumber(out, t.year % 100, 2);
        }
        break;
      case 'm':
        AppendNumber(out, t.month, run >= 2 ? 2 : 1);
        break;
      case 'd':
        AppendNumber(out, t.day, run >= 2 ? 2 : 1);
        break;
      case 'h':
        AppendNumber(out, t.hour, run >= 2 ? 2 : 1);
        break;
      case 'n':
        AppendNumber(out, t.minute, run >= 2 ? 2 : 1);
        break;
      case 's':
        AppendNumber(out, t.second, run >= 2 ? 2 : 1);
        break;
      default:
        out.append(picture.substr(i, run));
        break;
    }
    i += run;
  }
  return out;
}

TDateTimeField::TDateTimeField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftDateTime);
}

bool TDateTimeField::ReadDateTime(double* value) const {
  TFieldData data;
  if (!ReadData(&data)) return false;
  std::optional<double> v = FloatOfData(data);
  if (!v) AccessError("DateTime");
  *value = *v;
  return true;
}

double TDateTimeField::FloatValue() const {
  double value = 0;
  return ReadDateTime(&value) ? value : 0;
}

const char* TDateTimeField::DefaultPicture(double value) const {
  return value == std::trunc(value) ? "yyyy-mm-dd" : "yyyy-mm-dd hh:nn:ss";
}

AnsiString TDateTimeField::StringValue() const {
  double value = 0;
  if (!ReadDateTime(&value)) return {};
  return FormatDateTime(DefaultPicture(value), value);
}

AnsiString TDateTimeField::ClassText(bool displayText) const {
  double value = 0;
  if (!ReadDateTime(&value)) return {};
  if (displayText && !displayFormat_.empty()) return FormatDateTime(displayFormat_, value);
  return FormatDateTime(DefaultPicture(value), value);
}

TDateField::TDateField(TComponent* owner) : TDateTimeField(owner) {
  SetDataType(TFieldType::ftDate);
}

const char* TDateField::DefaultPicture(double) const {
  return "yyyy-mm-dd";
}

TTimeField::TTimeField(TComponent* owner) : TDateTimeField(owner) {
  SetDataType(TFieldType::ftTime);
}

const char* TTimeField::DefaultPicture(double) const {
  return "hh:nn:ss";
}

TSQLTimeStampField::TSQLTimeStampField(TComponent* owner) : TField(owner) {
  SetDataType(TFieldType::ftTimeStamp);
}

namespace {

[[maybe_unused]] const auto kTDateTimeField =
    RegisterClass<TDateTimeField, TField>("TDateTimeField")
        .Property("DisplayFormat", &TDateTimeField::DisplayFormat,
                  &TDateTimeField::SetDisplayFormat);
[[maybe_unused]] const auto kTDateField = RegisterClass<TDateField, TDateTimeField>("TDateField");
[[maybe_unused]] const auto kTTimeField = RegisterClass<TTimeField, TDateTimeField>("TTimeField");
[[maybe_unused]] const auto kTSQLTimeStampField =
    RegisterClass<TSQLTimeStampField, TField>("TSQLTimeStampField");

}  // namespace
