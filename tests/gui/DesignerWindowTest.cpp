// The graphical design host's main window, driven with simulated mouse and
// keyboard input on the offscreen platform: the palette, a drop, the tree
// and inspector against the design session, a drop-down against the test
// server, saving, and screenshots of a real form.
#include "support/TestFolder.h"
#include "support/TestServer.h"
#include "support/Files.h"
#include "GuiTestHost.h"
#include "PaletteBitmap.h"
#include "TDesignerWindow.h"
#include "TFormView.h"
#include "TInspectorView.h"

#include "classes/TClassRegistry.h"
#include "classes/TypInfo.h"
#include "designhost/DesignRegistry.h"
#include "designhost/PackageLoader.h"
#include "designhost/foreign/ForeignClasses.h"
#include "rtl/Resources.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace fs = std::filesystem;

namespace {

using TestSupport::TestEnv;
using TestSupport::ReadFile;
using TestSupport::WriteFile;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines of after that differ from before at the same place (the files
// keep their line count).
std::vector<std::string> ChangedLines(const std::string& before, const std::string& after) {
  std::vector<std::string> a = Lines(before), b = Lines(after), changed;
  EXPECT_EQ(a.size(), b.size());
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) changed.push_back(b[i]);
  return changed;
}

const char* OrdersUnit =
    "unit OrdersModule;\r\n"
    "\r\n"
    "interface\r\n"
    "\r\n"
    "uses\r\n"
    "  SysUtils, Classes, DB, QuelmAccess;\r\n"
    "\r\n"
    "type\r\n"
    "  TOrdersModule = class(TDataModule)\r\n"
    "    OrdersDB: TQuelmDatabase;\r\n"
    "    CustomerQuery: TQuelmQuery;\r\n"
    "    CustomerUpdate: TQuelmUpdateSQL;\r\n"
    "    CustomerSource: TDataSource;\r\n"
    "  private\r\n"
    "  public\r\n"
    "  end;\r\n"
    "\r\n"
    "var\r\n"
    "  OrdersModule: TOrdersModule;\r\n"
    "\r\n"
    "implementation\r\n"
    "\r\n"
    "{$R *.dfm}\r\n"
    "\r\n"
    "end.\r\n";

class DesignerWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    TGuiHost::Instance();
    FDir = FFolder.emplace("quelm-gui-test").Path();
    FForm = FDir / "OrdersModule.dfm";
    fs::copy_file(fs::path(QUELM_SOURCE_DIR) / "examples/OrdersModule.dfm", FForm);
    WriteFile(FDir / "OrdersModule.pas", OrdersUnit);
  }
  void TearDown() override {
    FWindow.reset();
    FFolder.reset();
  }

  TDesignerWindow& Open(const fs::path& form, TConnectionOptions connection = {}) {
    FWindow = std::make_unique<TDesignerWindow>(TGuiHost::Instance().Resources(), std::move(connection));
    EXPECT_TRUE(FWindow->OpenFiles({form.string()})) << FWindow->LastError().toStdString();
    FWindow->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    return *FWindow;
  }

  TComponent* Component(const std::string& name) {
    return FWindow->CurrentModule()->Root()->FindComponent(name);
  }

  // Where a form point (client coordinates) is in the form view.
  QPoint FormPoint(int x, int y) {
    return FWindow->FormView()->ComponentRect(FWindow->CurrentModule()->Root()).topLeft() + QPoint(x, y);
  }

  void ClickPalette(const char* className) {
    auto* button = FWindow->Palette()->findChild<QToolButton*>(className);
    ASSERT_NE(nullptr, button) << className;
    QTest::mouseClick(button, Qt::LeftButton);
  }

  void ClickComponent(const std::string& name) {
    QRect r = FWindow->FormView()->ComponentRect(Component(name));
    ASSERT_FALSE(r.isEmpty()) << name << " is not drawn";
    QTest::mouseClick(FWindow->FormView(), Qt::LeftButton, {}, r.center());
  }

  // Opens the drop-down of an inspector row and clicks the item with that text.
  void ChooseFromDropDown(const std::string& property, const QString& text) {
    QTableWidget* grid = nullptr;
    int row = FWindow->Inspector()->RowOf(property, &grid);
    ASSERT_GE(row, 0) << property;
    auto* box = qobject_cast<QComboBox*>(grid->cellWidget(row, 1));
    ASSERT_NE(nullptr, box) << property << " has no drop-down";
    box->showPopup();
    int at = box->findText(text);
    ASSERT_GE(at, 0) << text.toStdString() << " is not in the list of " << property;
    QAbstractItemView* view = box->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(box->model()->index(at, 0)).center());
    QTest::qWait(20);
  }

  QStringList DropDownItems(const std::string& property) {
    QTableWidget* grid = nullptr;
    int row = FWindow->Inspector()->RowOf(property, &grid);
    auto* box = row >= 0 ? qobject_cast<QComboBox*>(grid->cellWidget(row, 1)) : nullptr;
    if (!box) return {};
    box->showPopup();
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    box->hidePopup();
    return items;
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
  std::unique_ptr<TDesignerWindow> FWindow;
};

} // namespace

