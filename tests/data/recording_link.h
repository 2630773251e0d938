// A data link for tests that writes down every notice it receives, with the view it has right
// after handling it, one readable line per notice.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/datalink.h"

// Each line reads "<notice>(<info>) <view>", the notice without its "Notice" prefix, the view
// "rec <LinkActiveRecord>/<LinkRecordCount> first <FirstRecord>" while active and "inactive"
// otherwise, for example "Scroll(-1) rec 0/1 first 0" or "State(0) inactive".
class RecordingLink : public TDataLink {
 public:
  explicit RecordingLink(int bufferCount = 1, bool visual = true);

  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // The notice names alone, in order ("DataSet", "Scroll", ...).
  std::vector<std::string> Notices() const;

  // Runs after each notice has been handled and logged.
  std::function<void(DataNotice, DataNoticeInfo)> OnNotice;

  void LinkDataEvent(DataNotice event, DataNoticeInfo info) override;

  // The name of a notice without the "Notice" prefix.
  static std::string NoticeName(DataNotice event);

 private:
  std::vector<std::string> log_;
};
