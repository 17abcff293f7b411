#include "updsqled/TQuelmUpdateSQLEditForm.h"

#include "../../runtime/TestBackends.h"
#include "classes/TStringList.h"
#include "editors/TQuelmUpdateSQLEditor.h"
#include "support/TestFormDesigner.h"
#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TFormUser.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TModalDriver.h"
#include "forms/TPageControl.h"
#include "forms/TScreen.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Items(const TListBox& box) { return box.Items()->ToVector(); }

std::vector<std::string> Selected(const TListBox& box) {
  std::vector<std::string> selected;
  for (int i = 0; i < box.Items()->Count(); ++i)
    if (box.Selected(i)) selected.push_back(box.Items()->Get(i));
  return selected;
}

std::vector<std::string> Lines(const TStrings& lines) { return lines.ToVector(); }

const std::vector<std::string> CustomerColumns = {"region", "id", "name", "email", "balance", "created"};

// A form with a database, a query and an update object, as a developer lays
// them out; the dialog runs on the update object.
class UpdateSQLEditFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    FForm.SetName("Form1");
    FDatabase = new TQuelmDatabase(&FForm);
    FDatabase->SetName("Database1");
    REQUIRE_BACKEND(*FDatabase, TBackend::Server);
    FQuery = new TQuelmQuery(&FForm);
    FQuery->SetName("Query1");
    FQuery->SetDatabase(FDatabase);
    FUpdate = new TQuelmUpdateSQL(&FForm);
    FUpdate->SetName("UpdateSQL1");
    FUpdate->SetDataSet(FQuery);
    FQuery->SetUpdateObject(FUpdate);
  }

  // Runs the dialog with run playing the user; the result of the dialog.
  // answers: the buttons pressed on the message boxes, in order.
  bool Run(std::function<void(TFormUser&, TQuelmUpdateSQLEditForm&)> run, std::vector<TModalResult> answers = {}) {
    FDriver = std::make_unique<TFunctionModalDriver>([run](TFormUser& user) {
      run(user, dynamic_cast<TQuelmUpdateSQLEditForm&>(user.Form()));
    });
    for (TModalResult answer : answers) FDriver->QueueAnswer(answer);
    TModalDriverGuard guard(*FDriver);
    return EditQuelmUpdateSQL(FUpdate);
  }

  TComponent FForm{nullptr};
  TQuelmDatabase* FDatabase = nullptr;
  TQuelmQuery* FQuery = nullptr;
  TQuelmUpdateSQL* FUpdate = nullptr;
  std::unique_ptr<TFunctionModalDriver> FDriver;
};

} // namespace

TEST_F(UpdateSQLEditFormTest, UnreadableFieldDefinitionsAreReportedAndTheListsKept) {
  FQuery->GetQuery().SetText("select * from no_such_table");
  bool result = Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_TRUE(Items(*dialog.KeyFieldList).empty());
    EXPECT_EQ(crDefault, Screen().Cursor());  // back after the failed read
    user.Click("CancelButton");
  }, {mrOk});
  EXPECT_FALSE(result);
  ASSERT_EQ(1u, FDriver->Messages().size());
  EXPECT_EQ("Unable to determine field names for Query1", FDriver->Messages()[0].Text);
}

TEST_F(UpdateSQLEditFormTest, GeneratingWithoutKeysRaisesAndKeepsTheTexts) {
  FQuery->GetQuery().SetText("select * from no_key");
  bool result = Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    user.Click("PrimaryKeyButton");  // no primary index: no key stays selected
    EXPECT_TRUE(Selected(*dialog.KeyFieldList).empty());
    user.Click("GenerateButton");
    EXPECT_TRUE(dialog.SQLText(0)->Count() == 0);
    EXPECT_EQ(0, dialog.PageControl->ActivePageIndex());
    user.Click("CancelButton");
  }, {mrOk});
  EXPECT_FALSE(result);
  ASSERT_FALSE(FDriver->Messages().empty());
  // The host's error box ends the exception's message with a period.
  EXPECT_EQ("Must select at least one key field and one update field.", FDriver->Messages().back().Text);
  EXPECT_EQ(0, FUpdate->GetSQLIndex(0).Count());
}

