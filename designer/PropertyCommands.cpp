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

void Select(TFormSession& session, const std::string& names) {
  std::vector<TComponent*> selection;
  for (const std::string& name : SplitNames(names)) selection.push_back(&session.FindComponent(name));
  session.Session().Select(selection);
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
  session.Session().Select({&component});
  std::unique_ptr<TJsonWriter> json;
  if (ctx.Json) {
    json = std::make_unique<TJsonWriter>(*ctx.Out);
    json->BeginObject().Member("component", component.Name()).Member("class", component.ClassName());
    json->Key("properties").BeginArray();
  }
  for (const TInspectorRow& row : session.Session().InspectorRows()) {
    std::string attributes = AttributeList(row.Attributes);
    if (json) {
      json->BeginObject()
          .Member("name", row.Name)
          .Member("type", row.TypeName)
          .Member("editor", row.EditorClass)
          .Member("attributes", attributes)
          .Member("value", row.Value);
      if (!row.Error.empty()) json->Member("error", row.Error);
      json->EndObject();
    } else {
      *ctx.Out << row.Name << ": " << row.TypeName << " = " << (row.Error.empty() ? row.Value : "(" + row.Error + ")")
               << "    [" << row.EditorClass << (attributes.empty() ? "" : "; " + attributes) << "]\n";
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
  Select(session, args[1]);
  std::vector<std::string> values;
  {
    TConnectionOverride override(connection, session.Modules());
    // Sorted when the editor asks the inspector for a sorted list.
    values = session.Session().PropertyValues(args[2]);
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
  Select(session, words[1]);
  std::string value = session.Session().SetPropertyValue(words[2], words[3]);
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
  Select(session, words[1]);
  std::string value;
  {
    TConnectionOverride override(connection, session.Modules());
    {
      TModalDriverGuard guard(*driver);
      try {
        value = session.Session().EditProperty(words[2]);
      } catch (...) {
        PrintMessages(ctx, *driver);
        throw;
      }
    }
    override.Restore();
  }
  PrintMessages(ctx, *driver);
  if (auto* scripted = dynamic_cast<TScriptedModalDriver*>(driver.get())) scripted->CheckFinished();
  PrintSaved(ctx, session.SaveModified(), value);
  return 0;
}
