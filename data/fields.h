// The ordered list of a dataset's field objects.
#pragma once

#include <string_view>
#include <vector>

class TComponent;
class TDataSet;
class TField;

// Holds the fields of one dataset in creation order and owns none of them: fields are components
// owned by their Owner. A field leaving the list (freed, or moved to another dataset) removes
// itself; the list going away first detaches the fields still in it.
class TFields {
 public:
  explicit TFields(TDataSet* dataset);
  ~TFields();
  TFields(const TFields&) = delete;
  TFields& operator=(const TFields&) = delete;

  TDataSet* DataSet() const { return dataset_; }
  int Count() const { return static_cast<int>(fields_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  TField* Fields(int index) const;
  TField* operator[](int index) const { return Fields(index); }
  int IndexOf(const TField* field) const;
  // The first field named name without regard to case (locale-aware), or null.
  TField* FindField(std::string_view name) const;
  // "Field name missing" for an empty name, "Duplicate field name '%s'" for a used one, both with
  // the dataset's name in front.
  void CheckFieldName(std::string_view name) const;

  // Appends or removes a field; the field's DataSet follows. While the dataset is open it is
  // sent NoticeFieldList.
  void Add(TField* field);
  void Remove(TField* field);
  // Frees the listed fields that owner owns (the default fields, at close), last first.
  void FreeFieldsOwnedBy(const TComponent* owner);

  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }

 private:
  void Changed();

  TDataSet* dataset_;
  std::vector<TField*> fields_;
};
