#include "PropertyCommands.h"

#include "ConnectionOptions.h"
#include "CommandSupport.h"
#include "FormSession.h"

#include "classes/TComponent.h"
#include "designhost/DesignRegistry.h"
#include "designhost/SecretProperties.h"
#include "forms/TModalDriver.h"
#include "forms/TScriptedModalDriver.h"
#include "rtl/JsonWriter.h"

#include <ostream>
#include <stdexcept>

namespace {

std::vector<TPersistent*> Selection(TFormSession& session, const std::string& names) {
  std::vector<TPersistent*> selection;
  for (const std::string& name : SplitNames(names)) selection.push_back(&session.FindComponent(name));
  return selection;
}

std::string AttributeList(TPropertyAttributes attributes) {
  std::string text;
  for (int bit = 0; bit < 15; ++bit) {
    auto a = static_cast<TPropertyAttribute>(bit);
    if (!attributes.Contains(a)) continue;
    if (!text.empty()) text += ",";
    text += PropertyAttributeName(a);
  }
  return text;
}

void PrintSaved(TDesignToolContext& ctx, const std::vector<std::string>& saved, const std::string& value) {
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject().Member("value", value).Key("saved").BeginArray();
    for (const std::string& file : saved) json.String(file);
    json.EndArray().EndObject();
    *ctx.Out << "\n";
    return;
  }
  *ctx.Out << value << "\n";
  for (const std::string& file : saved) *ctx.Out << "saved " << file << "\n";
}

} // namespace

int RunPropsCommand(TDesignToolContext& ctx) {
  if (ctx.Args.size() != 2) {
    *ctx.Err << PropsUsage;
    return 2;
  }
  TFormSession session({ctx.Args[0]});
  TComponent& component = session.FindComponent(ctx.Args[1]);
  const TDesignRegistry& registry = TDesignRegistry::Instance();
  std::unique_ptr<TJsonWriter> json;
  if (ctx.Json) {
    json = std::make_unique<TJsonWriter>(*ctx.Out);
    json->BeginObject().Member("component", component.Name()).Member("class", component.ClassName());
    json->Key("properties").BeginArray();
  }
  for (const TPropInfo* prop : component.ClassType().Properties()) {
    auto editor = registry.CreatePropertyEditor(&session.Designer(), {&component}, prop->Name);
    std::string value, error;
    try {
      value = editor->GetValue();
    } catch (const Exception& e) {
      error = e.Message();
    }
    if (IsSecretProperty(prop->Name)) value = SecretShown(!value.empty());
    std::string attributes = AttributeList(editor->GetAttributes());
    if (json) {
      json->BeginObject()
          .Member("name", prop->Name)
          .Member("type", prop->PropType->Name)
          .Member("editor", editor->ClassName())
          .Member("attributes", attributes)
          .Member("value", value);
      if (!error.empty()) json->Member("error", error);
      json->EndObject();
    } else {
      *ctx.Out << prop->Name << ": " << prop->PropType->Name << " = " << (error.empty() ? value : "(" + error + ")")
               << "    [" << editor->ClassName() << (attributes.empty() ? "" : "; " + attributes) << "]\n";
    }
  }
  if (json) {
    json->EndArray().EndObject();
    *ctx.Out << "\n";
  }
  return 0;
}

int RunValuesCommand(TDesignToolContext& ctx) {
  std::vector<std::string> args = ctx.Args;
  TConnectionOptions connection;
  if (!TakeCommandConnection(ctx, "values", ValuesUsage, args, connection)) return 2;
  if (args.size() != 3) {
    *ctx.Err << ValuesUsage << ConnectionOptionsUsage;
    return 2;
  }
  TFormSession session({args[0]});
  std::vector<TPersistent*> selection = Selection(session, args[1]);
  std::vector<std::string> values;
  {
    TConnectionOverride override(connection, session.Modules());
    auto editor = TDesignRegistry::Instance().CreatePropertyEditor(&session.Designer(), selection, args[2]);
    if (!editor->GetAttributes().Contains(TPropertyAttribute::paValueList)) {
      *ctx.Err << "values: " << args[2] << " has no drop-down list\n";
      return 1;
    }
    editor->GetValues([&](const std::string& value) { values.push_back(value); });
  }
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginArray();
    for (const std::string& v : values) json.String(v);
    json.EndArray();
    *ctx.Out << "\n";
    return 0;
  }
  for (const std::string& v : values) *ctx.Out << v << "\n";
  return 0;
}

int RunSetCommand(TDesignToolContext& ctx) {
  std::vector<std::string> words;
  bool dryRun = false;
  for (const std::string& a : ctx.Args) {
    if (a == "--dry-run") dryRun = true;
    else words.push_back(a);
  }
  if (words.size() != 4) {
    *ctx.Err << SetUsage;
    return 2;
  }
  TFormSession session({words[0]});
  std::vector<TPersistent*> selection = Selection(session, words[1]);
  auto editor = TDesignRegistry::Instance().CreatePropertyEditor(&session.Designer(), selection, words[2]);
  if (editor->GetAttributes().Contains(TPropertyAttribute::paReadOnly)) {
    *ctx.Err << "set: " << words[2] << " is read-only in the inspector\n";
    return 1;
  }
  editor->SetValue(words[3]);
  std::string value = editor->GetValue();
  if (IsSecretProperty(words[2])) value = SecretShown(!value.empty());
  PrintSaved(ctx, dryRun ? std::vector<std::string>{} : session.SaveModified(), value);
  return 0;
}

int RunEditCommand(TDesignToolContext& ctx) {
  std::vector<std::string> args = ctx.Args;
  TConnectionOptions connection;
  std::string scriptFile;
  std::vector<std::string> words;
  try {
    connection = TakeConnectionOptions(args);
    for (size_t i = 0; i < args.size(); ++i) {
      if (args[i] == "--script") {
        if (i + 1 >= args.size()) throw std::invalid_argument("--script needs a file");
        scriptFile = args[++i];
      } else {
        words.push_back(args[i]);
      }
    }
    if (words.size() != 3) throw std::invalid_argument("give a form file, components and a property");
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "edit: " << e.what() << "\n" << EditUsage << ConnectionOptionsUsage;
    return 2;
  }
  std::unique_ptr<TModalDriver> driver;
  if (!scriptFile.empty()) driver = TScriptedModalDriver::FromFile(scriptFile);
  else driver = std::make_unique<TCancelModalDriver>();

  TFormSession session({words[0]});
  std::vector<TPersistent*> selection = Selection(session, words[1]);
  std::string value;
  {
    TConnectionOverride override(connection, session.Modules());
    auto editor = TDesignRegistry::Instance().CreatePropertyEditor(&session.Designer(), selection, words[2]);
    if (!editor->GetAttributes().Contains(TPropertyAttribute::paDialog)) {
      *ctx.Err << "edit: " << words[2] << " has no dialog\n";
      return 1;
    }
    {
      TModalDriverGuard guard(*driver);
      try {
        editor->Edit();
      } catch (...) {
        PrintMessages(ctx, *driver);
        throw;
      }
    }
    value = editor->GetValue();
    if (IsSecretProperty(words[2])) value = SecretShown(!value.empty());
    override.Restore();
  }
  PrintMessages(ctx, *driver);
  if (auto* scripted = dynamic_cast<TScriptedModalDriver*>(driver.get())) scripted->CheckFinished();
  PrintSaved(ctx, session.SaveChanged(), value);
  return 0;
}
