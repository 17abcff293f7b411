#include "designhost/DesignRegistry.h"

#include "classes/TComponent.h"
#include "designhost/DatabaseServices.h"
#include "classes/TStringList.h"
#include "designhost/TDataSetEditor.h"
#include "designhost/TStringProperty.h"
#include "db/TDataSet.h"

#include <gtest/gtest.h>

namespace {

// A table-like component: TableName is a file name, IndexName a plain string.
class TTestTable : public TDataSet {
  QUELM_CLASS(TTestTable, TDataSet)
public:
  using TDataSet::TDataSet;
  std::string TableName() const { return FTableName; }
  void SetTableName(const std::string& v) { FTableName = v; }
  std::string IndexName() const { return FIndexName; }
  void SetIndexName(const std::string& v) { FIndexName = v; }
  std::string About() const { return ""; }
  void SetAbout(const std::string&) {}

private:
  std::string FTableName, FIndexName;
};

class TTestDerivedTable : public TTestTable {
  QUELM_CLASS(TTestDerivedTable, TTestTable)
public:
  using TTestTable::TTestTable;
};

const TTypeInfo& TypeInfoTestAbout() {
  static const TTypeInfo info = MakeStringType("TTestAbout");
  return info;
}

// Another class with a file-name TableName, unrelated to the table.
class TTestOther : public TComponent {
  QUELM_CLASS(TTestOther, TComponent)
public:
  using TComponent::TComponent;
  std::string TableName() const { return ""; }
  void SetTableName(const std::string&) {}
  std::string About() const { return ""; }
  void SetAbout(const std::string&) {}
};

class TTableNameEditor : public TStringProperty {
  QUELM_CLASS(TTableNameEditor, TStringProperty)
public:
  using TStringProperty::TStringProperty;
};
class TAboutEditor : public TPropertyEditor {
  QUELM_CLASS(TAboutEditor, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
};
class TTestDataSetEditor : public TDataSetEditor {
  QUELM_CLASS(TTestDataSetEditor, TDataSetEditor)
public:
  using TDataSetEditor::TDataSetEditor;
  int GetVerbCount() override { return 3; }
};

QUELM_DEFINE_CLASS(TTestTable, TDataSet, b.ComponentFactory();
                   b.Property("TableName", TypeInfoFileName(), &TTestTable::TableName, &TTestTable::SetTableName);
                   b.Property("IndexName", TypeInfoString(), &TTestTable::IndexName, &TTestTable::SetIndexName);
                   b.Property("About", TypeInfoTestAbout(), &TTestTable::About, &TTestTable::SetAbout))
QUELM_DEFINE_CLASS(TTestDerivedTable, TTestTable, b.ComponentFactory())
QUELM_DEFINE_CLASS(TTestOther, TComponent, b.ComponentFactory();
                   b.Property("TableName", TypeInfoFileName(), &TTestOther::TableName, &TTestOther::SetTableName);
                   b.Property("About", TypeInfoTestAbout(), &TTestOther::About, &TTestOther::SetAbout))
QUELM_DEFINE_CLASS(TTableNameEditor, TStringProperty)
QUELM_DEFINE_CLASS(TAboutEditor, TPropertyEditor)
QUELM_DEFINE_CLASS(TTestDataSetEditor, TDataSetEditor)

class DesignRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    TDesignRegistry& r = TDesignRegistry::Instance();
    r.Clear();
    r.SetCurrentPackage(7);
    RegisterPropertyEditor(&TypeInfoFileName(), &TTestTable::StaticClass(), "TableName",
                           TPropertyEditorClass::Of<TTableNameEditor>());
    RegisterPropertyEditor(&TypeInfoTestAbout(), nullptr, "", TPropertyEditorClass::Of<TAboutEditor>());
    RegisterComponentEditor(TDataSet::StaticClass(), TComponentEditorClass::Of<TTestDataSetEditor>());
    r.SetCurrentPackage(0);
  }
  void TearDown() override { TDesignRegistry::Instance().Clear(); }

  std::string EditorFor(const TClassInfo& cls, const char* prop) {
    const TPropInfo* info = cls.FindProperty(prop);
    return TDesignRegistry::Instance().GetPropertyEditorClass(*info, cls).ClassName();
  }
};

} // namespace

TEST_F(DesignRegistryTest, PropertyEditorsMatchExactTypeClassAndName) {
  // The file-name editor serves TableName on the table and its descendants only.
  EXPECT_EQ("TTableNameEditor", EditorFor(TTestTable::StaticClass(), "TableName"));
  EXPECT_EQ("TTableNameEditor", EditorFor(TTestDerivedTable::StaticClass(), "TableName"));
  EXPECT_EQ("TStringProperty", EditorFor(TTestOther::StaticClass(), "TableName"));
  // A plain string property of the same class is not of the registered type.
  EXPECT_EQ("TStringProperty", EditorFor(TTestTable::StaticClass(), "IndexName"));
  // An empty class and name match every property of the type on every component.
  EXPECT_EQ("TAboutEditor", EditorFor(TTestTable::StaticClass(), "About"));
  EXPECT_EQ("TAboutEditor", EditorFor(TTestOther::StaticClass(), "About"));
  // Unregistered properties get the host's editor for their kind.
  EXPECT_EQ("TEnumProperty", EditorFor(TTestTable::StaticClass(), "Active"));
  EXPECT_EQ("TIntegerProperty", EditorFor(TTestTable::StaticClass(), "Tag"));
  EXPECT_EQ("TMethodProperty", EditorFor(TTestTable::StaticClass(), "AfterOpen"));
}

