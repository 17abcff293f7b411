#include "designhost/units/TUnitSource.h"
#include "support/ExpectRaises.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "streaming/TFormFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ErrorOf;

std::string Crlf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A unit with the shapes that trip a naive reader: keywords inside comments
// and strings, a nested class and a record in the private part, a second
// class before the form's, and an 8-bit byte in a comment.
const std::string Unit = Crlf(
    "unit Unit1;\n"
    "\n"
    "interface\n"
    "\n"
    "uses\n"
    "  Windows, Messages, SysUtils, Classes, Forms, Db;\n"
    "\n"
    "type\n"
    "  THelper = class(TObject)\n"
    "    Dummy: Integer;\n"
    "  end;\n"
    "  TFwd = class;\n"
    "  TForm1 = class(TForm) { private: not yet }\n"
    "    Table1: TTable; // end\n"
    "    (* public *) DataSource1, DataSource2: TDataSource;\n"
    "    Label1: TLabel;\n"
    "    procedure FormCreate(Sender: TObject); virtual; { caf\xE9 }\n"
    "  private\n"
    "    type TInner = class\n"
    "      Hidden: Integer;\n"
    "    end;\n"
    "    FRec: record A, B: Integer; end;\n"
    "    FCaption: string; \n"
    "  public\n"
    "    Title: string;\n"
    "  end;\n"
    "  TFwd = class(TObject) end;\n"
    "\n"
    "const S = 'private end';\n"
    "\n"
    "implementation\n"
    "\n"
    "uses Dialogs;\n"
    "\n"
    "procedure TForm1.FormCreate(Sender: TObject);\n"
    "begin\n"
    "  Caption := 'end';\n"
    "end;\n"
    "\n"
    "end.\n");

std::string Fields(const TUnitSource& unit, const std::string& cls) {
  std::string text;
  for (const auto& f : unit.FindClass(cls)->Fields)
    for (const auto& n : f.Names) text += n.Text + ":" + f.TypeName + " ";
  return text;
}

// "+" and the bytes after that were inserted into before at one place; "-"
// when after is not before with one insertion.
std::string Inserted(const std::string& before, const std::string& after) {
  if (after.size() < before.size()) return "-";
  size_t prefix = 0;
  while (prefix < before.size() && before[prefix] == after[prefix]) ++prefix;
  size_t added = after.size() - before.size();
  if (before.compare(prefix, std::string::npos, after, prefix + added) != 0) return "-";
  return "+" + after.substr(prefix, added);
}

} // namespace

TEST(UnitSource, BadUnitsAndUnknownClassesAreRefusedWithWhere) {
  EXPECT_EQ("u.pas:2:3: unterminated comment",
            ErrorOf<EUnitError>([] { TUnitSource("unit u;\n  { open\n", "u.pas"); }));
  EXPECT_EQ("u.pas:1:13: unterminated string",
            ErrorOf<EUnitError>([] { TUnitSource("const a = 1;'abc\n", "u.pas"); }));
  TUnitSource unit(Unit, "Unit1.pas");
  EXPECT_EQ("Unit1.pas: no declaration of class TForm2",
            ErrorOf<EUnitError>([&] { unit.AddField("TForm2", "Table1", "TTable"); }));
  EXPECT_EQ(Unit, unit.Bytes());
}

TEST(UnitSource, FindsThePublishedFieldsOfEachTopLevelClass) {
  TUnitSource unit(Unit, "Unit1.pas");
  std::vector<std::string> names;
  for (const auto& c : unit.Classes()) names.push_back(c.Name + "(" + c.Ancestor + ")");
  EXPECT_EQ((std::vector<std::string>{"THelper(TObject)", "TForm1(TForm)", "TFwd(TObject)"}), names);
  EXPECT_EQ("Table1:TTable DataSource1:TDataSource DataSource2:TDataSource Label1:TLabel ", Fields(unit, "tform1"));
  EXPECT_EQ((std::vector<std::string>{"Windows", "Messages", "SysUtils", "Classes", "Forms", "Db"}), unit.InterfaceUses());
}

