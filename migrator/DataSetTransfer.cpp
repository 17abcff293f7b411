#include "migrator/TBDE2QuelmDorvik.h"

#include "db/TDataSet.h"
#include "db/TField.h"
#include "runtime/TQuelmDataSet.h"

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
