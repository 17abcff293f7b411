#include "support/ExpectRaises.h"
#include "designhost/ModuleServices.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "db/FieldClasses.h"
#include "db/TDataSource.h"
#include "designhost/foreign/ForeignClasses.h"
#include "streaming/FormError.h"
#include "streaming/TFormFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TModuleServicesTest : ::testing::Test {
  TClassRegistry Registry;
  fs::path Dir = fs::temp_directory_path() / ("quelm-modules-" + std::to_string(::getpid()));
  TModuleServicesTest() {
    RegisterForeignClasses(Registry);
    for (const TClassInfo* c : {&TDataSource::StaticClass(), &TStringField::StaticClass(), &TIntegerField::StaticClass()})
      Registry.RegisterClass(*c);
    fs::create_directories(Dir);
  }
  ~TModuleServicesTest() override { fs::remove_all(Dir); }
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

const char* const FormText =
    "object Form1: TForm1\r\n"
    "  object Query1: TQuery\r\n"
    "    DatabaseName = 'MAIN'\r\n"
    "    SQL.Strings = (\r\n"
    "      'select * from orders')\r\n"
    "    UpdateObject = UpdateSQL1\r\n"
    "    AfterPost = Query1AfterPost\r\n"
    "    object Query1ID: TIntegerField\r\n"
    "      FieldName = 'ID'\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object UpdateSQL1: TUpdateSQL\r\n"
    "    ModifySQL.Strings = (\r\n"
    "      'update orders set x = :x')\r\n"
    "  end\r\n"
    "  object DataSource1: TDataSource\r\n"
    "    DataSet = DM.Proc1\r\n"
    "  end\r\n"
    "end\r\n";

const char* const ModuleText =
    "object DM: TDataModule\n"
    "  object Proc1: TADOStoredProc\n"
    "    ProcedureName = 'GetOrders;1'\n"
    "    Parameters = <\n"
    "      item\n"
    "        Name = '@RETURN_VALUE'\n"
    "      end>\n"
    "  end\n"
    "  object Table1: TZTable\n"
    "    TableName = 'CLIENTS'\n"
    "    Filter = 'ACTIVE = 1'\n"
    "    Filtered = True\n"
    "  end\n"
    "end\n";

// The walk the migrator makes: modules, their editors, form editors, the
// root and the components it owns, in order.
std::vector<TComponent*> Walk(TModuleServices& services, const TClassInfo& cls) {
  std::vector<TComponent*> found;
  for (int i = 0; i < services.GetModuleCount(); ++i) {
    TModule* module = services.GetModule(i);
    for (int j = 0; j < module->GetModuleFileCount(); ++j) {
      TFormEditor* editor = module->GetModuleFileEditor(j)->AsFormEditor();
      if (!editor) continue;
      editor->Show();
      TComponent* root = editor->GetRootComponent();
      if (!root) continue;
      for (int k = 0; k < root->ComponentCount(); ++k)
        if (root->Components(k)->InheritsFrom(cls)) found.push_back(root->Components(k));
    }
  }
  return found;
}

std::vector<std::string> Names(const std::vector<TComponent*>& list) {
  std::vector<std::string> names;
  for (TComponent* c : list) names.push_back(c->ClassName() + " " + c->Name());
  return names;
}

} // namespace

TEST_F(TModuleServicesTest, ABadFileOpensNothing) {
  TModuleServices services(Registry);
  std::string good = Write("good.dfm", FormText);
  std::string bad = Write("bad.dfm", "object F: TF\n  Caption = 'x\nend\n");
  EXPECT_TRUE(TestSupport::Raises<EFormError>([&] { services.OpenModules({good, bad}); },
                                              bad + ":2:13: unterminated string"));
  EXPECT_EQ(services.GetModuleCount(), 0);
  EXPECT_THROW(services.OpenModules({(Dir / "none.dfm").string()}), EInOutError);
}

