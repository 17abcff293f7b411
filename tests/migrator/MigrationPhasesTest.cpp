#include "migrator/TBDE2QuelmDorvik.h"
#include "support/ExpectRaises.h"

#include "MigratorTestModules.h"
#include "ProbeClasses.h"

#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "forms/TScreen.h"
#include "rtl/Exceptions.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <gtest/gtest.h>

using namespace migrator_test;
using enum TConvertComponent;

namespace {

TBDE2QuelmDorvik* DropMigrator(TComponent& root) {
  auto* migrator = new TBDE2QuelmDorvik(&root);
  migrator->SetName("BDE2QuelmDorvik1");
  return migrator;
}

std::string ClassOf(TComponent* c) { return c ? c->ClassName() : "(none)"; }

TEST(MigrationPhasesTest, WithoutADatabaseNothingChanges) {
  TOpenForms forms({"orders.dfm"});
  TRecordingDriver boxes;
  // The screen cursor the test changes is put back at its end.
  TCursorGuard cursor(-2);
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  ASSERT_EQ(migrator->GetDatabase(), forms.Find("Database1"));
  migrator->Migrate();
  ASSERT_EQ(migrator->DataSetList().Count(), 4);
  // Deleting the database component clears the migrator's reference.
  delete forms.Find("Database1");
  EXPECT_EQ(migrator->GetDatabase(), nullptr);
  std::vector<std::string> before = forms.Components();
  Screen().SetCursor(-2);
  EXPECT_TRUE(
      TestSupport::Raises<EDatabaseError>([&] { migrator->Migrate(); }, "BDE2QuelmDorvik1: Database not assigned"));
  EXPECT_EQ(forms.Components(), before);
  EXPECT_EQ(Screen().Cursor(), -2);
  EXPECT_EQ(migrator->DataSetList().Count(), 4) << "the earlier pairs stay";
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"4 dataset descendants processed successfully"}));
}

TEST(MigrationPhasesTest, WithNoAccessLayerChosenNothingIsConverted) {
  TOpenForms forms({"orders.dfm", "dm.dfm"});
  TRecordingDriver boxes;
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  migrator->SetConvertComponents({});
  std::vector<std::string> before = forms.Components(0), beforeDm = forms.Components(1);
  migrator->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"0 dataset descendants processed successfully"}));
  EXPECT_EQ(forms.Components(0), before);
  EXPECT_EQ(forms.Components(1), beforeDm);
  EXPECT_EQ(ClassOf(forms.Find<TDataSource>("DataSource1")->DataSet()), "TQuery");
  EXPECT_FALSE(forms.Services().GetModule(0)->IsModified());
}

TEST(MigrationPhasesTest, OnlyTheChosenLayerIsConvertedOnEveryOpenModule) {
  TOpenForms forms({"orders.dfm", "dm.dfm"});
  TRecordingDriver boxes;
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  migrator->SetConvertComponents({convADO});
  migrator->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"4 dataset descendants processed successfully"}));
  EXPECT_EQ(ClassOf(forms.Find("Query1")), "TQuery");
  EXPECT_EQ(ClassOf(forms.Find("Table1")), "TTable");
  EXPECT_EQ(ClassOf(forms.Find("Lines1")), "TQuelmQuery");
  EXPECT_EQ(ClassOf(forms.Find("Customers", 1)), "TQuelmTable");
  EXPECT_EQ(ClassOf(forms.Find("Proc2", 1)), "TQuelmStoredProc");
  EXPECT_EQ(ClassOf(forms.Find("AdoQuery1", 1)), "TQuelmQuery");
  EXPECT_EQ(ClassOf(forms.Find("Accounts", 1)), "TSQLDataSet");
  EXPECT_EQ(ClassOf(forms.Find("Zq1", 1)), "TZQuery");
  // The lookup field on the unconverted query follows the converted table.
  EXPECT_EQ(forms.Find<TField>("Query1CUSTOMER")->LookupDataSet(), forms.Find("Customers", 1));
  EXPECT_EQ(forms.Find<TDataSource>("DataSource3", 1)->DataSet(), forms.Find("Customers", 1));
  EXPECT_TRUE(forms.Services().GetModule(0)->IsModified());
  EXPECT_TRUE(forms.Services().GetModule(1)->IsModified());
}

