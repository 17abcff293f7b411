#include "MigrateCommand.h"

#include "CommandSupport.h"
#include "FormSession.h"
#include "MigrationReport.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TypInfo.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "designhost/DesignTools.h"
#include "designhost/foreign/ForeignClasses.h"
#include "forms/TModalDriver.h"
#include "rtl/Exceptions.h"
#include "rtl/JsonWriter.h"
#include "rtl/TextCompare.h"

#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace {

constexpr const char* MigratorClassName = "TBDE2QuelmDorvik";

struct TMigrateOptions {
  std::vector<std::string> Files;
  std::string Database;
  std::optional<std::vector<std::string>> Convert;
  bool KeepSources = false;
  bool DryRun = false;
};

void DeclareMigrate(TCommandLine& line, TMigrateOptions& o) {
  line.Option("--database", o.Database, "NAME", "the database component the new datasets use")
      .Option("--convert", "bde,ado,dbx,zeos", "the access layers to convert",
              [&o](const std::string& v) { o.Convert = SplitNames(v); })
      .Flag("--keep-sources", o.KeepSources, "keep each source, renamed Die_NAME")
      .Flag("--dry-run", o.DryRun, "change nothing on disk")
      .Words("FORM...", o.Files);
}

// The set value of the migrator's ConvertComponents for the layer words
// ("bde" stands for the member convBDE), read from the property's type.
int64_t ConvertBits(const TComponent& migrator, const std::vector<std::string>& words) {
  const TPropInfo& prop = GetPropInfoOrRaise(migrator, "ConvertComponents");
  const TTypeInfo* members = prop.PropType ? prop.PropType->CompType : nullptr;
  if (!members) throw Exception("ConvertComponents of " + migrator.Name() + " is not a set");
  int64_t bits = 0;
  for (const std::string& word : words) {
    int value = GetEnumValue(*members, "conv" + word);
    if (value < 0) throw std::invalid_argument("unknown access layer '" + word + "' (give bde, ado, dbx or zeos)");
    bits |= int64_t{1} << value;
  }
  return bits;
}

// The database component the option names: the first form's (or "Root.Name"
// of another form), else the first open form that has one of that name.
TComponent& FindDatabase(TFormSession& session, const std::string& name) {
  TComponent* found = session.Designer().GetComponent(name);
  for (int i = 0; !found && i < session.Modules().GetModuleCount(); ++i)
    if (TComponent* root = session.Modules().GetModule(i)->Root()) found = root->FindComponent(name);
  if (!found) throw Exception("no open form has a component " + name);
  if (!found->ClassType().InheritsFrom(DatabaseClassName))
    throw Exception(name + " is a " + found->ClassName() + ", not a " + DatabaseClassName);
  return *found;
}

// The name the form designer gives a component it drops: the class name
// without its T and the lowest number that is free on the form.
std::string DroppedName(const TComponent& root, const std::string& className) {
  std::string base =
      className.size() > 1 && (className[0] == 'T' || className[0] == 't') ? className.substr(1) : className;
  for (int n = 1;; ++n) {
    std::string name = base + std::to_string(n);
    if (!root.FindComponent(name)) return name;
  }
}

// A migrator dropped for the run leaves the form again, however the run ends.
class TDroppedMigrator {
public:
  TDroppedMigrator() = default;
  ~TDroppedMigrator() { Remove(); }
  TDroppedMigrator(const TDroppedMigrator&) = delete;
  TDroppedMigrator& operator=(const TDroppedMigrator&) = delete;
  void Set(TComponent* component) { FComponent = component; }
  void Remove() {
    delete FComponent.Get();
    FComponent = nullptr;
  }

private:
  TComponentRef<TComponent> FComponent;
};

