// A whole application migrated in one run: the legacy application of the
// fixtures (an ancestor form with two levels of descendants, a data module,
// units, a binary form, an unreadable file, datasets of the four access
// layers) migrated into an output folder.
#include "designhost/migration/ApplicationMigration.h"
#include "support/ExpectRaises.h"

#include "MigratorTestModules.h"

#include "designhost/DesignRegistry.h"
#include "designhost/session/TDesignSession.h"
#include "streaming/BinaryForm.h"
#include "streaming/TFormFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace fs = std::filesystem;
using namespace migrator_test;

namespace {

fs::path LegacyApp() { return FixtureDir() / "legacy-app"; }

// A copy of the legacy application and an output folder beside it.
class TLegacyAppRun {
public:
  TLegacyAppRun()
      : FDir(fs::temp_directory_path() / ("quelm-legacy-app-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(FDir);
    fs::create_directories(FDir);
    fs::copy(LegacyApp(), In(), fs::copy_options::recursive);
  }
  ~TLegacyAppRun() {
    std::error_code ec;
    fs::remove_all(FDir, ec);
  }
  fs::path In() const { return FDir / "in"; }
  fs::path Out() const { return FDir / "out"; }

  // The whole application, or the folder under it given.
  TApplicationMigrationReport Run(TApplicationMigrationOptions options, const std::string& folder = "") {
    Registry();
    options.Paths = {(folder.empty() ? In() : In() / folder).string()};
    options.RunMigrator = [](TComponent& migrator) { dynamic_cast<TBDE2QuelmDorvik&>(migrator).Migrate(); };
    return MigrateApplication(options);
  }

private:
  fs::path FDir;
};

std::vector<std::string> FilesUnder(const fs::path& dir) {
  std::vector<std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files.push_back(e.path().lexically_relative(dir).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

const TFileMigration& FileEnding(const TApplicationMigrationReport& report, const std::string& tail) {
  for (const TFileMigration& f : report.Files)
    if (f.Path.size() >= tail.size() && f.Path.compare(f.Path.size() - tail.size(), tail.size(), tail) == 0) return f;
  throw std::runtime_error("no file " + tail + " in the report");
}

// Reads a set of form files together; the warnings of all of them, each
// with its file's name but not its place (which moves when a form changes).
std::vector<std::string> ReadTogether(const std::vector<std::string>& paths) {
  TModuleServices services(Registry());
  services.OpenModules(paths);
  std::vector<std::string> warnings;
  for (int i = 0; i < services.GetModuleCount(); ++i) {
    const std::string& file = services.GetModule(i)->FileName();
    for (const std::string& w : services.GetModule(i)->Warnings())
      warnings.push_back(fs::path(file).filename().string() + w.substr(w.find(": ", file.size())));
  }
  return warnings;
}

// Each form's unit written beside it declares exactly the form's own
// components (not the inherited ones) with their classes. A form whose unit
// had nothing to change has none there.
void ExpectUnitsDeclareTheFormsOwnComponents(const std::vector<std::string>& forms) {
  TDesignSession session(Registry(), TDesignRegistry::Instance());
  for (TDesignModule* m : session.Open(forms)) {
    if (!fs::exists(fs::path(m->FileName()).replace_extension(".pas"))) continue;
    ASSERT_NE(m->Unit(), nullptr) << m->FileName() << ": " << m->UnitProblem();
    std::vector<std::string> own, declared;
    for (int i = 0; i < m->Root()->ComponentCount(); ++i)
      if (TComponent* c = m->Root()->Components(i); !c->IsAncestor()) own.push_back(c->Name() + ": " + c->ClassName());
    for (const TUnitFieldDeclaration& f : m->Unit()->FindClass(m->RootClassName())->Fields)
      for (const auto& n : f.Names) declared.push_back(n.Text + ": " + f.TypeName);
    std::sort(own.begin(), own.end());
    std::sort(declared.begin(), declared.end());
    EXPECT_EQ(declared, own) << m->FileName();
  }
}

TEST(ApplicationMigrationTest, TheLegacyAppMigratesIntoAnOutputFolderAndLeavesItsInputAlone) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.OutDir = app.Out().string();
  options.CreateDatabase = "DataMod.QuelmDb";
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");

  // The unreadable file is left out with its place, and the run says so.
  ASSERT_EQ(report.LeftOut.size(), 1u);
  EXPECT_EQ(report.LeftOut[0].Where, (app.In() / "forms/Broken.dfm").string() + ":2:13");
  EXPECT_EQ(report.LeftOut[0].Reason, "unterminated string");
  EXPECT_EQ(report.ExitCode(), 1);

  // The input is as it was; every changed form is under the output folder.
  for (const std::string& file : FilesUnder(LegacyApp()))
    EXPECT_EQ(ReadFile(app.In() / file), ReadFile(LegacyApp() / file)) << file;
  EXPECT_EQ(FilesUnder(app.Out()),
            (std::vector<std::string>{"DataMod.dfm", "DataMod.pas", "forms/BaseForm.dfm", "forms/BaseForm.pas",
                                      "forms/Reports.dfm", "forms/Reports.pas", "forms/customers/CustomerDetailForm.dfm",
                                      "forms/customers/CustomerDetailForm.pas", "forms/customers/CustomerForm.dfm",
                                      "forms/customers/CustomerForm.pas", "forms/orders/ClosedOrderForm.dfm",
                                      "forms/orders/OpenOrderForm.dfm", "forms/orders/OrderListForm.dfm",
                                      "forms/orders/OrderListForm.pas"}));
  EXPECT_TRUE(IsBinaryForm(ReadFile(app.Out() / "forms/Reports.dfm")));

  // The output forms load together, with no warning the input did not have.
  std::vector<std::string> in, out;
  for (const std::string& file : FilesUnder(app.Out()))
    if (fs::path(file).extension() == ".dfm") {
      in.push_back((app.In() / file).string());
      out.push_back((app.Out() / file).string());
    }
  std::vector<std::string> before = ReadTogether(in), after = ReadTogether(out);
  for (const std::string& w : after)
    EXPECT_NE(std::find(before.begin(), before.end(), w), before.end()) << "new warning " << w;

  std::string customer = ReadFile(app.Out() / "forms/customers/CustomerForm.dfm");
  std::string detail = ReadFile(app.Out() / "forms/customers/CustomerDetailForm.dfm");
  // A reference into the file left out stays as it was read.
  EXPECT_NE(detail.find("  object dsBroken: TDataSource\r\n    DataSet = Broken.qryBroken\r\n"), std::string::npos)
      << detail;

  // No descendant declares an object of a name its ancestor declares.
  EXPECT_EQ(customer.find("object qryBase"), std::string::npos) << customer;
  EXPECT_EQ(detail.find("object tblCustomers"), std::string::npos) << detail;
  EXPECT_EQ(detail.find("object qryBase"), std::string::npos) << detail;
  // The inherited datasets took their ancestors' new classes with the
  // descendants' own differences only: the SQL of its own, an index setting
  // that the new dataset has not (left behind, see the report), nothing of
  // what the ancestor sets.
  size_t begin = customer.find("  inherited qryBase: TQuelmQuery\r\n");
  ASSERT_NE(begin, std::string::npos) << customer;
  std::string node = customer.substr(begin, customer.find("\r\n  end\r\n", begin) - begin);
  EXPECT_NE(node.find("    SQL.Strings = (\r\n      'select * from customers where id = :id and active = 1')"),
            std::string::npos)
      << node;
  EXPECT_EQ(node.find("Database"), std::string::npos) << node;
  EXPECT_NE(detail.find("  inherited tblCustomers: TQuelmTable\r\n  end\r\n"), std::string::npos) << detail;
  EXPECT_EQ(detail.find("IndexFieldNames"), std::string::npos) << detail;
  // The inline frame's dataset is the frame's file's to convert.
  EXPECT_NE(customer.find("    inherited qryNav: TQuery\r\n"), std::string::npos) << customer;

  // Each unit declares exactly its form's own components, with their new
  // classes, and uses the suite's unit; the old access layer's units stay.
  ExpectUnitsDeclareTheFormsOwnComponents(out);
  std::string baseUnit = ReadFile(app.Out() / "forms/BaseForm.pas");
  EXPECT_NE(baseUnit.find("  SysUtils, Classes, Forms, DB, DBTables, QuelmAccess;\r\n"), std::string::npos) << baseUnit;
  EXPECT_NE(baseUnit.find("    qryBase: TQuelmQuery;\r\n"), std::string::npos) << baseUnit;
  // A descendant declares no inherited component.
  std::string customerUnit = ReadFile(app.Out() / "forms/customers/CustomerForm.pas");
  EXPECT_EQ(customerUnit.find("qryBase"), std::string::npos) << customerUnit;

  // The database was made on the open data module with the application's
  // own connection settings, never its password.
  EXPECT_EQ(report.Database, "DataMod.QuelmDb");
  EXPECT_EQ(report.ConnectionFrom, "DataMod.ZConnection1 (TZConnection)");
  EXPECT_EQ(report.Carried, (std::vector<std::pair<std::string, std::string>>{
                                {"Host", "db.example.org"},
                                {"Port", "3307"},
                                {"DatabaseName", "legacy"},
                                {"UserName", "app"}}));
  std::string dataMod = ReadFile(app.Out() / "DataMod.dfm");
  EXPECT_NE(dataMod.find("  object QuelmDb: TQuelmDatabase\r\n"), std::string::npos) << dataMod;
  EXPECT_EQ(dataMod.find("UserPassword"), std::string::npos) << dataMod;
  // The new datasets of other modules refer to it across modules.
  EXPECT_NE(detail.find("    Database = DataMod.QuelmDb\r\n"), std::string::npos) << detail;

  // A dbExpress dataset naming a table or a procedure runs a statement.
  EXPECT_NE(detail.find("      'SELECT * FROM ORDERS')"), std::string::npos) << detail;
  EXPECT_NE(detail.find("      'CALL ORDER_TOTALS')"), std::string::npos) << detail;
}

TEST(ApplicationMigrationTest, TheReportListsEveryLeftBehindPropertyAndEverySkippedDataSet) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.DryRun = true;
  options.CreateDatabase = "DataMod.QuelmDb";
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");
  EXPECT_FALSE(fs::exists(app.Out()));

  std::vector<std::string> leftBehind, skipped, converted, fates, links;
  for (const TFileMigration& f : report.Files) {
    for (const TLeftBehind& l : f.LeftBehind) leftBehind.push_back(l.Component + "." + l.Property + " = " + l.Value);
    for (const TSkippedDataSet& s : f.Skipped) skipped.push_back(s.Name + ": " + s.Class);
    for (const TConvertedDataSet& c : f.Converted)
      converted.push_back(c.Name + ": " + c.FromClass + " -> " + c.ToClass +
                          (c.Follows.empty() ? "" : " following " + c.Follows));
    for (const TUpdateObjectFate& u : f.UpdateObjects) fates.push_back(u.Source + " " + u.Action + " as " + u.NewName);
    for (const TRepointed& l : f.LookupFields) links.push_back(l.Name + " -> " + l.Target);
  }
  std::sort(leftBehind.begin(), leftBehind.end());
  EXPECT_EQ(leftBehind, (std::vector<std::string>{
                            "BaseForm.qryBase.DatabaseName = 'LEGACY'",
                            "BaseForm.qryBase.Params = <1 items>",
                            "ClosedOrderForm.adoOrderLines.CommandType = cmdTable",
                            "CustomerDetailForm.sdsOrders.CommandType = ctTable",
                            "CustomerDetailForm.sdsOrders.DataSource = dsCustomers",
                            "CustomerDetailForm.sdsOrders.Params = <0 items>",
                            "CustomerDetailForm.sdsOrders.SQLConnection = DataMod.SQLConnection1",
                            "CustomerDetailForm.sdsTotals.CommandType = ctStoredProc",
                            "CustomerDetailForm.sdsTotals.SQLConnection = DataMod.SQLConnection1",
                            "CustomerDetailForm.tblCustomers.IndexFieldNames = 'NAME;ID'",
                            "CustomerForm.tblCustomers.Connection = DataMod.ADOConnection1",
                            "CustomerForm.tblCustomers.IndexFieldNames = 'NAME'",
                            "CustomerForm.tblCustomers.MasterFields = 'ID'",
                            "CustomerForm.tblCustomers.MasterSource = dsBase",
                            "DataMod.qryCities.CachedUpdates = True",
                            "DataMod.qryCities.Connection = ZConnection1",
                            "DataMod.spRecalc.Connection = ZConnection1",
                            "DataMod.spRecalc.Params = <1 items>",
                            "DataMod.tblCountries.Connection = ZConnection1",
                            "DataMod.tblCountries.IndexFieldNames = 'CODE'",
                            "OpenOrderForm.sdsOrders.CommandType = ctTable",
                            "OrderListForm.adoOrderLines.CommandType = cmdStoredProc",
                            "ReportsForm.adoSales.Connection = DataMod.ADOConnection1",
                            "ReportsForm.adoSales.Parameters = <1 items>",
                            "ReportsForm.adoTargets.CommandType = cmdTableDirect",
                            "ReportsForm.adoTargets.Connection = DataMod.ADOConnection1",
                            "ReportsForm.adoTotals.Connection = DataMod.ADOConnection1",
                            "ReportsForm.sqlRegions.DataSource = dsSales",
                            "ReportsForm.sqlRegions.SQLConnection = DataMod.SQLConnection1",
                        }));
  // The inherited datasets whose ancestors are in the run are converted
  // with them, not skipped.
  EXPECT_EQ(skipped, (std::vector<std::string>{"DataMod.qryAudit: TAuditQuery",
                                               "CustomerForm.NavFrame.qryNav: TQuery"}));
  EXPECT_EQ(converted.size(), 19u);
  for (const char* c : {"DataMod.tblCountries: TZTable -> TQuelmTable",
                        "CustomerForm.qryBase: TQuery -> TQuelmQuery following BaseForm.qryBase",
                        "CustomerDetailForm.tblCustomers: TADOTable -> TQuelmTable following CustomerForm.tblCustomers"})
    EXPECT_NE(std::find(converted.begin(), converted.end(), c), converted.end()) << c;
  EXPECT_EQ(fates, (std::vector<std::string>{"DataMod.updCities carried as DataMod.updCities"}));
  EXPECT_EQ(links, (std::vector<std::string>{"CustomerForm.tblCustomersCITY -> DataMod.qryCities"}));
  std::vector<std::string> moved;
  for (const TConvertedDataSet& c : FileEnding(report, "CustomerForm.dfm").Converted)
    if (c.Name == "CustomerForm.tblCustomers") moved = c.MovedFields;
  EXPECT_EQ(moved, (std::vector<std::string>{"tblCustomersID", "tblCustomersCITY"}));
}

TEST(ApplicationMigrationTest, KeptSourcesAreDeclaredUnderTheirNewNamesBesideTheNewDataSets) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.OutDir = app.Out().string();
  options.CreateDatabase = "DataMod.QuelmDb";
  options.KeepSources = true;
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");
  std::vector<std::string> out;
  for (const std::string& file : FilesUnder(app.Out()))
    if (fs::path(file).extension() == ".dfm") out.push_back((app.Out() / file).string());
  ExpectUnitsDeclareTheFormsOwnComponents(out);
  std::string base = ReadFile(app.Out() / "forms/BaseForm.pas");
  EXPECT_NE(base.find("    Die_qryBase: TQuery;\r\n    dsBase: TDataSource;\r\n    qryBase: TQuelmQuery;\r\n"),
            std::string::npos)
      << base;
  // The descendant's copy follows the new dataset; the kept source, which
  // it changes nothing of, has no node there.
  std::string customer = ReadFile(app.Out() / "forms/customers/CustomerForm.dfm");
  EXPECT_NE(customer.find("  inherited qryBase: TQuelmQuery\r\n"), std::string::npos) << customer;
  EXPECT_EQ(customer.find("Die_qryBase"), std::string::npos) << customer;
}

TEST(ApplicationMigrationTest, TheReportListsTheUnitCodeThatStillNamesAConvertedClass) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.DryRun = true;
  options.CreateDatabase = "DataMod.QuelmDb";
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");
  // The private field and the code; neither the form's declarations nor a comment.
  std::vector<std::string> mentions;
  for (const TUnitMention& m : FileEnding(report, "Reports.dfm").UnitMentions)
    mentions.push_back(std::to_string(m.Line) + " " + m.Class);
  EXPECT_EQ(mentions, (std::vector<std::string>{"16 TADOStoredProc", "28 TADOQuery", "29 TADOStoredProc"}));
  std::ostringstream printed, json;
  PrintMigrationReport(printed, report);
  WriteMigrationReportJson(json, report);
  EXPECT_NE(printed.str().find("  unit code names TADOQuery: " + (app.In() / "forms/Reports.pas").string() + ":28\n"),
            std::string::npos)
      << printed.str();
  EXPECT_NE(json.str().find(R"("unitMentions":[{"line":16,"class":"TADOStoredProc"},{"line":28,"class":"TADOQuery"})"),
            std::string::npos)
      << json.str();
}

