#pragma once
// The form files one command works on, opened in a design session, and the
// component a command names in them.
#include "designhost/ModuleServices.h"
#include "designhost/TModuleDesigner.h"
#include "designhost/session/TDesignSession.h"

#include <string>
#include <vector>

class TComponent;

class TFormSession {
public:
  // Opens the files; raises EFormError or EInOutError for a bad one.
  explicit TFormSession(const std::vector<std::string>& files);

  TDesignSession& Session() { return FSession; }
  TDesignModule& Main() { return *FMain; }
  TModuleServices& Modules() { return FSession.Services(); }
  TModule& MainModule() const { return FMain->Module(); }
  TModuleDesigner& Designer() { return FMain->Designer(); }
  // The component of that name in the first file ("Root.Name" reaches
  // another open file); raises Exception "FILE has no component NAME".
  TComponent& FindComponent(const std::string& name) { return FSession.FindComponent(*FMain, name); }
  // Writes the forms and units whose bytes changed; the files written.
  std::vector<std::string> SaveModified() { return FSession.Save(); }

private:
  TDesignSession FSession;
  TDesignModule* FMain = nullptr;
};
