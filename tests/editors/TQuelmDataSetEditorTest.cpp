#include "support/TestFormDesigner.h"
#include "editors/TQuelmDataSetEditor.h"

#include "../runtime/TestBackends.h"
#include "classes/TStringList.h"
#include "designhost/DesignRegistry.h"
#include "designhost/FieldsEditor.h"
#include "editors/TQuelmDatabaseEditor.h"
#include "editors/TQuelmDesigner.h"
#include "forms/TFormUser.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TModalDriver.h"
#include "package/QuelmCOMP.h"
#include "queryedit/TSQLEditForm.h"
#include "runtime/EditDatabase.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"

#include "forms/THeadlessWidgetSet.h"

#include <gtest/gtest.h>

namespace {

using TCountingDesigner = TestSupport::TTestFormDesigner;

// A dataset of the suite that is not on the palette.
class TProbeDataSet : public TQuelmQuery {
  QUELM_CLASS(TProbeDataSet, TQuelmQuery)

public:
  using TQuelmQuery::TQuelmQuery;
};

std::vector<std::string> Verbs(TComponentEditor& editor) {
  std::vector<std::string> verbs;
  for (int i = 0; i < editor.GetVerbCount(); ++i) verbs.push_back(editor.GetVerb(i));
  return verbs;
}

std::vector<std::string> Items(const TListBox& box) { return box.Items()->ToVector(); }

// A form with a database and a query on it, as a developer lays them out.
class DataSetEditorTest : public ::testing::Test {
protected:
  DataSetEditorTest() {
    FForm.SetName("Form1");
    FForm.SetDesigning(true);
    FDatabase = new TQuelmDatabase(&FForm);
    FDatabase->SetName("Database1");
    FQuery = new TQuelmQuery(&FForm);
    FQuery->SetName("Query1");
    FQuery->SetDatabase(FDatabase);
  }
  ~DataSetEditorTest() override { CloseAllFieldsEditors(); }

  std::unique_ptr<TQuelmDataSetEditor> EditorOn(TComponent* component) {
    return std::make_unique<TQuelmDataSetEditor>(component, &FDesigner);
  }
  // Runs the query's "SQL Editor..." verb with run playing the user.
  void RunSQLEditor(std::function<void(TFormUser&, TSQLEditForm&)> run) {
    TFunctionModalDriver driver([run](TFormUser& user) { run(user, dynamic_cast<TSQLEditForm&>(user.Form())); });
    TModalDriverGuard guard(driver);
    EditorOn(FQuery)->ExecuteVerb(1);
    EXPECT_EQ(1, driver.RunCount());
  }

  TComponent FForm{nullptr};
  TCountingDesigner FDesigner{FForm};
  TQuelmDatabase* FDatabase = nullptr;
  TQuelmQuery* FQuery = nullptr;
};

} // namespace

QUELM_DEFINE_CLASS(TProbeDataSet, TQuelmQuery)

TEST_F(DataSetEditorTest, VerbTextsFollowTheDatasetsClassAndState) {
  auto* table = new TQuelmTable(&FForm);
  auto* proc = new TQuelmStoredProc(&FForm);
  TProbeDataSet probe(&FForm);
  EXPECT_EQ((std::vector<std::string>{"Fields Editor...", "", "Open"}), Verbs(*EditorOn(table)));
  EXPECT_EQ((std::vector<std::string>{"Fields Editor...", "", "Open"}), Verbs(*EditorOn(proc)));
  EXPECT_EQ((std::vector<std::string>{"Fields Editor...", "SQL Editor...", "Open"}), Verbs(*EditorOn(FQuery)));
  EXPECT_EQ((std::vector<std::string>{"Fields Editor...", "SQL Editor...", "Open"}), Verbs(*EditorOn(&probe)));
}

