#include "queryedit/TSQLEditForm.h"

#include "classes/TStringList.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TFormUser.h"
#include "forms/THeadlessWidgetSet.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TModalDriver.h"
#include "forms/TPanel.h"
#include "forms/TSplitter.h"
#include "queryedit/QuelmQueryEdit.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using TRun = std::function<void(TFormUser&, TSQLEditForm&)>;

// A server's catalogue as the callbacks deliver it: each call replaces the
// list's content, as the callbacks' contract says.
struct TCatalog {
  std::vector<std::string> Tables;
  std::map<std::string, std::vector<std::string>> Fields;
  std::vector<std::string> FieldRequests;
  std::vector<bool> SystemTablesSeen;
  std::vector<bool> FieldSystemTablesSeen;

  TGetTableNamesProc TableNames() {
    return [this](TStrings& list, bool systemTables) {
      SystemTablesSeen.push_back(systemTables);
      list.Clear();
      for (const std::string& table : Tables) list.Add(table);
    };
  }
  TGetFieldNamesProc FieldNames() {
    return [this](const std::string& table, TStrings& list, bool systemTables) {
      FieldRequests.push_back(table);
      FieldSystemTablesSeen.push_back(systemTables);
      list.Clear();
      for (const std::string& field : Fields[table]) list.Add(field);
    };
  }
};

std::vector<std::string> Items(const TListBox& box) { return box.Items()->ToVector(); }

std::string SelectedItem(const TListBox& box) {
  return box.ItemIndex() >= 0 ? box.Items()->Get(box.ItemIndex()) : std::string("(none)");
}

// Runs EditSQL on sql with run playing the user; the dialog's result.
bool RunEditor(std::string& sql, TCatalog* catalog, const std::string& startTable, TRun run) {
  TFunctionModalDriver driver([run](TFormUser& user) { run(user, dynamic_cast<TSQLEditForm&>(user.Form())); });
  TModalDriverGuard guard(driver);
  return EditSQL(sql, catalog ? catalog->TableNames() : TGetTableNamesProc(),
                 catalog ? catalog->FieldNames() : TGetFieldNamesProc(), startTable);
}

TCatalog Shop() {
  TCatalog catalog;
  catalog.Tables = {"ORDERS", "CUSTOMER", "orders"};
  catalog.Fields = {{"CUSTOMER", {"ID", "NAME"}}, {"ORDERS", {"ORDER_NO"}}, {"orders", {"order_no", "note"}}};
  return catalog;
}

} // namespace

TEST(SQLEditFormTest, CancelAndTheCloseBoxLeaveTheTextAlone) {
  TCatalog catalog = Shop();
  std::string sql = "select * from customer";
  EXPECT_FALSE(RunEditor(sql, &catalog, "", [](TFormUser& user, TSQLEditForm&) {
    user.PlaceCaret("mmSQL", -1);
    user.Type("mmSQL", " where id = 1");
    user.Click("CancelButton");
  }));
  EXPECT_EQ("select * from customer", sql);
  EXPECT_FALSE(RunEditor(sql, &catalog, "", [](TFormUser& user, TSQLEditForm&) {
    user.ClearText("mmSQL");
    user.CloseWindow();
  }));
  EXPECT_EQ("select * from customer", sql);
  // Escape from a list goes to the Cancel button: the same.
  EXPECT_FALSE(RunEditor(sql, &catalog, "", [](TFormUser& user, TSQLEditForm&) {
    user.ClearText("mmSQL");
    user.PressKey("TableList", KeyChar::Escape);
    EXPECT_TRUE(user.IsClosed());
  }));
  EXPECT_EQ("select * from customer", sql);
}

TEST(SQLEditFormTest, OkReturnsTheTextWithoutTrailingBlanksAndLineBreaks) {
  std::string sql = "select *";
  EXPECT_TRUE(RunEditor(sql, nullptr, "", [](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_EQ("SQL Editor", dialog.Caption());
    user.PlaceCaret("mmSQL", -1);
    user.Type("mmSQL", "\nfrom customer \t\n\n  \n");
    user.Click("OkButton");
  }));
  EXPECT_EQ("select *\nfrom customer", sql);
}