TEST(ApplicationMigrationTest, ADescendantWhoseAncestorIsNotAmongTheFilesKeepsItsInheritedDataSets) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.OutDir = app.Out().string();
  options.CreateDatabase = "QuelmData.Db";
  // The customer forms alone, written at their paths under that folder:
  // their ancestor TBaseForm is not in the run, but CustomerDetailForm's
  // ancestor CustomerForm is.
  TApplicationMigrationReport report = app.Run(options, "forms/customers");
  ASSERT_EQ(report.Failure, "");
  const TFileMigration& customer = FileEnding(report, "CustomerForm.dfm");
  ASSERT_EQ(customer.Skipped.size(), 2u);
  EXPECT_EQ(customer.Skipped[0].Name, "CustomerForm.qryBase");
  EXPECT_EQ(customer.Skipped[0].Reason, "inherited from TBaseForm, which is not among the files");
  std::string text = ReadFile(app.Out() / "CustomerForm.dfm");
  EXPECT_NE(text.find("  inherited qryBase: TQuery\r\n    SQL.Strings = (\r\n"), std::string::npos) << text;
  std::string detail = ReadFile(app.Out() / "CustomerDetailForm.dfm");
  EXPECT_NE(detail.find("  inherited tblCustomers: TQuelmTable\r\n"), std::string::npos) << detail;
  EXPECT_TRUE(FileEnding(report, "CustomerDetailForm.dfm").Skipped.empty());
}

