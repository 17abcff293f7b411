// The field link designer opened from the inspector's ellipsis of a detail
// table's MasterFields, on the Qt widgetset as a person uses it: a real
// window with the server's fields in its lists, answered with its own
// buttons.
#include "support/TestFolder.h"
#include "support/Files.h"
#include "DialogAnswer.h"
#include "GuiTestHost.h"
#include "TDesignerWindow.h"
#include "TInspectorView.h"

#include "classes/TypInfo.h"
#include "forms/TWidgetSet.h"
#include "widgetset-qt/TQtWidgetSet.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;

QStringList Items(QWidget* window, const char* list) {
  QStringList items;
  if (auto* widget = window->findChild<QListWidget*>(list))
    for (int i = 0; i < widget->count(); ++i) items << widget->item(i)->text();
  return items;
}

void Choose(QWidget* window, const char* list, const QString& text) {
  auto* widget = window->findChild<QListWidget*>(list);
  ASSERT_NE(nullptr, widget) << list;
  QList<QListWidgetItem*> found = widget->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(1, found.size()) << text.toStdString() << " in " << list;
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, widget->visualItemRect(found[0]).center());
}

void Press(QWidget* window, const char* button) {
  auto* widget = window->findChild<QPushButton*>(button);
  ASSERT_NE(nullptr, widget) << button;
  QTest::mouseClick(widget, Qt::LeftButton);
}

// The example module with a detail table of orders under its customer query,
// which reads the test schema's customer columns.
const char* const DetailTable =
    "  object OrdersTable: TQuelmTable\r\n"
    "    Database = OrdersDB\r\n"
    "    MasterSource = CustomerSource\r\n"
    "    TableName = 'orders'\r\n"
    "    Left = 296\r\n"
    "    Top = 72\r\n"
    "  end\r\n";

class FieldLinkWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    TGuiHost::Instance();
    std::optional<TConnectionOptions> server = TestServerOptions();
    if (!server) GTEST_SKIP() << "no test server";
    FDir = FFolder.emplace("quelm-gui-links").Path();
    FForm = FDir / "OrdersModule.dfm";
    std::string form = ReadFile(fs::path(QUELM_SOURCE_DIR) / "examples/OrdersModule.dfm");
    form.replace(form.find("'select id, name, city, email'"), 30, "'select region, id, name'");
    form.insert(form.rfind("end"), DetailTable);
    std::ofstream(FForm, std::ios::binary) << form;
    FOriginal = form;
    FPrevious = SetWidgetSet(std::make_unique<TQtWidgetSet>());
    FWindow = std::make_unique<TDesignerWindow>(TGuiHost::Instance().Resources(), *server);
    ASSERT_TRUE(FWindow->OpenFiles({FForm.string()})) << FWindow->LastError().toStdString();
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    if (FPrevious) SetWidgetSet(std::move(FPrevious));
    FFolder.reset();
  }

  // Selects the detail table in the component tree as a person clicks it.
  void SelectInTree(const QString& text) {
    QTreeWidget* tree = FWindow->Tree();
    QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(1, found.size()) << text.toStdString();
    tree->scrollToItem(found[0]);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found[0]).center());
  }

  // Clicks the ellipsis of the inspector's MasterFields row; answer plays the window.
  void EditMasterFields(std::function<void(QWidget*)> answer) {
    SelectInTree("OrdersTable: TQuelmTable");
    ASSERT_EQ(1u, FWindow->Session().Selection().size());
    ASSERT_EQ("OrdersTable", FWindow->Session().Selection()[0]->Name());
    QTableWidget* grid = nullptr;
    int row = FWindow->Inspector()->RowOf("MasterFields", &grid);
    ASSERT_GE(row, 0);
    grid->scrollToItem(grid->item(row, 0));
    auto* button = grid->cellWidget(row, 1)->findChild<QToolButton*>();
    ASSERT_NE(nullptr, button);
    TDialogAnswer dialog(std::move(answer));
    QTest::mouseClick(button, Qt::LeftButton);
    for (int i = 0; i < 300 && !dialog.Shown(); ++i) QTest::qWait(10);
    QTest::qWait(20);
    ASSERT_TRUE(dialog.Shown()) << FWindow->LastError().toStdString();
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
  std::string FOriginal;
  std::unique_ptr<TWidgetSet> FPrevious;
  std::unique_ptr<TDesignerWindow> FWindow;
};

} // namespace

TEST_F(FieldLinkWindowTest, TheEllipsisOpensTheDesignerOnTheServersFieldsAndCancelChangesNothing) {
  QString title;
  QStringList detail, master, joined;
  EditMasterFields([&](QWidget* window) {
    title = window->windowTitle();
    detail = Items(window, "DetailList");
    master = Items(window, "MasterList");
    joined = Items(window, "BindList");
    Press(window, "Button2");
  });
  EXPECT_EQ("Field Link Designer", title.toStdString());
  EXPECT_EQ("order_no", detail.join(",").toStdString());
  EXPECT_EQ("region,id,name", master.join(",").toStdString());
  EXPECT_TRUE(joined.isEmpty());
  EXPECT_FALSE(FWindow->CurrentModule()->IsModified());
  EXPECT_EQ(FOriginal, ReadFile(FForm));
}

TEST_F(FieldLinkWindowTest, JoinedFieldsPressedOkAreSavedAsMasterFieldsAndTheIndex) {
  QStringList detail, joined;
  EditMasterFields([&](QWidget* window) {
    auto* indexes = window->findChild<QComboBox*>("IndexList");
    ASSERT_NE(nullptr, indexes);
    indexes->showPopup();
    int at = indexes->findText("by_customer");
    ASSERT_GE(at, 0);
    QAbstractItemView* view = indexes->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(indexes->model()->index(at, 0)).center());
    QTest::qWait(20);
    detail = Items(window, "DetailList");
    Choose(window, "DetailList", "region");
    Choose(window, "MasterList", "region");
    Press(window, "AddButton");
    Choose(window, "DetailList", "customer_id");
    Choose(window, "MasterList", "id");
    Press(window, "AddButton");
    joined = Items(window, "BindList");
    Press(window, "Button1");
  });
  EXPECT_EQ("region,customer_id", detail.join(",").toStdString());
  EXPECT_EQ("region -> region,customer_id -> id", joined.join(",").toStdString());
  EXPECT_EQ("region;id", GetStrProp(*FWindow->Session().Selection()[0], "MasterFields"));
  ASSERT_TRUE(FWindow->SaveCurrent());
  std::string expected = FOriginal;
  expected.replace(expected.find("    MasterSource = CustomerSource\r\n"), 0,
                   "    IndexName = 'by_customer'\r\n    MasterFields = 'region;id'\r\n");
  EXPECT_EQ(expected, ReadFile(FForm));
}
