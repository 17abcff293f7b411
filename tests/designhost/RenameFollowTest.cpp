// What follows a rename: the form's class, the unit's declarations, the
// references from other open forms, also those kept as read (which a delete
// clears); what would clash is refused.
#include "designhost/session/TDesignSession.h"
#include "support/ExpectRaises.h"
#include "support/Files.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "db/TDataSource.h"
#include "designhost/DesignRegistry.h"
#include "designhost/foreign/ForeignClasses.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using TestSupport::ErrorOf;
using TestSupport::ReadFile;
using TestSupport::WriteFile;

namespace {

const char* const FormDfm =
    "object Form1: TForm1\r\n"
    "  object Query1: TQuery\r\n"
    "  end\r\n"
    "end\r\n";

const char* const FormPas =
    "unit Form1Unit;\r\n\r\ninterface\r\n\r\nuses\r\n  Classes, Forms, DBTables;\r\n\r\ntype\r\n"
    "  TForm1 = class(TForm)\r\n"
    "    Query1: TQuery;\r\n"
    "  private\r\n"
    "    procedure Show; // TForm1 stays in this comment\r\n"
    "  end;\r\n\r\n"
    "  TOrders = class(TObject)\r\n"
    "  end;\r\n\r\n"
    "var\r\n"
    "  Form1: TForm1;\r\n\r\n"
    "implementation\r\n\r\n{$R *.dfm}\r\n\r\n"
    "procedure TForm1.Show;\r\n"
    "begin\r\n"
    "  Caption := 'TForm1';\r\n"
    "end;\r\n\r\nend.\r\n";

const char* const ReportsDfm =
    "object Reports: TReports\n"
    "  object Source1: TDataSource\n"
    "    DataSet = Form1.Query1\n"
    "  end\n"
    "end\n";

struct RenameFollowTest : ::testing::Test {
  TClassRegistry Registry;
  TDesignRegistry Design;
  fs::path Dir = fs::temp_directory_path() / ("quelm-root-rename-" + std::to_string(::getpid()));
  RenameFollowTest() {
    RegisterForeignClasses(Registry);
    Registry.RegisterClass(TDataSource::StaticClass(), "DB");
    fs::create_directories(Dir);
  }
  ~RenameFollowTest() override { fs::remove_all(Dir); }
  std::string Write(const std::string& name, const std::string& text) {
    WriteFile(Dir / name, text);
    return (Dir / name).string();
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

fs::path Corpus() {
  std::vector<fs::path> roots;
  if (const char* env = std::getenv("QUELM_SHARED"); env && *env) roots.emplace_back(env);
  roots.push_back(fs::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "shared");
  for (const auto& r : roots)
    if (fs::is_directory(r / "corpus" / "pas")) return r / "corpus";
  return {};
}

} // namespace

TEST_F(RenameFollowTest, TheClassUnitAndReferencesFollowTheFormsNewName) {
  std::string form = Write("Form1.dfm", FormDfm), unit = Write("Form1.pas", FormPas);
  std::string reports = Write("Reports.dfm", ReportsDfm);
  TDesignSession session(Registry, Design);
  std::vector<TDesignModule*> modules = session.Open({form, reports});
  TDesignModule& m = *modules[0];
  std::vector<std::string> changed = session.RenameRoot(m, "Sales");
  EXPECT_EQ((std::vector<std::string>{unit + ": line 9", unit + ": line 19", unit + ": line 25"}), changed);
  EXPECT_EQ("TSales", m.Root()->ClassName());
  EXPECT_EQ((std::vector<std::string>{form, unit, reports}), session.Save());
  EXPECT_EQ("object Sales: TSales\r\n  object Query1: TQuery\r\n  end\r\nend\r\n", ReadFile(form));
  std::string expected = FormPas;
  expected.replace(expected.find("  TForm1 = class"), 8, "  TSales");
  expected.replace(expected.find("  Form1: TForm1;"), 16, "  Sales: TSales;");
  expected.replace(expected.find("procedure TForm1.Show;"), 22, "procedure TSales.Show;");
  EXPECT_EQ(expected, ReadFile(unit));
  EXPECT_EQ("object Reports: TReports\n  object Source1: TDataSource\n    DataSet = Sales.Query1\n  end\nend\n",
            ReadFile(reports));
  // Opened again, the form and its unit still belong together.
  TDesignSession again(Registry, Design);
  TDesignModule& reread = *again.Open({form}).front();
  EXPECT_NE(nullptr, reread.Unit()) << reread.UnitProblem();
}

TEST_F(RenameFollowTest, ClashingNamesAreRefusedAndNothingIsWritten) {
  std::string form = Write("Form1.dfm", FormDfm), unit = Write("Form1.pas", FormPas);
  std::string reports = Write("Reports.dfm", ReportsDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form, reports}).front();
  struct TRow {
    const char* Name;
    std::string Error;
  };
  const TRow rows[] = {
      {"Query1", "a component named Query1 already exists"},
      {"end", "'end' is not a valid component name"},
      {"reports", reports + " is a form named reports already"},
      {"Orders", unit + " declares a class TOrders already"},
  };
  for (const TRow& row : rows)
    EXPECT_EQ(row.Error, ErrorOf<EComponentError>([&] { session.RenameRoot(m, row.Name); })) << row.Name;
  EXPECT_EQ("Form1", m.Root()->Name());
  EXPECT_EQ("TForm1", m.Root()->ClassName());
  EXPECT_TRUE(session.Save().empty());
  EXPECT_EQ(FormDfm, ReadFile(form));
  EXPECT_EQ(FormPas, ReadFile(unit));
}

TEST_F(RenameFollowTest, AnOpenDescendantsUnitNamesTheNewAncestor) {
  std::string base = Write("Base.dfm", "object Base: TBase\n  object Table1: TTable\n  end\nend\n");
  Write("Base.pas", "unit Base;\ninterface\ntype\n  TBase = class(TForm)\n    Table1: TTable;\n  end;\nimplementation\nend.\n");
  std::string child = Write("Child.dfm", "inherited Child: TChild\n  inherited Table1: TTable\n  end\nend\n");
  std::string childUnit = Write(
      "Child.pas", "unit Child;\ninterface\nuses Base;\ntype\n  TChild = class(TBase)\n  end;\nimplementation\nend.\n");
  TDesignSession session(Registry, Design);
  std::vector<TDesignModule*> modules = session.Open({base, child});
  ASSERT_EQ(modules[0], session.AncestorOf(*modules[1]));
  session.RenameRoot(*modules[0], "Core");
  session.Save();
  EXPECT_EQ("unit Child;\ninterface\nuses Base;\ntype\n  TChild = class(TCore)\n  end;\nimplementation\nend.\n",
            ReadFile(childUnit));
  EXPECT_EQ(modules[0], session.AncestorOf(*modules[1]));
}

// A real form and unit: only the lines naming the class or declaring the
// form's variable change, and each only there.
TEST_F(RenameFollowTest, CorpusUnitChangesOnlyTheLinesThatNameTheForm) {
  fs::path corpus = Corpus();
  if (corpus.empty()) GTEST_SKIP() << "no shared corpus";
  const std::string base = "frones__ZeosLib__examples__controls__main";
  const std::string originalDfm = ReadFile(corpus / "dfm" / (base + ".dfm"));
  const std::string originalPas = ReadFile(corpus / "pas" / (base + ".pas"));
  std::string form = Write("main.dfm", originalDfm), unit = Write("main.pas", originalPas);
  TDesignSession session(TClassRegistry::Global(), Design);
  TDesignModule& m = *session.Open({form}).front();
  std::vector<std::string> changed = session.RenameRoot(m, "ControlsForm");
  EXPECT_EQ(10u, changed.size());  // the class, the variable, eight method headings
  session.Save();
  std::vector<std::string> before = Lines(originalPas), after = Lines(ReadFile(unit));
  ASSERT_EQ(before.size(), after.size());
  std::vector<std::string> differing;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    differing.push_back(unit + ": line " + std::to_string(i + 1));
    std::string expected = before[i];
    for (size_t at; (at = expected.find("TMainForm")) != std::string::npos;) expected.replace(at, 9, "TControlsForm");
    if (expected.find("  MainForm: ") == 0) expected.replace(2, 8, "ControlsForm");
    EXPECT_EQ(expected, after[i]) << "line " << i + 1;
  }
  EXPECT_EQ(changed, differing);
  std::string dfm = ReadFile(form);
  EXPECT_EQ(0u, dfm.find("object ControlsForm: TControlsForm\n"));
  EXPECT_EQ(originalDfm.substr(originalDfm.find('\n')), dfm.substr(dfm.find('\n')));
}

