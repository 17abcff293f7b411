// quelm-designer's edit command on a table's MasterFields: the field link
// designer played from a script against the test server, on a form with a
// master and a detail table.
#include "support/TestFolder.h"
#include "support/TestServer.h"
#include <gtest/gtest.h>
#include "support/RunProgram.h"
#include "support/Files.h"

#include <sys/wait.h>
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

TRun RunDesigner(const std::string& args) { return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " " + args); }

class FieldLinkCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_TEST_SERVER();
    FDir = FFolder.emplace("quelm-fieldlink-test").Path();
    FForm = FDir / "Orders.dfm";
    WriteFile(FForm, Original);
  }
  void TearDown() override {
    FFolder.reset();
  }

  // Edits the detail table's MasterFields with the script.
  TRun Edit(const std::string& script) {
    fs::path file = FDir / "links.txt";
    WriteFile(file, script);
    return RunDesigner("edit " + FForm.string() + " Orders MasterFields --script " + file.string() +
                       TestSupport::TestServerOptions());
  }

  // The master's MasterFields-like properties look the same as the
  // detail's, so a change in the wrong table would show.
  const std::string Original = Crlf({
      "object OrdersForm: TOrdersForm",
      "  Caption = 'Orders'",
      "  object OrdersDB: TQuelmDatabase",
      "    DatabaseName = 'quelm_test'",
      "    Left = 24",
      "    Top = 16",
      "  end",
      "  object Customers: TQuelmTable",
      "    Database = OrdersDB",
      "    IndexFieldNames = 'region'",
      "    MasterFields = 'x'",
      "    TableName = 'customer'",
      "    Left = 24",
      "    Top = 64",
      "  end",
      "  object CustomerSource: TDataSource",
      "    DataSet = Customers",
      "    Left = 96",
      "    Top = 64",
      "  end",
      "  object Orders: TQuelmTable",
      "    Database = OrdersDB",
      "    IndexFieldNames = 'region'",
      "    MasterFields = 'region'",
      "    MasterSource = CustomerSource",
      "    TableName = 'orders'",
      "    Left = 24",
      "    Top = 112",
      "  end",
      "end",
  });
  std::optional<TestSupport::TTestFolder> FFolder;
  fs::path FDir, FForm;
};

} // namespace

TEST_F(FieldLinkCommandTest, CancelABrokenScriptAndAnUnchangedOkLeaveTheFileAlone) {
  TRun cancelled = Edit("select DetailList customer_id\n"
                        "select MasterList id\n"
                        "click AddButton\n"
                        "click Button2\n");
  EXPECT_EQ(cancelled.Code, 0) << cancelled.Out;
  EXPECT_EQ(cancelled.Out, "region\n");
  EXPECT_EQ(ReadFile(FForm), Original);

  TRun unchanged = Edit("click Button1\n");
  EXPECT_EQ(unchanged.Code, 0) << unchanged.Out;
  EXPECT_EQ(unchanged.Out, "region\n");
  EXPECT_EQ(ReadFile(FForm), Original);

  TRun broken = Edit("select DetailList no_such_field\nclick Button1\n");
  EXPECT_NE(broken.Code, 0) << broken.Out;
  EXPECT_NE(broken.Out.find("no_such_field"), std::string::npos) << broken.Out;
  EXPECT_EQ(ReadFile(FForm), Original);
}

TEST_F(FieldLinkCommandTest, AGapInTheIndexIsShownAndTheWholeIndexIsWrittenByName) {
  TRun run = Edit("# the second field alone cannot use the index\n"
                  "click ClearButton\n"
                  "select DetailList customer_id\n"
                  "select MasterList id\n"
                  "click AddButton\n"
                  "click Button1\n"
                  "answer OK\n"
                  "select DetailList region\n"
                  "select MasterList region\n"
                  "click AddButton\n"
                  "click Button1\n");
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("Field 'region', from the Detail Fields list, must be linked"), std::string::npos)
      << run.Out;
  EXPECT_NE(run.Out.find("region;id\nsaved " + FForm.string() + "\n"), std::string::npos) << run.Out;
  std::string expected = Original;
  const std::string detailLinks = "    IndexFieldNames = 'region'\r\n    MasterFields = 'region'\r\n    MasterSource";
  expected.replace(expected.find(detailLinks), detailLinks.size(),
                   "    IndexName = 'by_customer'\r\n    MasterFields = 'region;id'\r\n    MasterSource");
  EXPECT_EQ(ReadFile(FForm), expected);
}

TEST(FieldLinkPaletteTest, TheMasterFieldsEditorIsTheFifthOfThirteenRegistrations) {
  TRun run = RunDesigner("palette --json");
  ASSERT_EQ(run.Code, 0) << run.Out;
  size_t start = run.Out.find("\"propertyEditors\":[");
  ASSERT_NE(start, std::string::npos) << run.Out;
  std::vector<std::string> editors;
  for (size_t at = run.Out.find("\"editor\":\"", start); at != std::string::npos;
       at = run.Out.find("\"editor\":\"", at + 1)) {
    size_t begin = at + 10;
    editors.push_back(run.Out.substr(begin, run.Out.find('"', begin) - begin));
  }
  EXPECT_EQ(editors, (std::vector<std::string>{
                         "TQuelmTableNamePropertyEditor", "TQuelmIndexNamePropertyEditor",
                         "TQuelmIndexFieldNamesPropertyEditor", "TQuelmDataSourcePropertyEditor",
                         "TQuelmTableFieldLinkProperty", "TAboutProperty", "TQuelmFileNameProperty",
                         "TQuelmFileNameProperty", "TMigrateExecutePropertyEditor",
                         "TQuelmStoredProcNamePropertyEditor", "TQuelmDatabaseCharsetPropertyEditor",
                         "TQuelmDatabaseCollationPropertyEditor", "TQuelmSPParamsProperty"}));
  EXPECT_NE(run.Out.find("{\"type\":\"string\",\"class\":\"TQuelmTable\",\"property\":\"MasterFields\","
                         "\"editor\":\"TQuelmTableFieldLinkProperty\"}"),
            std::string::npos)
      << run.Out;
}
