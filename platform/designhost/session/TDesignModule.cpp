#include "designhost/session/TDesignModule.h"

#include "classes/TComponent.h"
#include "designhost/ModuleServices.h"
#include "streaming/TFormFile.h"

#include <filesystem>

namespace {

// FORM.pas (or .PAS, .Pas) beside FORM.dfm; empty when there is none.
std::string UnitBeside(const std::string& formFile) {
  namespace fs = std::filesystem;
  for (const char* extension : {".pas", ".PAS", ".Pas"}) {
    fs::path candidate = fs::path(formFile).replace_extension(extension);
    std::error_code ec;
    if (fs::is_regular_file(candidate, ec)) return candidate.string();
  }
  return "";
}

} // namespace

TDesignModule::TDesignModule(TModuleServices& services, TModule& module)
    : FModule(module), FDesigner(services, module), FSavedForm(module.File().SaveToString()) {
  FUnitFileName = UnitBeside(module.FileName());
  if (FUnitFileName.empty()) return;
  try {
    FUnit.emplace(TUnitSource::LoadFromFile(FUnitFileName));
    FSavedUnit = FUnit->Bytes();
    if (!FUnit->FindClass(RootClassName())) {
      FUnitProblem = FUnitFileName + ": no declaration of class " + RootClassName();
      FUnit.reset();
    }
  } catch (const Exception& e) {
    FUnitProblem = e.Message();
    FUnit.reset();
  }
}

TComponent* TDesignModule::Root() const { return FModule.Root(); }
const std::string& TDesignModule::FileName() const { return FModule.FileName(); }
std::string TDesignModule::RootClassName() const { return Root() ? Root()->ClassName() : ""; }

std::string TDesignModule::NoteUnitLeftAlone(const std::string& why) const {
  return why + "; the unit was left alone";
}

std::string TDesignModule::DeclareComponent(const std::string& name, const std::string& className,
                                            const std::string& unitName) {
  if (!FUnit) return FUnitProblem.empty() ? "" : NoteUnitLeftAlone(FUnitProblem);
  try {
    FUnit->AddField(RootClassName(), name, className);
    if (!unitName.empty()) FUnit->AddUses(unitName);
  } catch (const EUnitError& e) {
    return NoteUnitLeftAlone(e.Message());
  }
  return "";
}

std::string TDesignModule::RenameDeclaration(const std::string& oldName, const std::string& newName,
                                             std::vector<int>& codeLines) {
  if (!FUnit) return FUnitProblem.empty() ? "" : NoteUnitLeftAlone(FUnitProblem);
  try {
    FUnit->RenameField(RootClassName(), oldName, newName);
    codeLines = FUnit->RenameInMethods(RootClassName(), oldName, newName);
  } catch (const EUnitError& e) {
    return NoteUnitLeftAlone(e.Message());
  }
  return "";
}

std::string TDesignModule::RemoveDeclaration(const std::string& name) {
  if (!FUnit) return FUnitProblem.empty() ? "" : NoteUnitLeftAlone(FUnitProblem);
  try {
    FUnit->RemoveField(RootClassName(), name);
  } catch (const EUnitError& e) {
    return NoteUnitLeftAlone(e.Message());
  }
  return "";
}

std::string TDesignModule::RenameFormClass(const std::string& oldClass, const std::string& newClass,
                                           const std::string& oldVariable, const std::string& newVariable,
                                           std::vector<int>& lines) {
  if (!FUnit) return FUnitProblem.empty() ? "" : NoteUnitLeftAlone(FUnitProblem);
  try {
    lines = FUnit->RenameFormClass(oldClass, newClass, oldVariable, newVariable);
  } catch (const EUnitError& e) {
    return NoteUnitLeftAlone(e.Message());
  }
  return "";
}

bool TDesignModule::IsModified() {
  return FModule.File().SaveToString() != FSavedForm || (FUnit && FUnit->Bytes() != FSavedUnit);
}

std::vector<std::string> TDesignModule::Save() {
  std::vector<std::string> written;
  std::string form = FModule.File().SaveToString();
  if (form != FSavedForm) {
    FModule.Save();
    FSavedForm = std::move(form);
    written.push_back(FModule.FileName());
  }
  if (FUnit && FUnit->Bytes() != FSavedUnit) {
    WriteFileAtomically(FUnitFileName, FUnit->Bytes());
    FSavedUnit = FUnit->Bytes();
    written.push_back(FUnitFileName);
  }
  return written;
}
