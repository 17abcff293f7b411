#pragma once
// The host's editor of component-valued properties: offers the form's
// components of the property's class and stores the chosen one.
#include "designhost/TPropertyEditor.h"

class TComponentProperty : public TPropertyEditor {
  QUELM_CLASS(TComponentProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& proc) override;
  // An empty name clears the reference; an unknown name raises EPropertyError.
  void SetValue(const std::string& value) override;
};
