// add, rename and delete run as a user runs them: the program with the
// package it loads, on a form and its unit in a temporary folder.
#include "support/TestFolder.h"
#include <gtest/gtest.h>
#include "support/RunProgram.h"
#include "support/Files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;
using TestSupport::WriteFile;
using TRun = TestSupport::TProgramRun;

const std::string FormDfm =
    "object Orders: TOrders\r\n"
    "  object Database1: TQuelmDatabase\r\n"
    "    DatabaseName = 'shop'\r\n"
    "  end\r\n"
    "  object Source1: TDataSource\r\n"
    "  end\r\n"
    "end\r\n";

// An 8-bit unit (Windows-1252 bytes in a comment) with CR LF line ends.
const std::string FormPas =
    "unit Orders;\r\n\r\ninterface\r\n\r\nuses\r\n  Windows, Classes, Forms, DB;\r\n\r\ntype\r\n"
    "  TOrders = class(TForm)\r\n"
    "    Database1: TQuelmDatabase; { conex\xE3o }\r\n"
    "    Source1: TDataSource;\r\n"
    "  private\r\n"
    "  end;\r\n\r\nimplementation\r\n\r\nend.\r\n";

class ComponentCommandsTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = FFolder.emplace("quelm-components").Path();
    FForm = FDir / "Orders.dfm";
    FUnit = FDir / "Orders.pas";
    WriteFile(FForm, FormDfm);
    WriteFile(FUnit, FormPas);
  }
  void TearDown() override { FFolder.reset(); }

  TRun Designer(const std::string& args) {
    return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " " + args);
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm, FUnit;
};

} // namespace

TEST_F(ComponentCommandsTest, BadNamesAndInheritedComponentsAreRefusedAndNothingIsWritten) {
  auto refused = [&](const std::string& args, const std::string& message) {
    TRun run = Designer(args);
    EXPECT_NE(0, run.Code) << args;
    EXPECT_NE(std::string::npos, run.Out.find(message)) << args << "\n" << run.Out;
    EXPECT_EQ(std::string::npos, run.Out.find("saved")) << args;
    EXPECT_EQ(FormDfm, ReadFile(FForm)) << args;
    EXPECT_EQ(FormPas, ReadFile(FUnit)) << args;
  };
  std::string form = FForm.string();
  refused("rename " + form + " Source1 Database1", "a component named Database1 already exists");
  refused("rename " + form + " Source1 2nd", "'2nd' is not a valid component name");
  refused("rename " + form + " Source1 type", "'type' is not a valid component name");
  refused("add " + form + " TQuelmTable --name Source1", "a component named Source1 already exists");
  refused("add " + form + " TNoSuchTable", "unknown component class TNoSuchTable");
  refused("add " + form + " TQuelmTable --left x", "--left: 'x' is not a number");
  refused("delete " + form + " Source1 NoSuch", "has no component NoSuch");
  refused("add " + form + " TEdit --parent Source1", "Source1 (TDataSource) cannot hold controls");
  refused("add " + form + " TEdit --parent Panel1", "has no component Panel1");
  refused("add " + form + " TQuelmTable --parent Database1", "Database1 cannot hold a TQuelmTable");

  fs::path child = FDir / "Child.dfm";
  const std::string childDfm = "inherited Child: TChild\r\n  inherited Source1: TDataSource\r\n  end\r\nend\r\n";
  WriteFile(child, childDfm);
  for (const std::string& args : {"rename " + child.string() + " Source1 Source9", "delete " + child.string() + " Source1"}) {
    TRun run = Designer(args);
    EXPECT_NE(0, run.Code);
    EXPECT_NE(std::string::npos, run.Out.find("Source1 is inherited from the ancestor form")) << run.Out;
    EXPECT_EQ(childDfm, ReadFile(child));
  }
}

