// The data-aware label: its caption follows the bound field of the current record.
#include "dbcontrols/db_text.h"

#include "core/classes.h"
#include "data/database_error.h"
#include "data/datasource.h"
#include "data/field.h"

TDBText::TDBText(TComponent* owner) : TLabel(owner), link_(std::make_unique<TFieldDataLink>()) {
  TLabel::SetAutoSize(false);
  SetShowAccelChar(false);
  controlStyle_.Include(TControlStyleFlag::csReplicatable);
  link_->SetOwnerControl(this);
  link_->DataChangeHandler = [this] { ShowFieldText(); };
}

TDBText::~TDBText() {
  link_->DataChangeHandler = nullptr;
  link_->AttachToSource(nullptr);
}

TDataSource* TDBText::DataSource() const { return link_->Source(); }

void TDBText::SetDataSource(TDataSource* value) {
  if (link_->SourceFixed() && IsLoading()) return;
  link_->ChangeSource(value);
}

void TDBText::ComponentNotice(TComponent* component, TOperation operation) {
  TLabel::ComponentNotice(component, operation);
  if (operation == TOperation::opRemove && component == link_->Source()) SetDataSource(nullptr);
}

void TDBText::SetAutoSize(bool value) {
  if (value && link_->SourceFixed()) DatabaseError("Operation not allowed in a DBCtrlGrid", this);
  TLabel::SetAutoSize(value);
}

bool TDBText::UseRightToLeftAlignment() const {
  return DataAwareRightToLeftAlignment(this, link_->BoundField());
}

void TDBText::ShowFieldText() {
  TField* field = link_->BoundField();
  if (field) {
    SetCaption(field->TextForDisplay());
  } else {
    SetCaption(ComponentState().Contains(TComponentStateFlag::csDesigning) ? Name() : AnsiString());
  }
}

namespace {

[[maybe_unused]] const auto kTDBText =
    RegisterClass<TDBText, TLabel>("TDBText")
        .Property("DataField", &TDBText::DataField, &TDBText::SetDataField)
        .Property("DataSource", &TDBText::DataSource, &TDBText::SetDataSource)
        .Property("AutoSize", &TDBText::AutoSize, &TDBText::SetAutoSize);

}  // namespace
