// A table's MasterFields editor, played through the field link designer's
// controls against the test server and the embedded server. The tables are
// temporary tables of the test's own connection, so no other test sees them.
#include "editors/TQuelmTableFieldLinkProperty.h"

#include "../fldlinks/LinkFieldsTestSupport.h"
#include "../runtime/TestBackends.h"
#include "fldlinks/EditMasterFields.h"
#include "fldlinks/TLinkFields.h"
#include "forms/TComboBox.h"
#include "forms/TFormUser.h"
#include "forms/TLabel.h"
#include "forms/TModalDriver.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmTable.h"

#include <gtest/gtest.h>

namespace {

using TPlay = std::function<void(TFormUser&, TLinkFields&)>;

const std::vector<std::string> MasterColumns = {"M1", "M2", "M3", "name"};

class TableFieldLinkTest : public ::testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    FForm.SetName("Form1");
    FDatabase = new TQuelmDatabase(&FForm);
    FDatabase->SetName("Database1");
    REQUIRE_BACKEND(*FDatabase, GetParam());
    TQuelmConnection& connection = FDatabase->Connection();
    connection.Execute("CREATE TEMPORARY TABLE link_master (M1 INT NOT NULL PRIMARY KEY, M2 INT, M3 INT, "
                       "name VARCHAR(10))");
    connection.Execute("CREATE TEMPORARY TABLE link_detail (id INT NOT NULL PRIMARY KEY, K1 INT, K2 INT, K3 INT, "
                       "note VARCHAR(10), KEY k123 (K1, K2, K3), KEY by_note (note))");
    FMaster = new TQuelmTable(&FForm);
    FMaster->SetName("Master");
    FMaster->SetDatabase(FDatabase);
    FMaster->SetTableName("link_master");
    FSource = new TDataSource(&FForm);
    FSource->SetName("MasterSource1");
    FSource->SetDataSet(FMaster);
    FDetail = new TQuelmTable(&FForm);
    FDetail->SetName("Detail");
    FDetail->SetDatabase(FDatabase);
    FDetail->SetTableName("link_detail");
    FDetail->SetMasterSource(FSource);
  }

  void Settings(const std::string& indexName, const std::string& indexFieldNames, const std::string& masterFields) {
    FDetail->SetIndexName(indexName);
    if (!indexFieldNames.empty()) FDetail->SetIndexFieldNames(indexFieldNames);
    FDetail->SetMasterFields(masterFields);
  }

  // The detail table's link settings: "IndexName|IndexFieldNames|MasterFields".
  std::string Links() const {
    return FDetail->IndexName() + "|" + FDetail->IndexFieldNames() + "|" + FDetail->MasterFields();
  }

  // Presses the MasterFields button of the detail table with plays playing
  // the user, one per dialog shown; answers for the message boxes. True when
  // the editor took the result.
  bool Press(std::vector<TPlay> plays, std::vector<TModalResult> answers = {}) {
    FDriver = std::make_unique<TFunctionModalDriver>();
    for (TPlay& play : plays)
      FDriver->Then([play](TFormUser& user) { play(user, dynamic_cast<TLinkFields&>(user.Form())); });
    for (TModalResult answer : answers) FDriver->QueueAnswer(answer);
    auto editor = EditorOn<TQuelmTableFieldLinkProperty>(&FDesigner, {FDetail}, "MasterFields");
    TModalDriverGuard guard(*FDriver);
    editor->Edit();
    // The edited tables themselves are never opened.
    EXPECT_FALSE(FDetail->Active());
    EXPECT_FALSE(FMaster->Active());
    return editor->Accepted();
  }

  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const TMessageBoxInfo& box : FDriver->Messages()) boxes.push_back(box.Text);
    return boxes;
  }

  static void Join(TFormUser& user, const std::string& detail, const std::string& master) {
    user.SelectItems("DetailList", {detail});
    user.SelectItems("MasterList", {master});
    user.Click("AddButton");
  }

  static std::string Buttons(const TLinkFields& dialog) {
    return ButtonStates(*dialog.AddButton, *dialog.DeleteButton, *dialog.ClearButton);
  }

  TComponent FForm{nullptr};
  TCountingDesigner FDesigner{FForm};
  TQuelmDatabase* FDatabase = nullptr;
  TQuelmTable* FMaster = nullptr;
  TDataSource* FSource = nullptr;
  TQuelmTable* FDetail = nullptr;
  std::unique_ptr<TFunctionModalDriver> FDriver;
};

} // namespace

