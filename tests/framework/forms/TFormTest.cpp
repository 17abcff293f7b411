#include "forms/TForm.h"

#include "TestDialog.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"
#include "forms/TLabel.h"
#include "forms/TModalDriver.h"
#include "forms/TScreen.h"

#include <gtest/gtest.h>

namespace {
TFormPtr<TTestDialog> MakeDialog() { return CreateForm<TTestDialog>(&Application()); }

// Runs the dialog modally with one driver procedure; returns the result.
TModalResult RunWith(TTestDialog& dialog, TFunctionModalDriver& driver) {
  TModalDriverGuard guard(driver);
  return dialog.ShowModal();
}
} // namespace

TEST(TForm, ShowModalOnAShownFormIsRefused) {
  auto dialog = MakeDialog();
  TFunctionModalDriver driver([&](TFormUser&) {
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
  });
  EXPECT_EQ(mrCancel, RunWith(*dialog, driver));
}

TEST(TForm, ButtonModalResultClosesAfterItsHandler) {
  struct Case {
    const char* Button;
    bool KeepOpen;
    TModalResult Expected;
    const char* Log;
  };
  auto check = [](const Case& c) {
    auto dialog = MakeDialog();
    dialog->KeepOpenOnOk = c.KeepOpen;
    bool closedByClick = false;
    TFunctionModalDriver driver([&](TFormUser& user) {
      user.Click(c.Button);
      closedByClick = user.IsClosed();
    });
    EXPECT_EQ(c.Expected, RunWith(*dialog, driver)) << c.Button;
    EXPECT_EQ(c.Expected != mrCancel || std::string(c.Button) == "CancelButton", closedByClick) << c.Button;
    EXPECT_EQ(c.Log, dialog->LogText()) << c.Button;
  };
  // The handler resets the result: the form stays open, and the driver
  // returning leaves it to count as Cancel.
  check({"OkButton", true, mrCancel, "create show(visible) ok"});
  check({"OkButton", false, mrOk, "create show(visible) ok closequery"});
  check({"CancelButton", false, mrCancel, "create show(visible) closequery"});
}

TEST(TForm, ButtonHandlerSeesTheModalResultAlreadySet) {
  auto dialog = MakeDialog();
  TModalResult seen = -1;
  dialog->OkButton->OnClick = TNotifyEvent([&](TObject*) { seen = dialog->ModalResult(); });
  TFunctionModalDriver driver([](TFormUser& user) { user.Click("OkButton"); });
  EXPECT_EQ(mrOk, RunWith(*dialog, driver));
  EXPECT_EQ(mrOk, seen);
}

TEST(TForm, CloseQueryRefusalKeepsTheFormOpen) {
  auto dialog = MakeDialog();
  TFunctionModalDriver driver([](TFormUser& user) {
    user.SelectItems("FieldList", {"id"});
    user.Click("OkButton");
    EXPECT_FALSE(user.IsClosed());
    EXPECT_EQ(mrNone, user.Form().ModalResult());
    user.Click("OkButton");
    EXPECT_FALSE(user.IsClosed());
    user.Click("OkButton");
    EXPECT_TRUE(user.IsClosed());
  });
  driver.QueueAnswer(mrNo).QueueAnswer(mrCancel).QueueAnswer(mrYes);
  EXPECT_EQ(mrOk, RunWith(*dialog, driver));
  ASSERT_EQ(3u, driver.Messages().size());
  const TMessageBoxInfo& box = driver.Messages()[0];
  EXPECT_EQ("Settings changed, exit anyway?", box.Text);
  EXPECT_EQ("Confirm", box.Caption);
  EXPECT_EQ(TMsgDlgType::mtConfirmation, box.Icon);
  EXPECT_EQ("Yes, No, Cancel", box.ButtonList());
  EXPECT_EQ(mrNo, box.Answer);
  EXPECT_EQ(mrYes, driver.Messages()[2].Answer);
}

TEST(TForm, DriverReturningWithoutClosingCountsAsCancel) {
  auto dialog = MakeDialog();
  dialog->SettingsChanged = true;
  // Nothing done at all, and a driver that gave up halfway.
  TFunctionModalDriver driver;
  driver.Then([](TFormUser&) {}).Then([](TFormUser& user) { user.SelectItems("FieldList", {"name"}); });
  EXPECT_EQ(mrCancel, RunWith(*dialog, driver));
  EXPECT_EQ(mrCancel, RunWith(*dialog, driver));
  // A third run has no procedure left: cancelled too. No close query was
  // asked, so no box can keep the form open.
  EXPECT_EQ(mrCancel, RunWith(*dialog, driver));
  EXPECT_EQ(3, driver.RunCount());
  EXPECT_TRUE(driver.Messages().empty());
  EXPECT_FALSE(dialog->Visible());
}

TEST(TForm, FailingHandlerIsReportedAndTheFormStaysOpen) {
  auto dialog = MakeDialog();
  dialog->OkButton->OnClick = TNotifyEvent([](TObject*) { throw EDatabaseError("Update failed"); });
  TFunctionModalDriver driver([](TFormUser& user) {
    user.Click("GenerateButton");
    user.Click("OkButton");
    EXPECT_FALSE(user.IsClosed());
  });
  driver.QueueAnswer(mrOk).QueueAnswer(mrOk);
  EXPECT_EQ(mrCancel, RunWith(*dialog, driver));
  ASSERT_EQ(2u, driver.Messages().size());
  // The application's error box: the message with a period, the title as caption.
  EXPECT_EQ("Must select at least one field.", driver.Messages()[0].Text);
  EXPECT_EQ(Application().Title(), driver.Messages()[0].Caption);
  EXPECT_EQ(TMsgDlgType::mtError, driver.Messages()[0].Icon);
  EXPECT_EQ("Update failed.", driver.Messages()[1].Text);
}

