#include "support/ExpectRaises.h"
#include "forms/TModalDriver.h"

#include "forms/MessageDialogs.h"
#include "forms/TApplication.h"
#include "forms/THeadlessWidgetSet.h"

#include <gtest/gtest.h>

TEST(TModalDriver, AnAnswerTheBoxDoesNotOfferIsADriverError) {
  TFunctionModalDriver driver;
  driver.QueueAnswer(mrYes);
  TModalDriverGuard guard(driver);
  EXPECT_TRUE(TestSupport::Raises<EModalDriverError>(
      [] { MessageDlg("Unable to determine field names for Query1", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, 0); },
      "the message box \"Unable to determine field names for Query1\" offers OK; Yes is not one of its buttons"));
  EXPECT_TRUE(driver.Messages().empty());
}

TEST(TModalDriver, AnUnexpectedBoxIsADriverError) {
  TFunctionModalDriver driver;
  TModalDriverGuard guard(driver);
  EXPECT_THROW(ShowMessage("hello"), EModalDriverError);
}

TEST(TModalDriver, BoxesAreAnsweredAndRecorded) {
  TFunctionModalDriver driver;
  driver.AnswerWith([](const TMessageBoxInfo& box) { return box.Offers(mrNo) ? mrNo : mrOk; });
  TModalDriverGuard guard(driver);
  EXPECT_EQ(mrNo, MessageDlg("Exit anyway?", TMsgDlgType::mtConfirmation,
                             {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0));
  EXPECT_EQ(IDOK, Application().MessageBox("Saved", "Quelm", MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(IDNO, Application().MessageBox("Replace?", "Quelm", MB_YESNO | MB_ICONQUESTION));
  ShowMessage("done");
  struct Row {
    const char* Text;
    const char* Caption;
    TMsgDlgType Icon;
    const char* Buttons;
    TModalResult Answer;
  };
  const Row expected[] = {
      {"Exit anyway?", "Confirm", TMsgDlgType::mtConfirmation, "Yes, No, Cancel", mrNo},
      {"Saved", "Quelm", TMsgDlgType::mtInformation, "OK", mrOk},
      {"Replace?", "Quelm", TMsgDlgType::mtConfirmation, "Yes, No", mrNo},
      {"done", Application().Title().c_str(), TMsgDlgType::mtCustom, "OK", mrOk},
  };
  ASSERT_EQ(std::size(expected), driver.Messages().size());
  for (size_t i = 0; i < std::size(expected); ++i) {
    const TMessageBoxInfo& box = driver.Messages()[i];
    EXPECT_EQ(expected[i].Text, box.Text);
    EXPECT_EQ(expected[i].Caption, box.Caption) << box.Text;
    EXPECT_EQ(expected[i].Icon, box.Icon) << box.Text;
    EXPECT_EQ(expected[i].Buttons, box.ButtonList()) << box.Text;
    EXPECT_EQ(expected[i].Answer, box.Answer) << box.Text;
  }
}

TEST(TModalDriver, WithoutADriverBoxesGetTheCautiousAnswer) {
  auto check = [](TMsgDlgButtons buttons, TModalResult expected) {
    EXPECT_EQ(expected, MessageDlg("?", TMsgDlgType::mtConfirmation, buttons, 0));
  };
  using B = TMsgDlgBtn;
  check({B::mbYes, B::mbNo, B::mbCancel}, mrCancel);
  check({B::mbYes, B::mbNo}, mrNo);
  check({B::mbOK}, mrOk);
  check({B::mbAbort, B::mbRetry, B::mbIgnore}, mrAbort);
}

TEST(TModalDriver, TheGuardPutsThePreviousDriverBack) {
  TModalDriver* fallback = &CurrentModalDriver();
  TFunctionModalDriver outer, inner;
  {
    TModalDriverGuard outerGuard(outer);
    EXPECT_EQ(&outer, &CurrentModalDriver());
    {
      TModalDriverGuard innerGuard(inner);
      EXPECT_EQ(&inner, &CurrentModalDriver());
    }
    EXPECT_EQ(&outer, &CurrentModalDriver());
  }
  EXPECT_EQ(fallback, &CurrentModalDriver());
}

TEST(TApplication, ExceptionsAreShownWithAPeriodAndAbortsNotAtAll) {
  TFunctionModalDriver driver;
  driver.AnswerWith([](const TMessageBoxInfo&) { return mrOk; });
  TModalDriverGuard guard(driver);
  auto check = [&](const std::exception& e, const char* shown) {
    driver.ClearMessages();
    Application().HandleException(e);
    if (!shown) {
      EXPECT_TRUE(driver.Messages().empty()) << e.what();
      return;
    }
    ASSERT_EQ(1u, driver.Messages().size()) << e.what();
    EXPECT_EQ(shown, driver.Messages()[0].Text);
    EXPECT_EQ(TMsgDlgType::mtError, driver.Messages()[0].Icon);
  };
  check(EAbort(), nullptr);
  check(EDatabaseError("Database not assigned"), "Database not assigned.");
  check(Exception("Already said."), "Already said.");
  // Only a final period counts as one, as the host has it.
  check(Exception("Really?"), "Really?.");
}

TEST(TApplication, HelpContextOpensTheTopic) {
  THeadlessWidgetSet* headless = HeadlessWidgetSet();
  ASSERT_NE(nullptr, headless);
  headless->ClearHelpRequests();
  EXPECT_TRUE(Application().HelpContext(27220));
  ASSERT_EQ(1u, headless->HelpRequests().size());
  EXPECT_EQ(27220, headless->HelpRequests()[0].Context);
}
