#include "migrator/TBDE2QuelmDorvik.h"
#include "support/ExpectRaises.h"

#include "MigratorTestModules.h"
#include "ProbeClasses.h"

#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/FieldClasses.h"
#include "db/TField.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"
#include "migrator/ConvertibleClasses.h"
#include "rtl/TextCompare.h"
#include "designhost/foreign/ForeignClasses.h"

#include <map>

#include <gtest/gtest.h>

using namespace migrator_test;

namespace {

// The forms after a migration that keeps its sources.
struct TKeptMigration {
  TOpenForms Forms{{"orders.dfm", "dm.dfm"}};
  TRecordingDriver Boxes;
  TBDE2QuelmDorvik* Migrator;
  TField* QueryId = Forms.Find<TField>("Query1ID");
  TField* QueryName = Forms.Find<TField>("Query1NAME");
  TKeptMigration() : Migrator(new TBDE2QuelmDorvik(&Forms.Root())) {
    Migrator->SetName("BDE2QuelmDorvik1");
    Migrator->SetDeleteSourceComponents(false);
    Migrator->Migrate();
  }
};

std::vector<std::string> FieldNames(const TDataSet& dataSet) {
  std::vector<std::string> names;
  for (TField* f : dataSet.Fields()) names.push_back(f->Name());
  return names;
}

TEST(DataSetTransferTest, AMissingSourcePropertyEndsTheMigration) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  TProbeClass bare("TQuery", TDataSet::StaticClass());
  (new TProbeDataSet(bare, &forms.Root()))->SetName("Bare1");
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  EXPECT_TRUE(TestSupport::Raises<EPropertyError>([&] { migrator->Migrate(); }, "Property SQL does not exist"));
  EXPECT_TRUE(boxes.Texts().empty());
  // The probe was collected last, so its pair is the first one carried.
  EXPECT_NE(forms.Find("Bare1"), nullptr);
  EXPECT_EQ(forms.Find("QueryA")->ClassName(), "TQuery");
}

TEST(DataSetTransferTest, TheFieldObjectsMoveUnderTheirNames) {
  TKeptMigration m;
  auto* query = m.Forms.Find<TQuelmQuery>("Query1");
  ASSERT_NE(query, nullptr);
  auto* old = m.Forms.Find<TDataSet>("Die_Query1");
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->FieldCount(), 0);
  EXPECT_FALSE(old->Active());
  ASSERT_EQ(query->FieldCount(), 5);
  EXPECT_EQ(query->Fields()[0], m.QueryId);
  EXPECT_EQ(query->Fields()[1], m.QueryName);
  EXPECT_EQ(FieldNames(*query), (std::vector<std::string>{"Query1ID", "Query1NAME", "Query1CODE", "Query1CUSTOMER",
                                                           "Query1STATUSTEXT"}));
  EXPECT_EQ(m.QueryName->DisplayLabel(), "Name");
  EXPECT_EQ(m.QueryName->Owner(), &m.Forms.Root());
  EXPECT_EQ(query->GetDatabase(), m.Forms.Find("Database1"));
  EXPECT_FALSE(query->CachedUpdates());
  EXPECT_EQ(query->SQL()->Text(), "select * from orders\norder by ID\n");
  // Filters go with tables only.
  EXPECT_EQ(query->Filter(), "");
  EXPECT_FALSE(query->Filtered());
  // The source keeps what it had.
  EXPECT_EQ(dynamic_cast<TStrings*>(GetObjectProp(*old, "SQL"))->Count(), 2);
  EXPECT_EQ(GetMethodProp(*old, "AfterPost").Name, "Query1AfterPost");
  EXPECT_NE(GetOrdProp(*old, "CachedUpdates"), 0);
}

TEST(DataSetTransferTest, AFieldNamedAfterItsDataSetTwiceLosesOneCopy) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  auto* old = forms.Find<TDataSet>("QueryA");
  auto addField = [&](const std::string& name) {
    auto* field = new TStringField(&forms.Root());
    field->SetName(name);
    field->SetFieldName(name);
    field->SetDataSet(old);
  };
  for (const char* name :
       {"QueryAQueryACODE", "QueryAID", "QueryAQueryAID", "QueryAQueryA", "XQueryAQueryA", "QueryAQueryAQueryAX"})
    addField(name);
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->Migrate();
  auto* query = forms.Find<TQuelmQuery>("QueryA");
  ASSERT_NE(query, nullptr);
  // QueryAQueryAID and QueryAQueryA would take names the form holds already
  // (a field's, the dataset's own): they keep theirs.
  EXPECT_EQ(FieldNames(*query), (std::vector<std::string>{"QueryACODE", "QueryAID", "QueryAQueryAID", "QueryAQueryA",
                                                           "XQueryAQueryA", "QueryAQueryAX"}));
}

