#include "designhost/migration/ApplicationMigration.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "designhost/DesignRegistry.h"
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "designhost/TModuleDesigner.h"
#include "designhost/TPropertyEditor.h"
#include "designhost/foreign/ForeignClasses.h"
#include "designhost/migration/ConnectionSettings.h"
#include "designhost/migration/MigrationInputs.h"
#include "designhost/migration/OutputFolder.h"
#include "designhost/migration/UnifiedDiff.h"
#include "designhost/migration/UnitClassParents.h"
#include "forms/TModalDriver.h"
#include "rtl/Exceptions.h"
#include "rtl/TextCompare.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormError.h"
#include "streaming/TFormFile.h"
#include "streaming/TextFormWriter.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* MigratorClassName = "TBDE2QuelmDorvik";
constexpr const char* DatabaseClassName = "TQuelmDatabase";
// The unit of the suite's runtime library that declares the database.
constexpr const char* DatabaseUnitName = "QuelmAccess";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string QualifiedName(const TComponent* component) {
  if (!component) return "";
  if (component->Owner() && !component->Owner()->Name().empty())
    return component->Owner()->Name() + "." + component->Name();
  return component->Name();
}

// ---------------------------------------------------------------- the migrator

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

std::string FreeName(const TComponent& root, const std::string& base) {
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
  TMigratorSettings(const TMigratorSettings&) = delete;
  TMigratorSettings& operator=(const TMigratorSettings&) = delete;
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

private:
  TComponentRef<TComponent> FMigrator;
  TComponentRef<TComponent> FDatabase;
  int64_t FConvert;
  int64_t FDeleteSources;
};

// ---------------------------------------------------------------- form nodes

std::string Shorten(std::string s) {
  constexpr size_t Max = 60;
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  if (s.size() > Max) s = s.substr(0, Max) + "...";
  return s;
}

std::string Summary(const TFormValue& v) {
  switch (v.Kind) {
  case TFormValueKind::Integer: return std::to_string(v.Int);
  case TFormValueKind::Float: return std::to_string(static_cast<double>(v.Float));
  case TFormValueKind::String: return "'" + Shorten(v.Text) + "'";
  case TFormValueKind::Ident: return v.Text;
  case TFormValueKind::Nil: return "nil";
  case TFormValueKind::True: return "True";
  case TFormValueKind::False: return "False";
  case TFormValueKind::Set: {
    std::string s = "[";
    for (size_t i = 0; i < v.SetItems.size(); ++i) s += (i ? ", " : "") + v.SetItems[i];
    return s + "]";
  }
  case TFormValueKind::List:
    if (v.Items.size() == 1 && v.Items[0].Kind == TFormValueKind::String) return "('" + Shorten(v.Items[0].Text) + "')";
    return "(" + std::to_string(v.Items.size()) + " lines)";
  case TFormValueKind::Binary: return "{" + std::to_string(v.Bytes.size()) + " bytes}";
  case TFormValueKind::Collection: return "<" + std::to_string(v.CollectionItems.size()) + " items>";
  }
  return "";
}

struct TNodeInfo {
  const TFormObject* Node;
  const TFormObject* Inline;  // the inline frame it lies in; none on the form itself
};

// The objects of a form file by lower-case name: those of the form itself,
// and, apart, those inside inline frames (their owner is the frame).
void CollectNodes(const TFormObject& object, const TFormObject* inlineFrame, std::map<std::string, TNodeInfo>& own,
                  std::vector<TNodeInfo>& framed) {
  for (const auto& child : object.Children) {
    const TFormObject* frame = inlineFrame;
    if (inlineFrame) framed.push_back({child.get(), inlineFrame});
    else if (!child->Name.empty()) own.emplace(Lower(child->Name), TNodeInfo{child.get(), nullptr});
    if (child->Kind == TFormObjectKind::Inline && !frame) frame = child.get();
    CollectNodes(*child, frame, own, framed);
  }
}

// ---------------------------------------------------------------- what is left behind

