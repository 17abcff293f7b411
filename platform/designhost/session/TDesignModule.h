#pragma once
// One module of a design session: an open form file, the designer editors
// reach it through, and the Pascal unit beside it (same base name, ".pas" in
// either case) when there is one the host understands. Saving writes each
// file only when its bytes differ from what is on disk.
#include "designhost/TModuleDesigner.h"
#include "designhost/units/TUnitSource.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TComponent;
class TModule;
class TModuleServices;

class TDesignModule {
public:
  TDesignModule(TModuleServices& services, TModule& module);
  TDesignModule(const TDesignModule&) = delete;
  TDesignModule& operator=(const TDesignModule&) = delete;

  TModule& Module() const { return FModule; }
  TModuleDesigner& Designer() { return FDesigner; }
  TComponent* Root() const;
  const std::string& FileName() const;

  // The unit beside the form; none when there is none or it cannot be used
  // (then UnitProblem says why, for a unit that exists).
  TUnitSource* Unit() { return FUnit ? &*FUnit : nullptr; }
  const std::string& UnitFileName() const { return FUnitFileName; }
  const std::string& UnitProblem() const { return FUnitProblem; }
  // The class the form's root has in its unit's declaration.
  std::string RootClassName() const;

  // The unit edits that follow the form's components. Each returns a note
  // for the user when the unit was left alone; empty otherwise.
  std::string DeclareComponent(const std::string& name, const std::string& className, const std::string& unitName);
  // Renames the field and the component's mentions in the form class's
  // methods; codeLines gets the lines of code changed.
  std::string RenameDeclaration(const std::string& oldName, const std::string& newName, std::vector<int>& codeLines);
  std::string RemoveDeclaration(const std::string& name);
  // The form's class and global variable renamed in the unit; lines gets
  // the lines changed.
  std::string RenameFormClass(const std::string& oldClass, const std::string& newClass, const std::string& oldVariable,
                              const std::string& newVariable, std::vector<int>& lines);

  // Whether the form or its unit would be written by Save: the form's bytes
  // differ from what it was read as (written as) or last saved as.
  bool IsModified();
  // The form's bytes as read (as written by the last save).
  const std::string& SavedForm() const { return FSavedForm; }
  // Writes the form file, then the unit, each only when its bytes changed;
  // returns the files written. Raises EInOutError; the file that failed
  // keeps its old content.
  std::vector<std::string> Save();

private:
  std::string NoteUnitLeftAlone(const std::string& why) const;

  TModule& FModule;
  TModuleDesigner FDesigner;
  std::string FSavedForm;
  std::string FUnitFileName;
  std::string FUnitProblem;
  std::optional<TUnitSource> FUnit;
  std::string FSavedUnit;
};