TEST(DataSetTransferTest, TextsNamesAndFiltersComeFromTheSourcesProperties) {
  TKeptMigration m;
  auto* lines = m.Forms.Find<TQuelmQuery>("Lines1");
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines->SQL()->ToVector(),
            (std::vector<std::string>{"select ID, NAME", "from clients", "where ACTIVE = 1"}));
  auto* table = m.Forms.Find<TQuelmTable>("Table1");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->TableName(), "CLIENTS");
  EXPECT_EQ(table->Filter(), "ACTIVE = 1");
  EXPECT_TRUE(table->Filtered());
  EXPECT_EQ(m.Forms.Find<TQuelmStoredProc>("Proc1")->ProcedureName(), "CALC_TOTALS");
  EXPECT_EQ(m.Forms.Find<TQuelmStoredProc>("Proc2", 1)->ProcedureName(), "GetOrders;1");
  EXPECT_EQ(m.Forms.Find<TQuelmQuery>("Accounts", 1)->SQL()->Text(), "select * from accounts\n");
  EXPECT_EQ(m.Forms.Find<TQuelmQuery>("Zq1", 1)->SQL()->Text(), "select * from items\n");
  EXPECT_EQ(m.Forms.Find<TQuelmTable>("Customers", 1)->TableName(), "CUSTOMERS");
  // Default fields: nothing to move.
  EXPECT_EQ(table->FieldCount(), 0);
}

TEST(DataSetTransferTest, TheListedEventsAreCarriedWithTheirHandlerObject) {
  TKeptMigration m;
  auto* query = m.Forms.Find<TQuelmQuery>("Query1");
  for (const char* event : {"BeforeOpen", "AfterPost", "OnCalcFields", "OnFilterRecord", "OnPostError"}) {
    TMethod method = GetMethodProp(*query, event);
    EXPECT_EQ(method.Name, std::string("Query1") + (std::string(event).rfind("On", 0) == 0 ? event + 2 : event))
        << event;
    EXPECT_EQ(method.Data, &m.Forms.Root()) << event;
  }
  EXPECT_FALSE(GetMethodProp(*query, "AfterOpen").IsAssigned());
  EXPECT_EQ(query->OnFilterRecordMethod().Name, "Query1FilterRecord");
}

TEST(DataSetTransferTest, EveryListedEventIsCarried) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  auto* old = forms.Find<TDataSet>("QueryA");
  const std::vector<std::string> events = {
      "BeforeOpen",   "AfterOpen",   "BeforeClose",  "AfterClose",     "BeforeInsert", "AfterInsert",
      "BeforeEdit",   "AfterEdit",   "BeforePost",   "AfterPost",      "BeforeCancel", "AfterCancel",
      "BeforeDelete", "AfterDelete", "BeforeScroll", "AfterScroll",    "OnCalcFields", "OnDeleteError",
      "OnEditError",  "OnFilterRecord", "OnNewRecord", "OnPostError"};
  for (const std::string& event : events) SetMethodProp(*old, event, TMethod{nullptr, &forms.Root(), "Do" + event});
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->SetDeleteSourceComponents(false);
  migrator->Migrate();
  TComponent* query = forms.Find("QueryA");
  ASSERT_EQ(query->ClassName(), "TQuelmQuery");
  for (const std::string& event : events) {
    EXPECT_EQ(GetMethodProp(*query, event).Name, "Do" + event);
    EXPECT_EQ(GetMethodProp(*forms.Find("Die_QueryA"), event).Name, "Do" + event) << "the source keeps it";
  }
}

TEST(DataSetTransferTest, AnUpdateSQLBecomesTheSuitesUnderItsName) {
  TKeptMigration m;
  auto* query = m.Forms.Find<TQuelmQuery>("Query1");
  auto* update = m.Forms.Find<TQuelmUpdateSQL>("UpdateSQL1");
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(query->GetUpdateObject(), update);
  EXPECT_EQ(update->GetSQLIndex(0).Text(), "update orders set NAME = :NAME where ID = :OLD_ID\n");
  EXPECT_EQ(update->GetSQLIndex(1).Text(), "");
  EXPECT_EQ(update->GetSQLIndex(2).Text(), "delete from orders where ID = :OLD_ID\n");
  EXPECT_EQ(update->GetSQLIndex(3).Text(), "");
  TComponent* old = m.Forms.Find("Die_UpdateSQL1");
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(update->DesignInfo(), old->DesignInfo());
  EXPECT_EQ(m.Forms.Find<TQuelmUpdateSQL>("ZUpdate1", 1)->GetSQLIndex(1).Text(),
            "insert into items (ID) values (:ID)\n");
  // The design position moves with the replacement.
  EXPECT_EQ(query->DesignInfo(), m.Forms.Find("Die_Query1")->DesignInfo());
  EXPECT_EQ(query->DesignInfo(), 24 | (40 << 16));
}

