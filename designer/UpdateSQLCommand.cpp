#include "UpdateSQLCommand.h"

#include "ConnectionOptions.h"
#include "CommandSupport.h"
#include "FormSession.h"
#include "ServerCheck.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "forms/TComboBox.h"
#include "forms/TFormUser.h"
#include "forms/TModalDriver.h"
#include "rtl/JsonWriter.h"

#include <ostream>

namespace {

struct TChoices {
  std::string Table;
  bool DatasetDefaults = false, PrimaryKeys = false, QuoteFields = false, Yes = false, DryRun = false;
  bool WritableFields = false, Check = false;
  std::optional<std::vector<std::string>> Keys, Update;
};

// What a person does in the dialog for these choices.
void PlayChoices(TFormUser& user, const TChoices& choices, TServerCheckAnswer& check) {
  if (!choices.Table.empty()) {
    auto& combo = user.Find<TComboBox>("UpdateTableName");
    if (combo.Items()->IndexOf(choices.Table) >= 0) {
      user.Pick("UpdateTableName", choices.Table);
    } else {
      user.ClearText("UpdateTableName");
      user.Type("UpdateTableName", choices.Table);
      user.Click("GetTableFieldsButton");
    }
  }
  if (choices.DatasetDefaults) user.Click("DefaultButton");
  if (choices.PrimaryKeys) user.Click("PrimaryKeyButton");
  if (choices.Keys) user.SelectItems("KeyFieldList", *choices.Keys);
  if (choices.Update) user.SelectItems("UpdateFieldList", *choices.Update);
  if (choices.WritableFields) user.ChoosePopupItem("UpdateFieldList", "miSelectWritable");
  if (choices.QuoteFields) user.Tick("QuoteFields");
  user.Click("GenerateButton");
  if (choices.Check) {
    check = PressCheckOnServer(user);
    // Statements the server refuses are not written into the form.
    if (check.Failed() && !user.IsClosed()) user.Click("CancelButton");
  }
  if (!user.IsClosed()) user.Click("OkButton");
}

constexpr const char* KindNames[] = {"modify", "insert", "delete", "refresh"};
constexpr const char* StatementProperties[] = {"ModifySQL", "InsertSQL", "DeleteSQL", "RefreshSQL"};

struct TUpdateSQLArgs {
  TChoices Choices;
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareUpdateSQL(TCommandLine& line, TUpdateSQLArgs& a) {
  TChoices& c = a.Choices;
  line.Option("--table", c.Table, "T", "choose the table T")
      .Flag("--dataset-defaults", c.DatasetDefaults, "press Dataset Defaults")
      .Flag("--primary-keys", c.PrimaryKeys, "press Select Primary Keys")
      .Option("--keys", "A,B", "select the key fields A,B", [&c](const std::string& v) { c.Keys = SplitNames(v); })
      .Option("--update", "C,D", "select the update fields C,D",
              [&c](const std::string& v) { c.Update = SplitNames(v); })
      .Flag("--writable-fields", c.WritableFields, "choose Select Writable Fields on the update field list")
      .Flag("--quote-fields", c.QuoteFields, "tick Quote Field Names")
      .Flag("--check", c.Check, "press Check on Server after Generate SQL")
      .Flag("--yes", c.Yes, "answer Yes when the editor asks for confirmation")
      .Flag("--dry-run", c.DryRun, "change nothing on disk")
      .Words("FORM COMPONENT", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunUpdateSQL(TDesignToolContext& ctx, TUpdateSQLArgs& a) {
  const TChoices& choices = a.Choices;
  const TConnectionOptions& connection = a.Connection;
  const std::vector<std::string>& words = a.Words;
  if (words.size() != 2) throw EUsageError("give a form file and an update object");

  EnsureEmbeddedDefault();
  TFormSession session({words[0]});
  TComponent& component = session.FindComponent(words[1]);
  if (!component.InheritsFrom(TClassRegistry::Global().GetClass("TQuelmUpdateSQL"))) {
    *ctx.Err << "updatesql: " << component.Name() << " is a " << component.ClassName() << ", not a TQuelmUpdateSQL\n";
    return 1;
  }
  auto editor = TDesignRegistry::Instance().GetComponentEditor(&component, &session.Designer());

  std::string failure;
  TServerCheckAnswer check;
  TFunctionModalDriver driver([&](TFormUser& user) {
    try {
      PlayChoices(user, choices, check);
    } catch (const Exception& e) {
      failure = e.Message();
      throw;
    }
  });
  driver.AnswerWith([&](const TMessageBoxInfo& box) -> TModalResult {
    if (box.Offers(mrYes)) return choices.Yes ? mrYes : mrNo;
    return mrOk;
  });
  {
    TConnectionOverride override(connection, session.Modules());
    {
      TModalDriverGuard guard(driver);
      editor->ExecuteVerb(0);
    }
    override.Restore();
  }
  PrintMessages(ctx, driver);
  if (check.Failed()) {
    if (ctx.Json) {
      TJsonWriter json(*ctx.Out);
      json.BeginObject().Key("check").BeginArray();
      for (const std::string& line : check.Lines) json.String(line);
      json.EndArray().Key("refused").Int(check.Refused).EndObject();
      *ctx.Out << "\n";
    } else {
      PrintServerCheck(*ctx.Out, check);
    }
    *ctx.Err << "updatesql: the server did not accept every statement; nothing was written\n";
    return 1;
  }
  if (!session.MainModule().IsModified()) {
    *ctx.Err << "updatesql: the UpdateSQL editor was cancelled" << (failure.empty() ? "" : ": " + failure)
             << "; nothing was written\n";
    return 1;
  }

  std::vector<std::vector<std::string>> statements;
  for (const char* property : StatementProperties) {
    auto* lines = dynamic_cast<TStrings*>(GetObjectProp(component, property));
    statements.push_back(lines ? lines->ToVector() : std::vector<std::string>{});
  }
  std::vector<std::string> saved;
  if (!choices.DryRun) saved = session.SaveModified();

  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject();
    for (size_t k = 0; k < statements.size(); ++k) {
      json.Key(KindNames[k]).BeginArray();
      for (const std::string& line : statements[k]) json.String(line);
      json.EndArray();
    }
    if (check.Pressed) {
      json.Key("check").BeginArray();
      for (const std::string& line : check.Lines) json.String(line);
      json.EndArray();
    }
    json.Key("saved").BeginArray();
    for (const std::string& file : saved) json.String(file);
    json.EndArray().EndObject();
    *ctx.Out << "\n";
    return 0;
  }
  for (size_t k = 0; k < statements.size(); ++k) {
    *ctx.Out << "-- " << KindNames[k] << "\n";
    for (const std::string& line : statements[k]) *ctx.Out << line << "\n";
  }
  if (check.Pressed) PrintServerCheck(*ctx.Out, check);
  for (const std::string& file : saved) *ctx.Out << "saved " << file << "\n";
  return 0;
}

} // namespace

TDesignTool UpdateSQLCommand() {
  return DeclaredTool<TUpdateSQLArgs>(
      "updatesql",
      "Opens the UpdateSQL editor on the update object COMPONENT and, in the order a\n"
      "person would: chooses the table T, presses Dataset Defaults, Select Primary\n"
      "Keys, selects the key fields A,B and the update fields C,D, chooses Select\n"
      "Writable Fields on the update field list, ticks Quote Field Names, presses\n"
      "Generate SQL, Check on Server (--check) and OK (--yes answers Yes when the\n"
      "editor asks for confirmation). Prints the four statements and the server's\n"
      "answer per statement, and saves the form file unless --dry-run. When the\n"
      "server refuses a statement, the editor is cancelled, nothing is written and\n"
      "the exit code is 1. Connection options apply to this run only and are never\n"
      "saved.\n",
      DeclareUpdateSQL, RunUpdateSQL);
}
