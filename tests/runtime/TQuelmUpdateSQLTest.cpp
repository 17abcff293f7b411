#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "rtl/Exceptions.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmDatabase.h"
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

std::string SessionValue(TQuelmDatabase& db, const std::string& sql) {
  TQuelmDirectQuery query(nullptr);
  query.SetDatabase(&db);
  query.SQL()->SetText(sql);
  query.Open();
  return query.FieldValue(0).value_or("(null)");
}

// Statements as the generator writes them with quoted field names, over a
// column named by a reserved word: they run only with ANSI_QUOTES, which the
// session holds for each statement alone.
TEST_P(UpdateSQLTest, QuotedStatementsRunInAnAnsiQuotesSessionAndLeaveItsModeAlone) {
  TQuelmDatabase db(nullptr);
  REQUIRE_BACKEND(db, GetParam());
  db.ExecSQL("CREATE TEMPORARY TABLE marks (id INT PRIMARY KEY, `order` INT, `first name` VARCHAR(20))");
  db.ExecSQL("INSERT INTO marks VALUES (1, 10, 'Ann')");
  const std::string modeBefore = SessionValue(db, "SELECT @@SESSION.sql_mode");
  ASSERT_EQ(std::string::npos, modeBefore.find("ANSI_QUOTES"));
  TQuelmQuery query(nullptr);
  query.SetDatabase(&db);
  query.GetQuery().SetText("SELECT id, `order`, `first name` FROM marks");
  TQuelmUpdateSQL update(nullptr);
  query.SetUpdateObject(&update);
  update.GetSQL(TQuelmUpdateKind::ukInsert).SetText(
      "insert into marks\n  (marks.\"id\", marks.\"order\", marks.\"first name\")\nvalues\n"
      "  (:\"id\", :\"order\", :\"first name\")");
  update.GetSQL(TQuelmUpdateKind::ukModify).SetText(
      "update marks\nset\n  marks.\"id\" = :\"id\",\n  marks.\"order\" = :\"order\"\nwhere\n"
      "  marks.\"id\" = :\"OLD_id\"");
  update.GetSQL(TQuelmUpdateKind::ukRefresh).SetText("select * from marks\nwhere\n  marks.\"id\" = :\"id\"");
  update.GetSQL(TQuelmUpdateKind::ukDelete).SetText("delete from marks\nwhere\n  marks.\"id\" = :\"id\"");
  query.Open();

  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukInsert, {{"id", "2"}, {"order", "20"}, {"first name", "Bo's"}}), 1u);
  // The key changes: the old value finds the row, the new one is written.
  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukModify, {{"id", "3"}, {"order", std::nullopt}}), 1u);
  EXPECT_EQ(SessionValue(db, "SELECT GROUP_CONCAT(id, ':', IFNULL(`order`, '-'), ':', `first name` ORDER BY id) "
                             "FROM marks"),
            "2:20:Bo's,3:-:Ann");
  // Refresh reads the row again into the current record.
  db.ExecSQL("UPDATE marks SET `order` = 33 WHERE id = 3");
  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukRefresh, {{"id", "3"}}), 1u);
  EXPECT_EQ(query.FieldByName("order")->AsString(), "33");
  EXPECT_EQ(query.FieldByName("id")->AsString(), "3");
  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukDelete), 1u);
  EXPECT_EQ(SessionValue(db, "SELECT GROUP_CONCAT(id) FROM marks"), "2");

  // The connection's own mode is back: double quotes make a string again.
  EXPECT_EQ(SessionValue(db, "SELECT @@SESSION.sql_mode"), modeBefore);
  EXPECT_EQ(SessionValue(db, "SELECT \"text\""), "text");
  // Also after a statement the server refused.
  std::string refused =
      TestSupport::ErrorOf<EDatabaseError>([&] { update.Apply(TQuelmUpdateKind::ukInsert, {{"id", "2"}}); });
  EXPECT_NE(refused.find("Duplicate entry '2'"), std::string::npos) << refused;
  EXPECT_EQ(SessionValue(db, "SELECT @@SESSION.sql_mode"), modeBefore);
}