TEST_F(UpdateSQLEditFormTest, SingleTableQuerySelectsEveryColumn) {
  FQuery->GetQuery().SetText("select * from customer");
  bool result = Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ("Form1.UpdateSQL1 (Form1.Query1)", dialog.Caption());
    EXPECT_EQ((std::vector<std::string>{"customer"}), dialog.UpdateTableName->Items()->ToVector());
    EXPECT_EQ("customer", dialog.UpdateTableName->Text());
    EXPECT_EQ(CustomerColumns, Items(*dialog.KeyFieldList));
    EXPECT_EQ(CustomerColumns, Selected(*dialog.KeyFieldList));
    EXPECT_EQ(CustomerColumns, Selected(*dialog.UpdateFieldList));
    EXPECT_FALSE(dialog.DefaultButton->Enabled());
    EXPECT_TRUE(dialog.GenerateButton->Enabled());
    EXPECT_TRUE(dialog.SQLMemo->Lines()->Count() == 0);
    EXPECT_EQ(0, dialog.StatementIndex());
    user.DeselectItems("KeyFieldList", {"name", "email", "balance", "created"});
    user.Click("GenerateButton");
    EXPECT_EQ(1, dialog.PageControl->ActivePageIndex());
    EXPECT_EQ("update customer", dialog.SQLMemo->Lines()->Get(0));
    user.Click("OkButton");
  });
  EXPECT_TRUE(result);
  EXPECT_EQ((std::vector<std::string>{"update customer", "set", "  region = :region,", "  id = :id,",
                                      "  name = :name,", "  email = :email,", "  balance = :balance,",
                                      "  created = :created", "where", "  region = :OLD_region and",
                                      "  id = :OLD_id"}),
            Lines(FUpdate->GetSQLIndex(0)));
  EXPECT_EQ((std::vector<std::string>{"delete from customer", "where", "  region = :region and", "  id = :id"}),
            Lines(FUpdate->GetSQLIndex(2)));
  EXPECT_EQ("select * from customer", FUpdate->GetSQLIndex(3).Get(0));
  EXPECT_EQ("insert into customer", FUpdate->GetSQLIndex(1).Get(0));
}

TEST_F(UpdateSQLEditFormTest, TwoTablesReadTheFirstTablesColumnsThroughTheWorkingTable) {
  FQuery->GetQuery().SetText("select c.name, o.order_no from customer c, orders o where o.customer_id = c.id");
  // Without field definitions in the dataset nothing is selected.
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ((std::vector<std::string>{"customer", "orders"}), dialog.UpdateTableName->Items()->ToVector());
    EXPECT_EQ("customer", dialog.UpdateTableName->Text());
    EXPECT_EQ(CustomerColumns, Items(*dialog.KeyFieldList));
    EXPECT_TRUE(Selected(*dialog.KeyFieldList).empty());
    EXPECT_TRUE(dialog.DefaultButton->Enabled());
    user.Click("CancelButton");
  });
  // With them, exactly the columns that are also dataset fields.
  FQuery->FieldDefs().Update();
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ((std::vector<std::string>{"name"}), Selected(*dialog.KeyFieldList));
    EXPECT_EQ((std::vector<std::string>{"name"}), Selected(*dialog.UpdateFieldList));
    // Choosing the other table reads its columns.
    user.Pick("UpdateTableName", "orders");
    EXPECT_EQ((std::vector<std::string>{"order_no", "region", "customer_id"}), Items(*dialog.KeyFieldList));
    user.Click("PrimaryKeyButton");
    EXPECT_EQ((std::vector<std::string>{"order_no"}), Selected(*dialog.KeyFieldList));
    // Dataset Defaults goes back to the query's own columns, all selected.
    user.Click("DefaultButton");
    EXPECT_EQ((std::vector<std::string>{"name", "order_no"}), Items(*dialog.KeyFieldList));
    EXPECT_EQ((std::vector<std::string>{"name", "order_no"}), Selected(*dialog.UpdateFieldList));
    EXPECT_FALSE(dialog.DefaultButton->Enabled());
    user.Click("CancelButton");
  });
}