TEST_P(TableFieldLinkTest, WithoutAMasterOrWithABadTableNoDialogShowsAndNothingChanges) {
  Settings("", "K1;K2", "M1;M2");
  FDetail->SetMasterSource(nullptr);
  EXPECT_EQ(ErrorOf([&] { Press({}); }), "Detail: Missing DataSet property");
  FDetail->SetMasterSource(FSource);
  FDetail->SetTableName("no_such_table");
  EXPECT_NE(ErrorOf([&] { Press({}); }).find("no_such_table"), std::string::npos);
  FDetail->SetTableName("link_detail");
  FDetail->SetIndexName("no_such_index");
  EXPECT_EQ(ErrorOf([&] { Press({}); }), "Index 'no_such_index' not found");
  // No index covers the field list the table is ordered by.
  FDetail->SetIndexFieldNames("note;K1");
  EXPECT_EQ(ErrorOf([&] { Press({}); }), "No index for fields 'note;K1'");
  EXPECT_EQ(FDriver->RunCount(), 0);
  EXPECT_EQ(Links(), "|note;K1|M1;M2");
  EXPECT_EQ(FDesigner.ModifiedCount, 0);
}

TEST_P(TableFieldLinkTest, WithNothingSetTheFirstIndexIsOfferedAndOkEmptiesTheMasterFields) {
  Settings("", "", "M1");
  EXPECT_TRUE(Press({[](TFormUser& user, TLinkFields& dialog) {
    EXPECT_TRUE(dialog.IndexList->Visible());
    EXPECT_EQ(dialog.IndexList->Items()->ToVector(), (std::vector<std::string>{"Primary", "k123", "by_note"}));
    EXPECT_EQ(dialog.IndexList->ItemIndex(), 0);
    EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"id"}));
    EXPECT_EQ(Items(*dialog.MasterList), MasterColumns);
    EXPECT_TRUE(Items(*dialog.BindList).empty());
    EXPECT_EQ(Buttons(dialog), "off off off");
    user.Click("Button1");
  }}));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Links(), "||");
  EXPECT_EQ(FDesigner.ModifiedCount, 1);
}

TEST_P(TableFieldLinkTest, JoinedFieldsMustBeALeadingRunOfTheIndex) {
  Settings("k123", "", "");
  EXPECT_TRUE(Press(
      {[](TFormUser& user, TLinkFields& dialog) {
        EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"K1", "K2", "K3"}));
        Join(user, "K1", "M1");
        Join(user, "K3", "M3");
        user.Click("Button1");
        EXPECT_FALSE(user.IsClosed());
        EXPECT_EQ(Current(*dialog.DetailList), "K2");
        EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K1 -> M1", "K3 -> M3"}));
        user.Click("ClearButton");
        Join(user, "K2", "M2");
        user.Click("Button1");
        EXPECT_FALSE(user.IsClosed());
        EXPECT_EQ(Current(*dialog.DetailList), "K1");
        user.Click("ClearButton");
        Join(user, "K2", "M2");
        Join(user, "K1", "M1");
        user.Click("Button1");
      }},
      {mrOk, mrOk}));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Field 'K2', from the Detail Fields list, must be linked",
                                               "Field 'K1', from the Detail Fields list, must be linked"}));
  const TMessageBoxInfo& box = FDriver->Messages()[0];
  EXPECT_EQ(box.Icon, TMsgDlgType::mtError);
  EXPECT_EQ(box.Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
  EXPECT_EQ(box.HelpContext, 0);
  // A leading part of the index is written as a field list.
  EXPECT_EQ(Links(), "|K1;K2|M1;M2");
}

TEST_P(TableFieldLinkTest, AWholeIndexJoinedIsWrittenByName) {
  // The field list K1 is covered by k123, which the designer opens on.
  Settings("", "K1", "M1");
  EXPECT_TRUE(Press({[](TFormUser& user, TLinkFields& dialog) {
    EXPECT_EQ(dialog.IndexList->Text(), "k123");
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K1 -> M1"}));
    EXPECT_EQ(Buttons(dialog), "off off on");
    Join(user, "K3", "M2");
    Join(user, "K2", "M3");
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K1 -> M1", "K2 -> M3", "K3 -> M2"}));
    user.Click("Button1");
  }}));
  EXPECT_EQ(Links(), "k123||M1;M3;M2");
}