TEST(UnitSource, EditsChangeOnlyTheirLines) {
  auto check = [](auto edit, const std::string& from, const std::string& to) {
    TUnitSource unit(Unit, "Unit1.pas");
    EXPECT_TRUE(edit(unit));
    std::string expected = Unit;
    size_t at = expected.find(from);
    ASSERT_NE(std::string::npos, at) << from;
    expected.replace(at, from.size(), to);
    EXPECT_EQ(expected, unit.Bytes()) << from;
  };
  check([](TUnitSource& u) { return u.AddField("TForm1", "QuelmTable1", "TQuelmTable"); },
        "    Label1: TLabel;\r\n", "    Label1: TLabel;\r\n    QuelmTable1: TQuelmTable;\r\n");
  check([](TUnitSource& u) { return u.RenameField("TForm1", "table1", "Orders"); }, "Table1: TTable; // end",
        "Orders: TTable; // end");
  check([](TUnitSource& u) { return u.RemoveField("TForm1", "Label1"); }, "    Label1: TLabel;\r\n", "");
  check([](TUnitSource& u) { return u.RemoveField("TForm1", "Table1"); }, "    Table1: TTable; // end\r\n", "");
  check([](TUnitSource& u) { return u.RemoveField("TForm1", "DataSource1"); }, "DataSource1, DataSource2", "DataSource2");
  check([](TUnitSource& u) { return u.RemoveField("TForm1", "DataSource2"); }, "DataSource1, DataSource2", "DataSource1");
  check([](TUnitSource& u) { return u.AddUses("QuelmAccess"); }, "Forms, Db;", "Forms, Db, QuelmAccess;");
  check([](TUnitSource& u) { return u.AddField("THelper", "Table1", "TTable"); }, "    Dummy: Integer;\r\n",
        "    Dummy: Integer;\r\n    Table1: TTable;\r\n");

  // Names outside the published part, or already there, change nothing.
  TUnitSource unit(Unit, "Unit1.pas");
  EXPECT_FALSE(unit.RemoveField("TForm1", "FCaption"));
  EXPECT_FALSE(unit.RenameField("TForm1", "Title", "Heading"));
  EXPECT_FALSE(unit.AddField("TForm1", "LABEL1", "TLabel"));
  EXPECT_FALSE(unit.AddUses("sysutils"));
  EXPECT_EQ(Unit, unit.Bytes());
}

TEST(UnitSource, UsesClausesOfEveryShape) {
  auto check = [](const std::string& before, const std::string& after) {
    TUnitSource unit(before, "u.pas");
    EXPECT_TRUE(unit.AddUses("QuelmAccess"));
    EXPECT_EQ(after, unit.Bytes());
  };
  check("unit u;\ninterface\ntype T = class end;\nimplementation\nend.\n",
        "unit u;\ninterface\n\nuses\n  QuelmAccess;\ntype T = class end;\nimplementation\nend.\n");
  check("unit u;\ninterface\nuses\n    A\n  , B\n  ;\nimplementation\nend.\n",
        "unit u;\ninterface\nuses\n    A\n  , B\n  , QuelmAccess\n  ;\nimplementation\nend.\n");
  check("interface\nuses Windows, Messages, SysUtils, Variants, Classes, Graphics, Controls, Forms;\n",
        "interface\nuses Windows, Messages, SysUtils, Variants, Classes, Graphics, Controls, Forms,\n  QuelmAccess;\n");
  check("interface\nuses A in 'a.pas' {A form};\n", "interface\nuses A in 'a.pas', QuelmAccess {A form};\n");
}

TEST(UnitSource, AClassWithoutFieldsGetsItsFirstOnTheLineAfterItsHeader) {
  TUnitSource unit("interface\ntype\n\tTForm1 = class(TForm)\n\tprivate\n\tend;\n", "u.pas");
  EXPECT_TRUE(unit.AddField("TForm1", "QuelmTable1", "TQuelmTable"));
  EXPECT_EQ("interface\ntype\n\tTForm1 = class(TForm)\n\t  QuelmTable1: TQuelmTable;\n\tprivate\n\tend;\n", unit.Bytes());
}

