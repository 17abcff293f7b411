#include "updsqled/ParseTool.h"

#include "ToolRun.h"

#include "designhost/DesignTools.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TToolRun RunTool(std::vector<std::string> args, const std::string& input = "", bool json = false) {
  return RunDesignTool(RunParseTool, std::move(args), input, json);
}

} // namespace

TEST(ParseTool, UsageErrors) {
  auto check = [](std::vector<std::string> args, const std::string& message) {
    TToolRun run = RunTool(args);
    EXPECT_EQ(2, run.ExitCode);
    EXPECT_EQ("", run.Out);
    EXPECT_EQ("parse: " + message + "\n" + ParseToolUsage, run.Err);
  };
  check({}, "missing mode");
  check({"words"}, "unknown mode 'words'");
  check({"tokens", "--codepage"}, "--codepage needs a number");
  check({"tokens", "--codepage", "93x", "a"}, "--codepage needs a number, not '93x'");
  check({"tokens", "--codepage", "", "a"}, "--codepage needs a number, not ''");
  check({"tokens", "--codepage", "51932", "a"}, "unsupported code page 51932");
  check({"tokens", "a", "b"}, "more than one SQL argument");

  TToolRun help = RunTool({"update", "--help"});
  EXPECT_EQ(0, help.ExitCode);
  EXPECT_EQ(ParseToolUsage, help.Out);
}

TEST(ParseTool, TokensAsText) {
  TToolRun run = RunTool({"tokens", "select c.name, \"Sales Lines\".qty from t. where ''=-5"});
  EXPECT_EQ(0, run.ExitCode);
  EXPECT_EQ("stSymbol \"select\"\n"
            "stSymbol \"c.name\"\n"
            "stComma\n"
            "stSymbol \"Sales Lines\" quoted\n"
            "stOther\n"
            "stSymbol \"qty\"\n"
            "stSymbol \"from\"\n"
            "stAlias \"t.\"\n"
            "stSymbol \"where\"\n"
            "stSymbol \"\" quoted\n"
            "stEQ\n"
            "stNumber \"-5\"\n"
            "stEnd\n",
            run.Out);
  EXPECT_EQ("", run.Err);
}

TEST(ParseTool, TokensAsJsonFromStandardInputInBothRegimes) {
  // 0x83 0x65 is one double-byte character of code page 932.
  const std::string sql = "a\x83\x65 \"x\ny\"(";
  TToolRun japanese = RunTool({"tokens", "--codepage", "932", "-"}, sql, true);
  EXPECT_EQ(0, japanese.ExitCode);
  EXPECT_EQ("[{\"type\":\"stSymbol\",\"text\":\"a\xEF\xBF\xBD" "e\",\"hex\":\"618365\",\"quoted\":false},"
            "{\"type\":\"stSymbol\",\"text\":\"x\\ny\",\"hex\":\"780a79\",\"quoted\":true},"
            "{\"type\":\"stLParen\",\"text\":\"\",\"hex\":\"\",\"quoted\":false},"
            "{\"type\":\"stEnd\",\"text\":\"\",\"hex\":\"\",\"quoted\":false}]\n",
            japanese.Out);

  // 0x81 ends no symbol in a single-byte locale, and "--json" may come as an
  // argument as well.
  TToolRun single = RunTool({"tokens", "--json", "--codepage", "1252"}, "b\x81,");
  EXPECT_EQ("[{\"type\":\"stSymbol\",\"text\":\"b\xEF\xBF\xBD\",\"hex\":\"6281\",\"quoted\":false},"
            "{\"type\":\"stComma\",\"text\":\"\",\"hex\":\"\",\"quoted\":false},"
            "{\"type\":\"stEnd\",\"text\":\"\",\"hex\":\"\",\"quoted\":false}]\n",
            single.Out);
  TToolRun farEast = RunTool({"tokens", "--json", "--codepage", "936"}, "b\x81,");
  EXPECT_NE(std::string::npos, farEast.Out.find("\"hex\":\"62812c\""));
}

TEST(ParseTool, SelectTables) {
  const std::string sql = "select c.name, \"Sales Lines\".qty from \"Sales Lines\" od, customer c where c.id = -5";
  TToolRun text = RunTool({"select-tables", sql});
  EXPECT_EQ(0, text.ExitCode);
  EXPECT_EQ("\"Sales Lines\"\ncustomer\n", text.Out);
  TToolRun json = RunTool({"select-tables", sql}, "", true);
  EXPECT_EQ("[{\"name\":\"Sales Lines\",\"hex\":\"53616c6573204c696e6573\",\"quoted\":true},"
            "{\"name\":\"customer\",\"hex\":\"637573746f6d6572\",\"quoted\":false}]\n",
            json.Out);
  EXPECT_EQ("[]\n", RunTool({"select-tables", "update t set a = 1"}, "", true).Out);
  EXPECT_EQ("", RunTool({"select-tables"}, "").Out);
}

TEST(ParseTool, Update) {
  const std::string sql = "update t set a = :a, b = :b where a = :OLD_a and b = :OLD_b";
  TToolRun text = RunTool({"update"}, sql);
  EXPECT_EQ(0, text.ExitCode);
  EXPECT_EQ("table: t\nupdate fields: a, b\nwhere fields: a, b\n", text.Out);
  TToolRun json = RunTool({"update", sql}, "", true);
  EXPECT_EQ("{\"table\":\"t\",\"tableHex\":\"74\","
            "\"updateFields\":[{\"name\":\"a\",\"hex\":\"61\"},{\"name\":\"b\",\"hex\":\"62\"}],"
            "\"whereFields\":[{\"name\":\"a\",\"hex\":\"61\"},{\"name\":\"b\",\"hex\":\"62\"}]}\n",
            json.Out);
  EXPECT_EQ("table:\nupdate fields:\nwhere fields:\n", RunTool({"update", "select * from t"}).Out);
  EXPECT_EQ("{\"table\":\"\",\"tableHex\":\"\",\"updateFields\":[],\"whereFields\":[]}\n",
            RunTool({"update", ""}, "", true).Out);
}