TEST(TForm, EscapeInTheMemoGoesThroughKeyPress) {
  auto dialog = MakeDialog();
  TFunctionModalDriver driver([](TFormUser& user) {
    EXPECT_THROW(user.PressKey("SQLMemo", KeyChar::Escape), EModalDriverError);  // page not active
    user.SwitchPage("TextPage");
    user.Type("SQLMemo", "ab");
    user.PressKey("SQLMemo", KeyChar::Escape);
  });
  EXPECT_EQ(mrCancel, RunWith(*dialog, driver));
  EXPECT_EQ("create show(visible) escape closequery", dialog->LogText());
  EXPECT_EQ("ab", dialog->SQLMemo->Text());
}

TEST(TForm, EnterAndEscapeOutsideTheMemoClickDefaultAndCancel) {
  auto check = [](char key, TModalResult expected) {
    auto dialog = MakeDialog();
    TFunctionModalDriver driver([&](TFormUser& user) { user.PressKey("FieldList", key); });
    EXPECT_EQ(expected, RunWith(*dialog, driver));
  };
  check(KeyChar::Enter, mrOk);
  check(KeyChar::Escape, mrCancel);
}

TEST(TForm, FocusMovesFireExitAndEnter) {
  auto dialog = MakeDialog();
  TFunctionModalDriver driver([](TFormUser& user) {
    user.SwitchPage("TextPage");
    user.PlaceCaret("SQLMemo", 0);
    user.SwitchPage("OptionsPage");
    user.SelectItems("FieldList", {"id", "city"});
    user.Click("OkButton");
  });
  driver.QueueAnswer(mrYes);
  EXPECT_EQ(mrOk, RunWith(*dialog, driver));
  EXPECT_EQ("create show(visible) memoexit listenter listclick(1) listclick(2) ok closequery", dialog->LogText());
  // Cancel was the active control at the start.
  EXPECT_EQ(dialog->OkButton, dialog->ActiveControl());
}

TEST(TForm, CreateFormFiresCreateAndTheDeleterDestroy) {
  std::vector<std::string> log;
  int formsBefore = Screen().FormCount();
  {
    auto dialog = MakeDialog();
    EXPECT_EQ(formsBefore + 1, Screen().FormCount());
    EXPECT_EQ(&Application(), dialog->Owner());
    dialog->OnDestroy =
        TNotifyEvent([&](TObject* sender) { log.push_back("destroy while " + sender->ClassName()); });
    log = dialog->Log;
  }
  EXPECT_EQ((std::vector<std::string>{"create", "destroy while TTestDialog"}), log);
  EXPECT_EQ(formsBefore, Screen().FormCount());
}

TEST(TForm, BorderStyleKeepsTheClientSize) {
  auto dialog = MakeDialog();
  EXPECT_EQ(473, dialog->ClientWidth());
  EXPECT_EQ(298, dialog->ClientHeight());
  dialog->SetBorderStyle(TFormBorderStyle::bsSizeable);
  EXPECT_EQ(473, dialog->ClientWidth());
  EXPECT_EQ(481, dialog->Width());
  dialog->SetPosition(TPosition::poScreenCenter);
  TFunctionModalDriver driver([](TFormUser&) {});
  RunWith(*dialog, driver);
  EXPECT_EQ((Screen().Width() - dialog->Width()) / 2, dialog->Left());
}

TEST(TForm, AcceleratorsFocusClickAndToggle) {
  auto dialog = MakeDialog();
  auto* label = new TLabel(dialog.get());
  label->SetParent(dialog->OptionsPage);
  label->SetCaption("&Fields:");
  label->SetFocusControl(dialog->FieldList);
  dialog->FieldList->SetSelected(1, true);
  TFunctionModalDriver driver([](TFormUser& user) {
    user.PressKey("TableName", 'f', {TShiftStateFlag::ssAlt});  // the label focuses the list
    user.PressKey("TableName", 'Q', {TShiftStateFlag::ssAlt});
    user.PressKey("TableName", 'g', {TShiftStateFlag::ssAlt});
    user.PressKey("TableName", 'z', {TShiftStateFlag::ssAlt});  // nothing has it
    user.PressKey("TableName", 'o', {TShiftStateFlag::ssAlt});
  });
  EXPECT_EQ(mrOk, RunWith(*dialog, driver));
  EXPECT_EQ("create show(visible) listenter quote(on) generate ok closequery", dialog->LogText());
  EXPECT_EQ("", dialog->TableName->Text());
}

TEST(TForm, CreateFormReadsTheDefinitionBeforeOnCreate) {
  TForm::TDefinitionLoader previous = TForm::SetDefinitionLoader([](TForm& form) {
    auto& dialog = static_cast<TTestDialog&>(form);
    dialog.Log.push_back("load");
    auto* button = new TButton(&form);
    button->SetName("HelpButton");
    button->SetParentComponent(&form);
  });
  struct TRestore {
    TForm::TDefinitionLoader& Previous;
    ~TRestore() { TForm::SetDefinitionLoader(std::move(Previous)); }
  } restore{previous};
  auto dialog = MakeDialog();
  EXPECT_EQ("load create", dialog->LogText());
  EXPECT_EQ(dialog.get(), static_cast<TControl*>(dialog->FindComponent("HelpButton"))->Parent());
}
