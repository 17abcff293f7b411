#include "forms/TScriptedModalDriver.h"

#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {
struct TCommandShape {
  const char* Name;
  int MinArgs;
  int MaxArgs;  // -1: any number
  const char* Usage;
};

// The commands and the arguments each takes.
const TCommandShape Commands[] = {
    {"click", 1, 1, "click CONTROL"},
    {"dblclick", 1, 2, "dblclick CONTROL [ITEM]"},
    {"select", 2, -1, "select LIST ITEM..."},
    {"deselect", 2, -1, "deselect LIST ITEM..."},
    {"pick", 2, 2, "pick COMBO ITEM"},
    {"type", 2, 2, "type CONTROL TEXT"},
    {"clear", 1, 1, "clear CONTROL"},
    {"caret", 2, 2, "caret CONTROL POSITION"},
    {"key", 2, 2, "key CONTROL KEY"},
    {"tick", 1, 1, "tick CHECKBOX"},
    {"untick", 1, 1, "untick CHECKBOX"},
    {"radio", 2, 2, "radio GROUP ITEM"},
    {"page", 1, 1, "page SHEET"},
    {"popup", 2, 2, "popup CONTROL ITEM"},
    {"drag", 2, 2, "drag SPLITTER SIZE"},
    {"focus", 1, 1, "focus CONTROL"},
    {"close", 0, 0, "close"},
    {"answer", 1, 1, "answer BUTTON"},
    {"file", 1, 1, "file PATH"},
    {"file-cancel", 0, 0, "file-cancel"},
};

const TCommandShape* FindCommand(std::string_view name) {
  for (const TCommandShape& shape : Commands)
    if (name == shape.Name) return &shape;
  return nullptr;
}

bool ParseInt(std::string_view text, int& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "#n": an item by index.
bool IsIndexArg(std::string_view arg, int& index) {
  return arg.size() > 1 && arg[0] == '#' && ParseInt(arg.substr(1), index) && index >= 0;
}

struct TToken {
  std::string Text;
  int Column = 0;
  bool Quoted = false;
};

// A line's tokens: bare words up to a blank, or double-quoted strings with
// the escapes \" \\ \n \t.
std::vector<TToken> Tokenize(std::string_view line, const std::string& where) {
  std::vector<TToken> tokens;
  size_t i = 0;
  auto fail = [&](size_t column, const std::string& message) {
    throw EScriptError(Format("%s:%d: %s", {where, static_cast<int>(column + 1), message}));
  };
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    TToken token;
    token.Column = static_cast<int>(i + 1);
    if (line[i] == '"') {
      token.Quoted = true;
      size_t start = i++;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          token.Text += c;
          continue;
        }
        if (i >= line.size()) break;
        char e = line[i++];
        switch (e) {
        case 'n': token.Text += '\n'; break;
        case 't': token.Text += '\t'; break;
        case '"': token.Text += '"'; break;
        case '\\': token.Text += '\\'; break;
        default: fail(i - 2, Format("unknown escape '\\%s'", {std::string(1, e)}));
        }
      }
      if (!closed) fail(start, "unterminated string");
      if (i < line.size() && line[i] != ' ' && line[i] != '\t') fail(i, "expected a blank after the string");
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
        if (line[i] == '"') fail(i, "unexpected quote inside a word");
        token.Text += line[i++];
      }
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

void CheckArgs(const TScriptStep& step, const std::vector<TToken>& tokens, const std::string& where) {
  auto fail = [&](const TToken& token, const std::string& message) {
    throw EScriptError(Format("%s:%d: %s", {where, token.Column, message}));
  };
  const std::string& c = step.Command;
  if (c == "select" || c == "deselect") {
    int index = 0, indexes = 0;
    for (size_t i = 2; i < tokens.size(); ++i)
      if (!tokens[i].Quoted && IsIndexArg(tokens[i].Text, index)) ++indexes;
    if (indexes != 0 && indexes != static_cast<int>(tokens.size()) - 2)
      fail(tokens[2], "give the items either all by text or all by #index");
    if (c == "deselect" && indexes != 0) fail(tokens[2], "deselect takes items by text");
  } else if (c == "caret") {
    int position = 0;
    if (!SameText(tokens[2].Text, "end") && (!ParseInt(tokens[2].Text, position) || position < 0))
      fail(tokens[2], Format("expected a position or 'end', found '%s'", {tokens[2].Text}));
  } else if (c == "drag") {
    int size = 0;
    if (!ParseInt(tokens[2].Text, size)) fail(tokens[2], Format("expected a size, found '%s'", {tokens[2].Text}));
  } else if (c == "key") {
    TScriptKey key;
    if (!ParseScriptKey(tokens[2].Text, key)) fail(tokens[2], Format("unknown key '%s'", {tokens[2].Text}));
  } else if (c == "answer") {
    if (ParseScriptAnswer(tokens[1].Text) == mrNone)
      fail(tokens[1], Format("unknown answer '%s' (Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll)",
                             {tokens[1].Text}));
  }
}
} // namespace