// The order forms: OrderListForm declares a dbExpress dataset with a
// statement and an ADO one calling a procedure; OpenOrderForm makes the first
// read a table and gives the second another procedure; ClosedOrderForm,
// below it, names another table and makes the second read a table. Each
// descendant's name is read by the nearest command type above it.
TEST(ApplicationMigrationTest, AnInheritedCommandTextNamingATableOrProcedureBecomesAStatement) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.OutDir = app.Out().string();
  options.CreateDatabase = "QuelmData.Db";
  TApplicationMigrationReport report = app.Run(options, "forms/orders");
  ASSERT_EQ(report.Failure, "");
  EXPECT_EQ(ReadFile(app.Out() / "OpenOrderForm.dfm"),
            "inherited OpenOrderForm: TOpenOrderForm\r\n"
            "  Caption = 'Open orders'\r\n"
            "  inherited sdsOrders: TQuelmQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'SELECT * FROM OPEN_ORDERS')\r\n"
            "  end\r\n"
            "  inherited adoOrderLines: TQuelmQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'CALL `Open Order Lines`')\r\n"
            "  end\r\n"
            "end\r\n");
  EXPECT_EQ(ReadFile(app.Out() / "ClosedOrderForm.dfm"),
            "inherited ClosedOrderForm: TClosedOrderForm\r\n"
            "  Caption = 'Closed orders'\r\n"
            "  inherited sdsOrders: TQuelmQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'SELECT * FROM CLOSED_ORDERS')\r\n"
            "  end\r\n"
            "  inherited adoOrderLines: TQuelmQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'SELECT * FROM `Open Order Lines`')\r\n"
            "  end\r\n"
            "end\r\n");
  // Reported as a form's own dataset is: the command text is carried, the
  // command type said to be read into the SQL.
  std::vector<std::string> leftBehind;
  for (const TFileMigration& f : report.Files)
    for (const TLeftBehind& l : f.LeftBehind)
      leftBehind.push_back(l.Component + "." + l.Property + " = " + l.Value + ": " + l.Note);
  std::sort(leftBehind.begin(), leftBehind.end());
  EXPECT_EQ(leftBehind,
            (std::vector<std::string>{
                "ClosedOrderForm.adoOrderLines.CommandType = cmdTable: "
                "the SQL was made from the command text by its command type",
                "OpenOrderForm.sdsOrders.CommandType = ctTable: the SQL was made from the command text by its command type",
                "OrderListForm.adoOrderLines.CommandType = cmdStoredProc: "
                "the SQL was made from the command text by its command type",
            }));
}