// Properties the host does not know are kept as read; the names they give
// follow a renamed component and a renamed form all the same.
TEST_F(RenameFollowTest, ReferencesKeptAsReadFollowRenames) {
  std::string form = Write("Shop.dfm",
                           "object Shop: TShop\n"
                           "  object Conn1: TThirdPartyConnection\n"
                           "  end\n"
                           "  object Orders: TThirdPartyQuery\n"
                           "    Connection = Conn1\n"
                           "    Mode = Conn10\n"
                           "  end\n"
                           "end\n");
  std::string other = Write("Audit.dfm",
                            "object Audit: TAudit\n"
                            "  object Log: TThirdPartyQuery\n"
                            "    Connection = Shop.Conn1\n"
                            "    Lookup = Audit.Log\n"
                            "  end\n"
                            "end\n");
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form, other}).front();
  session.RenameComponent(m, session.FindComponent(m, "Conn1"), "Db");
  session.RenameRoot(m, "Store");
  EXPECT_EQ((std::vector<std::string>{form, other}), session.Save());
  EXPECT_EQ("object Store: TStore\n"
            "  object Db: TThirdPartyConnection\n"
            "  end\n"
            "  object Orders: TThirdPartyQuery\n"
            "    Connection = Db\n"
            "    Mode = Conn10\n"
            "  end\n"
            "end\n",
            ReadFile(form));
  EXPECT_EQ("object Audit: TAudit\n"
            "  object Log: TThirdPartyQuery\n"
            "    Connection = Store.Db\n"
            "    Lookup = Audit.Log\n"
            "  end\n"
            "end\n",
            ReadFile(other));
}

