// Screenshots of every dialog as a person opens it from the main window on
// the example order book, on the Qt widgetset against the example schema in
// an embedded server of the test's own, as the README's commands run: each
// saved into the screenshot folder (scripts/readme-screenshots.sh copies them
// for the README) and checked for its caption, its size and that it shows
// something besides its background.
#include "support/TestFolder.h"
#include "support/Files.h"
#include "DialogAnswer.h"
#include "GuiTestHost.h"
#include "TDesignerWindow.h"
#include "TInspectorView.h"

#include "forms/TApplication.h"
#include "forms/TWidgetSet.h"
#include "support/EmbeddedServer.h"
#include "widgetset-qt/TQtWidgetSet.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;

// Sets an environment variable for its life and puts the old value back.
class TEnvironmentGuard {
public:
  TEnvironmentGuard(const char* name, const std::string& value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    setenv(name, value.c_str(), 1);
  }
  ~TEnvironmentGuard() {
    if (FOld) setenv(FName, FOld->c_str(), 1);
    else unsetenv(FName);
  }
  TEnvironmentGuard(const TEnvironmentGuard&) = delete;
  TEnvironmentGuard& operator=(const TEnvironmentGuard&) = delete;

private:
  const char* FName;
  std::optional<std::string> FOld;
};

// How a person opens the dialog: a verb of the component's context menu, the
// ellipsis of one of its properties in the inspector, or the main window's
// own action.
enum class TOpening { Verb, Ellipsis, Connection };

struct TDialogCase {
  const char* Picture;    // file name in the screenshot folder
  TOpening Opening;
  const char* Component;  // on the example form
  const char* What;       // the verb's text or the property
  const char* Caption;    // the window's title starts so
  int MinWidth, MinHeight;
  // The form's database is connected first, as a person sets Connected in
  // the inspector before a dialog that lists the server's tables.
  bool ConnectedFirst = false;
};

const TDialogCase Dialogs[] = {
    {"dialog-updatesql-editor.png", TOpening::Verb, "CustomerUpdate", "&QuelmUpdateSQL Editor...", "OrderBook.CustomerUpdate", 400, 280},
    {"dialog-sql-editor.png", TOpening::Verb, "CustomerQuery", "SQL Editor...", "SQL Editor", 400, 300, true},
    {"dialog-fields-editor.png", TOpening::Verb, "CustomerQuery", "Fields Editor...", "Fields Editor", 150, 200},
    {"dialog-database-editor.png", TOpening::Verb, "OrdersDB", "QuelmDatabase &Editor...", "Database Connection", 300, 250},
    {"dialog-field-link-designer.png", TOpening::Ellipsis, "OrdersTable", "MasterFields", "Field Link Designer", 340, 250},
    {"dialog-params-collection-editor.png", TOpening::Ellipsis, "OrderTotal", "Params", "Editing OrderTotal.Params", 150, 150},
    {"dialog-migrator.png", TOpening::Ellipsis, "Migrator", "Execute", "", 150, 60},
    {"dialog-about-box.png", TOpening::Ellipsis, "OrdersDB", "About", "About", 200, 110},
    {"dialog-host-connection.png", TOpening::Connection, "", "", "Connection", 200, 150},
};

void PrintTo(const TDialogCase& c, std::ostream* out) { *out << c.Picture; }

bool SameColour(QRgb a, QRgb b) { return (a | 0xFF000000u) == (b | 0xFF000000u); }

// The share of the picture's pixels that differ from its background, the
// colour of its top-left corner; and the number of colours it has.
double Drawn(const QImage& shot, int& colours) {
  QRgb background = shot.pixel(0, 0);
  std::set<QRgb> seen;
  long differ = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      QRgb p = shot.pixel(x, y) | 0xFF000000u;
      if (seen.size() < 1000) seen.insert(p);
      differ += !SameColour(p, background);
    }
  colours = static_cast<int>(seen.size());
  return static_cast<double>(differ) / (static_cast<double>(shot.width()) * shot.height());
}

