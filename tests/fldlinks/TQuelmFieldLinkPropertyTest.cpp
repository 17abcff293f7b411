// The adapter's own behaviour and the dialog's form, without a database: the
// datasets here list their fields themselves.
#include "fldlinks/TQuelmFieldLinkProperty.h"

#include "LinkFieldsTestSupport.h"
#include "fldlinks/EditMasterFields.h"
#include "fldlinks/TLinkFields.h"
#include "forms/TBevel.h"
#include "forms/TComboBox.h"
#include "forms/TFormUser.h"
#include "forms/THeadlessWidgetSet.h"
#include "forms/TLabel.h"
#include "forms/TModalDriver.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

// A master with M1..M3 and a detail with K1..K3 that follows it.
class FieldLinkAdapterTest : public ::testing::Test {
protected:
  void SetUp() override {
    FForm.SetName("Form1");
    FMaster = new TListedDataSet(&FForm, {"M1", "M2", "M3"});
    FMaster->SetName("Master");
    FSource = new TDataSource(&FForm);
    FSource->SetDataSet(FMaster);
    FDetail = new TListedDataSet(&FForm, {"K1", "K2", "K3"});
    FDetail->SetName("Detail");
    FDetail->Source = FSource;
  }

  TComponent FForm{nullptr};
  TCountingDesigner FDesigner{FForm};
  TListedDataSet* FMaster = nullptr;
  TDataSource* FSource = nullptr;
  TListedDataSet* FDetail = nullptr;
};

} // namespace

TEST_F(FieldLinkAdapterTest, TheBaseServesADataSetWithoutIndexesAndLeavesTheMasterFieldsAbstract) {
  TQuelmFieldLinkProperty base(FDetail);
  EXPECT_EQ(ErrorOf([&] { base.GetMasterFields(); }), "Abstract Error");
  EXPECT_EQ(ErrorOf([&] { base.SetMasterFields("M1"); }), "Abstract Error");
  EXPECT_FALSE(base.GetIndexBased());
  EXPECT_EQ(base.GetIndexDefs(), nullptr);
  // The property's button opens a dialog; nothing else is offered.
  EXPECT_EQ(base.GetAttributes(), TPropertyAttributes{TPropertyAttribute::paDialog});
  // The designer itself stops at the abstract master-field access, before
  // any dialog shows.
  TFunctionModalDriver driver([](TFormUser& user) { user.Click("Button1"); });
  TModalDriverGuard guard(driver);
  EXPECT_EQ(ErrorOf([&] { EditMasterFields(FDetail, base); }), "Abstract Error");
  EXPECT_EQ(driver.RunCount(), 0);
}

TEST_F(FieldLinkAdapterTest, IndexNamesListPrimaryForTheUnnamedPrimaryIndexAndAppend) {
  TSettingsAdapter adapter(FDetail);
  TStringList list;
  list.Add("kept");
  adapter.GetIndexNames(list);  // not index based: no definitions
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"kept"}));
  adapter.IndexBased = true;
  adapter.GetIndexNames(list);  // an empty collection
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"kept"}));
  adapter.Defs.Add("", "K1", TIndexOptions{TIndexOption::ixPrimary});
  adapter.Defs.Add("ByName", "K2", {});
  adapter.Defs.Add("", "K3", {});
  adapter.Defs.Add("PK2", "K1;K2", TIndexOptions{TIndexOption::ixPrimary});
  adapter.GetIndexNames(list);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"kept", "Primary", "ByName", "", "PK2"}));
}

TEST_F(FieldLinkAdapterTest, AClassReferenceMakesAdaptersOfItsSubclass) {
  TFieldLinkPropertyClass reference = TFieldLinkPropertyClass::Of<TSettingsAdapter>();
  std::unique_ptr<TQuelmFieldLinkProperty> adapter = reference.Create(FDetail);
  EXPECT_EQ(adapter->ClassName(), "TSettingsAdapter");
  EXPECT_EQ(adapter->GetDataSet(), FDetail);
  EXPECT_EQ(dynamic_cast<TSettingsAdapter*>(adapter.get())->Defs.Count(), 0);
}

TEST_F(FieldLinkAdapterTest, TheDataSetIsAskedOfTheHostOnce) {
  auto editor = EditorOn<TSettingsAdapter>(&FDesigner, {FDetail}, "Name");
  EXPECT_EQ(editor->GetDataSet(), FDetail);
  // The host's selection changes; the adapter keeps the dataset it took.
  editor->SetPropEntry(0, FMaster, GetPropInfo(*FMaster, "Name"));
  EXPECT_EQ(editor->GetDataSet(), FDetail);
}

