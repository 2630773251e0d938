// The recording link's log lines.
#include "tests/data/recording_link.h"

#include "data/dataset.h"

namespace {
const char* const kNoticeNames[] = {
    "FieldValue",   "Record",       "DataSet",     "Scroll",    "Layout",
    "UpdateRecord", "State",        "BrowseCheck", "Property",  "FieldList",
    "Focus",        "ParentScroll", "Connection",  "Reconcile", "SuspendedState",
};
}  // namespace

RecordingLink::RecordingLink(int bufferCount, bool visual) {
  SetVisualControl(visual);
  SetLinkBufferCount(bufferCount);
}

std::string RecordingLink::NoticeName(DataNotice event) {
  return kNoticeNames[static_cast<int>(event)];
}

std::vector<std::string> RecordingLink::Notices() const {
  std::vector<std::string> names;
  for (const std::string& line : log_) names.push_back(line.substr(0, line.find('(')));
  return names;
}

void RecordingLink::LinkDataEvent(DataNotice event, DataNoticeInfo info) {
  TDataLink::LinkDataEvent(event, info);
  std::string line = NoticeName(event) + "(";
  // A field travels as its address, which would make the log differ from run to run.
  if (event == DataNotice::NoticeFieldValue || event == DataNotice::NoticeFocus) {
    line += info ? "field" : "none";
  } else {
    line += std::to_string(info);
  }
  line += ") ";
  if (Active() && DataSet()) {
    line += "rec " + std::to_string(LinkActiveRecord()) + "/" + std::to_string(LinkRecordCount()) +
            " first " + std::to_string(FirstRecord());
  } else {
    line += "inactive";
  }
  log_.push_back(line);
  if (OnNotice) OnNotice(event, info);
}
