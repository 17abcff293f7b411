// The connection dialog, played through its controls against the test server.
#include "runtime/TQuelmConnectForm.h"

#include "TestBackends.h"
#include "forms/TFormUser.h"
#include "forms/TCustomEdit.h"
#include "forms/TModalDriver.h"
#include "runtime/EditDatabase.h"
#include "runtime/TQuelmDatabase.h"

#include <gtest/gtest.h>

namespace {

// A database set up for the test server, then disconnected, so the dialog
// starts from settings that work.
class ConnectFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_BACKEND(FServerSettings, TBackend::Server);
    FServerSettings.SetConnected(false);
  }

  TQuelmDatabase FServerSettings{nullptr};
};

} // namespace

TEST_F(ConnectFormTest, TestConnectionReportsTheServersMessageForAWrongPasswordAndSuccessOtherwise) {
  std::string afterWrong, afterRight, passwordShownAs;
  TFunctionModalDriver driver([&](TFormUser& user) {
    passwordShownAs = static_cast<TQuelmConnectForm&>(user.Form()).PasswordEdit->PasswordChar();
    user.ClearText("PasswordEdit");
    user.Type("PasswordEdit", "surely-not-the-password");
    user.Click("TestButton");
    afterWrong = static_cast<TQuelmConnectForm&>(user.Form()).TestResult();
    user.ClearText("PasswordEdit");
    user.Type("PasswordEdit", FServerSettings.UserPassword());
    user.Click("TestButton");
    afterRight = static_cast<TQuelmConnectForm&>(user.Form()).TestResult();
    user.Click("CancelButton");
  });
  TModalDriverGuard guard(driver);
  EXPECT_FALSE(EditDatabase(&FServerSettings));
  EXPECT_EQ(driver.RunCount(), 1);
  EXPECT_NE(afterWrong.find("Access denied for user '" + FServerSettings.UserName() + "'"), std::string::npos)
      << afterWrong;
  EXPECT_EQ(afterRight, "Connected to the server.");
  EXPECT_EQ(passwordShownAs, "*");
  // Cancel leaves the component as it was, and the tests connected on their own.
  EXPECT_FALSE(FServerSettings.Connected());
}

TEST_F(ConnectFormTest, OkWritesTheSettingsAndKeepsAnUnstoredPasswordForTheSessionOnly) {
  const std::string password = FServerSettings.UserPassword();
  TQuelmDatabase database(nullptr);
  database.SetDatabaseName("elsewhere");
  TFunctionModalDriver driver;
  for (bool store : {false, true})
    driver.Then([&, store](TFormUser& user) {
      user.ClearText("HostEdit");
      user.Type("HostEdit", FServerSettings.Host());
      user.ClearText("PortEdit");
      user.Type("PortEdit", std::to_string(FServerSettings.Port()));
      user.ClearText("UserEdit");
      user.Type("UserEdit", FServerSettings.UserName());
      user.ClearText("PasswordEdit");
      user.Type("PasswordEdit", password);
      if (store) user.Tick("StorePasswordBox");
      user.ClearText("DatabaseEdit");
      user.Type("DatabaseEdit", FServerSettings.DatabaseName());
      user.Type("CharacterSetEdit", "utf8mb4");
      user.Click("OkButton");
    });
  TModalDriverGuard guard(driver);
  ASSERT_TRUE(EditDatabase(&database));
  EXPECT_EQ(database.Host(), FServerSettings.Host());
  EXPECT_EQ(database.Port(), FServerSettings.Port());
  EXPECT_EQ(database.DatabaseName(), FServerSettings.DatabaseName());
  EXPECT_EQ(database.ConnectionCharacterSet(), "utf8mb4");
  EXPECT_EQ(database.UserPassword(), "");  // nothing for the form file
  EXPECT_EQ(database.SessionPassword(), password);
  database.SetConnected(true);  // the session password logs in
  EXPECT_TRUE(database.Connected());

  ASSERT_TRUE(EditDatabase(&database));
  EXPECT_EQ(driver.RunCount(), 2);
  EXPECT_EQ(database.UserPassword(), password);
  EXPECT_EQ(database.SessionPassword(), "");
}

TEST_F(ConnectFormTest, OkWithAPortThatIsNoNumberKeepsTheDialogOpenAndSaysWhy) {
  TQuelmDatabase database(nullptr);
  std::string shown;
  TFunctionModalDriver driver([&](TFormUser& user) {
    user.Type("PortEdit", "33x");
    user.Click("OkButton");
    shown = static_cast<TQuelmConnectForm&>(user.Form()).TestResult();
    EXPECT_FALSE(user.IsClosed());
    user.Click("CancelButton");
  });
  TModalDriverGuard guard(driver);
  EXPECT_FALSE(EditDatabase(&database));
  EXPECT_EQ(driver.RunCount(), 1);
  EXPECT_EQ(shown, "'33x' is not a port number (0 to 65535)");
  EXPECT_EQ(database.Port(), 0);
}