bool ParseScriptKey(std::string_view name, TScriptKey& key) {
  key = TScriptKey{};
  std::string_view rest = name;
  for (;;) {
    if (rest.size() > 5 && SameText(rest.substr(0, 5), "Ctrl+")) {
      key.Shift.Include(TShiftStateFlag::ssCtrl);
      rest.remove_prefix(5);
    } else if (rest.size() > 6 && SameText(rest.substr(0, 6), "Shift+")) {
      key.Shift.Include(TShiftStateFlag::ssShift);
      rest.remove_prefix(6);
    } else if (rest.size() > 4 && SameText(rest.substr(0, 4), "Alt+")) {
      key.Shift.Include(TShiftStateFlag::ssAlt);
      rest.remove_prefix(4);
    } else {
      break;
    }
  }
  bool ctrl = key.Shift.Contains(TShiftStateFlag::ssCtrl);
  if (SameText(rest, "Escape") || SameText(rest, "Esc")) key.Key = KeyChar::Escape;
  // Ctrl+Enter types a line feed rather than a carriage return.
  else if (SameText(rest, "Enter") || SameText(rest, "Return")) key.Key = ctrl ? KeyChar::LineFeed : KeyChar::Enter;
  else if (SameText(rest, "Tab")) key.Key = KeyChar::Tab;
  else if (SameText(rest, "Backspace")) key.Key = KeyChar::Backspace;
  else if (SameText(rest, "Space")) key.Key = ' ';
  else if (rest.size() == 1 && static_cast<unsigned char>(rest[0]) > ' ') {
    char c = rest[0];
    bool letter = (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    // Ctrl with a letter types that letter's control code (Ctrl+A is 1).
    if (ctrl && letter) key.Key = static_cast<char>((c | 0x20) - 'a' + 1);
    else if (ctrl) return false;
    else key.Key = c;
  } else {
    return false;
  }
  return true;
}

TModalResult ParseScriptAnswer(std::string_view name) {
  struct TName {
    const char* Text;
    TModalResult Result;
  };
  static const TName names[] = {{"Yes", mrYes},     {"No", mrNo},       {"OK", mrOk},           {"Cancel", mrCancel},
                                {"Abort", mrAbort}, {"Retry", mrRetry}, {"Ignore", mrIgnore},   {"All", mrAll},
                                {"NoToAll", mrNoToAll}, {"YesToAll", mrYesToAll}};
  for (const TName& n : names)
    if (SameText(name, n.Text)) return n.Result;
  return mrNone;
}

std::vector<TScriptStep> TScriptedModalDriver::Parse(std::string_view script, const std::string& fileName) {
  std::vector<TScriptStep> steps;
  int lineNumber = 0;
  size_t start = 0;
  while (start <= script.size()) {
    size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    std::string_view line = script.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber;
    start = end + 1;
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') {
      if (end == script.size()) break;
      continue;
    }
    std::string where = Format("%s:%d", {fileName, lineNumber});
    std::vector<TToken> tokens = Tokenize(line, where);
    const TCommandShape* shape = tokens[0].Quoted ? nullptr : FindCommand(tokens[0].Text);
    if (!shape) throw EScriptError(Format("%s:%d: unknown command '%s'", {where, tokens[0].Column, tokens[0].Text}));
    int args = static_cast<int>(tokens.size()) - 1;
    if (args < shape->MinArgs || (shape->MaxArgs >= 0 && args > shape->MaxArgs))
      throw EScriptError(Format("%s:%d: usage: %s", {where, tokens[0].Column, shape->Usage}));
    TScriptStep step;
    step.Line = lineNumber;
    step.Command = shape->Name;
    for (size_t i = 1; i < tokens.size(); ++i) step.Args.push_back(tokens[i].Text);
    CheckArgs(step, tokens, where);
    steps.push_back(std::move(step));
    if (end == script.size()) break;
  }
  return steps;
}

TScriptedModalDriver::TScriptedModalDriver(std::string_view script, std::string fileName)
    : FFileName(std::move(fileName)), FSteps(Parse(script, FFileName)) {}

std::unique_ptr<TScriptedModalDriver> TScriptedModalDriver::FromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError(Format("Cannot open file \"%s\"", {path}));
  std::ostringstream text;
  text << in.rdbuf();
  return std::make_unique<TScriptedModalDriver>(text.str(), path);
}

std::string TScriptedModalDriver::Where(const TScriptStep& step) const {
  return Format("%s:%d", {FFileName, step.Line});
}

