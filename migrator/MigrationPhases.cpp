// The migration's run: the phases over the open modules (collect and convert
// the foreign datasets, re-point data sources and lookup fields, free the
// sources) and the making of each pair.
#include "migrator/TBDE2QuelmDorvik.h"

#include "classes/TypInfo.h"
#include "db/DatabaseError.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "forms/MessageDialogs.h"
#include "forms/TScreen.h"
#include "migrator/ConvertibleClasses.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuard.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <functional>

namespace {

constexpr const char* ProcessedMessage = "%d dataset descendants processed successfully";

// Each form editor of the open modules that has a root, in module order.
void ForEachFormRoot(const std::function<void(TFormEditor&, TComponent&)>& visit) {
  TModuleServices* services = ModuleServices();
  if (!services) return;
  for (int i = 0; i < services->GetModuleCount(); ++i) {
    TModule* module = services->GetModule(i);
    for (int j = 0; j < module->GetModuleFileCount(); ++j) {
      TFormEditor* editor = module->GetModuleFileEditor(j)->AsFormEditor();
      if (!editor) continue;
      editor->Show();
      if (TComponent* root = editor->GetRootComponent()) visit(*editor, *root);
    }
  }
}

bool IsNewDataSet(const TDataSetList& pairs, const TComponent* component) {
  if (!component) return false;
  for (int i = 0; i < pairs.Count(); ++i)
    if (pairs.GetNewDataSets(i) == component) return true;
  return false;
}

// Whether a root holds something the migration made or re-pointed: a new
// dataset (made beside its source, whose rename it follows), a field, data
// source or update object bound to one.
bool HoldsMigratedComponents(const TDataSetList& pairs, const TComponent& root) {
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* c = root.Components(i);
    if (IsNewDataSet(pairs, c)) return true;
    if (auto* source = dynamic_cast<TDataSource*>(c); source && IsNewDataSet(pairs, source->DataSet())) return true;
    if (auto* field = dynamic_cast<TField*>(c);
        field && (IsNewDataSet(pairs, field->DataSet()) || IsNewDataSet(pairs, field->LookupDataSet())))
      return true;
    if (auto* update = dynamic_cast<TQuelmUpdateSQL*>(c); update && IsNewDataSet(pairs, update->DataSet()))
      return true;
  }
  return false;
}

// The migration changes forms other than the migrator's own, which the
// designer of the migrator's form does not hear of: every changed module is
// marked for saving when the migration ends, also when it ends early, since
// what was done stays done.
void MarkChangedModules(const TDataSetList& pairs) noexcept {
  try {
    ForEachFormRoot([&pairs](TFormEditor& editor, TComponent& root) {
      if (HoldsMigratedComponents(pairs, root)) editor.MarkModified();
    });
  } catch (...) {
    // Marking is advice to the host; an error here must not replace the
    // migration's own outcome.
  }
}

// Freeing the migrator itself, a component that owns it, or a form's root
// (which its module owns) would pull the ground from under the migration or
// the host; a source's update object can name any component, so such a
// reference is left alone.
bool MayFree(const TComponent* component, const TComponent* migrator) {
  if (!component->Owner()) return false;
  for (const TComponent* c = migrator; c; c = c->Owner())
    if (c == component) return false;
  return true;
}

} // namespace

void TBDE2QuelmDorvik::Migrate() {
  if (!FDatabase) DatabaseError("Database not assigned", this);
  FDataSetList->ClearAll();
  TScopeGuard markChanged([this] { MarkChangedModules(*FDataSetList); });
  {
    // The hourglass while the migration runs; the default cursor once it
    // ends, however it ends.
    TCursorGuard wait(crHourGlass, crDefault);
    MigrateTables();
    MigrateDataSources();
    MigrateLookupFields();
    if (FDeleteSourceComponents)
      for (int i = 0; i < FDataSetList->Count(); ++i) {
        // The pairs hold weak references: a source that an earlier step freed
        // (the shared update object of another source, say) reads as none, so
        // nothing is freed twice.
        TDataSet* old = FDataSetList->GetOldDataSets(i);
        if (!old) continue;
        if (IsPublishedProp(*old, "UpdateObject"))
          if (auto* update = dynamic_cast<TComponent*>(GetObjectProp(*old, "UpdateObject"));
              update && MayFree(update, this))
            delete update;
        old = FDataSetList->GetOldDataSets(i);
        if (old && MayFree(old, this)) delete old;
      }
  }
  ShowMessage(Format(ProcessedMessage, {FDataSetList->Count()}));
}