// Every unit of the shared corpus: adding a field, a unit in the uses clause
// and removing the field again leave every other byte as it was.
TEST(UnitSource, CorpusUnitsStayByteExactAroundEdits) {
  std::vector<fs::path> roots;
  if (const char* env = std::getenv("QUELM_SHARED"); env && *env) roots.emplace_back(env);
  roots.push_back(fs::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "shared");
  fs::path dir;
  for (const auto& r : roots)
    if (fs::is_directory(r / "corpus" / "pas")) {
      dir = r / "corpus";
      break;
    }
  if (dir.empty()) GTEST_SKIP() << "no shared corpus";
  TClassRegistry registry;
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(dir / "pas")) {
    std::string path = entry.path().string();
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string original = s.str();
    auto form = TFormFile::LoadFromFile((dir / "dfm" / entry.path().stem()).string() + ".dfm", registry);
    std::string cls = form->Root()->ClassName();
    TUnitSource unit(original, path);
    const TUnitClassDeclaration* d = unit.FindClass(cls);
    ASSERT_TRUE(d) << path << " " << cls;
    ASSERT_FALSE(d->Fields.empty()) << path;
    // Every component of the form that the unit declares is a published field.
    for (int i = 0; i < form->Root()->ComponentCount(); ++i) {
      const std::string& name = form->Root()->Components(i)->Name();
      size_t at = original.find(" " + name + ":");
      if (at != std::string::npos && at > d->BodyBegin && at < d->PublishedEnd) {
        EXPECT_TRUE(d->FindField(name)) << path << " " << name;
      }
    }

    EXPECT_TRUE(unit.AddField(cls, "QuelmTable1", "TQuelmTable"));
    {
      // One new line, indented like its neighbours, and nothing else changed.
      std::string now = unit.Bytes();
      size_t at = now.find("QuelmTable1: TQuelmTable;" + unit.LineEnd());
      ASSERT_NE(std::string::npos, at) << path;
      size_t lineStart = now.rfind('\n', at) + 1;
      std::string indent = now.substr(lineStart, at - lineStart);
      EXPECT_EQ(std::string::npos, indent.find_first_not_of(" \t")) << path;
      EXPECT_EQ(original, now.erase(lineStart, at - lineStart + 25 + unit.LineEnd().size())) << path;
    }
    EXPECT_TRUE(unit.RenameField(cls, "QuelmTable1", "Orders"));
    EXPECT_TRUE(unit.RemoveField(cls, "Orders"));
    EXPECT_EQ(original, unit.Bytes()) << path;

    EXPECT_TRUE(unit.AddUses("QuelmAccess"));
    std::vector<std::string> uses = unit.InterfaceUses();
    EXPECT_EQ("QuelmAccess", uses.back()) << path;
    EXPECT_EQ('+', Inserted(original, unit.Bytes())[0]) << path;
    ++checked;
  }
  EXPECT_GE(checked, 30);
}

TEST(UnitSource, AFieldTakesAnotherTypeAndOnlyItsDeclarationChanges) {
  const std::string unit = Crlf(
      "unit F;\n"
      "interface\n"
      "type\n"
      "  TF = class(TForm)\n"
      "    Query1: DBTables.TQuery; // the orders\n"
      "    A, B: TTable;\n"
      "  end;\n"
      "implementation\n"
      "end.\n");
  struct TRow {
    const char* Field;
    const char* Type;
    const char* Expected;  // the class's fields afterwards
  } rows[] = {
      // A qualified type is replaced whole; the comment after it stays.
      {"Query1", "TQuelmQuery", "Query1: TQuelmQuery; // the orders|A, B: TTable;"},
      // One of several names leaves for a declaration of its own.
      {"B", "TQuelmTable", "Query1: DBTables.TQuery; // the orders|A: TTable;|B: TQuelmTable;"},
      {"Nobody", "TQuelmTable", "Query1: DBTables.TQuery; // the orders|A, B: TTable;"},
  };
  for (const TRow& row : rows) {
    TUnitSource source(unit, "F.pas");
    EXPECT_EQ(std::string(row.Field) != "Nobody", source.SetFieldType("TF", row.Field, row.Type)) << row.Field;
    std::string fields;
    const std::string& bytes = source.Bytes();
    for (const auto& f : source.FindClass("TF")->Fields) {
      size_t end = bytes.find('\r', f.End);
      fields += (fields.empty() ? "" : "|") + bytes.substr(f.Begin, end - f.Begin);
    }
    EXPECT_EQ(fields, row.Expected) << row.Field;
    // Nothing outside the class changed.
    EXPECT_EQ(bytes.substr(bytes.find("  end;")), unit.substr(unit.find("  end;"))) << row.Field;
  }
}

TEST(UnitSource, NamesInCodeAreFoundOutsideTheFormsDeclarationsOnly) {
  TUnitSource source(Crlf("unit F;\n"
                          "interface\n"
                          "type\n"
                          "  TF = class(TForm)\n"
                          "    Query1: TQuery;\n"
                          "  private\n"
                          "    FLast: TQuery;\n"
                          "  end;\n"
                          "implementation\n"
                          "{ TQuery in a comment }\n"
                          "procedure TF.Run;\n"
                          "begin\n"
                          "  ShowMessage('TQuery in a string');\n"
                          "  tquery(Query1).Open; TTable(nil).Free;\n"
                          "end;\n"
                          "end.\n"),
                     "F.pas");
  std::vector<std::string> found;
  for (const auto& m : source.FindNames({"TQuery", "TTable"}, "TF")) found.push_back(std::to_string(m.Line) + " " + m.Name);
  EXPECT_EQ(found, (std::vector<std::string>{"7 TQuery", "14 tquery", "14 TTable"}));
}