TEST(DataSetTransferTest, AnUpdateObjectOfAnotherClassIsNotCarried) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  TComponent* source = forms.Find("Database2");
  SetObjectProp(*forms.Find("QueryA"), "UpdateObject", source);
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->SetDeleteSourceComponents(false);
  migrator->Migrate();
  EXPECT_EQ(forms.Find<TQuelmQuery>("QueryA")->GetUpdateObject(), nullptr);
  EXPECT_EQ(forms.Find("Database2"), source);
}

TEST(DataSetTransferTest, AStatementThatCannotBeReadStaysEmpty) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  TStringList modify, remove;
  modify.Add("update a set x = 1");
  remove.Add("delete from a");
  TProbeClass updateSql("TUpdateSQL", TComponent::StaticClass());
  const TTypeInfo& lines = TStrings::StaticClass().TypeInfo();
  updateSql.Property("ModifySQL", lines, [&] { return TValue(static_cast<TObject*>(&modify)); })
      .Property("InsertSQL", lines, []() -> TValue { throw EConvertError("unreadable"); })
      .Property("DeleteSQL", lines, [&] { return TValue(static_cast<TObject*>(&remove)); });
  auto* probe = new TProbeComponent(updateSql, &forms.Root());
  probe->SetName("Probe1");
  SetObjectProp(*forms.Find("QueryA"), "UpdateObject", probe);
  SetObjectProp(*forms.Find("QueryB"), "UpdateObject", nullptr);
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->Migrate();
  auto* update = forms.Find<TQuelmUpdateSQL>("Probe1");
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(update->GetSQLIndex(0).Text(), "update a set x = 1\n");
  EXPECT_EQ(update->GetSQLIndex(1).Text(), "");
  EXPECT_EQ(update->GetSQLIndex(2).Text(), "delete from a\n");
  EXPECT_EQ(forms.Find<TQuelmQuery>("QueryB")->GetUpdateObject(), nullptr);
}

TEST(DataSetTransferTest, AssignFieldsCopiesSettingsAndHandsOverTheName) {
  TOpenForms forms({"orders.dfm", "dm.dfm"});
  TRecordingDriver boxes;
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->SetDeleteSourceComponents(false);
  migrator->Migrate();
  auto* source = forms.Find<TField>("Query1CUSTOMER");
  source->SetEditMask(">aaa");
  source->SetDisplayWidth(12);
  source->SetVisible(false);
  source->OnValidate.SetMethod(TMethod{nullptr, &forms.Root(), "CustomerValidate"});
  // The source looks up in a kept source, whose pair gives the new dataset.
  source->SetLookupDataSet(forms.Find<TDataSet>("Die_Customers", 1));
  auto* destination = new TStringField(&forms.Root());
  migrator->AssignFields(source, destination);
  EXPECT_EQ(destination->Name(), "Query1CUSTOMER");
  EXPECT_EQ(source->Name(), "Die_Query1CUSTOMER");
  EXPECT_EQ(destination->FieldName(), "CUSTOMER");
  EXPECT_TRUE(destination->IsLookup());
  EXPECT_EQ(destination->KeyFields(), "CUST_ID");
  EXPECT_EQ(destination->LookupKeyFields(), "ID");
  EXPECT_EQ(destination->LookupResultField(), "NAME");
  EXPECT_EQ(destination->LookupDataSet(), forms.Find("Customers", 1));
  EXPECT_EQ(destination->EditMask(), ">aaa");
  EXPECT_EQ(destination->DisplayWidth(), 12);
  EXPECT_FALSE(destination->Visible());
  EXPECT_EQ(destination->OnValidate.Method().Name, "CustomerValidate");
  // A lookup dataset without a pair gives none.
  auto* other = new TStringField(&forms.Root());
  other->SetName("Other");
  other->SetLookupDataSet(forms.Find<TDataSet>("Statuses"));
  auto* copy = new TStringField(&forms.Root());
  migrator->AssignFields(other, copy);
  EXPECT_EQ(copy->LookupDataSet(), nullptr);
}

} // namespace

TEST(DataSetTransferTest, AnOpenSourceIsClosedBeforeItIsReplaced) {
  TOpenForms forms({"orders.dfm"});
  TRecordingDriver boxes;
  auto* source = forms.Find<TDataSet>("Query1");
  ASSERT_NE(source, nullptr);
  source->Open();
  ASSERT_TRUE(source->Active());
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->SetDeleteSourceComponents(false);
  migrator->Migrate();
  ASSERT_EQ(forms.Find("Die_Query1"), source);
  EXPECT_FALSE(source->Active()) << "the kept source still holds its connection open";
  EXPECT_EQ(forms.Find<TQuelmQuery>("Query1")->FieldCount(), 5);
}