TEST_F(UpdateSQLEditFormTest, AnExistingModifyStatementRestoresTheChoices) {
  FQuery->GetQuery().SetText("select * from customer");
  FUpdate->GetSQLIndex(0).SetText("update customer set name = :name where id = :OLD_id");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ("customer", dialog.UpdateTableName->Text());
    EXPECT_EQ((std::vector<std::string>{"name"}), Selected(*dialog.UpdateFieldList));
    EXPECT_EQ((std::vector<std::string>{"id"}), Selected(*dialog.KeyFieldList));
    EXPECT_EQ("update customer set name = :name where id = :OLD_id", dialog.SQLMemo->Lines()->Get(0));
    user.Click("CancelButton");
  });
  // A modify statement naming a table that is not among the entries: set up
  // as for an empty statement, then that table is appended.
  FUpdate->GetSQLIndex(0).SetText("update orders set region = :region where order_no = :OLD_order_no");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ((std::vector<std::string>{"customer", "orders"}), dialog.UpdateTableName->Items()->ToVector());
    EXPECT_EQ("customer", dialog.UpdateTableName->Text());
    EXPECT_EQ(CustomerColumns, Selected(*dialog.KeyFieldList));
    user.Click("CancelButton");
  });
}

TEST_F(UpdateSQLEditFormTest, OkAfterAChangeWithoutGeneratingAsksFirst) {
  FQuery->GetQuery().SetText("select * from customer");
  FUpdate->GetSQLIndex(1).SetText("insert into customer (id) values (:id)");
  bool result = Run([this](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    user.SelectItems("KeyFieldList", {"id"});
    FDriver->QueueAnswer(mrNo);
    user.Click("OkButton");
    EXPECT_FALSE(user.IsClosed());  // No keeps the dialog open
    FDriver->QueueAnswer(mrYes);
    user.Click("OkButton");
  });
  EXPECT_TRUE(result);
  ASSERT_EQ(2u, FDriver->Messages().size());
  EXPECT_EQ("Update SQL statements not generated, exit anyway?", FDriver->Messages()[0].Text);
  EXPECT_EQ((std::vector<std::string>{"insert into customer (id) values (:id)"}), Lines(FUpdate->GetSQLIndex(1)));
}

TEST_F(UpdateSQLEditFormTest, HandEditsSurviveSwitchingStatementTypes) {
  FQuery->GetQuery().SetText("select * from customer");
  bool result = Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    user.SwitchPage("SQLPage");
    user.Type("SQLMemo", "update customer set name = :name");
    user.ClickRadio("StatementType", "Insert");
    EXPECT_EQ(1, dialog.StatementIndex());
    EXPECT_EQ(0, dialog.SQLMemo->Lines()->Count());
    user.ClickRadio("StatementType", "Modify");
    EXPECT_EQ("update customer set name = :name", dialog.SQLMemo->Lines()->Get(0));
    user.Click("OkButton");
  });
  EXPECT_TRUE(result);
  EXPECT_TRUE(FDriver->Messages().empty());  // no option changed: no confirmation
  EXPECT_EQ((std::vector<std::string>{"update customer set name = :name"}), Lines(FUpdate->GetSQLIndex(0)));
}

TEST_F(UpdateSQLEditFormTest, EscapeInTheMemoClosesWithoutWriting) {
  FQuery->GetQuery().SetText("select * from customer");
  bool result = Run([](TFormUser& user, TQuelmUpdateSQLEditForm&) {
    user.SwitchPage("SQLPage");
    user.Type("SQLMemo", "delete everything");
    EXPECT_FALSE(user.IsClosed());
    user.PressKey("SQLMemo", 27);
    // Escape itself closed the dialog, not the end of this script.
    EXPECT_TRUE(user.IsClosed());
  });
  EXPECT_FALSE(result);
  EXPECT_EQ(0, FUpdate->GetSQLIndex(0).Count());
}