TEST_F(DataSetEditorTest, TheEmptyVerbOfATableChangesNothingButMarksTheForm) {
  auto* table = new TQuelmTable(&FForm);
  table->SetDatabase(FDatabase);
  table->SetTableName("customer");
  TFunctionModalDriver driver;  // any dialog would be an error
  TModalDriverGuard guard(driver);
  EditorOn(table)->ExecuteVerb(1);
  EXPECT_EQ(0, driver.RunCount());
  EXPECT_EQ("customer", table->TableName());
  EXPECT_FALSE(FDatabase->Connected());
  EXPECT_EQ(1, FDesigner.Changes);
}

TEST_F(DataSetEditorTest, AFailedOpenIsNotAChange) {
  FQuery->GetQuery().SetText("select * from customer");
  FQuery->SetDatabase(nullptr);
  EXPECT_ANY_THROW(EditorOn(FQuery)->ExecuteVerb(2));
  EXPECT_FALSE(FQuery->Active());
  EXPECT_EQ(0, FDesigner.Changes);
}

TEST_F(DataSetEditorTest, TheFieldsEditorUsesTheSuitesDesigner) {
  // The fields editor stays open for a person on real windows.
  if (!HeadlessWidgetSet()) GTEST_SKIP() << "the headless fields editor returns at once; on real windows it waits";
  auto editor = EditorOn(FQuery);
  editor->ExecuteVerb(0);
  std::vector<TFieldsEditor*> open = OpenFieldsEditors();
  ASSERT_EQ(1u, open.size());
  EXPECT_EQ(FQuery, open[0]->DataSet());
  EXPECT_EQ("TQuelmDesigner", open[0]->DSDesigner().ClassName());
  EXPECT_FALSE(open[0]->DSDesigner().SupportsAggregates());
  EXPECT_TRUE(open[0]->DSDesigner().SupportsInternalCalc());
  EXPECT_EQ(1, FDesigner.Changes);
  // Again: the same editor comes forward.
  editor->ExecuteVerb(0);
  EXPECT_EQ(1u, OpenFieldsEditors().size());
  EXPECT_EQ(2, FDesigner.Changes);
}

TEST_F(DataSetEditorTest, ADisconnectedDatabaseShowsNoTablesWhateverTheSystemTablesBox) {
  FQuery->GetQuery().SetText("select * from customer");
  RunSQLEditor([this](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_TRUE(Items(*dialog.TableList).empty());
    EXPECT_TRUE(Items(*dialog.FieldList).empty());
    user.Tick("chbSystemObjects");
    EXPECT_TRUE(Items(*dialog.TableList).empty());
    user.Untick("chbSystemObjects");
    EXPECT_TRUE(Items(*dialog.TableList).empty());
    EXPECT_FALSE(FDatabase->Connected());  // the lists never connect
    user.Click("CancelButton");
  });
  // No database at all: the same.
  FQuery->SetDatabase(nullptr);
  RunSQLEditor([](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_TRUE(Items(*dialog.TableList).empty());
    user.Click("CancelButton");
  });
  EXPECT_EQ("select * from customer\n", FQuery->GetQuery().Text());
  EXPECT_EQ(2, FDesigner.Changes);  // a cancelled SQL editor still marks the form
}