// Properties of a source that the new dataset has under another name.
const char* CarriedAs(const std::string& property) {
  if (SameText(property, "CommandText")) return "SQL.Strings";
  if (SameText(property, "StoredProcName")) return "ProcedureName";
  return nullptr;
}

std::string NoteFor(const std::string& p, const std::string& database) {
  auto is = [&](std::initializer_list<const char*> names) {
    for (const char* n : names)
      if (SameText(p, n)) return true;
    return false;
  };
  if (is({"DatabaseName", "Connection", "SQLConnection", "ConnectionString", "SessionName", "ConnectionName"}))
    return "connection: the new dataset uses Database = " + (database.empty() ? std::string("(none)") : database);
  if (is({"MasterSource", "MasterFields", "LinkedFields", "DetailFields", "MasterFieldNames"}))
    return "master link: not carried";
  if (is({"IndexName", "IndexFieldNames", "IndexDefs"})) return "index: not carried";
  if (is({"DataSource"})) return "the query's data source (parameters from a master): not carried";
  if (is({"Params", "ParamData", "Parameters", "ParamCheck"})) return "parameters: not carried";
  if (is({"CommandType"})) return "the SQL was made from the command text by its command type";
  if (is({"CachedUpdates"})) return "the new dataset has cached updates off";
  if (is({"Active"})) return "the new dataset is not opened";
  if (is({"UpdateObject"})) return "update object not carried";
  if (is({"Filter", "Filtered"})) return "filters are carried for tables only";
  return "not carried";
}

// ---------------------------------------------------------------- the audit

// What the forms held before the migration, to tell afterwards what it did.
class TMigrationAudit {
public:
  struct TDataSetBefore {
    size_t File;
    TComponent* Root;
    std::unique_ptr<TComponentRef<TComponent>> Component;
    std::string Name;
    std::string Class;
    struct TProperty {
      std::string Name, Summary, Text;  // Text: the value as a form file writes it
    };
    std::vector<TProperty> Properties;  // as read
    std::unique_ptr<TComponentRef<TComponent>> UpdateObject;
    std::string UpdateName, UpdateClass;
  };
  struct TLinkBefore {
    size_t File;
    std::unique_ptr<TComponentRef<TComponent>> Holder;
    std::unique_ptr<TComponentRef<TComponent>> Target;
  };

  std::vector<TDataSetBefore> DataSets;
  std::vector<TLinkBefore> Sources, Lookups;
  std::vector<std::string> Texts;       // each module as it would be saved before the run
  std::vector<std::string> TextViews;   // the same as text, for the diff of a binary form

  void Take(TModuleServices& modules, const std::map<const TModule*, size_t>& fileOf, bool withTextViews) {
    for (int i = 0; i < modules.GetModuleCount(); ++i) {
      TModule* module = modules.GetModule(i);
      size_t file = fileOf.at(module);
      Texts.push_back(module->File().SaveToString());
      TextViews.push_back(withTextViews && module->File().Format() == TFormFormat::Binary
                              ? module->File().SaveToString(TFormFormat::Text)
                              : std::string());
      TComponent* root = module->Root();
      if (!root) continue;
      std::map<std::string, TNodeInfo> nodes;
      std::vector<TNodeInfo> framed;
      if (const TFormObject* r = module->File().Document().Root.get()) CollectNodes(*r, nullptr, nodes, framed);
      for (int k = 0; k < root->ComponentCount(); ++k) {
        TComponent* c = root->Components(k);
        if (dynamic_cast<TDataSet*>(c)) {
          TDataSetBefore d{file, root, Ref(c), c->Name(), c->ClassName(), {}, nullptr, "", ""};
          if (auto it = nodes.find(Lower(c->Name())); it != nodes.end())
            for (const auto& p : it->second.Node->Properties)
              d.Properties.push_back({p->Name, Summary(p->Value), FormatFormValue(p->Value, 0)});
          if (IsPublishedProp(*c, "UpdateObject"))
            if (auto* update = dynamic_cast<TComponent*>(GetObjectProp(*c, "UpdateObject"))) {
              d.UpdateObject = Ref(update);
              d.UpdateName = QualifiedName(update);
              d.UpdateClass = update->ClassName();
            }
          DataSets.push_back(std::move(d));
        }
        if (auto* source = dynamic_cast<TDataSource*>(c)) Sources.push_back({file, Ref(c), Ref(source->DataSet())});
        if (auto* field = dynamic_cast<TField*>(c); field && field->IsLookup())
          Lookups.push_back({file, Ref(c), Ref(field->LookupDataSet())});
      }
    }
  }

