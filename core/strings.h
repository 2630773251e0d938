// String lists: the abstract list of lines and the list that keeps them in memory.
#pragma once

#include <vector>

#include "core/event.h"
#include "core/persistent.h"
#include "core/sysutils.h"

class TStrings : public TPersistent {
 public:
  virtual int Count() const = 0;
  virtual AnsiString Get(int index) const = 0;
  virtual void Put(int index, const AnsiString& s);
  virtual void Insert(int index, const AnsiString& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const AnsiString& s);
  void AddStrings(const TStrings& strings);
  void Assign(const TStrings& source);
  int IndexOf(const AnsiString& s) const;

  // Every line followed by CR LF; setting splits at CR LF, CR or LF.
  AnsiString Text() const;
  virtual void SetText(const AnsiString& text);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // "Strings": a list of string values, replacing the lines.
  void DeclareStoredProperties(TReader& reader) override;

 protected:
  // Called with true when the first update begins and false when the last one ends.
  virtual void SetUpdateState(bool updating) {}

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  int Count() const override { return static_cast<int>(lines_.size()); }
  AnsiString Get(int index) const override;
  void Put(int index, const AnsiString& s) override;
  void Insert(int index, const AnsiString& s) override;
  void Delete(int index) override;
  void Clear() override;

  // Sent before and after every change, but not while an update is in progress; ending the
  // update sends them once.
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  void Changing();
  void Changed();
  void Check(int index, int limit) const;

  std::vector<AnsiString> lines_;
};
