// The data grid's columns: given values against defaults, field binding and widths.
#include "dbcontrols/db_grid_columns.h"

#include <algorithm>

#include "core/classes.h"
#include "core/strings.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/fields.h"
#include "dbcontrols/custom_db_grid.h"

using namespace platform;

namespace {

// Copies a default font into a column's or title's own font object without telling its owner:
// copying the default is not giving a font.
void CopyDefaultFont(TFont& target, const TFont& source) {
  if (target.SameAs(source)) return;
  TNotifyEvent saved = target.OnChange;
  target.OnChange = TNotifyEvent();
  target.Assign(source);
  target.OnChange = saved;
}

}  // namespace

// --- TColumnTitle ---------------------------------------------------------------------------

TColumnTitle::TColumnTitle(TColumn* column) : column_(column), font_(std::make_unique<TFont>()) {
  font_->Assign(*column->Font());
  font_->OnChange = TNotifyEvent(this, &TColumnTitle::FontChanged);
}

TColumnTitle::~TColumnTitle() = default;

AnsiString TColumnTitle::DefaultCaption() const {
  TField* field = column_->Field();
  return field ? field->ShownName() : column_->FieldName();
}

AnsiString TColumnTitle::Caption() const {
  return column_->explicitValues_.Contains(TColumnValue::cvTitleCaption) ? caption_
                                                                         : DefaultCaption();
}

void TColumnTitle::SetCaption(const AnsiString& value) {
  if (!column_->IsPersistent()) {
    if (TField* field = column_->PassesToField() ? column_->Field() : nullptr) {
      field->SetDisplayLabel(value);
      column_->Changed(false);
      return;
    }
  }
  column_->Give(caption_, value, TColumnValue::cvTitleCaption);
}

TAlignment TColumnTitle::Alignment() const {
  return column_->explicitValues_.Contains(TColumnValue::cvTitleAlignment) ? alignment_
                                                                           : TAlignment::taLeftJustify;
}

void TColumnTitle::SetAlignment(TAlignment value) {
  column_->Give(alignment_, value, TColumnValue::cvTitleAlignment);
}

TColor TColumnTitle::DefaultColor() const {
  TCustomDBGrid* grid = column_->Grid();
  return grid ? grid->FixedColor() : clBtnFace;
}

TColor TColumnTitle::Color() const {
  return column_->explicitValues_.Contains(TColumnValue::cvTitleColor) ? color_ : DefaultColor();
}

void TColumnTitle::SetColor(TColor value) {
  column_->Give(color_, value, TColumnValue::cvTitleColor);
}

void TColumnTitle::RefreshDefaultFont() const {
  if (column_->explicitValues_.Contains(TColumnValue::cvTitleFont)) return;
  TCustomDBGrid* grid = column_->Grid();
  CopyDefaultFont(*font_, grid ? *grid->TitleFont() : *column_->Font());
}

TFont* TColumnTitle::Font() const {
  RefreshDefaultFont();
  return font_.get();
}

void TColumnTitle::SetFont(TFont* value) {
  if (value) font_->Assign(*value);
}

void TColumnTitle::FontChanged(TObject*) {
  column_->explicitValues_.Include(TColumnValue::cvTitleFont);
  column_->Changed(true);
}

void TColumnTitle::RestoreDefaults() {
  bool fontGiven = column_->explicitValues_.Contains(TColumnValue::cvTitleFont);
  column_->explicitValues_.Exclude(TColumnValue::cvTitleColor);
  column_->explicitValues_.Exclude(TColumnValue::cvTitleCaption);
  column_->explicitValues_.Exclude(TColumnValue::cvTitleAlignment);
  column_->explicitValues_.Exclude(TColumnValue::cvTitleFont);
  caption_.clear();
  RefreshDefaultFont();
  column_->Changed(fontGiven);
}

// --- TColumn --------------------------------------------------------------------------------

TColumn::TColumn(TCollection* collection)
    : TCollectionItem(nullptr), font_(std::make_unique<TFont>()) {
  auto* columns = dynamic_cast<TDBGridColumns*>(collection);
  TCustomDBGrid* grid = columns ? columns->Grid() : nullptr;
  if (grid) grid->OpenLayoutBatch();
  try {
    if (grid) font_->Assign(*grid->Font());
    font_->OnChange = TNotifyEvent(this, &TColumn::FontChanged);
    title_ = std::make_unique<TColumnTitle>(this);
    SetCollection(collection);
  } catch (...) {
    if (grid) grid->CloseLayoutBatch();
    throw;
  }
  if (grid) grid->CloseLayoutBatch();
}