// A component renamed in the form class's code: its own mentions in the
// methods and their local routines change; another object's member of that
// name, longer names, strings, comments, declarations and other routines'
// code stay.
TEST(UnitSource, ARenamedComponentFollowsInTheFormClassesMethodsOnly) {
  const std::string before =
      "unit Form1;\n"
      "interface\n"
      "type\n"
      "  TForm1 = class(TForm)\n"
      "    Query1: TQuery;\n"
      "    procedure Button1Click(Sender: TObject);\n"
      "  end;\n"
      "  THelper = class\n"
      "    Query1: TObject;\n"
      "    procedure Run;\n"
      "  end;\n"
      "var\n"
      "  Form1: TForm1;\n"
      "implementation\n"
      "type\n"
      "  TLocal = record\n"
      "    Query1: Integer;\n"
      "  end;\n"
      "procedure Helper; forward;\n"
      "procedure TForm1.Button1Click(Sender: TObject);\n"
      "var\n"
      "  Query1Count: Integer;\n"
      "  procedure Reopen;\n"
      "  begin\n"
      "    Query1.Close; query1.Open;\n"
      "  end;\n"
      "begin\n"
      "  Query1.SQL.Text := 'select Query1'; { Query1 in a comment }\n"
      "  Self.Query1.Open; // Query1\n"
      "  DM.Query1.Open;\n"
      "  Query1Count := Query10.RecordCount;\n"
      "  case Tag of 1: Query1.First; end;\n"
      "  try Query1.Next; finally end;\n"
      "end;\n"
      "procedure THelper.Run;\n"
      "begin\n"
      "  Query1.Free;\n"
      "end;\n"
      "procedure Helper;\n"
      "begin\n"
      "  Form1.Query1.Open;\n"
      "end;\n"
      "end.\n";
  TUnitSource unit(before, "Form1.pas");
  EXPECT_EQ((std::vector<int>{25, 28, 29, 32, 33}), unit.RenameInMethods("TForm1", "Query1", "Orders"));
  std::string expected = before;
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"    Query1.Close; query1.Open;", "    Orders.Close; Orders.Open;"},
           {"  Query1.SQL.Text := 'select Query1';", "  Orders.SQL.Text := 'select Query1';"},
           {"  Self.Query1.Open;", "  Self.Orders.Open;"},
           {"1: Query1.First;", "1: Orders.First;"},
           {"try Query1.Next;", "try Orders.Next;"}})
    expected.replace(expected.find(from), from.size(), to);
  EXPECT_EQ(expected, unit.Bytes());
}

// The form class renamed: its mentions as an identifier and the global
// variable's declaration, in either form, change; strings, comments, a
// longer name and another class's field of the form's name stay.
TEST(UnitSource, AFormClassRenamedChangesItsMentionsAndTheFormsVariable) {
  struct TRow {
    const char* Variable;  // the declaration of the form's variable
    const char* Renamed;
  };
  const TRow rows[] = {{"  Form1: TForm1;\n", "  Sales: TSales;\n"},
                       {"  Form1: TForm1 = nil;\n", "  Sales: TSales = nil;\n"},
                       {"  Form1, Other: TForm1;\n", "  Form1, Other: TSales;\n"}};
  for (const TRow& row : rows) {
    const std::string before = std::string("unit U;\ninterface\ntype\n  TForm1 = class(TForm)\n  end;\n"
                                           "  TForm10 = class(TForm1)\n    Form1: TForm1;\n  end;\nvar\n") +
                               row.Variable +
                               "implementation\nprocedure TForm1.Go; begin Caption := 'TForm1'; { TForm1 } end;\nend.\n";
    TUnitSource unit(before, "U.pas");
    unit.RenameFormClass("TForm1", "TSales", "Form1", "Sales");
    std::string expected = std::string("unit U;\ninterface\ntype\n  TSales = class(TForm)\n  end;\n"
                                       "  TForm10 = class(TSales)\n    Form1: TSales;\n  end;\nvar\n") +
                           row.Renamed +
                           "implementation\nprocedure TSales.Go; begin Caption := 'TForm1'; { TForm1 } end;\nend.\n";
    EXPECT_EQ(expected, unit.Bytes()) << row.Variable;
  }
  TUnitSource unit("unit U;\ninterface\ntype\n  TForm1 = class(TForm)\n  end;\n  TSales = class\n  end;\n"
                   "implementation\nend.\n",
                   "U.pas");
  EXPECT_EQ("U.pas:6:3: the unit declares TSales already",
            ErrorOf<EUnitError>([&] { unit.RenameFormClass("TForm1", "TSales", "Form1", "Sales"); }));
}
