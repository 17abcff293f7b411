#pragma once
// A modal driver that plays a script of a person's operations, one a line:
//
//   # a comment line; blank lines are skipped
//   click OkButton                 a button, check box, tab sheet or other control
//   dblclick TableList CUSTOMER    double-click a list item (or, without an item, a control)
//   select KeyFieldList id name    exactly these items end selected
//   select KeyFieldList #0 #2      the same by index
//   deselect KeyFieldList name     ctrl-click selected items off
//   pick UpdateTableName customer  an entry of a combo box's drop-down list
//   type SQLMemo "select *\n"      typed at the caret ("\n" is Enter, also \t \" \\)
//   clear SQLMemo                  select the whole text and delete it
//   caret SQLMemo 12               click into the text (a byte position, or end)
//   key SQLMemo Escape             Escape Enter Tab Backspace Space, Ctrl+A, Ctrl+Enter,
//                                  Shift+Tab, Alt+G (an accelerator), or one character
//   tick QuoteFields               untick QuoteFields
//   radio StatementType Insert     a radio item by caption (or #index)
//   page SQLPage                   click a page's tab
//   popup KeyFieldList miSelectAll choose an item of the control's popup menu
//   drag TableFieldsSplitter 60    drag a splitter to a new size
//   focus KeyFieldList             move the focus
//   close                          the window's close box
//   answer Yes                     the message box showing: Yes No OK Cancel Abort
//                                  Retry Ignore All NoToAll YesToAll
//   file "/etc/ssl/cert.pem"       the name chosen in a file-open dialog
//   file-cancel                    cancel a file-open dialog
//
// Names are bare words; an argument with blanks or quotes is written in
// double quotes. The whole script is checked when it is read; an error names
// "file:line:column: message". At run time each modal form plays the lines
// that follow until it closes; a message box or file dialog takes the next
// line, which must answer it. Errors at run time name "file:line: message".
// A form still open when the script ends is an error that names it.
#include "forms/TModalDriver.h"

#include <string>
#include <string_view>
#include <vector>

class TFormUser;

// A script error that already names its place.
QUELM_EXCEPTION_CLASS(EScriptError, EModalDriverError)

struct TScriptStep {
  int Line = 0;
  std::string Command;
  std::vector<std::string> Args;
};

class TScriptedModalDriver : public TModalDriver {
public:
  // Raises EScriptError for a script that cannot be read.
  TScriptedModalDriver(std::string_view script, std::string fileName);
  // Reads the script from a file; raises EInOutError when it cannot be read.
  static std::unique_ptr<TScriptedModalDriver> FromFile(const std::string& path);

  const std::vector<TScriptStep>& Steps() const { return FSteps; }
  bool AtEnd() const { return FNext >= FSteps.size(); }
  // Raises EScriptError "file:line: this line was not used" when lines are left.
  void CheckFinished() const;

  void Run(TFormUser& user) override;

  static std::vector<TScriptStep> Parse(std::string_view script, const std::string& fileName);

protected:
  TModalResult DoAnswer(const TMessageBoxInfo& box) override;
  std::optional<std::string> DoChooseFile(const TOpenDialog& dialog) override;

private:
  std::string Where(const TScriptStep& step) const;
  void Execute(TFormUser& user, const TScriptStep& step);

  std::string FFileName;
  std::vector<TScriptStep> FSteps;
  size_t FNext = 0;
};

// The key a script names: its character code and the modifiers held.
struct TScriptKey {
  char Key = 0;
  TShiftState Shift;
};
// False for a name that is no key.
bool ParseScriptKey(std::string_view name, TScriptKey& key);
// mrNone for a name that is no answer.
TModalResult ParseScriptAnswer(std::string_view name);
