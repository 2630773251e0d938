// The data grid's columns: TDBGridColumns holds TColumn items, each with a TColumnTitle.
#pragma once

#include <cstdint>
#include <memory>

#include "core/alignment.h"
#include "core/collection.h"
#include "core/sets.h"
#include "graphics/colors.h"
#include "graphics/font.h"

class TCustomDBGrid;
class TDBGridColumns;
class TColumn;
class TField;
class TStrings;

enum class TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };
inline constexpr const char* kColumnButtonStyleNames[] = {"cbsAuto", "cbsEllipsis", "cbsNone"};

enum class TImeMode {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel,
};
inline constexpr const char* kImeModeNames[] = {
    "imDisable", "imClose", "imOpen",  "imDontCare", "imSAlpha",   "imAlpha",
    "imHira",    "imSKata", "imKata",  "imChinese",  "imSHanguel", "imHanguel"};

// Which of a column's values were given (stored or set by code); the others follow defaults.
enum class TColumnValue {
  cvColor,
  cvWidth,
  cvFont,
  cvAlignment,
  cvReadOnly,
  cvTitleColor,
  cvTitleCaption,
  cvTitleAlignment,
  cvTitleFont,
  cvImeMode,
  cvImeName,
};
using TColumnValues = SetOf<TColumnValue>;

// A column's title. Caption, Alignment, Color and Font follow the column's defaults until they
// are given; a change of the owned font marks it given.
class TColumnTitle : public TPersistent {
 public:
  explicit TColumnTitle(TColumn* column);
  ~TColumnTitle() override;

  TColumn* Column() const { return column_; }
  AnsiString Caption() const;
  void SetCaption(const AnsiString& value);
  TAlignment Alignment() const;
  void SetAlignment(TAlignment value);
  TColor Color() const;
  void SetColor(TColor value);
  // The title's font object, refreshed from the default when the font was not given.
  TFont* Font() const;
  void SetFont(TFont* value);

  AnsiString DefaultCaption() const;
  TColor DefaultColor() const;
  // Forgets every given value; the caption is cleared.
  void RestoreDefaults();

 private:
  friend class TColumn;
  void FontChanged(TObject* sender);
  void RefreshDefaultFont() const;

  TColumn* column_;
  AnsiString caption_;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TColor color_ = clBtnFace;
  std::unique_ptr<TFont> font_;
};

// One column of a data grid: a field by name, its look and its title. Persistent columns (made
// by the stream or by code) keep what they are given; non-persistent ones (made by the grid from
// the dataset's fields) pass most settings on to their field.
class TColumn : public TCollectionItem {
 public:
  explicit TColumn(TCollection* collection);
  ~TColumn() override;

  TAlignment Alignment() const;
  void SetAlignment(TAlignment value);
  TColumnButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TColumnButtonStyle value);
  TColor Color() const;
  void SetColor(TColor value);
  int DropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int value) { dropDownRows_ = value; }
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool value);
  const AnsiString& FieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& value);
  // The column's font object, refreshed from the grid's font when the font was not given.
  TFont* Font() const;
  void SetFont(TFont* value);
  TImeMode ImeMode() const;
  void SetImeMode(TImeMode value);
  AnsiString ImeName() const;
  void SetImeName(const AnsiString& value);
  TStrings* PickList() const;
  void SetPickList(TStrings* value);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  TColumnTitle* Title() const { return title_.get(); }
  void SetTitle(TColumnTitle* value);
  // The given width, or the default; -1 while the column is not showing.
  int Width() const;
  void SetWidth(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // The bound field; with none bound it is looked up by FieldName when the grid's dataset is
  // open or has persistent fields.
  TField* Field() const;
  // Binds a field (or none); a field being destroyed is never bound.
  void SetField(TField* value);
  // The field bound now, without looking it up.
  TField* BoundField() const { return field_; }
  TCustomDBGrid* Grid() const;
  TDBGridColumns* Columns() const;
  // Nested object columns have a parent; the program's flat columns have none (depth 0).
  TColumn* ParentColumn() const { return nullptr; }
  int Depth() const { return 0; }
  bool Showing() const;
  bool Expandable() const;
  bool IsPersistent() const { return isPersistent_; }
  void SetIsPersistent(bool value) { isPersistent_ = value; }
  TColumnValues ExplicitValues() const { return explicitValues_; }

  TAlignment DefaultAlignment() const;
  TColor DefaultColor() const;
  bool DefaultReadOnly() const;
  int DefaultWidth() const;
  // Forgets every given value, the title's too.
  void RestoreDefaults();
  // Reports a change of the whole collection (a layout request on the grid).
  void NotifyCollection() { Changed(true); }

 private:
  friend class TColumnTitle;
  // Stores a given value and marks it given; a value equal to the one given changes nothing.
  template <class V>
  void Give(V& member, const V& value, TColumnValue flag) {
    if (explicitValues_.Contains(flag) && value == member) return;
    member = value;
    explicitValues_.Include(flag);
    Changed(false);
  }
  bool PassesToField() const;
  void FontChanged(TObject* sender);
  void RefreshDefaultFont() const;
  // Width of a text in a font on the grid's canvas (or the screen's).
  int MeasureText(const TFont& font, const AnsiString& text, int* averageWidth, int* overhang) const;

  TField* field_ = nullptr;
  AnsiString fieldName_;
  TColumnValues explicitValues_;
  bool isPersistent_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TColumnButtonStyle buttonStyle_ = TColumnButtonStyle::cbsAuto;
  TColor color_ = clWindow;
  int dropDownRows_ = 7;
  bool expanded_ = true;
  std::unique_ptr<TFont> font_;
  TImeMode imeMode_ = TImeMode::imDontCare;
  AnsiString imeName_;
  std::unique_ptr<TStrings> pickList_;
  bool readOnly_ = false;
  std::unique_ptr<TColumnTitle> title_;
  int width_ = 0;
  bool visible_ = true;
  bool settingDefaultFont_ = false;
};

enum class TDBGridColumnsState { csDefault, csCustomized };

// The grid's columns. Customized when the first column is persistent; the public Add makes a
// persistent column, AddInternal a non-persistent one. A change of one column repaints its
// grid column and sets its width; a change of the whole collection requests a layout.
class TDBGridColumns : public TCollection {
 public:
  explicit TDBGridColumns(TCustomDBGrid* grid);

  TCustomDBGrid* Grid() const { return grid_; }
  TColumn* Items(int index) const;
  TColumn* Add();
  TColumn* AddInternal();
  TDBGridColumnsState State() const;
  // Customized: one persistent column per field of the dataset; default: no columns.
  void SetState(TDBGridColumnsState value);
  void RebuildColumns();

 protected:
  void CollectionUpdate(TCollectionItem* item) override;

 private:
  TCustomDBGrid* grid_;
};