TEST_F(TModuleServicesTest, TheWalkReachesForeignDatasetsOfEveryOpenModule) {
  TModuleServices services(Registry);
  services.OpenModules({Write("form.dfm", FormText), Write("dm.dfm", ModuleText)});
  EXPECT_EQ(Names(Walk(services, TDataSet::StaticClass())),
            (std::vector<std::string>{"TQuery Query1", "TADOStoredProc Proc1", "TZTable Table1"}));
  EXPECT_EQ(Names(Walk(services, TField::StaticClass())), (std::vector<std::string>{"TIntegerField Query1ID"}));
  TComponent* query = services.GetModule(0)->Root()->FindComponent("Query1");
  auto* sql = dynamic_cast<TStrings*>(GetObjectProp(*query, "SQL"));
  ASSERT_NE(sql, nullptr);
  EXPECT_EQ(sql->Text(), "select * from orders\n");
  TObject* update = GetObjectProp(*query, "UpdateObject");
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(update->ClassName(), "TUpdateSQL");
  EXPECT_EQ(dynamic_cast<TStrings*>(GetObjectProp(*update, "ModifySQL"))->Get(0), "update orders set x = :x");
  EXPECT_EQ(GetMethodProp(*query, "AfterPost").Name, "Query1AfterPost");
  EXPECT_FALSE(IsPublishedProp(*query, "CommandText"));
  EXPECT_THROW(GetStrProp(*query, "TableName"), EPropertyError);
  TComponent* dm = services.GetModule(1)->Root();
  EXPECT_EQ(GetStrProp(*dm->FindComponent("Proc1"), "ProcedureName"), "GetOrders;1");
  TComponent* table = dm->FindComponent("Table1");
  EXPECT_EQ(GetStrProp(*table, "TableName"), "CLIENTS");
  EXPECT_EQ(GetOrdProp(*table, "Filtered"), 1);
  EXPECT_EQ(GetStrProp(*table, "Filter"), "ACTIVE = 1");
  // DM.Proc1 reaches into the other module.
  auto* source = static_cast<TDataSource*>(services.GetModule(0)->Root()->FindComponent("DataSource1"));
  EXPECT_EQ(source->DataSet(), dm->FindComponent("Proc1"));
}

TEST_F(TModuleServicesTest, ModulesAreFoundByFileAndSavedInTheirOwnFormat) {
  TModuleServices services(Registry);
  std::string path = Write("form.dfm", FormText);
  services.OpenModules({path});
  TModule* module = services.FindModule((Dir / "." / "form.dfm").string());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(services.FindModule((Dir / "other.dfm").string()), nullptr);
  EXPECT_EQ(services.OpenModules({path}).at(0), module);
  EXPECT_EQ(services.GetModuleCount(), 1);
  EXPECT_EQ(services.SaveModifiedModules(), 0);
  TComponent* query = module->Root()->FindComponent("Query1");
  query->SetName("Die_Query1");
  module->GetModuleFileEditor(0)->AsFormEditor()->MarkModified();
  EXPECT_TRUE(module->IsModified());
  EXPECT_EQ(services.SaveModifiedModules(), 1);
  EXPECT_FALSE(module->IsModified());
  std::string expected = FormText;
  expected.replace(expected.find("object Query1:"), 14, "object Die_Query1:");
  EXPECT_EQ(Read(path), expected);
}

namespace {

// Stands in for the suite's query in a migration: SQL and an update object.
class TStubQuery : public TDataSet {
  QUELM_CLASS(TStubQuery, TDataSet)
public:
  explicit TStubQuery(TComponent* owner) : TDataSet(owner) {}
  TStrings* SQL() const { return FSQL.get(); }
  void SetSQL(TStrings* lines) { FSQL->Assign(lines); }
  TComponent* UpdateObject() const { return FUpdateObject.Get(); }
  void SetUpdateObject(TComponent* c) { FUpdateObject = c; }

private:
  std::unique_ptr<TStringList> FSQL = std::make_unique<TStringList>();
  TComponentRef<TComponent> FUpdateObject;
};

} // namespace

QUELM_DEFINE_CLASS(TStubQuery, TDataSet, b.ComponentFactory();
                   b.Property("SQL", TStrings::StaticClass().TypeInfo(), &TStubQuery::SQL, &TStubQuery::SetSQL);
                   b.Property("UpdateObject", TComponent::StaticClass().TypeInfo(), &TStubQuery::UpdateObject,
                              &TStubQuery::SetUpdateObject))

