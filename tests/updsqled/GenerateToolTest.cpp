#include "updsqled/GenerateTool.h"

#include "ToolRun.h"

#include "designhost/DesignTools.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TToolRun RunTool(std::vector<std::string> args, bool json = false) {
  return RunDesignTool(RunGenerateTool, std::move(args), "", json);
}

} // namespace

TEST(GenerateTool, UsageErrors) {
  auto check = [](std::vector<std::string> args, const std::string& message) {
    TToolRun run = RunTool(args);
    EXPECT_EQ(2, run.ExitCode);
    EXPECT_EQ("", run.Out);
    EXPECT_EQ("generate: " + message + "\n" + GenerateToolUsage, run.Err);
  };
  check({}, "--table NAME is required");
  check({"--keys", "a", "--update", "b"}, "--table NAME is required");
  check({"--table", "", "--keys", "a", "--update", "b"}, "--table NAME is required");
  check({"--table"}, "--table needs a value");
  check({"--table", "t", "--keys"}, "--keys needs a value");
  check({"--table", "t", "--keys", "a", "--update", "b", "--quote"}, "unexpected argument '--quote'");
}

TEST(GenerateTool, NoKeyOrNoUpdateField) {
  for (auto args : std::vector<std::vector<std::string>>{{"--table", "t", "--update", "a"},
                                                         {"--table", "t", "--keys", "a"},
                                                         {"--table", "t", "--keys", ",", "--update", "a"},
                                                         {"--table", "t", "--keys", "a", "--update", ""}}) {
    TToolRun run = RunTool(args, true);
    EXPECT_EQ(1, run.ExitCode);
    EXPECT_EQ("", run.Out);
    EXPECT_EQ("Must select at least one key field and one update field\n", run.Err);
  }
}

TEST(GenerateTool, FourStatementsAsText) {
  TToolRun run = RunTool({"--table", "customer", "--keys", "id", "--update", "id,name,city"});
  EXPECT_EQ(0, run.ExitCode);
  EXPECT_EQ("-- modify\n"
            "update customer\nset\n  id = :id,\n  name = :name,\n  city = :city\nwhere\n  id = :OLD_id\n"
            "-- insert\n"
            "insert into customer\n  (id, name, city)\nvalues\n  (:id, :name, :city)\n"
            "-- delete\n"
            "delete from customer\nwhere\n  id = :id\n"
            "-- refresh\n"
            "select * from customer\nwhere\n  id = :id\n",
            run.Out);
  EXPECT_EQ("", run.Err);
}

TEST(GenerateTool, QuotedTableAndFieldsAsJson) {
  TToolRun run = RunTool({"--table", "Sales Lines", "--quoted-table", "--quote-fields", "--keys", "id", "--update",
                      "id,qty", "--json"});
  EXPECT_EQ(0, run.ExitCode);
  EXPECT_EQ("{\"modify\":[\"update \\\"Sales Lines\\\"\",\"set\","
            "\"  \\\"Sales Lines\\\".\\\"id\\\" = :\\\"id\\\",\","
            "\"  \\\"Sales Lines\\\".\\\"qty\\\" = :\\\"qty\\\"\",\"where\","
            "\"  \\\"Sales Lines\\\".\\\"id\\\" = :\\\"OLD_id\\\"\"],"
            "\"insert\":[\"insert into \\\"Sales Lines\\\"\","
            "\"  (\\\"Sales Lines\\\".\\\"id\\\", \\\"Sales Lines\\\".\\\"qty\\\")\",\"values\","
            "\"  (:\\\"id\\\", :\\\"qty\\\")\"],"
            "\"delete\":[\"delete from \\\"Sales Lines\\\"\",\"where\","
            "\"  \\\"Sales Lines\\\".\\\"id\\\" = :\\\"id\\\"\"],"
            "\"refresh\":[\"select * from \\\"Sales Lines\\\"\",\"where\","
            "\"  \\\"Sales Lines\\\".\\\"id\\\" = :\\\"id\\\"\"]}\n",
            run.Out);
}

TEST(GenerateTool, TextKeepsBytesJsonReplacesInvalidUtf8) {
  TToolRun text = RunTool({"--table", "t\xE9", "--keys", "k", "--update", "k"});
  EXPECT_NE(std::string::npos, text.Out.find("delete from t\xE9\n"));
  TToolRun json = RunTool({"--table", "t\xE9", "--keys", "k", "--update", "k"}, true);
  EXPECT_NE(std::string::npos, json.Out.find("\"delete from t\xEF\xBF\xBD\""));
}
