#include "package/QuelmCOMP.h"

#include "designhost/DesignRegistry.h"
#include "editors/NameListPropertyEditors.h"
#include "editors/TAboutProperty.h"
#include "editors/TQuelmFileNameProperty.h"
#include "editors/TQuelmSPParamsProperty.h"
#include "editors/TQuelmTableFieldLinkProperty.h"
#include "editors/TMigrateExecutePropertyEditor.h"
#include "editors/TQuelmDataSourcePropertyEditor.h"
#include "editors/TQuelmDataSetEditor.h"
#include "editors/TQuelmDatabaseEditor.h"
#include "editors/TQuelmUpdateSQLEditor.h"
#include "migrator/TBDE2QuelmDorvik.h"
#include "db/TDataSource.h"
#include "db/TParams.h"
#include "runtime/QuelmTypes.h"
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
  RegisterComponentEditor(TQuelmDatabase::StaticClass(), TComponentEditorClass::Of<TQuelmDatabaseEditor>());
  RegisterComponentEditor(TQuelmDataSet::StaticClass(), TComponentEditorClass::Of<TQuelmDataSetEditor>());
  RegisterComponentEditor(TQuelmUpdateSQL::StaticClass(), TComponentEditorClass::Of<TQuelmUpdateSQLEditor>());
  RegisterPropertyEditors();
}

void RegisterPropertyEditors() {
  const TClassInfo& table = TQuelmTable::StaticClass();
  const TClassInfo& database = TQuelmDatabase::StaticClass();
  RegisterPropertyEditor(&TypeInfoFileName(), &table, "TableName",
                         TPropertyEditorClass::Of<TQuelmTableNamePropertyEditor>());
  RegisterPropertyEditor(&TypeInfoString(), &table, "IndexName",
                         TPropertyEditorClass::Of<TQuelmIndexNamePropertyEditor>());
  RegisterPropertyEditor(&TypeInfoString(), &table, "IndexFieldNames",
                         TPropertyEditorClass::Of<TQuelmIndexFieldNamesPropertyEditor>());
  RegisterPropertyEditor(&TDataSource::StaticClass().TypeInfo(), &table, "MasterSource",
                         TPropertyEditorClass::Of<TQuelmDataSourcePropertyEditor>());
  RegisterPropertyEditor(&TypeInfoString(), &table, "MasterFields",
                         TPropertyEditorClass::Of<TQuelmTableFieldLinkProperty>());
  RegisterPropertyEditor(&TypeInfoQuelmDorvikAbout(), nullptr, "", TPropertyEditorClass::Of<TAboutProperty>());
  RegisterPropertyEditor(&TypeInfoFileName(), &database, "SSLCert", TPropertyEditorClass::Of<TQuelmFileNameProperty>());
  RegisterPropertyEditor(&TypeInfoFileName(), &database, "SSLKey", TPropertyEditorClass::Of<TQuelmFileNameProperty>());
  RegisterPropertyEditor(&TypeInfoBoolean(), &TBDE2QuelmDorvik::StaticClass(), "Execute",
                         TPropertyEditorClass::Of<TMigrateExecutePropertyEditor>());
  RegisterPropertyEditor(&TypeInfoString(), &TQuelmStoredProc::StaticClass(), "ProcedureName",
                         TPropertyEditorClass::Of<TQuelmStoredProcNamePropertyEditor>());
  RegisterPropertyEditor(&TypeInfoString(), &database, "ConnectionCharacterSet",
                         TPropertyEditorClass::Of<TQuelmDatabaseCharsetPropertyEditor>());
  RegisterPropertyEditor(&TypeInfoString(), &database, "ConnectionCollation",
                         TPropertyEditorClass::Of<TQuelmDatabaseCollationPropertyEditor>());
  RegisterPropertyEditor(&TParams::StaticClass().TypeInfo(), &TQuelmStoredProc::StaticClass(), "Params",
                         TPropertyEditorClass::Of<TQuelmSPParamsProperty>());
}