TEST(DataSetTransferTest, TheNewDataSetCachesNoUpdatesWhateverItStartedWith) {
  TOpenForms forms({"orders.dfm"});
  TRecordingDriver boxes;
  auto* source = forms.Find<TDataSet>("Query1");
  ASSERT_NE(GetOrdProp(*source, "CachedUpdates"), 0);
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  auto* replacement = new TQuelmQuery(&forms.Root());
  replacement->SetCachedUpdates(true);
  migrator->CreateQuelmDataSet(replacement, source);
  EXPECT_EQ(replacement->Name(), "Query1");
  EXPECT_FALSE(replacement->CachedUpdates());
  EXPECT_NE(GetOrdProp(*source, "CachedUpdates"), 0) << "the source keeps its setting";
}

namespace {

// What the replacement of each convertible class reads from its source: the
// property set on the source and what the new dataset shows of it.
struct TTransferRow {
  const char* Property;
  const char* Value;
  std::string Expected;
};

const TClassInfo* ForeignClassNamed(const std::string& name) {
  for (const TClassInfo* cls : ForeignClasses())
    if (SameText(cls->ClassName(), name)) return cls;
  return nullptr;
}

std::string WhatTheReplacementHolds(TDataSet* replacement) {
  if (auto* query = dynamic_cast<TQuelmQuery*>(replacement)) return "SQL " + query->GetQuery().Text();
  if (auto* table = dynamic_cast<TQuelmTable*>(replacement)) return "TableName " + table->TableName();
  if (auto* proc = dynamic_cast<TQuelmStoredProc*>(replacement)) return "ProcedureName " + proc->ProcedureName();
  return replacement ? "(a " + replacement->ClassName() + ")" : "(no replacement)";
}

} // namespace

TEST(DataSetTransferTest, EveryConvertibleClassHandsOverItsStatementTableOrProcedure) {
  const std::map<std::string, TTransferRow> rows = {
      {"TQuery", {"SQL", "select * from bde", "SQL select * from bde\n"}},
      {"TZQuery", {"SQL", "select * from zeos", "SQL select * from zeos\n"}},
      {"TSQLQuery", {"SQL", "select * from dbx", "SQL select * from dbx\n"}},
      {"TADOQuery", {"SQL", "select * from ado", "SQL select * from ado\n"}},
      {"TSQLDataset", {"CommandText", "select * from dbxset", "SQL select * from dbxset\n"}},
      {"TADODataset", {"CommandText", "select * from adoset", "SQL select * from adoset\n"}},
      {"TTable", {"TableName", "BDE_T", "TableName BDE_T"}},
      {"TZTable", {"TableName", "ZEOS_T", "TableName ZEOS_T"}},
      {"TSQLTable", {"TableName", "DBX_T", "TableName DBX_T"}},
      {"TADOTable", {"TableName", "ADO_T", "TableName ADO_T"}},
      {"TStoredProc", {"StoredProcName", "BDE_P", "ProcedureName BDE_P"}},
      {"TZStoredProc", {"StoredProcName", "ZEOS_P", "ProcedureName ZEOS_P"}},
      {"TSQLStoredProc", {"StoredProcName", "DBX_P", "ProcedureName DBX_P"}},
      {"TADOStoredProc", {"ProcedureName", "ADO_P", "ProcedureName ADO_P"}},
  };
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  std::vector<std::pair<std::string, const TTransferRow*>> made;
  for (const TConvertibleClass& convertible : ConvertibleClasses()) {
    SCOPED_TRACE(convertible.Name);
    auto row = rows.find(convertible.Name);
    ASSERT_NE(row, rows.end()) << "a convertible class without a row here";
    const TClassInfo* cls = ForeignClassNamed(convertible.Name);
    ASSERT_NE(cls, nullptr);
    auto* source = new TForeignDataSet(*cls, &forms.Root());
    source->SetName(std::string("Src") + convertible.Name);
    if (std::string(row->second.Property) == "SQL")
      dynamic_cast<TStrings*>(GetObjectProp(*source, "SQL"))->SetText(row->second.Value);
    else SetStrProp(*source, row->second.Property, row->second.Value);
    made.emplace_back(source->Name(), &row->second);
  }
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->Migrate();
  for (const auto& [name, row] : made)
    EXPECT_EQ(WhatTheReplacementHolds(forms.Find<TDataSet>(name)), row->Expected) << name;
}
