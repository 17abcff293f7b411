#include "classes/TClassRegistry.h"
#include "classes/TypInfo.h"
#include "runtime/EditDatabase.h"
#include "runtime/QuelmTypes.h"
#include "runtime/TQuelmAboutComp.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmTable.h"

#include <gtest/gtest.h>

namespace {

const char* const PaletteClasses[] = {"TQuelmDatabase",     "TQuelmTable",   "TQuelmQuery", "TQuelmStoredProc",
                                      "TQuelmDirectQuery",  "TQuelmUpdateSQL", "TQuelmMacroQuery",
                                      "TQuelmBatchExecute", "TQuelmMonitor", "TQuelmDump",  "TQuelmTools"};

// The declared type of a published property as the design host matches it.
std::string PropType(const char* className, const char* property) {
  const TClassInfo* cls = TClassRegistry::Global().FindClass(className);
  if (!cls) return "no class";
  const TPropInfo* prop = cls->FindProperty(property);
  if (!prop) return "no property";
  return TypeKindName(prop->Kind()) + " " + prop->PropType->Name;
}

TEST(RuntimeClasses, RegisteredWhenTheLibraryLoads) {
  for (const char* name : PaletteClasses) {
    const TClassInfo* cls = TClassRegistry::Global().FindClass(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_TRUE(cls->CanCreate()) << name;
    EXPECT_EQ(PropType(name, "About"), "tkString TQuelmDorvikAbout") << name;
  }
  const TClassInfo* base = TClassRegistry::Global().FindClass("TQuelmDataSet");
  ASSERT_NE(base, nullptr);
  EXPECT_FALSE(base->CanCreate());
  for (const char* name : {"TQuelmTable", "TQuelmQuery", "TQuelmStoredProc", "TQuelmMacroQuery"})
    EXPECT_TRUE(TClassRegistry::Global().FindClass(name)->InheritsFrom(*base)) << name;
}

TEST(RuntimeClasses, DeclaredPropertyTypes) {
  auto check = [](const char* cls, const char* prop, const std::string& expected) {
    EXPECT_EQ(PropType(cls, prop), expected) << cls << "." << prop;
  };
  check("TQuelmTable", "TableName", "tkString TFileName");
  check("TQuelmTable", "IndexName", "tkString string");
  check("TQuelmTable", "IndexFieldNames", "tkString string");
  check("TQuelmTable", "MasterFields", "tkString string");
  check("TQuelmTable", "MasterSource", "tkClass TDataSource");
  check("TQuelmTable", "IndexDefs", "tkClass TIndexDefs");
  check("TQuelmTable", "Database", "tkClass TQuelmDatabase");
  check("TQuelmTable", "UpdateObject", "tkClass TQuelmUpdateSQL");
  check("TQuelmTable", "CachedUpdates", "tkEnumeration Boolean");
  check("TQuelmDatabase", "SSLCert", "tkString TFileName");
  check("TQuelmDatabase", "SSLKey", "tkString TFileName");
  check("TQuelmDatabase", "ConnectionCharacterSet", "tkString string");
  check("TQuelmDatabase", "ConnectionCollation", "tkString string");
  check("TQuelmDatabase", "Connected", "tkEnumeration Boolean");
  check("TQuelmStoredProc", "ProcedureName", "tkString string");
  check("TQuelmStoredProc", "Params", "tkClass TParams");
  check("TQuelmStoredProc", "RoutineKind", "tkInteger Integer");
  check("TQuelmQuery", "SQL", "tkClass TStrings");
  for (const char* p : {"ModifySQL", "InsertSQL", "DeleteSQL", "RefreshSQL"}) check("TQuelmUpdateSQL", p, "tkClass TStrings");
  check("TQuelmUpdateSQL", "DataSet", "tkClass TQuelmDataSet");
}

TEST(RuntimeClasses, IndexDefsIsReadThroughTypeInformation) {
  TQuelmTable table(nullptr);
  TObject* defs = GetObjectProp(table, "IndexDefs");
  EXPECT_EQ(defs, table.IndexDefs());
  EXPECT_EQ(defs->ClassName(), "TIndexDefs");
}

TEST(RuntimeClasses, DialogsHandToTheirHandlers) {
  TQuelmDatabase db(nullptr);
  EXPECT_FALSE(EditDatabase(&db));
  TQuelmDatabase* edited = nullptr;
  auto previous = SetEditDatabaseHandler([&](TQuelmDatabase& d) {
    edited = &d;
    return true;
  });
  EXPECT_TRUE(EditDatabase(&db));
  EXPECT_EQ(edited, &db);
  EXPECT_FALSE(EditDatabase(nullptr));
  SetEditDatabaseHandler(previous);

  TQuelmAboutComp about(nullptr);
  about.VersionLabel = "v.3.0.7 (r1201)";
  about.ComponentLabel = "TQuelmTable";
  std::string shown;
  auto previousShow = TQuelmAboutComp::SetShowHandler([&](TQuelmAboutComp& a) {
    shown = a.VersionLabel + " " + a.ComponentLabel;
    return 2;
  });
  EXPECT_EQ(about.ShowModal(), 2);
  EXPECT_EQ(shown, "v.3.0.7 (r1201) TQuelmTable");
  TQuelmAboutComp::SetShowHandler(previousShow);
}

TEST(RuntimeClasses, UpdateKindOrder) {
  EXPECT_EQ(static_cast<int>(TQuelmUpdateKind::ukModify), 0);
  EXPECT_EQ(static_cast<int>(TQuelmUpdateKind::ukInsert), 1);
  EXPECT_EQ(static_cast<int>(TQuelmUpdateKind::ukDelete), 2);
  EXPECT_EQ(static_cast<int>(TQuelmUpdateKind::ukRefresh), 3);
  EXPECT_EQ(GetEnumName(TypeInfoQuelmUpdateKind(), 3), "ukRefresh");
}

} // namespace
