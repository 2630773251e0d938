// Text fields: ANSI strings, wide strings and GUIDs held as text.
#pragma once

#include "data/field.h"

// ANSI text of at most Size bytes (20 at creation); null reads as the empty string.
class TStringField : public TField {
 public:
  explicit TStringField(TComponent* owner);

  AnsiString StringValue() const override;

  bool FixedChar() const { return fixedChar_; }
  void SetFixedChar(bool value) { fixedChar_ = value; }
  bool Transliterate() const { return transliterate_; }
  void SetTransliterate(bool value) { transliterate_ = value; }

 protected:
  AnsiString ClassText(bool displayText) const override;
  std::int32_t DefaultWidth() const override { return Size(); }
  void CheckTypeSize(std::int32_t size) const override;

 private:
  bool fixedChar_ = false;
  bool transliterate_ = true;
};

// Text kept by the source as UTF-16; read as wide text and shown in the system code page.
class TWideStringField : public TStringField {
 public:
  explicit TWideStringField(TComponent* owner);

  AnsiString StringValue() const override;
  WideString WideStringValue() const;
};

// A GUID as its 38-character braced text.
class TGuidField : public TStringField {
 public:
  explicit TGuidField(TComponent* owner);

 protected:
  void CheckTypeSize(std::int32_t size) const override;
};
