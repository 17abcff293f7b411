#include "designhost/modules/CommandModules.h"

#include "classes/TClassRegistry.h"
#include "designhost/ModuleServices.h"
#include "designhost/foreign/ForeignClasses.h"

TCommandModules::TCommandModules(TDesignToolContext& ctx) {
  RegisterForeignClasses(TClassRegistry::Global());
  if (ctx.Modules) {
    FServices = ctx.Modules;
    return;
  }
  FOwned = std::make_unique<TModuleServices>(TClassRegistry::Global());
  FServices = FOwned.get();
}

TCommandModules::~TCommandModules() = default;