// The inspector's Name row renames as Rename does: the unit follows, and a
// taken name is refused.
TEST_F(RenameFollowTest, ANameTypedIntoTheInspectorRenamesAsRenameDoes) {
  std::string form = Write("Form1.dfm", FormDfm), unit = Write("Form1.pas", FormPas);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  session.Select({&session.FindComponent(m, "Query1")});
  EXPECT_EQ("a component named Form1 already exists",
            ErrorOf<EComponentError>([&] { session.SetPropertyValue("Name", "Form1"); }));
  EXPECT_EQ("Customers", session.SetPropertyValue("Name", "Customers"));
  session.Save();
  EXPECT_NE(std::string::npos, ReadFile(unit).find("    Customers: TQuery;\r\n")) << ReadFile(unit);
  EXPECT_NE(std::string::npos, ReadFile(form).find("  object Customers: TQuery\r\n")) << ReadFile(form);
}

// A deleted component's references kept as read leave the files with it,
// in its own form and through the form's name in others.
TEST_F(RenameFollowTest, ReferencesKeptAsReadLeaveWithADeletedComponent) {
  std::string form = Write("Shop.dfm",
                           "object Shop: TShop\n"
                           "  object Conn1: TThirdPartyConnection\n"
                           "  end\n"
                           "  object Orders: TThirdPartyQuery\n"
                           "    Connection = Conn1\n"
                           "    Mode = Conn10\n"
                           "  end\n"
                           "end\n");
  std::string other = Write("Audit.dfm",
                            "object Audit: TAudit\n"
                            "  object Log: TThirdPartyQuery\n"
                            "    Connection = Shop.Conn1\n"
                            "    Tag = 3\n"
                            "  end\n"
                            "end\n");
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form, other}).front();
  session.DeleteComponents(m, {&session.FindComponent(m, "Conn1")});
  EXPECT_EQ((std::vector<std::string>{form, other}), session.Save());
  EXPECT_EQ("object Shop: TShop\n  object Orders: TThirdPartyQuery\n    Mode = Conn10\n  end\nend\n", ReadFile(form));
  EXPECT_EQ("object Audit: TAudit\n  object Log: TThirdPartyQuery\n    Tag = 3\n  end\nend\n", ReadFile(other));
}
