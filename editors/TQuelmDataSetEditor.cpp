#include "editors/TQuelmDataSetEditor.h"

#include "classes/TStrings.h"
#include "designhost/FieldsEditor.h"
#include "designhost/SQLTableName.h"
#include "editors/TQuelmDesigner.h"
#include "queryedit/QuelmQueryEdit.h"
#include "db/DatabaseError.h"
#include "rtl/ScopeGuard.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmQuery.h"

QUELM_DEFINE_CLASS(TQuelmDataSetEditor, TDataSetEditor)

void TQuelmDataSetEditor::ExecuteVerb(int index) {
  TDataSetEditor::ExecuteVerb(index);
  auto& dataSet = As<TQuelmDataSet>(*Component());
  switch (index) {
  case 0:
    // The host's own verb opened the fields editor with this editor's
    // designer class already; this brings it forward.
    ShowFieldsEditor(GetDesigner(), &dataSet, TDSDesignerClass::Of<TDSDesigner>());
    break;
  case 1:
    EditQuerySQL();
    break;
  case 2:
    dataSet.SetActive(!dataSet.Active());
    break;
  default:
    break;
  }
  if (GetDesigner()) GetDesigner()->Modified();
}

void TQuelmDataSetEditor::EditQuerySQL() {
  auto* query = dynamic_cast<TQuelmQuery*>(Component());
  if (!query) return;
  FDatabase = query->GetDatabase();
  // The dialog calls back into this editor only while it is open.
  TScopeGuard clear([this] { FDatabase = nullptr; });
  std::string sql = query->GetQuery().Text();
  std::string startTable = sql.empty() ? std::string() : GetTableNameFromSQL(sql);
  TGetTableNamesProc getTables = [this](TStrings& list, bool systemTables) { GetTables(list, systemTables); };
  TGetFieldNamesProc getFields = [this](const std::string& tableName, TStrings& list, bool systemTables) {
    GetFields(tableName, list, systemTables);
  };
  // Queries run in the connection's own mode, and so are they checked.
  TCheckSQLProc checkSQL = [this](const std::string& text) {
    if (!FDatabase) DatabaseError("Database not assigned");
    TQuelmStatementCheck check = FDatabase->CheckSQL(text, TSqlQuoting::sqDefault);
    return TSQLCheck{check.Ok, check.ErrorCode, check.Message};
  };
  if (EditSQL(sql, getTables, getFields, startTable, checkSQL)) query->GetQuery().SetText(sql);
}

std::string TQuelmDataSetEditor::GetVerb(int index) {
  switch (index) {
  case 0:
    return "Fields Editor...";
  case 1:
    return dynamic_cast<TQuelmQuery*>(Component()) ? "SQL Editor..." : "";
  case 2:
    return As<TQuelmDataSet>(*Component()).Active() ? "Close" : "Open";
  default:
    return "";
  }
}

int TQuelmDataSetEditor::GetVerbCount() { return 3; }

TDSDesignerClass TQuelmDataSetEditor::GetDSDesignerClass() { return TDSDesignerClass::Of<TQuelmDesigner>(); }

void TQuelmDataSetEditor::GetTables(TStrings& List, bool) {
  List.Clear();
  if (FDatabase && FDatabase->Connected()) FDatabase->GetTableNames("", List, true);
}

void TQuelmDataSetEditor::GetFields(const std::string& TableName, TStrings& List, bool) {
  // GetFieldNames replaces the list's content itself. Without a connection
  // the list is emptied, so a connection lost while the dialog is open does
  // not leave the previous table's fields under the newly chosen table.
  if (FDatabase && FDatabase->Connected()) FDatabase->GetFieldNames(TableName, List);
  else List.Clear();
}