TEST_F(TModuleServicesTest, AMigratedDatasetIsWrittenInPlaceOfItsSource) {
  const std::string form =
      "object Form1: TForm1\r\n"
      "  Caption = 'Orders'\r\n"
      "  object Grid1: TDBGrid\r\n"
      "    DataSource = DataSource1\r\n"
      "  end\r\n"
      "  object Query1: TQuery\r\n"
      "    DatabaseName = 'MAIN'\r\n"
      "    SQL.Strings = (\r\n"
      "      'select * from orders')\r\n"
      "    UpdateObject = UpdateSQL1\r\n"
      "    Left = 24\r\n"
      "    Top = 8\r\n"
      "    object Query1ID: TIntegerField\r\n"
      "      FieldName = 'ID'\r\n"
      "    end\r\n"
      "    object Query1NAME: TStringField\r\n"
      "      DisplayLabel = 'Name'\r\n"
      "      FieldName = 'NAME'\r\n"
      "      Size = 40\r\n"
      "    end\r\n"
      "  end\r\n"
      "  object UpdateSQL1: TUpdateSQL\r\n"
      "    ModifySQL.Strings = (\r\n"
      "      'update orders set NAME = :NAME where ID = :OLD_ID')\r\n"
      "    Left = 64\r\n"
      "    Top = 8\r\n"
      "  end\r\n"
      "  object DataSource1: TDataSource\r\n"
      "    DataSet = Query1\r\n"
      "    Left = 104\r\n"
      "    Top = 8\r\n"
      "  end\r\n"
      "end\r\n";
  Registry.RegisterClass(TStubQuery::StaticClass());
  TModuleServices services(Registry);
  std::string path = Write("orders.dfm", form);
  TModule* module = services.OpenModules({path}).at(0);
  TComponent* root = module->Root();
  auto* old = static_cast<TDataSet*>(root->FindComponent("Query1"));
  TComponent* oldUpdate = root->FindComponent("UpdateSQL1");
  // What the migrator does for one pair, then the sources go.
  auto* made = new TStubQuery(root);
  made->SetDesignInfo(old->DesignInfo());
  made->SQL()->Assign(dynamic_cast<TStrings*>(GetObjectProp(*old, "SQL")));
  while (old->FieldCount() > 0) old->Fields().Items(0)->SetDataSet(made);
  old->SetName("Die_Query1");
  made->SetName("Query1");
  auto* update = new TStubQuery(root);
  update->SetDesignInfo(oldUpdate->DesignInfo());
  made->SetUpdateObject(update);
  oldUpdate->SetName("Die_UpdateSQL1");
  update->SetName("UpdateSQL1");
  static_cast<TDataSource*>(root->FindComponent("DataSource1"))->SetDataSet(made);
  delete oldUpdate;
  delete old;
  module->MarkModified();
  EXPECT_EQ(services.SaveModifiedModules(), 1);
  EXPECT_EQ(Read(path),
            "object Form1: TForm1\r\n"
            "  Caption = 'Orders'\r\n"
            "  object Grid1: TDBGrid\r\n"
            "    DataSource = DataSource1\r\n"
            "  end\r\n"
            "  object DataSource1: TDataSource\r\n"
            "    DataSet = Query1\r\n"
            "    Left = 104\r\n"
            "    Top = 8\r\n"
            "  end\r\n"
            "  object Query1: TStubQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'select * from orders')\r\n"
            "    UpdateObject = UpdateSQL1\r\n"
            "    Left = 24\r\n"
            "    Top = 8\r\n"
            "    object Query1ID: TIntegerField\r\n"
            "      FieldName = 'ID'\r\n"
            "    end\r\n"
            "    object Query1NAME: TStringField\r\n"
            "      DisplayLabel = 'Name'\r\n"
            "      FieldName = 'NAME'\r\n"
            "      Size = 40\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object UpdateSQL1: TStubQuery\r\n"
            "    Left = 64\r\n"
            "    Top = 8\r\n"
            "  end\r\n"
            "end\r\n");
  // Reopened, the file gives the same components back.
  TModuleServices again(Registry);
  TComponent* reread = again.OpenModules({path}).at(0)->Root();
  auto* query = dynamic_cast<TStubQuery*>(reread->FindComponent("Query1"));
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(query->FieldCount(), 2);
  EXPECT_EQ(query->UpdateObject(), reread->FindComponent("UpdateSQL1"));
  EXPECT_TRUE(again.GetModule(0)->Warnings().empty());
}

TEST_F(TModuleServicesTest, ClosingAModuleKeepsTheReferencesIntoIt) {
  TModuleServices services(Registry);
  std::string formPath = Write("form.dfm", FormText);
  auto opened = services.OpenModules({formPath, Write("dm.dfm", ModuleText)});
  auto* source = static_cast<TDataSource*>(opened[0]->Root()->FindComponent("DataSource1"));
  ASSERT_NE(source->DataSet(), nullptr);
  services.CloseModule(opened[1]);
  EXPECT_EQ(source->DataSet(), nullptr);
  EXPECT_EQ(services.GetModuleCount(), 1);
  opened[0]->Save();
  EXPECT_EQ(Read(formPath), FormText);
}
