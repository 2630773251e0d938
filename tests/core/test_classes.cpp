// The shared test component classes and their registrations.
#include "tests/core/test_classes.h"

namespace coretest {

std::vector<AnsiString>& Log() {
  static std::vector<AnsiString> log;
  return log;
}

TTestComponent::TTestComponent(TComponent* owner) : TComponent(owner) {}

TTestComponent::~TTestComponent() {
  if (link_) link_->RemoveFreeNotification(this);
}

void TTestComponent::SetFont(TTestFont* v) {
  if (!v) return;
  font_->SetName(v->Name());
  font_->SetStyle(v->Style());
  font_->SetCharset(v->Charset());
}

void TTestComponent::SetLines(TStringList* v) {
  if (v) lines_->Assign(*v);
}

void TTestComponent::SetLink(TTestComponent* v) {
  if (link_) link_->RemoveFreeNotification(this);
  link_ = v;
  if (link_) link_->FreeNotification(this);
  if (ComponentState().Contains(TComponentStateFlag::csReading)) readingSeen = true;
}

void TTestComponent::CreateSub() {
  sub_ = new TTestComponent(this);
  sub_->SetName("Sub");
  sub_->SetSubComponent(true);
}

void TTestComponent::AfterLoading() {
  TComponent::AfterLoading();
  Log().push_back("after-load " + Name());
}

void TTestComponent::ComponentNotice(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == link_) link_ = nullptr;
  if (operation == TOperation::opRemove && component == sub_) sub_ = nullptr;
  Log().push_back("notice " + Name() +
                  (operation == TOperation::opInsert ? " insert " : " remove ") +
                  component->Name());
}

void TTestComponent::DeclareStoredProperties(TReader& reader) {
  TComponent::DeclareStoredProperties(reader);
  reader.DeclareBinaryProperty("Data", [this](TStream& s) {
    data.resize(static_cast<std::size_t>(s.Size()));
    s.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  });
}

TTestForm::TTestForm(TComponent* owner) : TTestComponent(owner) {
  RegisterGlobalComponent(this);
}

TTestForm::~TTestForm() {
  DestroyComponents();
  UnregisterGlobalComponent(this);
}

namespace {

[[maybe_unused]] const auto kFont =
    RegisterClass<TTestFont, TPersistent>("TTestFont")
        .Property("Name", &TTestFont::Name, &TTestFont::SetName)
        .Set("Style", &TTestFont::Style, &TTestFont::SetStyle,
             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
        .Property("Charset", &TTestFont::Charset, &TTestFont::SetCharset, CharsetIdents);

[[maybe_unused]] const auto kItem =
    RegisterClass<TTestItem, TCollectionItem>("TTestItem")
        .Property("Caption", &TTestItem::Caption, &TTestItem::SetCaption)
        .Property("Width", &TTestItem::Width, &TTestItem::SetWidth)
        .Property("Title", &TTestItem::Title, nullptr);

[[maybe_unused]] const auto kOtherItem = RegisterClass<TOtherItem, TCollectionItem>("TOtherItem");
[[maybe_unused]] const auto kItems = RegisterClass<TTestItems, TCollection>("TTestItems");

[[maybe_unused]] const auto kComponent =
    RegisterClass<TTestComponent, TComponent>("TTestComponent")
        .Property("Color", &TTestComponent::Color, &TTestComponent::SetColor, ColorIdents)
        .Property("Letter", &TTestComponent::Letter, &TTestComponent::SetLetter)
        .Enum("Align", &TTestComponent::Align, &TTestComponent::SetAlign,
              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"})
        .Property("Visible", &TTestComponent::Visible, &TTestComponent::SetVisible)
        .Property("Extended", &TTestComponent::Extended, &TTestComponent::SetExtended)
        .Property("Ratio", &TTestComponent::Ratio, &TTestComponent::SetRatio)
        .Property("Scale", &TTestComponent::Scale, &TTestComponent::SetScale)
        .Property("Price", &TTestComponent::Price, &TTestComponent::SetPrice)
        .Property("When", &TTestComponent::When, &TTestComponent::SetWhen)
        .Property("Caption", &TTestComponent::Caption, &TTestComponent::SetCaption)
        .Property("Hint", &TTestComponent::Hint, &TTestComponent::SetHint)
        .Set("Styles", &TTestComponent::Styles, &TTestComponent::SetStyles,
             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
        .Property("Value", &TTestComponent::Value, &TTestComponent::SetValue)
        .Property("Big", &TTestComponent::Big, &TTestComponent::SetBig)
        .Property("Fixed", &TTestComponent::Fixed, nullptr)
        .Property("Font", &TTestComponent::Font, &TTestComponent::SetFont)
        .Property("Items", &TTestComponent::Items, &TTestComponent::SetItems)
        .Property("Lines", &TTestComponent::Lines, &TTestComponent::SetLines)
        .Property("Link", &TTestComponent::Link, &TTestComponent::SetLink)
        .Interface("Answer", &TTestComponent::Answer, &TTestComponent::SetAnswer)
        .Property("Sub", &TTestComponent::Sub, nullptr)
        .Event("OnClick", &TTestComponent::OnClick)
        .Event("OnValue", &TTestComponent::OnValue);

[[maybe_unused]] const auto kAnswerer =
    RegisterClass<TTestAnswerer, TTestComponent>("TTestAnswerer");

[[maybe_unused]] const auto kForm = RegisterClass<TTestForm, TTestComponent>("TTestForm")
                                        .Field("Child1", &TTestForm::Child1)
                                        .Field("Child2", &TTestForm::Child2)
                                        .Method("Child1Click", &TTestForm::Child1Click)
                                        .Method("ValueChanged", &TTestForm::ValueChanged);

[[maybe_unused]] const auto kResForm = RegisterClass<TResForm, TTestForm>("TResForm");
[[maybe_unused]] const auto kResForm2 = RegisterClass<TResForm2, TResForm>("TResForm2");

}  // namespace
}  // namespace coretest
