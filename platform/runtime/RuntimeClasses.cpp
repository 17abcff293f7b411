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
  for (const TClassInfo* cls :
       {&TQuelmDatabase::StaticClass(), &TQuelmDataSet::StaticClass(), &TQuelmTable::StaticClass(),
        &TQuelmQuery::StaticClass(), &TQuelmStoredProc::StaticClass(), &TQuelmDirectQuery::StaticClass(),
        &TQuelmUpdateSQL::StaticClass(), &TQuelmMacroQuery::StaticClass(), &TQuelmBatchExecute::StaticClass(),
        &TQuelmMonitor::StaticClass(), &TQuelmDump::StaticClass(), &TQuelmTools::StaticClass(),
        &TQuelmAboutComp::StaticClass()})
    registry.RegisterClass(*cls);
}

namespace {
// The runtime library registers its classes when it is loaded, as the host's
// run-time packages do; form files that name them can then be read.
struct TRuntimeStartup {
  TRuntimeStartup() { RegisterRuntimeClasses(); }
} startup;
} // namespace
