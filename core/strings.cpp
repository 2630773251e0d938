// String lists and their stored "Strings" property.
#include "core/strings.h"

#include "core/classes.h"
#include "core/exceptions.h"
#include "core/reader.h"

void TStrings::Put(int index, const AnsiString& s) {
  BeginUpdate();
  try {
    Delete(index);
    Insert(index, s);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::Add(const AnsiString& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < strings.Count(); ++i) Add(strings.Get(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  try {
    Clear();
    AddStrings(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const AnsiString& s) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Get(i), s)) return i;
  }
  return -1;
}

AnsiString TStrings::Text() const {
  AnsiString text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(const AnsiString& text) {
  BeginUpdate();
  try {
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find_first_of("\r\n", start);
      if (end == AnsiString::npos) {
        Add(text.substr(start));
        break;
      }
      Add(text.substr(start, end - start));
      start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::DeclareStoredProperties(TReader& reader) {
  reader.DeclareProperty("Strings", [this](TReader& r) {
    r.ReadListBegin();
    BeginUpdate();
    try {
      Clear();
      while (!r.EndOfList()) Add(r.ReadString());
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    r.ReadListEnd();
  });
}

void TStringList::Check(int index, int limit) const {
  if (index < 0 || index >= limit) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
}

AnsiString TStringList::Get(int index) const {
  Check(index, Count());
  return lines_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const AnsiString& s) {
  Check(index, Count());
  Changing();
  lines_[static_cast<std::size_t>(index)] = s;
  Changed();
}

void TStringList::Insert(int index, const AnsiString& s) {
  Check(index, Count() + 1);
  Changing();
  lines_.insert(lines_.begin() + index, s);
  Changed();
}

void TStringList::Delete(int index) {
  Check(index, Count());
  Changing();
  lines_.erase(lines_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (lines_.empty()) return;
  Changing();
  lines_.clear();
  Changed();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    Changed();
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

namespace {
[[maybe_unused]] const auto kTStrings = RegisterClass<TStrings, TPersistent>("TStrings");
[[maybe_unused]] const auto kTStringList = RegisterClass<TStringList, TStrings>("TStringList");
}  // namespace
