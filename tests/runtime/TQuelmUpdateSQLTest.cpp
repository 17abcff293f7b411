#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "rtl/Exceptions.h"
#include "runtime/TQuelmDirectQuery.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <gtest/gtest.h>

namespace {

TEST(TQuelmUpdateSQL, StatementsByKindAndIndex) {
  TQuelmUpdateSQL update(nullptr);
  EXPECT_TRUE(TestSupport::Raises<EListError>([&] { update.GetSQLIndex(4); }, "List index out of bounds (4)"));
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
  EXPECT_TRUE(TestSupport::Raises<EDatabaseError>([&] { update.ExpandedSQL(TQuelmUpdateKind::ukModify); },
                                                  "UpdateSQL1: Missing DataSet property"));
}

} // namespace

namespace {

class UpdateSQLTest : public ::testing::TestWithParam<TBackend> {};

TEST_P(UpdateSQLTest, AppliesTheCurrentRecordsValues) {
  TQuelmDatabase db(nullptr);
  REQUIRE_BACKEND(db, GetParam());
  // A temporary table belongs to this session alone.
  db.ExecSQL("CREATE TEMPORARY TABLE people (id INT PRIMARY KEY, name VARCHAR(20))");
  db.ExecSQL("INSERT INTO people VALUES (1, 'O''Hara'), (2, 'Smith')");
  TQuelmQuery query(nullptr);
  query.SetDatabase(&db);
  query.GetQuery().SetText("SELECT id, name FROM people ORDER BY id");
  TQuelmUpdateSQL update(nullptr);
  query.SetUpdateObject(&update);
  update.GetSQLIndex(0).SetText("UPDATE people SET name = CONCAT(:name, '!') WHERE id = :OLD_id");
  update.GetSQLIndex(2).SetText("DELETE FROM people WHERE id = :OLD_id");
  query.Open();
  EXPECT_EQ(update.ExpandedSQL(TQuelmUpdateKind::ukModify),
            "UPDATE people SET name = CONCAT('O\\'Hara', '!') WHERE id = '1'\n");
  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukModify), 1u);
  query.Next();
  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukDelete), 1u);
  TQuelmDirectQuery check(nullptr);
  check.SetDatabase(&db);
  check.SQL()->SetText("SELECT GROUP_CONCAT(name ORDER BY id) FROM people");
  check.Open();
  EXPECT_EQ(check.FieldValue(0).value_or(""), "O'Hara!");
}

INSTANTIATE_TEST_SUITE_P(Backends, UpdateSQLTest, ::testing::ValuesIn(BackendsToTest()),
                         BackendName);

} // namespace
