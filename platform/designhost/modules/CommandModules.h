#pragma once
// The module services a form-file command of the designer program works on (the
// host's, or their own over the global class registry with the foreign
// dataset classes registered), active while the command runs.
#include "designhost/DesignTools.h"

#include <memory>

class TModuleServicesGuard;
class TModuleServices;

class TCommandModules {
public:
  explicit TCommandModules(TDesignToolContext& ctx);
  ~TCommandModules();
  TModuleServices& Get() { return *FServices; }

private:
  std::unique_ptr<TModuleServices> FOwned;
  TModuleServices* FServices;
  std::unique_ptr<TModuleServicesGuard> FActive;
};
