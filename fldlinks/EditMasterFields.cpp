#include "fldlinks/EditMasterFields.h"

#include "fldlinks/TLinkFields.h"

bool EditMasterFields(TDataSet* dataSet, TQuelmFieldLinkProperty& adapter) {
  auto form = CreateForm<TLinkFields>(nullptr);
  // The adapter first: SetDataSet already asks it for its index definitions.
  form->SetLinkProperty(&adapter);
  form->SetDataSet(dataSet);
  return form->Edit();
}
