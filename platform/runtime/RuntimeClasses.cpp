#include "runtime/RuntimeClasses.h"

#include "classes/TClassRegistry.h"
#include "runtime/TQuelmAboutComp.h"
#include "runtime/TQuelmBatchExecute.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmDirectQuery.h"
#include "runtime/TQuelmDump.h"
#include "runtime/TQuelmMacroQuery.h"
#include "runtime/TQuelmMonitor.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmTools.h"
#include "runtime/TQuelmUpdateSQL.h"

void RegisterRuntimeClasses() {
  TClassRegistry& registry = TClassRegistry::Global();
  // Each class with the unit a form's unit names in its uses clause to use it.
  const std::pair<const TClassInfo*, const char*> classes[] = {
      {&TQuelmDatabase::StaticClass(), "QuelmAccess"},     {&TQuelmDataSet::StaticClass(), "QuelmAccess"},
      {&TQuelmTable::StaticClass(), "QuelmAccess"},        {&TQuelmQuery::StaticClass(), "QuelmAccess"},
      {&TQuelmStoredProc::StaticClass(), "QuelmAccess"},   {&TQuelmDirectQuery::StaticClass(), "QuelmAccess"},
      {&TQuelmUpdateSQL::StaticClass(), "QuelmAccess"},    {&TQuelmMacroQuery::StaticClass(), "QuelmMacroQuery"},
      {&TQuelmBatchExecute::StaticClass(), "QuelmScript"}, {&TQuelmMonitor::StaticClass(), "QuelmMonitor"},
      {&TQuelmDump::StaticClass(), "QuelmDump"},           {&TQuelmTools::StaticClass(), "QuelmTools"},
      {&TQuelmAboutComp::StaticClass(), "QuelmAbout"}};
  for (const auto& [cls, unit] : classes) registry.RegisterClass(*cls, unit);
}

namespace {
// The runtime library registers its classes when it is loaded, as the host's
// run-time packages do; form files that name them can then be read.
struct TRuntimeStartup {
  TRuntimeStartup() { RegisterRuntimeClasses(); }
} startup;
} // namespace
