// The dialogs as a person sees them: run on the Qt widgetset with a driver,
// saved as PNG when shown and before they close, and the pictures checked:
// the client size, the caret marker under the caret, highlighted selected
// rows, captions that fit their controls.
#include "QtTestSupport.h"

#include "forms/TFormUser.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TModalDriver.h"
#include "queryedit/QuelmQueryEdit.h"
#include "queryedit/TSQLEditForm.h"
#include "runtime/TQuelmUpdateSQL.h"
#include "updsqled/TQuelmUpdateSQLEditForm.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
QString ScreenshotDir(const char* test) {
  // QUELM_SCREENSHOTS keeps them for a person to look at.
  const char* keep = std::getenv("QUELM_SCREENSHOTS");
  QString base = keep && *keep ? QString(keep) : QDir::tempPath() + "/quelm-qt-shots-" + QString::number(getpid());
  QString dir = base + "/" + test;
  QDir(dir).removeRecursively();
  return dir;
}

QImage Shot(const QString& dir, const char* moment) {
  QStringList files = QDir(dir).entryList({QString("*-") + moment + ".png"}, QDir::Files, QDir::Name);
  if (files.isEmpty()) return {};
  return QImage(dir + "/" + files.back());
}

bool Red(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80; }

// Every caption shown on the window fits its control.
std::vector<std::string> ClippedCaptions(QWidget* window) {
  std::vector<std::string> clipped;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    QString text;
    int room = widget->width();
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull()) {
      text = label->text();
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      text = button->text();
      room -= 8;
    } else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
      auto* box = static_cast<QAbstractButton*>(widget);
      text = box->text();
      bool radio = qobject_cast<QRadioButton*>(widget) != nullptr;
      QStyle* style = box->style();
      room -= style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, box) +
              style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    } else {
      continue;
    }
    text.replace("&&", "&");
    if (widget->fontMetrics().horizontalAdvance(text) > room)
      clipped.push_back(widget->objectName().toStdString() + " '" + text.toStdString() + "'");
  }
  return clipped;
}

TGetTableNamesProc Tables() {
  return [](TStrings& list, bool) {
    list.Clear();
    for (const char* table : {"CUSTOMER", "ORDERS"}) list.Add(table);
  };
}

TGetFieldNamesProc Fields() {
  return [](const std::string&, TStrings& list, bool) {
    list.Clear();
    for (const char* field : {"ID", "NAME", "EMAIL", "CREATED"}) list.Add(field);
  };
}
} // namespace

