#pragma once
// The About property of the suite's components: "About..." in the inspector,
// and the ellipsis button shows the suite's about box.
#include "designhost/TPropertyEditor.h"

class TAboutProperty : public TPropertyEditor {
  QUELM_CLASS(TAboutProperty, TPropertyEditor)

public:
  using TPropertyEditor::TPropertyEditor;
  void Edit() override;
  TPropertyAttributes GetAttributes() override;  // dialog and read-only
  std::string GetValue() override;
};

// The revision of a "$Revision: n $" keyword string; 0 when it holds no number.
int RevisionOf(const std::string& keyword);
