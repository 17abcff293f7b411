#include "editors/TQuelmUpdateSQLEditor.h"

#include "runtime/TQuelmUpdateSQL.h"
#include "updsqled/TQuelmUpdateSQLEditForm.h"

QUELM_DEFINE_CLASS(TQuelmUpdateSQLEditor, TComponentEditor)

void TQuelmUpdateSQLEditor::ExecuteVerb(int) {
  // The form changed only when the developer accepted the dialog.
  if (EditQuelmUpdateSQL(&As<TQuelmUpdateSQL>(*Component())) && GetDesigner()) GetDesigner()->Modified();
}

std::string TQuelmUpdateSQLEditor::GetVerb(int) { return "&QuelmUpdateSQL Editor..."; }

int TQuelmUpdateSQLEditor::GetVerbCount() { return 1; }
