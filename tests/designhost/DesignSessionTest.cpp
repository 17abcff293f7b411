#include "designhost/session/TDesignSession.h"
#include "support/ExpectRaises.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "db/FieldClasses.h"
#include "db/TDataSource.h"
#include "forms/TPanel.h"
#include "designhost/DesignRegistry.h"
#include "designhost/TStringProperty.h"
#include "designhost/foreign/ForeignClasses.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ErrorOf;

const char* const FormDfm =
    "object Form1: TForm1\r\n"
    "  object Query1: TQuery\r\n"
    "    SQL.Strings = (\r\n"
    "      'select * from orders')\r\n"
    "    Left = 8\r\n"
    "    object Query1ID: TIntegerField\r\n"
    "      FieldName = 'ID'\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object DataSource1: TDataSource\r\n"
    "    DataSet = Query1\r\n"
    "  end\r\n"
    "end\r\n";

const char* const FormPas =
    "unit Form1;\r\n\r\ninterface\r\n\r\nuses\r\n  Classes, Forms, DBTables;\r\n\r\ntype\r\n"
    "  TForm1 = class(TForm)\r\n"
    "    Query1: TQuery;\r\n"
    "    Query1ID: TIntegerField;\r\n"
    "    DataSource1: TDataSource;\r\n"
    "  private\r\n"
    "    { Private declarations }\r\n"
    "  end;\r\n\r\nimplementation\r\n\r\n{$R *.dfm}\r\n\r\nend.\r\n";

const char* const ModuleDfm =
    "object DM: TDataModule\n"
    "  object Source2: TDataSource\n"
    "    DataSet = Form1.Query1\n"
    "  end\n"
    "end\n";

const char* const InheritedDfm =
    "inherited Form2: TForm2\n"
    "  inherited Query1: TQuery\n"
    "    Tag = 2\n"
    "  end\n"
    "  inline Frame1: TFrame1\n"
    "    inherited Label1: TLabel\n"
    "    end\n"
    "  end\n"
    "  object Own1: TTable\n"
    "  end\n"
    "end\n";

// A drop-down that hands its values out of order and asks for them sorted,
// and one that does not.
class TSortedListEditor : public TStringProperty {
  QUELM_CLASS(TSortedListEditor, TStringProperty)
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override { return {TPropertyAttribute::paValueList, TPropertyAttribute::paSortList}; }
  void GetValues(const TGetStrProc& proc) override {
    for (const char* v : {"orders", "Clients", "audit"}) proc(v);
  }
};
class TUnsortedListEditor : public TSortedListEditor {
  QUELM_CLASS(TUnsortedListEditor, TSortedListEditor)
public:
  using TSortedListEditor::TSortedListEditor;
  TPropertyAttributes GetAttributes() override { return {TPropertyAttribute::paValueList}; }
};
QUELM_DEFINE_CLASS(TSortedListEditor, TStringProperty)
QUELM_DEFINE_CLASS(TUnsortedListEditor, TSortedListEditor)