TEST(SQLEditFormTest, TheLineListFormSplitsTheEditedTextIntoLinesAgain) {
  if (!HeadlessWidgetSet()) GTEST_SKIP() << "runs without a driver: on real windows a person would answer";
  TStringList sql;
  sql.SetText("select id\nfrom customer\nwhere id = 1\n");
  EXPECT_TRUE(EditSQL(sql, {}, {}, "") == false);  // no driver: cancelled
  EXPECT_EQ((std::vector<std::string>{"select id", "from customer", "where id = 1"}), sql.ToVector());

  TFunctionModalDriver driver([](TFormUser& user) {
    user.PlaceCaret("mmSQL", 9);
    user.Type("mmSQL", ", name");
    // The list's text ends in a line break: the end is the start of an empty line.
    user.PlaceCaret("mmSQL", -1);
    user.Type("mmSQL", "order by name\n");
    user.Click("OkButton");
  });
  TModalDriverGuard guard(driver);
  EXPECT_TRUE(EditSQL(sql, {}, {}, ""));
  EXPECT_EQ((std::vector<std::string>{"select id, name", "from customer", "where id = 1", "order by name"}),
            sql.ToVector());
}

TEST(SQLEditFormTest, WithoutCallbacksTheListsStayEmpty) {
  std::string sql;
  RunEditor(sql, nullptr, "CUSTOMER", [](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_TRUE(Items(*dialog.TableList).empty());
    EXPECT_TRUE(Items(*dialog.FieldList).empty());
    // Nothing to add: the buttons do nothing.
    user.Click("AddTableButton");
    user.Click("AddFieldButton");
    EXPECT_EQ("", dialog.Memo()->Text());
    user.Tick("chbSystemObjects");
    EXPECT_TRUE(Items(*dialog.TableList).empty());
    user.Click("CancelButton");
  });
  // Tables without a field callback: no field list, not even "*".
  TCatalog catalog = Shop();
  TFunctionModalDriver driver([](TFormUser& user) {
    auto& dialog = dynamic_cast<TSQLEditForm&>(user.Form());
    EXPECT_EQ((std::vector<std::string>{"CUSTOMER", "ORDERS", "orders"}), Items(*dialog.TableList));
    EXPECT_TRUE(Items(*dialog.FieldList).empty());
    user.Click("CancelButton");
  });
  TModalDriverGuard guard(driver);
  EditSQL(sql, catalog.TableNames(), {}, "");
}

TEST(SQLEditFormTest, TheStartTableIsSelectedByExactCaseElseTheFirstTable) {
  auto check = [](const std::string& startTable, const std::string& selected, const std::vector<std::string>& fields) {
    TCatalog catalog = Shop();
    std::string sql;
    RunEditor(sql, &catalog, startTable, [&](TFormUser& user, TSQLEditForm& dialog) {
      EXPECT_EQ(selected, SelectedItem(*dialog.TableList)) << startTable;
      EXPECT_EQ(fields, Items(*dialog.FieldList)) << startTable;
      user.Click("CancelButton");
    });
    EXPECT_EQ(std::vector<std::string>{selected}, catalog.FieldRequests) << startTable;
  };
  check("Orders", "CUSTOMER", {"*", "ID", "NAME"});  // no exact match: the first of the sorted list
  check("", "CUSTOMER", {"*", "ID", "NAME"});
  check("orders", "orders", {"*", "order_no", "note"});
  check("ORDERS", "ORDERS", {"*", "ORDER_NO"});
}

TEST(SQLEditFormTest, ClickingATableListsItsFieldsAndTheSystemTablesBoxFillsBothListsAgain) {
  TCatalog catalog = Shop();
  std::string sql;
  RunEditor(sql, &catalog, "orders", [&](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_EQ(std::vector<bool>{false}, catalog.SystemTablesSeen);
    user.SelectItems("TableList", {"CUSTOMER"});
    EXPECT_EQ((std::vector<std::string>{"*", "ID", "NAME"}), Items(*dialog.FieldList));
    user.Tick("chbSystemObjects");
    EXPECT_EQ((std::vector<bool>{false, true}), catalog.SystemTablesSeen);
    // The field lists are asked with the box's state too.
    EXPECT_EQ((std::vector<bool>{false, false, true}), catalog.FieldSystemTablesSeen);
    // The start table rule again, not the developer's last choice.
    EXPECT_EQ("orders", SelectedItem(*dialog.TableList));
    EXPECT_EQ((std::vector<std::string>{"*", "order_no", "note"}), Items(*dialog.FieldList));
    user.Click("CancelButton");
  });
}

