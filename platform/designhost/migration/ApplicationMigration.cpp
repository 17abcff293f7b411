#include "designhost/migration/ApplicationMigration.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "designhost/DesignRegistry.h"
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "designhost/TModuleDesigner.h"
#include "designhost/TPropertyEditor.h"
#include "designhost/foreign/ForeignClasses.h"
#include "designhost/migration/HiddenComponents.h"
#include "designhost/migration/InheritedCommandTexts.h"
#include "designhost/migration/InheritedDataSetCarry.h"
#include "designhost/migration/MigrationAudit.h"
#include "designhost/migration/MigrationInputs.h"
#include "designhost/migration/MigratorForRun.h"
#include "designhost/migration/OutputFolder.h"
#include "designhost/migration/RunDatabase.h"
#include "designhost/migration/SkippedDataSets.h"
#include "designhost/migration/UnifiedDiff.h"
#include "designhost/migration/UnitClassParents.h"
#include "designhost/migration/UnitDeclarations.h"
#include "designhost/session/TDesignSession.h"
#include "designhost/units/TUnitSource.h"
#include "forms/TModalDriver.h"
#include "rtl/Exceptions.h"
#include "rtl/TextCompare.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormError.h"
#include "streaming/TFormFile.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string ReadBytes(const std::string& path, size_t limit = std::string::npos) {
  std::ifstream in(path, std::ios::binary);
  if (limit == std::string::npos) {
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string head(limit, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

// Where a file could not be read: line and column in a text form, the byte
// offset in a binary one.
TLeftOutFile LeftOut(const TModuleServices::TOpenFailure& failure) {
  const std::string& path = failure.Path;
  if (auto* e = dynamic_cast<const EFormError*>(failure.Error.get())) {
    if (IsBinaryForm(ReadBytes(path, 64)))
      return {path, path + ": offset " + std::to_string(e->Column() - 1), e->Reason()};
    return {path, path + ":" + std::to_string(e->Line()) + ":" + std::to_string(e->Column()), e->Reason()};
  }
  return {path, path, failure.Error->Message()};
}

// Roots of one name in several files: references by that name reach the first.
void FindDuplicateRoots(TModuleServices& modules, TApplicationMigrationReport& report) {
  std::map<std::string, std::vector<std::string>> byName;
  std::vector<std::string> order;
  for (int i = 0; i < modules.GetModuleCount(); ++i)
    if (TComponent* root = modules.GetModule(i)->Root(); root && !root->Name().empty()) {
      auto& files = byName[Lower(root->Name())];
      if (files.empty()) order.push_back(root->Name());
      files.push_back(modules.GetModule(i)->FileName());
    }
  for (const std::string& name : order)
    if (auto& files = byName[Lower(name)]; files.size() > 1) report.DuplicateRoots.emplace_back(name, files);
}

// The classes the application's units declare: the units beside the forms
// and every unit under the folders given.
TUnitClassParents ReadClassDeclarations(const TMigrationInputs& inputs, const std::vector<std::string>& paths) {
  std::set<std::string> units;
  for (const TMigrationInput& in : inputs.Forms)
    if (!in.UnitPath.empty()) units.insert(in.UnitPath);
  for (const std::string& given : paths) {
    std::error_code ec;
    if (!fs::is_directory(given, ec)) continue;
    for (auto it = fs::recursive_directory_iterator(given, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
      if (it->is_regular_file(ec) && SameText(it->path().extension().string(), ".pas"))
        units.insert(it->path().string());
  }
  TUnitClassParents classes;
  for (const std::string& unit : units) classes.AddUnitFile(unit);
  return classes;
}

// The unit of a changed form through the unit service: its new bytes, or
// none when it stays as it is (file.UnitNote says why when it could not be
// edited). The code that still names a converted class is listed.
std::optional<std::string> EditUnit(TDesignSession& session, TModule& module, const TOwnComponents& before,
                                    TFileMigration& file) {
  TDesignModule* design = session.FindModule(module.FileName());
  TUnitSource* unit = design ? design->Unit() : nullptr;
  if (!unit || !module.Root()) {
    file.UnitNote = design && !design->UnitProblem().empty() ? design->UnitProblem() : "the unit could not be read";
    return std::nullopt;
  }
  std::string was = unit->Bytes();
  std::string formClass = design->RootClassName();
  try {
    UpdateUnitDeclarations(*unit, formClass, before, OwnComponents(*module.Root()), TClassRegistry::Global());
  } catch (const Exception& e) {
    file.UnitNote = e.Message();
    return std::nullopt;
  }
  std::vector<std::string> oldClasses;
  for (const TConvertedDataSet& c : file.Converted) oldClasses.push_back(c.FromClass);
  for (const auto& m : unit->FindNames(oldClasses, formClass)) file.UnitMentions.push_back({m.Line, m.Name});
  if (unit->Bytes() == was) return std::nullopt;
  return unit->Bytes();
}

void RunMigrator(const TApplicationMigrationOptions& options, TModuleServices& modules, TModule& main,
                 TComponent& migrator) {
  if (options.RunMigrator) {
    options.RunMigrator(migrator);
    return;
  }
  TModuleDesigner designer(modules, main);
  TDesignRegistry::Instance().CreatePropertyEditor(&designer, {&migrator}, "Execute")->Edit();
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
  RegisterForeignClasses(TClassRegistry::Global());

  // The files: those that can be read are opened together, the others left out.
  TMigrationInputs inputs = CollectMigrationInputs(options.Paths, options.OutDir);
  for (const auto& [path, reason] : inputs.Missing) report.LeftOut.push_back({path, path, reason});
  std::vector<std::string> paths;
  for (const TMigrationInput& in : inputs.Forms) paths.push_back(in.Path);
  progress("reading", 0, static_cast<int>(paths.size()));
  // A design session holds the forms with their units and knows which form
  // inherits from which.
  TDesignSession session(TClassRegistry::Global(), TDesignRegistry::Instance());
  TModuleServices& modules = session.Services();
  std::vector<TModuleServices::TOpenFailure> failures;
  std::vector<TModule*> opened;
  for (TDesignModule* m : session.OpenLeavingOut(paths, failures)) opened.push_back(&m->Module());
  session.TakeNotes();
  std::set<std::string> failed;
  for (const auto& f : failures) {
    report.LeftOut.push_back(LeftOut(f));
    failed.insert(f.Path);
  }
  progress("reading", static_cast<int>(paths.size()), static_cast<int>(paths.size()));
  if (opened.empty()) {
    report.Failure = "no form file could be read";
    return report;
  }

  // Each module's entry in the report, in input order; the modules come in
  // the order of the paths, those left out missing.
  std::map<const TModule*, size_t> fileOf;
  size_t next = 0;
  for (const TMigrationInput& in : inputs.Forms) {
    if (failed.count(in.Path) || next >= opened.size()) continue;
    TModule* module = opened[next++];
    if (fileOf.count(module)) continue;
    fileOf[module] = report.Files.size();
    TFileMigration f;
    f.Path = in.Path;
    f.Unit = in.UnitPath;
    f.Output = options.OutDir.empty() ? in.Path : (fs::path(options.OutDir) / in.RelativePath).string();
    report.Files.push_back(std::move(f));
  }
  // Two inputs of one relative path (a file given beside a folder, or two
  // folders) would overwrite each other's output.
  std::map<std::string, std::string> outputs;
  for (const TFileMigration& f : report.Files)
    if (auto [it, fresh] = outputs.emplace(f.Output, f.Path); !fresh)
      throw std::invalid_argument(it->second + " and " + f.Path + " would both be written to " + f.Output);
  FindDuplicateRoots(modules, report);

  // Each form's own components as its unit declares them, before the run
  // adds a database or converts anything.
  std::map<const TModule*, TOwnComponents> ownBefore;
  for (int i = 0; i < modules.GetModuleCount(); ++i)
    if (TComponent* root = modules.GetModule(i)->Root()) ownBefore[modules.GetModule(i)] = OwnComponents(*root);

  // The database.
  TRunDatabase database;
  std::string newFilesDir = options.OutDir.empty() ? inputs.FirstFolder : options.OutDir;
  if (!options.Database.empty()) database = FindRunDatabase(modules, options.Database);
  else if (!options.CreateDatabase.empty())
    database = CreateRunDatabase(modules, options.CreateDatabase, newFilesDir, !options.OutDir.empty(),
                                 options.CarryConnection);
  report.DatabaseCreated = database.Created;
  report.DatabaseFile = database.File;
  report.ConnectionFrom = database.ConnectionFrom;
  report.Carried = database.Carried;
  if (database.NewModule) {
    report.DatabaseModuleCreated = database.File;
    fileOf[database.NewModule] = report.Files.size();
    TFileMigration f;
    f.Path = f.Output = database.File;
    f.Unit = database.NewUnitPath;
    f.Status = "created";
    report.Files.push_back(std::move(f));
  }

  // What the forms hold before the migrator comes, and what it must not reach.
  // A form's text as it was opened, unless the run changed it already (by
  // adding its database).
  TMigrationAudit audit(modules, fileOf, options.Diff, [&](const TModule& module) {
    TDesignModule* design = session.FindModule(module.FileName());
    return design && module.FileName() != database.File ? design->SavedForm() : std::string();
  });
  // The statements of the descendants' inherited command texts, while their
  // ancestors still have the settings they need.
  TInheritedCommandTexts commandTexts(session);
  TUnitClassParents classes = ReadClassDeclarations(inputs, options.Paths);
  THiddenComponents hidden;
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    // The ancestor the session's inheritance model finds for the form.
    TDesignModule* design = session.FindModule(module->FileName());
    TDesignModule* ancestor = design ? session.AncestorOf(*design) : nullptr;
    report.Files[fileOf.at(module)].Skipped =
        FindSkippedDataSets(*module, classes, ancestor ? ancestor->FileName() : std::string(), hidden);
  }

  // The migrator, on the first form.
  TModule& main = *opened.front();
  if (!main.Root()) throw std::invalid_argument(main.FileName() + " has no root component");
  TMigratorForRun migrator(*main.Root());
  migrator.Configure(database.Database, options.Convert, options.KeepSources);
  report.Migrator = QualifiedName(&migrator.Component());
  report.MigratorDropped = migrator.Dropped();
  report.Database = QualifiedName(migrator.Database());

  progress("migrating", 0, 1);
  TFunctionModalDriver driver;
  driver.AnswerWith([](const TMessageBoxInfo& box) { return box.Offers(mrOk) ? mrOk : CautiousAnswer(box); });
  {
    TModalDriverGuard guard(driver);
    try {
      RunMigrator(options, modules, main, migrator.Component());
    } catch (const Exception& e) {
      for (const TMessageBoxInfo& box : driver.Messages()) report.Messages.push_back(box.Text);
      report.Failure = e.Message();
      return report;
    }
  }
  for (const TMessageBoxInfo& box : driver.Messages()) report.Messages.push_back(box.Text);
  progress("migrating", 1, 1);

  // The forms as they will be saved, and what the migration did to them.
  migrator.Restore();
  for (const std::string& failure : hidden.Restore())
    report.Messages.push_back("an inherited dataset could not come back: " + failure);
  // The descendants' inherited datasets follow their ancestors' conversion:
  // each becomes an inherited dataset of the new class with the
  // descendant's own differences.
  session.SetInheritedCarry(InheritedDataSetCarry(std::move(commandTexts)));
  session.FollowAncestors();
  session.TakeNotes();
  audit.Compare(report);
  // Which ancestor's dataset each converted inherited dataset follows.
  for (int i = 0; i < session.ModuleCount(); ++i) {
    TDesignModule& m = session.Module(i);
    TFileMigration& file = report.Files[fileOf.at(&m.Module())];
    for (TConvertedDataSet& c : file.Converted) {
      TComponent* now = m.Root()->FindComponent(c.Name.substr(c.Name.find('.') + 1));
      if (!now || !now->IsAncestor()) continue;
      std::set<TDesignModule*> seen;
      for (TDesignModule* a = session.AncestorOf(m); a && seen.insert(a).second; a = session.AncestorOf(*a))
        if (TComponent* original = a->Root()->FindComponent(now->Name()); original && !original->IsAncestor()) {
          c.Follows = QualifiedName(original);
          break;
        }
      c.KeptSource.clear();
    }
  }

  // Each changed form is written, atomically: in place, or under the output
  // folder, whose new files are synced once at the end; a made data module
  // with its unit.
  progress("writing", 0, modules.GetModuleCount());
  TOutputFolder output(newFilesDir.empty() ? "." : newFilesDir);
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    TFileMigration& file = report.Files[fileOf.at(module)];
    const bool created = file.Status == "created";
    std::string after = module->File().SaveToString();
    if (!created && after == audit.Text(i)) {
      file.Status = "unchanged";
      continue;
    }
    if (!created) file.Status = "changed";
    std::optional<std::string> unit;
    if (!created && !file.Unit.empty()) {
      if (options.EditUnit) unit = options.EditUnit(file, *module);
      else unit = EditUnit(session, *module, ownBefore[module], file);
    }
    if (unit)
      file.UnitOutput = options.OutDir.empty()
                            ? file.Unit
                            : (fs::path(file.Output).parent_path() / fs::path(file.Unit).filename()).string();
    if (options.Diff) {
      // A binary form is shown as text.
      bool binary = module->File().Format() == TFormFormat::Binary;
      std::string was = created ? std::string() : binary ? audit.TextView(i) : audit.Text(i);
      std::string now = binary ? module->File().SaveToString(TFormFormat::Text) : after;
      file.Diff = UnifiedDiff(was, now, created ? "/dev/null" : file.Path, file.Output);
      if (created) file.Diff += UnifiedDiff("", database.NewUnitText, "/dev/null", database.NewUnitPath);
      if (unit) file.Diff += UnifiedDiff(ReadBytes(file.Unit), *unit, file.Unit, file.UnitOutput);
    }
    if (options.DryRun) continue;
    try {
      if (!options.OutDir.empty() || created) {
        output.Write(file.Output, after);
        if (created) output.Write(database.NewUnitPath, database.NewUnitText);
        if (unit) output.Write(file.UnitOutput, *unit);
      } else {
        // The form's text was just made to compare it; it is written as it is
        // rather than made again.
        WriteFileAtomically(module->FileName(), after);
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
