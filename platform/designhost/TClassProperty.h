#pragma once
// The host's editor of object-valued properties that are not components:
// shows the class name and offers the object's own properties.
#include "designhost/TPropertyEditor.h"

class TClassProperty : public TPropertyEditor {
  QUELM_CLASS(TClassProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
};
