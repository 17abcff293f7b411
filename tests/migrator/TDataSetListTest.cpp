#include "migrator/TDataSetList.h"
#include "support/ExpectRaises.h"

#include "classes/TComponentRef.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmTable.h"

#include <gtest/gtest.h>

namespace {

struct TDataSetListTest : ::testing::Test {
  TComponent Form{nullptr};
  TDataSet* Old1 = new TDataSet(&Form);
  TDataSet* Old2 = new TDataSet(&Form);
  TQuelmDataSet* New1 = new TQuelmQuery(&Form);
  TQuelmDataSet* New2 = new TQuelmTable(&Form);

  static std::unique_ptr<TDataSetPair> Pair(TDataSet* old, TQuelmDataSet* made) {
    auto pair = std::make_unique<TDataSetPair>();
    pair->OldDataSet = old;
    pair->NewDataSet = made;
    return pair;
  }
};

TEST_F(TDataSetListTest, SearchesFindNothingForUnpairedNewOrNoDataSet) {
  TDataSetList list;
  EXPECT_EQ(list.GetPaired(Old1), nullptr);
  EXPECT_EQ(list.IndexOfOldDataSet(Old1), -1);
  list.Add(Pair(Old1, New1));
  EXPECT_EQ(list.GetPaired(Old2), nullptr);
  EXPECT_EQ(list.IndexOfOldDataSet(Old2), -1);
  // A new dataset is no old one, and none finds nothing.
  EXPECT_EQ(list.GetPaired(New1), nullptr);
  EXPECT_EQ(list.IndexOfOldDataSet(New1), -1);
  EXPECT_EQ(list.GetPaired(nullptr), nullptr);
  EXPECT_EQ(list.IndexOfOldDataSet(nullptr), -1);
}

TEST_F(TDataSetListTest, IndexesOutsideTheListRaiseTheListIndexError) {
  TDataSetList list;
  list.Add(Pair(Old1, New1));
  auto check = [](const std::function<void()>& call, const std::string& message) {
    EXPECT_TRUE(TestSupport::Raises<EListError>(call, message));
  };
  check([&] { list.GetDataSetPairs(1); }, "List index out of bounds (1)");
  check([&] { list.GetOldDataSets(-1); }, "List index out of bounds (-1)");
  check([&] { list.GetNewDataSets(2); }, "List index out of bounds (2)");
  check([&] { list.SetOldDataSets(1, Old2); }, "List index out of bounds (1)");
  check([&] { list.SetNewDataSets(1, New2); }, "List index out of bounds (1)");
  check([&] { list.SetDataSetPairs(1, Pair(Old2, New2)); }, "List index out of bounds (1)");
  check([&] { list.DeletePair(1); }, "List index out of bounds (1)");
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(TDataSetListTest, TheEarlierPairOfTheSameSourceWins) {
  TDataSetList list;
  EXPECT_EQ(list.Add(Pair(Old2, New2)), 0);
  EXPECT_EQ(list.Add(Pair(Old1, New1)), 1);
  EXPECT_EQ(list.Add(Pair(Old1, New2)), 2);
  EXPECT_EQ(list.IndexOfOldDataSet(Old1), 1);
  EXPECT_EQ(list.GetPaired(Old1), New1);
  EXPECT_EQ(list.GetPaired(Old2), New2);
  list.SetNewDataSets(1, New2);
  EXPECT_EQ(list.GetPaired(Old1), New2);
  list.SetOldDataSets(0, Old1);
  EXPECT_EQ(list.IndexOfOldDataSet(Old1), 0);
  EXPECT_EQ(list.IndexOfOldDataSet(Old2), -1);
}

TEST_F(TDataSetListTest, ClearAllReleasesTheRecordsButNotTheDataSets) {
  TDataSetList list;
  list.ClearAll();
  EXPECT_EQ(list.Count(), 0);
  list.Add(Pair(Old1, New1));
  list.Add(Pair(Old2, New2));
  list.DeletePair(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetOldDataSets(0), Old2);
  list.ClearAll();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.GetPaired(Old2), nullptr);
  EXPECT_EQ(Form.ComponentCount(), 4);
  EXPECT_EQ(Form.Components(0), Old1);
}

TEST_F(TDataSetListTest, ReplacingARecordHandsTheFormerOneBack) {
  TDataSetList list;
  list.Add(Pair(Old1, New1));
  std::unique_ptr<TDataSetPair> former = list.SetDataSetPairs(0, Pair(Old2, New2));
  ASSERT_NE(former, nullptr);
  EXPECT_EQ(former->OldDataSet.Get(), Old1);
  EXPECT_EQ(list.GetPaired(Old2), New2);
  EXPECT_EQ(list.GetPaired(Old1), nullptr);
  // A slot left without a record reads as an empty pair.
  list.SetDataSetPairs(0, nullptr);
  EXPECT_EQ(list.GetOldDataSets(0), nullptr);
  EXPECT_EQ(list.GetPaired(Old2), nullptr);
  list.SetOldDataSets(0, Old1);
  EXPECT_EQ(list.IndexOfOldDataSet(Old1), 0);
}

TEST_F(TDataSetListTest, AFreedSourceReadsAsNoneAndMatchesNothing) {
  TDataSetList list;
  list.Add(Pair(Old1, New1));
  list.Add(Pair(Old2, New2));
  delete Old1;
  EXPECT_EQ(list.GetOldDataSets(0), nullptr);
  EXPECT_EQ(list.IndexOfOldDataSet(nullptr), -1);
  EXPECT_EQ(list.GetPaired(Old2), New2);
  delete New1;
  EXPECT_EQ(list.GetNewDataSets(0), nullptr);
}

} // namespace