TEST_F(UpdateSQLEditFormTest, NoDatasetLeavesTheListsEmpty) {
  FUpdate->SetDataSet(nullptr);
  FUpdate->GetSQLIndex(0).SetText("update orders set region = :region where order_no = :OLD_order_no");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ("Form1.UpdateSQL1 (No dataset association)", dialog.Caption());
    EXPECT_EQ((std::vector<std::string>{"orders"}), dialog.UpdateTableName->Items()->ToVector());
    EXPECT_EQ(-1, dialog.UpdateTableName->ItemIndex());
    EXPECT_TRUE(Items(*dialog.KeyFieldList).empty());
    EXPECT_FALSE(dialog.DefaultButton->Enabled());
    user.Click("CancelButton");
  });
}

namespace {

std::string Lines(const TStringList* text) { return text ? text->Text() : std::string("(none)"); }

// A table written with a column named by a reserved word; the test leaves it empty.
struct TEmptyTable {
  TQuelmDatabase& Database;
  std::string Table;
  TEmptyTable(TQuelmDatabase& database, std::string table) : Database(database), Table(std::move(table)) {
    Database.ExecSQL("DELETE FROM " + Table);
  }
  ~TEmptyTable() {
    try {
      Database.ExecSQL("DELETE FROM " + Table);
    } catch (const Exception&) {
    }
  }
};

std::string Rows(TQuelmDatabase& db, const std::string& sql) {
  TQuelmQuery query(nullptr);
  query.SetDatabase(&db);
  query.GetQuery().SetText(sql);
  query.Open();
  return query.Fields().Count() > 0 ? query.FieldValue(*query.Fields()[0]).value_or("(null)") : "";
}

class UpdateSQLOnBackendTest : public ::testing::TestWithParam<TBackend> {};

// Statements generated with quoted field names over a column named by a
// reserved word: the server accepts all four, and the runtime runs them on a
// record in turn.
TEST_P(UpdateSQLOnBackendTest, QuotedStatementsOverReservedWordsRunOnARecord) {
  TComponent form(nullptr);
  form.SetName("Form1");
  auto* db = new TQuelmDatabase(&form);
  REQUIRE_BACKEND(*db, GetParam());
  TEmptyTable empty(*db, "marks_reserved");
  auto* query = new TQuelmQuery(&form);
  query->SetName("Query1");
  query->SetDatabase(db);
  query->GetQuery().SetText("select * from marks_reserved");
  auto* update = new TQuelmUpdateSQL(&form);
  update->SetName("UpdateSQL1");
  query->SetUpdateObject(update);

  std::vector<std::string> checked;
  TFunctionModalDriver driver([&](TFormUser& user) {
    auto& dialog = dynamic_cast<TQuelmUpdateSQLEditForm&>(user.Form());
    user.DeselectItems("KeyFieldList", {"order", "select"});
    user.Tick("QuoteFields");
    user.Click("GenerateButton");
    user.Click("CheckButton");
    checked = Items(*dialog.CheckResultList);
    user.Click("OkButton");
  });
  {
    TModalDriverGuard guard(driver);
    ASSERT_TRUE(EditQuelmUpdateSQL(update));
  }
  EXPECT_EQ(checked, (std::vector<std::string>{"Modify: ok", "Insert: ok", "Delete: ok", "Refresh Record: ok"}));
  EXPECT_EQ(update->GetSQL(TQuelmUpdateKind::ukModify).Get(3), "  marks_reserved.\"order\" = :\"order\",");

  query->Open();  // no row yet: the insert takes every value from the new values
  EXPECT_EQ(update->Apply(TQuelmUpdateKind::ukInsert, {{"id", "1"}, {"order", "5"}, {"select", "it's"}}), 1u);
  query->Close();
  query->Open();
  EXPECT_EQ(update->Apply(TQuelmUpdateKind::ukModify, {{"id", "2"}, {"order", "6"}}), 1u);
  EXPECT_EQ(Rows(*db, "select group_concat(id, '/', `order`, '/', `select`) from marks_reserved"), "2/6/it's");
  EXPECT_EQ(update->Apply(TQuelmUpdateKind::ukRefresh, {{"id", "2"}}), 1u);
  EXPECT_EQ(query->FieldByName("id")->AsString() + "/" + query->FieldByName("order")->AsString(), "2/6");
  EXPECT_EQ(update->Apply(TQuelmUpdateKind::ukDelete), 1u);
  EXPECT_EQ(Rows(*db, "select count(*) from marks_reserved"), "0");
}

INSTANTIATE_TEST_SUITE_P(Backends, UpdateSQLOnBackendTest, ::testing::ValuesIn(BackendsToTest()),
                         BackendName);

} // namespace