// The settings a migrator on the form had; the run's options change them for
// the run only, so a saved form keeps its migrator as it was.
class TMigratorSettings {
public:
  explicit TMigratorSettings(TComponent& migrator)
      : FMigrator(&migrator), FDatabase(dynamic_cast<TComponent*>(GetObjectProp(migrator, "Database"))),
        FConvert(GetOrdProp(migrator, "ConvertComponents")),
        FDeleteSources(GetOrdProp(migrator, "DeleteSourceComponents")) {}
  ~TMigratorSettings() { Restore(); }
  void Restore() {
    TComponent* migrator = FMigrator.Get();
    FMigrator = nullptr;
    if (!migrator) return;
    try {
      SetObjectProp(*migrator, "Database", FDatabase.Get());
      SetOrdProp(*migrator, "ConvertComponents", FConvert);
      SetOrdProp(*migrator, "DeleteSourceComponents", FDeleteSources);
    } catch (const Exception&) {
      // The migrator's own setters do not raise for the values it had.
    }
  }
  TMigratorSettings(const TMigratorSettings&) = delete;
  TMigratorSettings& operator=(const TMigratorSettings&) = delete;

private:
  TComponentRef<TComponent> FMigrator;
  TComponentRef<TComponent> FDatabase;
  int64_t FConvert;
  int64_t FDeleteSources;
};

TComponent* FindMigrator(const TComponent& root, const TClassInfo& migratorClass) {
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (root.Components(i)->InheritsFrom(migratorClass)) return root.Components(i);
  return nullptr;
}

void PrintText(std::ostream& out, const std::string& migrator, bool dropped, const std::string& database,
               const TMigrationReport& report, const std::vector<std::string>& messages,
               const std::vector<std::string>& files, bool dryRun) {
  out << "migrator " << migrator << (dropped ? " (dropped for this run)" : "") << ", database "
      << (database.empty() ? "(none)" : database) << "\n";
  for (const TReplacedComponent& r : report.Replaced())
    out << "converted " << r.Name << ": " << r.FromClass << " -> " << r.ToClass
        << (r.KeptSource.empty() ? " (source deleted)" : " (source kept as " + r.KeptSource + ")") << "\n";
  for (const TRepointedLink& l : report.DataSources())
    out << "data source " << l.Name << " -> " << (l.Target.empty() ? "(none)" : l.Target) << "\n";
  for (const TRepointedLink& l : report.LookupFields())
    out << "lookup field " << l.Name << " -> " << (l.Target.empty() ? "(none)" : l.Target) << "\n";
  for (const std::string& m : messages) out << "message: " << m << "\n";
  for (const std::string& f : files) out << (dryRun ? "would save " : "saved ") << f << "\n";
}

void PrintJson(std::ostream& out, const std::string& migrator, bool dropped, const std::string& database,
               const TMigrationReport& report, const std::vector<std::string>& messages,
               const std::vector<std::string>& files, bool dryRun) {
  TJsonWriter json(out);
  json.BeginObject().Member("migrator", migrator).Member("dropped", dropped).Key("database");
  if (database.empty()) json.Null();
  else json.String(database);
  json.Key("converted").BeginArray();
  for (const TReplacedComponent& r : report.Replaced()) {
    json.BeginObject().Member("name", r.Name).Member("from", r.FromClass).Member("to", r.ToClass).Key("keptSource");
    if (r.KeptSource.empty()) json.Null();
    else json.String(r.KeptSource);
    json.EndObject();
  }
  json.EndArray();
  auto links = [&](const char* key, const char* target, const std::vector<TRepointedLink>& list) {
    json.Key(key).BeginArray();
    for (const TRepointedLink& l : list) {
      json.BeginObject().Member("name", l.Name).Key(target);
      if (l.Target.empty()) json.Null();
      else json.String(l.Target);
      json.EndObject();
    }
    json.EndArray();
  };
  links("dataSources", "dataSet", report.DataSources());
  links("lookupFields", "lookupDataSet", report.LookupFields());
  json.Key("messages").BeginArray();
  for (const std::string& m : messages) json.String(m);
  json.EndArray();
  json.Member("dryRun", dryRun).Key(dryRun ? "modified" : "saved").BeginArray();
  for (const std::string& f : files) json.String(f);
  json.EndArray().EndObject();
  out << "\n";
}