TEST_F(FieldLinkAdapterTest, EditReportsAModificationOnlyWhenTheDialogWasConfirmed) {
  auto editor = EditorOn<TSettingsAdapter>(&FDesigner, {FDetail}, "Name");
  editor->MasterFields = "M2";
  editor->IndexFieldNames = "K2";
  TFunctionModalDriver driver;
  driver.Then([](TFormUser& user) {
    user.Click("ClearButton");
    user.Click("Button2");
  });
  driver.Then([](TFormUser& user) {
    user.SelectItems("DetailList", {"K1"});
    user.SelectItems("MasterList", {"M3"});
    user.Click("AddButton");
    user.Click("Button1");
  });
  TModalDriverGuard guard(driver);
  editor->Edit();
  EXPECT_EQ(driver.RunCount(), 1);
  EXPECT_FALSE(editor->Accepted());
  EXPECT_EQ(FDesigner.ModifiedCount, 0);
  EXPECT_TRUE(editor->Calls.empty());
  EXPECT_EQ(editor->MasterFields, "M2");

  editor->Edit();
  EXPECT_EQ(driver.RunCount(), 2);
  EXPECT_TRUE(editor->Accepted());
  EXPECT_EQ(FDesigner.ModifiedCount, 1);
  // The restored pair K2-M2 stays; K1-M3 goes before it by detail order.
  EXPECT_EQ(editor->Calls, (std::vector<std::string>{"SetIndexFieldNames(K1;K2)", "SetMasterFields(M3;M2)"}));
}

TEST_F(FieldLinkAdapterTest, WithoutAMasterTheDialogNeverShows) {
  TSettingsAdapter adapter(FDetail);
  TFunctionModalDriver driver([](TFormUser& user) { user.Click("Button1"); });
  TModalDriverGuard guard(driver);
  TDataSource empty(nullptr);
  FDetail->Source = &empty;
  EXPECT_EQ(ErrorOf([&] { EditMasterFields(FDetail, adapter); }), "Detail: Missing DataSet property");
  FDetail->Source = nullptr;
  EXPECT_EQ(ErrorOf([&] { EditMasterFields(FDetail, adapter); }), "Detail: Missing DataSet property");
  EXPECT_EQ(driver.RunCount(), 0);
  EXPECT_TRUE(adapter.Calls.empty());
}

TEST_F(FieldLinkAdapterTest, OrderFieldListSortsByThePositionInTheOrder) {
  auto dialog = CreateForm<TLinkFields>(nullptr);
  auto listOf = [](const std::string& names, TStrings& list) {
    for (char c : names) list.Add(std::string(1, c));
  };
  auto check = [&](const std::string& order, const std::string& list, const std::string& expected) {
    TStringList orderList, sorted;
    listOf(order, orderList);
    listOf(list, sorted);
    dialog->OrderFieldList(orderList, sorted);
    std::string result;
    for (int i = 0; i < sorted.Count(); ++i) result += sorted[i];
    EXPECT_EQ(result, expected) << order << " / " << list;
  };
  check("ABC", "", "");
  check("ABC", "CAB", "ABC");
  check("ABC", "CA", "AC");
  // Names missing from the order come first, in their own order.
  check("ABC", "CXAY", "XYAC");
  // Equal positions keep their order: the second B stays after the first.
  check("AB", "BAB", "ABB");
}

TEST_F(FieldLinkAdapterTest, AComponentThatIsNoDataSetGetsAnErrorAndNoDialog) {
  auto editor = EditorOn<TSettingsAdapter>(&FDesigner, {FSource}, "Name");
  TFunctionModalDriver driver([](TFormUser& user) { user.Click("Button1"); });
  TModalDriverGuard guard(driver);
  EXPECT_EQ(ErrorOf([&] { editor->Edit(); }), "Missing DataSet property");
  EXPECT_EQ(driver.RunCount(), 0);
  EXPECT_EQ(FDesigner.ModifiedCount, 0);
}

