// quelm-designer's form commands run as a user runs them: the program with
// the package it loads, on form files in a temporary folder, against the
// test server.
#include "support/TestFolder.h"
#include "support/TestServer.h"
#include "support/Files.h"
#include "support/RunProgram.h"
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::Crlf;
using TestSupport::ReadFile;
using TestSupport::WriteFile;


using TRun = TestSupport::TProgramRun;

class DesignerCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_TEST_SERVER();
    FDir = FFolder.emplace("quelm-designer-test").Path();
    FForm = FDir / "Orders.dfm";
    WriteFile(FForm, Original);
  }
  void TearDown() override {
    FFolder.reset();
  }

  TRun Designer(const std::string& args) {
    std::string command = std::string(QUELM_DESIGNER_FILE) + " " + args + TestSupport::TestServerOptions();
    return TestSupport::RunCommandLine(command);
  }

  const std::string Original = Crlf({
      "object OrdersForm: TOrdersForm",
      "  Caption = 'Orders'",
      "  object OrdersDB: TQuelmDatabase",
      "    DatabaseName = 'quelm_test'",
      "    Left = 24",
      "    Top = 16",
      "  end",
      "  object CustomerQuery: TQuelmQuery",
      "    Database = OrdersDB",
      "    UpdateObject = CustomerUpdate",
      "    SQL.Strings = (",
      "      'select * from orders')",
      "    Left = 24",
      "    Top = 64",
      "  end",
      "  object CustomerUpdate: TQuelmUpdateSQL",
      "    DataSet = CustomerQuery",
      "    Left = 96",
      "    Top = 64",
      "  end",
      "end",
  });
  std::optional<TestSupport::TTestFolder> FFolder;
  fs::path FDir, FForm;
};

} // namespace

TEST_F(DesignerCommandTest, BadChoicesLeaveTheFileUntouched) {
  TRun unknown = Designer("updatesql " + FForm.string() + " NoSuchUpdate");
  EXPECT_EQ(1, unknown.Code);
  EXPECT_NE(std::string::npos, unknown.Out.find("has no component NoSuchUpdate")) << unknown.Out;
  TRun badKey = Designer("updatesql " + FForm.string() + " CustomerUpdate --keys nope");
  EXPECT_EQ(1, badKey.Code) << badKey.Out;
  TRun notUpdate = Designer("updatesql " + FForm.string() + " CustomerQuery");
  EXPECT_EQ(1, notUpdate.Code) << notUpdate.Out;
  EXPECT_EQ(Original, ReadFile(FForm));
  TRun usage = Designer("updatesql " + FForm.string());
  EXPECT_EQ(2, usage.Code);
}

TEST_F(DesignerCommandTest, UpdateSQLWritesTheFourStatementsAndNothingElse) {
  TRun run = Designer("updatesql " + FForm.string() + " CustomerUpdate --primary-keys --update region,customer_id");
  ASSERT_EQ(0, run.Code) << run.Out;
  EXPECT_NE(std::string::npos, run.Out.find("-- modify\nupdate orders\nset\n  region = :region,\n"
                                            "  customer_id = :customer_id\nwhere\n  order_no = :OLD_order_no\n"))
      << run.Out;
  std::string expected = Original;
  expected.insert(expected.find("    Left = 96"), Crlf({
                                                    "    DeleteSQL.Strings = (",
                                                    "      'delete from orders'",
                                                    "      'where'",
                                                    "      '  order_no = :order_no')",
                                                    "    InsertSQL.Strings = (",
                                                    "      'insert into orders'",
                                                    "      '  (region, customer_id)'",
                                                    "      'values'",
                                                    "      '  (:region, :customer_id)')",
                                                    "    ModifySQL.Strings = (",
                                                    "      'update orders'",
                                                    "      'set'",
                                                    "      '  region = :region,'",
                                                    "      '  customer_id = :customer_id'",
                                                    "      'where'",
                                                    "      '  order_no = :OLD_order_no')",
                                                    "    RefreshSQL.Strings = (",
                                                    "      'select * from orders'",
                                                    "      'where'",
                                                    "      '  order_no = :order_no')",
                                                }));
  // The connection options of the run are not saved.
  EXPECT_EQ(expected, ReadFile(FForm));

  // Opening the editor again restores the choices from the modify statement.
  TRun again = Designer("updatesql " + FForm.string() + " CustomerUpdate --dry-run");
  ASSERT_EQ(0, again.Code) << again.Out;
  EXPECT_NE(std::string::npos, again.Out.find("where\n  order_no = :OLD_order_no\n")) << again.Out;
  EXPECT_EQ(expected, ReadFile(FForm));
}

