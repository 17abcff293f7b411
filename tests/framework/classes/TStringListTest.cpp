#include "support/ExpectRaises.h"
#include "classes/TStringList.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(TStringList, IndexErrorsRaiseTheListError) {
  TStringList list{"a"};
  EXPECT_THROW(list.Get(1), EListError);
  EXPECT_THROW(list.Get(-1), EListError);
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Insert(2, "x"), EListError);
  EXPECT_TRUE(TestSupport::Raises<EListError>([&] { list.Get(5); }, "List index out of bounds (5)"));
}

TEST(TStringList, TextAndLookupFollowTheHost) {
  TStringList list;
  list.SetText("select *\r\nfrom t\nwhere x\r");
  ASSERT_EQ(3, list.Count());
  EXPECT_EQ("from t", list[1]);
  EXPECT_EQ("select *\nfrom t\nwhere x\n", list.Text());
  EXPECT_EQ(1, list.IndexOf("FROM T"));  // ignoring case by default
  list.SetCaseSensitive(true);
  EXPECT_EQ(-1, list.IndexOf("FROM T"));
  list.SetText("");
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("", list.Text());
}

TEST(TStringList, ObjectSlotsTravelWithTheirStrings) {
  TStringList list;
  list.AddObject("Sales Lines", MarkerObject());
  list.Add("customer");
  list.Move(0, 1);
  EXPECT_EQ(nullptr, list.Objects(0));
  EXPECT_EQ(MarkerObject(), list.Objects(1));
  EXPECT_EQ(1, list.IndexOfObject(MarkerObject()));
  TStringList copy;
  copy.Assign(&list);
  EXPECT_EQ(MarkerObject(), copy.Objects(1));
  copy.Exchange(0, 1);
  EXPECT_EQ("Sales Lines", copy[0]);
  EXPECT_EQ(MarkerObject(), copy.Objects(0));
}

TEST(TStringList, SortedListsKeepOrderAndDuplicatesRule) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  list.Add("b");
  list.Add("A");
  list.Add("c");
  EXPECT_EQ(1, list.Add("B"));  // dupIgnore: the existing entry's index
  EXPECT_EQ(3, list.Count());
  EXPECT_EQ("A", list[0]);
  list.SetDuplicates(TDuplicates::dupError);
  EXPECT_THROW(list.Add("a"), EStringListError);
  list.SetDuplicates(TDuplicates::dupAccept);
  list.Add("a");
  EXPECT_EQ(4, list.Count());
}

TEST(TStringList, ChangeEventsWaitForTheOutermostEndUpdate) {
  TStringList list;
  int changes = 0;
  list.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  {
    TUpdateGuard outer(list);
    list.Add("a");
    {
      TUpdateGuard inner(list);
      list.Add("b");
    }
    EXPECT_EQ(0, changes);
  }
  EXPECT_EQ(1, changes);
  // The guard ends the update also when an exception leaves its scope.
  EXPECT_TRUE(TestSupport::Raises<Exception>(
      [&] {
        TUpdateGuard guard(list);
        list.Add("c");
        throw Exception("boom");
      },
      "boom"));
  EXPECT_EQ(0, list.UpdateCount());
  EXPECT_EQ(2, changes);
}