TEST_F(DesignerWindowTest, PaletteShowsTheTwelveComponentsWithTheirBitmapsSeeThrough) {
  TDesignerWindow& w = Open(FForm);
  ASSERT_GE(w.Palette()->count(), 1);
  EXPECT_EQ("Dorvik for Quelm\xE2\x84\xA2", w.Palette()->tabText(0).toStdString());
  QList<QToolButton*> buttons = w.Palette()->widget(0)->findChildren<QToolButton*>();
  std::vector<std::string> tips;
  for (QToolButton* b : buttons) tips.push_back(b->toolTip().toStdString());
  EXPECT_EQ((std::vector<std::string>{"TQuelmDatabase", "TQuelmTable", "TQuelmQuery", "TQuelmStoredProc",
                                      "TQuelmDirectQuery", "TQuelmUpdateSQL", "TQuelmMacroQuery", "TBDE2QuelmDorvik",
                                      "TQuelmBatchExecute", "TQuelmMonitor", "TQuelmDump", "TQuelmTools"}),
            tips);
  const TResourceTable& resources = *TGuiHost::Instance().Resources();
  for (QToolButton* b : buttons) {
    std::string cls = b->toolTip().toStdString();
    QImage shown = b->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(QSize(24, 24), shown.size()) << cls;
    // The key colour is the raw bitmap's bottom-left pixel: none of it is left opaque.
    std::string upper = cls;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const TResourceEntry* raw = resources.Find("BITMAP", upper);
    ASSERT_NE(nullptr, raw) << cls;
    const uint8_t* dib = raw->Data;
    uint8_t index = dib[40 + 256 * 4];  // 8-bit rows bottom-up: the first byte is the bottom-left pixel
    QRgb key = qRgb(dib[40 + index * 4 + 2], dib[40 + index * 4 + 1], dib[40 + index * 4]);
    int opaque = 0, keyed = 0, transparent = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        QRgb p = shown.pixel(x, y);
        if (qAlpha(p) == 0) ++transparent;
        else if ((p | 0xFF000000u) == (key | 0xFF000000u)) ++keyed;
        else ++opaque;
      }
    EXPECT_EQ(0, keyed) << cls;
    EXPECT_GT(opaque, 24) << cls << ": the picture is drawn";
    EXPECT_GT(transparent, 0) << cls << ": the key colour is see-through";
  }
}