TEST_F(DesignerCommandTest, AVerbPlaysItsDialogFromAScript) {
  TRun verbs = Designer("verbs " + FForm.string() + " CustomerUpdate");
  EXPECT_EQ(0, verbs.Code);
  EXPECT_EQ("0  &QuelmUpdateSQL Editor...\n", verbs.Out);
  fs::path script = FDir / "dialog.txt";
  WriteFile(script, "# choose the key, then close without generating\n"
                    "select KeyFieldList order_no\n"
                    "click OkButton\n"
                    "answer No\n"
                    "click CancelButton\n");
  TRun cancelled = Designer("verb " + FForm.string() + " CustomerUpdate 0 --script " + script.string());
  EXPECT_EQ(0, cancelled.Code) << cancelled.Out;
  EXPECT_NE(std::string::npos, cancelled.Out.find("message: Update SQL statements not generated, exit anyway? [No]"))
      << cancelled.Out;
  EXPECT_NE(std::string::npos, cancelled.Out.find("the form did not change")) << cancelled.Out;
  EXPECT_EQ(Original, ReadFile(FForm));
  // A script line that names no control stops the run and saves nothing.
  WriteFile(script, "click NoSuchButton\n");
  TRun broken = Designer("verb " + FForm.string() + " CustomerUpdate 0 --script " + script.string());
  EXPECT_NE(0, broken.Code);
  EXPECT_EQ(Original, ReadFile(FForm));
}

TEST_F(DesignerCommandTest, TheSQLEditorListsTheServersTablesAndWritesTheTextBack) {
  TRun verbs = Designer("verbs " + FForm.string() + " CustomerQuery");
  EXPECT_EQ("0  Fields Editor...\n1  SQL Editor...\n2  Open\n", verbs.Out);
  fs::path script = FDir / "sql.txt";
  // Picking a table from the list fills its fields; the field goes in at the
  // caret, and OK writes the text back.
  WriteFile(script, "select TableList customer\n"
                    "select FieldList name\n"
                    "caret mmSQL 8\n"
                    "click AddFieldButton\n"
                    "click OkButton\n");
  TRun edited = Designer("verb " + FForm.string() + " CustomerQuery 1 --script " + script.string());
  EXPECT_EQ(0, edited.Code) << edited.Out;
  EXPECT_NE(std::string::npos, edited.Out.find("saved " + FForm.string())) << edited.Out;
  std::string saved = ReadFile(FForm);
  EXPECT_NE(std::string::npos, saved.find("      'select *, name from orders')")) << saved;
  EXPECT_EQ(std::string::npos, saved.find("Connected")) << saved;
  EXPECT_EQ(std::string::npos, saved.find("127.0.0.1")) << saved;
}

// A table whose generated columns no statement may write: --check reports
// the refusal per statement and writes nothing; with Select Writable Fields
// all four pass and are saved.
TEST_F(DesignerCommandTest, CheckOnServerReportsGeneratedColumnsAndWritesOnlyWhatPasses) {
  std::string form = Original;
  form.replace(form.find("select * from orders"), 20, "select * from computed");
  WriteFile(FForm, form);
  TRun refused = Designer("updatesql " + FForm.string() + " CustomerUpdate --keys id --quote-fields --check");
  EXPECT_EQ(1, refused.Code) << refused.Out;
  EXPECT_NE(std::string::npos,
            refused.Out.find("-- check\nModify: error 1906: Generated column 'code_upper' of table 'computed'"))
      << refused.Out;
  EXPECT_NE(std::string::npos, refused.Out.find("\nInsert: error 1906: Generated column 'code_upper'")) << refused.Out;
  EXPECT_NE(std::string::npos, refused.Out.find("\nDelete: ok\nRefresh Record: ok\n")) << refused.Out;
  EXPECT_NE(std::string::npos, refused.Out.find("nothing was written")) << refused.Out;
  EXPECT_EQ(form, ReadFile(FForm));

  TRun writable =
      Designer("updatesql " + FForm.string() + " CustomerUpdate --keys id --writable-fields --quote-fields --check");
  ASSERT_EQ(0, writable.Code) << writable.Out;
  EXPECT_NE(std::string::npos, writable.Out.find("  computed.\"note\" = :\"note\"\nwhere\n")) << writable.Out;
  EXPECT_NE(std::string::npos,
            writable.Out.find("-- check\nModify: ok\nInsert: ok\nDelete: ok\nRefresh Record: ok\nsaved "))
      << writable.Out;
  EXPECT_EQ(std::string::npos, ReadFile(FForm).find("code_upper")) << ReadFile(FForm);

  // The verb checks the statements the update object holds as its editor opens.
  TRun verb = Designer("verb " + FForm.string() + " CustomerUpdate 0 --check");
  EXPECT_EQ(0, verb.Code) << verb.Out;
  EXPECT_NE(std::string::npos, verb.Out.find("-- check\nModify: ok\nInsert: ok\nDelete: ok\nRefresh Record: ok\n"))
      << verb.Out;
}

TEST_F(DesignerCommandTest, CheckOnServerInTheSQLEditor) {
  TRun ok = Designer("verb " + FForm.string() + " CustomerQuery 1 --check");
  EXPECT_EQ(0, ok.Code) << ok.Out;
  EXPECT_NE(std::string::npos, ok.Out.find("-- check\nServer check: ok\n")) << ok.Out;
  std::string form = Original;
  form.replace(form.find("select * from orders"), 20, "select * from ordres");
  WriteFile(FForm, form);
  TRun refused = Designer("verb " + FForm.string() + " CustomerQuery 1 --check");
  EXPECT_EQ(1, refused.Code) << refused.Out;
  EXPECT_NE(std::string::npos, refused.Out.find("Server check: error 1146: Table 'quelm_test.ordres' doesn't exist"))
      << refused.Out;
  EXPECT_EQ(form, ReadFile(FForm));
}