TEST(ApplicationMigrationTest, ADatabaseModuleIsMadeWithItsUnitWhenNoOpenModuleHasTheRoot) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.OutDir = app.Out().string();
  options.CreateDatabase = "QuelmData.Db";
  options.CarryConnection = "DataMod.SQLConnection1";
  options.Diff = true;
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");
  EXPECT_EQ(report.Database, "QuelmData.Db");
  EXPECT_EQ(report.DatabaseModuleCreated, (app.Out() / "QuelmData.dfm").string());
  EXPECT_EQ(ReadFile(app.Out() / "QuelmData.dfm"),
            "object QuelmData: TQuelmData\r\n"
            "  object Db: TQuelmDatabase\r\n"
            "    DatabaseName = 'legacy'\r\n"
            "    Host = 'dbxhost'\r\n"
            "    UserName = 'dbx'\r\n"
            "  end\r\n"
            "end\r\n");
  std::string unit = ReadFile(app.Out() / "QuelmData.pas");
  EXPECT_NE(unit.find("  TQuelmData = class(TDataModule)\r\n    Db: TQuelmDatabase;\r\n"), std::string::npos) << unit;
  EXPECT_NE(ReadFile(app.Out() / "forms/BaseForm.dfm").find("    Database = QuelmData.Db\r\n"), std::string::npos);
  // The binary form's diff is shown as text.
  const TFileMigration& reports = FileEnding(report, "Reports.dfm");
  EXPECT_NE(reports.Diff.find("+  object adoTargets: TQuelmQuery\r\n"), std::string::npos) << reports.Diff;
  EXPECT_NE(reports.Diff.find("-  object adoTargets: TADODataSet\r\n"), std::string::npos) << reports.Diff;
}

