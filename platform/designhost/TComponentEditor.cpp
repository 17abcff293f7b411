#include "designhost/TComponentEditor.h"

QUELM_DEFINE_CLASS(TComponentEditor, TObject)
QUELM_DEFINE_CLASS(TDefaultEditor, TComponentEditor)

TComponentEditor::TComponentEditor(TComponent* component, IFormDesigner* designer)
    : FComponent(component), FDesigner(designer) {}

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}

std::string TComponentEditor::GetVerb(int) { return ""; }

int TComponentEditor::GetVerbCount() { return 0; }
