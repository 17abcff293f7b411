#pragma once
// The host's editor of object-valued properties that are not components:
// shows the class name and offers the object's own properties.
#include "designhost/TPropertyEditor.h"

class TClassProperty : public TPropertyEditor {
  QUELM_CLASS(TClassProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  // An editor for each published property of the selected components'
  // sub-objects (Constraints.MaxHeight), through the registered editors;
  // none when the property holds no plain sub-object (a string list, a
  // collection, nothing).
  void GetProperties(const TGetPropProc& proc) override;
  std::string GetValue() override;
};