TColumn::~TColumn() {
  TCustomDBGrid* grid = Grid();
  if (grid && field_) grid->RemoveFreeNotification(field_);
  // The title's font may still notify the column while the column goes away.
  title_.reset();
}

TCustomDBGrid* TColumn::Grid() const {
  TDBGridColumns* columns = Columns();
  return columns ? columns->Grid() : nullptr;
}

TDBGridColumns* TColumn::Columns() const { return dynamic_cast<TDBGridColumns*>(Collection()); }

bool TColumn::PassesToField() const {
  TCustomDBGrid* grid = Grid();
  return grid && grid->DataLink().Active() && field_ != nullptr;
}

TField* TColumn::Field() const {
  TCustomDBGrid* grid = Grid();
  if (field_ || fieldName_.empty() || !grid) return field_;
  TDataSet* dataset = grid->DataLink().DataSet();
  if (dataset && (dataset->Active() || !dataset->DefaultFields())) {
    const_cast<TColumn*>(this)->SetField(dataset->Fields().FindField(fieldName_));
  }
  return field_;
}

void TColumn::SetField(TField* value) {
  if (value == field_) return;
  if (value && value->ComponentState().Contains(TComponentStateFlag::csDestroying)) value = nullptr;
  if (value == field_) return;
  TCustomDBGrid* grid = Grid();
  if (grid && field_) grid->RemoveFreeNotification(field_);
  field_ = value;
  if (grid && field_) grid->FreeNotification(field_);
  if (field_) fieldName_ = field_->FieldName();
  if (!isPersistent_) {
    if (!field_) fieldName_.clear();
    RestoreDefaults();
  }
  Changed(false);
}

void TColumn::SetFieldName(const AnsiString& value) {
  TCustomDBGrid* grid = Grid();
  TField* field = nullptr;
  if (grid && !grid->ComponentState().Contains(TComponentStateFlag::csLoading) && !value.empty()) {
    TDataSet* dataset = grid->DataLink().DataSet();
    if (dataset) field = dataset->Fields().FindField(value);
  }
  fieldName_ = value;
  if (field_ != field) {
    // A persistent column keeps the name it was given even when no such field exists.
    AnsiString name = value;
    SetField(field);
    fieldName_ = field ? field->FieldName() : name;
  }
  Changed(false);
}

TAlignment TColumn::DefaultAlignment() const {
  TField* field = Field();
  return field ? field->Alignment() : TAlignment::taLeftJustify;
}

TAlignment TColumn::Alignment() const {
  return explicitValues_.Contains(TColumnValue::cvAlignment) ? alignment_ : DefaultAlignment();
}

void TColumn::SetAlignment(TAlignment value) {
  if (!isPersistent_ && PassesToField()) {
    field_->SetAlignment(value);
    Changed(false);
    return;
  }
  Give(alignment_, value, TColumnValue::cvAlignment);
}

void TColumn::SetButtonStyle(TColumnButtonStyle value) {
  if (value == buttonStyle_) return;
  buttonStyle_ = value;
  Changed(false);
}

TColor TColumn::DefaultColor() const {
  TCustomDBGrid* grid = Grid();
  return grid ? grid->Color() : clWindow;
}

TColor TColumn::Color() const {
  return explicitValues_.Contains(TColumnValue::cvColor) ? color_ : DefaultColor();
}

void TColumn::SetColor(TColor value) {
  Give(color_, value, TColumnValue::cvColor);
}

void TColumn::SetExpanded(bool value) {
  if (value == expanded_) return;
  expanded_ = value;
  if (Expandable()) Changed(true);
}

void TColumn::RefreshDefaultFont() const {
  if (explicitValues_.Contains(TColumnValue::cvFont)) return;
  TCustomDBGrid* grid = Grid();
  if (grid) CopyDefaultFont(*font_, *grid->Font());
}

TFont* TColumn::Font() const {
  RefreshDefaultFont();
  return font_.get();
}

void TColumn::SetFont(TFont* value) {
  if (value) font_->Assign(*value);
}

void TColumn::FontChanged(TObject*) {
  explicitValues_.Include(TColumnValue::cvFont);
  if (title_) title_->RefreshDefaultFont();
  Changed(false);
}

