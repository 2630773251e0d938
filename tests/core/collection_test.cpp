// Collections and string lists: identifiers, update counting and change notices.
#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "tests/core/test_classes.h"

namespace coretest {
namespace {

TEST(Collection, ItemsKeepTheirIdentifiers) {
  TTestItems items;
  TCollectionItem* a = items.Add();
  TCollectionItem* b = items.Add();
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(b->ID(), 1);
  delete a;
  EXPECT_EQ(items.Add()->ID(), 2);
  EXPECT_EQ(b->Index(), 0);
  b->SetIndex(1);
  EXPECT_EQ(b->Index(), 1);
}

TEST(Collection, NoticesWaitForTheEndOfAnUpdate) {
  TTestItems items;
  auto* item = static_cast<TTestItem*>(items.Add());
  EXPECT_EQ(items.notices, std::vector<int>{-1});
  items.notices.clear();
  item->SetWidth(5);
  EXPECT_EQ(items.notices, std::vector<int>{0});
  items.notices.clear();
  items.BeginUpdate();
  items.BeginUpdate();
  items.Add();
  item->SetWidth(6);
  items.EndUpdate();
  EXPECT_TRUE(items.notices.empty());
  items.EndUpdate();
  EXPECT_EQ(items.notices, std::vector<int>{-1});
  items.notices.clear();
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
  EXPECT_EQ(items.notices, std::vector<int>{-1});
}

TEST(Collection, ItemsOfAnotherClassAreRefused) {
  TTestItems items;
  TOtherItem other(nullptr);
  try {
    other.SetCollection(&items);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Invalid property value");
  }
  EXPECT_EQ(items.Count(), 0);
  TTestItem mine(nullptr);
  mine.SetCollection(&items);
  EXPECT_EQ(items.Count(), 1);
  mine.SetCollection(nullptr);
  EXPECT_EQ(items.Count(), 0);
}

TEST(StringList, TextAndChangeNotices) {
  struct Counter : TObject {
    void Changed(TObject*) { ++count; }
    int count = 0;
  } counter;
  TStringList list;
  list.OnChange = TNotifyEvent(&counter, &Counter::Changed);
  list.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(counter.count, 1);  // one notice for the whole text
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  list.Put(1, "2");
  EXPECT_EQ(list.Get(1), "2");
  EXPECT_EQ(list.IndexOf("FOUR"), 3);
  list.Delete(0);
  EXPECT_EQ(counter.count, 3);
  EXPECT_THROW(list.Get(9), EListError);
  list.Clear();
  EXPECT_EQ(list.Text(), "");
}

}  // namespace
}  // namespace coretest