TEST_F(DesignerWindowTest, DroppingATableFromThePaletteMakesQuelmTable1WhereClickedAndDeclaresIt) {
  TDesignerWindow& w = Open(FForm);
  ASSERT_EQ(nullptr, Component("QuelmTable1"));
  ClickPalette("TQuelmTable");
  QTest::mouseClick(w.FormView(), Qt::LeftButton, {}, FormPoint(256, 152));
  TComponent* table = Component("QuelmTable1");
  ASSERT_NE(nullptr, table) << w.LastError().toStdString();
  EXPECT_EQ("TQuelmTable", table->ClassName());
  EXPECT_EQ(256, table->DesignInfo() & 0xFFFF);
  EXPECT_EQ(152, table->DesignInfo() >> 16);
  // Drawn there, selected in the tree and the inspector, the module modified.
  EXPECT_EQ(FormPoint(256, 152), w.FormView()->ComponentRect(table).topLeft());
  ASSERT_EQ(1, w.Tree()->selectedItems().size());
  EXPECT_EQ("QuelmTable1: TQuelmTable", w.Tree()->selectedItems()[0]->text(0).toStdString());
  QTableWidget* grid = nullptr;
  int nameRow = w.Inspector()->RowOf("Name", &grid);
  ASSERT_GE(nameRow, 0);
  EXPECT_EQ("QuelmTable1", grid->item(nameRow, 1)->text().toStdString());
  EXPECT_TRUE(w.SaveAction()->isEnabled());
  EXPECT_TRUE(w.Modules()->item(0)->text().endsWith(" *"));
  // The picture drawn on the form is the palette's bitmap, see-through where it is keyed.
  QImage shot = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  fs::create_directories(QUELM_SCREENSHOT_DIR);
  shot.save(QString::fromStdString((fs::path(QUELM_SCREENSHOT_DIR) / "main-window-orders.png").string()));
  QRect tile = w.FormView()->ComponentRect(table).translated(w.FormView()->mapTo(&w, QPoint(0, 0)));
  QImage bitmap = PaletteBitmap(TGuiHost::Instance().Resources(), "TQuelmTable");
  QPoint bitmapAt = tile.topLeft() + QPoint((tile.width() - 24) / 2, (tile.height() - 24) / 2);
  int same = 0, drawn = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      if (qAlpha(bitmap.pixel(x, y)) == 255) {
        ++drawn;
        same += (shot.pixel(bitmapAt + QPoint(x, y)) | 0xFF000000u) == (bitmap.pixel(x, y) | 0xFF000000u);
      }
  EXPECT_GT(drawn, 24);
  EXPECT_EQ(drawn, same);
  // A second click on the form only selects: the palette button was used up.
  QTest::mouseClick(w.FormView(), Qt::LeftButton, {}, FormPoint(300, 200));
  EXPECT_EQ(nullptr, Component("QuelmTable2"));

  w.SaveAction()->trigger();
  EXPECT_FALSE(w.SaveAction()->isEnabled());
  std::string unit = ReadFile(FDir / "OrdersModule.pas");
  EXPECT_NE(std::string::npos, unit.find("    QuelmTable1: TQuelmTable;\r\n")) << unit;
  std::string form = ReadFile(FForm);
  EXPECT_NE(std::string::npos, form.find("  object QuelmTable1: TQuelmTable\r\n    Left = 256\r\n    Top = 152\r\n"))
      << form;
}

TEST_F(DesignerWindowTest, TreeAndInspectorShowWhatTheSessionGives) {
  TDesignerWindow& w = Open(FForm);
  // The tree: every component once, nested as the session nests them.
  std::vector<std::string> expected, shown;
  for (const TFormFile::TTreeEntry& e : w.Session().ComponentTree(*w.CurrentModule()))
    expected.push_back(std::string(static_cast<size_t>(e.Depth) * 2, ' ') + e.Component->Name() + ": " +
                       e.Component->ClassName());
  for (QTreeWidgetItemIterator it(w.Tree()); *it; ++it) {
    int depth = 0;
    for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
    shown.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + (*it)->text(0).toStdString());
  }
  EXPECT_EQ(expected, shown);
  EXPECT_EQ(5u, shown.size());

  // Clicking a non-visual component's picture selects it everywhere.
  ClickComponent("CustomerQuery");
  ASSERT_EQ(1u, w.Session().Selection().size());
  EXPECT_EQ(Component("CustomerQuery"), w.Session().Selection()[0]);
  ASSERT_EQ(1, w.Tree()->selectedItems().size());
  EXPECT_EQ("CustomerQuery: TQuelmQuery", w.Tree()->selectedItems()[0]->text(0).toStdString());

  std::vector<TInspectorRow> rows = w.Session().InspectorRows();
  int properties = 0, events = 0;
  for (const TInspectorRow& row : rows) {
    QTableWidget* grid = nullptr;
    int at = w.Inspector()->RowOf(row.Name, &grid);
    ASSERT_GE(at, 0) << row.Name;
    (IsEventRow(row) ? events : properties)++;
    EXPECT_EQ(IsEventRow(row) ? w.Inspector()->Events() : w.Inspector()->Properties(), grid) << row.Name;
    QString value = grid->item(at, 1)->text();
    if (auto* box = qobject_cast<QComboBox*>(grid->cellWidget(at, 1))) value = box->currentText();
    EXPECT_EQ(row.Value, value.toStdString()) << row.Name;
    bool greyed = grid->item(at, 0)->foreground().color() == w.Inspector()->palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_EQ(row.Attributes.Contains(TPropertyAttribute::paReadOnly), greyed) << row.Name;
    EXPECT_EQ(row.Attributes.Contains(TPropertyAttribute::paDialog), grid->cellWidget(at, 1) &&
                                                                         grid->cellWidget(at, 1)->findChild<QToolButton*>())
        << row.Name;
  }
  EXPECT_EQ(properties, w.Inspector()->Properties()->rowCount());
  EXPECT_EQ(events, w.Inspector()->Events()->rowCount());
  EXPECT_GT(events, 10);
  // Sorted by name.
  for (QTableWidget* grid : {w.Inspector()->Properties(), w.Inspector()->Events()})
    for (int r = 1; r < grid->rowCount(); ++r)
      EXPECT_LT(strcasecmp(TInspectorView::PathAt(grid, r - 1).c_str(), TInspectorView::PathAt(grid, r).c_str()), 0);
}

