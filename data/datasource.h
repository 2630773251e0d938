// TDataSource: joins one dataset to the data links of the controls and detail datasets that
// follow it, and forwards the dataset's notices to them.
#pragma once

#include <vector>

#include "core/component.h"
#include "core/event.h"
#include "data/db_types.h"

class TDataSet;
class TDataLink;
class TField;

using TDataChangeEvent = TEvent<void(TObject* Sender, TField* Field)>;

// The links are not owned: a link detaches itself when freed, and a source freed first
// detaches its links (last first). The dataset reference is cleared by the dataset's removal
// notice.
class TDataSource : public TComponent {
 public:
  explicit TDataSource(TComponent* owner);
  ~TDataSource() override;

  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool value) { autoEdit_ = value; }
  TDataSet* DataSet() const { return dataSet_; }
  // Detaches from the old dataset and attaches to the new one; a dataset whose chain of
  // master sources leads back here raises "Circular datalinks are not allowed".
  void SetDataSet(TDataSet* value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // The dataset's state while enabled and attached, else Inactive.
  DataSetState State() const { return state_; }
  const std::vector<TDataLink*>& Links() const { return links_; }

  // Starts editing when AutoEdit is on and the dataset is browsing.
  void RequestEdit();
  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);
  // True when following master sources from dataSet reaches this source.
  bool LeadsBackTo(TDataSet* dataSet) const;

  // A notice from the dataset: NoticeState refreshes the state; any other is forwarded to the
  // links (only while not Inactive), then the source's own hooks run.
  void ReceiveDataEvent(DataNotice event, DataNoticeInfo info);
  void RefreshState();
  // Non-visual links first, then visual ones; each pass from the last link to the first, so
  // that detail datasets follow their master before any control repaints.
  void NotifyLinks(DataNotice event, DataNoticeInfo info);
  // Only the non-visual links (block reading keeps the controls still).
  void NotifyNonVisualLinks(DataNotice event, DataNoticeInfo info);

  TNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnUpdateData;

  void ComponentNotice(TComponent* component, TOperation operation) override;

 private:
  friend class TDataSet;
  void NotifyLinkPass(bool visual, DataNotice event, DataNoticeInfo info);

  bool autoEdit_ = true;
  bool enabled_ = true;
  TDataSet* dataSet_ = nullptr;
  DataSetState state_ = DataSetState::Inactive;
  std::vector<TDataLink*> links_;
};