TImeMode TColumn::ImeMode() const {
  if (explicitValues_.Contains(TColumnValue::cvImeMode)) return imeMode_;
  TCustomDBGrid* grid = Grid();
  return grid ? grid->ImeMode() : TImeMode::imDontCare;
}

void TColumn::SetImeMode(TImeMode value) {
  imeMode_ = value;
  explicitValues_.Include(TColumnValue::cvImeMode);
  Changed(false);
}

AnsiString TColumn::ImeName() const {
  if (explicitValues_.Contains(TColumnValue::cvImeName)) return imeName_;
  TCustomDBGrid* grid = Grid();
  return grid ? grid->ImeName() : AnsiString();
}

void TColumn::SetImeName(const AnsiString& value) {
  imeName_ = value;
  explicitValues_.Include(TColumnValue::cvImeName);
  Changed(false);
}

TStrings* TColumn::PickList() const {
  if (!pickList_) const_cast<TColumn*>(this)->pickList_ = std::make_unique<TStringList>();
  return pickList_.get();
}

void TColumn::SetPickList(TStrings* value) {
  if (!value) {
    pickList_.reset();
    return;
  }
  PickList()->Assign(*value);
}

bool TColumn::DefaultReadOnly() const {
  TCustomDBGrid* grid = Grid();
  TField* field = Field();
  return (grid && grid->ReadOnly()) || (field && field->ReadOnly());
}

bool TColumn::ReadOnly() const {
  return explicitValues_.Contains(TColumnValue::cvReadOnly) ? readOnly_ : DefaultReadOnly();
}

void TColumn::SetReadOnly(bool value) {
  if (!isPersistent_ && PassesToField()) {
    field_->SetReadOnly(value);
    Changed(false);
    return;
  }
  Give(readOnly_, value, TColumnValue::cvReadOnly);
}

void TColumn::SetTitle(TColumnTitle* value) {
  if (!value) return;
  title_->SetCaption(value->Caption());
  title_->SetAlignment(value->Alignment());
  title_->SetColor(value->Color());
  title_->SetFont(value->Font());
}

int TColumn::MeasureText(const TFont& font, const AnsiString& text, int* averageWidth,
                         int* overhang) const {
  return Grid()->MeasureText(font, text, averageWidth, overhang).cx;
}

int TColumn::DefaultWidth() const {
  TCustomDBGrid* grid = Grid();
  if (!grid) return 64;
  TField* field = Field();
  if (!field) return grid->StandardColWidth();
  int overhang = 0;
  int zero = MeasureText(*Font(), "0", nullptr, &overhang);
  int width = (zero - overhang) * field->DisplayWidth() + overhang + 4;
  if (grid->Options().Contains(TDBGridOption::dgTitles)) {
    width = std::max(width, MeasureText(*title_->Font(), title_->Caption(), nullptr, nullptr) + 4);
  }
  return width;
}

bool TColumn::Showing() const { return visible_ && !(Expandable() && expanded_); }

bool TColumn::Expandable() const {
  TField* field = Field();
  return field && (field->DataType() == TFieldType::ftADT || field->DataType() == TFieldType::ftArray);
}

int TColumn::Width() const {
  if (!Showing()) return -1;
  return explicitValues_.Contains(TColumnValue::cvWidth) ? width_ : DefaultWidth();
}

void TColumn::SetWidth(int value) {
  TCustomDBGrid* grid = Grid();
  bool given = explicitValues_.Contains(TColumnValue::cvWidth);
  bool considered = true;
  if (!isPersistent_ && grid) {
    if (field_ && grid->HandleAllocated() && value >= 0) {
      int average = 1;
      int overhang = 0;
      MeasureText(*Font(), "0", &average, &overhang);
      average = std::max(average, 1);
      field_->SetDisplayWidth((value + average / 2 - overhang - 3) / average);
    }
    considered = !grid->LayoutFromDataSet() || given;
  }
  if (considered && value != -1 && (given || value != DefaultWidth())) {
    width_ = value;
    explicitValues_.Include(TColumnValue::cvWidth);
  }
  Changed(false);
}

void TColumn::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed(true);
}

void TColumn::RestoreDefaults() {
  bool fontGiven = explicitValues_.Contains(TColumnValue::cvFont);
  if (title_) title_->RestoreDefaults();
  explicitValues_ = {};
  RefreshDefaultFont();
  pickList_.reset();
  buttonStyle_ = TColumnButtonStyle::cbsAuto;
  Changed(fontGiven);
}

