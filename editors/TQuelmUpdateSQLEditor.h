#pragma once
// The context menu of an update-SQL object: one verb, the UpdateSQL editor.
#include "designhost/TComponentEditor.h"

class TQuelmUpdateSQLEditor : public TComponentEditor {
  QUELM_CLASS(TQuelmUpdateSQLEditor, TComponentEditor)

public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  std::string GetVerb(int index) override;
  int GetVerbCount() override;
};