// The window's picture under a title bar with its caption, as a window
// manager frames it, for a reader to tell the dialogs apart.
QImage Framed(const QImage& client, const QString& title) {
  constexpr int Bar = 24;
  QImage framed(client.width() + 2, client.height() + Bar + 1, QImage::Format_ARGB32);
  framed.fill(QColor(74, 93, 83));
  QPainter painter(&framed);
  painter.drawImage(1, Bar, client);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(8, 0, framed.width() - 16, Bar), Qt::AlignVCenter | Qt::AlignLeft, title);
  return framed;
}

// Closes the dialog as a person leaves it without a change: Cancel, else the
// box's escape button, else its window's close button.
void Leave(QWidget* dialog) {
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
    QAbstractButton* button = box->escapeButton() ? box->escapeButton() : box->buttons().value(0);
    if (button) return button->click();
  }
  for (QPushButton* button : dialog->findChildren<QPushButton*>())
    if (button->text().remove('&') == "Cancel" && button->isVisible()) return QTest::mouseClick(button, Qt::LeftButton);
  for (QPushButton* button : dialog->findChildren<QPushButton*>())
    if ((button->text().remove('&') == "OK" || button->text().remove('&') == "Close") && button->isVisible())
      return QTest::mouseClick(button, Qt::LeftButton);
  dialog->close();
}

class DialogScreenshotTest : public ::testing::TestWithParam<TDialogCase> {
protected:
  void SetUp() override {
    SKIP_WITHOUT_EMBEDDED_SERVER();
    TGuiHost::Instance();
    FDir = FFolder.emplace("quelm-gui-dialogs").Path();
    // The example schema, loaded as the README loads it, by the program.
    std::string embedded = (FDir / "embedded").string();
    std::string load = std::string(QUELM_DESIGNER_FILE) + " sql --embedded '" + embedded + "' '" + QUELM_SOURCE_DIR +
                       "/examples/orders-schema.sql' >/dev/null";
    ASSERT_EQ(0, std::system(load.c_str())) << load;
    FForm = FDir / "OrderBook.dfm";
    fs::copy_file(fs::path(QUELM_SOURCE_DIR) / "examples/OrderBook.dfm", FForm);
    FOriginal = ReadFile(FForm);
    FPrevious = SetWidgetSet(std::make_unique<TQtWidgetSet>());
    // Boxes without a caption of their own show the program's name.
    QApplication::setApplicationName("Quelm Designer");
    FPreviousTitle = Application().Title();
    Application().SetTitle("Quelm Designer");
    // The form's database finds the embedded server where a person's does,
    // so the window runs without connection options, as the README's lines.
    FEmbeddedDir.emplace("QUELM_EMBEDDED_DIR", embedded);
    FWindow = std::make_unique<TDesignerWindow>(TGuiHost::Instance().Resources(), TConnectionOptions{});
    ASSERT_TRUE(FWindow->OpenFiles({FForm.string()})) << FWindow->LastError().toStdString();
    FWindow->resize(1200, 760);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    if (FPrevious) SetWidgetSet(std::move(FPrevious));
    FEmbeddedDir.reset();
    if (!FPreviousTitle.empty()) Application().SetTitle(FPreviousTitle);
    FFolder.reset();
  }
  TComponent* Component(const char* name) { return FWindow->CurrentModule()->Root()->FindComponent(name); }

  // Sets a property of one component through the inspector.
  void SetThroughInspector(const char* component, const char* property, const char* value) {
    FWindow->SelectComponents({Component(component)});
    FWindow->Session().SetPropertyValue(property, value);
  }

