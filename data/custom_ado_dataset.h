// The ADO dataset base: a TDataSet whose provider is an ADO recordset, opened through a command
// the dataset owns, over a shared TADOConnection.
#pragma once

#include <cstdint>
#include <memory>

#include "data/ado_command.h"
#include "data/ado_types.h"
#include "data/dataset.h"
#include "data/field_data.h"
#include "provider/recordset.h"

class TADOConnection;
class TADORecordBuffer;
class TDataSource;
class TField;
class TMasterDataLink;
class TParameters;

// Owns its command (named after nothing; the dataset is its owner for messages), its master
// link and, while open, its recordset. The recordset is released, not closed, at close, so a
// recordset that others still read stays valid for them.
//
// Field values are read lazily: each record buffer caches the values read for it (an empty
// variant is "not read yet"), and a read positions the recordset on the buffer's record first.
class TCustomADODataSet : public TDataSet {
 public:
  explicit TCustomADODataSet(TComponent* AOwner);
  ~TCustomADODataSet() override;

  // Setting it moves the dataset (and its command) from the old connection's clients to the new
  // one's; an open recordset is pointed at the new connection object. Outside loading the
  // change is broadcast as NoticeProperty.
  TADOConnection* Connection() const;
  void SetConnection(TADOConnection* value);
  WideString ConnectionString() const;
  void SetConnectionString(const WideString& value);

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
  // The recordset filter text; applied at open (and at once while open) when Filtered.
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& value);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool value);
  bool EnableBCD() const { return enableBCD_; }
  void SetEnableBCD(bool value);

  // cmdFile and cmdTableDirect are kept here; the ADO command then has cmdUnknown.
  TCommandType CommandType() const;
  void SetCommandType(TCommandType value);
  WideString CommandText() const;
  void SetCommandText(const WideString& value) { SetCommandTextOf(value); }
  TParameters* Parameters() const;
  bool ParamCheck() const;
  void SetParamCheck(bool value);
  std::int32_t CommandTimeout() const;
  void SetCommandTimeout(std::int32_t value);
  bool Prepared() const;
  void SetPrepared(bool value);

  TADOCommand& Command() const { return *command_; }
  // Null while closed.
  const std::shared_ptr<provider::Recordset>& Recordset() const { return recordset_; }
  // 16 when the recordset supports bookmarks, else 0.
  std::int32_t BookmarkSize() const { return bookmarkSize_; }
  TMasterDataLink& MasterLink() const { return *masterLink_; }
  // The filter last applied for the master link (empty without master fields).
  const AnsiString& DetailFilter() const { return detailFilter_; }

  std::int32_t TotalRecordCount() override;
  // -2 is never returned: a record number not read while controls were suspended is read now.
  std::int32_t CurrentRecordNumber() override;
  bool ReadFieldData(TField* field, TFieldData* destination) override;
  std::unique_ptr<TStream> OpenBlobStream(TField* field, TBlobStreamMode mode) override;
  bool CanModifyData() override;
  TDataSource* LinkedDataSource() override;
  // Opens a dataset stored as Active; a failure is reported through the application's
  // exception handler and loading goes on with the dataset closed.
  void AfterLoading() override;

  // The value of `field` in the buffer the current state reads, read from the recordset if it
  // is not cached yet; Null when there is no such buffer. Used by the blob stream.
  provider::Variant ReadFieldValue(TField* field);
  // Puts a new value of `field` into the active buffer (edit or insert mode), remembers the
  // field as modified for the post, and broadcasts NoticeFieldValue.
  void StoreFieldValue(TField* field, const provider::Variant& value);

  // Closes the dataset if its recordset reports the closed state (the connection closed it).
  void CloseIfRecordsetClosed();

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
  void ProviderEdit() override;
  void ProviderPost() override;
  void ProviderCancel() override;
  void ProviderDelete() override;
  void ProviderInsert() override;
  void RequireActive() override;

  virtual void MasterRecordChanged(TObject* Sender);
  virtual void MasterLinkDisabled(TObject* Sender);
  virtual void PrepareOpenedCursor();
  virtual void AssignConnection(TADOConnection* value);
  virtual void SetConnectionUse(TConnectionUse use, bool on);
  // Refuses a source that leads back to this dataset ("Circular datalinks are not allowed").
  virtual void AssignMasterSource(TDataSource* value);

  // Changes the command text: requires the dataset closed; unless loading, broadcasts
  // NoticeProperty (field definitions become stale). Nothing when the text is unchanged.
  void SetCommandTextOf(const WideString& text);
  TDataSource* MasterSource() const;
  // Builds the master-detail filter; applies and stores it when it differs from the last one.
  // Says whether it changed.
  bool ApplyDetailFilter();

  const AnsiString& IndexName() const { return indexName_; }
  void SetIndexName(const AnsiString& value);
  const AnsiString& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const AnsiString& value);

 private:
  void PrepareSource();
  void CreateRecordset();
  void OpenRecordset();
  TADORecordBuffer* ReadingBuffer();
  // Moves the recordset onto the buffer's record when it may be elsewhere.
  void PositionRecordset(TADORecordBuffer& buffer);
  void FillBuffer(TADORecordBuffer& buffer);
  FetchResult FetchOnce(TADORecordBuffer& buffer, FetchMode mode);
  bool MasterRestricts();
  provider::Field* RecordsetField(std::int32_t index);
  void WriteModifiedValues(TADORecordBuffer& buffer);
  std::int32_t FieldIndex(TField* field);

  std::unique_ptr<TADOCommand> command_;
  std::unique_ptr<TMasterDataLink> masterLink_;
  std::shared_ptr<provider::Recordset> recordset_;
  // Reads a source text (cmdFile, cmdTableDirect) rather than the command object.
  TCommandType ownCommandType_ = TCommandType::cmdText;
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
  std::uint32_t fieldListChecksum_ = 0;
  bool connectionSwapped_ = false;
  // Fields put since the edit or insert began, written to the recordset at post.
  std::vector<TField*> modifiedFields_;
};
