#pragma once
// The migrator's "Execute" property: a button in the inspector that runs the
// migration of the selected migrator. Its Boolean value is never used.
#include "designhost/TPropertyEditor.h"

class TMigrateExecutePropertyEditor : public TPropertyEditor {
  QUELM_CLASS(TMigrateExecutePropertyEditor, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  // Runs the first selected migrator's Migrate, then tells the designer that
  // the form changed; an error in the migration reaches the host first.
  void Edit() override;
  // A dialog button on a value that cannot be typed.
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
};
