#include "runtime/SqlText.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlText, ParameterNamesSkipQuotesAndComments) {
  auto check = [](const std::string& sql, std::vector<std::string> expected) {
    EXPECT_EQ(SqlParamNames(sql), expected) << sql;
  };
  check("", {});
  check("SELECT ':a', \":b\", `:c` FROM t", {});
  check("SELECT 1 -- :a\n, 2 # :b\n, 3 /* :c */", {});
  check("SELECT 'it''s :a', 'x\\':b'", {});
  check("SET @x := 1; SELECT a::int, 10:30", {});
  check("SELECT :a, :b, :A, :a_1", {"a", "b", "a_1"});
  check("WHERE x = :Straße", {"Straße"});
  check("SELECT 1 --:a", {"a"});  // "--" without a blank after it is two minus signs
}

TEST(SqlText, ReplaceParametersKeepsTheRest) {
  auto upper = [](const std::string& name) { return "<" + name + ">"; };
  EXPECT_EQ(SqlReplaceParams("a = :x AND b = ':x' -- :x\nOR c = :y", upper),
            "a = <x> AND b = ':x' -- :x\nOR c = <y>");
}

TEST(SqlText, UnderAnsiQuotingDoubleQuotesNameAndQuotedParametersCount) {
  auto check = [](const std::string& sql, TSqlQuoting quoting, std::vector<std::string> expected) {
    EXPECT_EQ(SqlParamNames(sql, quoting), expected) << sql;
  };
  const TSqlQuoting ansi = TSqlQuoting::sqAnsiQuotes, plain = TSqlQuoting::sqDefault;
  check("SET \"a\" = :\"a\" WHERE \"id\" = :\"OLD_id\"", ansi, {"a", "OLD_id"});
  check("SET \"a\" = :\"a\" WHERE \"id\" = :\"OLD_id\"", plain, {});  // string literals there
  check("WHERE x = :\"first name\" AND y = :\"say \"\"hi\"\"\"", ansi, {"first name", "say \"hi\""});
  check("WHERE \":a\" = :b AND ':c' = :\"\"", ansi, {"b"});
  // A name in double quotes knows no backslash escape: the quote after it closes the name.
  check("WHERE \"a\\\" = :b", ansi, {"b"});
  check("WHERE \"a\\\" = :b", plain, {});
  check("WHERE t.x = :\"unclosed", ansi, {});
  auto tag = [](const std::string& name) { return "<" + name + ">"; };
  EXPECT_EQ(SqlReplaceParams("\"t\".\"a\" = :\"a\" AND b = :b AND c = ':\"c\"'", tag, ansi),
            "\"t\".\"a\" = <a> AND b = <b> AND c = ':\"c\"'");
}

TEST(SqlText, WrittenColumnsOfInsertAndUpdate) {
  auto check = [](const std::string& sql, TSqlQuoting quoting, const std::string& table,
                  std::vector<std::string> columns) {
    TSqlWrittenColumns written = SqlWrittenColumns(sql, quoting);
    EXPECT_EQ(written.Table, table) << sql;
    EXPECT_EQ(written.Columns, columns) << sql;
  };
  const TSqlQuoting ansi = TSqlQuoting::sqAnsiQuotes, plain = TSqlQuoting::sqDefault;
  check("", ansi, "", {});
  check("select * from t", ansi, "", {});
  check("delete from t where a = :a", ansi, "", {});
  check("update t, u set t.a = u.a", ansi, "", {});  // several tables: not followed
  check("insert into t (a, b) values (:a, :b)", ansi, "t", {"a", "b"});
  check("INSERT IGNORE db.t (t.a, `b``c`) VALUES (1, 2)", plain, "t", {"a", "b`c"});
  check("insert into \"Sales Lines\"\n  (\"Sales Lines\".\"id\", \"Sales Lines\".\"qty\")\nvalues\n  (:\"id\", :\"qty\")",
        ansi, "Sales Lines", {"id", "qty"});
  check("update item\nset\n  item.\"sku\" = :\"sku\",\n  item.\"sku_lower\" = LOWER(CONCAT(:\"sku\", ',', 'x'))\nwhere\n"
        "  item.\"id\" = :\"OLD_id\"",
        ansi, "item", {"sku", "sku_lower"});
  check("UPDATE t AS x /* c */ SET x.a = (SELECT 1, 2), b = 'w,h' -- c\n ORDER BY a LIMIT 1", plain, "t", {"a", "b"});
  check("update t set a = 1 where b = 2", plain, "t", {"a"});
  check("insert t set a = (1), b = 2 on duplicate key update a = 3", plain, "t", {"a", "b"});
  for (const char* every : {"insert into t values (:a, :b)", "INSERT t VALUE (1)", "insert into t select * from u"}) {
    TSqlWrittenColumns written = SqlWrittenColumns(every, plain);
    EXPECT_TRUE(written.AllColumns && written.Table == "t" && written.Columns.empty()) << every;
  }
  EXPECT_FALSE(SqlWrittenColumns("insert into t (a) values (1)", plain).AllColumns);
}

TEST(SqlText, ScriptsSplitAtTheDelimiter) {
  auto check = [](const std::string& script, std::vector<std::string> expected) {
    EXPECT_EQ(SqlSplitScript(script, ";"), expected) << script;
  };
  check("", {});
  check(" ; ;\n-- only a comment\n;", {});
  check("SELECT ';'; SELECT 2", {"SELECT ';'", "SELECT 2"});
  check("SELECT 1 /* ; */; SELECT `a;b`", {"SELECT 1 /* ; */", "SELECT `a;b`"});
  check("-- intro\nDELIMITER //\nCREATE PROCEDURE p() BEGIN SELECT 1; SELECT 2; END//\nDELIMITER ;\nCALL p();",
        {"CREATE PROCEDURE p() BEGIN SELECT 1; SELECT 2; END", "CALL p()"});
  // Inside a statement the word is SQL, not a command.
  check("SELECT 1 AS x\nDELIMITER //", {"SELECT 1 AS x\nDELIMITER //"});
}

} // namespace