TEST_P(TableFieldLinkTest, PrimaryWithAnEmptyFieldListWritesAnEmptyIndexName) {
  Settings("by_note", "", "name");
  EXPECT_TRUE(Press({[](TFormUser& user, TLinkFields& dialog) {
    // The index name's fields are the detail side of the current link.
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"note -> name"}));
    user.Pick("IndexList", "Primary");
    user.Click("Button1");
  }}));
  EXPECT_EQ(Links(), "||");
}

TEST_P(TableFieldLinkTest, RestoringSkipsUnknownMasterFieldsAndPairsTheLeadingNames) {
  Settings("", "K1;K2;K3", "M1;QQ;M2");
  EXPECT_FALSE(Press({[](TFormUser& user, TLinkFields& dialog) {
                       EXPECT_EQ(dialog.IndexList->Text(), "k123");
                       EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K1 -> M1", "K3 -> M2"}));
                       EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"K2"}));
                       EXPECT_EQ(Items(*dialog.MasterList), (std::vector<std::string>{"M3", "name"}));
                       EXPECT_EQ(Buttons(dialog), "off off on");
                       user.Click("Button1");
                       EXPECT_FALSE(user.IsClosed());
                       user.Click("Button2");
                     }},
                     {mrOk}));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Field 'K2', from the Detail Fields list, must be linked"}));
  EXPECT_EQ(Links(), "|K1;K2;K3|M1;QQ;M2");

  auto restored = [this](const std::string& detail, const std::string& master) {
    Settings("", detail, master);
    std::vector<std::string> pairs;
    Press({[&](TFormUser& user, TLinkFields& dialog) {
      pairs = Items(*dialog.BindList);
      user.Click("Button2");
    }});
    return pairs;
  };
  EXPECT_EQ(restored("K1;K2", "M1;M2;M3"), (std::vector<std::string>{"K1 -> M1", "K2 -> M2"}));
  EXPECT_EQ(restored("K1;K2;K3", "M3"), (std::vector<std::string>{"K1 -> M3"}));
  // A master field named twice is joined once.
  EXPECT_EQ(restored("K1;K2", "M2;M2"), (std::vector<std::string>{"K1 -> M2"}));
  EXPECT_EQ(FDesigner.ModifiedCount, 0);
}

TEST_P(TableFieldLinkTest, ChangingTheIndexDropsThePairsAndCancelKeepsTheTable) {
  Settings("", "K1;K2", "M1;M2");
  EXPECT_FALSE(Press({[](TFormUser& user, TLinkFields& dialog) {
    user.SelectItems("MasterList", {"M3"});
    user.SelectItems("DetailList", {"K3"});
    EXPECT_EQ(Buttons(dialog), "on off on");
    user.Pick("IndexList", "by_note");
    EXPECT_TRUE(Items(*dialog.BindList).empty());
    EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"note"}));
    EXPECT_EQ(Items(*dialog.MasterList), MasterColumns);
    EXPECT_EQ(Current(*dialog.DetailList), "(none)");
    EXPECT_EQ(Current(*dialog.MasterList), "(none)");
    EXPECT_EQ(Buttons(dialog), "off off off");
    Join(user, "note", "name");
    user.Click("Button2");
  }}));
  EXPECT_EQ(Links(), "|K1;K2|M1;M2");
  EXPECT_EQ(FDesigner.ModifiedCount, 0);
}