TEST_F(DataSetEditorTest, AConnectedDatabaseListsItsTablesAndTheQuerysTable) {
  REQUIRE_BACKEND(*FDatabase, TBackend::Server);
  TStringList tables;
  FDatabase->GetTableNames("", tables, true);
  ASSERT_GT(tables.Count(), 3);
  FQuery->GetQuery().SetText("select id, name\nfrom orders o");
  RunSQLEditor([&](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_EQ(tables.Count(), dialog.TableList->Items()->Count());
    ASSERT_GE(dialog.TableList->ItemIndex(), 0);
    EXPECT_EQ("orders", dialog.TableList->Items()->Get(dialog.TableList->ItemIndex()));
    EXPECT_EQ((std::vector<std::string>{"*", "order_no", "region", "customer_id"}), Items(*dialog.FieldList));
    user.Tick("chbSystemObjects");
    EXPECT_EQ(tables.Count(), dialog.TableList->Items()->Count());
    EXPECT_EQ((std::vector<std::string>{"*", "order_no", "region", "customer_id"}), Items(*dialog.FieldList));
    user.SelectItems("TableList", {"customer"});
    EXPECT_EQ((std::vector<std::string>{"*", "region", "id", "name", "email", "balance", "created"}),
              Items(*dialog.FieldList));
    // Adding a field at the end of "select id, name".
    user.PlaceCaret("mmSQL", 15);
    user.SelectItems("FieldList", {"email"});
    user.Click("AddFieldButton");
    user.Click("OkButton");
  });
  EXPECT_EQ((std::vector<std::string>{"select id, name, email", "from orders o"}), FQuery->GetQuery().ToVector());
  EXPECT_EQ(1, FDesigner.Changes);
}

TEST_F(DataSetEditorTest, EmptySQLStartsWithoutATableNameAndCancelKeepsTheText) {
  REQUIRE_BACKEND(*FDatabase, TBackend::Server);
  RunSQLEditor([](TFormUser& user, TSQLEditForm& dialog) {
    // No start table: the first table of the sorted list.
    EXPECT_EQ(0, dialog.TableList->ItemIndex());
    user.Click("AddTableButton");
    EXPECT_EQ("SELECT * FROM " + dialog.TableList->Items()->Get(0), dialog.Memo()->Text());
    user.Click("CancelButton");
  });
  EXPECT_EQ(0, FQuery->GetQuery().Count());
  RunSQLEditor([](TFormUser& user, TSQLEditForm&) {
    user.SelectItems("TableList", {"customer"});
    user.Click("AddTableButton");
    user.Click("OkButton");
  });
  EXPECT_EQ((std::vector<std::string>{"SELECT * FROM customer"}), FQuery->GetQuery().ToVector());
  EXPECT_EQ(2, FDesigner.Changes);
}

TEST_F(DataSetEditorTest, OpenAndCloseFollowTheDatasetsState) {
  REQUIRE_BACKEND(*FDatabase, TBackend::Server);
  FQuery->GetQuery().SetText("select * from customer");
  auto editor = EditorOn(FQuery);
  editor->ExecuteVerb(2);
  EXPECT_TRUE(FQuery->Active());
  EXPECT_EQ("Close", editor->GetVerb(2));
  editor->ExecuteVerb(2);
  EXPECT_FALSE(FQuery->Active());
  EXPECT_EQ("Open", editor->GetVerb(2));
  EXPECT_EQ(2, FDesigner.Changes);
}

TEST(DatabaseEditorTest, TheSecondVerbConnectsAndDisconnects) {
  TComponent form(nullptr);
  TCountingDesigner designer(form);
  auto* database = new TQuelmDatabase(&form);
  database->SetName("Database1");
  REQUIRE_BACKEND(*database, TBackend::Server);
  database->SetConnected(false);
  TQuelmDatabaseEditor editor(database, &designer);
  EXPECT_EQ(2, editor.GetVerbCount());
  EXPECT_EQ((std::vector<std::string>{"QuelmDatabase &Editor...", "&Connect to server"}), Verbs(editor));
  editor.ExecuteVerb(1);
  EXPECT_TRUE(database->Connected());
  EXPECT_EQ((std::vector<std::string>{"QuelmDatabase &Editor...", "&Disconnect from server"}), Verbs(editor));
  editor.ExecuteVerb(1);
  EXPECT_FALSE(database->Connected());
  EXPECT_EQ("&Connect to server", editor.GetVerb(1));
  EXPECT_EQ(2, designer.Changes);
}

