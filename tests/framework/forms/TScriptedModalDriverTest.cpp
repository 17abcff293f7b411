#include "support/ExpectRaises.h"
#include "forms/TScriptedModalDriver.h"

#include "TestDialog.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"

#include <gtest/gtest.h>

TEST(TScriptedModalDriver, ScriptErrorsNameFileLineAndColumn) {
  auto check = [](const char* script, const char* expected) {
    EXPECT_TRUE(TestSupport::Raises<EScriptError>([&] { TScriptedModalDriver driver(script, "edit.script"); }, expected))
        << script;
  };
  check("clik OkButton", "edit.script:1:1: unknown command 'clik'");
  check("# set up\n\n  select KeyFieldList", "edit.script:3:3: usage: select LIST ITEM...");
  check("click", "edit.script:1:1: usage: click CONTROL");
  check("close now", "edit.script:1:1: usage: close");
  check("type SQLMemo \"select *", "edit.script:1:14: unterminated string");
  check("type SQLMemo \"a\\qb\"", "edit.script:1:16: unknown escape '\\q'");
  check("type SQLMemo \"a\"b", "edit.script:1:17: expected a blank after the string");
  check("pick Combo cus\"tomer", "edit.script:1:15: unexpected quote inside a word");
  check("key SQLMemo Escpae", "edit.script:1:13: unknown key 'Escpae'");
  check("key SQLMemo Ctrl+1", "edit.script:1:13: unknown key 'Ctrl+1'");
  check("answer Maybe",
        "edit.script:1:8: unknown answer 'Maybe' (Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll)");
  check("caret SQLMemo middle", "edit.script:1:15: expected a position or 'end', found 'middle'");
  check("drag Splitter wide", "edit.script:1:15: expected a size, found 'wide'");
  check("select List #0 name", "edit.script:1:13: give the items either all by text or all by #index");
  check("\"click\" OkButton", "edit.script:1:1: unknown command 'click'");
}

TEST(TScriptedModalDriver, ReadsOneOperationALine) {
  TScriptedModalDriver driver(
      "# comment\r\n"
      "select KeyFieldList id \"first name\" #x\n"
      "  type SQLMemo \"a\\\"b\\n\"\n"
      "key SQLMemo Ctrl+Enter\n"
      "file-cancel",
      "s");
  const auto& steps = driver.Steps();
  ASSERT_EQ(4u, steps.size());
  EXPECT_EQ(2, steps[0].Line);
  EXPECT_EQ((std::vector<std::string>{"KeyFieldList", "id", "first name", "#x"}), steps[0].Args);
  EXPECT_EQ("a\"b\n", steps[1].Args[1]);
  EXPECT_EQ("file-cancel", steps[3].Command);
  TScriptKey key;
  ASSERT_TRUE(ParseScriptKey("Ctrl+Enter", key));
  EXPECT_EQ(KeyChar::LineFeed, key.Key);
  EXPECT_TRUE(key.Shift.Contains(TShiftStateFlag::ssCtrl));
  ASSERT_TRUE(ParseScriptKey("ctrl+a", key));
  EXPECT_EQ(KeyChar::CtrlA, key.Key);
}

TEST(TScriptedModalDriver, RunErrorsNameTheLine) {
  auto check = [](const char* script, const char* expected) {
    auto dialog = CreateForm<TTestDialog>(&Application());
    TScriptedModalDriver driver(script, "run.script");
    TModalDriverGuard guard(driver);
    EXPECT_TRUE(TestSupport::Raises<EScriptError>([&] { dialog->ShowModal(); }, expected)) << script;
    EXPECT_FALSE(dialog->Visible());
  };
  check("click NoSuchButton", "run.script:1: no control named NoSuchButton on form TestDialog");
  check("\nclick FieldList", "run.script:2: FieldList is a TListBox: choose one of its items");
  check("type SQLMemo x", "run.script:1: SQLMemo is on page TextPage, which is not the active page");
  check("answer Yes", "run.script:1: 'answer' but no message box is showing");
  check("select FieldList id\nclick OkButton\nclick OkButton",
        "run.script:3: a message box \"Settings changed, exit anyway?\" (Yes, No, Cancel) is showing; expected "
        "'answer', found 'click'");
  check("select FieldList id\nclick OkButton",
        "run.script:2: a message box \"Settings changed, exit anyway?\" (Yes, No, Cancel) is showing after the end "
        "of the script");
  check("select FieldList id\nclick OkButton\nanswer OK",
        "run.script:3: the message box offers Yes, No, Cancel, not OK");
  check("popup TableName miSelectAll", "run.script:1: TableName has no popup menu");
}

TEST(TScriptedModalDriver, PlaysADialogAsAPersonWould) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  TScriptedModalDriver driver(
      "# choose the table and the fields\n"
      "pick TableName orders\n"
      "select FieldList id city\n"
      "tick QuoteFields\n"
      "tick QuoteFields\n"
      "click GenerateButton\n"
      "page TextPage\n"
      "radio StatementType Insert\n"
      "type SQLMemo \"insert\"\n"
      "page OptionsPage\n"
      "popup FieldList \"Select All\"\n"
      "deselect FieldList name\n"
      "click OkButton\n"
      "answer No\n"
      "click OkButton\n"
      "answer Yes\n",
      "play.script");
  TModalDriverGuard guard(driver);
  EXPECT_EQ(mrOk, dialog->ShowModal());
  EXPECT_TRUE(driver.AtEnd());
  EXPECT_NO_THROW(driver.CheckFinished());
  EXPECT_EQ("create show(visible) click(orders) change(orders) listenter listclick(1) listclick(2) quote(on) generate "
            "type(1) memoexit selectall(FieldList) listenter listclick(2) ok closequery ok closequery",
            dialog->LogText());
  EXPECT_EQ("insert", dialog->SQLMemo->Text());
  EXPECT_EQ(2u, driver.Messages().size());
}

TEST(TScriptedModalDriver, LinesLeftOverAreReported) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  TScriptedModalDriver driver("click CancelButton\n# next\nclick OkButton\n", "left.script");
  TModalDriverGuard guard(driver);
  EXPECT_EQ(mrCancel, dialog->ShowModal());
  EXPECT_TRUE(TestSupport::Raises<EScriptError>([&] { driver.CheckFinished(); },
                                                "left.script:3: this line was not used: no dialog was open"));
}

TEST(TScriptedModalDriver, AScriptThatLeavesTheDialogOpenFailsAndNamesIt) {
  auto check = [](const char* script) {
    auto dialog = CreateForm<TTestDialog>(&Application());
    TScriptedModalDriver driver(script, "open.script");
    TModalDriverGuard guard(driver);
    EXPECT_TRUE(TestSupport::Raises<EScriptError>(
        [&] { dialog->ShowModal(); },
        "open.script: the script ended while the dialog TestDialog (" + dialog->Caption() + ") was still open"))
        << script;
    EXPECT_FALSE(dialog->Visible());
    EXPECT_NE(std::string::npos, dialog->LogText().find("show")) << "the dialog ran";
  };
  check("");
  check("pick TableName orders\n");
}
