// A person at the keyboard and mouse: simulated Qt key and mouse events on
// the offscreen windows, with no driver, so every event takes the native
// path into the model (key dispatch, native edits, list selections).
#include "QtTestSupport.h"

#include "classes/TStringList.h"
#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TForm.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TScreen.h"
#include "forms/TSplitter.h"
#include "queryedit/QuelmQueryEdit.h"
#include "queryedit/TSQLEditForm.h"
#include "runtime/TQuelmUpdateSQL.h"
#include "updsqled/TQuelmUpdateSQLEditForm.h"
#include "widgetset-qt/QtKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {
TForm* ShowingForm() { return Screen().ActiveForm(); }

template <class T>
T* ActiveFormAs() {
  return dynamic_cast<T*>(ShowingForm());
}

// The window of the form shown modally now, once it is up.
QWidget* ShowingWindow() {
  TForm* form = ShowingForm();
  if (!form) return nullptr;
  QWidget* window = QtTest::Widgets().WidgetOf(*form);
  return window && window->isVisible() ? window : nullptr;
}

TGetTableNamesProc Tables() {
  return [](TStrings& list, bool) {
    list.Clear();
    list.Add("CUSTOMER");
    list.Add("ORDERS");
  };
}

TGetFieldNamesProc Fields() {
  return [](const std::string&, TStrings& list, bool) {
    list.Clear();
    for (const char* field : {"ID", "NAME", "EMAIL"}) list.Add(field);
  };
}

// A form of our own with a few controls and an OK button.
TFormPtr<TForm> MakeForm() {
  auto form = CreateForm<TForm>(nullptr);
  form->SetName("InputForm");
  form->SetClientWidth(300);
  form->SetClientHeight(200);
  auto* ok = new TButton(form.get());
  ok->SetName("Ok");
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetParent(form.get());
  ok->SetBounds(215, 170, 75, 25);
  return form;
}

bool ClickOk() {
  auto* ok = qobject_cast<QPushButton*>(QtTest::Child(QtTest::FormWindow("InputForm"), "Ok"));
  if (!ok) return false;
  ok->click();
  return true;
}
} // namespace

// Each row: a key as Qt delivers it, and the character the model sees.
TEST(QtKeys, KeysMapToTheModelsCharacterCodes) {
  struct TRow {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Text;
    int Expected;  // -1: the native widget keeps it
  };
  const TRow rows[] = {
      {Qt::Key_A, Qt::ControlModifier, "\x01", 1},      {Qt::Key_Return, Qt::ControlModifier, "\r", 10},
      {Qt::Key_Return, Qt::NoModifier, "\r", 13},       {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},     {Qt::Key_Tab, Qt::NoModifier, "\t", 9},
      {Qt::Key_Backtab, Qt::ShiftModifier, "", 9},      {Qt::Key_G, Qt::AltModifier, "g", 'g'},
      {Qt::Key_S, Qt::NoModifier, "s", 's'},            {Qt::Key_Left, Qt::NoModifier, "", -1},
      {Qt::Key_Eacute, Qt::NoModifier, "\xC3\xA9", -1},
  };
  for (const TRow& row : rows) {
    QKeyEvent event(QEvent::KeyPress, row.Key, row.Modifiers, QString::fromUtf8(row.Text));
    std::optional<char> key = QtKeys::KeyChar(event);
    EXPECT_EQ(row.Expected, key ? static_cast<int>(static_cast<unsigned char>(*key)) : -1) << "key " << row.Key;
  }
}

// Ctrl+A selects the whole text (the memo's handler, not Qt's), typing
// replaces it, Ctrl+Enter is OK.
TEST(QtInput, CtrlAAndCtrlEnterInTheSQLMemo) {
  std::string sql = "select * from customer";
  int selectedAll = -1;
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      auto* memo = QtTest::Child(ShowingWindow(), "mmSQL");
      auto* dialog = ActiveFormAs<TSQLEditForm>();
      if (!memo || !dialog) return false;
      memo->setFocus();
      QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
      selectedAll = dialog->Memo()->SelLength();
      QTest::keyClicks(memo, "select 2");
      QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
      return true;
    });
    EXPECT_TRUE(EditSQL(sql, Tables(), Fields(), ""));
  }
  EXPECT_EQ(22, selectedAll);
  EXPECT_EQ("select 2", sql);
}