TEST(QtScreenshots, SQLEditorShowsTheCaretMarkerAndTheSelectedRows) {
  QString dir = ScreenshotDir("sql-editor");
  QtTest::TWidgetSetScope scope(std::make_unique<TQtWidgetSet>(TQtWidgetSetOptions{dir.toStdString()}));
  QPoint caretInWindow, selectedRow, plainRow;
  std::vector<std::string> clipped;
  int clientWidth = 0, clientHeight = 0;
  TFunctionModalDriver driver([&](TFormUser& user) {
    auto& dialog = dynamic_cast<TSQLEditForm&>(user.Form());
    clientWidth = dialog.ClientWidth();
    clientHeight = dialog.ClientHeight();
    user.PlaceCaret("mmSQL", 14);  // after "FROM" on the second line
    user.SelectItems("FieldList", {"NAME", "CREATED"});
    user.Focus("TableList");  // the memo loses the focus: the marker shows
    QWidget* window = QtWidgetSet()->WidgetOf(dialog);
    auto* memo = qobject_cast<QPlainTextEdit*>(QtWidgetSet()->WidgetOf(*dialog.Memo()));
    QTextCursor caret(memo->document());
    caret.setPosition(14);
    QRect rect = memo->cursorRect(caret);
    caretInWindow = memo->viewport()->mapTo(window, QPoint(rect.left(), rect.bottom()));
    auto* list = qobject_cast<QListWidget*>(QtWidgetSet()->WidgetOf(dynamic_cast<TControl&>(*dialog.FindComponent("FieldList"))));
    auto rowPoint = [&](int row) {
      QRect item = list->visualItemRect(list->item(row));
      return list->viewport()->mapTo(window, QPoint(item.right() - 3, item.center().y()));
    };
    selectedRow = rowPoint(1);
    plainRow = rowPoint(2);
    clipped = ClippedCaptions(window);
    user.Click("OkButton");
  });
  TModalDriverGuard guard(driver);
  std::string sql = "SELECT ID\nFROM CUSTOMER";
  EXPECT_TRUE(EditSQL(sql, Tables(), Fields(), "CUSTOMER"));
  ASSERT_EQ(1, driver.RunCount());

  QImage shown = Shot(dir, "shown"), closing = Shot(dir, "closing");
  ASSERT_FALSE(shown.isNull()) << "no screenshot when shown in " << dir.toStdString();
  ASSERT_FALSE(closing.isNull()) << "no screenshot before closing in " << dir.toStdString();
  EXPECT_EQ(QSize(clientWidth, clientHeight), shown.size());
  EXPECT_EQ(QSize(clientWidth, clientHeight), closing.size());
  // The marker's red body lies just under the caret, its tip at the caret.
  int redNearCaret = 0;
  for (int dy = 1; dy <= 6; ++dy)
    for (int dx = -3; dx <= 3; ++dx)
      if (Red(closing.pixel(caretInWindow + QPoint(dx, dy)))) ++redNearCaret;
  EXPECT_GT(redNearCaret, 3) << "no caret marker under the caret at " << caretInWindow.x() << "," << caretInWindow.y();
  int redElsewhere = 0;
  for (int y = 0; y < closing.height(); ++y)
    for (int x = 0; x < closing.width(); ++x)
      if (Red(closing.pixel(x, y)) && (std::abs(x - caretInWindow.x()) > 8 || std::abs(y - caretInWindow.y()) > 10))
        ++redElsewhere;
  EXPECT_EQ(0, redElsewhere) << "red away from the caret";
  // The shown picture has no marker yet: the memo had the focus.
  int redWhenShown = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (Red(shown.pixel(x, y))) ++redWhenShown;
  EXPECT_EQ(0, redWhenShown);
  EXPECT_NE(closing.pixel(selectedRow), closing.pixel(plainRow)) << "the selected row is not highlighted";
  EXPECT_EQ((std::vector<std::string>{}), clipped);
}

TEST(QtScreenshots, UpdateSQLEditorPagesFitTheirCaptions) {
  QString dir = ScreenshotDir("updatesql-editor");
  QtTest::TWidgetSetScope scope(std::make_unique<TQtWidgetSet>(TQtWidgetSetOptions{dir.toStdString()}));
  TComponent owner(nullptr);
  auto* update = new TQuelmUpdateSQL(&owner);
  update->SetName("UpdateSQL1");
  update->GetSQLIndex(0).SetText("update orders set region = :region where order_no = :OLD_order_no");
  std::vector<std::string> clippedOptions, clippedSQL;
  int clientWidth = 0, clientHeight = 0;
  TFunctionModalDriver driver([&](TFormUser& user) {
    clientWidth = user.Form().ClientWidth();
    clientHeight = user.Form().ClientHeight();
    QWidget* window = QtWidgetSet()->WidgetOf(user.Form());
    clippedOptions = ClippedCaptions(window);
    user.SwitchPage("SQLPage");
    clippedSQL = ClippedCaptions(window);
    user.Click("CancelButton");
  });
  TModalDriverGuard guard(driver);
  EXPECT_FALSE(EditQuelmUpdateSQL(update));
  ASSERT_EQ(1, driver.RunCount());
  QImage shown = Shot(dir, "shown");
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(QSize(clientWidth, clientHeight), shown.size());
  EXPECT_FALSE(Shot(dir, "closing").isNull());
  EXPECT_EQ((std::vector<std::string>{}), clippedOptions);
  EXPECT_EQ((std::vector<std::string>{}), clippedSQL);
}
