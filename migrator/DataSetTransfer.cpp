// The transfer of one pair: what the suite's dataset takes over from the
// foreign dataset it replaces (texts and names, events, field objects, the
// update object) and the names the two carry afterwards.
#include "migrator/TBDE2QuelmDorvik.h"

#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "designhost/migration/CommandTextStatement.h"
#include "db/TDataSet.h"
#include "db/TField.h"
#include "rtl/TextCompare.h"
#include "runtime/TQuelmDataSet.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <array>
#include <initializer_list>

namespace {

// A field that the designer named after its dataset twice over (Query1 plus
// Query1ID) gets the name with one copy of the dataset's name. The repair is
// cosmetic: a name that another component of the field's owner holds already
// (the dataset itself, for Query1Query1) is not taken, and the field keeps
// its name rather than ending the migration.
void RepairFieldNames(TQuelmDataSet& dataSet) {
  const std::string& n = dataSet.Name();
  if (n.empty()) return;
  for (int i = 0; i < dataSet.FieldCount(); ++i) {
    TField* field = dataSet.Fields()[i];
    const std::string& f = field->Name();
    if (f.compare(0, n.size(), n) != 0) continue;
    std::string rest = f.substr(n.size());
    if (rest.compare(0, n.size(), n) != 0) continue;
    TComponent* holder = field->Owner() ? field->Owner()->FindComponent(rest) : nullptr;
    if (holder && holder != field) continue;
    field->SetName(rest);
  }
}

bool IsOneOf(const std::string& className, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (SameText(className, name)) return true;
  return false;
}

// The update objects carried over, by exact class name.
bool IsConvertibleUpdateObject(const TComponent& component) {
  return SameText(component.ClassName(), "TUpdateSQL") || SameText(component.ClassName(), "TZUpdateSQL");
}

TComponent* UpdateObjectOf(const TDataSet& dataSet) {
  if (!IsPublishedProp(dataSet, "UpdateObject")) return nullptr;
  return dynamic_cast<TComponent*>(GetObjectProp(dataSet, "UpdateObject"));
}

// The lowest free name "former_2", "former_3", ... in owner.
std::string FreeName(const TComponent* owner, const std::string& former) {
  for (int n = 2;; ++n) {
    std::string name = former + "_" + std::to_string(n);
    if (!owner || !owner->FindComponent(name)) return name;
  }
}

} // namespace

void TBDE2QuelmDorvik::CreateQuelmDataSet(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  if (!newDataSet || !oldDataSet) return;
  oldDataSet->Close();
  newDataSet->SetDatabase(FDatabase.Get());
  GetNeededSQLs(newDataSet, oldDataSet);
  AssignEvents(newDataSet, oldDataSet);
  MoveFields(newDataSet, oldDataSet);
  GetCachedUpdates(newDataSet, oldDataSet);
  oldDataSet->SetName(std::string(ReplacedPrefix) + oldDataSet->Name());
  newDataSet->SetName(oldDataSet->Name().substr(ReplacedPrefix.size()));
  RepairFieldNames(*newDataSet);
  GetNeededUpdateObject(newDataSet, oldDataSet);
}

void TBDE2QuelmDorvik::GetCachedUpdates(TQuelmDataSet* newDataSet, TDataSet*) {
  if (newDataSet) newDataSet->SetCachedUpdates(false);
}

void TBDE2QuelmDorvik::AssignEvents(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  if (!newDataSet || !oldDataSet) return;
  TQuelmDataSet& to = *newDataSet;
  const TDataSet& from = *oldDataSet;
  to.BeforeOpen = from.BeforeOpen;
  to.AfterOpen = from.AfterOpen;
  to.BeforeClose = from.BeforeClose;
  to.AfterClose = from.AfterClose;
  to.BeforeInsert = from.BeforeInsert;
  to.AfterInsert = from.AfterInsert;
  to.BeforeEdit = from.BeforeEdit;
  to.AfterEdit = from.AfterEdit;
  to.BeforePost = from.BeforePost;
  to.AfterPost = from.AfterPost;
  to.BeforeCancel = from.BeforeCancel;
  to.AfterCancel = from.AfterCancel;
  to.BeforeDelete = from.BeforeDelete;
  to.AfterDelete = from.AfterDelete;
  to.BeforeScroll = from.BeforeScroll;
  to.AfterScroll = from.AfterScroll;
  to.OnCalcFields = from.OnCalcFields;
  to.OnDeleteError = from.OnDeleteError;
  to.OnEditError = from.OnEditError;
  // Through the setter, so the dataset can react to its new filter handler.
  to.SetOnFilterRecord(from.OnFilterRecord());
  to.OnNewRecord = from.OnNewRecord;
  to.OnPostError = from.OnPostError;
}

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