// The UpdateSQL memo's Escape closes the dialog without writing what was typed.
TEST(QtInput, EscapeInTheUpdateSQLMemoClosesWithoutWriting) {
  TComponent owner(nullptr);
  auto* update = new TQuelmUpdateSQL(&owner);
  update->SetName("UpdateSQL1");
  std::string typed;
  bool result = true;
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      QWidget* window = ShowingWindow();
      auto* dialog = ActiveFormAs<TQuelmUpdateSQLEditForm>();
      if (!window || !dialog) return false;
      auto* bar = window->findChild<QTabBar*>();
      bar->setCurrentIndex(1);  // the SQL page's tab
      auto* memo = QtTest::Child(window, "SQLMemo");
      if (!memo->isVisible()) throw std::runtime_error("the SQL page did not come up");
      memo->setFocus();
      QTest::keyClicks(memo, "delete everything");
      typed = dialog->SQLMemo->Text();
      QTest::keyClick(memo, Qt::Key_Escape);
      return true;
    });
    result = EditQuelmUpdateSQL(update);
  }
  EXPECT_EQ("delete everything", typed);
  EXPECT_FALSE(result);
  EXPECT_EQ(0, update->GetSQLIndex(0).Count());
}

// Tab follows the model's tab order, not the order the widgets were made;
// Shift+Tab goes back; both wrap.
TEST(QtInput, TabFollowsTheModelsTabOrder) {
  auto form = MakeForm();
  std::vector<TEdit*> edits;
  for (const char* name : {"First", "Second", "Third"}) {
    auto* edit = new TEdit(form.get());
    edit->SetName(name);
    edit->SetParent(form.get());
    edit->SetBounds(10, 10 + 30 * static_cast<int>(edits.size()), 120, 21);
    edits.push_back(edit);
  }
  edits[1]->SetTabOrder(0);  // Second, Ok, First, Third; the widgets were made Ok, First, Second, Third
  form->FindComponent("Ok");
  form->SetActiveControl(edits[0]);
  std::vector<std::string> visited;
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      QWidget* window = QtTest::FormWindow("InputForm");
      if (!window) return false;
      auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
        QWidget* focused = QtTest::Widgets().WidgetOf(*form->ActiveControl());
        QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
        visited.push_back(form->ActiveControl()->Name());
      };
      press(Qt::Key_Tab, Qt::NoModifier);
      press(Qt::Key_Tab, Qt::NoModifier);
      press(Qt::Key_Tab, Qt::NoModifier);
      press(Qt::Key_Backtab, Qt::ShiftModifier);
      return ClickOk();
    });
    EXPECT_EQ(mrOk, form->ShowModal());
  }
  EXPECT_EQ((std::vector<std::string>{"Third", "Second", "Ok", "Second"}), visited);
}

// A click and a Ctrl+click leave both items selected, each firing OnClick.
TEST(QtInput, CtrlClickSelectsSeveralItems) {
  auto form = MakeForm();
  auto* list = new TListBox(form.get());
  list->SetName("Fields");
  list->SetParent(form.get());
  list->SetBounds(10, 10, 150, 120);
  list->SetMultiSelect(true);
  for (const char* item : {"ID", "NAME", "EMAIL", "CREATED"}) list->Items()->Add(item);
  int clicks = 0;
  list->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      auto* native = qobject_cast<QListWidget*>(QtTest::Child(QtTest::FormWindow("InputForm"), "Fields"));
      if (!native) return false;
      QTest::mouseClick(native->viewport(), Qt::LeftButton, {}, native->visualItemRect(native->item(0)).center());
      QTest::mouseClick(native->viewport(), Qt::LeftButton, Qt::ControlModifier,
                        native->visualItemRect(native->item(2)).center());
      return ClickOk();
    });
    EXPECT_EQ(mrOk, form->ShowModal());
  }
  EXPECT_TRUE(list->Selected(0));
  EXPECT_FALSE(list->Selected(1));
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(2, list->ItemIndex());
  EXPECT_GE(clicks, 2);
}

