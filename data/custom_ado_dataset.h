// The ADO dataset base: a TDataSet whose provider is an ADO recordset, opened through a command
// the dataset owns, over a shared TADOConnection.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "data/ado_command.h"
#include "data/ado_connection.h"
#include "data/ado_types.h"
#include "data/dataset.h"
#include "data/field_data.h"
#include "provider/recordset.h"

class TADORecordBuffer;
class TDataSource;
class TField;
class TMasterDataLink;
class TParameters;

// Owns its command (a component owned by the dataset, which its errors name), its master link
// and, while open, its recordset. At close the recordset is released, not closed.
//
// Field values are read lazily: each record buffer caches the values read for it (an empty
// variant is "not read yet"), and a read first moves the recordset onto the buffer's record if
// it may be elsewhere.
class TCustomADODataSet : public TDataSet, public IADORecordsetOwner {
 public:
  explicit TCustomADODataSet(TComponent* owner);
  ~TCustomADODataSet() override;

  // Setting it moves the dataset (and its command) from the old connection's clients to the
  // new one's; an open recordset is pointed at the new connection object (or at none). Outside
  // loading the change is broadcast as NoticeProperty.
  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* value) { AssignConnection(value); }
  // A connection string of the dataset's own; setting one drops Connection.
  WideString ConnectionString() const;
  void SetConnectionString(const WideString& value);

  // The cursor settings are passed to the recordset at open; changing them requires the
  // dataset closed ("Cannot perform this operation on an open dataset").
  std::int32_t CacheSize() const { return cacheSize_; }
  void SetCacheSize(std::int32_t value);
  TCursorLocation CursorLocation() const { return cursorLocation_; }
  void SetCursorLocation(TCursorLocation value);
  TCursorType CursorType() const { return cursorType_; }
  void SetCursorType(TCursorType value);
  TExecuteOptions ExecuteOptions() const { return executeOptions_; }
  void SetExecuteOptions(TExecuteOptions value);
  TADOLockType LockType() const { return lockType_; }
  void SetLockType(TADOLockType value);
  TMarshalOption MarshalOptions() const { return marshalOptions_; }
  void SetMarshalOptions(TMarshalOption value);
  std::int32_t MaxRecords() const { return maxRecords_; }
  void SetMaxRecords(std::int32_t value);
  // The recordset filter text, applied at open (and at once while open) when Filtered.
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& value);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool value);
  // Decimal and numeric columns become BCD fields when set, float fields otherwise.
  bool EnableBCD() const { return enableBCD_; }
  void SetEnableBCD(bool value);

  // Changing the command type of a closed dataset broadcasts NoticeProperty.
  TCommandType CommandType() const { return command_->CommandType(); }
  void SetCommandType(TCommandType value);
  const WideString& CommandText() const { return command_->CommandText(); }
  void SetCommandText(const WideString& value) { SetCommandTextOf(value); }
  TParameters* Parameters() const { return command_->ParametersObject(); }
  // The stream reads a stored Parameters collection into the command's; assigning copies.
  void SetParameters(TParameters* value) { command_->AssignParameters(value); }
  bool ParamCheck() const { return command_->ParamCheck(); }
  void SetParamCheck(bool value) { command_->SetParamCheck(value); }
  std::int32_t CommandTimeout() const { return command_->CommandTimeout(); }
  void SetCommandTimeout(std::int32_t value) { command_->SetCommandTimeout(value); }
  bool Prepared() const { return command_->Prepared(); }
  void SetPrepared(bool value) { command_->SetPrepared(value); }

  TADOCommand& Command() const { return *command_; }
  // Null while closed.
  const std::shared_ptr<provider::Recordset>& Recordset() const { return recordset_; }
  // 16 when the recordset supports bookmarks, else 0.
  std::int32_t BookmarkSize() const { return bookmarkSize_; }
  TMasterDataLink& MasterLink() const { return *masterLink_; }
  // The filter last applied for the master link (empty without master fields).
  const AnsiString& DetailFilter() const { return detailFilter_; }

  // The recordset's own count of its rows (also while a master keeps the window empty).
  std::int32_t TotalRecordCount() override;
  // -1 for an empty window or a record being inserted; a record number not read while
  // controls were suspended is read now.
  std::int32_t CurrentRecordNumber() override;
  bool ReadFieldData(TField* field, TFieldData* destination) override;
  std::unique_ptr<TStream> OpenBlobStream(TField* field, TBlobStreamMode mode) override;
  // Whether the recordset takes updates (never while closed).
  bool CanModifyData() override;
  TDataSource* LinkedDataSource() override;
  void BroadcastDataEvent(DataNotice event, DataNoticeInfo info) override;
  // Opens a dataset stored as Active; a failure is reported through the application's
  // exception handler and loading goes on with the dataset closed.
  void AfterLoading() override;
  void ComponentNotice(TComponent* component, TOperation operation) override;

  // The value of `field` in the buffer the current state reads, read from the recordset if it
  // is not cached yet; Null when there is no such buffer. The blob stream reads through it.
  provider::Variant ReadFieldValue(TField* field);
  // Puts a new value of `field` into the active buffer (edit or insert mode only: "Dataset not
  // in edit or insert mode"), remembers the field for the post and broadcasts NoticeFieldValue.
  // While calculated fields are computed (OnCalcFields), a calculated or lookup field's value
  // goes into the buffer being computed instead, and nothing is remembered or broadcast.
  void StoreFieldValue(TField* field, const provider::Variant& value);
  // Puts text in the system code page into `field` as StoreFieldValue does; empty text is Null.
  // Text fields keep the stored characters of the text the edit did not change (see
  // MergeEditedText): a Farsi yeh the user did not touch stays a Farsi yeh.
  void StoreFieldText(TField* field, const AnsiString& text);

  // Closes the dataset if its recordset reports the closed state (the connection took it).
  void CloseIfRecordsetClosed() override;

 protected:
  void OpenCursorStep(bool infoOnly) override;
  void ProviderOpen() override;
  void ProviderClose() override;
  bool ProviderIsOpen() override;
  void ProviderInitFieldDefs() override;
  void ProviderHandleException(TObject* Sender) override;
  FetchResult ProviderFetch(TRecordBuffer& buffer, FetchMode mode, bool check) override;
  std::unique_ptr<TRecordBuffer> ProviderAllocBuffer() override;
  void ProviderFirst() override;
  void ProviderLast() override;
  void ProviderSetToRecord(TRecordBuffer& buffer) override;
  void ProviderInitRecord(TRecordBuffer& buffer) override;
  void ProviderCopyBookmark(const TRecordBuffer& from, TRecordBuffer& to) override;
  void ProviderEdit() override;
  void ProviderPost() override;
  void ProviderCancel() override;
  void ProviderDelete() override;
  void RequireActive() override;

  // The master link's callbacks; Sender is the link.
  virtual void MasterRecordChanged(TObject* Sender);
  virtual void MasterLinkDisabled(TObject* Sender);
  // Sort, master filter and filter of a just opened recordset; then the cursor goes before the
  // first record.
  virtual void PrepareOpenedCursor();
  virtual void AssignConnection(TADOConnection* value);
  virtual void SetConnectionUse(TConnectionUse use, bool on) {
    command_->SetConnectionUse(use, on);
  }
  // Refuses a source that leads back to this dataset ("Circular datalinks are not allowed").
  virtual void AssignMasterSource(TDataSource* value);

  // Changes the command text: requires the dataset closed; outside stream reading broadcasts
  // NoticeProperty (field definitions become stale). Nothing when the text is unchanged.
  void SetCommandTextOf(const WideString& text);
  TDataSource* MasterSource() const;
  // Builds the master-detail filter (field = value terms joined by " AND "); applies and keeps
  // it when it differs from the last one. Says whether it changed.
  bool ApplyDetailFilter();
  // Makes the input parameters named like master fields the master fields, with the master's
  // current values; nothing without parameters or master dataset.
  void LinkMasterParameters();

  const AnsiString& IndexName() const { return indexName_; }
  void SetIndexName(const AnsiString& value);
  const AnsiString& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const AnsiString& value);

 private:
  bool Loading() const;
  void PrepareSource();
  std::shared_ptr<provider::Recordset> CreateRecordset();
  void OpenRecordset();
  std::uint32_t FieldListChecksum();
  TADORecordBuffer* ReadingBuffer();
  // The slot of `field`'s value in `buffer`, grown to hold it; null without buffer or field.
  provider::Variant* ValueSlot(TADORecordBuffer* buffer, TField* field);
  void StoreCalculatedValue(TField* field, const provider::Variant& value);
  // Moves the recordset onto the buffer's record when it may be elsewhere.
  void PositionRecordset(TADORecordBuffer& buffer);
  void FillBuffer(TADORecordBuffer& buffer);
  FetchResult FetchOnce(TADORecordBuffer& buffer, FetchMode mode);
  FetchResult FetchFiltered(TADORecordBuffer& buffer, FetchMode mode);
  bool MasterRestricts();
  provider::Field* RecordsetField(std::int32_t index);
  bool RecordsetAtBOF();
  bool RecordsetAtEOF();
  bool RecordsetSupports(std::int32_t options);

  TADOCommand* command_;  // owned as a component
  TADOConnection* connection_ = nullptr;
  std::unique_ptr<TMasterDataLink> masterLink_;
  std::shared_ptr<provider::Recordset> recordset_;
  std::int32_t cacheSize_ = 1;
  TCursorLocation cursorLocation_ = TCursorLocation::clUseClient;
  TCursorType cursorType_ = TCursorType::ctKeyset;
  TExecuteOptions executeOptions_;
  TADOLockType lockType_ = TADOLockType::ltOptimistic;
  TMarshalOption marshalOptions_ = TMarshalOption::moMarshalAll;
  std::int32_t maxRecords_ = 0;
  AnsiString filter_;
  bool filtered_ = false;
  bool enableBCD_ = true;
  AnsiString indexName_;
  AnsiString indexFieldNames_;
  AnsiString detailFilter_;
  std::int32_t bookmarkSize_ = 0;
  // Over the field objects at open; 0 when a layout notice may have changed the field list.
  std::uint32_t fieldListChecksum_ = 0;
  // The buffer offered to OnFilterRecord while it runs.
  TADORecordBuffer* filterBuffer_ = nullptr;
  // Fields given new values since the edit or insert began, written to the recordset at post.
  std::vector<TField*> modifiedFields_;
};
