#include "ComponentCommands.h"

#include "CommandSupport.h"
#include "FormSession.h"

#include "classes/TComponent.h"
#include "designhost/DesignTools.h"
#include "rtl/JsonWriter.h"

#include <cctype>
#include <charconv>
#include <ostream>
#include <stdexcept>

namespace {

int ParseInt(const std::string& option, const std::string& text) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) throw std::invalid_argument(option + " needs a number");
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

} // namespace

int RunAddCommand(TDesignToolContext& ctx) {
  std::vector<std::string> words;
  TDropOptions options;
  try {
    for (size_t i = 0; i < ctx.Args.size(); ++i) {
      const std::string& a = ctx.Args[i];
      bool valued = a == "--name" || a == "--left" || a == "--top" || a == "--parent";
      if (!valued) {
        if (a.rfind("--", 0) == 0) throw std::invalid_argument("unknown option " + a);
        words.push_back(a);
        continue;
      }
      if (i + 1 >= ctx.Args.size()) throw std::invalid_argument(a + " needs a value");
      const std::string& value = ctx.Args[++i];
      if (a == "--name") options.Name = value;
      else if (a == "--parent") options.Parent = value;
      else if (a == "--left") options.Left = ParseInt(a, value);
      else options.Top = ParseInt(a, value);
    }
    if (words.empty()) throw std::invalid_argument("give a form file and a component class");
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "add: " << e.what() << "\n" << AddUsage;
    return 2;
  }
  std::vector<std::string> rest;
  std::vector<std::string> files = Files(words, rest);
  if (rest.size() != 1) {
    *ctx.Err << "add: give one component class\n" << AddUsage;
    return 2;
  }
  TFormSession forms(files);
  TDesignSession& session = forms.Session();
  TComponent& made = session.AddComponent(forms.Main(), rest[0], options);
  std::string line = made.Name() + ": " + made.ClassName();
  Report(ctx, session, "added", {line}, session.Save());
  return 0;
}

int RunRenameCommand(TDesignToolContext& ctx) {
  std::vector<std::string> names;
  std::vector<std::string> files = ctx.Args.empty() ? std::vector<std::string>{} : Files(ctx.Args, names);
  if (names.size() != 2) {
    *ctx.Err << RenameUsage;
    return 2;
  }
  TFormSession forms(files);
  TDesignSession& session = forms.Session();
  TComponent& component = session.FindComponent(forms.Main(), names[0]);
  std::string oldName = component.Name();
  session.RenameComponent(forms.Main(), component, names[1]);
  Report(ctx, session, "renamed", {oldName + " to " + component.Name()}, session.Save());
  return 0;
}

int RunDeleteCommand(TDesignToolContext& ctx) {
  std::vector<std::string> words;
  std::vector<std::string> files = ctx.Args.empty() ? std::vector<std::string>{} : Files(ctx.Args, words);
  if (words.empty()) {
    *ctx.Err << DeleteUsage;
    return 2;
  }
  TFormSession forms(files);
  TDesignSession& session = forms.Session();
  std::vector<TComponent*> components;
  for (const std::string& word : words)
    for (const std::string& name : SplitNames(word)) components.push_back(&session.FindComponent(forms.Main(), name));
  std::vector<std::string> deleted = session.DeleteComponents(forms.Main(), components);
  Report(ctx, session, "deleted", deleted, session.Save());
  return 0;
}
