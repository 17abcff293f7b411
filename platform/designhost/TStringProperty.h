#pragma once
// The host's editor of string properties: the text is shown and stored as is.
#include "designhost/TPropertyEditor.h"

class TStringProperty : public TPropertyEditor {
  QUELM_CLASS(TStringProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  int GetEditLimit() override;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};
