// Scripts that run across nested dialogs and message boxes outside any form.
#include "support/ExpectRaises.h"
#include "forms/TScriptedModalDriver.h"

#include "TestDialog.h"
#include "forms/MessageDialogs.h"
#include "forms/TApplication.h"
#include "forms/TOpenDialog.h"

#include <gtest/gtest.h>

TEST(TScriptedModalDriver, OneScriptPlaysNestedDialogsInTurn) {
  auto outer = CreateForm<TTestDialog>(&Application());
  std::vector<TModalResult> innerResults;
  outer->GenerateButton->OnClick = TNotifyEvent([&](TObject*) {
    // A message box before the inner dialog shows, then the dialog itself.
    MessageDlg("Unable to determine field names for customer", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, 0);
    auto inner = CreateForm<TTestDialog>(nullptr);
    innerResults.push_back(inner->ShowModal());
    EXPECT_EQ("orders", inner->TableName->Text());
  });
  TScriptedModalDriver driver(
      "click GenerateButton\n"
      "answer OK\n"
      "  # now inside the inner dialog\n"
      "pick TableName orders\n"
      "click OkButton\n"
      "# back in the outer dialog\n"
      "click CancelButton\n",
      "nested.script");
  TModalDriverGuard guard(driver);
  EXPECT_EQ(mrCancel, outer->ShowModal());
  EXPECT_EQ((std::vector<TModalResult>{mrOk}), innerResults);
  EXPECT_TRUE(driver.AtEnd());
  ASSERT_EQ(1u, driver.Messages().size());
  EXPECT_EQ("Error", driver.Messages()[0].Caption);
  EXPECT_EQ(TMsgDlgType::mtError, driver.Messages()[0].Icon);
}

TEST(TScriptedModalDriver, BoxesBeforeAnyDialogTakeTheFirstLines) {
  TScriptedModalDriver driver("answer No\nanswer Yes\n", "boxes.script");
  TModalDriverGuard guard(driver);
  using B = TMsgDlgBtn;
  EXPECT_EQ(mrNo, MessageDlg("Keep?", TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo}, 0));
  EXPECT_EQ(IDYES, Application().MessageBox("Sure?", "Quelm", MB_YESNOCANCEL));
  EXPECT_THROW(ShowMessage("one too many"), EScriptError);
}

TEST(TScriptedModalDriver, FileDialogsTakeFileLines) {
  TScriptedModalDriver driver("file-cancel\nclick OkButton\n", "files.script");
  TModalDriverGuard guard(driver);
  TOpenDialog dialog(nullptr);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(TestSupport::Raises<EScriptError>(
      [&] { dialog.Execute(); },
      "files.script:2: a file dialog is showing; expected 'file' or 'file-cancel', found 'click'"));
}

TEST(TScriptedModalDriver, AMissingScriptFileIsAnInputError) {
  EXPECT_THROW(TScriptedModalDriver::FromFile("/no/such/dir/edit.script"), EInOutError);
}