TEST_F(UpdateSQLEditFormTest, CheckOnServerNamesTheGeneratedColumnAndLeavesTheTextsAlone) {
  FQuery->GetQuery().SetText("select * from computed");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    user.SelectItems("KeyFieldList", {"id"});
    user.Click("GenerateButton");
    ASSERT_EQ(1, dialog.PageControl->ActivePageIndex());
    const std::string modify = Lines(dialog.SQLText(0)), insert = Lines(dialog.SQLText(1));
    user.Click("CheckButton");
    std::vector<std::string> results = Items(*dialog.CheckResultList);
    ASSERT_EQ(4u, results.size());
    EXPECT_EQ(0u, results[0].find("Modify: error 1906: Generated column 'code_upper' of table 'computed'")) << results[0];
    EXPECT_EQ(0u, results[1].find("Insert: error 1906: Generated column 'code_upper'")) << results[1];
    EXPECT_EQ("Delete: ok", results[2]);
    EXPECT_EQ("Refresh Record: ok", results[3]);
    EXPECT_EQ(2, dialog.CheckResultList->Tag());
    EXPECT_FALSE(dialog.SettingsChangedSinceGenerate());
    EXPECT_EQ(modify, Lines(dialog.SQLText(0)));
    EXPECT_EQ(insert, Lines(dialog.SQLText(1)));

    // The memo's unsaved edit is what is checked, and it stays unsaved.
    user.ClearText("SQLMemo");
    user.Type("SQLMemo", "update computed set nope = :nope where id = :OLD_id");
    user.Click("CheckButton");
    EXPECT_EQ(0u, Items(*dialog.CheckResultList)[0].find("Modify: error 1054: Unknown column 'nope'"))
        << Items(*dialog.CheckResultList)[0];
    EXPECT_EQ(modify, Lines(dialog.SQLText(0)));
    EXPECT_TRUE(dialog.SQLMemo->Modified());

    // Select Writable Fields leaves out what the server computes; then all four pass.
    user.ClickRadio("StatementType", "Insert");  // the edit goes into the working text, as before
    user.SwitchPage("FieldsPage");
    user.ChoosePopupItem("UpdateFieldList", "miSelectWritable");
    EXPECT_EQ((std::vector<std::string>{"id", "code", "note"}), Selected(*dialog.UpdateFieldList));
    EXPECT_FALSE(dialog.SettingsChangedSinceGenerate());  // popup commands change selections only
    user.Click("GenerateButton");
    user.Click("CheckButton");
    EXPECT_EQ((std::vector<std::string>{"Modify: ok", "Insert: ok", "Delete: ok", "Refresh Record: ok"}),
              Items(*dialog.CheckResultList));
    EXPECT_EQ(0, dialog.CheckResultList->Tag());
    user.Click("CancelButton");
  });
  EXPECT_TRUE(FDriver->Messages().empty());  // answers on the page, never in a box
  EXPECT_EQ(0, FUpdate->GetSQLIndex(0).Count());
}

