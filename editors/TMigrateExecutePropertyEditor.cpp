#include "editors/TMigrateExecutePropertyEditor.h"

#include "migrator/TBDE2QuelmDorvik.h"
#include "rtl/Exceptions.h"

QUELM_DEFINE_CLASS(TMigrateExecutePropertyEditor, TPropertyEditor)

void TMigrateExecutePropertyEditor::Edit() {
  // The registration offers this editor on the migrator only; anything else
  // selected is a clear error rather than a call into the wrong object.
  auto* migrator = dynamic_cast<TBDE2QuelmDorvik*>(GetComponent(0));
  if (!migrator) throw EInvalidCast(HostText::InvalidCast);
  migrator->Migrate();
  Modified();
}

TPropertyAttributes TMigrateExecutePropertyEditor::GetAttributes() {
  return {TPropertyAttribute::paDialog, TPropertyAttribute::paReadOnly};
}

std::string TMigrateExecutePropertyEditor::GetValue() { return "Press to Migrate..."; }
