#include "PropertyCommands.h"

#include "ScriptUsage.h"

#include "ConnectionOptions.h"
#include "CommandSupport.h"
#include "FormSession.h"

#include "classes/TComponent.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "designhost/SecretProperties.h"
#include "forms/TModalDriver.h"
#include "forms/TScriptedModalDriver.h"
#include "rtl/JsonWriter.h"

#include <functional>
#include <ostream>

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

struct TPropsArgs {
  std::vector<std::string> Words;
};

void DeclareProps(TCommandLine& line, TPropsArgs& a) { line.Words("FORM COMPONENT", a.Words); }

int RunProps(TDesignToolContext& ctx, TPropsArgs& a) {
  if (a.Words.size() != 2) throw EUsageError("give a form file and a component");
  TFormSession session({a.Words[0]});
  TComponent& component = session.FindComponent(a.Words[1]);
  session.Session().Select({&component});
  std::unique_ptr<TJsonWriter> json;
  if (ctx.Json) {
    json = std::make_unique<TJsonWriter>(*ctx.Out);
    json->BeginObject().Member("component", component.Name()).Member("class", component.ClassName());
    json->Key("properties").BeginArray();
  }
  // A class property's sub-properties follow it, named by their dotted paths.
  std::function<void(const std::vector<TInspectorRow>&)> print = [&](const std::vector<TInspectorRow>& rows) {
    for (const TInspectorRow& row : rows) {
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
      if (row.HasSubProperties) print(session.Session().SubPropertyRows(row.Name));
    }
  };
  print(session.Session().InspectorRows());
  if (json) {
    json->EndArray().EndObject();
    *ctx.Out << "\n";
  }
  return 0;
}

struct TValuesArgs {
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareValues(TCommandLine& line, TValuesArgs& a) {
  line.Words("FORM COMPONENT[,COMPONENT...] PROPERTY", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunValues(TDesignToolContext& ctx, TValuesArgs& a) {
  const std::vector<std::string>& args = a.Words;
  const TConnectionOptions& connection = a.Connection;
  if (args.size() != 3) throw EUsageError("give a form file, components and a property");
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

struct TSetArgs {
  bool DryRun = false;
  std::vector<std::string> Words;
};

void DeclareSet(TCommandLine& line, TSetArgs& a) {
  line.Flag("--dry-run", a.DryRun, "change nothing on disk").Words("FORM COMPONENT[,COMPONENT...] PROPERTY VALUE", a.Words);
}

int RunSet(TDesignToolContext& ctx, TSetArgs& a) {
  const std::vector<std::string>& words = a.Words;
  const bool dryRun = a.DryRun;
  if (words.size() != 4) throw EUsageError("give a form file, components, a property and its value");
  TFormSession session({words[0]});
  Select(session, words[1]);
  std::string value = session.Session().SetPropertyValue(words[2], words[3]);
  PrintSaved(ctx, dryRun ? std::vector<std::string>{} : session.SaveModified(), value);
  return 0;
}

struct TEditArgs {
  std::string ScriptFile;
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareEdit(TCommandLine& line, TEditArgs& a) {
  line.Option("--script", a.ScriptFile, "FILE", "plays the dialog (see quelm-designer verb --help)")
      .Words("FORM COMPONENT[,COMPONENT...] PROPERTY", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunEdit(TDesignToolContext& ctx, TEditArgs& a) {
  const std::vector<std::string>& words = a.Words;
  const std::string& scriptFile = a.ScriptFile;
  const TConnectionOptions& connection = a.Connection;
  if (words.size() != 3) throw EUsageError("give a form file, components and a property");
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

} // namespace

TDesignTool PropsCommand() {
  return DeclaredTool<TPropsArgs>(
      "props",
      "Lists COMPONENT's published properties as the inspector shows them: name,\n"
      "declared type, the property editor that serves it, its attributes and value.\n"
      "A class property's own properties follow it by dotted names (Font.Name),\n"
      "which set, values and edit take as well.\n",
      DeclareProps, RunProps);
}

TDesignTool ValuesCommand() {
  return DeclaredTool<TValuesArgs>(
      "values",
      "Prints the drop-down list of PROPERTY's editor, one value a line, for the\n"
      "selected components (several, joined by ','). Connection options apply to\n"
      "this run only.\n",
      DeclareValues, RunValues);
}

TDesignTool SetCommand() {
  return DeclaredTool<TSetArgs>("set",
                                "Sets PROPERTY through its editor, as typing VALUE into the inspector does,\n"
                                "and saves the form file unless --dry-run. A VALUE that starts with '-'\n"
                                "follows \"--\".\n",
                                DeclareSet, RunSet);
}

TDesignTool EditCommand() {
  return DeclaredTool<TEditArgs>(
      "edit",
      std::string("Presses the ellipsis button of PROPERTY: its editor's dialog runs. Saves the\n"
                  "form file when its bytes changed.\n\n") +
          ScriptOperationsUsage,
      DeclareEdit, RunEdit);
}
