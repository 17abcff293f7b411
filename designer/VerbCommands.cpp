#include "VerbCommands.h"

#include "ScriptUsage.h"

#include "ConnectionOptions.h"
#include "CommandSupport.h"
#include "FormSession.h"
#include "ServerCheck.h"

#include "classes/TComponent.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "forms/TModalDriver.h"
#include "forms/TScriptedModalDriver.h"
#include "rtl/JsonWriter.h"

#include <charconv>
#include <ostream>

namespace {

bool ParseIndex(const std::string& text, int& index) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
  return ec == std::errc() && ptr == text.data() + text.size() && index >= 0;
}

struct TVerbsArgs {
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareVerbs(TCommandLine& line, TVerbsArgs& a) {
  line.Words("FORM COMPONENT", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunVerbs(TDesignToolContext& ctx, TVerbsArgs& a) {
  const std::vector<std::string>& args = a.Words;
  const TConnectionOptions& connection = a.Connection;
  if (args.size() != 2) throw EUsageError("give a form file and a component");
  TFormSession session({args[0]});
  TComponent& component = session.FindComponent(args[1]);
  TConnectionOverride override(connection, session.Modules());
  auto editor = TDesignRegistry::Instance().GetComponentEditor(&component, &session.Designer());
  int count = editor->GetVerbCount();
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject()
        .Member("component", component.Name())
        .Member("class", component.ClassName())
        .Member("editor", editor->ClassName())
        .Key("verbs")
        .BeginArray();
    for (int i = 0; i < count; ++i) json.BeginObject().Key("index").Int(i).Member("text", editor->GetVerb(i)).EndObject();
    json.EndArray().EndObject();
    *ctx.Out << "\n";
    return 0;
  }
  for (int i = 0; i < count; ++i) *ctx.Out << i << "  " << editor->GetVerb(i) << "\n";
  return 0;
}

struct TVerbArgs {
  std::string ScriptFile;
  bool Check = false;
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareVerb(TCommandLine& line, TVerbArgs& a) {
  line.Option("--script", a.ScriptFile, "FILE", "plays the dialogs the verb opens")
      .Flag("--check", a.Check, "presses Check on Server in each dialog that has it")
      .Words("FORM COMPONENT INDEX", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunVerb(TDesignToolContext& ctx, TVerbArgs& a) {
  const std::vector<std::string>& words = a.Words;
  const std::string& scriptFile = a.ScriptFile;
  const TConnectionOptions& connection = a.Connection;
  const bool check = a.Check;
  int index = 0;
  if (words.size() != 3) throw EUsageError("give a form file, a component and a verb index");
  if (!ParseIndex(words[2], index)) throw EUsageError("the verb index is a number from 0, not " + words[2]);
  std::unique_ptr<TModalDriver> driver;
  if (!scriptFile.empty()) driver = TScriptedModalDriver::FromFile(scriptFile);
  else driver = std::make_unique<TCancelModalDriver>();
  std::unique_ptr<TCheckingModalDriver> checking;
  if (check) checking = std::make_unique<TCheckingModalDriver>(*driver);
  TModalDriver& played = checking ? static_cast<TModalDriver&>(*checking) : *driver;

  TFormSession session({words[0]});
  TComponent& component = session.FindComponent(words[1]);
  // The verb's text as the menu shows it once the connection options took effect.
  TConnectionOverride override(connection, session.Modules());
  std::string verb;
  {
    TModalDriverGuard guard(played);
    try {
      verb = session.Session().ExecuteVerb(component, index);
    } catch (...) {
      PrintMessages(ctx, played);
      throw;
    }
  }
  PrintMessages(ctx, played);
  if (auto* scripted = dynamic_cast<TScriptedModalDriver*>(driver.get())) scripted->CheckFinished();
  std::vector<std::string> forThisRun = session.Session().OpenedForThisRun();
  override.Restore();
  std::vector<std::string> saved = session.SaveModified();
  const std::vector<TServerCheckAnswer> answers = checking ? checking->Answers() : std::vector<TServerCheckAnswer>();
  bool refused = false;
  for (const TServerCheckAnswer& answer : answers) refused = refused || answer.Failed();
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject().Member("verb", verb).Member("modified", !saved.empty()).Key("saved").BeginArray();
    for (const std::string& file : saved) json.String(file);
    json.EndArray().Key("forThisRun").BeginArray();
    for (const std::string& line : forThisRun) json.String(line);
    json.EndArray();
    if (check) {
      json.Key("check").BeginArray();
      for (const TServerCheckAnswer& answer : answers)
        for (const std::string& line : answer.Lines) json.String(line);
      json.EndArray();
    }
    json.EndObject();
    *ctx.Out << "\n";
  } else {
    *ctx.Out << verb << "\n";
    for (const std::string& line : forThisRun) *ctx.Out << line << "\n";
    for (const TServerCheckAnswer& answer : answers) PrintServerCheck(*ctx.Out, answer);
    for (const std::string& file : saved) *ctx.Out << "saved " << file << "\n";
    if (saved.empty()) *ctx.Out << "the form did not change\n";
  }
  if (check && answers.empty()) {
    *ctx.Err << "verb: " << verb << " opened no dialog with a server check\n";
    return 1;
  }
  return refused ? 1 : 0;
}

} // namespace

TDesignTool VerbsCommand() {
  return DeclaredTool<TVerbsArgs>("verbs",
                                  "Lists the context-menu verbs that COMPONENT's component editor offers,\n"
                                  "with their indexes, as the menu shows them now.\n",
                                  DeclareVerbs, RunVerbs);
}

TDesignTool VerbCommand() {
  return DeclaredTool<TVerbArgs>(
      "verb",
      std::string("Executes verb INDEX of COMPONENT's component editor. The form file is saved\n"
                  "when its bytes changed; a connection or dataset the verb opens is open for\n"
                  "this run only, and the command says so. Message boxes shown are printed.\n"
                  "--check presses Check on Server in each dialog that has it as the dialog opens,\n"
                  "before the script plays it, prints the server's answer per statement and\n"
                  "exits with 1 when the server refused one.\n\n") +
          ScriptOperationsUsage,
      DeclareVerb, RunVerb);
}
