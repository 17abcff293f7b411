#pragma once
// The host's component editor of datasets. Its own ExecuteVerb opens the
// fields editor for verb 0 with the designer class GetDSDesignerClass names.
#include "designhost/TComponentEditor.h"
#include "designhost/TDSDesigner.h"

class TDataSetEditor : public TComponentEditor {
  QUELM_CLASS(TDataSetEditor, TComponentEditor)

public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  std::string GetVerb(int index) override;
  int GetVerbCount() override;
  virtual TDSDesignerClass GetDSDesignerClass();
};
