#include "ComponentCommands.h"

#include "CommandSupport.h"
#include "FormSession.h"

#include "classes/TComponent.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignTools.h"
#include "rtl/JsonWriter.h"

#include <cctype>
#include <charconv>
#include <ostream>
#include <stdexcept>

namespace {

int ParseInt(const std::string& text) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) throw std::invalid_argument("'" + text + "' is not a number");
  return value;
}

// What the command did, the session's notes and the files it wrote.
void Report(TDesignToolContext& ctx, TDesignSession& session, const char* action, const std::vector<std::string>& lines,
            const std::vector<std::string>& saved) {
  std::vector<std::string> notes = session.TakeNotes();
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject().Key(action).BeginArray();
    for (const std::string& line : lines) json.String(line);
    json.EndArray().Key("notes").BeginArray();
    for (const std::string& note : notes) json.String(note);
    json.EndArray().Key("saved").BeginArray();
    for (const std::string& file : saved) json.String(file);
    json.EndArray().EndObject();
    *ctx.Out << "\n";
    return;
  }
  for (const std::string& line : lines) *ctx.Out << action << " " << line << "\n";
  for (const std::string& note : notes) *ctx.Err << "note: " << note << "\n";
  for (const std::string& file : saved) *ctx.Out << "saved " << file << "\n";
}

// A further form file to open, not a component name: a name with a path or
// a form file's extension.
bool IsFormFile(const std::string& word) {
  if (word.find('/') != std::string::npos) return true;
  if (word.size() < 4) return false;
  std::string ext = word.substr(word.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".dfm";
}

// FORM first, then the further forms among the words, in order.
std::vector<std::string> Files(const std::vector<std::string>& words, std::vector<std::string>& rest) {
  std::vector<std::string> files{words[0]};
  for (size_t i = 1; i < words.size(); ++i) (IsFormFile(words[i]) ? files : rest).push_back(words[i]);
  return files;
}

struct TAddArgs {
  TDropOptions Options;
  std::vector<std::string> Words;
};

void DeclareAdd(TCommandLine& line, TAddArgs& a) {
  TDropOptions& o = a.Options;
  line.Option("--name", "NAME", "the new component's name", [&o](const std::string& v) { o.Name = v; })
      .Option("--left", "X", "the design position's left", [&o](const std::string& v) { o.Left = ParseInt(v); })
      .Option("--top", "Y", "the design position's top", [&o](const std::string& v) { o.Top = ParseInt(v); })
      .Option("--parent", "NAME", "the dataset of a new field, the container of a new control", [&o](const std::string& v) { o.Parent = v; })
      .Words("FORM CLASS [FORM...]", a.Words);
}

int RunAdd(TDesignToolContext& ctx, TAddArgs& a) {
  if (a.Words.empty()) throw EUsageError("give a form file and a component class");
  std::vector<std::string> rest;
  std::vector<std::string> files = Files(a.Words, rest);
  if (rest.size() != 1) throw EUsageError("give one component class");
  TFormSession forms(files);
  TDesignSession& session = forms.Session();
  TComponent& made = session.AddComponent(forms.Main(), rest[0], a.Options);
  std::string line = made.Name() + ": " + made.ClassName();
  Report(ctx, session, "added", {line}, session.Save());
  return 0;
}

struct TWordsArgs {
  std::vector<std::string> Words;
};

int RunRename(TDesignToolContext& ctx, TWordsArgs& a) {
  std::vector<std::string> names;
  std::vector<std::string> files = a.Words.empty() ? std::vector<std::string>{} : Files(a.Words, names);
  if (names.size() != 2) throw EUsageError("give a form file, a component and its new name");
  TFormSession forms(files);
  TDesignSession& session = forms.Session();
  TComponent& component = session.FindComponent(forms.Main(), names[0]);
  std::string oldName = component.Name();
  std::vector<std::string> lines;
  if (&component == forms.Main().Root()) {
    std::string oldClass = component.ClassName();
    std::vector<std::string> unitLines = session.RenameRoot(forms.Main(), names[1]);
    lines.push_back(oldName + " to " + component.Name());
    if (component.ClassName() != oldClass) lines.push_back(oldClass + " to " + component.ClassName());
    for (const std::string& at : unitLines) lines.push_back("in " + at);
  } else {
    std::vector<std::string> codeLines = session.RenameComponent(forms.Main(), component, names[1]);
    lines.push_back(oldName + " to " + component.Name());
    for (const std::string& at : codeLines) lines.push_back("in " + at);
  }
  Report(ctx, session, "renamed", lines, session.Save());
  return 0;
}

int RunDelete(TDesignToolContext& ctx, TWordsArgs& a) {
  std::vector<std::string> words;
  std::vector<std::string> files = a.Words.empty() ? std::vector<std::string>{} : Files(a.Words, words);
  if (words.empty()) throw EUsageError("give a form file and the components to delete");
  TFormSession forms(files);
  TDesignSession& session = forms.Session();
  std::vector<TComponent*> components;
  for (const std::string& word : words)
    for (const std::string& name : SplitNames(word)) components.push_back(&session.FindComponent(forms.Main(), name));
  std::vector<std::string> deleted = session.DeleteComponents(forms.Main(), components);
  Report(ctx, session, "deleted", deleted, session.Save());
  return 0;
}

} // namespace

TDesignTool AddCommand() {
  return DeclaredTool<TAddArgs>(
      "add",
      "Drops a component of CLASS on FORM, owned by the form, named as designers\n"
      "name a dropped component (TQuelmTable: QuelmTable1, then QuelmTable2) unless\n"
      "--name gives a name, at the design position --left/--top. --parent puts a\n"
      "field in a dataset, and a control in a panel, group box or page (Left and\n"
      "Top then count from the container); a control without --parent sits on the\n"
      "form. When FORM.pas lies beside the form, its form class gets\n"
      "the field declaration and its interface uses clause the class's unit.\n"
      "Further FORMs (words ending in .dfm or holding a '/') are opened with it.\n",
      DeclareAdd, RunAdd);
}

TDesignTool RenameCommand() {
  return DeclaredTool<TWordsArgs>(
      "rename",
      "Renames component NAME of FORM. References to it in every open form follow\n"
      "(open the forms that refer to it as further FORMs), and so do its field\n"
      "declaration in the unit beside FORM and its mentions in the code of the form\n"
      "class's methods (\"Query1.Open\", not strings, comments or Other.Query1),\n"
      "whose lines are listed. A name that is no identifier, or that\n"
      "another component has, is refused and nothing is written. Components\n"
      "inherited from an ancestor form or frame cannot be renamed.\n"
      "NAME may be the form itself: a class named T and the old name follows\n"
      "(TForm1 to TOrders), in the unit too with the form's global variable, its\n"
      "methods' headings and the open descendant forms' units; a class name the\n"
      "unit declares already is refused. The unit lines changed are listed.\n",
      [](TCommandLine& line, TWordsArgs& a) { line.Words("FORM NAME NEWNAME [FORM...]", a.Words); }, RunRename);
}

TDesignTool DeleteCommand() {
  return DeclaredTool<TWordsArgs>(
      "delete",
      "Deletes the components with the components they hold (a dataset's fields).\n"
      "References to them in every open form are cleared, and their field\n"
      "declarations leave the unit beside FORM. Components inherited from an\n"
      "ancestor form or frame cannot be deleted; then nothing is deleted.\n",
      [](TCommandLine& line, TWordsArgs& a) { line.Words("FORM NAME... [FORM...]", a.Words); }, RunDelete);
}
