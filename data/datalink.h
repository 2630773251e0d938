// TDataLink: how a control or a detail dataset follows a dataset through a data source, with
// its own view (FirstRecord, BufferCount) of the dataset's window; TDetailDataLink for links
// that drive a detail dataset.
#pragma once

#include <cstdint>

#include "core/persistent.h"
#include "data/db_types.h"

class TDataSet;
class TDataSource;
class TField;

// A link shows BufferCount records of the window starting at FirstRecord; the dataset sizes
// its window to the largest BufferCount of its links. A link is Active exactly while it has a
// source whose State is not Inactive.
class TDataLink : public TPersistent {
 public:
  TDataLink() = default;
  // Detaches from the source without notifying the subclass.
  ~TDataLink() override;

  TDataSource* Source() const { return source_; }
  // Moves the link to another source; with SourceFixed a change raises "DataSource cannot be
  // changed" with the current source's name.
  void AttachToSource(TDataSource* source);
  // The source's dataset, or null.
  TDataSet* DataSet() const;
  TDataLink* NextLink() const { return nextLink_; }
  bool Active() const { return active_; }
  bool Editing() const { return editing_; }
  std::int32_t FirstRecord() const { return firstRecord_; }
  std::int32_t BufferCount() const { return bufferCount_; }
  // Visual links are notified after the non-visual ones.
  bool VisualControl() const { return visualControl_; }
  void SetVisualControl(bool value) { visualControl_ = value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool SourceFixed() const { return sourceFixed_; }
  void SetSourceFixed(bool value) { sourceFixed_ = value; }

  // Recomputes Active and Editing from the source.
  void RefreshLinkState();
  // Asks the source to start editing; returns Editing.
  bool RequestLinkEdit();
  // Lets the subclass write its pending value (LinkUpdateData), marked as StoringValues.
  void StoreControlValues();
  // Moves FirstRecord so that the active record is inside the link's view.
  void ClampRange();

  virtual void LinkActiveChanged() {}
  virtual void LinkCheckBrowseMode() {}
  // The base dispatch of a notice from the source.
  virtual void LinkDataEvent(DataNotice event, DataNoticeInfo info);
  virtual void LinkDataSetChanged() { LinkRecordChanged(nullptr); }
  virtual void LinkDataSetScrolled(std::int32_t distance) { LinkDataSetChanged(); }
  virtual void LinkEditingChanged() {}
  // The field a control should take focus for; the control may clear the reference.
  virtual void LinkFocusControl(TField** field) {}
  // The active record's position in the link's view.
  virtual std::int32_t LinkActiveRecord() const;
  virtual bool LinkAtBOF() const;
  virtual std::int32_t LinkBufferCount() const { return bufferCount_; }
  virtual bool LinkAtEOF() const;
  // How many records the view holds now.
  virtual std::int32_t LinkRecordCount() const;
  virtual void LinkLayoutChanged() { LinkDataSetChanged(); }
  virtual std::int32_t LinkMoveBy(std::int32_t distance);
  // field is null for the whole record.
  virtual void LinkRecordChanged(TField* field) {}
  virtual void SetLinkActiveRecord(std::int32_t index);
  virtual void SetLinkBufferCount(std::int32_t count);
  virtual void LinkUpdateData() {}

 protected:
  bool StoringValues() const { return storingValues_; }
  void SetLinkActive(bool value);
  void SetLinkEditing(bool value);

 private:
  friend class TDataSource;
  friend class TDataSet;
  bool InKeyEntry() const;

  TDataSource* source_ = nullptr;
  TDataLink* nextLink_ = nullptr;
  std::int32_t bufferCount_ = 1;
  std::int32_t firstRecord_ = 0;
  bool readOnly_ = false;
  bool active_ = false;
  bool visualControl_ = false;
  bool editing_ = false;
  bool storingValues_ = false;
  bool sourceFixed_ = false;
};

// A link that drives a detail dataset (a query following its master table).
class TDetailDataLink : public TDataLink {
 public:
  virtual TDataSet* DetailDataSet() const { return nullptr; }
};