TEST_F(ComponentCommandsTest, DropRenameDeleteKeepFormAndUnitInStep) {
  std::string form = FForm.string();
  TRun first = Designer("add " + form + " TQuelmTable --left 24 --top 40");
  ASSERT_EQ(0, first.Code) << first.Out;
  EXPECT_EQ("added QuelmTable1: TQuelmTable\nsaved " + form + "\nsaved " + FUnit.string() + "\n", first.Out);
  TRun second = Designer("add " + form + " TQuelmTable");
  ASSERT_EQ(0, second.Code) << second.Out;
  EXPECT_EQ(0u, second.Out.find("added QuelmTable2: TQuelmTable\n")) << second.Out;
  // The migrator, dropped, takes the form's database as its own.
  TRun migrator = Designer("add " + form + " TBDE2QuelmDorvik");
  ASSERT_EQ(0, migrator.Code) << migrator.Out;
  EXPECT_EQ(0u, migrator.Out.find("added BDE2QuelmDorvik1: TBDE2QuelmDorvik\n")) << migrator.Out;

  std::string dfm = ReadFile(FForm);
  EXPECT_NE(std::string::npos, dfm.find("  object QuelmTable1: TQuelmTable\r\n")) << dfm;
  EXPECT_NE(std::string::npos, dfm.find("    Left = 24\r\n    Top = 40\r\n")) << dfm;
  EXPECT_NE(std::string::npos, dfm.find("    Database = Database1\r\n")) << dfm;
  EXPECT_EQ("unit Orders;\r\n\r\ninterface\r\n\r\nuses\r\n  Windows, Classes, Forms, DB, QuelmAccess, QuelmMigrator;\r\n"
            "\r\ntype\r\n"
            "  TOrders = class(TForm)\r\n"
            "    Database1: TQuelmDatabase; { conex\xE3o }\r\n"
            "    Source1: TDataSource;\r\n"
            "    QuelmTable1: TQuelmTable;\r\n"
            "    QuelmTable2: TQuelmTable;\r\n"
            "    BDE2QuelmDorvik1: TBDE2QuelmDorvik;\r\n"
            "  private\r\n"
            "  end;\r\n\r\nimplementation\r\n\r\nend.\r\n",
            ReadFile(FUnit));

  ASSERT_EQ(0, Designer("set " + form + " Source1 DataSet QuelmTable1").Code);
  TRun renamed = Designer("rename " + form + " QuelmTable1 Customers");
  ASSERT_EQ(0, renamed.Code) << renamed.Out;
  EXPECT_EQ(0u, renamed.Out.find("renamed QuelmTable1 to Customers\n")) << renamed.Out;
  EXPECT_NE(std::string::npos, ReadFile(FForm).find("    DataSet = Customers\r\n")) << ReadFile(FForm);
  EXPECT_NE(std::string::npos, ReadFile(FUnit).find("    Customers: TQuelmTable;\r\n"));

  TRun deleted = Designer("delete " + form + " Customers Database1");
  ASSERT_EQ(0, deleted.Code) << deleted.Out;
  EXPECT_EQ(0u, deleted.Out.find("deleted Database1\ndeleted Customers\n")) << deleted.Out;
  dfm = ReadFile(FForm);
  EXPECT_EQ(std::string::npos, dfm.find("Customers")) << dfm;
  EXPECT_EQ(std::string::npos, dfm.find("Database1")) << dfm;
  EXPECT_EQ(std::string::npos, ReadFile(FUnit).find("Customers"));
  EXPECT_EQ(std::string::npos, ReadFile(FUnit).find("Database1"));
  EXPECT_EQ(std::string::npos, ReadFile(FUnit).find("conex")) << "the comment went with its declaration's line";
}

TEST_F(ComponentCommandsTest, AControlAddedWithAParentIsWrittenInsideIt) {
  const std::string panelForm = "object Orders: TOrders\r\n"
                                "  object Panel1: TPanel\r\n"
                                "    Left = 16\r\n"
                                "    object Label1: TLabel\r\n"
                                "    end\r\n"
                                "  end\r\n"
                                "end\r\n";
  WriteFile(FForm, panelForm);
  std::string form = FForm.string();
  TRun run = Designer("add " + form + " TEdit --parent Panel1 --left 8 --top 4");
  ASSERT_EQ(0, run.Code) << run.Out;
  EXPECT_EQ(0u, run.Out.find("added Edit1: TEdit\n")) << run.Out;
  std::string expected = panelForm;
  expected.insert(expected.find("  end\r\nend"),
                  "    object Edit1: TEdit\r\n      Left = 8\r\n      Top = 4\r\n");
  std::string dfm = ReadFile(FForm);
  EXPECT_EQ(0u, dfm.find(expected.substr(0, expected.find("      Top = 4\r\n") + 15))) << dfm;
  EXPECT_NE(std::string::npos, ReadFile(FUnit).find("    Edit1: TEdit;\r\n")) << ReadFile(FUnit);
}

