// Each model setter, and what the native widget shows afterwards: a peer
// that missed a notification or read the wrong property fails its row.
#include "QtTestSupport.h"

#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TForm.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPageControl.h"
#include "forms/TRadioGroup.h"
#include "widgetset-qt/TQtPeer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <gtest/gtest.h>

#include <functional>

namespace {
template <class T>
T* Make(TForm& form, const char* name, TWinControl* parent = nullptr) {
  auto* control = new T(&form);
  control->SetName(name);
  control->SetParent(parent ? parent : &form);
  return control;
}

template <class W>
W* Native(TControl& control) {
  auto* widget = qobject_cast<W*>(QtTest::Widgets().WidgetOf(control));
  if (!widget) throw std::logic_error(control.Name() + " has no native widget of the expected class");
  return widget;
}

std::string Str(const QString& s) { return s.toStdString(); }

struct TRow {
  const char* Setter;
  // Builds the control, shows the form's peers, applies the setter and
  // returns what the widget shows, as "expected" does.
  std::function<std::string(TForm&)> Check;
  std::string Expected;
};
} // namespace

TEST(QtNativeState, EveryModelSetterReachesTheNativeWidget) {
  const std::vector<TRow> rows = {
      {"Button caption", [](TForm& f) {
         auto* b = Make<TButton>(f, "B");
         QtTest::Widgets().PeerOf(f);
         b->SetCaption("Get &Table && Fields");
         return Str(Native<QPushButton>(*b)->text());
       }, "Get Table && Fields"},
      {"Bounds", [](TForm& f) {
         auto* b = Make<TButton>(f, "B");
         QtTest::Widgets().PeerOf(f);
         b->SetBounds(12, 34, 56, 23);
         QRect g = Native<QPushButton>(*b)->geometry();
         return std::to_string(g.x()) + "," + std::to_string(g.y()) + "," + std::to_string(g.width()) + "," +
                std::to_string(g.height());
       }, "12,34,56,23"},
      {"Enabled", [](TForm& f) {
         auto* b = Make<TButton>(f, "B");
         QtTest::Widgets().PeerOf(*b);
         b->SetEnabled(false);
         return std::string(Native<QPushButton>(*b)->isEnabled() ? "enabled" : "disabled");
       }, "disabled"},
      {"Visible", [](TForm& f) {
         auto* b = Make<TButton>(f, "B");
         QtTest::Widgets().PeerOf(*b);
         b->Hide();
         return std::string(Native<QPushButton>(*b)->isHidden() ? "hidden" : "shown");
       }, "hidden"},
      {"Checked", [](TForm& f) {
         auto* c = Make<TCheckBox>(f, "C");
         QtTest::Widgets().PeerOf(*c);
         c->SetChecked(true);
         return std::string(Native<QCheckBox>(*c)->isChecked() ? "checked" : "clear");
       }, "checked"},
      {"Label caption", [](TForm& f) {
         auto* l = Make<TLabel>(f, "L");
         QtTest::Widgets().PeerOf(*l);
         l->SetCaption("&SQL:");
         return Str(Native<QLabel>(*l)->text());
       }, "SQL:"},
      {"Edit text and caret (UTF-8 bytes to UTF-16)", [](TForm& f) {
         auto* e = Make<TEdit>(f, "E");
         QtTest::Widgets().PeerOf(*e);
         e->SetText("caf\xC3\xA9 bar");
         e->SetSelStart(6);  // after "café " is byte 6
         auto* w = Native<QLineEdit>(*e);
         return Str(w->text()) + "|" + std::to_string(w->cursorPosition());
       }, "caf\xC3\xA9 bar|5"},
      {"Memo lines and selection", [](TForm& f) {
         auto* m = Make<TMemo>(f, "M");
         QtTest::Widgets().PeerOf(*m);
         m->Lines()->Add("select *");
         m->Lines()->Add("from t");
         m->SetSelStart(9);
         m->SetSelLength(4);
         auto* w = Native<QPlainTextEdit>(*m);
         return Str(w->toPlainText()) + "|" + Str(w->textCursor().selectedText());
       }, "select *\nfrom t|from"},
      {"List items and multi-selection", [](TForm& f) {
         auto* l = Make<TListBox>(f, "L");
         QtTest::Widgets().PeerOf(*l);
         l->SetMultiSelect(true);
         for (const char* item : {"id", "name", "email"}) l->Items()->Add(item);
         l->SetSelected(0, true);
         l->SetSelected(2, true);
         auto* w = Native<QListWidget>(*l);
         std::string shown = std::to_string(w->count()) + ":";
         for (int i = 0; i < w->count(); ++i)
           if (w->item(i)->isSelected()) shown += " " + Str(w->item(i)->text());
         return shown;
       }, "3: id email"},
      {"List ItemIndex", [](TForm& f) {
         auto* l = Make<TListBox>(f, "L");
         QtTest::Widgets().PeerOf(*l);
         for (const char* item : {"a", "b"}) l->Items()->Add(item);
         l->SetItemIndex(1);
         auto* w = Native<QListWidget>(*l);
         return std::to_string(w->currentRow()) + (w->item(1)->isSelected() ? " selected" : "");
       }, "1 selected"},
      {"Combo ItemIndex", [](TForm& f) {
         auto* c = Make<TComboBox>(f, "C");
         QtTest::Widgets().PeerOf(*c);
         for (const char* item : {"orders", "customer"}) c->Items()->Add(item);
         c->SetItemIndex(1);
         auto* w = Native<QComboBox>(*c);
         return std::to_string(w->currentIndex()) + " " + Str(w->currentText());
       }, "1 customer"},
      {"Radio ItemIndex", [](TForm& f) {
         auto* r = Make<TRadioGroup>(f, "R");
         r->SetBounds(0, 0, 120, 80);
         QtTest::Widgets().PeerOf(*r);
         for (const char* item : {"&Modify", "&Insert", "&Delete"}) r->Items()->Add(item);
         r->SetItemIndex(2);
         std::string shown;
         for (QRadioButton* b : QtTest::Widgets().WidgetOf(*r)->findChildren<QRadioButton*>())
           shown += Str(b->text()) + (b->isChecked() ? "* " : " ");
         return shown;
       }, "Modify Insert Delete* "},
      {"Active page", [](TForm& f) {
         auto* p = Make<TPageControl>(f, "P");
         p->SetBounds(0, 0, 200, 120);
         auto* a = new TTabSheet(&f);
         a->SetCaption("Options");
         a->SetPageControl(p);
         auto* b = new TTabSheet(&f);
         b->SetCaption("SQL");
         b->SetPageControl(p);
         QtTest::Widgets().PeerOf(f);
         QtTest::Widgets().PeerOf(*a);
         QtTest::Widgets().PeerOf(*b);
         p->SetActivePage(b);
         auto* bar = QtTest::Widgets().WidgetOf(*p)->findChild<QTabBar*>();
         return std::to_string(bar->currentIndex()) + Str(bar->tabText(1)) +
                (QtTest::Widgets().WidgetOf(*a)->isHidden() ? " first hidden" : " first shown");
       }, "1SQL first hidden"},
  };
  for (const TRow& row : rows) {
    auto form = CreateForm<TForm>(nullptr);
    form->SetName("NativeState");
    std::string shown;
    try {
      shown = row.Check(*form);
    } catch (const std::exception& e) {
      shown = std::string("error: ") + e.what();
    }
    EXPECT_EQ(row.Expected, shown) << row.Setter;
  }
}