TEST(ApplicationMigrationTest, WithoutAnOutputFolderEachChangedFileChangesInPlace) {
  TLegacyAppRun app;
  TApplicationMigrationOptions options;
  options.CreateDatabase = "DataMod.QuelmDb";
  options.CarryConnection = "none";
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");
  EXPECT_TRUE(report.Carried.empty());
  EXPECT_NE(ReadFile(app.In() / "forms/BaseForm.dfm").find("object qryBase: TQuelmQuery"), std::string::npos);
  // The unreadable file stays as it was; no temporary file is left beside anything.
  EXPECT_EQ(ReadFile(app.In() / "forms/Broken.dfm"), ReadFile(LegacyApp() / "forms/Broken.dfm"));
  for (const std::string& file : FilesUnder(app.In())) EXPECT_EQ(file.find(".tmp-"), std::string::npos) << file;
}

TEST(ApplicationMigrationTest, BadDatabaseOptionsStopBeforeAnythingIsWritten) {
  auto check = [](const std::string& database, const std::string& create, const std::string& carry,
                  const std::string& message) {
    TLegacyAppRun app;
    TApplicationMigrationOptions options;
    options.Database = database;
    options.CreateDatabase = create;
    options.CarryConnection = carry;
    EXPECT_TRUE(TestSupport::Raises<std::invalid_argument>([&] { app.Run(options); }, message)) << database << create;
    for (const std::string& file : FilesUnder(LegacyApp()))
      EXPECT_EQ(ReadFile(app.In() / file), ReadFile(LegacyApp() / file)) << file;
  };
  check("Nowhere", "", "", "no open form has a component Nowhere");
  check("DataMod.qryCities", "", "", "DataMod.qryCities is a TZQuery, not a TQuelmDatabase");
  check("", "DataMod", "", "--create-database wants MODULE.NAME, two names, not 'DataMod'");
  check("", "DataMod.qryCities", "", "DataMod.qryCities is a TZQuery, not a TQuelmDatabase");
  check("", "DataMod.Db", "DataMod.Nothing", "no connection component DataMod.Nothing on the open forms");
}

} // namespace

