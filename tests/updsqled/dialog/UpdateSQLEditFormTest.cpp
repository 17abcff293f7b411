#include "updsqled/TQuelmUpdateSQLEditForm.h"

#include "../../runtime/TestBackends.h"
#include "classes/TStringList.h"
#include "editors/TQuelmUpdateSQLEditor.h"
#include "support/TestFormDesigner.h"
#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TFormUser.h"
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
