#include "editors/NameListPropertyEditors.h"

#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/TIndexDefs.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"

QUELM_DEFINE_CLASS(TQuelmTableNamePropertyEditor, TStringProperty)
QUELM_DEFINE_CLASS(TQuelmIndexNamePropertyEditor, TStringProperty)
QUELM_DEFINE_CLASS(TQuelmIndexFieldNamesPropertyEditor, TStringProperty)
QUELM_DEFINE_CLASS(TQuelmStoredProcNamePropertyEditor, TStringProperty)
QUELM_DEFINE_CLASS(TQuelmDatabaseCharsetPropertyEditor, TStringProperty)
QUELM_DEFINE_CLASS(TQuelmDatabaseCollationPropertyEditor, TStringProperty)

namespace {
constexpr const char* DatabaseNotSet = "Database property is not set";

// Fills a temporary list and hands its entries to proc in list order; the
// list goes also when filling or handing on raises.
template <class Fill>
void HandOut(const TGetStrProc& proc, Fill fill) {
  TStringList values;
  fill(values);
  for (int i = 0; i < values.Count(); ++i) proc(values[i]);
}
} // namespace

TPropertyAttributes TQuelmTableNamePropertyEditor::GetAttributes() { return NameListAttributes; }

void TQuelmTableNamePropertyEditor::GetValues(const TGetStrProc& proc) {
  HandOut(proc, [this](TStrings& list) { GetValueList(list); });
}

void TQuelmTableNamePropertyEditor::GetValueList(TStrings& list) {
  TQuelmTable& table = As<TQuelmTable>(*GetComponent(0));
  TQuelmDatabase* database = table.GetDatabase();
  if (!database) throw EDatabaseError(DatabaseNotSet);
  database->GetTableNames("", list, true);
}

TPropertyAttributes TQuelmIndexNamePropertyEditor::GetAttributes() { return NameListAttributes; }

void TQuelmIndexNamePropertyEditor::GetValues(const TGetStrProc& proc) {
  HandOut(proc, [this](TStrings& list) { GetValueList(list); });
}

void TQuelmIndexNamePropertyEditor::GetValueList(TStrings& list) {
  As<TQuelmTable>(*GetComponent(0)).GetIndexNames(list);
}

TPropertyAttributes TQuelmIndexFieldNamesPropertyEditor::GetAttributes() { return NameListAttributes; }

void TQuelmIndexFieldNamesPropertyEditor::GetValues(const TGetStrProc& proc) {
  HandOut(proc, [this](TStrings& list) { GetValueList(list); });
}

void TQuelmIndexFieldNamesPropertyEditor::GetValueList(TStrings& list) {
  TPersistent& component = *GetComponent(0);
  const TPropInfo* prop = ::GetPropInfo(component, "IndexDefs");
  if (!prop || prop->Kind() != TTypeKind::tkClass) return;
  TObject* object = PropValue::From<TObject*>(GetPropValue(component, *prop));
  if (!object) return;
  TIndexDefs& indexDefs = As<TIndexDefs>(*object);
  indexDefs.SetUpdated(false);
  indexDefs.Update();
  for (int i = 0; i < indexDefs.Count(); ++i) {
    TIndexDef* def = indexDefs.Items(i);
    TIndexOptions options = def->Options();
    if (options.Contains(TIndexOption::ixDescending) || options.Contains(TIndexOption::ixExpression)) continue;
    if (def->Fields().empty()) continue;
    list.Add(def->Fields());
  }
}

TPropertyAttributes TQuelmStoredProcNamePropertyEditor::GetAttributes() { return NameListAttributes; }

void TQuelmStoredProcNamePropertyEditor::GetValues(const TGetStrProc& proc) {
  HandOut(proc, [this](TStrings& list) { GetValueList(list); });
}

void TQuelmStoredProcNamePropertyEditor::GetValueList(TStrings& list) {
  TQuelmStoredProc& proc = As<TQuelmStoredProc>(*GetComponent(0));
  TQuelmDatabase* database = proc.GetDatabase();
  if (!database) throw EDatabaseError(DatabaseNotSet);
  auto kind = proc.RoutineKind() == 0 ? TQuelmInternalSelectRoutinesType::srtProcedures
                                      : TQuelmInternalSelectRoutinesType::srtFunctions;
  database->GetRoutinesNames("", list, kind);
}

TPropertyAttributes TQuelmDatabaseCharsetPropertyEditor::GetAttributes() { return NameListAttributes; }

void TQuelmDatabaseCharsetPropertyEditor::GetValues(const TGetStrProc& proc) {
  HandOut(proc, [this](TStrings& list) { As<TQuelmDatabase>(*GetComponent(0)).GetCharacterSetList(list); });
}

TPropertyAttributes TQuelmDatabaseCollationPropertyEditor::GetAttributes() { return NameListAttributes; }

void TQuelmDatabaseCollationPropertyEditor::GetValues(const TGetStrProc& proc) {
  HandOut(proc, [this](TStrings& list) { As<TQuelmDatabase>(*GetComponent(0)).GetCollationList(list); });
}