TEST(MigrationPhasesTest, AFullMigrationReplacesTheSourcesAndRepointsTheirUsers) {
  TOpenForms forms({"orders.dfm", "dm.dfm"});
  TRecordingDriver boxes;
  // The screen cursor the test changes is put back at its end.
  TCursorGuard cursor(-2);
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  TComponent* statuses = forms.Find("Statuses");
  migrator->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"9 dataset descendants processed successfully"}));
  EXPECT_EQ(Screen().Cursor(), crDefault);
  // Sources and their update objects are gone; the new components stand in
  // the owner's list in the order they were made.
  EXPECT_EQ(forms.Components(0),
            (std::vector<std::string>{"Database1:TQuelmDatabase", "Query1ID:TIntegerField", "Query1NAME:TStringField",
                                      "Query1CODE:TStringField", "Query1CUSTOMER:TStringField",
                                      "Query1STATUSTEXT:TStringField", "Statuses:TClientDataSet",
                                      "DataSource1:TDataSource", "DataSource2:TDataSource",
                                      "BDE2QuelmDorvik1:TBDE2QuelmDorvik", "Proc1:TQuelmStoredProc",
                                      "Lines1:TQuelmQuery", "Table1:TQuelmTable", "Query1:TQuelmQuery",
                                      "UpdateSQL1:TQuelmUpdateSQL"}));
  EXPECT_EQ(forms.Components(1),
            (std::vector<std::string>{"DataSource3:TDataSource", "AdoQuery1:TQuelmQuery", "Zq1:TQuelmQuery",
                                      "Accounts:TQuelmQuery", "Proc2:TQuelmStoredProc", "Customers:TQuelmTable",
                                      "ZUpdate1:TQuelmUpdateSQL"}));
  // Pairs in the reverse of the collection order; their sources are freed.
  const TDataSetList& pairs = migrator->DataSetList();
  ASSERT_EQ(pairs.Count(), 9);
  EXPECT_EQ(pairs.GetNewDataSets(0), forms.Find("AdoQuery1", 1));
  EXPECT_EQ(pairs.GetNewDataSets(8), forms.Find("Query1"));
  EXPECT_EQ(pairs.GetOldDataSets(8), nullptr);
  EXPECT_EQ(forms.Find<TDataSource>("DataSource1")->DataSet(), forms.Find("Query1"));
  EXPECT_EQ(forms.Find<TDataSource>("DataSource2")->DataSet(), statuses);
  EXPECT_EQ(forms.Find<TField>("Query1CUSTOMER")->LookupDataSet(), forms.Find("Customers", 1));
  EXPECT_EQ(forms.Find<TField>("Query1STATUSTEXT")->LookupDataSet(), statuses);
  for (int i = 0; i < pairs.Count(); ++i)
    EXPECT_EQ(pairs.GetNewDataSets(i)->GetDatabase(), forms.Find("Database1")) << i;
  EXPECT_TRUE(forms.Services().GetModule(0)->IsModified());
  EXPECT_TRUE(forms.Services().GetModule(1)->IsModified());
}

TEST(MigrationPhasesTest, KeptSourcesAreConvertedAgainByTheNextMigration) {
  TOpenForms forms({"orders.dfm"});
  TRecordingDriver boxes;
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  migrator->SetDeleteSourceComponents(false);
  migrator->Migrate();
  auto* kept = forms.Find<TDataSet>("Die_Query1");
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->ClassName(), "TQuery");
  EXPECT_FALSE(kept->Active());
  EXPECT_EQ(kept->FieldCount(), 0);
  EXPECT_EQ(ClassOf(forms.Find("Die_UpdateSQL1")), "TUpdateSQL");
  EXPECT_EQ(ClassOf(forms.Find("Die_Table1")), "TTable");
  migrator->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"4 dataset descendants processed successfully",
                                                     "4 dataset descendants processed successfully"}));
  EXPECT_EQ(ClassOf(forms.Find("Die_Die_Query1")), "TQuery");
  EXPECT_EQ(ClassOf(forms.Find("Die_Query1")), "TQuelmQuery");
  EXPECT_EQ(ClassOf(forms.Find("Query1")), "TQuelmQuery");
  EXPECT_EQ(ClassOf(forms.Find("Die_Die_UpdateSQL1")), "TUpdateSQL");
  EXPECT_EQ(ClassOf(forms.Find("Die_UpdateSQL1")), "TQuelmUpdateSQL");
  EXPECT_EQ(forms.Find<TDataSource>("DataSource1")->DataSet(), forms.Find("Query1"));
}

TEST(MigrationPhasesTest, ASharedUpdateObjectIsConvertedForEachDataSetAndFreedOnce) {
  {
    TOpenForms forms({"shared.dfm"});
    TRecordingDriver boxes;
    DropMigrator(forms.Root())->Migrate();
    EXPECT_EQ(forms.Components(), (std::vector<std::string>{"Database2:TQuelmDatabase",
                                                            "BDE2QuelmDorvik1:TBDE2QuelmDorvik", "QueryB:TQuelmQuery",
                                                            "QueryA:TQuelmQuery", "UpdateSQL1:TQuelmUpdateSQL",
                                                            "UpdateSQL1_2:TQuelmUpdateSQL"}));
    EXPECT_EQ(forms.Find<TQuelmQuery>("QueryB")->GetUpdateObject(), forms.Find("UpdateSQL1"));
    EXPECT_EQ(forms.Find<TQuelmQuery>("QueryA")->GetUpdateObject(), forms.Find("UpdateSQL1_2"));
    for (const char* name : {"UpdateSQL1", "UpdateSQL1_2"})
      EXPECT_EQ(forms.Find<TQuelmUpdateSQL>(name)->GetSQLIndex(0).Text(), "update a set x = :x where ID = :OLD_ID\n");
  }
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  migrator->SetDeleteSourceComponents(false);
  migrator->Migrate();
  EXPECT_EQ(ClassOf(forms.Find("Die_UpdateSQL1")), "TUpdateSQL");
  EXPECT_EQ(forms.Find("Die_Die_UpdateSQL1"), nullptr);
}

