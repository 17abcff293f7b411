#include "designhost/TDataSetEditor.h"

#include "db/TDataSet.h"
#include "designhost/FieldsEditor.h"
#include "designhost/TFieldsEditorForm.h"

QUELM_DEFINE_CLASS(TDataSetEditor, TComponentEditor)

void TDataSetEditor::ExecuteVerb(int index) {
  if (index == 0)
    if (auto* dataSet = dynamic_cast<TDataSet*>(Component())) {
      TFieldsEditor& editor = ShowFieldsEditor(GetDesigner(), dataSet, GetDSDesignerClass());
      // Headless, the window runs modally so that a script can work it.
      CreateFieldsEditorForm(nullptr, editor)->ShowModal();
    }
}

std::string TDataSetEditor::GetVerb(int index) { return index == 0 ? "Fields Editor..." : ""; }

int TDataSetEditor::GetVerbCount() { return 1; }

TDSDesignerClass TDataSetEditor::GetDSDesignerClass() { return TDSDesignerClass::Of<TDSDesigner>(); }
