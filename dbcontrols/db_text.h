// TDBText: a label that shows the display text of one field of its dataset's current record.
#pragma once

#include <memory>

#include "controls/label.h"
#include "dbcontrols/field_datalink.h"

class TDataSource;

// Defaults differ from the plain label's: no AutoSize, and "&" shown as it is.
class TDBText : public TLabel {
 public:
  explicit TDBText(TComponent* owner);
  ~TDBText() override;

  const AnsiString& DataField() const { return link_->BoundFieldName(); }
  void SetDataField(const AnsiString& value) { link_->SetBoundFieldName(value); }
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* value);
  TField* Field() const { return link_->BoundField(); }
  TFieldDataLink& DataLink() const { return *link_; }
  // "Operation not allowed in a DBCtrlGrid" while the link's source is fixed.
  void SetAutoSize(bool value);

  bool UseRightToLeftAlignment() const override;
  void ComponentNotice(TComponent* component, TOperation operation) override;

 private:
  void ShowFieldText();

  std::unique_ptr<TFieldDataLink> link_;
};