TEST_P(TableFieldLinkTest, DeleteAndClearGiveTheFieldsBackInTheirFirstOrder) {
  Settings("", "K1;K2;K3", "M1;M2;M3");
  EXPECT_TRUE(Press({[](TFormUser& user, TLinkFields& dialog) {
    user.SelectItems("BindList", {"K1 -> M1", "K3 -> M3"});
    EXPECT_EQ(Buttons(dialog), "off on on");
    user.Click("DeleteButton");
    EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"K1", "K3"}));
    EXPECT_EQ(Items(*dialog.MasterList), (std::vector<std::string>{"M1", "M3", "name"}));
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K2 -> M2"}));
    EXPECT_EQ(Current(*dialog.BindList), "K2 -> M2");
    EXPECT_EQ(Current(*dialog.DetailList), "(none)");
    EXPECT_EQ(Buttons(dialog), "off on on");
    // Joined crosswise, then cleared: every field is free, in its first order.
    Join(user, "K3", "name");
    Join(user, "K1", "M3");
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K1 -> M3", "K2 -> M2", "K3 -> name"}));
    user.Click("ClearButton");
    EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"K1", "K2", "K3"}));
    EXPECT_EQ(Items(*dialog.MasterList), MasterColumns);
    EXPECT_EQ(Buttons(dialog), "off off off");
    // The last pair deleted leaves nothing to delete or clear.
    Join(user, "K1", "name");
    user.SelectItems("BindList", {"K1 -> name"});
    user.Click("DeleteButton");
    EXPECT_EQ(Buttons(dialog), "off off off");
    EXPECT_EQ(Items(*dialog.MasterList), MasterColumns);
    Join(user, "K1", "M2");
    user.Click("Button1");
  }}));
  EXPECT_EQ(Links(), "|K1|M2");
}

TEST_P(TableFieldLinkTest, WithoutAnIndexAllFieldsAreOfferedAndPairsKeepTheirPlace) {
  Settings("", "", "");
  TSettingsAdapter adapter(FDetail);
  adapter.IndexFieldNames = "K2;K1";
  adapter.MasterFields = "M2;M1";
  TFunctionModalDriver driver([](TFormUser& user) {
    auto& dialog = dynamic_cast<TLinkFields&>(user.Form());
    EXPECT_FALSE(dialog.IndexList->Visible());
    EXPECT_FALSE(dialog.IndexLabel->Visible());
    EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"id", "K3", "note"}));
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K2 -> M2", "K1 -> M1"}));
    // Added pairs go in by the detail fields' order; restored ones stay put.
    Join(user, "note", "name");
    Join(user, "id", "M3");
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"id -> M3", "K2 -> M2", "K1 -> M1", "note -> name"}));
    user.SelectItems("BindList", {"id -> M3"});
    user.Click("DeleteButton");
    // A gap never matters here.
    user.Click("Button1");
  });
  TModalDriverGuard guard(driver);
  EXPECT_TRUE(EditMasterFields(FDetail, adapter));
  EXPECT_TRUE(driver.Messages().empty());
  EXPECT_EQ(adapter.Calls, (std::vector<std::string>{"SetIndexFieldNames(K2;K1;note)", "SetMasterFields(M2;M1;name)"}));
  EXPECT_FALSE(FDetail->Active());
}

// Needs no server: the one it names does not answer.
TEST(TableFieldLinkOfflineTest, AnUnreachableServerReachesTheUserAndChangesNothing) {
  TComponent form(nullptr);
  TCountingDesigner designer(form);
  auto* offline = new TQuelmDatabase(&form);
  offline->SetDatabaseName("quelm_test");
  offline->SetHost("127.0.0.1");
  offline->SetPort(1);
  auto* master = new TQuelmTable(&form);
  master->SetDatabase(offline);
  master->SetTableName("link_master");
  auto* source = new TDataSource(&form);
  source->SetDataSet(master);
  auto* detail = new TQuelmTable(&form);
  detail->SetDatabase(offline);
  detail->SetTableName("link_detail");
  detail->SetMasterSource(source);
  detail->SetIndexName("k123");
  detail->SetMasterFields("M1");
  TFunctionModalDriver driver([](TFormUser& user) { user.Click("Button1"); });
  TModalDriverGuard guard(driver);
  auto editor = EditorOn<TQuelmTableFieldLinkProperty>(&designer, {detail}, "MasterFields");
  EXPECT_NE(ErrorOf([&] { editor->Edit(); }).find("127.0.0.1"), std::string::npos);
  EXPECT_EQ(driver.RunCount(), 0);
  EXPECT_FALSE(editor->Accepted());
  EXPECT_EQ(detail->IndexName() + "|" + detail->IndexFieldNames() + "|" + detail->MasterFields(), "k123||M1");
  EXPECT_EQ(designer.ModifiedCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, TableFieldLinkTest, ::testing::ValuesIn(BackendsToTest()),
                         BackendName);