struct TDesignSessionTest : ::testing::Test {
  TClassRegistry Registry;
  TDesignRegistry Design;
  fs::path Dir = fs::temp_directory_path() / ("quelm-session-" + std::to_string(::getpid()));
  TDesignSessionTest() {
    RegisterForeignClasses(Registry);
    Registry.RegisterClass(TDataSource::StaticClass(), "DB");
    Registry.RegisterClass(TIntegerField::StaticClass(), "DB");
    Registry.RegisterClass(TStringField::StaticClass(), "DB");
    fs::create_directories(Dir);
  }
  ~TDesignSessionTest() override { fs::remove_all(Dir); }
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = (Dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

} // namespace

TEST_F(TDesignSessionTest, RefusedChangesLeaveEveryFileAsItWas) {
  std::string form = Write("Form1.dfm", FormDfm), unit = Write("Form1.pas", FormPas);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  TComponent& query = session.FindComponent(m, "Query1");
  EXPECT_EQ("unknown component class TNoSuch", ErrorOf<EComponentError>([&] { session.AddComponent(m, "TNoSuch"); }));
  for (const char* bad : {"", "1abc", "begin", "End", "a-b", "Ta\xC3\xA4"})
    EXPECT_EQ(std::string("'") + bad + "' is not a valid component name",
              ErrorOf<EComponentError>([&] { session.RenameComponent(m, query, bad); }));
  EXPECT_EQ("a component named datasource1 already exists",
            ErrorOf<EComponentError>([&] { session.RenameComponent(m, query, "datasource1"); }));
  TDropOptions namedLikeTheForm;
  namedLikeTheForm.Name = "Form1";
  EXPECT_EQ("a component named Form1 already exists",
            ErrorOf<EComponentError>([&] { session.AddComponent(m, "TTable", namedLikeTheForm); }));
  EXPECT_EQ("Form1 is the form itself and cannot be deleted here",
            ErrorOf<EComponentError>([&] { session.DeleteComponents(m, {&query, m.Root()}); }));
  EXPECT_EQ("Query1 cannot hold a TTable",
            ErrorOf<EComponentError>([&] { session.AddComponent(m, "TTable", {"", {}, {}, "Query1"}); }));
  EXPECT_EQ(3, m.Root()->ComponentCount());
  EXPECT_FALSE(session.IsModified());
  EXPECT_TRUE(session.Save().empty());
  EXPECT_EQ(FormDfm, Read(form));
  EXPECT_EQ(FormPas, Read(unit));
}

TEST_F(TDesignSessionTest, DroppedComponentsAreNamedNumberedAndDeclared) {
  std::string form = Write("Form1.dfm", FormDfm), unit = Write("Form1.PAS", FormPas);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  TDropOptions placed;
  placed.Left = 40;
  placed.Top = 16;
  EXPECT_EQ("DataSource2", session.AddComponent(m, "TDataSource", placed).Name());
  EXPECT_EQ("DataSource3", session.AddComponent(m, "TDataSource").Name());
  EXPECT_EQ("Table1", session.AddComponent(m, "TTable").Name());
  TComponent& field = session.AddComponent(m, "TStringField", {"Query1Name", {}, {}, "Query1"});
  EXPECT_TRUE(field.IsDesigning());
  EXPECT_TRUE(session.IsModified());
  EXPECT_EQ((std::vector<std::string>{form, unit}), session.Save());
  EXPECT_FALSE(session.IsModified());
  std::string dfm = Read(form);
  EXPECT_NE(std::string::npos, dfm.find("  object DataSource2: TDataSource\r\n    Left = 40\r\n    Top = 16\r\n  end\r\n"))
      << dfm;
  EXPECT_NE(std::string::npos, dfm.find("    object Query1Name: TStringField\r\n")) << dfm;
  EXPECT_EQ(
      "unit Form1;\r\n\r\ninterface\r\n\r\nuses\r\n  Classes, Forms, DBTables, DB;\r\n\r\ntype\r\n"
      "  TForm1 = class(TForm)\r\n"
      "    Query1: TQuery;\r\n"
      "    Query1ID: TIntegerField;\r\n"
      "    DataSource1: TDataSource;\r\n"
      "    DataSource2: TDataSource;\r\n"
      "    DataSource3: TDataSource;\r\n"
      "    Table1: TTable;\r\n"
      "    Query1Name: TStringField;\r\n"
      "  private\r\n"
      "    { Private declarations }\r\n"
      "  end;\r\n\r\nimplementation\r\n\r\n{$R *.dfm}\r\n\r\nend.\r\n",
      Read(unit));
  // A second save with nothing changed writes nothing.
  EXPECT_TRUE(session.Save().empty());
}

TEST_F(TDesignSessionTest, RenameAndDeleteReachEveryOpenModule) {
  std::string form = Write("Form1.dfm", FormDfm), unit = Write("Form1.pas", FormPas);
  std::string dm = Write("DM.dfm", ModuleDfm);
  TDesignSession session(Registry, Design);
  std::vector<TDesignModule*> modules = session.Open({form, dm});
  TDesignModule& m = *modules[0];
  session.RenameComponent(m, session.FindComponent(m, "Query1"), "Orders");
  EXPECT_EQ((std::vector<std::string>{form, unit, dm}), session.Save());
  EXPECT_NE(std::string::npos, Read(form).find("  object Orders: TQuery\r\n")) << Read(form);
  EXPECT_NE(std::string::npos, Read(form).find("    DataSet = Orders\r\n")) << Read(form);
  EXPECT_EQ("object DM: TDataModule\n  object Source2: TDataSource\n    DataSet = Form1.Orders\n  end\nend\n", Read(dm));
  EXPECT_NE(std::string::npos, Read(unit).find("    Orders: TQuery;\r\n    Query1ID"));

  // Deleting the dataset takes its field and clears every reference to it.
  EXPECT_EQ((std::vector<std::string>{"Orders", "Query1ID"}),
            session.DeleteComponents(m, {&session.FindComponent(m, "Orders")}));
  session.Save();
  EXPECT_EQ("object Form1: TForm1\r\n  object DataSource1: TDataSource\r\n  end\r\nend\r\n", Read(form));
  EXPECT_EQ("object DM: TDataModule\n  object Source2: TDataSource\n  end\nend\n", Read(dm));
  EXPECT_EQ(std::string::npos, Read(unit).find("Orders"));
  EXPECT_EQ(std::string::npos, Read(unit).find("Query1ID"));
}

TEST_F(TDesignSessionTest, InheritedAndInlineComponentsStayAsTheAncestorMadeThem) {
  std::string form = Write("Form2.dfm", InheritedDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  TComponent& query = session.FindComponent(m, "Query1");
  TComponent* label = session.FindComponent(m, "Frame1").FindComponent("Label1");
  ASSERT_TRUE(label);
  EXPECT_TRUE(query.IsAncestor());
  EXPECT_TRUE(label->IsAncestor());
  EXPECT_TRUE(session.FindComponent(m, "Frame1").IsInline());
  EXPECT_FALSE(m.Root()->IsAncestor());
  EXPECT_EQ("Query1 is inherited from the ancestor form and cannot be renamed",
            ErrorOf<EComponentError>([&] { session.RenameComponent(m, query, "Orders"); }));
  EXPECT_EQ("Query1 is inherited from the ancestor form and cannot be deleted",
            ErrorOf<EComponentError>([&] { session.DeleteComponents(m, {&session.FindComponent(m, "Own1"), &query}); }));
  EXPECT_EQ("Label1 is inherited from the ancestor form and cannot be renamed",
            ErrorOf<EComponentError>([&] { session.RenameComponent(m, *label, "Caption1"); }));
  EXPECT_TRUE(session.Save().empty());
  // The descendant's own component is free; inherited nodes stay inherited.
  session.RenameComponent(m, session.FindComponent(m, "Own1"), "Clients");
  session.Save();
  EXPECT_EQ("inherited Form2: TForm2\n  inherited Query1: TQuery\n    Tag = 2\n  end\n  inline Frame1: TFrame1\n"
            "    inherited Label1: TLabel\n    end\n  end\n  object Clients: TTable\n  end\nend\n",
            Read(form));
}

TEST_F(TDesignSessionTest, AUnitWithoutTheFormsClassIsLeftAloneAndSaysSo) {
  std::string form = Write("Form1.dfm", FormDfm);
  std::string unit = Write("Form1.pas", "unit Form1;\ninterface\ntype TOther = class(TForm)\n  end;\nimplementation\nend.\n");
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  EXPECT_EQ((std::vector<std::string>{unit + ": no declaration of class TForm1; the unit will be left alone"}),
            session.TakeNotes());
  session.AddComponent(m, "TTable");
  EXPECT_EQ((std::vector<std::string>{unit + ": no declaration of class TForm1; the unit was left alone"}),
            session.TakeNotes());
  EXPECT_EQ((std::vector<std::string>{form}), session.Save());
}

TEST_F(TDesignSessionTest, ValueListsAreSortedWhenTheEditorAsks) {
  std::string form = Write("Form1.dfm", FormDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  const TClassInfo& query = session.FindComponent(m, "Query1").ClassType();
  const TPropInfo* sql = query.FindProperty("Filter");
  ASSERT_TRUE(sql);
  session.Select({&session.FindComponent(m, "Query1")});
  Design.RegisterPropertyEditor(sql->PropType, &query, "Filter", TPropertyEditorClass::Of<TUnsortedListEditor>());
  EXPECT_EQ((std::vector<std::string>{"orders", "Clients", "audit"}), session.PropertyValues("Filter"));
  Design.RegisterPropertyEditor(sql->PropType, &query, "Filter", TPropertyEditorClass::Of<TSortedListEditor>());
  EXPECT_EQ((std::vector<std::string>{"audit", "Clients", "orders"}), session.PropertyValues("Filter"));
  EXPECT_EQ("Tag has no drop-down list", ErrorOf<EPropertyError>([&] { session.PropertyValues("Tag"); }));
}

TEST_F(TDesignSessionTest, TheInspectorNamesTheComponentThatLacksAProperty) {
  std::string form = Write("Form1.dfm", FormDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  session.Select({&session.FindComponent(m, "DataSource1"), &session.FindComponent(m, "Query1")});
  EXPECT_EQ("DataSource1 (TDataSource) has no property SQL",
            ErrorOf<EPropertyError>([&] { session.SetPropertyValue("SQL", "x"); }));
  session.Select({&session.FindComponent(m, "Query1")});
  EXPECT_EQ("8", session.SetPropertyValue("Tag", "8"));
  EXPECT_EQ((std::vector<std::string>{form}), session.Save());
  EXPECT_NE(std::string::npos, Read(form).find("    Tag = 8\r\n"));
}

// Real forms written by others: a class the host does not know is taken on
// trust, so no reference is reported as of the wrong kind.
TEST(DesignSessionCorpus, NoReferenceIsReportedAsOfTheWrongKind) {
  std::vector<fs::path> roots;
  if (const char* env = std::getenv("QUELM_SHARED"); env && *env) roots.emplace_back(env);
  roots.push_back(fs::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "shared");
  fs::path dir;
  for (const auto& r : roots)
    if (fs::is_directory(r / "corpus" / "dfm")) {
      dir = r / "corpus" / "dfm";
      break;
    }
  if (dir.empty()) GTEST_SKIP() << "no shared corpus";
  RegisterForeignClasses(TClassRegistry::Global());
  int opened = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    TDesignSession session(TClassRegistry::Global(), TDesignRegistry::Instance());
    for (TDesignModule* m : session.Open({entry.path().string()}))
      for (const std::string& w : m->Module().Warnings()) EXPECT_EQ(std::string::npos, w.find(", not a T")) << w;
    ++opened;
  }
  EXPECT_GE(opened, 30);
}

TEST_F(TDesignSessionTest, ADescendantFollowsItsOpenAncestorsClasses) {
  std::string base = Write("Base.dfm",
                           "object Base: TBase\n"
                           "  object Table1: TTable\n"
                           "    TableName = 'orders'\n"
                           "  end\n"
                           "end\n");
  std::string child = Write("Child.dfm",
                            "inherited Child: TChild\n"
                            "  inherited Table1: TTable\n"
                            "    Tag = 3\n"
                            "  end\n"
                            "  object Own: TDataSource\n"
                            "    DataSet = Table1\n"
                            "  end\n"
                            "end\n");
  Write("Child.pas", "unit Child;\ninterface\ntype\n  TChild = class(TBase)\n    Own: TDataSource;\n  end;\n"
                     "implementation\nend.\n");
  TDesignSession session(Registry, Design);
  std::vector<TDesignModule*> modules = session.Open({base, child});
  EXPECT_EQ(modules[0], session.AncestorOf(*modules[1]));
  EXPECT_TRUE(session.TakeNotes().empty());
  // The ancestor's Table1 becomes a query of the same name, as the migrator
  // replaces a dataset: a new component, the old one freed.
  TDesignModule& ancestor = *modules[0];
  delete &session.FindComponent(ancestor, "Table1");
  Registry.GetClass("TQuery").CreateComponent(ancestor.Root())->SetName("Table1");
  EXPECT_EQ((std::vector<std::string>{base, child}), session.Save());
  EXPECT_EQ((std::vector<std::string>{child + ": Table1 is now a TQuery, as in " + base}), session.TakeNotes());
  EXPECT_EQ("inherited Child: TChild\n"
            "  inherited Table1: TQuery\n"
            "    Tag = 3\n"
            "  end\n"
            "  object Own: TDataSource\n"
            "    DataSet = Table1\n"
            "  end\n"
            "end\n",
            Read(child));
  TComponent& table = session.FindComponent(*modules[1], "Table1");
  EXPECT_TRUE(table.IsAncestor());
  EXPECT_EQ(&table, GetObjectProp(session.FindComponent(*modules[1], "Own"), "DataSet"));

  // A rename in the ancestor reaches the inherited copy and what refers to it.
  session.RenameComponent(ancestor, session.FindComponent(ancestor, "Table1"), "Orders");
  EXPECT_EQ((std::vector<std::string>{base, child}), session.Save());
  EXPECT_EQ("inherited Child: TChild\n  inherited Orders: TQuery\n    Tag = 3\n  end\n"
            "  object Own: TDataSource\n    DataSet = Orders\n  end\nend\n",
            Read(child));
  // A delete too.
  session.DeleteComponents(ancestor, {&session.FindComponent(ancestor, "Orders")});
  EXPECT_EQ((std::vector<std::string>{base, child}), session.Save());
  EXPECT_EQ("inherited Child: TChild\n  object Own: TDataSource\n  end\nend\n", Read(child));
}

TEST_F(TDesignSessionTest, AnAncestorsChangeReachesEveryLevelWithWhatTheCarryKeeps) {
  // The grandchild comes first and its parent has no copy of Table1 (it
  // changes nothing of it): the change reaches it through the parent.
  std::string grandchild = Write("Grandchild.dfm",
                                 "inherited Grandchild: TGrandchild\n"
                                 "  inherited Table1: TTable\n"
                                 "    TableName = 'mine'\n"
                                 "    IndexName = 'byName'\n"
                                 "  end\n"
                                 "end\n");
  std::string base = Write("Base.dfm", "object Base: TBase\n  object Table1: TTable\n  end\nend\n");
  std::string child = Write("Child.dfm", "inherited Child: TChild\n  Tag = 1\nend\n");
  Write("Child.pas", "unit Child;\ninterface\ntype\n  TChild = class(TBase)\n  end;\nimplementation\nend.\n");
  Write("Grandchild.pas",
        "unit Grandchild;\ninterface\ntype\n  TGrandchild = class(TChild)\n  end;\nimplementation\nend.\n");
  TDesignSession session(Registry, Design);
  std::vector<TDesignModule*> modules = session.Open({grandchild, base, child});
  TDesignSession::TInheritedCarry carry;
  carry.Carry = [](TComponent& old, TComponent& made) { SetStrProp(made, "TableName", GetStrProp(old, "TableName")); };
  carry.Keeps = [](const TComponent&, const std::string& property) { return property == "TableName"; };
  session.SetInheritedCarry(carry);
  delete &session.FindComponent(*modules[1], "Table1");
  Registry.GetClass("TZTable").CreateComponent(modules[1]->Root())->SetName("Table1");
  session.Save();
  // Only what the carry keeps stays.
  EXPECT_EQ("inherited Grandchild: TGrandchild\n"
            "  inherited Table1: TZTable\n"
            "    TableName = 'mine'\n"
            "  end\n"
            "end\n",
            Read(grandchild));
}

TEST_F(TDesignSessionTest, DataAwareControlsFollowTheirSources) {
  std::string form = Write("Grid.dfm",
                           "object Grid: TGrid\n"
                           "  object DataSource1: TDataSource\n"
                           "  end\n"
                           "  object DBGrid1: TDBGrid\n"
                           "    Left = -4\n"
                           "    Width = 320\n"
                           "    DataSource = DataSource1\n"
                           "  end\n"
                           "  object DBEdit1: TDBEdit\n"
                           "    DataField = 'NAME'\n"
                           "    DataSource = DataSource1\n"
                           "  end\n"
                           "end\n");
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  EXPECT_TRUE(m.Module().Warnings().empty());
  session.RenameComponent(m, session.FindComponent(m, "DataSource1"), "Customers");
  session.Save();
  EXPECT_EQ("object Grid: TGrid\n  object Customers: TDataSource\n  end\n"
            "  object DBGrid1: TDBGrid\n    Left = -4\n    Width = 320\n    DataSource = Customers\n  end\n"
            "  object DBEdit1: TDBEdit\n    DataField = 'NAME'\n    DataSource = Customers\n  end\nend\n",
            Read(form));
  session.DeleteComponents(m, {&session.FindComponent(m, "Customers")});
  session.Save();
  EXPECT_EQ("object Grid: TGrid\n"
            "  object DBGrid1: TDBGrid\n    Left = -4\n    Width = 320\n  end\n"
            "  object DBEdit1: TDBEdit\n    DataField = 'NAME'\n  end\nend\n",
            Read(form));
}

namespace {

const char* const PanelDfm =
    "object Form1: TForm1\r\n"
    "  object Panel1: TPanel\r\n"
    "    Left = 8\r\n"
    "    Top = 8\r\n"
    "    Width = 185\r\n"
    "    Height = 41\r\n"
    "    Constraints.MaxHeight = 200\r\n"
    "    Caption = 'Panel1'\r\n"
    "  end\r\n"
    "end\r\n";

std::string RowsText(const std::vector<TInspectorRow>& rows) {
  std::string text;
  for (const TInspectorRow& row : rows) text += row.Name + "=" + row.Value + (row.HasSubProperties ? "+" : "") + ";";
  return text;
}

} // namespace

TEST_F(TDesignSessionTest, SubPropertiesAreEditedByDottedNamesAndSavedInPlace) {
  Registry.RegisterClass(TPanel::StaticClass(), "ExtCtrls");
  std::string form = Write("Form1.dfm", PanelDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  session.Select({&session.FindComponent(m, "Panel1")});

  EXPECT_EQ("Tag has no sub-property X", ErrorOf<EPropertyError>([&] { session.SetPropertyValue("Tag.X", "1"); }));
  EXPECT_EQ("Constraints has no sub-property Foo",
            ErrorOf<EPropertyError>([&] { session.SetPropertyValue("Constraints.Foo", "1"); }));
  EXPECT_EQ("Constraints is read-only in the inspector",
            ErrorOf<EPropertyError>([&] { session.SetPropertyValue("Constraints", "1"); }));
  EXPECT_FALSE(session.IsModified());

  std::vector<TInspectorRow> rows = session.InspectorRows();
  auto constraints = std::find_if(rows.begin(), rows.end(), [](auto& r) { return r.Name == "Constraints"; });
  ASSERT_NE(rows.end(), constraints);
  EXPECT_TRUE(constraints->HasSubProperties);
  EXPECT_EQ("Constraints.MaxHeight=200;Constraints.MaxWidth=0;Constraints.MinHeight=0;Constraints.MinWidth=0;",
            RowsText(session.SubPropertyRows("Constraints")));

  // A changed line is replaced where it stands; a new one goes after the
  // sub-properties declared before it; one back at its default leaves.
  std::string expected = PanelDfm;
  EXPECT_EQ("120", session.SetPropertyValue("constraints.maxheight", "120"));
  session.Save();
  expected.replace(expected.find("MaxHeight = 200"), 15, "MaxHeight = 120");
  EXPECT_EQ(expected, Read(form));
  EXPECT_EQ("50", session.SetPropertyValue("Constraints.MaxWidth", "50"));
  session.Save();
  expected.insert(expected.find("    Caption"), "    Constraints.MaxWidth = 50\r\n");
  EXPECT_EQ(expected, Read(form));
  session.SetPropertyValue("Constraints.MaxHeight", "0");
  session.Save();
  const std::string dropped = "    Constraints.MaxHeight = 120\r\n";
  expected.erase(expected.find(dropped), dropped.size());
  EXPECT_EQ(expected, Read(form));

  // Read back, the file gives the values it holds.
  TDesignSession again(Registry, Design);
  TDesignModule& reread = *again.Open({form}).front();
  again.Select({&again.FindComponent(reread, "Panel1")});
  EXPECT_EQ("Constraints.MaxHeight=0;Constraints.MaxWidth=50;Constraints.MinHeight=0;Constraints.MinWidth=0;",
            RowsText(again.SubPropertyRows("Constraints")));
}

// The tree and the modified state bring the document in line with the
// components between saves: a value changed and changed back, or removed
// and given again, is saved as it stands at the save.
TEST_F(TDesignSessionTest, AValueChangedBackBetweenLooksIsSavedAsItStands) {
  Registry.RegisterClass(TPanel::StaticClass(), "ExtCtrls");
  std::string form = Write("Form1.dfm", PanelDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  session.Select({&session.FindComponent(m, "Panel1")});
  struct TStep {
    const char* Value;
    bool Modified;
  };
  auto play = [&](std::initializer_list<TStep> steps) {
    for (const TStep& step : steps) {
      session.SetPropertyValue("Constraints.MaxHeight", step.Value);
      EXPECT_EQ(step.Modified, session.IsModified()) << step.Value;
      session.ComponentTree(m);
    }
  };
  play({{"120", true}, {"200", false}});
  EXPECT_TRUE(session.Save().empty());
  EXPECT_EQ(PanelDfm, Read(form));
  play({{"0", true}, {"200", false}});
  EXPECT_TRUE(session.Save().empty());
  EXPECT_EQ(PanelDfm, Read(form));
  session.SetPropertyValue("Left", "9");
  session.IsModified();
  session.SetPropertyValue("Left", "8");
  EXPECT_FALSE(session.IsModified());
  EXPECT_EQ(PanelDfm, Read(form));
}