TEST(SQLEditFormTest, AddingTablesAndFieldsStartsAStatementAndSeparatesNames) {
  TCatalog catalog = Shop();
  std::string sql;
  EXPECT_TRUE(RunEditor(sql, &catalog, "CUSTOMER", [](TFormUser& user, TSQLEditForm& dialog) {
    user.SelectItems("FieldList", {"ID", "NAME"});
    user.Click("AddFieldButton");
    EXPECT_EQ("SELECT ID, NAME", dialog.Memo()->Text());
    EXPECT_EQ(15, dialog.GetSelStart());
    user.Click("AddTableButton");
    EXPECT_EQ("SELECT ID, NAME CUSTOMER", dialog.Memo()->Text());
    user.Click("OkButton");
  }));
  EXPECT_EQ("SELECT ID, NAME CUSTOMER", sql);

  sql.clear();
  EXPECT_TRUE(RunEditor(sql, &catalog, "CUSTOMER", [](TFormUser& user, TSQLEditForm& dialog) {
    user.DoubleClickItem("TableList", "ORDERS");
    EXPECT_EQ("SELECT * FROM ORDERS", dialog.Memo()->Text());
    user.Click("OkButton");
  }));
  EXPECT_EQ("SELECT * FROM ORDERS", sql);
}

TEST(SQLEditFormTest, FieldSeparatorsDependOnTheTextBeforeTheCaret) {
  // text and caret before, the field added, the text after.
  auto check = [](const std::string& text, int caret, const std::string& field, const std::string& expected) {
    TCatalog catalog;
    catalog.Tables = {"T"};
    catalog.Fields = {{"T", {"ID", "NAME", " NOTE"}}};
    std::string sql = text;
    RunEditor(sql, &catalog, "", [&](TFormUser& user, TSQLEditForm& dialog) {
      if (!text.empty()) user.PlaceCaret("mmSQL", caret);
      user.SelectItems("FieldList", {field});
      user.Click("AddFieldButton");
      EXPECT_EQ(expected, dialog.Memo()->Text()) << "'" << text << "' at " << caret;
      user.Click("CancelButton");
    });
  };
  check("", 0, "ID", "SELECT ID");
  check("", 0, "*", "SELECT *");
  check("SELECT", 6, "ID", "SELECT ID");
  check("SELECT ID", 9, "NAME", "SELECT ID, NAME");
  check("SELECT ID,", 10, "NAME", "SELECT ID, NAME");
  check("SELECT ID, ", 11, "NAME", "SELECT ID, NAME");
  check("SELECT COUNT(", 13, "ID", "SELECT COUNT(ID");
  check("SELECT ID", 9, "*", "SELECT ID *");
  check("SELECT ID FROM T", 9, "NAME", "SELECT ID, NAME FROM T");
  check("SELECT ID FROM T", 0, "NAME", "NAMESELECT ID FROM T");
  // Trailing blank lines go with every insertion.
  check("SELECT ID\n\n", 9, "NAME", "SELECT ID, NAME");
  // A name that begins with a blank brings its own separation.
  check("SELECT ID", 9, " NOTE", "SELECT ID NOTE");
}

TEST(SQLEditFormTest, SeveralSelectedFieldsGoInFromTheTopAtTheCaret) {
  TCatalog catalog;
  catalog.Tables = {"T"};
  catalog.Fields = {{"T", {"A", "B", "C"}}};
  std::string sql = "SELECT \nFROM T";
  EXPECT_TRUE(RunEditor(sql, &catalog, "", [](TFormUser& user, TSQLEditForm& dialog) {
    user.PlaceCaret("mmSQL", 7);
    user.SelectItems("FieldList", {"C", "A"});
    user.DoubleClickItem("FieldList", "B");  // a double-click selects the item alone
    EXPECT_EQ("SELECT B\nFROM T", dialog.Memo()->Text());
    user.SelectItems("FieldList", {"C", "A"});
    user.Click("AddFieldButton");
    EXPECT_EQ("SELECT B, A, C\nFROM T", dialog.Memo()->Text());
    EXPECT_EQ(14, dialog.GetSelStart());
    user.Click("OkButton");
  }));
  EXPECT_EQ("SELECT B, A, C\nFROM T", sql);
}

