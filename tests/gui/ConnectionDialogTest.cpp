// File > Connection points the window's lists and editors at a server.
#include "DialogAnswer.h"
#include "GuiTestHost.h"
#include "TDesignerWindow.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

TEST(ConnectionDialog, OkTakesTheFieldsCancelKeepsTheOldOptions) {
  TGuiHost::Instance();
  TDesignerWindow window(TGuiHost::Instance().Resources(), TConnectionOptions{});
  window.show();
  ASSERT_FALSE(window.Connection().Any());
  TDialogAnswer fill([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("host")->setText("127.0.0.1");
    dialog->findChild<QSpinBox*>("port")->setValue(3307);
    dialog->findChild<QLineEdit*>("user")->setText("quelm");
    dialog->findChild<QLineEdit*>("password")->setText("secret");
    qobject_cast<QDialog*>(dialog)->accept();
  });
  window.ConnectionAction()->trigger();
  ASSERT_TRUE(fill.Shown());
  EXPECT_EQ("127.0.0.1", window.Connection().Host.value_or("-"));
  EXPECT_EQ(3307, window.Connection().Port.value_or(0));
  EXPECT_EQ("quelm", window.Connection().User.value_or("-"));
  EXPECT_EQ("secret", window.Connection().Password.value_or("-"));
  EXPECT_FALSE(window.Connection().Socket.has_value());
  EXPECT_FALSE(window.Connection().Database.has_value());

  TDialogAnswer cancel([](QWidget* dialog) {
    auto* host = dialog->findChild<QLineEdit*>("host");
    EXPECT_EQ("127.0.0.1", host->text().toStdString());  // the dialog shows the options in use
    host->clear();
    qobject_cast<QDialog*>(dialog)->reject();
  });
  window.ConnectionAction()->trigger();
  ASSERT_TRUE(cancel.Shown());
  EXPECT_EQ("127.0.0.1", window.Connection().Host.value_or("-"));
}