TEST_P(UpdateSQLTest, ASessionAlreadyInAnsiQuotesKeepsItsMode) {
  TQuelmDatabase db(nullptr);
  REQUIRE_BACKEND(db, GetParam());
  db.ExecSQL("SET SESSION sql_mode = 'ANSI_QUOTES,STRICT_ALL_TABLES'");
  db.ExecSQL("CREATE TEMPORARY TABLE marks (id INT PRIMARY KEY)");
  db.ExecSQL("INSERT INTO marks VALUES (1)");
  const std::string modeBefore = SessionValue(db, "SELECT @@SESSION.sql_mode");
  TQuelmQuery query(nullptr);
  query.SetDatabase(&db);
  query.GetQuery().SetText("SELECT id FROM marks");
  TQuelmUpdateSQL update(nullptr);
  query.SetUpdateObject(&update);
  update.GetSQL(TQuelmUpdateKind::ukDelete).SetText("delete from \"marks\" where \"id\" = :\"OLD_id\"");
  query.Open();
  EXPECT_EQ(update.Apply(TQuelmUpdateKind::ukDelete), 1u);
  EXPECT_EQ(SessionValue(db, "SELECT @@SESSION.sql_mode"), modeBefore);
  EXPECT_EQ(modeBefore, "ANSI_QUOTES,STRICT_ALL_TABLES");
}

// What the server says of statements before they run: rows of text,
// quoting, expected error number (0: accepted) and a part of the message.
TEST_P(UpdateSQLTest, CheckingAStatementPreparesItWithoutRunningIt) {
  TQuelmDatabase db(nullptr);
  REQUIRE_BACKEND(db, GetParam());
  const TSqlQuoting ansi = TSqlQuoting::sqAnsiQuotes, plain = TSqlQuoting::sqDefault;
  auto check = [&](const std::string& text, TSqlQuoting quoting, unsigned code, const std::string& part) {
    TQuelmStatementCheck result = db.CheckSQL(text, quoting);
    EXPECT_EQ(result.Ok, code == 0) << text;
    EXPECT_EQ(result.ErrorCode, code) << text << ": " << result.Message;
    EXPECT_NE(result.Message.find(part), std::string::npos) << text << ": " << result.Message;
  };
  check("update item set item.\"sku\" = :\"sku\" where item.\"id\" = :\"OLD_id\"", plain, 1064, "near '\"sku\"");
  check("update item set item.\"sku\" = :\"sku\" where item.\"id\" = :\"OLD_id\"", ansi, 0, "");
  check("select * from item where \"id\" = :id", plain, 0, "");  // a string literal there
  check("select * from item where id = :\"id\"", ansi, 0, "");
  check("update item set nope = :nope", ansi, 1054, "Unknown column 'nope'");
  check("insert into no_such_table (a) values (:a)", ansi, 1146, "no_such_table");
  check("insert into item (item.\"sku\", item.\"sku_lower\") values (:\"sku\", :\"sku_lower\")", ansi, 1906,
        "Generated column 'sku_lower' of table 'item'");
  check("update item set sku_lower = :sku_lower where id = :OLD_id", plain, 1906, "'sku_lower'");
  check("insert into item (id, sku, price) values (:id, :sku, :price)", plain, 0, "");
  check("insert into item values (:id, :sku, :sku_lower, :price)", plain, 1906, "'sku_lower'");  // every column
  EXPECT_EQ(SessionValue(db, "SELECT \"text\""), "text");  // the mode is the connection's again
  // Nothing ran.
  EXPECT_EQ(SessionValue(db, "SELECT COUNT(*) FROM item"), "2");
}

TEST_P(UpdateSQLTest, ColumnInfoTellsGeneratedAndAutoIncrementColumns) {
  TQuelmDatabase db(nullptr);
  REQUIRE_BACKEND(db, GetParam());
  std::vector<TQuelmColumnInfo> columns;
  db.GetColumnInfo("item", columns);
  std::vector<std::string> rows;
  for (const TQuelmColumnInfo& c : columns)
    rows.push_back(c.Name + (c.AutoIncrement ? " auto" : "") + (c.Generated ? " generated" : "") +
                   (c.Virtual ? " virtual" : ""));
  EXPECT_EQ(rows, (std::vector<std::string>{"id auto", "sku", "sku_lower generated virtual", "price"}));
  EXPECT_THROW(db.GetColumnInfo("no_such_table", columns), EDatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Backends, UpdateSQLTest, ::testing::ValuesIn(BackendsToTest()),
                         BackendName);

} // namespace