TEST_F(FieldLinkAdapterTest, TheFormIsBuiltFromItsDefinition) {
  TSettingsAdapter adapter(FDetail);
  adapter.IndexBased = true;
  // The help log is the headless widgetset's; on real windows the rest holds.
  THeadlessWidgetSet* headless = HeadlessWidgetSet();
  if (headless) headless->ClearHelpRequests();
  TFunctionModalDriver driver([](TFormUser& user) {
    auto& dialog = dynamic_cast<TLinkFields&>(user.Form());
    EXPECT_EQ(dialog.Caption(), "Field Link Designer");
    EXPECT_EQ(dialog.BorderStyle(), TFormBorderStyle::bsDialog);
    EXPECT_EQ(dialog.ClientWidth(), 352);
    EXPECT_EQ(dialog.ClientHeight(), 265);
    EXPECT_EQ(dialog.HelpContext(), 27140);
    EXPECT_EQ(dialog.ActiveControl(), dialog.IndexList);
    EXPECT_EQ(dialog.IndexList->Style(), TComboBoxStyle::csDropDownList);
    EXPECT_TRUE(dialog.BindList->MultiSelect());
    EXPECT_FALSE(dialog.DetailList->MultiSelect());
    EXPECT_FALSE(dialog.MasterList->MultiSelect());
    EXPECT_EQ(dialog.Bevel1->Left(), 4);
    EXPECT_EQ(dialog.Bevel1->Width(), 343);
    struct TRow {
      TWinControl* Control;
      int Left, Top, Width, TabOrder;
    };
    for (const TRow& row : std::vector<TRow>{{dialog.IndexList, 109, 7, 192, 0},
                                             {dialog.DetailList, 13, 55, 117, 1},
                                             {dialog.MasterList, 222, 54, 117, 2},
                                             {dialog.BindList, 12, 157, 242, 3},
                                             {dialog.AddButton, 138, 74, 75, 4},
                                             {dialog.DeleteButton, 263, 157, 75, 5},
                                             {dialog.ClearButton, 263, 188, 75, 6},
                                             {dialog.Button1, 100, 231, 75, 7},
                                             {dialog.Button2, 186, 231, 75, 8},
                                             {dialog.Help, 272, 231, 75, 9}}) {
      EXPECT_EQ(row.Control->Left(), row.Left) << row.Control->Name();
      EXPECT_EQ(row.Control->Top(), row.Top) << row.Control->Name();
      EXPECT_EQ(row.Control->Width(), row.Width) << row.Control->Name();
      EXPECT_EQ(row.Control->TabOrder(), row.TabOrder) << row.Control->Name();
    }
    EXPECT_EQ(dialog.IndexLabel->Caption(), "A&vailable Indexes");
    EXPECT_EQ(dialog.Label30->Caption(), "D&etail Fields");
    EXPECT_EQ(dialog.Label31->Caption(), "&Master Fields");
    EXPECT_EQ(dialog.Label2->Caption(), "&Joined Fields");
    EXPECT_EQ(dialog.Button1->Caption() + "|" + dialog.Button2->Caption() + "|" + dialog.Help->Caption() + "|" +
                  dialog.AddButton->Caption() + "|" + dialog.DeleteButton->Caption() + "|" +
                  dialog.ClearButton->Caption(),
              "OK|Cancel|&Help|&Add|&Delete|&Clear");
    EXPECT_TRUE(dialog.Button1->Default());
    EXPECT_TRUE(dialog.Button2->Cancel());
    // The label's accelerator reaches the list it names.
    user.PressKey("BindList", 'e', TShiftState{TShiftStateFlag::ssAlt});
    EXPECT_EQ(dialog.ActiveControl(), dialog.DetailList);
    user.Click("Help");
    user.PressKey("DetailList", KeyChar::Escape);
  });
  TModalDriverGuard guard(driver);
  EXPECT_FALSE(EditMasterFields(FDetail, adapter));
  EXPECT_EQ(driver.RunCount(), 1);
  if (!headless) return;
  ASSERT_EQ(headless->HelpRequests().size(), 1u);
  EXPECT_EQ(headless->HelpRequests()[0].Context, 27140);
}

TEST_F(FieldLinkAdapterTest, AnExpressionIndexOffersItsWholeExpression) {
  TSettingsAdapter adapter(FDetail);
  adapter.IndexBased = true;
  adapter.Defs.Add("", "K1", TIndexOptions{TIndexOption::ixPrimary});
  adapter.Defs.Add("by_sum", "", TIndexOptions{TIndexOption::ixExpression})->SetExpression("K2+K3");
  adapter.Defs.Add("nothing", "", {});
  adapter.IndexName = "by_sum";
  TFunctionModalDriver driver;
  driver.Then([](TFormUser& user) {
    auto& dialog = dynamic_cast<TLinkFields&>(user.Form());
    EXPECT_EQ(dialog.IndexList->Text(), "by_sum");
    EXPECT_EQ(Items(*dialog.DetailList), (std::vector<std::string>{"K2+K3"}));
    user.SelectItems("DetailList", {"K2+K3"});
    user.SelectItems("MasterList", {"M2"});
    user.Click("AddButton");
    EXPECT_EQ(Items(*dialog.BindList), (std::vector<std::string>{"K2+K3 -> M2"}));
    user.Click("Button1");
  });
  // An index that offers no field at all: OK finds no gap and names it.
  driver.Then([](TFormUser& user) {
    user.Pick("IndexList", "nothing");
    EXPECT_TRUE(Items(*dynamic_cast<TLinkFields&>(user.Form()).DetailList).empty());
    user.Click("Button1");
  });
  TModalDriverGuard guard(driver);
  EXPECT_TRUE(EditMasterFields(FDetail, adapter));
  // The whole expression is joined: the index is written by name.
  EXPECT_EQ(adapter.Calls,
            (std::vector<std::string>{"SetIndexName(by_sum)", "SetIndexName(by_sum)", "SetMasterFields(M2)"}));
  adapter.Calls.clear();
  EXPECT_TRUE(EditMasterFields(FDetail, adapter));
  EXPECT_EQ(adapter.Calls.back(), "SetMasterFields()");
  EXPECT_EQ(adapter.Calls[adapter.Calls.size() - 2], "SetIndexName(nothing)");
  EXPECT_TRUE(driver.Messages().empty());
}
