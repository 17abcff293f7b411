#include "UpdateSQLCommand.h"

#include "ConnectionOptions.h"
#include "CommandSupport.h"
#include "FormSession.h"
#include "ServerCheck.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "designhost/DesignRegistry.h"
#include "forms/TComboBox.h"
#include "forms/TFormUser.h"
#include "forms/TModalDriver.h"
#include "rtl/JsonWriter.h"

#include <ostream>
#include <stdexcept>

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

} // namespace

int RunUpdateSQLCommand(TDesignToolContext& ctx) {
  std::vector<std::string> args = ctx.Args;
  TConnectionOptions connection;
  TChoices choices;
  std::vector<std::string> words;
  try {
    connection = TakeConnectionOptions(args);
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& a = args[i];
      auto value = [&]() -> std::string {
        if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
        return args[++i];
      };
      if (a == "--table") choices.Table = value();
      else if (a == "--dataset-defaults") choices.DatasetDefaults = true;
      else if (a == "--primary-keys") choices.PrimaryKeys = true;
      else if (a == "--keys") choices.Keys = SplitNames(value());
      else if (a == "--update") choices.Update = SplitNames(value());
      else if (a == "--quote-fields") choices.QuoteFields = true;
      else if (a == "--writable-fields") choices.WritableFields = true;
      else if (a == "--check") choices.Check = true;
      else if (a == "--yes") choices.Yes = true;
      else if (a == "--dry-run") choices.DryRun = true;
      else if (a.size() > 1 && a[0] == '-') throw std::invalid_argument("unknown option " + a);
      else words.push_back(a);
    }
    if (words.size() != 2) throw std::invalid_argument("give a form file and an update object");
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "updatesql: " << e.what() << "\n" << UpdateSQLUsage << ConnectionOptionsUsage;
    return 2;
  }

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