TEST_F(DesignerWindowTest, ChoosingATableNameFromTheDropDownSetsItAndMarksTheModule) {
  std::optional<TConnectionOptions> server = TestServerOptions();
  if (!server) GTEST_SKIP() << "no test server";
  TDesignerWindow& w = Open(FForm, *server);
  ClickPalette("TQuelmTable");
  QTest::mouseClick(w.FormView(), Qt::LeftButton, {}, FormPoint(120, 150));
  ASSERT_NE(nullptr, Component("QuelmTable1"));
  ChooseFromDropDown("Database", "OrdersDB");
  w.SaveAllAction()->trigger();
  ASSERT_FALSE(w.SaveAction()->isEnabled());

  QStringList tables = DropDownItems("TableName");
  ASSERT_GT(tables.size(), 1) << w.LastError().toStdString();
  QString chosen = tables.last();
  ChooseFromDropDown("TableName", chosen);
  EXPECT_EQ(chosen.toStdString(), GetStrProp(*Component("QuelmTable1"), "TableName")) << w.LastError().toStdString();
  EXPECT_TRUE(w.SaveAction()->isEnabled());
  EXPECT_TRUE(w.CurrentModule()->IsModified());
  QTableWidget* grid = nullptr;
  int row = w.Inspector()->RowOf("TableName", &grid);
  EXPECT_EQ(chosen, qobject_cast<QComboBox*>(grid->cellWidget(row, 1))->currentText());
  // The server's options stay out of the file.
  w.SaveAction()->trigger();
  std::string form = ReadFile(FForm);
  EXPECT_NE(std::string::npos, form.find("TableName = '" + chosen.toStdString() + "'")) << form;
  EXPECT_EQ(std::string::npos, form.find(TestEnv("QUELM_TEST_HOST"))) << form;
}

TEST_F(DesignerWindowTest, DraggingAComponentAndSavingWritesOnlyItsPlace) {
  TDesignerWindow& w = Open(FForm);
  std::string before = ReadFile(FForm);
  QRect r = w.FormView()->ComponentRect(Component("CustomerUpdate"));
  QTest::mousePress(w.FormView(), Qt::LeftButton, {}, r.center());
  QTest::mouseMove(w.FormView(), r.center() + QPoint(20, 10));
  QTest::mouseMove(w.FormView(), r.center() + QPoint(40, 16));
  QTest::mouseRelease(w.FormView(), Qt::LeftButton, {}, r.center() + QPoint(40, 16));
  EXPECT_TRUE(w.SaveAction()->isEnabled());
  ASSERT_TRUE(w.SaveCurrent());
  EXPECT_FALSE(w.SaveAction()->isEnabled());
  EXPECT_EQ((std::vector<std::string>{"    Left = 160\r", "    Top = 88\r"}), ChangedLines(before, ReadFile(FForm)))
      << ReadFile(FForm);
  EXPECT_EQ(OrdersUnit, ReadFile(FDir / "OrdersModule.pas"));
}

