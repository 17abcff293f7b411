#include "forms/TComboBox.h"

#include "TestDialog.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"

#include <gtest/gtest.h>

TEST(TComboBox, PickingFiresClickThenChange) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  TFunctionModalDriver driver([](TFormUser& user) {
    EXPECT_THROW(user.Pick("TableName", "lines"), EModalDriverError);
    EXPECT_THROW(user.Pick("FieldList", "id"), EModalDriverError);  // not a combo box
    user.Pick("TableName", "orders");
    user.Pick("TableName", "CUSTOMER");
  });
  TModalDriverGuard guard(driver);
  dialog->ShowModal();
  EXPECT_EQ("create show(visible) click(orders) change(orders) click(customer) change(customer)", dialog->LogText());
  EXPECT_EQ(0, dialog->TableName->ItemIndex());
  EXPECT_EQ(MarkerObject(), dialog->TableName->Items()->Objects(0));
}

TEST(TComboBox, TypingReplacesTheTextAndFiresChangePerKey) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  dialog->TableName->SetItemIndex(1);
  TFunctionModalDriver driver([](TFormUser& user) { user.Type("TableName", "cus"); });
  TModalDriverGuard guard(driver);
  dialog->ShowModal();
  EXPECT_EQ("create show(visible) change(c) change(cu) change(cus)", dialog->LogText());
  EXPECT_EQ(-1, dialog->TableName->ItemIndex());
}

TEST(TComboBox, TextAndItemIndexFollowEachOther) {
  TComboBox combo(nullptr);
  int events = 0;
  combo.OnChange = TNotifyEvent([&](TObject*) { ++events; });
  combo.OnClick = TNotifyEvent([&](TObject*) { ++events; });
  for (const char* item : {"ORDERS", "orders", "lines"}) combo.Items()->Add(item);
  combo.SetText("orders");
  EXPECT_EQ(1, combo.ItemIndex());  // the exact case first
  combo.SetText("Lines");
  EXPECT_EQ(2, combo.ItemIndex());
  combo.SetText("other");
  EXPECT_EQ(-1, combo.ItemIndex());
  EXPECT_EQ("other", combo.Text());
  combo.SetItemIndex(0);
  EXPECT_EQ("ORDERS", combo.Text());
  combo.Items()->Delete(0);
  EXPECT_EQ(-1, combo.ItemIndex());
  combo.SetItemIndex(1);
  combo.Items()->Clear();  // clearing the list empties the text too
  EXPECT_EQ("", combo.Text());
  EXPECT_EQ(0, events);  // nothing done from code fires an event
  combo.SetStyle(TComboBoxStyle::csDropDownList);
  combo.Items()->Add("a");
  combo.SetText("b");
  EXPECT_EQ("", combo.Text());
}