// --- TDBGridColumns -------------------------------------------------------------------------

TDBGridColumns::TDBGridColumns(TCustomDBGrid* grid)
    : TCollection(grid, ClassOf<TColumn>()), grid_(grid) {}

TColumn* TDBGridColumns::Items(int index) const {
  return static_cast<TColumn*>(TCollection::Items(index));
}

TColumn* TDBGridColumns::Add() { return static_cast<TColumn*>(TCollection::Add()); }

TColumn* TDBGridColumns::AddInternal() {
  BeginUpdate();
  TColumn* column = nullptr;
  try {
    column = Add();
    column->SetIsPersistent(false);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return column;
}

TDBGridColumnsState TDBGridColumns::State() const {
  return Count() > 0 && Items(0)->IsPersistent() ? TDBGridColumnsState::csCustomized
                                                 : TDBGridColumnsState::csDefault;
}

void TDBGridColumns::SetState(TDBGridColumnsState value) {
  if (value == State()) return;
  if (value == TDBGridColumnsState::csDefault) {
    Clear();
  } else {
    RebuildColumns();
  }
}

void TDBGridColumns::RebuildColumns() {
  TDataSet* dataset = grid_ ? grid_->DataLink().DataSet() : nullptr;
  grid_->OpenLayoutBatch();
  BeginUpdate();
  try {
    Clear();
    if (dataset) {
      for (TField* field : dataset->Fields()) Add()->SetFieldName(field->FieldName());
    }
  } catch (...) {
    EndUpdate();
    grid_->CloseLayoutBatch();
    throw;
  }
  EndUpdate();
  grid_->CloseLayoutBatch();
}

void TDBGridColumns::CollectionUpdate(TCollectionItem* item) {
  if (!grid_ || grid_->ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  if (!item) {
    grid_->RequestLayout();
    return;
  }
  auto* column = static_cast<TColumn*>(item);
  int gridColumn = column->Index() + grid_->IndicatorCols();
  if (gridColumn < grid_->ColumnTotal()) {
    grid_->InvalidateColumn(gridColumn);
    grid_->AssignColumnWidth(gridColumn, column->Width());
  }
}

namespace {

[[maybe_unused]] const auto kTColumnTitle =
    RegisterClass<TColumnTitle, TPersistent>("TColumnTitle")
        .Property("Caption", &TColumnTitle::Caption, &TColumnTitle::SetCaption)
        .Enum("Alignment", &TColumnTitle::Alignment, &TColumnTitle::SetAlignment,
              {"taLeftJustify", "taRightJustify", "taCenter"})
        .Property("Color", &TColumnTitle::Color, &TColumnTitle::SetColor, ColorIdents)
        .Property("Font", &TColumnTitle::Font, &TColumnTitle::SetFont);

[[maybe_unused]] const auto kTColumn =
    RegisterClass<TColumn, TCollectionItem>("TColumn")
        .Enum("Alignment", &TColumn::Alignment, &TColumn::SetAlignment,
              {"taLeftJustify", "taRightJustify", "taCenter"})
        .Enum("ButtonStyle", &TColumn::ButtonStyle, &TColumn::SetButtonStyle,
              kColumnButtonStyleNames)
        .Property("Color", &TColumn::Color, &TColumn::SetColor, ColorIdents)
        .Property("DropDownRows", &TColumn::DropDownRows, &TColumn::SetDropDownRows)
        .Property("Expanded", &TColumn::Expanded, &TColumn::SetExpanded)
        .Property("FieldName", &TColumn::FieldName, &TColumn::SetFieldName)
        .Property("Font", &TColumn::Font, &TColumn::SetFont)
        .Enum("ImeMode", &TColumn::ImeMode, &TColumn::SetImeMode, kImeModeNames)
        .Property("ImeName", &TColumn::ImeName, &TColumn::SetImeName)
        .Property("PickList", &TColumn::PickList, &TColumn::SetPickList)
        .Property("ReadOnly", &TColumn::ReadOnly, &TColumn::SetReadOnly)
        .Property("Title", &TColumn::Title, &TColumn::SetTitle)
        .Property("Width", &TColumn::Width, &TColumn::SetWidth)
        .Property("Visible", &TColumn::Visible, &TColumn::SetVisible);

[[maybe_unused]] const auto kTDBGridColumns =
    RegisterClass<TDBGridColumns, TCollection>("TDBGridColumns");

}  // namespace
