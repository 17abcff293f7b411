#include "package/QuelmCOMP.h"

#include "designhost/DesignRegistry.h"
#include "migrator/TBDE2QuelmDorvik.h"
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

extern "C" __attribute__((visibility("default"))) void Register() {
  RegisterComponents(QuelmPaletteName,
                     {&TQuelmDatabase::StaticClass(), &TQuelmTable::StaticClass(), &TQuelmQuery::StaticClass(),
                      &TQuelmStoredProc::StaticClass(), &TQuelmDirectQuery::StaticClass(),
                      &TQuelmUpdateSQL::StaticClass(), &TQuelmMacroQuery::StaticClass(),
                      &TBDE2QuelmDorvik::StaticClass(), &TQuelmBatchExecute::StaticClass(),
                      &TQuelmMonitor::StaticClass(), &TQuelmDump::StaticClass(), &TQuelmTools::StaticClass()});
  RegisterPropertyEditors();
}

void RegisterPropertyEditors() {}
