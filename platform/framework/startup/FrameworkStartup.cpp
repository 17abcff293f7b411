#include "startup/FrameworkStartup.h"

#include "classes/TClassRegistry.h"
#include "classes/TStringList.h"
#include "db/FieldClasses.h"
#include "db/TDataSource.h"
#include "db/TFieldDefs.h"
#include "db/TIndexDefs.h"
#include "db/TParams.h"
#include "forms/FormDefinitionLoader.h"
#include "forms/FormsClasses.h"

void RegisterFrameworkClasses() {
  TClassRegistry& registry = TClassRegistry::Global();
  registry.RegisterClass(TComponent::StaticClass(), "Classes");
  registry.RegisterClass(TStringList::StaticClass(), "Classes");
  for (const TClassInfo* cls : {&TDataSet::StaticClass(), &TDataSource::StaticClass(), &TFieldDef::StaticClass(),
                                &TIndexDef::StaticClass(), &TParam::StaticClass()})
    registry.RegisterClass(*cls, "DB");
  for (const TClassInfo* cls : FieldClasses()) registry.RegisterClass(*cls, "DB");
  RegisterFormsClasses();
}

namespace {
// The framework registers its classes when its shared library is loaded, the
// way the host's run-time packages do at start-up; this is the one start-up
// hook of the library and it runs before any code that reads form files.
struct TFrameworkStartup {
  TFrameworkStartup() {
    RegisterFrameworkClasses();
    InstallFormDefinitionLoader();
  }
} startup;
} // namespace
