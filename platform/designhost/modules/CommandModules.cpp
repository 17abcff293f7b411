#include "designhost/modules/CommandModules.h"

#include "classes/TClassRegistry.h"
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "designhost/foreign/ForeignClasses.h"

TCommandModules::TCommandModules(TDesignToolContext& ctx) {
  RegisterForeignClasses(TClassRegistry::Global());
  if (ctx.Modules) {
    FServices = ctx.Modules;
  } else {
    FOwned = std::make_unique<TModuleServices>(TClassRegistry::Global());
    FServices = FOwned.get();
  }
  FActive = std::make_unique<TModuleServicesGuard>(*FServices);
}

TCommandModules::~TCommandModules() {
  // The scope ends before the services it names.
  FActive.reset();
}
