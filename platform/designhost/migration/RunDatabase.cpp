#include "designhost/migration/RunDatabase.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "designhost/ModuleServices.h"
#include "designhost/migration/ConnectionSettings.h"
#include "rtl/TextCompare.h"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* DatabaseClassName = "TQuelmDatabase";
// The unit of the suite's runtime library that declares the database.
constexpr const char* DatabaseUnitName = "QuelmAccess";

TComponent* RootNamed(TModuleServices& modules, const std::string& name, TModule** module = nullptr) {
  for (int i = 0; i < modules.GetModuleCount(); ++i)
    if (TComponent* root = modules.GetModule(i)->Root(); root && SameText(root->Name(), name)) {
      if (module) *module = modules.GetModule(i);
      return root;
    }
  return nullptr;
}

TComponent& RequireDatabase(TComponent* found, const std::string& name) {
  if (!found) throw std::invalid_argument("no open form has a component " + name);
  if (!found->ClassType().InheritsFrom(DatabaseClassName))
    throw std::invalid_argument(name + " is a " + found->ClassName() + ", not a " + DatabaseClassName);
  return *found;
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

void CarryConnection(TModuleServices& modules, const std::string& carry, TRunDatabase& run) {
  if (SameText(carry, "none")) return;
  std::vector<TConnectionSettings> found = FindConnectionSettings(modules);
  const TConnectionSettings* chosen = nullptr;
  for (const TConnectionSettings& s : found)
    if (carry.empty() ? !s.IsEmpty() : SameText(s.Source, carry)) {
      chosen = &s;
      break;
    }
  if (!carry.empty() && !chosen)
    throw std::invalid_argument("no connection component " + carry + " on the open forms");
  if (!chosen) return;
  run.ConnectionFrom = chosen->Source + " (" + chosen->SourceClass + ")";
  auto set = [&](const char* property, const std::string& value) {
    if (value.empty()) return;
    if (SameText(property, "Port")) {
      int port = 0;
      try {
        size_t used = 0;
        port = std::stoi(value, &used);
        if (used != value.size()) return;
      } catch (const std::exception&) {
        return;
      }
      SetOrdProp(*run.Database, property, port);
    } else {
      SetStrProp(*run.Database, property, value);
    }
    run.Carried.emplace_back(property, value);
  };
  set("Host", chosen->Host);
  set("Port", chosen->Port);
  set("DatabaseName", chosen->Database);
  set("UserName", chosen->User);
}

} // namespace

TRunDatabase FindRunDatabase(TModuleServices& modules, const std::string& name) {
  TComponent* found = nullptr;
  if (size_t dot = name.find('.'); dot != std::string::npos) {
    if (TComponent* root = RootNamed(modules, name.substr(0, dot))) found = root->FindComponent(name.substr(dot + 1));
  } else {
    for (int i = 0; !found && i < modules.GetModuleCount(); ++i)
      if (TComponent* root = modules.GetModule(i)->Root()) found = root->FindComponent(name);
  }
  TRunDatabase run;
  run.Database = &RequireDatabase(found, name);
  return run;
}

TRunDatabase CreateRunDatabase(TModuleServices& modules, const std::string& moduleAndName,
                               const std::string& newFilesDir, bool mayReplaceFiles, const std::string& carry) {
  size_t dot = moduleAndName.rfind('.');
  std::string moduleName = dot == std::string::npos ? "" : moduleAndName.substr(0, dot);
  std::string dbName = dot == std::string::npos ? "" : moduleAndName.substr(dot + 1);
  if (!TComponent::IsValidIdent(moduleName) || !TComponent::IsValidIdent(dbName))
    throw std::invalid_argument("--create-database wants MODULE.NAME, two names, not '" + moduleAndName + "'");
  const TClassInfo* dbClass = TClassRegistry::Global().FindClass(DatabaseClassName);
  if (!dbClass || !dbClass->CanCreate())
    throw std::invalid_argument(std::string("the loaded package has no ") + DatabaseClassName);

  TRunDatabase run;
  TModule* holder = nullptr;
  if (TComponent* root = RootNamed(modules, moduleName, &holder)) {
    if (TComponent* existing = root->FindComponent(dbName)) {
      // One there already is used as it is, settings and all.
      run.Database = &RequireDatabase(existing, moduleName + "." + dbName);
    } else {
      run.Database = dbClass->CreateComponent(root);
      run.Database->SetName(dbName);
      run.Created = true;
    }
    run.File = holder->FileName();
  } else {
    fs::path dir = newFilesDir.empty() ? fs::path(".") : fs::path(newFilesDir);
    fs::path formPath = dir / (moduleName + ".dfm");
    std::error_code ec;
    if (!mayReplaceFiles && (fs::exists(formPath, ec) || fs::exists(dir / (moduleName + ".pas"), ec)))
      throw std::invalid_argument(formPath.string() + " or its unit exists already and is not among the files");
    run.NewModule = modules.OpenNewModule(formPath.string(), NewDataModuleText(moduleName, dbName));
    run.Database = run.NewModule->Root()->FindComponent(dbName);
    run.Created = true;
    run.File = formPath.string();
    run.NewUnitPath = (dir / (moduleName + ".pas")).string();
    run.NewUnitText = NewDataModuleUnit(moduleName, dbName);
  }
  if (run.Created) CarryConnection(modules, carry, run);
  return run;
}
