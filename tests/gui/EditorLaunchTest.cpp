// The package's editors started from the main window: a component editor's
// verb from the context menu and a property's ellipsis button. The dialogs
// run on the framework's widget set; a modal driver plays the user and
// records what was shown.
#include "support/TestFolder.h"
#include "support/Files.h"
#include "GuiTestHost.h"
#include "TDesignerWindow.h"
#include "TInspectorView.h"

#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "forms/TModalDriver.h"
#include "classes/TypInfo.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;

class EditorLaunchTest : public ::testing::Test {
protected:
  void SetUp() override {
    TGuiHost::Instance();
    FDir = FFolder.emplace("quelm-gui-editors").Path();
    FForm = FDir / "OrdersModule.dfm";
    fs::copy_file(fs::path(QUELM_SOURCE_DIR) / "examples/OrdersModule.dfm", FForm);
  }
  void Open(TConnectionOptions connection = {}) {
    FWindow = std::make_unique<TDesignerWindow>(TGuiHost::Instance().Resources(), std::move(connection));
    ASSERT_TRUE(FWindow->OpenFiles({FForm.string()})) << FWindow->LastError().toStdString();
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    FFolder.reset();
  }
  TComponent* Component(const char* name) { return FWindow->CurrentModule()->Root()->FindComponent(name); }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
  std::unique_ptr<TDesignerWindow> FWindow;
};

} // namespace

TEST_F(EditorLaunchTest, TheFirstVerbOfTheUpdateObjectOpensItsEditorOnTheServersFields) {
  std::optional<TConnectionOptions> server = TestServerOptions();
  if (!server) GTEST_SKIP() << "no test server";
  // The test schema's customer table has no city or email.
  std::string form = ReadFile(FForm);
  form.replace(form.find("'select id, name, city, email'"), 30, "'select region, id, name'");
  std::ofstream(FForm, std::ios::binary) << form;
  Open(*server);
  std::vector<std::string> shown;
  TFunctionModalDriver driver([&](TFormUser& user) { shown.push_back(user.Form().Caption()); });
  driver.AnswerWith([&](const TMessageBoxInfo& box) {
    shown.push_back("box: " + box.Text);
    return CautiousAnswer(box);
  });
  TModalDriverGuard guard(driver);
  std::unique_ptr<QMenu> menu(FWindow->ContextMenu(Component("CustomerUpdate")));
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_EQ("&QuelmUpdateSQL Editor...", menu->actions()[0]->text().toStdString());
  menu->actions()[0]->trigger();
  EXPECT_EQ(1, driver.RunCount()) << FWindow->LastError().toStdString();
  ASSERT_EQ(1u, shown.size()) << shown[0] << " / " << shown[1];
  EXPECT_NE(std::string::npos, shown[0].find("CustomerUpdate")) << shown[0];
  // Cancelled: the form is as it was.
  EXPECT_FALSE(FWindow->CurrentModule()->IsModified());
}

TEST_F(EditorLaunchTest, TheEllipsisOfAFileNameChoosesTheFileAndSetsIt) {
  Open();
  fs::path cert = FDir / "client-cert.pem";
  std::ofstream(cert) << "-----BEGIN CERTIFICATE-----\n";
  FWindow->SelectComponents({Component("OrdersDB")});
  ASSERT_FALSE(FWindow->SaveAction()->isEnabled());
  QTableWidget* grid = nullptr;
  int row = FWindow->Inspector()->RowOf("SSLCert", &grid);
  ASSERT_GE(row, 0);
  grid->scrollToItem(grid->item(row, 0));
  auto* button = grid->cellWidget(row, 1)->findChild<QToolButton*>();
  ASSERT_NE(nullptr, button);
  ASSERT_TRUE(button->isVisible());
  TFunctionModalDriver driver;
  int dialogs = 0;
  driver.ChooseFileWith([&](const TOpenDialog&) -> std::optional<std::string> {
    ++dialogs;
    return cert.string();
  });
  TModalDriverGuard guard(driver);
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::qWait(20);
  EXPECT_EQ(1, dialogs) << FWindow->LastError().toStdString();
  EXPECT_EQ(cert.string(), GetStrProp(*Component("OrdersDB"), "SSLCert"));
  row = FWindow->Inspector()->RowOf("SSLCert", &grid);
  EXPECT_EQ(cert.string(), grid->item(row, 1)->text().toStdString());
  EXPECT_TRUE(FWindow->SaveAction()->isEnabled());
}