void TBDE2QuelmDorvik::MoveFields(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  if (!newDataSet || !oldDataSet || oldDataSet->DefaultFields()) return;
  // The field objects themselves move, with their names, owners, settings,
  // handlers and order.
  while (oldDataSet->FieldCount() > 0) oldDataSet->Fields()[0]->SetDataSet(newDataSet);
}

void TBDE2QuelmDorvik::AssignFields(TField* source, TField* destination) {
  if (!source || !destination) return;
  destination->SetFieldName(source->FieldName());
  destination->SetDisplayLabel(source->DisplayLabel());
  destination->SetFieldKind(source->FieldKind());
  destination->SetEditMask(source->EditMask());
  destination->SetAlignment(source->Alignment());
  destination->SetDefaultExpression(source->DefaultExpression());
  destination->SetDisplayWidth(source->DisplayWidth());
  destination->SetVisible(source->Visible());
  destination->SetKeyFields(source->KeyFields());
  destination->SetLookupCache(source->LookupCache());
  destination->SetLookupDataSet(FDataSetList->GetPaired(source->LookupDataSet()));
  destination->SetLookupKeyFields(source->LookupKeyFields());
  destination->SetLookupResultField(source->LookupResultField());
  destination->OnChange = source->OnChange;
  destination->OnGetText = source->OnGetText;
  destination->OnSetText = source->OnSetText;
  destination->OnValidate = source->OnValidate;
  std::string former = source->Name();
  source->SetName(std::string(ReplacedPrefix) + former);
  destination->SetName(former);
}

void TBDE2QuelmDorvik::GetNeededUpdateObject(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  if (!newDataSet || !oldDataSet || !IsPublishedProp(*oldDataSet, "UpdateObject")) return;
  auto* oldUpdate = dynamic_cast<TComponent*>(GetObjectProp(*oldDataSet, "UpdateObject"));
  if (!oldUpdate || !IsConvertibleUpdateObject(*oldUpdate)) return;

  // An update object that an earlier source of this migration shared is
  // converted already, under its name. The suite's update object serves one
  // dataset, so this dataset gets one of its own under a free name, and the
  // source is not renamed a second time.
  const TQuelmUpdateSQL* converted = nullptr;
  for (int i = 0; i < FDataSetList->Count() && !converted; ++i) {
    TDataSet* other = FDataSetList->GetOldDataSets(i);
    TQuelmDataSet* otherNew = FDataSetList->GetNewDataSets(i);
    if (other && other != oldDataSet && otherNew && otherNew != newDataSet && otherNew->GetUpdateObject() &&
        UpdateObjectOf(*other) == oldUpdate)
      converted = otherNew->GetUpdateObject();
  }

  // An update object without an owner has no form; its replacement then
  // lives beside the new dataset.
  TComponent* owner = oldUpdate->Owner() ? oldUpdate->Owner() : newDataSet->Owner();
  auto* made = new TQuelmUpdateSQL(owner);
  newDataSet->SetUpdateObject(made);
  UpdateDesignInfo(oldUpdate, made);
  if (converted) {
    made->SetName(FreeName(made->Owner(), converted->Name()));
  } else {
    oldUpdate->SetName(std::string(ReplacedPrefix) + oldUpdate->Name());
    made->SetName(oldUpdate->Name().substr(ReplacedPrefix.size()));
  }

  struct TStatement {
    const char* Property;
    TQuelmUpdateKind Kind;
  };
  constexpr std::array<TStatement, 3> Statements = {{{"ModifySQL", TQuelmUpdateKind::ukModify},
                                                     {"InsertSQL", TQuelmUpdateKind::ukInsert},
                                                     {"DeleteSQL", TQuelmUpdateKind::ukDelete}}};
  for (const TStatement& statement : Statements) {
    try {
      if (auto* lines = dynamic_cast<TStrings*>(GetObjectProp(*oldUpdate, statement.Property)))
        made->GetSQL(statement.Kind).Assign(lines);
    } catch (const Exception&) {
      // A statement that cannot be read stays empty; the others still come.
    }
  }
}
