// TDBMemo: a memo that shows, and can write back, one field of its dataset's current record.
#pragma once

#include <memory>

#include "controls/memo.h"
#include "dbcontrols/field_datalink.h"

class TDataSource;

// With AutoDisplay (the default) the whole text of a blob field is loaded on every record
// change; without it the memo shows "(label)" until a double click or Enter loads it. The memo
// is writable only while its dataset edits, the field can be written and the text is loaded
// (TextLoaded); typing, Delete, Shift+Insert, cut and paste start the edit, leaving the memo
// stores the text, Escape shows the field's value again. Right-to-left alignment follows the
// data-aware rule of the bound field.
class TDBMemo : public TCustomMemo {
 public:
  explicit TDBMemo(TComponent* owner);
  ~TDBMemo() override;

  const AnsiString& DataField() const { return link_->BoundFieldName(); }
  void SetDataField(const AnsiString& value) { link_->SetBoundFieldName(value); }
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* value);
  bool ReadOnly() const { return link_->ReadOnly(); }
  void SetReadOnly(bool value) { link_->SetReadOnly(value); }
  bool AutoDisplay() const { return autoDisplay_; }
  void SetAutoDisplay(bool value);
  TField* Field() const { return link_->BoundField(); }
  TFieldDataLink& DataLink() const { return *link_; }
  bool TextLoaded() const { return textLoaded_; }

  // Loads the blob field's whole text when it is not loaded yet.
  virtual void LoadFullText();

  bool UseRightToLeftAlignment() const override;
  void WndProc(TMessage& message) override;
  void ComponentNotice(TComponent* component, TOperation operation) override;

 protected:
  void CreateWnd() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void Change() override;
  void DoEnter() override;
  void DoExit() override;

 private:
  void ShowFieldValue();
  void SyncReadOnly();
  void StoreText();
  void SetHasFocus(bool value);
  bool IsBlobField() const;

  std::unique_ptr<TFieldDataLink> link_;
  bool autoDisplay_ = true;
  bool hasFocus_ = false;
  bool textLoaded_ = false;
};