TEST_F(DesignRegistryTest, ComponentEditorsServeDescendants) {
  EXPECT_EQ("TTestDataSetEditor", TDesignRegistry::Instance().FindComponentEditor(TTestDerivedTable::StaticClass()).ClassName());
  EXPECT_EQ("TDefaultEditor", TDesignRegistry::Instance().FindComponentEditor(TTestOther::StaticClass()).ClassName());
  TTestDerivedTable table(nullptr);
  auto editor = TDesignRegistry::Instance().GetComponentEditor(&table, nullptr);
  EXPECT_EQ(3, editor->GetVerbCount());
  EXPECT_EQ("Fields Editor...", editor->GetVerb(0));
}

TEST_F(DesignRegistryTest, UnloadingAPackageDropsExactlyItsRegistrations) {
  TDesignRegistry& r = TDesignRegistry::Instance();
  r.SetCurrentPackage(8);
  RegisterPropertyEditor(&TypeInfoString(), nullptr, "", TPropertyEditorClass::Of<TStringProperty>());
  r.SetCurrentPackage(0);
  r.UnregisterPackage(7);
  ASSERT_EQ(1u, r.PropertyEditors().size());
  EXPECT_EQ(8, r.PropertyEditors()[0].Package);
  EXPECT_TRUE(r.ComponentEditors().empty());
}

TEST_F(DesignRegistryTest, EditorsSetValuesOnEverySelectedComponent) {
  TComponent form(nullptr);
  auto* a = new TTestTable(&form);
  auto* b = new TTestDerivedTable(&form);
  auto editor = TDesignRegistry::Instance().CreatePropertyEditor(nullptr, {a, b}, "TableName");
  EXPECT_EQ(2, editor->PropCount());
  editor->SetValue("customer");
  EXPECT_EQ("customer", a->TableName());
  EXPECT_EQ("customer", b->TableName());
  EXPECT_TRUE(editor->AllEqual());
  EXPECT_THROW(TDesignRegistry::Instance().CreatePropertyEditor(nullptr, {a}, "Nope"), EPropertyError);
}

namespace {

// Services that answer every question with the one table they were made with.
class TOneTableServices : public IDatabaseServices {
public:
  explicit TOneTableServices(std::string table) : FTable(std::move(table)) {}
  void GetTableNames(TComponent&, TStrings& list) override { list.Add(FTable); }
  void GetFieldNames(TComponent&, const std::string&, TStrings&) override {}
  void GetCharacterSets(TComponent&, TStrings&) override {}
  void GetCollations(TComponent&, TStrings&) override {}
  void GetRoutineNames(TComponent&, TRoutineKind, TStrings&) override {}
  int ExecuteScript(TComponent&, const std::string&) override { return 0; }

private:
  std::string FTable;
};

std::string TableNamesFor(TComponent& database) {
  TStringList names;
  GetDatabaseServices(database).GetTableNames(database, names);
  return names.Text();
}

} // namespace

TEST_F(DesignRegistryTest, DatabaseServicesServeDescendantsAndGoWithTheirPackage) {
  TDesignRegistry& r = TDesignRegistry::Instance();
  TComponent owner(nullptr);
  TComponent& other = *new TTestOther(&owner);
  TComponent& derived = *new TTestDerivedTable(&owner);
  // Nothing registered: the command gets a message, not a null to call through.
  EXPECT_THROW(GetDatabaseServices(derived), Exception);

  r.SetCurrentPackage(7);
  RegisterDatabaseServices(TTestTable::StaticClass(), std::make_shared<TOneTableServices>("from-table"));
  RegisterDatabaseServices(TDataSet::StaticClass(), std::make_shared<TOneTableServices>("from-dataset"));
  r.SetCurrentPackage(8);
  RegisterDatabaseServices(TComponent::StaticClass(), std::make_shared<TOneTableServices>("from-component"));
  r.SetCurrentPackage(0);
  // The nearest registered ancestor serves, whatever the registration order.
  EXPECT_EQ("from-table\n", TableNamesFor(derived));
  EXPECT_EQ("from-component\n", TableNamesFor(other));

  // The package's code goes with it, and so do its services.
  r.UnregisterPackage(7);
  EXPECT_EQ("from-component\n", TableNamesFor(derived));
  r.UnregisterPackage(8);
  EXPECT_EQ(nullptr, r.FindDatabaseServices(derived.ClassType()));
}