  static std::unique_ptr<TComponentRef<TComponent>> Ref(TComponent* c) {
    return std::make_unique<TComponentRef<TComponent>>(c);
  }
};

// Inherited datasets leave the form's component list while the migrator
// runs and come back afterwards, so the migrator neither converts them into
// a redeclaration of the ancestor's component nor renames them.
class THiddenComponents {
public:
  THiddenComponents() = default;
  ~THiddenComponents() { Restore(); }
  THiddenComponents(const THiddenComponents&) = delete;
  THiddenComponents& operator=(const THiddenComponents&) = delete;
  void Hide(TComponent* component) {
    TComponent* owner = component->Owner();
    if (!owner) return;
    owner->RemoveComponent(component);
    FHidden.push_back({std::make_unique<TComponentRef<TComponent>>(component), std::make_unique<TComponentRef<TComponent>>(owner)});
  }
  // Names that a hidden component holds and another component took meanwhile
  // keep it out; they are returned so the report can say so.
  std::vector<std::string> Restore() {
    std::vector<std::string> failed;
    for (auto& h : FHidden) {
      TComponent* c = h.Component->Get();
      TComponent* owner = h.Owner->Get();
      if (!c || !owner) continue;
      try {
        owner->InsertComponent(c);
      } catch (const Exception& e) {
        failed.push_back(c->Name() + ": " + e.Message());
      }
    }
    FHidden.clear();
    return failed;
  }

private:
  struct THidden {
    std::unique_ptr<TComponentRef<TComponent>> Component, Owner;
  };
  std::vector<THidden> FHidden;
};

std::string BinaryAwareWhere(const std::string& path, const EFormError& e) {
  std::ifstream in(path, std::ios::binary);
  std::string head(64, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  if (IsBinaryForm(head)) return path + ": offset " + std::to_string(e.Column() - 1);
  return path + ":" + std::to_string(e.Line()) + ":" + std::to_string(e.Column());
}

std::string NewDataModuleText(const std::string& module, const std::string& database) {
  return "object " + module + ": T" + module + "\r\n  object " + database + ": " + DatabaseClassName +
         "\r\n  end\r\nend\r\n";
}

std::string NewDataModuleUnit(const std::string& module, const std::string& database) {
  return "unit " + module + ";\r\n\r\ninterface\r\n\r\nuses\r\n  SysUtils, Classes, " + DatabaseUnitName +
         ";\r\n\r\ntype\r\n  T" + module + " = class(TDataModule)\r\n    " + database + ": " + DatabaseClassName +
         ";\r\n  private\r\n  public\r\n  end;\r\n\r\nvar\r\n  " + module + ": T" + module +
         ";\r\n\r\nimplementation\r\n\r\n{$R *.dfm}\r\n\r\nend.\r\n";
}

} // namespace

int TApplicationMigrationReport::ExitCode() const {
  if (!Failure.empty() || !LeftOut.empty()) return 1;
  for (const TFileMigration& f : Files)
    if (!f.WriteError.empty()) return 1;
  return 0;
}

