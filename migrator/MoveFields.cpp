#include "migrator/TBDE2QuelmDorvik.h"

#include "db/TDataSet.h"
#include "db/TField.h"
#include "runtime/TQuelmDataSet.h"

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
