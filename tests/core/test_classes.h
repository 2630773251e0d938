// Component classes shared by the core tests and the reader fuzz target: together they publish
// every property kind the reader can set.
#pragma once

#include <vector>

#include "core/classes.h"
#include "core/collection.h"
#include "core/component.h"
#include "core/event.h"
#include "core/reader.h"
#include "core/strings.h"

namespace coretest {

// What the components saw, in order: "after-load Name", "notice Name insert X" and so on.
std::vector<AnsiString>& Log();

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = SetOf<TFontStyle>;
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TTestFont : public TPersistent {
 public:
  AnsiString Name() const { return name_; }
  void SetName(AnsiString v) { name_ = std::move(v); }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v) { style_ = v; }
  std::int32_t Charset() const { return charset_; }
  void SetCharset(std::int32_t v) { charset_ = v; }

 private:
  AnsiString name_ = "MS Sans Serif";
  TFontStyles style_;
  std::int32_t charset_ = 0;
};

class TTestItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  AnsiString Caption() const { return caption_; }
  void SetCaption(AnsiString v) { caption_ = std::move(v); }
  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t v) {
    width_ = v;
    Changed(false);
  }
  TTestFont* Title() const { return title_.get(); }

 private:
  AnsiString caption_;
  std::int32_t width_ = 64;
  std::unique_ptr<TTestFont> title_ = std::make_unique<TTestFont>();
};

// An item class the test collection does not hold.
class TOtherItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
};

class TTestItems : public TCollection {
 public:
  TTestItems() : TCollection(nullptr, ClassOf<TTestItem>()) {}
  std::vector<int> notices;  // item IDs, -1 for the whole collection

 protected:
  void CollectionUpdate(TCollectionItem* item) override {
    notices.push_back(item ? item->ID() : -1);
  }
};

class ITestAnswer {
 public:
  virtual ~ITestAnswer() = default;
  virtual int Answer() const = 0;
};

class TTestComponent : public TComponent {
 public:
  explicit TTestComponent(TComponent* owner);
  ~TTestComponent() override;

  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t v) { color_ = v; }
  char Letter() const { return letter_; }
  void SetLetter(char v) { letter_ = v; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v) { align_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  long double Extended() const { return extended_; }
  void SetExtended(long double v) { extended_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  float Scale() const { return scale_; }
  void SetScale(float v) { scale_ = v; }
  Currency Price() const { return price_; }
  void SetPrice(Currency v) { price_ = v; }
  TDateTime When() const { return when_; }
  void SetWhen(TDateTime v) { when_ = v; }
  AnsiString Caption() const { return caption_; }
  void SetCaption(AnsiString v) { caption_ = std::move(v); }
  WideString Hint() const { return hint_; }
  void SetHint(WideString v) { hint_ = std::move(v); }
  TFontStyles Styles() const { return styles_; }
  void SetStyles(TFontStyles v) { styles_ = v; }
  Variant Value() const { return value_; }
  void SetValue(Variant v) { value_ = std::move(v); }
  std::int64_t Big() const { return big_; }
  void SetBig(std::int64_t v) { big_ = v; }
  std::int32_t Fixed() const { return 7; }

  TTestFont* Font() const { return font_.get(); }
  void SetFont(TTestFont* v);
  TTestItems* Items() const { return items_.get(); }
  void SetItems(TTestItems*) {}
  TStringList* Lines() const { return lines_.get(); }
  void SetLines(TStringList* v);
  TTestComponent* Link() const { return link_; }
  void SetLink(TTestComponent* v);
  ITestAnswer* Answer() const { return answer_; }
  void SetAnswer(ITestAnswer* v) { answer_ = v; }
  TTestComponent* Sub() const { return sub_; }
  // Gives the component an owned sub-component published as "Sub".
  void CreateSub();

  TNotifyEvent OnClick;
  TEvent<void(TObject* Sender, int Value)> OnValue;

  void AfterLoading() override;
  void ComponentNotice(TComponent* component, TOperation operation) override;
  void DeclareStoredProperties(TReader& reader) override;

  // Properties seen in the loading state while they were being read.
  bool readingSeen = false;
  std::vector<std::uint8_t> data;  // the stored "Data" binary property

 private:
  std::int32_t color_ = 0;
  char letter_ = ' ';
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  long double extended_ = 0;
  double ratio_ = 0;
  float scale_ = 0;
  Currency price_;
  TDateTime when_;
  AnsiString caption_;
  WideString hint_;
  TFontStyles styles_;
  Variant value_;
  std::int64_t big_ = 0;
  std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
  std::unique_ptr<TTestItems> items_ = std::make_unique<TTestItems>();
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
  TTestComponent* link_ = nullptr;
  ITestAnswer* answer_ = nullptr;
  TTestComponent* sub_ = nullptr;
};

class TTestAnswerer : public TTestComponent, public ITestAnswer {
 public:
  using TTestComponent::TTestComponent;
  int Answer() const override { return 42; }
};

// A form-like root: global, with published fields and handler methods.
class TTestForm : public TTestComponent {
 public:
  explicit TTestForm(TComponent* owner);
  ~TTestForm() override;

  void Child1Click(TObject* Sender) { clicks.push_back(Sender); }
  void ValueChanged(TObject* Sender, int Value) { values.push_back(Value); }

  TTestComponent* Child1 = nullptr;
  TTestComponent* Child2 = nullptr;
  std::vector<TObject*> clicks;
  std::vector<int> values;
};

// A root whose stream is found by its class name among the resources.
class TResForm : public TTestForm {
 public:
  using TTestForm::TTestForm;
};
class TResForm2 : public TResForm {
 public:
  using TResForm::TResForm;
};

}  // namespace coretest
