#pragma once
// The form files one command works on, opened as modules of the design host,
// and the component a command names in them.
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "classes/TComponentRef.h"
#include "designhost/TModuleDesigner.h"

#include <memory>
#include <string>
#include <vector>

class TComponent;

class TFormSession {
public:
  // Opens the files; raises EFormError or EInOutError for a bad one.
  explicit TFormSession(const std::vector<std::string>& files);

  TModuleServices& Modules() { return FModules; }
  TModule& MainModule() const { return *FMain; }
  TModuleDesigner& Designer() { return *FDesigner; }
  // The component of that name in the first file ("Root.Name" reaches
  // another open file); raises Exception "FILE has no component NAME".
  TComponent& FindComponent(const std::string& name);
  // Saves the modules the designer was told changed; the files written.
  std::vector<std::string> SaveModified();
  // The same, but a module whose text would come out as its file holds it
  // now is left alone: a dialog confirmed without a change writes nothing.
  std::vector<std::string> SaveChanged();

private:
  // Connections and datasets a command opens (to read a table's columns,
  // say) are the command's own: they are closed again before saving, so the
  // file keeps the state it was read with.
  struct TOpenState {
    TComponentRef<TComponent> Component;  // a command may free it
    std::string Property;  // "Connected" or "Active"
  };
  void RecordClosedComponents();
  void CloseWhatTheCommandOpened();

  TModuleServices FModules;
  // The session's modules are the host's services while it is open, so that
  // package code walking the open forms (the migrator) sees them.
  TModuleServicesGuard FServicesGuard{FModules};
  std::vector<TOpenState> FClosedAtOpen;
  TModule* FMain = nullptr;
  std::unique_ptr<TModuleDesigner> FDesigner;
};