namespace {

TEST(ApplicationMigrationTest, ABrokenBinaryFormIsLeftOutAtItsOffsetAndDuplicateRootsAreNamed) {
  TLegacyAppRun app;
  std::string binary = ReadFile(app.In() / "forms/Reports.dfm");
  std::ofstream(app.In() / "forms/Cut.dfm", std::ios::binary) << binary.substr(0, 120);
  fs::copy_file(app.In() / "DataMod.dfm", app.In() / "forms/DataModCopy.dfm");
  TApplicationMigrationOptions options;
  options.DryRun = true;
  options.CreateDatabase = "DataMod.QuelmDb";
  TApplicationMigrationReport report = app.Run(options);
  ASSERT_EQ(report.Failure, "");
  std::vector<std::string> where;
  for (const TLeftOutFile& l : report.LeftOut) where.push_back(l.Where.substr(app.In().string().size() + 1));
  ASSERT_EQ(where.size(), 2u);
  EXPECT_EQ(where[0], "forms/Broken.dfm:2:13");
  EXPECT_EQ(where[1].rfind("forms/Cut.dfm: offset ", 0), 0u) << where[1];
  ASSERT_EQ(report.DuplicateRoots.size(), 1u);
  EXPECT_EQ(report.DuplicateRoots[0].first, "DataMod");
  EXPECT_EQ(report.DuplicateRoots[0].second.size(), 2u);
}

} // namespace

