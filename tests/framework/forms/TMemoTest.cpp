#include "forms/TMemo.h"

#include "TestDialog.h"
#include "classes/TStringList.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"

#include <gtest/gtest.h>

TEST(TMemo, LineIndexErrorsRaiseTheListError) {
  TMemo memo(nullptr);
  memo.Lines()->SetText("one\ntwo");
  EXPECT_THROW(memo.Lines()->Get(2), EListError);
  EXPECT_THROW(memo.Lines()->Delete(-1), EListError);
  EXPECT_THROW(memo.Lines()->Insert(3, "x"), EListError);
}

TEST(TMemo, LoadingClearsTheModifiedFlagAndLineEditsKeepIt) {
  TMemo memo(nullptr);
  TStringList source{"update t", "set a = :a"};
  auto check = [&](const char* what, auto&& change, bool modifiedBefore, bool expected) {
    memo.SetModified(modifiedBefore);
    change();
    EXPECT_EQ(expected, memo.Modified()) << what;
  };
  check("Lines.Assign", [&] { memo.Lines()->Assign(&source); }, true, false);
  check("Lines.SetText", [&] { memo.Lines()->SetText("select 1"); }, true, false);
  check("Text", [&] { memo.SetText("select 2"); }, true, false);
  check("Lines.Clear", [&] { memo.Lines()->Clear(); }, true, false);
  check("Lines.Add, clear before", [&] { memo.Lines()->Add("x"); }, false, false);
  check("Lines.Add, set before", [&] { memo.Lines()->Add("y"); }, true, true);
  check("Lines.Delete", [&] { memo.Lines()->Delete(0); }, true, true);
  check("SelText", [&] { memo.SetSelText("z"); }, false, false);
  check("typing", [&] { memo.TypeChar('q'); }, false, true);
}

TEST(TMemo, TextAndLinesAreOneText) {
  TMemo memo(nullptr);
  memo.SetText("select *\r\nfrom t\rwhere x\n");
  EXPECT_EQ("select *\nfrom t\nwhere x\n", memo.Text());
  ASSERT_EQ(3, memo.Lines()->Count());
  EXPECT_EQ("where x", memo.Lines()->Get(2));
  memo.Lines()->Put(1, "from customer");
  memo.Lines()->Insert(0, "-- top");
  EXPECT_EQ("-- top\nselect *\nfrom customer\nwhere x", memo.Text());
  TStringList copy;
  copy.Assign(memo.Lines());
  EXPECT_EQ(4, copy.Count());
}

TEST(TMemo, TypingEditsAtTheCaretAndSetsModified) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  dialog->SQLMemo->SetText("select  from t");
  int changes = 0;
  std::string keys;
  dialog->SQLMemo->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  dialog->SQLMemo->OnKeyPress = TKeyPressEvent([&](TObject*, char& key) {
    keys += key == KeyChar::Enter ? '|' : key;
    if (key == 'X') key = 0;  // swallowed
  });
  TFunctionModalDriver driver([](TFormUser& user) {
    user.SwitchPage("TextPage");
    user.PlaceCaret("SQLMemo", 7);
    user.Type("SQLMemo", "*X\n");
    user.PressKey("SQLMemo", KeyChar::Backspace);
    user.PressKey("SQLMemo", KeyChar::LineFeed, {TShiftStateFlag::ssCtrl});
  });
  TModalDriverGuard inner(driver);
  dialog->ShowModal();
  EXPECT_EQ("select *\n from t", dialog->SQLMemo->Text());
  EXPECT_TRUE(dialog->SQLMemo->Modified());
  EXPECT_EQ("*X|\b\n", keys);
  EXPECT_EQ(4, changes);  // '*', Enter, Backspace, Ctrl+Enter
  EXPECT_EQ(9, dialog->SQLMemo->SelStart());
  TCaretPos pos = dialog->SQLMemo->CaretPos();
  EXPECT_EQ(1, pos.Y);
  EXPECT_EQ(0, pos.X);
}
