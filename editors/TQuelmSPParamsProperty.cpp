#include "editors/TQuelmSPParamsProperty.h"

#include "runtime/TQuelmStoredProc.h"

QUELM_DEFINE_CLASS(TQuelmSPParamsProperty, TCollectionProperty)

void TQuelmSPParamsProperty::Edit() {
  TQuelmStoredProc& proc = As<TQuelmStoredProc>(*GetComponent(0));
  if (!proc.GetDatabase()) throw EDatabaseError("Database property is not set");
  if (proc.GetParamsCount() == 0) proc.SetNeedRefreshParams();
  proc.RefreshParams();
  TCollectionProperty::Edit();
}
