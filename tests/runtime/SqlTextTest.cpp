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