TEST(SQLEditFormTest, KeysOfTheMemo) {
  std::string sql = "select 1";
  // Ctrl+A selects everything; typing then replaces it; a plain Enter is a
  // line break; Ctrl+Enter is OK.
  EXPECT_TRUE(RunEditor(sql, nullptr, "", [](TFormUser& user, TSQLEditForm& dialog) {
    user.PressKey("mmSQL", KeyChar::CtrlA, {TShiftStateFlag::ssCtrl});
    EXPECT_EQ("select 1", dialog.Memo()->SelText());
    user.Type("mmSQL", "select 2\nfrom dual");
    EXPECT_FALSE(user.IsClosed());
    // A line feed without Ctrl is a line break, never OK.
    user.PressKey("mmSQL", KeyChar::LineFeed, {});
    EXPECT_FALSE(user.IsClosed());
    user.PressKey("mmSQL", KeyChar::LineFeed, {TShiftStateFlag::ssCtrl});
    EXPECT_TRUE(user.IsClosed());
  }));
  EXPECT_EQ("select 2\nfrom dual", sql);
}

TEST(SQLEditFormTest, TheCaretMarkerShowsWhileTheMemoHasNoFocus) {
  if (!HeadlessWidgetSet()) GTEST_SKIP() << "reads the headless window record; the Qt tests check the screen";
  TCatalog catalog = Shop();
  std::string sql = "SELECT ID\nFROM CUSTOMER";
  RunEditor(sql, &catalog, "CUSTOMER", [](TFormUser& user, TSQLEditForm& dialog) {
    TMemo& memo = *dialog.Memo();
    user.PlaceCaret("mmSQL", 14);  // line 1, column 4
    user.Focus("TableList");
    const THeadlessWidgetSet::TWindow* window = HeadlessWidgetSet()->Window(memo);
    ASSERT_NE(nullptr, window);
    ASSERT_FALSE(window->Drawings.empty());
    const auto& marker = window->Drawings.back();
    EXPECT_EQ(4 * THeadlessWidgetSet::CharWidth - 3, marker.X);
    EXPECT_EQ(2 * THeadlessWidgetSet::LineHeight, marker.Y);
    EXPECT_EQ(10, marker.Width);
    EXPECT_EQ(6, marker.Height);
    // Back in the memo the repaint wipes it.
    user.Focus("mmSQL");
    EXPECT_TRUE(window->Drawings.empty());
    // An insertion repaints and draws it again at the new caret.
    user.SelectItems("FieldList", {"NAME"});
    EXPECT_FALSE(window->Drawings.empty());
    user.Click("AddFieldButton");
    EXPECT_EQ("SELECT ID\nFROM, NAME CUSTOMER", memo.Text());
    ASSERT_EQ(1u, window->Drawings.size());
    EXPECT_EQ(10 * THeadlessWidgetSet::CharWidth - 3, window->Drawings[0].X);
    user.Click("CancelButton");
  });
}

TEST(SQLEditFormTest, SplittersRefuseAreasTooSmallOrTooLarge) {
  std::string sql;
  RunEditor(sql, nullptr, "", [](TFormUser& user, TSQLEditForm& dialog) {
    int tableArea = dialog.TableListPanel->Height();
    user.DragSplitter("TableFieldsSplitter", 44);
    EXPECT_EQ(tableArea, dialog.TableListPanel->Height());
    user.DragSplitter("TableFieldsSplitter", dialog.MetaInfoPanel->Height() - 65);
    EXPECT_EQ(tableArea, dialog.TableListPanel->Height());
    user.DragSplitter("TableFieldsSplitter", 45);
    EXPECT_EQ(45, dialog.TableListPanel->Height());

    int leftArea = dialog.MetaInfoPanel->Width();
    user.DragSplitter("MetaInfoSQLSplitter", 100);
    EXPECT_EQ(leftArea, dialog.MetaInfoPanel->Width());
    user.DragSplitter("MetaInfoSQLSplitter", dialog.ClientWidth() - 100);
    EXPECT_EQ(leftArea, dialog.MetaInfoPanel->Width());
    user.DragSplitter("MetaInfoSQLSplitter", 200);
    EXPECT_EQ(200, dialog.MetaInfoPanel->Width());
    // The SQL label follows the SQL area.
    EXPECT_EQ(dialog.SQLMemoPanel->Left(), dialog.SQLLabel->Left());
    EXPECT_EQ(203, dialog.SQLLabel->Left());
    user.Click("CancelButton");
  });
}

TEST(SQLEditFormTest, HelpShowsTheSQLEditorTopic) {
  if (!HeadlessWidgetSet()) GTEST_SKIP() << "reads the headless help log";
  HeadlessWidgetSet()->ClearHelpRequests();
  std::string sql;
  RunEditor(sql, nullptr, "", [](TFormUser& user, TSQLEditForm&) {
    user.Click("HelpButton");
    user.Click("CancelButton");
  });
  ASSERT_EQ(1u, HeadlessWidgetSet()->HelpRequests().size());
  EXPECT_EQ(27271, HeadlessWidgetSet()->HelpRequests()[0].Context);
}

