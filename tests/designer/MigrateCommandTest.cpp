// quelm-designer migrate run as a user runs it, on form files in a temporary
// folder; the migrator needs no server.
#include "support/TestFolder.h"
#include "support/RunProgram.h"
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

const char* const Form =
    "object Form1: TForm1\r\n"
    "  object Query1: TQuery\r\n"
    "    DatabaseName = 'MAIN'\r\n"
    "    SQL.Strings = (\r\n"
    "      'select * from orders')\r\n"
    "    Left = 24\r\n"
    "    Top = 8\r\n"
    "    object Query1ID: TIntegerField\r\n"
    "      FieldName = 'ID'\r\n"
    "    end\r\n"
    "    object Query1CUSTOMER: TStringField\r\n"
    "      FieldKind = fkLookup\r\n"
    "      FieldName = 'CUSTOMER'\r\n"
    "      LookupDataSet = DM.Customers\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object DataSource1: TDataSource\r\n"
    "    DataSet = Query1\r\n"
    "  end\r\n"
    "end\r\n";

const char* const Module =
    "object DM: TDataModule\r\n"
    "  object Db1: TQuelmDatabase\r\n"
    "  end\r\n"
    "  object Customers: TADOTable\r\n"
    "    TableName = 'CUSTOMERS'\r\n"
    "  end\r\n"
    "end\r\n";

class MigrateCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = FFolder.emplace("quelm-migrate-test").Path();
    WriteText(FDir / "form.dfm", Form);
    WriteText(FDir / "dm.dfm", Module);
  }
  void TearDown() override { FFolder.reset(); }

  using TRun = TestSupport::TProgramRun;
  TRun Run(const std::string& args) {
    return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " " + args, FDir.string());
  }
  std::optional<TestSupport::TTestFolder> FFolder;
  fs::path FDir;
};

TEST_F(MigrateCommandTest, BadOptionsAndAMissingDatabaseWriteNothing) {
  auto check = [&](const std::string& args, int code, const std::string& firstLine) {
    TRun run = Run("migrate " + args);
    EXPECT_EQ(run.Code, code) << args;
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')), firstLine) << args;
  };
  check("", 2, "migrate: give at least one form file or folder");
  check("form.dfm --frobnicate", 2, "migrate: unknown option --frobnicate");
  check("form.dfm dm.dfm --convert bde,odbc", 2, "migrate: unknown access layer 'odbc' (give bde, ado, dbx or zeos)");
  check("form.dfm dm.dfm --database Customers", 2, "migrate: Customers is a TADOTable, not a TQuelmDatabase");
  check("form.dfm", 1, "migrate: BDE2QuelmDorvik1: Database not assigned");
  EXPECT_EQ(ReadText(FDir / "form.dfm"), Form);
  EXPECT_EQ(ReadText(FDir / "dm.dfm"), Module);
}

TEST_F(MigrateCommandTest, DryRunReportsWithoutWriting) {
  TRun run = Run("migrate form.dfm dm.dfm --keep-sources --dry-run");
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(run.Out,
            "migrator Form1.BDE2QuelmDorvik1 (dropped for this run), database DM.Db1\n"
            "form.dfm: changed\n"
            "  converted Form1.Query1: TQuery -> TQuelmQuery (source kept as Form1.Die_Query1)\n"
            "    moved fields: Query1ID Query1CUSTOMER\n"
            "  data source Form1.DataSource1 -> Form1.Query1\n"
            "  lookup field Form1.Query1CUSTOMER -> DM.Customers\n"
            "  left behind Form1.Query1.DatabaseName = 'MAIN': connection: the new dataset uses Database = DM.Db1\n"
            "dm.dfm: changed\n"
            "  converted DM.Customers: TADOTable -> TQuelmTable (source kept as DM.Die_Customers)\n"
            "message: 2 dataset descendants processed successfully\n"
            "2 files read, 2 would change, 0 left out\n");
  EXPECT_EQ(ReadText(FDir / "form.dfm"), Form);
}

TEST_F(MigrateCommandTest, TheChosenLayerIsMigratedAndSavedWithoutTheDroppedMigrator) {
  TRun run = Run("--json migrate form.dfm dm.dfm --convert ado");
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(run.Out,
            "{\"migrator\":\"Form1.BDE2QuelmDorvik1\",\"dropped\":true,\"database\":{\"name\":\"DM.Db1\","
            "\"created\":false,\"file\":null,\"newModule\":null,\"connectionFrom\":null,\"carried\":{}},"
            "\"dryRun\":false,\"failure\":null,\"files\":[{\"path\":\"form.dfm\",\"output\":\"form.dfm\","
            "\"unit\":null,\"unitOutput\":null,\"status\":\"unchanged\",\"converted\":[],\"dataSources\":[],\"lookupFields\":"
            "[{\"name\":\"Form1.Query1CUSTOMER\",\"lookupDataSet\":\"DM.Customers\"}],\"updateObjects\":[],"
            "\"leftBehind\":[],\"skipped\":[],\"unitNote\":null,\"unitMentions\":[],\"diff\":null,"
            "\"writeError\":null},{\"path\":\"dm.dfm\",\"output\":\"dm.dfm\","
            "\"unit\":null,\"unitOutput\":null,\"status\":\"changed\",\"converted\":[{\"name\":\"DM.Customers\",\"from\":"
            "\"TADOTable\",\"to\":\"TQuelmTable\",\"keptSource\":null,\"follows\":null,\"movedFields\":[]}],"
            "\"dataSources\":[],"
            "\"lookupFields\":[],\"updateObjects\":[],\"leftBehind\":[],\"skipped\":[],\"unitNote\":null,"
            "\"unitMentions\":[],\"diff\":null,\"writeError\":null}],"
            "\"leftOut\":[],\"duplicateRoots\":[],\"messages\":[\"1 dataset descendants processed successfully\"]}\n");
  EXPECT_EQ(ReadText(FDir / "dm.dfm"),
            "object DM: TDataModule\r\n"
            "  object Db1: TQuelmDatabase\r\n"
            "  end\r\n"
            "  object Customers: TQuelmTable\r\n"
            "    Database = Db1\r\n"
            "    TableName = 'CUSTOMERS'\r\n"
            "  end\r\n"
            "end\r\n");
  // The lookup field follows the new table under the same name, so the form's
  // text is as it was, and the file is left alone.
  EXPECT_EQ(ReadText(FDir / "form.dfm"), Form);
}