// Choosing an entry fires OnClick, then OnChange, as the model's pick does.
TEST(QtInput, ComboPickFiresClickThenChange) {
  auto form = MakeForm();
  auto* combo = new TComboBox(form.get());
  combo->SetName("Tables");
  combo->SetParent(form.get());
  combo->SetBounds(10, 10, 150, 21);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* item : {"orders", "customer"}) combo->Items()->Add(item);
  combo->SetItemIndex(0);
  std::vector<std::string> events;
  combo->OnClick = TNotifyEvent([&](TObject*) { events.push_back("click " + combo->Text()); });
  combo->OnChange = TNotifyEvent([&](TObject*) { events.push_back("change " + combo->Text()); });
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      auto* native = qobject_cast<QComboBox*>(QtTest::Child(QtTest::FormWindow("InputForm"), "Tables"));
      if (!native) return false;
      native->setFocus();
      QTest::keyClick(native, Qt::Key_Down);
      return ClickOk();
    });
    EXPECT_EQ(mrOk, form->ShowModal());
  }
  EXPECT_EQ((std::vector<std::string>{"click customer", "change customer"}), events);
  EXPECT_EQ(1, combo->ItemIndex());
}

// The SQL editor's table list splitter refuses a list that small and takes
// a reasonable size.
TEST(QtInput, SplitterDragIsRefusedBeyondTheLimits) {
  std::string sql = "select 1";
  int before = 0, afterRefused = 0, afterTaken = 0;
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      QWidget* window = ShowingWindow();
      auto* dialog = ActiveFormAs<TSQLEditForm>();
      if (!window || !dialog) return false;
      auto& splitter = dynamic_cast<TSplitter&>(*dialog->FindComponent("TableFieldsSplitter"));
      TControl* resized = splitter.ResizedControl();
      QWidget* bar = QtTest::Widgets().WidgetOf(splitter);
      auto drag = [&](int dy) {
        QPoint from = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, from);
        QTest::mouseMove(bar, from + QPoint(0, dy));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, from + QPoint(0, dy));
      };
      before = resized->Height();
      drag(-100);
      afterRefused = resized->Height();
      drag(30);
      afterTaken = resized->Height();
      qobject_cast<QPushButton*>(QtTest::Widgets().WidgetOf(*dialog->CancelButton))->click();
      return true;
    });
    EditSQL(sql, Tables(), Fields(), "");
  }
  EXPECT_EQ(before, afterRefused);
  EXPECT_EQ(before + 30, afterTaken);
}

// Typing a character Qt counts in one unit but the model in two bytes keeps
// the model's caret on the right byte.
TEST(QtInput, NonAsciiTypingKeepsPositions) {
  auto form = MakeForm();
  auto* edit = new TEdit(form.get());
  edit->SetName("Name");
  edit->SetParent(form.get());
  edit->SetBounds(10, 10, 150, 21);
  form->SetActiveControl(edit);
  std::string text;
  int caret = -1, caretAfterLeft = -1;
  int changes = 0;
  edit->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  {
    QtTest::TScheduledUser user;
    user.Then([&] {
      QWidget* native = QtTest::Child(QtTest::FormWindow("InputForm"), "Name");
      if (!native) return false;
      native->setFocus();
      QTest::keyClick(native, Qt::Key_N);
      // QTest types ASCII only: é comes as the key event a keyboard sends.
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
      QApplication::sendEvent(native, &press);
      QApplication::sendEvent(native, &release);
      QTest::keyClick(native, Qt::Key_B);
      text = edit->Text();
      caret = edit->SelStart();
      QTest::keyClick(native, Qt::Key_Left);
      caretAfterLeft = edit->SelStart();
      return ClickOk();
    });
    EXPECT_EQ(mrOk, form->ShowModal());
  }
  EXPECT_EQ("n\xC3\xA9" "b", text);
  EXPECT_EQ(4, caret);
  EXPECT_EQ(3, caretAfterLeft);
  EXPECT_EQ(3, changes);
  EXPECT_TRUE(edit->Modified());
}
