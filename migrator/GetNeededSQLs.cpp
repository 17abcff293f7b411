#include "migrator/TBDE2QuelmDorvik.h"

#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "migrator/CommandTextStatement.h"
#include "rtl/TextCompare.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"

#include <initializer_list>

namespace {
bool IsOneOf(const std::string& className, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (SameText(className, name)) return true;
  return false;
}
} // namespace

// The source is read by the names of its class and published properties only.
// A property that a row reads unguarded raises the property error when the
// class lacks it; filter settings are carried for tables only.
void TBDE2QuelmDorvik::GetNeededSQLs(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  if (!newDataSet || !oldDataSet) return;
  const TDataSet& old = *oldDataSet;
  const std::string& cls = old.ClassName();
  if (IsOneOf(cls, {"TQuery", "TZQuery", "TSQLQuery", "TADOQuery"})) {
    auto* lines = dynamic_cast<TStrings*>(GetObjectProp(old, "SQL"));
    if (auto* query = dynamic_cast<TQuelmQuery*>(newDataSet); query && lines) query->SetSQL(lines);
  } else if (IsOneOf(cls, {"TSQLDataset", "TADODataset"})) {
    std::string text = CommandTextStatement(old);
    if (auto* query = dynamic_cast<TQuelmQuery*>(newDataSet)) query->GetQuery().SetText(text);
  } else if (IsOneOf(cls, {"TTable", "TZTable", "TSQLTable", "TADOTable"})) {
    std::string tableName = GetStrProp(old, "TableName");
    auto* table = dynamic_cast<TQuelmTable*>(newDataSet);
    if (table) table->SetTableName(tableName);
    if (IsPublishedProp(old, "Filtered")) {
      bool filtered = GetOrdProp(old, "Filtered") != 0;
      if (table) table->SetFiltered(filtered);
    }
    if (IsPublishedProp(old, "Filter")) {
      std::string filter = GetStrProp(old, "Filter");
      if (table) table->SetFilter(filter);
    }
  } else if (IsOneOf(cls, {"TStoredProc", "TZStoredProc", "TSQLStoredProc"})) {
    std::string name = GetStrProp(old, "StoredProcName");
    if (auto* proc = dynamic_cast<TQuelmStoredProc*>(newDataSet)) proc->SetProcedureName(name);
  } else if (IsOneOf(cls, {"TADOStoredProc"})) {
    std::string name = GetStrProp(old, "ProcedureName");
    if (auto* proc = dynamic_cast<TQuelmStoredProc*>(newDataSet)) proc->SetProcedureName(name);
  }
}
