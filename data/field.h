// The field object: one column of a dataset's current record, as controls and code read it.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/alignment.h"
#include "core/component.h"
#include "core/event.h"
#include "core/sets.h"
#include "data/db_types.h"
#include "data/field_data.h"

class TDataSet;
class TFields;
class TFieldDef;

enum class TProviderFlag : std::uint8_t { pfInUpdate, pfInWhere, pfInKey, pfHidden };
using TProviderFlags = SetOf<TProviderFlag>;

class TField;
using TFieldNotifyEvent = TEvent<void(TField* Sender)>;
using TFieldGetTextEvent = TEvent<void(TField* Sender, AnsiString& Text, bool DisplayText)>;
using TFieldSetTextEvent = TEvent<void(TField* Sender, const AnsiString& Text)>;

// A field belongs to at most one dataset (its DataSet) and is then listed in that dataset's
// Fields; it is owned like any component by its Owner (for default fields, the dataset). Values
// are read only through DataSet()->ReadFieldData and DataSet()->OpenBlobStream, for the
// dataset's current record.
class TField : public TComponent {
 public:
  explicit TField(TComponent* owner);
  ~TField() override;

  TDataSet* DataSet() const { return dataset_; }
  // Moves the field to another dataset's Fields (or to none). Both datasets must be closed;
  // the name must be non-empty and not yet used in the new dataset.
  void SetDataSet(TDataSet* dataset);
  TFields* Fields() const { return fields_; }

  const AnsiString& FieldName() const { return fieldName_; }
  // Only while the dataset is closed. Within a dataset a new name (differing otherwise than in
  // case) must be non-empty ("Field name missing") and unused ("Duplicate field name '%s'"). A
  // DisplayLabel equal to the new name is cleared.
  void SetFieldName(const AnsiString& name);
  // 1-based column while bound, 0 unbound, -1 for calculated and aggregate fields.
  std::int32_t FieldNo() const { return fieldNo_; }
  TFieldType DataType() const { return dataType_; }
  std::int32_t Size() const { return size_; }
  // Raises "Invalid field size" when the class does not take this size.
  void SetSize(std::int32_t size);
  TFieldKind FieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind kind);
  bool Calculated() const { return fieldKind_ == TFieldKind::fkCalculated; }
  bool Lookup() const { return fieldKind_ == TFieldKind::fkLookup; }
  virtual bool IsBlob() const { return false; }

  // Value access, for the dataset's current record. A field without a dataset raises "Field
  // '%s' has no dataset".
  bool IsNullValue() const;
  // The value as text by the class's rule; the base class gives its class description.
  virtual AnsiString StringValue() const;
  virtual std::int32_t IntegerValue() const;
  virtual double FloatValue() const;
  virtual bool BooleanValue() const;
  // The text an editor shows, and the text a display shows: OnGetText when assigned, else the
  // class's text rule.
  AnsiString TextForEditing() const;
  AnsiString TextForDisplay() const;
  // "(Name)" made from the class name without its leading T and trailing "Field"; upper-cased
  // when the field holds a value.
  AnsiString ClassDescription() const;

  const AnsiString& DisplayLabel() const { return displayLabel_; }
  void SetDisplayLabel(const AnsiString& label) { displayLabel_ = label; }
  // DisplayLabel if set, else FieldName.
  const AnsiString& ShownName() const;
  // The stored width when it is at least 1, else the class's default width.
  std::int32_t DisplayWidth() const;
  std::int32_t StoredDisplayWidth() const { return displayWidth_; }
  void SetDisplayWidth(std::int32_t width) { displayWidth_ = width; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool Required() const { return required_; }
  void SetRequired(bool required) { required_ = required; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
  TProviderFlags ProviderFlags() const { return providerFlags_; }
  void SetProviderFlags(TProviderFlags flags) { providerFlags_ = flags; }
  const AnsiString& EditMask() const { return editMask_; }
  void SetEditMask(const AnsiString& mask) { editMask_ = mask; }

  // Runs OnChange; the dataset calls it when the field's value was changed.
  void FireChange();

  TFieldNotifyEvent OnChange;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  TFieldNotifyEvent OnValidate;

 protected:
  // The class's own text, for display or for editing.
  virtual AnsiString ClassText(bool displayText) const;
  virtual std::int32_t DefaultWidth() const { return 10; }
  // Raises "Invalid field size" for a size this class cannot have; the base takes only 0.
  virtual void CheckTypeSize(std::int32_t size) const;

  // The dataset, or "Field '%s' has no dataset" when there is none.
  TDataSet& RequireDataSet() const;
  // Reads the current value; false for null.
  bool ReadData(TFieldData* destination) const;
  // Raises "Cannot access field '%s' as type %s".
  [[noreturn]] void AccessError(const char* typeName) const;
  void SetDataType(TFieldType type) { dataType_ = type; }

 private:
  friend class TDataSet;
  friend class TFields;
  friend class TFieldDef;

  void SetFieldNo(std::int32_t fieldNo) { fieldNo_ = fieldNo; }
  AnsiString TextFor(bool displayText) const;

  TDataSet* dataset_ = nullptr;
  TFields* fields_ = nullptr;
  AnsiString fieldName_;
  TFieldKind fieldKind_ = TFieldKind::fkData;
  TFieldType dataType_ = TFieldType::ftUnknown;
  std::int32_t size_ = 0;
  std::int32_t fieldNo_ = 0;
  AnsiString displayLabel_;
  std::int32_t displayWidth_ = 0;
  bool visible_ = true;
  bool readOnly_ = false;
  bool required_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TProviderFlags providerFlags_ = {TProviderFlag::pfInUpdate, TProviderFlag::pfInWhere};
  AnsiString editMask_;
};