  // Does what a person does to open the dialog.
  void Open(const TDialogCase& c) {
    if (c.ConnectedFirst) SetThroughInspector("OrdersDB", "Connected", "True");
    switch (c.Opening) {
    case TOpening::Verb: {
      ASSERT_NE(nullptr, Component(c.Component)) << c.Component;
      std::unique_ptr<QMenu> menu(FWindow->ContextMenu(Component(c.Component)));
      for (QAction* action : menu->actions())
        if (action->text() == c.What) return action->trigger();
      FAIL() << c.Component << " has no verb " << c.What;
    }
    case TOpening::Ellipsis: {
      ASSERT_NE(nullptr, Component(c.Component)) << c.Component;
      FWindow->SelectComponents({Component(c.Component)});
      QTableWidget* grid = nullptr;
      int row = FWindow->Inspector()->RowOf(c.What, &grid);
      ASSERT_GE(row, 0) << c.What;
      grid->scrollToItem(grid->item(row, 0));
      auto* button = grid->cellWidget(row, 1)->findChild<QToolButton*>();
      ASSERT_NE(nullptr, button) << c.What << " has no ellipsis";
      return QTest::mouseClick(button, Qt::LeftButton);
    }
    case TOpening::Connection:
      return FWindow->ConnectionAction()->trigger();
    }
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
  std::string FOriginal;
  std::string FPreviousTitle;
  std::optional<TEnvironmentGuard> FEmbeddedDir;
  std::unique_ptr<TWidgetSet> FPrevious;
  std::unique_ptr<TDesignerWindow> FWindow;
};

} // namespace

TEST_P(DialogScreenshotTest, TheDialogShowsAsAPersonOpensItAndItsPictureIsSaved) {
  const TDialogCase& c = GetParam();
  QImage shot;
  QString title;
  TDialogAnswer dialog([&](QWidget* window) {
    QTest::qWait(30);  // lists filled from the server, layout settled
    title = window->windowTitle();
    shot = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    Leave(window);
  });
  Open(c);
  for (int i = 0; i < 300 && !dialog.Shown(); ++i) QTest::qWait(10);
  QTest::qWait(20);
  ASSERT_TRUE(dialog.Shown()) << FWindow->LastError().toStdString();
  EXPECT_TRUE(title.startsWith(QString::fromUtf8(c.Caption))) << title.toStdString();
  fs::create_directories(QUELM_SCREENSHOT_DIR);
  fs::path png = fs::path(QUELM_SCREENSHOT_DIR) / c.Picture;
  ASSERT_TRUE(Framed(shot, title).save(QString::fromStdString(png.string()))) << png;
  EXPECT_GE(shot.width(), c.MinWidth);
  EXPECT_GE(shot.height(), c.MinHeight);
  int colours = 0;
  double drawn = Drawn(shot, colours);
  EXPECT_GT(drawn, 0.02) << c.Picture << " is almost blank";
  EXPECT_GE(colours, 8) << c.Picture;
  // Left without a change: the form file is as it was.
  if (c.ConnectedFirst) SetThroughInspector("OrdersDB", "Connected", "False");
  FWindow->SaveCurrent();
  if (c.Opening != TOpening::Ellipsis || std::string(c.What) != "Params") {
    EXPECT_EQ(FOriginal, ReadFile(FForm)) << c.Picture;
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogScreenshotTest, ::testing::ValuesIn(Dialogs),
                         [](const ::testing::TestParamInfo<TDialogCase>& info) {
                           std::string name = info.param.Picture;
                           name = name.substr(std::string("dialog-").size());
                           name = name.substr(0, name.find('.'));
                           std::erase(name, '-');
                           return name;
                         });

// The main window on the example order book, for the README.
TEST(MainWindowScreenshot, TheOrderBookExampleInTheMainWindow) {
  TGuiHost::Instance();
  fs::path dir = fs::temp_directory_path() / ("quelm-gui-orderbook-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::path form = dir / "OrderBook.dfm";
  fs::copy_file(fs::path(QUELM_SOURCE_DIR) / "examples/OrderBook.dfm", form, fs::copy_options::overwrite_existing);
  TDesignerWindow window(TGuiHost::Instance().Resources(), {});
  ASSERT_TRUE(window.OpenFiles({form.string()})) << window.LastError().toStdString();
  window.resize(1200, 760);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.SelectComponents({window.CurrentModule()->Root()->FindComponent("OrdersTable")});
  QTest::qWait(50);
  QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  fs::create_directories(QUELM_SCREENSHOT_DIR);
  ASSERT_TRUE(shot.save(QString::fromStdString((fs::path(QUELM_SCREENSHOT_DIR) / "main-window-orderbook.png").string())));
  EXPECT_EQ(window.size(), shot.size());
  int colours = 0;
  EXPECT_GT(Drawn(shot, colours), 0.2);
  EXPECT_GE(colours, 16);
  std::error_code ec;
  fs::remove_all(dir, ec);
}
