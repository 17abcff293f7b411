#include "classes/TStringList.h"
#include "rtl/Exceptions.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <gtest/gtest.h>

namespace {

TEST(TQuelmUpdateSQL, StatementsByKindAndIndex) {
  TQuelmUpdateSQL update(nullptr);
  try {
    update.GetSQLIndex(4);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (4)");
  }
  EXPECT_THROW(update.GetSQLIndex(-1), EListError);

  TStringList modify{"UPDATE t SET a = :a", "WHERE id = :OLD_id"};
  update.SetSQL(TQuelmUpdateKind::ukModify, modify);
  modify.Clear();  // a copy went in
  update.GetSQLIndex(2).SetText("DELETE FROM t WHERE id = :OLD_id");
  EXPECT_EQ(update.ModifySQL()->Text(), "UPDATE t SET a = :a\nWHERE id = :OLD_id\n");
  EXPECT_EQ(&update.GetSQLIndex(0), update.ModifySQL());
  EXPECT_EQ(&update.GetSQLIndex(1), update.InsertSQL());
  EXPECT_EQ(&update.GetSQLIndex(2), update.DeleteSQL());
  EXPECT_EQ(&update.GetSQLIndex(3), update.RefreshSQL());
  EXPECT_EQ(update.GetSQL(TQuelmUpdateKind::ukDelete).Text(), "DELETE FROM t WHERE id = :OLD_id\n");
  EXPECT_EQ(update.InsertSQL()->Count(), 0);
}

TEST(TQuelmUpdateSQL, ServesOneDatasetAtATime) {
  TQuelmQuery first(nullptr), second(nullptr);
  auto update = std::make_unique<TQuelmUpdateSQL>(nullptr);
  first.SetUpdateObject(update.get());
  EXPECT_EQ(update->DataSet(), &first);
  second.SetUpdateObject(update.get());
  EXPECT_EQ(update->DataSet(), &second);
  EXPECT_EQ(first.GetUpdateObject(), nullptr);
  // Freed, it leaves the dataset without a dangling update object.
  update.reset();
  EXPECT_EQ(second.GetUpdateObject(), nullptr);
}

TEST(TQuelmUpdateSQL, ExpandingNeedsADataSet) {
  TQuelmUpdateSQL update(nullptr);
  update.SetName("UpdateSQL1");
  try {
    update.ExpandedSQL(TQuelmUpdateKind::ukModify);
    FAIL() << "no exception";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "UpdateSQL1: Missing DataSet property");
  }
}

} // namespace