int RunMigrate(TDesignToolContext& ctx, TMigrateOptions& options) {
  if (options.Files.empty()) throw EUsageError("give at least one form file");
  const TClassInfo* migratorClass = TClassRegistry::Global().FindClass(MigratorClassName);
  if (!migratorClass || !migratorClass->CanCreate()) {
    *ctx.Err << "migrate: the loaded package has no " << MigratorClassName << "\n";
    return 1;
  }

  // The foreign datasets open as datasets only with their classes known.
  RegisterForeignClasses(TClassRegistry::Global());
  TFormSession session(options.Files);
  TComponent* root = session.MainModule().Root();
  if (!root) throw Exception(session.MainModule().FileName() + " has no root component");

  TMigrationReport report(session.Modules());
  TDroppedMigrator dropped;
  TComponent* migrator = FindMigrator(*root, *migratorClass);
  const bool drops = migrator == nullptr;
  if (drops) {
    // Dropped on a designed form: the migrator's own rule picks its database.
    migrator = migratorClass->CreateComponent(root);
    dropped.Set(migrator);
    migrator->SetName(DroppedName(*root, MigratorClassName));
  }
  TMigratorSettings settings(*migrator);
  try {
    if (!options.Database.empty())
      SetObjectProp(*migrator, "Database", &FindDatabase(session, options.Database));
    if (options.Convert) SetOrdProp(*migrator, "ConvertComponents", ConvertBits(*migrator, *options.Convert));
    if (options.KeepSources) SetOrdProp(*migrator, "DeleteSourceComponents", 0);
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "migrate: " << e.what() << "\n";
    return 2;
  }
  std::string migratorName = QualifiedName(migrator);
  std::string database = QualifiedName(dynamic_cast<TComponent*>(GetObjectProp(*migrator, "Database")));

  TFunctionModalDriver driver;
  driver.AnswerWith([](const TMessageBoxInfo& box) { return box.Offers(mrOk) ? mrOk : CautiousAnswer(box); });
  {
    TModalDriverGuard guard(driver);
    auto editor = TDesignRegistry::Instance().CreatePropertyEditor(&session.Designer(), {migrator}, "Execute");
    try {
      editor->Edit();
    } catch (const Exception& e) {
      for (const TMessageBoxInfo& box : driver.Messages()) *ctx.Err << "message: " << box.Text << "\n";
      *ctx.Err << "migrate: " << e.Message() << "\n";
      if (database.empty())
        *ctx.Err << "migrate: no form has a " << DatabaseClassName << " for the new datasets; drop one on a form"
                 << " or name one with --database\n";
      *ctx.Err << "migrate: the migration stopped; nothing was written\n";
      return 1;
    }
  }
  std::vector<std::string> messages;
  for (const TMessageBoxInfo& box : driver.Messages()) messages.push_back(box.Text);

  // The forms as they will be saved: without the migrator dropped for the run
  // and with a migrator of the form as it was.
  settings.Restore();
  dropped.Remove();
  report.Compare();
  std::vector<std::string> files;
  for (TModule* module : report.ChangedModules()) {
    if (!options.DryRun) module->Save();
    files.push_back(module->FileName());
  }
  if (ctx.Json) PrintJson(*ctx.Out, migratorName, drops, database, report, messages, files, options.DryRun);
  else PrintText(*ctx.Out, migratorName, drops, database, report, messages, files, options.DryRun);
  return 0;
}

} // namespace

TDesignTool MigrateCommand() {
  return DeclaredTool<TMigrateOptions>(
      "migrate",
      "Opens the form files together and runs the migrator on them: the migrator\n"
      "on the first form, or else one dropped on the first form for this run only\n"
      "(it takes a database component of that form, or else the last one opened).\n"
      "The foreign datasets (BDE, ADO, dbExpress and Zeos queries, tables and\n"
      "stored procedures) of every open form become the suite's datasets under\n"
      "their names, with their SQL, table or procedure name, events, persistent\n"
      "fields and update objects, and the data sources and lookup fields that used\n"
      "them follow. --database names the database component the new datasets use\n"
      "(Root.Name reaches another form); --convert limits the access layers;\n"
      "--keep-sources keeps each source, renamed Die_NAME. These options apply to\n"
      "this run only. Prints what was converted and re-pointed and the migrator's\n"
      "message, and saves every changed form file unless --dry-run.\n",
      DeclareMigrate, RunMigrate);
}