TApplicationMigrationReport MigrateApplication(const TApplicationMigrationOptions& options) {
  TApplicationMigrationReport report;
  report.DryRun = options.DryRun;
  auto progress = [&](const std::string& phase, int done, int total) {
    if (options.Progress) options.Progress(phase, done, total);
  };

  const TClassInfo* migratorClass = TClassRegistry::Global().FindClass(MigratorClassName);
  if (!migratorClass || !migratorClass->CanCreate())
    throw std::invalid_argument(std::string("the loaded package has no ") + MigratorClassName);
  RegisterForeignClasses(TClassRegistry::Global());

  // The files.
  TMigrationInputs inputs = CollectMigrationInputs(options.Paths);
  for (const auto& [path, reason] : inputs.Missing) report.LeftOut.push_back({path, path, reason});
  std::vector<std::string> paths;
  for (const TMigrationInput& in : inputs.Forms) paths.push_back(in.Path);
  progress("reading", 0, static_cast<int>(paths.size()));
  TModuleServices modules(TClassRegistry::Global());
  TModuleServicesGuard servicesGuard(modules);
  std::vector<TModuleServices::TOpenFailure> failures;
  std::vector<TModule*> opened = modules.OpenModulesLeavingOut(paths, failures);
  for (const auto& f : failures) {
    if (auto* formError = dynamic_cast<const EFormError*>(f.Error.get()))
      report.LeftOut.push_back({f.Path, BinaryAwareWhere(f.Path, *formError), formError->Reason()});
    else report.LeftOut.push_back({f.Path, f.Path, f.Error->Message()});
  }
  progress("reading", static_cast<int>(paths.size()), static_cast<int>(paths.size()));

  // Each open module's report entry, in input order.
  // The modules come in the order of the paths, those left out missing.
  std::map<const TModule*, size_t> fileOf;
  std::set<std::string> failed;
  for (const auto& f : failures) failed.insert(f.Path);
  size_t next = 0;
  TModule* mainModule = nullptr;
  for (const TMigrationInput& in : inputs.Forms) {
    if (failed.count(in.Path) || next >= opened.size()) continue;
    TModule* module = opened[next++];
    if (!mainModule) mainModule = module;
    if (fileOf.count(module)) continue;
    fileOf[module] = report.Files.size();
    TFileMigration f;
    f.Path = in.Path;
    f.Unit = in.UnitPath;
    f.Output = options.OutDir.empty() ? in.Path : (fs::path(options.OutDir) / in.RelativePath).string();
    report.Files.push_back(std::move(f));
  }

  // Two inputs with one relative path (a file given beside a folder, or two
  // folders) would overwrite each other's output.
  if (!options.OutDir.empty()) {
    std::map<std::string, std::string> outputs;
    for (const TFileMigration& f : report.Files)
      if (auto [it, fresh] = outputs.emplace(f.Output, f.Path); !fresh)
        throw std::invalid_argument(it->second + " and " + f.Path + " would both be written to " + f.Output);
  }

  // Roots of one name in several files: references by that name reach the first.
  {
    std::map<std::string, std::vector<std::string>> byName;
    std::vector<std::string> order;
    for (int i = 0; i < modules.GetModuleCount(); ++i)
      if (TComponent* root = modules.GetModule(i)->Root(); root && !root->Name().empty()) {
        auto& list = byName[Lower(root->Name())];
        if (list.empty()) order.push_back(root->Name());
        list.push_back(modules.GetModule(i)->FileName());
      }
    for (const std::string& name : order)
      if (auto& files = byName[Lower(name)]; files.size() > 1) report.DuplicateRoots.emplace_back(name, files);
  }

  // The classes the application's units declare, to tell descendants apart.
  TUnitClassParents classes;
  {
    std::set<std::string> units;
    for (const TMigrationInput& in : inputs.Forms)
      if (!in.UnitPath.empty()) units.insert(in.UnitPath);
    for (const std::string& given : options.Paths) {
      std::error_code ec;
      if (!fs::is_directory(given, ec)) continue;
      for (auto it = fs::recursive_directory_iterator(given, fs::directory_options::skip_permission_denied, ec);
           !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec) && SameText(it->path().extension().string(), ".pas"))
          units.insert(it->path().string());
    }
    for (const std::string& unit : units) classes.AddUnitFile(unit);
  }
  std::set<std::string> rootClasses;
  for (int i = 0; i < modules.GetModuleCount(); ++i)
    if (TComponent* root = modules.GetModule(i)->Root()) rootClasses.insert(Lower(root->ClassName()));

  if (modules.GetModuleCount() == 0) {
    report.Failure = "no form file could be read";
    return report;
  }

  // The database.
  TComponent* database = nullptr;
  std::string createdUnitPath, createdUnitText;
  if (!options.Database.empty()) {
    std::string name = options.Database;
    TComponent* found = nullptr;
    if (size_t dot = name.find('.'); dot != std::string::npos) {
      for (int i = 0; !found && i < modules.GetModuleCount(); ++i)
        if (TComponent* root = modules.GetModule(i)->Root(); root && SameText(root->Name(), name.substr(0, dot)))
          found = root->FindComponent(name.substr(dot + 1));
    } else {
      for (int i = 0; !found && i < modules.GetModuleCount(); ++i)
        if (TComponent* root = modules.GetModule(i)->Root()) found = root->FindComponent(name);
    }
    if (!found) throw std::invalid_argument("no open form has a component " + name);
    if (!found->ClassType().InheritsFrom(DatabaseClassName))
      throw std::invalid_argument(name + " is a " + found->ClassName() + ", not a " + DatabaseClassName);
    database = found;
  } else if (!options.CreateDatabase.empty()) {
    const std::string& spec = options.CreateDatabase;
    size_t dot = spec.rfind('.');
    std::string moduleName = dot == std::string::npos ? "" : spec.substr(0, dot);
    std::string dbName = dot == std::string::npos ? "" : spec.substr(dot + 1);
    if (!TComponent::IsValidIdent(moduleName) || !TComponent::IsValidIdent(dbName))
      throw std::invalid_argument("--create-database wants MODULE.NAME, two names, not '" + spec + "'");
    const TClassInfo* dbClass = TClassRegistry::Global().FindClass(DatabaseClassName);
    if (!dbClass || !dbClass->CanCreate())
      throw std::invalid_argument(std::string("the loaded package has no ") + DatabaseClassName);
    TModule* holder = nullptr;
    for (int i = 0; !holder && i < modules.GetModuleCount(); ++i)
      if (TComponent* root = modules.GetModule(i)->Root(); root && SameText(root->Name(), moduleName))
        holder = modules.GetModule(i);
    if (holder) {
      TComponent* root = holder->Root();
      if (TComponent* existing = root->FindComponent(dbName)) {
        if (!existing->ClassType().InheritsFrom(DatabaseClassName))
          throw std::invalid_argument(moduleName + "." + dbName + " is a " + existing->ClassName() + ", not a " +
                                      DatabaseClassName);
        database = existing;
      } else {
        database = dbClass->CreateComponent(root);
        database->SetName(dbName);
        report.DatabaseCreated = true;
      }
      report.DatabaseFile = holder->FileName();
    } else {
      fs::path dir = options.OutDir.empty() ? fs::path(inputs.FirstFolder) : fs::path(options.OutDir);
      fs::path formPath = dir / (moduleName + ".dfm");
      std::error_code ec;
      if (options.OutDir.empty() && fs::exists(formPath, ec))
        throw std::invalid_argument(formPath.string() + " exists already and is not among the files");
      TModule* made = modules.OpenNewModule(formPath.string(), NewDataModuleText(moduleName, dbName));
      database = made->Root()->FindComponent(dbName);
      report.DatabaseCreated = true;
      report.DatabaseModuleCreated = formPath.string();
      report.DatabaseFile = formPath.string();
      createdUnitPath = (dir / (moduleName + ".pas")).string();
      createdUnitText = NewDataModuleUnit(moduleName, dbName);
      fileOf[made] = report.Files.size();
      TFileMigration f;
      f.Path = formPath.string();
      f.Output = formPath.string();
      f.Unit = createdUnitPath;
      f.Status = "created";
      report.Files.push_back(std::move(f));
    }
    // The application's own connection: its host, database and user.
    if (report.DatabaseCreated && !SameText(options.CarryConnection, "none")) {
      std::vector<TConnectionSettings> found = FindConnectionSettings(modules);
      const TConnectionSettings* chosen = nullptr;
      for (const TConnectionSettings& s : found)
        if (options.CarryConnection.empty() ? !s.IsEmpty() : SameText(s.Source, options.CarryConnection)) {
          chosen = &s;
          break;
        }
      if (!options.CarryConnection.empty() && !chosen)
        throw std::invalid_argument("no connection component " + options.CarryConnection + " on the open forms");
      if (chosen) {
        report.ConnectionFrom = chosen->Source + " (" + chosen->SourceClass + ")";
        auto carry = [&](const char* property, const std::string& value) {
          if (value.empty()) return;
          if (SameText(property, "Port")) {
            try {
              SetOrdProp(*database, property, std::stoi(value));
            } catch (const std::exception&) {
              return;
            }
          } else {
            SetStrProp(*database, property, value);
          }
          report.Carried.emplace_back(property, value);
        };
        carry("Host", chosen->Host);
        carry("Port", chosen->Port);
        carry("DatabaseName", chosen->Database);
        carry("UserName", chosen->User);
      }
    }
  }

  // What the forms hold before the migrator comes.
  TMigrationAudit audit;
  audit.Take(modules, fileOf, options.Diff);

  // The migrator: one on the first form, or one dropped there for the run.
  TComponent* root = mainModule->Root();
  if (!root) throw std::invalid_argument(mainModule->FileName() + " has no root component");
  TDroppedMigrator dropped;
  TComponent* migrator = nullptr;
  for (int i = 0; i < root->ComponentCount() && !migrator; ++i)
    if (root->Components(i)->InheritsFrom(*migratorClass)) migrator = root->Components(i);
  report.MigratorDropped = migrator == nullptr;
  if (!migrator) {
    migrator = migratorClass->CreateComponent(root);
    dropped.Set(migrator);
    std::string base = std::string(MigratorClassName).substr(1);
    migrator->SetName(FreeName(*root, base));
  }
  TMigratorSettings settings(*migrator);
  if (database) SetObjectProp(*migrator, "Database", database);
  if (options.Convert) SetOrdProp(*migrator, "ConvertComponents", ConvertBits(*migrator, *options.Convert));
  if (options.KeepSources) SetOrdProp(*migrator, "DeleteSourceComponents", 0);
  report.Migrator = QualifiedName(migrator);
  report.Database = QualifiedName(dynamic_cast<TComponent*>(GetObjectProp(*migrator, "Database")));

  // The datasets the migrator must not reach: an inherited dataset is its
  // ancestor's component, and converting it here would declare a second
  // object of that name in the descendant. Those whose ancestor is in the
  // run are the ancestor conversion's to carry into the descendant, through
  // the design host's inheritance model; until it does, they stay as read.
  // Datasets in inline frames are owned by the frame and out of reach anyway.
  THiddenComponents hidden;
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    TComponent* r = module->Root();
    const TFormObject* doc = module->File().Document().Root.get();
    if (!r || !doc) continue;
    TFileMigration& file = report.Files[fileOf.at(module)];
    std::map<std::string, TNodeInfo> nodes;
    std::vector<TNodeInfo> framed;
    CollectNodes(*doc, nullptr, nodes, framed);
    std::string ancestor;
    if (const TDeclaredClass* d = classes.Find(r->ClassName())) ancestor = d->Parent;
    for (const auto& [name, info] : nodes) {
      const TFormObject& node = *info.Node;
      if (IsConvertibleForeignClass(node.ClassName)) {
        if (node.Kind != TFormObjectKind::Inherited) continue;
        std::string why;
        if (ancestor.empty())
          why = "inherited from an ancestor form that no unit among the files names";
        else if (rootClasses.count(Lower(ancestor)))
          why = "inherited from " + ancestor + ", which is among the files; converted with the ancestor once the "
                "design host's inheritance model carries it";
        else
          why = "inherited from " + ancestor + ", which is not among the files";
        file.Skipped.push_back({r->Name() + "." + node.Name, node.ClassName, why});
        if (TComponent* c = r->FindComponent(node.Name)) hidden.Hide(c);
        continue;
      }
      for (const std::string& a : classes.Ancestors(node.ClassName))
        if (IsConvertibleForeignClass(a)) {
          const TDeclaredClass* d = classes.Find(node.ClassName);
          file.Skipped.push_back({r->Name() + "." + node.Name, node.ClassName,
                                  "its class descends from " + a + " (" + d->Unit + ":" + std::to_string(d->Line) +
                                      "); only the listed classes themselves are converted"});
          break;
        }
    }
    for (const TNodeInfo& info : framed)
      if (IsConvertibleForeignClass(info.Node->ClassName))
        file.Skipped.push_back({r->Name() + "." + info.Inline->Name + "." + info.Node->Name, info.Node->ClassName,
                                "inside the inline frame " + info.Inline->Name + " (" + info.Inline->ClassName +
                                    "); the frame's own file converts it"});
  }

  // The run.
  progress("migrating", 0, 1);
  TFunctionModalDriver driver;
  driver.AnswerWith([](const TMessageBoxInfo& box) { return box.Offers(mrOk) ? mrOk : CautiousAnswer(box); });
  {
    TModalDriverGuard guard(driver);
    try {
      if (options.RunMigrator) {
        options.RunMigrator(*migrator);
      } else {
        TModuleDesigner designer(modules, *mainModule);
        auto editor = TDesignRegistry::Instance().CreatePropertyEditor(&designer, {migrator}, "Execute");
        editor->Edit();
      }
    } catch (const Exception& e) {
      for (const TMessageBoxInfo& box : driver.Messages()) report.Messages.push_back(box.Text);
      report.Failure = e.Message();
      return report;
    }
  }
  for (const TMessageBoxInfo& box : driver.Messages()) report.Messages.push_back(box.Text);
  progress("migrating", 1, 1);

  // The forms as they will be saved: without the migrator dropped for the
  // run, with a migrator of the form as it was, with the inherited datasets.
  settings.Restore();
  dropped.Remove();
  for (const std::string& failed : hidden.Restore())
    report.Messages.push_back("an inherited dataset could not come back: " + failed);

  // What changed.
  for (const auto& d : audit.DataSets) {
    TComponent* now = d.Root->FindComponent(d.Name);
    TComponent* before = d.Component->Get();
    if (!now || now == before) continue;
    TFileMigration& file = report.Files[d.File];
    TConvertedDataSet c{QualifiedName(now), d.Class, now->ClassName(), before ? QualifiedName(before) : "", {}};
    if (auto* made = dynamic_cast<TDataSet*>(now))
      for (int i = 0; i < made->FieldCount(); ++i) c.MovedFields.push_back(made->Fields()[i]->Name());
    file.Converted.push_back(c);
    // Properties the source had that the new dataset does not.
    // A property counts as carried when the new dataset has it with the
    // same value, or has what it became (CommandText the SQL).
    std::map<std::string, TFormValue> has;
    for (const auto& [name, value] : StoredProperties(*now)) has.emplace(Lower(name), value);
    for (const auto& p : d.Properties) {
      if (SameText(p.Name, "Left") || SameText(p.Name, "Top")) continue;
      if (const char* as = CarriedAs(p.Name); as && has.count(Lower(as))) continue;
      if (SameText(p.Name, "CommandType") && (p.Summary == "ctQuery" || p.Summary == "cmdText")) continue;
      std::string note = NoteFor(p.Name, report.Database);
      if (auto it = has.find(Lower(p.Name)); it != has.end()) {
        if (FormatFormValue(it->second, 0) == p.Text) continue;
        note += " (the new dataset has " + Summary(it->second) + " of its own)";
      }
      file.LeftBehind.push_back({d.Root->Name() + "." + d.Name, p.Name, p.Summary, note});
    }
    // Its update object.
    if (!d.UpdateName.empty()) {
      TUpdateObjectFate fate{QualifiedName(now), d.UpdateName, d.UpdateClass, "", ""};
      TComponent* made = IsPublishedProp(*now, "UpdateObject")
                             ? dynamic_cast<TComponent*>(GetObjectProp(*now, "UpdateObject"))
                             : nullptr;
      if (made) {
        fate.NewName = QualifiedName(made);
        fate.Action = fate.NewName == d.UpdateName ? "carried" : "copied";
      } else {
        fate.Action = d.UpdateObject->Get() ? "kept" : "deleted";
      }
      file.UpdateObjects.push_back(fate);
    }
  }
  auto links = [&](const std::vector<TMigrationAudit::TLinkBefore>& list, bool lookup) {
    for (const auto& link : list) {
      TComponent* holder = link.Holder->Get();
      if (!holder) continue;
      TComponent* now = lookup ? static_cast<TField*>(holder)->LookupDataSet()
                               : static_cast<TDataSource*>(holder)->DataSet();
      if (now == link.Target->Get()) continue;
      auto& out = lookup ? report.Files[link.File].LookupFields : report.Files[link.File].DataSources;
      out.push_back({QualifiedName(holder), QualifiedName(now)});
    }
  };
  links(audit.Sources, false);
  links(audit.Lookups, true);

  // The files: each changed form is written, atomically, in place or under
  // the output folder; a new data module with its unit.
  progress("writing", 0, modules.GetModuleCount());
  // New files (the output folder's, a new data module) are synced once at the end.
  std::string newFilesDir = options.OutDir.empty() ? inputs.FirstFolder : options.OutDir;
  TOutputFolder output(newFilesDir.empty() ? "." : newFilesDir);
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    TFileMigration& file = report.Files[fileOf.at(module)];
    size_t index = static_cast<size_t>(i);
    bool created = file.Status == "created";
    std::string after = module->File().SaveToString();
    if (!created && index < audit.Texts.size() && after == audit.Texts[index]) {
      file.Status = "unchanged";
      continue;
    }
    if (!created) file.Status = "changed";
    if (options.Diff) {
      bool binary = module->File().Format() == TFormFormat::Binary;
      std::string was = created ? std::string() : binary ? audit.TextViews[index] : audit.Texts[index];
      std::string now = binary ? module->File().SaveToString(TFormFormat::Text) : after;
      file.Diff = UnifiedDiff(was, now, created ? "/dev/null" : file.Path, file.Output);
      if (created && !createdUnitText.empty())
        file.Diff += UnifiedDiff("", createdUnitText, "/dev/null", createdUnitPath);
    }
    std::optional<std::string> unit;
    if (options.EditUnit && !created && !file.Unit.empty()) unit = options.EditUnit(file, *module);
    if (unit) {
      file.UnitOutput = options.OutDir.empty() ? file.Unit
                                               : (fs::path(file.Output).parent_path() / fs::path(file.Unit).filename()).string();
      if (options.Diff) {
        std::ifstream in(file.Unit, std::ios::binary);
        std::ostringstream was;
        was << in.rdbuf();
        file.Diff += UnifiedDiff(was.str(), *unit, file.Unit, file.UnitOutput);
      }
    }
    if (options.DryRun) continue;
    try {
      if (!options.OutDir.empty() || created) {
        output.Write(file.Output, after);
        if (created && !createdUnitText.empty()) output.Write(createdUnitPath, createdUnitText);
        if (unit) output.Write(file.UnitOutput, *unit);
      } else {
        module->Save();
        if (unit) WriteFileAtomically(file.UnitOutput, *unit);
      }
    } catch (const std::exception& e) {
      file.WriteError = e.what();
    }
    progress("writing", i + 1, modules.GetModuleCount());
  }
  try {
    output.Sync();
  } catch (const Exception& e) {
    // The files are there but may not survive a crash: the run is no success.
    for (TFileMigration& f : report.Files)
      if (f.Status != "unchanged" && f.WriteError.empty() && (!options.OutDir.empty() || f.Status == "created"))
        f.WriteError = e.Message();
  }
  return report;
}