TEST_F(DesignerWindowTest, DeleteKeyDeletesTheSelectedComponentFromFormAndUnit) {
  TDesignerWindow& w = Open(FForm);
  ClickComponent("CustomerSource");
  QTest::keyClick(w.FormView(), Qt::Key_Delete);
  EXPECT_EQ(nullptr, Component("CustomerSource"));
  EXPECT_EQ(3, w.Tree()->topLevelItem(0)->childCount());
  ASSERT_TRUE(w.SaveCurrent());
  EXPECT_EQ(std::string::npos, ReadFile(FForm).find("CustomerSource"));
  EXPECT_EQ(std::string::npos, ReadFile(FDir / "OrdersModule.pas").find("CustomerSource"));
}

TEST_F(DesignerWindowTest, ContextMenuListsTheEditorsVerbsThenDeleteAndRename) {
  TDesignerWindow& w = Open(FForm);
  TComponent* update = Component("CustomerUpdate");
  std::unique_ptr<QMenu> menu(w.ContextMenu(update));
  QStringList texts;
  for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QStringList expected;
  for (const std::string& verb : w.Session().Verbs(*update)) expected << QString::fromStdString(verb);
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ("&QuelmUpdateSQL Editor...", expected[0].toStdString());
  expected << "-" << "&Delete" << "&Rename...";
  EXPECT_EQ(expected, texts);
  // The root may be renamed (its class follows) but not deleted.
  std::unique_ptr<QMenu> rootMenu(w.ContextMenu(w.CurrentModule()->Root()));
  int found = 0;
  for (QAction* a : rootMenu->actions()) {
    if (a->text() == "&Delete") {
      ++found;
      EXPECT_FALSE(a->isEnabled());
    } else if (a->text() == "&Rename...") {
      ++found;
      EXPECT_TRUE(a->isEnabled());
    }
  }
  EXPECT_EQ(2, found);
}

TEST_F(DesignerWindowTest, SeveralSelectedInTheTreeShowTheirSharedPropertiesAndMarksInTheFormView) {
  TDesignerWindow& w = Open(FForm);
  std::vector<QTreeWidgetItem*> items;
  for (QTreeWidgetItemIterator it(w.Tree()); *it; ++it)
    if ((*it)->text(0).startsWith("CustomerQuery") || (*it)->text(0).startsWith("OrdersDB")) items.push_back(*it);
  ASSERT_EQ(2u, items.size());
  QTest::mouseClick(w.Tree()->viewport(), Qt::LeftButton, {}, w.Tree()->visualItemRect(items[0]).center());
  QTest::mouseClick(w.Tree()->viewport(), Qt::LeftButton, Qt::ControlModifier, w.Tree()->visualItemRect(items[1]).center());
  ASSERT_EQ(2u, w.Session().Selection().size());
  std::vector<std::string> expected, shown;
  for (const TInspectorRow& row : w.Session().InspectorRows()) expected.push_back(row.Name);
  for (const TInspectorRow& row : w.Inspector()->Rows()) shown.push_back(row.Name);
  std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
  EXPECT_EQ(expected, shown);
  // Shared: the query's SQL and the database's DatabaseName are not.
  EXPECT_LT(w.Inspector()->RowOf("SQL"), 0);
  EXPECT_LT(w.Inspector()->RowOf("DatabaseName"), 0);
  EXPECT_GE(w.Inspector()->RowOf("Tag"), 0);
  // Shift-click in the form view takes one away again.
  QTest::mouseClick(w.FormView(), Qt::LeftButton, Qt::ShiftModifier,
                    w.FormView()->ComponentRect(Component("OrdersDB")).center());
  ASSERT_EQ(1u, w.Session().Selection().size());
  EXPECT_EQ(Component("CustomerQuery"), w.Session().Selection()[0]);
  EXPECT_GE(w.Inspector()->RowOf("SQL"), 0);
}
