#pragma once
// Edit controls: a text with a caret and a selection, and the modified flag
// of the platform's edit control: setting the whole text (loading) clears
// it, the user's typing sets it, and code may set or clear it. OnChange
// fires whenever the text changes, except while it is read from a form
// definition. Positions count bytes from the start of the text; lines are
// separated by a single line feed.
#include "forms/TWinControl.h"

#include <string>

struct TCaretPos {
  int X = 0;  // column
  int Y = 0;  // line
};

class TCustomEdit : public TWinControl {
  QUELM_CLASS(TCustomEdit, TWinControl)

public:
  explicit TCustomEdit(TComponent* owner);

  bool Modified() const { return FModified; }
  void SetModified(bool modified) { FModified = modified; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int length) { FMaxLength = length; }

  int SelStart() const { return FSelStart; }
  // Moves the caret and empties the selection; clamped to the text.
  void SetSelStart(int start);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int length);
  std::string SelText() const;
  // Replaces the selection and puts the caret after the new text.
  void SetSelText(const std::string& text);
  void SelectAll();
  TCaretPos CaretPos() const;

  // Loads a text: the caret goes to the start and the modified flag clears.
  void SetText(const std::string& text) override;

  // What typing a character does once the key-press handlers let it through:
  // printable characters (and tabs, and line feeds in a memo; a carriage
  // return counts as a line feed) replace the selection,
  // Backspace removes the selection or the character before the caret. The
  // modified flag is set when the text changed. Other control characters do
  // nothing. Read-only edits ignore typing.
  void TypeChar(char c);
  // The user edited the text in a native edit control, which now holds text
  // with the caret at selStart: the model takes the change as typing does
  // (modified flag, OnChange), without re-checking what the control allowed.
  void UserEdited(const std::string& text, int selStart);
  // The user moved the caret or the selection in a native edit control.
  void UserSelected(int selStart, int selLength);

  TNotifyEvent OnChange;

protected:
  void TextChanged() override;
  // Replaces bytes [start, start+length) and fires the change; byUser sets
  // the modified flag before the change fires.
  void ReplaceRange(int start, int length, const std::string& text, bool byUser);
  virtual bool IsMultiLine() const { return false; }

private:
  bool FModified = false;
  bool FReadOnly = false;
  int FMaxLength = 0;
  int FSelStart = 0;
  int FSelLength = 0;
};

// A one-line edit: Enter and Escape go to the form's default and cancel buttons.
class TEdit : public TCustomEdit {
  QUELM_CLASS(TEdit, TCustomEdit)

public:
  explicit TEdit(TComponent* owner);

  // The character shown for each character of the text (a password's
  // edit); empty: the text shows as it is.
  const std::string& PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(const std::string& c) { FPasswordChar = c; }

private:
  std::string FPasswordChar;
};

// Line breaks of any kind (CR LF, CR, LF) become single line feeds.
std::string NormalizeLineBreaks(std::string_view text);