TEST_F(UpdateSQLEditFormTest, FieldListsMarkWhatTheServerFillsWithoutChangingTheItems) {
  FQuery->GetQuery().SetText("select * from computed");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    const std::vector<std::string> columns = {"id", "code", "code_upper", "code_length", "note"};
    EXPECT_EQ(columns, Items(*dialog.KeyFieldList));
    EXPECT_EQ(columns, Items(*dialog.UpdateFieldList));
    EXPECT_EQ(columns, Selected(*dialog.UpdateFieldList));  // the dataset defaults as before
    std::vector<std::string> hints;
    for (const std::string& column : columns) hints.push_back(dialog.FieldHint(column));
    EXPECT_EQ((std::vector<std::string>{"auto-increment", "", "generated, virtual", "generated, stored", ""}), hints);
    EXPECT_EQ("id: auto-increment\ncode_upper: generated, virtual, not writable\n"
              "code_length: generated, stored, not writable",
              dialog.UpdateFieldList->Hint());
    EXPECT_TRUE(dialog.KeyFieldList->ShowHint());
    user.Click("CancelButton");
  });
  FQuery->GetQuery().SetText("select * from customer");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ("", dialog.FieldHint("id"));
    EXPECT_FALSE(dialog.UpdateFieldList->ShowHint());
    user.Click("CancelButton");
  });
}

TEST_F(UpdateSQLEditFormTest, WithoutAPrimaryIndexALabelNamesAUniqueOne) {
  FQuery->GetQuery().SetText("select * from computed");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    EXPECT_EQ("", dialog.KeyHintLabel->Caption());
    user.Click("PrimaryKeyButton");
    EXPECT_TRUE(Selected(*dialog.KeyFieldList).empty());  // Select Primary Keys itself is unchanged
    EXPECT_EQ("No primary index; unique index code_unique (code, note)", dialog.KeyHintLabel->Caption());
    user.Click("CancelButton");
  });
  // A primary index, or no unique one: no label.
  for (const char* table : {"customer", "no_key"}) {
    FQuery->GetQuery().SetText(std::string("select * from ") + table);
    Run([&](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
      user.Click("PrimaryKeyButton");
      EXPECT_EQ("", dialog.KeyHintLabel->Caption()) << table;
      user.Click("CancelButton");
    });
  }
}

TEST_F(UpdateSQLEditFormTest, CheckWithoutADatabaseSaysSoOnThePage) {
  FQuery->SetDatabase(nullptr);
  FQuery->GetQuery().SetText("select * from customer");
  FUpdate->GetSQLIndex(0).SetText("update customer set name = :name where id = :OLD_id");
  Run([](TFormUser& user, TQuelmUpdateSQLEditForm& dialog) {
    user.SwitchPage("SQLPage");
    user.Click("CheckButton");
    EXPECT_EQ((std::vector<std::string>{"Database not assigned"}), Items(*dialog.CheckResultList));
    EXPECT_EQ(-1, dialog.CheckResultList->Tag());
    user.Click("CancelButton");
  }, {mrOk});
}

// The component editor's verb marks the form modified only when the
// developer accepted the dialog.
TEST_F(UpdateSQLEditFormTest, TheEditorVerbMarksTheFormModifiedOnlyAfterOk) {
  FQuery->GetQuery().SetText("select * from customer");
  TestSupport::TTestFormDesigner designer(FForm);
  TQuelmUpdateSQLEditor editor(FUpdate, &designer);
  int runs = 0;
  for (const char* button : {"CancelButton", "OkButton"}) {
    TFunctionModalDriver driver([&](TFormUser& user) {
      ++runs;
      user.SwitchPage("SQLPage");
      user.Type("SQLMemo", "update customer set name = :name");
      user.Click(button);
    });
    TModalDriverGuard guard(driver);
    editor.ExecuteVerb(0);
    EXPECT_EQ(std::string(button) == "OkButton" ? 1 : 0, designer.Changes) << button;
  }
  EXPECT_EQ(2, runs);
  EXPECT_EQ((std::vector<std::string>{"update customer set name = :name"}), Lines(FUpdate->GetSQLIndex(0)));
}