TEST_F(ComponentCommandsTest, RenamingTheFormRenamesItsClassInFormAndUnit) {
  std::string form = FForm.string();
  TRun run = Designer("rename " + form + " Orders Sales");
  ASSERT_EQ(0, run.Code) << run.Out;
  EXPECT_EQ("renamed Orders to Sales\nrenamed TOrders to TSales\nrenamed in " + FUnit.string() + ": line 9\nsaved " +
                form + "\nsaved " + FUnit.string() + "\n",
            run.Out);
  std::string expected = FormDfm;
  expected.replace(0, 24, "object Sales: TSales\r\n");
  EXPECT_EQ(expected, ReadFile(FForm));
  std::string unit = FormPas;
  unit.replace(unit.find("  TOrders = class"), 9, "  TSales");
  EXPECT_EQ(unit, ReadFile(FUnit));
}

TEST_F(ComponentCommandsTest, VerbAndEditHelpListEveryScriptOperation) {
  for (const char* command : {"verb", "edit"}) {
    TRun help = Designer(std::string(command) + " --help");
    EXPECT_EQ(0, help.Code);
    for (const char* word : {"click", "dblclick", "select", "deselect", "pick", "type", "clear", "caret", "key", "Escape",
                             "Ctrl+Enter", "Shift+Tab", "tick", "untick", "radio", "page", "popup", "drag", "focus",
                             "close", "answer", "NoToAll", "file-cancel"})
      EXPECT_NE(std::string::npos, help.Out.find(word)) << command << " --help lacks " << word;
  }
}

TEST_F(ComponentCommandsTest, PropsListsSubPropertiesByDottedNamesAndSetWritesThem) {
  const std::string panelDfm =
      "object Orders: TOrders\r\n"
      "  object Panel1: TPanel\r\n"
      "    Width = 185\r\n"
      "    Constraints.MaxHeight = 200\r\n"
      "    Caption = 'Panel1'\r\n"
      "  end\r\n"
      "end\r\n";
  WriteFile(FForm, panelDfm);
  std::string form = FForm.string();
  TRun props = Designer("props " + form + " Panel1");
  ASSERT_EQ(0, props.Code) << props.Out;
  size_t parent = props.Out.find("\nConstraints: TSizeConstraints = (TSizeConstraints)");
  size_t child = props.Out.find("\nConstraints.MaxHeight: Integer = 200    [TIntegerProperty");
  ASSERT_NE(std::string::npos, parent) << props.Out;
  ASSERT_NE(std::string::npos, child) << props.Out;
  EXPECT_EQ(props.Out.find('\n', parent + 1), child) << "the sub-properties follow their parent";

  TRun bad = Designer("set " + form + " Panel1 Constraints.MaxHight 5");
  EXPECT_NE(0, bad.Code);
  EXPECT_NE(std::string::npos, bad.Out.find("Constraints has no sub-property MaxHight")) << bad.Out;
  EXPECT_EQ(panelDfm, ReadFile(FForm));

  TRun set = Designer("set " + form + " Panel1 Constraints.MaxHeight 150");
  ASSERT_EQ(0, set.Code) << set.Out;
  std::string expected = panelDfm;
  expected.replace(expected.find("= 200"), 5, "= 150");
  EXPECT_EQ(expected, ReadFile(FForm));
}

TEST_F(ComponentCommandsTest, AFontNameSetByItsDottedNameChangesOnlyItsLine) {
  // The colour and character set are the host's constant names, kept as read.
  const std::string fontDfm =
      "object Orders: TForm\r\n"
      "  Caption = 'Orders'\r\n"
      "  Font.Charset = DEFAULT_CHARSET\r\n"
      "  Font.Color = clWindowText\r\n"
      "  Font.Height = -11\r\n"
      "  Font.Name = 'MS Sans Serif'\r\n"
      "  Font.Style = []\r\n"
      "  object Label1: TLabel\r\n"
      "    Caption = 'Name'\r\n"
      "  end\r\n"
      "end\r\n";
  WriteFile(FForm, fontDfm);
  std::string form = FForm.string();
  TRun props = Designer("props " + form + " Label1");
  EXPECT_NE(std::string::npos, props.Out.find("\nFont.Name: string =     [TStringProperty")) << props.Out;
  TRun root = Designer("set " + form + " Orders Font.Name Arial");
  ASSERT_EQ(0, root.Code) << root.Out;
  TRun label = Designer("set " + form + " Label1 Font.Height -13");
  ASSERT_EQ(0, label.Code) << label.Out;
  std::string expected = fontDfm;
  expected.replace(expected.find("'MS Sans Serif'"), 15, "'Arial'");
  // A new line goes where the class declares the property: the control's
  // Font before the label's own Caption.
  expected.insert(expected.find("    Caption = 'Name'\r\n"), "    Font.Height = -13\r\n");
  EXPECT_EQ(expected, ReadFile(FForm));
}
