#include "support/ExpectRaises.h"
#include "forms/TListBox.h"

#include "TestDialog.h"
#include "classes/TStringList.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"

#include <gtest/gtest.h>

namespace {
std::string Selection(const TListBox& box) {
  std::string text;
  for (int i = 0; i < box.Items()->Count(); ++i)
    if (box.Selected(i)) text += (text.empty() ? "" : ",") + box.Items()->Get(i);
  return text;
}
} // namespace

TEST(TListBox, BadIndexesRaiseTheListError) {
  TListBox box(nullptr);
  box.Items()->Add("a");
  EXPECT_THROW(box.Selected(1), EListError);
  EXPECT_THROW(box.SetSelected(-1, true), EListError);
  EXPECT_THROW(box.ClickItem(3, false), EListError);
  box.SetItemIndex(7);  // out of range: no current item, as the host's list box
  EXPECT_EQ(-1, box.ItemIndex());
}

TEST(TListBox, SelectionSurvivesBeginUpdateAndEndUpdate) {
  TListBox box(nullptr);
  box.SetMultiSelect(true);
  for (const char* item : {"id", "name", "city", "zip"}) box.Items()->Add(item);
  box.SetSelected(1, true);
  box.SetSelected(3, true);
  {
    TUpdateGuard update(*box.Items());
    box.Items()->Insert(0, "first");  // selection moves with its items
    box.Items()->Delete(3);           // "city"
    box.SetSelected(0, true);
  }
  EXPECT_EQ("first,name,zip", Selection(box));
  EXPECT_EQ(3, box.SelCount());
  box.Items()->Move(0, 2);
  EXPECT_EQ("name,first,zip", Selection(box));
  box.Items()->Assign(box.Items());  // assigning itself changes nothing
  EXPECT_EQ(3, box.SelCount());
  TStringList other{"a", "b"};
  box.Items()->Assign(&other);  // new items come unselected
  EXPECT_EQ(0, box.SelCount());
}

TEST(TListBox, ItemIndexOfAMultiSelectBoxMovesOnlyTheFocus) {
  TListBox box(nullptr);
  box.SetMultiSelect(true);
  for (const char* item : {"a", "b", "c"}) box.Items()->Add(item);
  box.SetSelected(2, true);
  box.SetItemIndex(0);
  box.SetTopIndex(0);
  EXPECT_EQ(0, box.ItemIndex());
  EXPECT_EQ("c", Selection(box));
  box.SetMultiSelect(false);
  // A single-selection box keeps its focus item's selection only.
  EXPECT_EQ("", Selection(box));
  box.SetItemIndex(1);
  EXPECT_EQ("b", Selection(box));
  box.Items()->Delete(0);
  EXPECT_EQ(0, box.ItemIndex());
  box.Items()->Clear();
  EXPECT_EQ(-1, box.ItemIndex());
}

TEST(TListBox, SortedBoxesKeepEqualItemsInArrivalOrder) {
  TListBox box(nullptr);
  box.SetSorted(true);
  for (const char* item : {"orders", "CUSTOMER", "ORDERS", "address"}) box.Items()->Add(item);
  EXPECT_EQ("address,CUSTOMER,orders,ORDERS", box.Items()->DelimitedText(','));
  EXPECT_EQ(3, box.Items()->IndexOfText("ORDERS"));  // the exact case first
  box.Items()->Insert(0, "zzz");                      // an insert keeps its place
  EXPECT_EQ("zzz", box.Items()->Get(0));
}

TEST(TListBox, ClicksSelectAsAPersonDoes) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  std::vector<std::string> afterClicks;
  TFunctionModalDriver driver([&](TFormUser& user) {
    EXPECT_TRUE(TestSupport::Raises<EModalDriverError>([&] { user.SelectItems("FieldList", {"zip"}); },
                                                       "FieldList has no item 'zip' (items: id, name, city)"));
    user.SelectItems("FieldList", {"city", "id"});
    afterClicks.push_back(Selection(*dialog->FieldList));
    user.SelectItems("FieldList", {"name"});  // a plain click drops the others
    afterClicks.push_back(Selection(*dialog->FieldList));
    user.ChoosePopupItem("FieldList", "miSelectAll");
    afterClicks.push_back(Selection(*dialog->FieldList));
    user.DeselectItems("FieldList", {"ID"});
    afterClicks.push_back(Selection(*dialog->FieldList));
    user.ChoosePopupItem("FieldList", "Clear All");
    afterClicks.push_back(Selection(*dialog->FieldList));
  });
  TModalDriverGuard guard(driver);
  dialog->ShowModal();
  EXPECT_EQ((std::vector<std::string>{"id,city", "name", "id,name,city", "name,city", ""}), afterClicks);
  EXPECT_EQ("create show(visible) listenter listclick(1) listclick(2) listclick(1) selectall(FieldList) listclick(2)",
            dialog->LogText());
  EXPECT_EQ(0, dialog->FieldList->ItemIndex());
}
