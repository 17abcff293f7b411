#include "VerbCommands.h"

#include "ConnectionOptions.h"
#include "CommandSupport.h"
#include "FormSession.h"

#include "classes/TComponent.h"
#include "designhost/DesignRegistry.h"
#include "forms/TModalDriver.h"
#include "forms/TScriptedModalDriver.h"
#include "rtl/JsonWriter.h"

#include <charconv>
#include <ostream>
#include <stdexcept>

namespace {

bool ParseIndex(const std::string& text, int& index) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
  return ec == std::errc() && ptr == text.data() + text.size() && index >= 0;
}

} // namespace

int RunVerbsCommand(TDesignToolContext& ctx) {
  std::vector<std::string> args = ctx.Args;
  TConnectionOptions connection;
  if (!TakeCommandConnection(ctx, "verbs", VerbsUsage, args, connection)) return 2;
  if (args.size() != 2) {
    *ctx.Err << VerbsUsage << ConnectionOptionsUsage;
    return 2;
  }
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

int RunVerbCommand(TDesignToolContext& ctx) {
  std::vector<std::string> args = ctx.Args;
  TConnectionOptions connection;
  if (!TakeCommandConnection(ctx, "verb", VerbUsage.c_str(), args, connection)) return 2;
  std::vector<std::string> words;
  std::string scriptFile;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--script" && i + 1 < args.size()) scriptFile = args[++i];
    else words.push_back(args[i]);
  }
  int index = 0;
  if (words.size() != 3 || !ParseIndex(words[2], index)) {
    *ctx.Err << VerbUsage << ConnectionOptionsUsage;
    return 2;
  }
  std::unique_ptr<TModalDriver> driver;
  if (!scriptFile.empty()) driver = TScriptedModalDriver::FromFile(scriptFile);
  else driver = std::make_unique<TCancelModalDriver>();

  TFormSession session({words[0]});
  TComponent& component = session.FindComponent(words[1]);
  // The verb's text as the menu shows it once the connection options took effect.
  TConnectionOverride override(connection, session.Modules());
  std::string verb;
  {
    TModalDriverGuard guard(*driver);
    try {
      verb = session.Session().ExecuteVerb(component, index);
    } catch (...) {
      PrintMessages(ctx, *driver);
      throw;
    }
  }
  PrintMessages(ctx, *driver);
  if (auto* scripted = dynamic_cast<TScriptedModalDriver*>(driver.get())) scripted->CheckFinished();
  std::vector<std::string> forThisRun = session.Session().OpenedForThisRun();
  override.Restore();
  std::vector<std::string> saved = session.SaveModified();
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject().Member("verb", verb).Member("modified", !saved.empty()).Key("saved").BeginArray();
    for (const std::string& file : saved) json.String(file);
    json.EndArray().Key("forThisRun").BeginArray();
    for (const std::string& line : forThisRun) json.String(line);
    json.EndArray().EndObject();
    *ctx.Out << "\n";
  } else {
    *ctx.Out << verb << "\n";
    for (const std::string& line : forThisRun) *ctx.Out << line << "\n";
    for (const std::string& file : saved) *ctx.Out << "saved " << file << "\n";
    if (saved.empty()) *ctx.Out << "the form did not change\n";
  }
  return 0;
}