void TScriptedModalDriver::CheckFinished() const {
  if (!AtEnd()) throw EScriptError(Where(FSteps[FNext]) + ": this line was not used: no dialog was open");
}

void TScriptedModalDriver::Run(TFormUser& user) {
  while (!AtEnd() && !user.IsClosed()) {
    const TScriptStep& step = FSteps[FNext];
    if (step.Command == "answer" || step.Command == "file" || step.Command == "file-cancel")
      throw EScriptError(Where(step) + ": '" + step.Command + "' but no " +
                         (step.Command == "answer" ? "message box" : "file dialog") + " is showing");
    ++FNext;
    try {
      Execute(user, step);
    } catch (const EScriptError&) {
      throw;
    } catch (const EModalDriverError& e) {
      throw EScriptError(Where(step) + ": " + e.Message());
    }
  }
  // A script that stops short of closing the dialog would otherwise count
  // as Cancel and hide that the run did not end as written.
  if (!user.IsClosed()) {
    const TForm& form = user.Form();
    std::string name = form.Name().empty() ? form.ClassName() : form.Name();
    throw EScriptError(FFileName + ": the script ended while the dialog " + name + " (" + form.Caption() +
                       ") was still open");
  }
}

void TScriptedModalDriver::Execute(TFormUser& user, const TScriptStep& step) {
  const std::string& c = step.Command;
  const auto& a = step.Args;
  int number = 0;
  if (c == "click") user.Click(a[0]);
  else if (c == "dblclick") {
    if (a.size() == 1) user.DoubleClick(a[0]);
    else user.DoubleClickItem(a[0], a[1]);
  } else if (c == "select") {
    std::vector<std::string> items(a.begin() + 1, a.end());
    if (IsIndexArg(items[0], number)) {
      std::vector<int> indexes;
      for (const std::string& item : items) {
        IsIndexArg(item, number);
        indexes.push_back(number);
      }
      user.SelectIndexes(a[0], indexes);
    } else {
      user.SelectItems(a[0], items);
    }
  } else if (c == "deselect") user.DeselectItems(a[0], std::vector<std::string>(a.begin() + 1, a.end()));
  else if (c == "pick") {
    if (IsIndexArg(a[1], number)) user.PickIndex(a[0], number);
    else user.Pick(a[0], a[1]);
  } else if (c == "type") user.Type(a[0], a[1]);
  else if (c == "clear") user.ClearText(a[0]);
  else if (c == "caret") user.PlaceCaret(a[0], SameText(a[1], "end") ? -1 : (ParseInt(a[1], number), number));
  else if (c == "key") {
    TScriptKey key;
    ParseScriptKey(a[1], key);
    user.PressKey(a[0], key.Key, key.Shift);
  } else if (c == "tick") user.Tick(a[0]);
  else if (c == "untick") user.Untick(a[0]);
  else if (c == "radio") {
    if (IsIndexArg(a[1], number)) user.ClickRadioIndex(a[0], number);
    else user.ClickRadio(a[0], a[1]);
  } else if (c == "page") user.SwitchPage(a[0]);
  else if (c == "popup") user.ChoosePopupItem(a[0], a[1]);
  else if (c == "drag") {
    ParseInt(a[1], number);
    user.DragSplitter(a[0], number);
  } else if (c == "focus") user.Focus(a[0]);
  else if (c == "close") user.CloseWindow();
}

TModalResult TScriptedModalDriver::DoAnswer(const TMessageBoxInfo& box) {
  std::string shown = Format("a message box \"%s\" (%s) is showing", {box.Text, box.ButtonList()});
  if (AtEnd()) {
    std::string where = FSteps.empty() ? FFileName : Where(FSteps.back());
    throw EScriptError(where + ": " + shown + " after the end of the script");
  }
  const TScriptStep& step = FSteps[FNext];
  if (step.Command != "answer")
    throw EScriptError(Where(step) + ": " + shown + "; expected 'answer', found '" + step.Command + "'");
  ++FNext;
  TModalResult answer = ParseScriptAnswer(step.Args[0]);
  if (!box.Offers(answer))
    throw EScriptError(Where(step) + ": the message box offers " + box.ButtonList() + ", not " + step.Args[0]);
  return answer;
}

std::optional<std::string> TScriptedModalDriver::DoChooseFile(const TOpenDialog&) {
  if (AtEnd()) {
    std::string where = FSteps.empty() ? FFileName : Where(FSteps.back());
    throw EScriptError(where + ": a file dialog is showing after the end of the script");
  }
  const TScriptStep& step = FSteps[FNext];
  if (step.Command != "file" && step.Command != "file-cancel")
    throw EScriptError(Where(step) + ": a file dialog is showing; expected 'file' or 'file-cancel', found '" +
                       step.Command + "'");
  ++FNext;
  if (step.Command == "file-cancel") return std::nullopt;
  return step.Args[0];
}