void TBDE2QuelmDorvik::FillComponents(TList<TComponent>* list, const TClassInfo* cls) {
  if (!list || !cls) return;
  ForEachFormRoot([&](TFormEditor&, TComponent& root) {
    for (int i = 0; i < root.ComponentCount(); ++i)
      if (TComponent* c = root.Components(i); c->InheritsFrom(*cls)) list->Add(c);
  });
}

void TBDE2QuelmDorvik::MigrateTables() {
  TList<TComponent> dataSets;
  FillComponents(&dataSets, &TDataSet::StaticClass());
  for (int i = dataSets.Count() - 1; i >= 0; --i) CheckDataSet(dynamic_cast<TDataSet*>(dataSets[i]));
  for (int i = 0; i < FDataSetList->Count(); ++i) {
    TQuelmDataSet* made = FDataSetList->GetNewDataSets(i);
    TDataSet* old = FDataSetList->GetOldDataSets(i);
    if (made && old) CreateQuelmDataSet(made, old);
  }
}

void TBDE2QuelmDorvik::MigrateDataSources() {
  TList<TComponent> sources;
  FillComponents(&sources, &TDataSource::StaticClass());
  for (TComponent* c : sources) {
    auto* source = static_cast<TDataSource*>(c);
    if (FDataSetList->IndexOfOldDataSet(source->DataSet()) != -1)
      source->SetDataSet(FDataSetList->GetPaired(source->DataSet()));
  }
}

void TBDE2QuelmDorvik::MigrateLookupFields() {
  TList<TComponent> fields;
  FillComponents(&fields, &TField::StaticClass());
  for (TComponent* c : fields) {
    auto* field = static_cast<TField*>(c);
    if (field->IsLookup() && FDataSetList->IndexOfOldDataSet(field->LookupDataSet()) != -1)
      field->SetLookupDataSet(FDataSetList->GetPaired(field->LookupDataSet()));
  }
}

void TBDE2QuelmDorvik::CheckDataSet(TDataSet* dataSet) {
  if (!dataSet) return;
  const TConvertibleClass* row = FindConvertibleClass(dataSet->ClassName(), FConvertComponents);
  // A replacement lives beside its source; a dataset without an owner has no
  // form to put one on.
  TComponent* owner = dataSet->Owner();
  if (!row || !owner) return;
  TQuelmDataSet* made = nullptr;
  switch (row->Kind) {
  case TQuelmDataSetKind::Query: made = new TQuelmQuery(owner); break;
  case TQuelmDataSetKind::Table: made = new TQuelmTable(owner); break;
  case TQuelmDataSetKind::StoredProc: made = new TQuelmStoredProc(owner); break;
  }
  UpdateDesignInfo(dataSet, made);
  NewDataSetPair(made, dataSet);
}

void TBDE2QuelmDorvik::UpdateDesignInfo(TComponent* source, TComponent* destination) {
  if (!source || !destination) return;
  destination->SetDesignInfo(source->DesignInfo());
  TComponent* owner = source->Owner();
  if (!owner) return;
  // Out and in again: the owner, and through it the designer, sees the
  // component anew at its position, as the owner's last component.
  if (destination->Owner() == owner) owner->RemoveComponent(destination);
  owner->InsertComponent(destination);
}

int TBDE2QuelmDorvik::NewDataSetPair(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  auto pair = std::make_unique<TDataSetPair>();
  pair->OldDataSet = oldDataSet;
  pair->NewDataSet = newDataSet;
  return FDataSetList->Add(std::move(pair));
}