TEST_F(MigrateCommandTest, AMigratorOnTheFormIsUsedWithItsOwnSettingsAndKeepsThem) {
  std::string form = Form;
  const std::string migrator =
      "  object Mig1: TBDE2QuelmDorvik\r\n"
      "    Database = DM.Db1\r\n"
      "    Execute = False\r\n"
      "    ConvertComponents = [convBDE, convADO]\r\n"
      "    DeleteSourceComponents = False\r\n"
      "  end\r\n";
  form.insert(form.size() - std::string("end\r\n").size(), migrator);
  WriteText(FDir / "form.dfm", form);
  TRun run = Run("migrate form.dfm dm.dfm --convert bde");
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')), "migrator Form1.Mig1, database DM.Db1");
  EXPECT_NE(run.Out.find("  converted Form1.Query1: TQuery -> TQuelmQuery (source kept as Form1.Die_Query1)\n"),
            std::string::npos)
      << run.Out;
  EXPECT_EQ(run.Out.find("DM.Customers: TADOTable"), std::string::npos) << run.Out;
  std::string saved = ReadText(FDir / "form.dfm");
  EXPECT_NE(saved.find(migrator), std::string::npos) << saved;
  EXPECT_NE(saved.find("  object Die_Query1: TQuery\r\n"), std::string::npos) << saved;
}

} // namespace

namespace {

TEST_F(MigrateCommandTest, AFolderMigratesIntoAnOutputFolderPastAnUnreadableFile) {
  fs::create_directories(FDir / "app/sub");
  fs::rename(FDir / "form.dfm", FDir / "app/sub/form.dfm");
  fs::rename(FDir / "dm.dfm", FDir / "app/dm.dfm");
  WriteText(FDir / "app/sub/broken.dfm", "object Broken: TForm\r\n  Caption = 'open\r\nend\r\n");
  TRun run = Run("migrate app --out out --diff --report report.json");
  EXPECT_EQ(run.Code, 1) << run.Out;
  // The diff of each changed file, the summary, and the file left out.
  EXPECT_NE(run.Out.find("--- app/sub/form.dfm\n+++ out/sub/form.dfm\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("-  object Query1: TQuery\r\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("app/sub/form.dfm: changed, written to out/sub/form.dfm\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("left out app/sub/broken.dfm:2:13: unterminated string\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("2 files read, 2 changed, 1 left out\n"), std::string::npos) << run.Out;
  // The input is untouched; the output holds the changed forms at their places.
  EXPECT_EQ(ReadText(FDir / "app/sub/form.dfm"), Form);
  EXPECT_EQ(ReadText(FDir / "app/dm.dfm"), Module);
  EXPECT_NE(ReadText(FDir / "out/sub/form.dfm").find("  object Query1: TQuelmQuery\r\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(FDir / "out/dm.dfm"));
  EXPECT_FALSE(fs::exists(FDir / "out/sub/broken.dfm"));
  std::string json = ReadText(FDir / "report.json");
  EXPECT_NE(json.find("\"leftOut\":[{\"path\":\"app/sub/broken.dfm\",\"where\":\"app/sub/broken.dfm:2:13\","
                      "\"reason\":\"unterminated string\"}]"),
            std::string::npos)
      << json;
}

TEST_F(MigrateCommandTest, ADryRunIntoAnOutputFolderWritesNothing) {
  TRun run = Run("migrate form.dfm dm.dfm --out out --dry-run");
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("form.dfm: changed, would write out/form.dfm\n"), std::string::npos) << run.Out;
  EXPECT_FALSE(fs::exists(FDir / "out"));
  EXPECT_EQ(ReadText(FDir / "form.dfm"), Form);
}

TEST_F(MigrateCommandTest, DatabaseOptionsThatCannotWorkTogether) {
  TRun run = Run("migrate form.dfm --database DM.Db1 --create-database DM.Db2");
  EXPECT_EQ(run.Code, 2);
  EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')), "migrate: give --database or --create-database, not both");
}

} // namespace
