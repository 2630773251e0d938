// TDataSet: the provider-neutral cursor over a window of record buffers, its states, moves,
// editing and the data notices it sends to its data sources.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/component.h"
#include "core/event.h"
#include "core/exceptions.h"
#include "data/db_types.h"
#include "data/field_data.h"
#include "data/record_buffer.h"
#include "data/record_window.h"

class TStream;
class TField;
class TFields;
class TFieldDefs;
class TDataSource;
class TDataLink;
class TDataSet;

using TDataSetNotifyEvent = TEvent<void(TDataSet*)>;
using TDataSetErrorEvent = TEvent<void(TDataSet*, EDatabaseError&, TDataAction&)>;
using TFilterRecordEvent = TEvent<void(TDataSet*, bool&)>;

// The window of record buffers (TRecordWindow, which states its invariant): WindowSize() + 1
// buffers exist while open, none while closed. ActiveIndex() is the current record;
// ProviderIndex() the buffer the provider's cursor is known to be on (-1: none known).
//
// Data sources attach and detach themselves (TDataSource::SetDataSet); the dataset keeps raw
// pointers to them and to their links and is told when a source is freed.
//
// A concrete dataset must call CloseForDestruction() at the start of its own destructor: the
// provider operations that closing needs are its own and are gone by the time this destructor
// runs.
class TDataSet : public TComponent {
 public:
  explicit TDataSet(TComponent* owner);
  ~TDataSet() override;