TEST(DatabaseEditorTest, AFailedConnectIsNotAChangeAndTheEditorVerbAlwaysIs) {
  TComponent form(nullptr);
  TCountingDesigner designer(form);
  auto* database = new TQuelmDatabase(&form);
  database->SetName("Database1");
  database->SetHost("127.0.0.1");
  database->SetPort(1);  // nothing listens there
  database->SetDatabaseName("quelm_test");
  TQuelmDatabaseEditor editor(database, &designer);
  EXPECT_THROW(editor.ExecuteVerb(1), EDatabaseError);
  EXPECT_FALSE(database->Connected());
  EXPECT_EQ(0, designer.Changes);

  int dialogs = 0;
  TEditDatabaseHandler previous = SetEditDatabaseHandler([&](TQuelmDatabase& d) {
    EXPECT_EQ(database, &d);
    ++dialogs;
    return false;  // cancelled: still a change as far as the form knows
  });
  editor.ExecuteVerb(0);
  SetEditDatabaseHandler(previous);
  EXPECT_EQ(1, dialogs);
  EXPECT_EQ(1, designer.Changes);
}

TEST_F(DataSetEditorTest, AnErrorInTheSQLEditorLeavesTheQueryAndTheListsSourceCleared) {
  REQUIRE_BACKEND(*FDatabase, TBackend::Server);
  FQuery->GetQuery().SetText("select * from customer");
  auto editor = EditorOn(FQuery);
  TFunctionModalDriver driver([](TFormUser& user) {
    user.ClearText("mmSQL");
    user.Click("NoSuchButton");
  });
  TModalDriverGuard guard(driver);
  EXPECT_THROW(editor->ExecuteVerb(1), EModalDriverError);
  EXPECT_EQ("select * from customer\n", FQuery->GetQuery().Text());
  EXPECT_EQ(0, FDesigner.Changes);
  // Outside the dialog the callbacks have no database to read from.
  TStringList tables;
  tables.Add("stale");
  editor->GetTables(tables, false);
  EXPECT_EQ(0, tables.Count());
}

TEST(ComponentEditorRegistrationTest, EveryDatasetOfTheSuiteGetsTheDatasetEditor) {
  TDesignRegistry& registry = TDesignRegistry::Instance();
  constexpr int Package = 7306;
  int previous = registry.CurrentPackage();
  registry.SetCurrentPackage(Package);
  Register();
  registry.SetCurrentPackage(previous);
  struct TUnregister {
    ~TUnregister() { TDesignRegistry::Instance().UnregisterPackage(Package); }
  } unregister;
  std::vector<std::string> mine;
  for (const TComponentEditorRegistration& r : registry.ComponentEditors())
    if (r.Package == Package) mine.push_back(r.ComponentClass->ClassName() + " " + r.Editor.ClassName());
  EXPECT_EQ((std::vector<std::string>{"TQuelmDatabase TQuelmDatabaseEditor", "TQuelmDataSet TQuelmDataSetEditor",
                                      "TQuelmUpdateSQL TQuelmUpdateSQLEditor"}),
            mine);
  auto editorOf = [&](const TClassInfo& cls) { return registry.FindComponentEditor(cls).ClassName(); };
  EXPECT_EQ("TQuelmDataSetEditor", editorOf(TQuelmTable::StaticClass()));
  EXPECT_EQ("TQuelmDataSetEditor", editorOf(TQuelmStoredProc::StaticClass()));
  EXPECT_EQ("TQuelmDataSetEditor", editorOf(TProbeDataSet::StaticClass()));
}

TEST_F(DataSetEditorTest, ALostConnectionLeavesNoStaleFieldsUnderAnotherTable) {
  REQUIRE_BACKEND(*FDatabase, TBackend::Server);
  FQuery->GetQuery().SetText("select * from customer");
  RunSQLEditor([this](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_EQ(7, dialog.FieldList->Items()->Count());
    FDatabase->SetConnected(false);
    user.SelectItems("TableList", {"orders"});
    EXPECT_EQ(std::vector<std::string>{"*"}, Items(*dialog.FieldList));
    EXPECT_FALSE(FDatabase->Connected());
    user.Click("CancelButton");
  });
}