TEST(SQLEditFormTest, ACallbackErrorLeavesTheTextAlone) {
  std::string sql = "select 1";
  TFunctionModalDriver driver;
  TModalDriverGuard guard(driver);
  TGetTableNamesProc failing = [](TStrings&, bool) { throw EDatabaseError("Lost connection to server"); };
  EXPECT_THROW(EditSQL(sql, failing, {}, ""), EDatabaseError);
  EXPECT_EQ("select 1", sql);
  EXPECT_EQ(0, driver.RunCount());
}

TEST(SQLEditFormTest, NamesThatNeedQuotes) {
  auto check = [](const std::string& name, bool expected) { EXPECT_EQ(expected, DefaultReqQuoteChar(name)) << name; };
  check("", true);
  check("Customer", true);
  check("order items", true);
  check("naïve", true);
  check("my-table", true);
  check("customer", false);
  check("order_items_2", false);
  check("_", false);
  TCharSet digits;
  for (char c = '0'; c <= '9'; ++c) digits.set(static_cast<unsigned char>(c));
  EXPECT_TRUE(CharInSet('7', digits));
  EXPECT_FALSE(CharInSet('a', digits));
  EXPECT_FALSE(CharInSet('\xB2', digits));
}

// "Check on Server" asks the callback about the memo's text as it stands and
// shows the answer on the form; the text stays as typed.
TEST(SQLEditFormTest, CheckOnServerShowsTheServersAnswerBesideTheText) {
  std::vector<std::string> asked;
  TCheckSQLProc server = [&](const std::string& text) {
    asked.push_back(text);
    if (text.find("boom") != std::string::npos) throw EDatabaseError("Lost connection to server");
    if (text.find("ordres") != std::string::npos)
      return TSQLCheck{false, 1146, "Table 'shop.ordres' doesn't exist"};
    return TSQLCheck{};
  };
  std::string sql = "select * from ordres";
  TFunctionModalDriver driver([&](TFormUser& user) {
    auto& dialog = dynamic_cast<TSQLEditForm&>(user.Form());
    EXPECT_EQ("", dialog.CheckResultLabel->Caption());
    user.Click("CheckButton");
    EXPECT_EQ("Server check: error 1146: Table 'shop.ordres' doesn't exist", dialog.CheckResultLabel->Caption());
    EXPECT_EQ(1, dialog.CheckResultLabel->Tag());
    user.ClearText("mmSQL");
    user.Click("CheckButton");
    EXPECT_EQ("Server check: empty", dialog.CheckResultLabel->Caption());
    user.Type("mmSQL", "select * from orders");
    user.Click("CheckButton");
    EXPECT_EQ("Server check: ok", dialog.CheckResultLabel->Caption());
    EXPECT_EQ(0, dialog.CheckResultLabel->Tag());
    user.Type("mmSQL", " boom");
    user.Click("CheckButton");
    EXPECT_EQ("Server check: Lost connection to server", dialog.CheckResultLabel->Caption());
    EXPECT_EQ(-1, dialog.CheckResultLabel->Tag());
    EXPECT_EQ("select * from orders boom", dialog.Memo()->Text());
    user.Click("CancelButton");
  });
  {
    TModalDriverGuard guard(driver);
    EXPECT_FALSE(EditSQL(sql, {}, {}, "", server));
  }
  EXPECT_EQ((std::vector<std::string>{"select * from ordres", "select * from orders", "select * from orders boom"}),
            asked);
  EXPECT_TRUE(driver.Messages().empty());  // the answer is on the form, never in a box
  EXPECT_EQ("select * from ordres", sql);
  // Without a server to ask, the button is disabled.
  RunEditor(sql, nullptr, "", [](TFormUser& user, TSQLEditForm& dialog) {
    EXPECT_FALSE(dialog.CheckButton->Enabled());
    user.Click("CancelButton");
  });
}

TEST(SQLEditFormTest, TheDialogCannotBeMadeSmallerThan300By200) {
  std::string sql = "select 1";
  int runs = 0;
  RunEditor(sql, nullptr, "", [&](TFormUser& user, TSQLEditForm& dialog) {
    ++runs;
    dialog.SetBounds(dialog.Left(), dialog.Top(), 120, 80);
    EXPECT_EQ(300, dialog.Width());
    EXPECT_EQ(200, dialog.Height());
    user.Click("CancelButton");
  });
  EXPECT_EQ(1, runs);
}