TEST(MigrationPhasesTest, AnUpdateObjectNamingTheFormOrTheMigratorIsNotFreed) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  SetObjectProp(*forms.Find("QueryA"), "UpdateObject", &forms.Root());
  SetObjectProp(*forms.Find("QueryB"), "UpdateObject", migrator);
  migrator->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"2 dataset descendants processed successfully"}));
  EXPECT_EQ(ClassOf(forms.Find("BDE2QuelmDorvik1")), "TBDE2QuelmDorvik");
  EXPECT_EQ(ClassOf(forms.Find("QueryA")), "TQuelmQuery");
  EXPECT_EQ(forms.Find("Die_QueryA"), nullptr);
}

TEST(MigrationPhasesTest, AnErrorEndsTheMigrationWithWhatWasDoneKept) {
  TOpenForms forms({"orders.dfm"});
  TRecordingDriver boxes;
  // The screen cursor the test changes is put back at its end.
  TCursorGuard cursor(-2);
  TBDE2QuelmDorvik* migrator = DropMigrator(forms.Root());
  (new TComponent(&forms.Root()))->SetName("Die_Table1");
  EXPECT_TRUE(TestSupport::Raises<EComponentError>([&] { migrator->Migrate(); },
                                                   "A component named Die_Table1 already exists"));
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_TRUE(boxes.Texts().empty());
  // Pairs in order Proc1, Lines1, Table1, Query1: the first two are done.
  EXPECT_EQ(migrator->DataSetList().Count(), 4);
  EXPECT_EQ(ClassOf(forms.Find("Proc1")), "TQuelmStoredProc");
  EXPECT_EQ(ClassOf(forms.Find("Die_Lines1")), "TADODataSet");
  EXPECT_EQ(ClassOf(forms.Find("Table1")), "TTable");
  EXPECT_EQ(ClassOf(forms.Find("Query1")), "TQuery");
  EXPECT_EQ(forms.Find<TDataSource>("DataSource1")->DataSet(), forms.Find("Query1"));
  EXPECT_TRUE(forms.Services().GetModule(0)->IsModified());
}

TEST(MigrationPhasesTest, TheHourglassShowsWhileSourcesAreRead) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  // The screen cursor the test changes is put back at its end.
  TCursorGuard cursor(-2);
  TCursor seen = 1;
  TStringList sql;
  sql.Add("select 1");
  TProbeClass query("TQuery", TDataSet::StaticClass());
  query.Property("SQL", TStrings::StaticClass().TypeInfo(), [&] {
    seen = Screen().Cursor();
    return TValue(static_cast<TObject*>(&sql));
  });
  (new TProbeDataSet(query, &forms.Root()))->SetName("Probe1");
  DropMigrator(forms.Root())->Migrate();
  EXPECT_EQ(seen, crHourGlass);
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_EQ(forms.Find<TQuelmQuery>("Probe1")->SQL()->Text(), "select 1\n");
}

TEST(MigrationPhasesTest, ADescendantOfAConvertibleClassIsLeftAlone) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  const TClassInfo& table = Registry().GetClass("TTable");
  TProbeClass descendant("TOrdersTable", table);
  (new TProbeDataSet(descendant, &forms.Root()))->SetName("Orders");
  DropMigrator(forms.Root())->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"2 dataset descendants processed successfully"}));
  EXPECT_EQ(ClassOf(forms.Find("Orders")), "TOrdersTable");
}

TEST(MigrationPhasesTest, WithoutTheHostsServicesThereIsNothingToMigrate) {
  TComponent form(nullptr);
  form.SetDesigning(true);
  auto* database = new TQuelmDatabase(&form);
  auto* migrator = new TBDE2QuelmDorvik(&form);
  ASSERT_EQ(migrator->GetDatabase(), database);
  TRecordingDriver boxes;
  TList<TComponent> list;
  migrator->FillComponents(&list, &TComponent::StaticClass());
  EXPECT_EQ(list.Count(), 0);
  migrator->Migrate();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"0 dataset descendants processed successfully"}));
}

} // namespace