  // Active is true in every state but Inactive and OpeningAsync. While the component is being
  // loaded from a stream, SetActive only records the value; AfterLoading applies it.
  bool Active() const;
  void SetActive(bool value);
  void OpenDataSet() { SetActive(true); }
  void CloseDataSet() { SetActive(false); }
  DataSetState State() const { return state_; }
  bool ActiveOnLoad() const { return activeOnLoad_; }
  bool AutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool value) { autoCalcFields_ = value; }
  bool UniDirectional() const { return uniDirectional_; }
  std::int32_t BlockReadSize() const { return blockReadSize_; }
  // A positive size puts an open dataset in BlockReading, where only the non-visual links hear
  // of moves; zero returns it to Browsing.
  void SetBlockReadSize(std::int32_t value);

  // Moves. Each first forces Browsing (EnsureBrowseMode) and runs BeforeScroll; moves past an
  // end are not errors: they set AtBOF/AtEOF and report a shorter distance.
  void MoveToFirst();
  void MoveToLast();
  void MoveToNext() { MoveByDistance(1); }
  void MoveToPrior() { MoveByDistance(-1); }
  // Returns the signed number of records moved.
  std::int32_t MoveByDistance(std::int32_t distance);

  bool IsEmptyWindow() const { return window_.IsEmpty(); }
  bool AtBOF() const { return window_.AtBOF(); }
  bool AtEOF() const { return window_.AtEOF(); }

  // Nested: only the outermost ResumeControls sends what the controls missed.
  void SuspendControls();
  void ResumeControls();
  bool ControlsSuspended() const { return disableCount_ != 0; }

  // Editing. Errors of the provider operations go through OnEditError/OnPostError/
  // OnDeleteError; daAbort ends the operation with the silent EAbort.
  void BeginEdit();
  void PostRecord();
  void CancelRecord();
  void EnsureBrowseMode();
  void InsertNewRecord();
  void AppendNewRecord();
  void DeleteActiveRecord();
  // Broadcasts NoticeUpdateRecord so that controls write pending values into their fields.
  void StoreControlValues();
  bool RecordTouched() const { return recordTouched_; }

  // Provider-defined; -1 here.
  virtual std::int32_t TotalRecordCount() { return -1; }
  virtual std::int32_t CurrentRecordNumber() { return -1; }

  // Lookups by field name without regard to case; FieldNamed raises "Field '%s' not found".
  TField* FieldNamed(std::string_view name);
  TField* FieldNamedOrNone(std::string_view name);
  TFieldDefs& FieldDefs() { return *fieldDefs_; }
  TFields& Fields() { return *fields_; }
  // Fills the field definitions from the provider: from the open cursor, or by opening the
  // cursor for definitions only and closing it again (also on an exception).
  void LoadFieldDefs();
  // The field objects were built from the definitions at open and are dropped at close.
  bool DefaultFields() const { return defaultFields_; }
  // The flat field list must be rebuilt (a layout or field-list notice marked it stale).
  bool FlatFieldsStale() const { return flatFieldsStale_; }
  void SetFlatFieldsStale(bool value) { flatFieldsStale_ = value; }
  // Set by BindAllFields: how many calculated (or lookup), internal-calculated and blob
  // fields are bound.
  int CalcFieldCount() const { return calcFieldCount_; }
  int InternalCalcFieldCount() const { return internalCalcFieldCount_; }
  int BlobFieldCount() const { return blobFieldCount_; }
  void SetBoundFieldCounts(int calc, int internalCalc, int blob);

  // The active record's buffer; null while the window has no buffers.
  TRecordBuffer* CurrentBuffer() { return window_.Current(); }
  int ActiveIndex() const { return window_.ActiveIndex(); }
  // Makes another filled buffer the active one (the links' view of the window); an index
  // outside the filled buffers raises EListError.
  void SetActiveIndex(int index) { window_.SetActiveIndex(index); }
  int FilledCount() const { return window_.FilledCount(); }
  int WindowSize() const { return window_.Size(); }

  // Sends a data notice to the data sources, in attach order, after the dataset's own
  // bookkeeping for it.
  virtual void BroadcastDataEvent(DataNotice event, DataNoticeInfo info);
  // Sizes the window to the largest BufferCount of all attached links (at least 1) and
  // rebuilds the FirstLink chain; only while the provider is open.
  void RecomputeWindowSize();
  void AttachDataSource(TDataSource* source);
  void DetachDataSource(TDataSource* source);
  const std::vector<TDataSource*>& DataSources() const { return dataSources_; }
  // Every link of every attached source, first source first, each in its list order, chained
  // through TDataLink::NextLink.
  TDataLink* FirstLink() const { return firstLink_; }
  // The master source this dataset follows; none here.
  virtual TDataSource* LinkedDataSource() { return nullptr; }

  // Reads the field's value in the current record into destination (which may be null: a
  // null test only); false for null. The base has no data: false.
  virtual bool ReadFieldData(TField* field, TFieldData* destination);
  // The base has no blobs and raises.
  virtual std::unique_ptr<TStream> OpenBlobStream(TField* field, TBlobStreamMode mode);
  virtual bool CanModifyData() { return true; }

  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
  TDataSetNotifyEvent OnCalcFields, OnNewRecord;
  TDataSetErrorEvent OnEditError, OnPostError, OnDeleteError;
  TFilterRecordEvent OnFilterRecord;

  // Opens the dataset if Active was read as True; errors are raised (at design time they go
  // to ProviderHandleException).
  void AfterLoading() override;
  void ComponentNotice(TComponent* component, TOperation operation) override;

 protected:
  // The open step: with infoOnly only the field definitions are read; otherwise, unless an
  // asynchronous open is still running, RunProviderOpen.
  virtual void OpenCursorStep(bool infoOnly);
  void RunProviderOpen();
  void FinishOpen();
  void CloseCursorStep();
  // Closes without hooks and detaches the data sources; see the class comment.
  void CloseForDestruction();

  // What every provider must supply.
  virtual void ProviderOpen() = 0;
  virtual void ProviderClose() = 0;
  virtual bool ProviderIsOpen() = 0;
  virtual void ProviderInitFieldDefs() = 0;
  virtual void ProviderHandleException(TObject* Sender) = 0;
  // Fills buffer with the record in direction mode; with check an error raises instead of
  // returning FetchResult::Error.
  virtual FetchResult ProviderFetch(TRecordBuffer& buffer, FetchMode mode, bool check) = 0;

  // What a provider may override.
  virtual std::unique_ptr<TRecordBuffer> ProviderAllocBuffer();
  // Leaves the provider so that a following fetch in mode next yields the first record.
  virtual void ProviderFirst() {}
  // Leaves the provider so that a following fetch in mode prior yields the last record.
  virtual void ProviderLast() {}
  virtual void ProviderSetToRecord(TRecordBuffer& buffer) {}
  virtual void ProviderInitRecord(TRecordBuffer& buffer) {}
  // Gives a new record's buffer the position (bookmark) of the record it is inserted before.
  virtual void ProviderCopyBookmark(const TRecordBuffer& from, TRecordBuffer& to) {}
  virtual void ProviderEdit() {}
  virtual void ProviderPost() {}
  virtual void ProviderCancel() {}
  virtual void ProviderDelete() {}
  virtual void ProviderInsert() {}
  virtual void ChangeBlockReadSize(std::int32_t value);

  // "Cannot perform this operation on a closed dataset".
  virtual void RequireActive();
  // "Cannot perform this operation on an open dataset"; at design time the dataset closes.
  void RequireInactive();
  // "Cannot modify a read-only dataset".
  void RequireCanModify();
  // "Operation not allowed on a unidirectional dataset".
  void RequireBidirectional();
  void SetUniDirectional(bool value) { uniDirectional_ = value; }
  void ChangeState(DataSetState value);

  // The buffer window; the operations without a comment are the window's (record_window.h).
  void EmptyWindow() { window_.Empty(); }
  void StartWindow() { window_.Start(); }
  void RotateBuffer(int from, int to) { window_.Rotate(from, to); }
  void ResizeBufferList(int count) { window_.ResizeBufferList(count); }
  // Resizes the window and keeps the links' first records on the records they showed.
  void SetWindowSize(int count);
  int FillForward() { return window_.FillForward(); }
  int FillBackward() { return window_.FillBackward(); }
  bool FetchNextIntoWindow() { return window_.FetchNext(); }
  bool FetchPriorIntoWindow() { return window_.FetchPrior(); }
  void SyncProviderToBuffer(int index) { window_.SyncCursorTo(index); }
  void SyncCursorToActive() { window_.SyncCursorToActive(); }
  // Re-reads the window around the provider's current record. exact: that record must still
  // exist ("Record not found"); center: it is placed in the middle of the window.
  void RefillWindow(bool exact, bool center);
  void SetProviderIndex(int index) { window_.SetProviderIndex(index); }
  int ProviderIndex() const { return window_.ProviderIndex(); }
  TRecordBuffer& Buffer(int index) { return window_.Buffer(index); }
  int BufferListSize() const { return window_.BufferCount(); }
  void InitBuffer(TRecordBuffer& buffer);

  // Fields (defined with the field classes).
  virtual void BuildDefaultFields();
  void BindAllFields(bool binding);
  // Releases what field objects cache of the current record (blob data); nothing here.
  virtual void ReleaseFieldBuffers() {}
  // Clears the calculated values of a buffer being initialised; nothing here, where
  // calculated values live in the provider's buffers.
  virtual void ResetCalcFields() {}
  // Computes the calculated fields of `buffer`'s record: OnCalcFields runs in Calculating,
  // when field values are those of that buffer (CalcBuffer).
  void FillCalcFields(TRecordBuffer* buffer);
  // The buffer whose calculated fields are being computed; null outside Calculating.
  TRecordBuffer* CalcBuffer() const { return calcBuffer_; }

  // Hook runners.
  virtual void FireBeforeOpen();
  virtual void FireAfterOpen();
  virtual void FireBeforeClose();
  virtual void FireAfterClose();
  virtual void FireBeforeInsert();
  virtual void FireAfterInsert();
  virtual void FireBeforeEdit();
  virtual void FireAfterEdit();
  virtual void FireBeforePost();
  virtual void FireAfterPost();
  virtual void FireBeforeCancel();
  virtual void FireAfterCancel();
  virtual void FireBeforeDelete();
  virtual void FireAfterDelete();
  virtual void FireBeforeScroll();
  virtual void FireAfterScroll();
  virtual void FireBeforeRefresh();
  virtual void FireAfterRefresh();
  virtual void FireCalcFields();
  virtual void FireNewRecord();

 private:
  // The provider operations as the window asks for them.
  class WindowCursor final : public TRecordCursor {
   public:
    explicit WindowCursor(TDataSet& dataSet) : dataSet_(dataSet) {}
    std::unique_ptr<TRecordBuffer> AllocBuffer() override;
    FetchResult Fetch(TRecordBuffer& buffer, FetchMode mode, bool check) override;
    void First() override;
    void Last() override;
    void SetToRecord(TRecordBuffer& buffer) override;
    bool UniDirectional() override;
    void RequireBidirectional() override;
    bool Inserting() override;

   private:
    TDataSet& dataSet_;
  };

  using ProviderOperation = void (TDataSet::*)();
  // Runs operation (after syncing the cursor) until it completes or the handler gives up.
  void RunWithErrorHandler(const TDataSetErrorEvent& handler, ProviderOperation operation);
  void RunHook(const TDataSetNotifyEvent& hook);
  void PrepareNewRecord();
  void FinishNewRecord();
  void OpenNow();
  void CloseNow();
  bool Destroying() const;

  DataSetState state_ = DataSetState::Inactive;
  WindowCursor cursor_{*this};
  TRecordWindow window_{cursor_};
  bool recordTouched_ = false;
  int disableCount_ = 0;
  DataSetState stateWhenDisabled_ = DataSetState::Inactive;
  DataNotice pendingEvent_ = DataNotice::NoticeDataSet;
  std::vector<TDataSource*> dataSources_;
  TDataLink* firstLink_ = nullptr;
  bool activeOnLoad_ = false;
  bool openCompleted_ = false;
  bool defaultFields_ = false;
  bool flatFieldsStale_ = true;
  bool autoCalcFields_ = true;
  bool uniDirectional_ = false;
  std::int32_t blockReadSize_ = 0;
  int calcFieldCount_ = 0;
  int internalCalcFieldCount_ = 0;
  int blobFieldCount_ = 0;
  TRecordBuffer* calcBuffer_ = nullptr;
  std::unique_ptr<TFieldDefs> fieldDefs_;
  std::unique_ptr<TFields> fields_;
};