namespace {

// One form in a folder of its own, migrated with the given options.
TApplicationMigrationReport MigrateOneForm(const std::string& text, TApplicationMigrationOptions options) {
  fs::path dir = fs::temp_directory_path() / ("quelm-one-form-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "form.dfm", std::ios::binary) << text;
  Registry();
  options.Paths = {dir.string()};
  options.DryRun = true;
  options.RunMigrator = [](TComponent& migrator) { dynamic_cast<TBDE2QuelmDorvik&>(migrator).Migrate(); };
  TApplicationMigrationReport report = MigrateApplication(options);
  fs::remove_all(dir);
  return report;
}

TEST(ApplicationMigrationTest, UpdateObjectsAreCarriedCopiedDeletedOrKept) {
  const std::string form =
      "object Form1: TForm1\r\n"
      "  object Db: TQuelmDatabase\r\n"
      "  end\r\n"
      "  object QueryA: TQuery\r\n"
      "    UpdateObject = UpdateSQL1\r\n"
      "  end\r\n"
      "  object QueryB: TQuery\r\n"
      "    UpdateObject = UpdateSQL1\r\n"
      "  end\r\n"
      "  object QueryC: TQuery\r\n"
      "    UpdateObject = Custom1\r\n"
      "  end\r\n"
      "  object UpdateSQL1: TUpdateSQL\r\n"
      "  end\r\n"
      "  object Custom1: TCustomUpdater\r\n"
      "  end\r\n"
      "end\r\n";
  auto fates = [&](bool keepSources) {
    TApplicationMigrationOptions options;
    options.KeepSources = keepSources;
    TApplicationMigrationReport report = MigrateOneForm(form, options);
    EXPECT_EQ(report.Failure, "");
    std::vector<std::string> rows;
    for (const TUpdateObjectFate& u : report.Files.at(0).UpdateObjects)
      rows.push_back(u.DataSet + ": " + u.Source + " (" + u.SourceClass + ") " + u.Action +
                     (u.NewName.empty() ? "" : " as " + u.NewName));
    std::sort(rows.begin(), rows.end());
    return rows;
  };
  // The migrator frees a source's update object whatever its class; the
  // report says so rather than letting it go quietly.
  EXPECT_EQ(fates(false), (std::vector<std::string>{
                              "Form1.QueryA: Form1.UpdateSQL1 (TUpdateSQL) copied as Form1.UpdateSQL1_2",
                              "Form1.QueryB: Form1.UpdateSQL1 (TUpdateSQL) carried as Form1.UpdateSQL1",
                              "Form1.QueryC: Form1.Custom1 (TCustomUpdater) deleted",
                          }));
  EXPECT_EQ(fates(true), (std::vector<std::string>{
                             "Form1.QueryA: Form1.UpdateSQL1 (TUpdateSQL) copied as Form1.UpdateSQL1_2",
                             "Form1.QueryB: Form1.UpdateSQL1 (TUpdateSQL) carried as Form1.UpdateSQL1",
                             "Form1.QueryC: Form1.Custom1 (TCustomUpdater) kept",
                         }));
}

} // namespace
