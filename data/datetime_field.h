// Date and time fields over the day number (days since 1899-12-30, time as the fraction).
#pragma once

#include "data/field.h"

// A date with time. Its text is "yyyy-mm-dd hh:nn:ss", the time left out when it is midnight,
// unless DisplayFormat gives another picture for display (see FormatDateTime below).
class TDateTimeField : public TField {
 public:
  explicit TDateTimeField(TComponent* owner);

  AnsiString StringValue() const override;
  double FloatValue() const override;
  // The day number, or false for null.
  bool ReadDateTime(double* value) const;

  const AnsiString& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& format) { displayFormat_ = format; }

 protected:
  AnsiString ClassText(bool displayText) const override;
  // The picture used when DisplayFormat is empty.
  virtual const char* DefaultPicture(double value) const;

 private:
  AnsiString displayFormat_;
};

// A date alone: "yyyy-mm-dd".
class TDateField : public TDateTimeField {
 public:
  explicit TDateField(TComponent* owner);

 protected:
  const char* DefaultPicture(double value) const override;
};

// A time of day alone: "hh:nn:ss".
class TTimeField : public TDateTimeField {
 public:
  explicit TTimeField(TComponent* owner);

 protected:
  const char* DefaultPicture(double value) const override;
};

// The class of the ftTimeStamp type. No source this program reads yields it, so it has no own
// conversions: its text is its class description.
class TSQLTimeStampField : public TField {
 public:
  explicit TSQLTimeStampField(TComponent* owner);
};

// Formats a day number by a picture of yyyy, mm, dd, hh, nn, ss (and yy, m, d, h, n, s);
// "…"/'…' quote literal text, other characters are copied.
AnsiString FormatDateTime(std::string_view picture, double dayNumber);
