#pragma once
// The context menu of a database connection: the connection dialog, and
// connecting to or disconnecting from the server.
#include "designhost/TComponentEditor.h"

class TQuelmDatabaseEditor : public TComponentEditor {
  QUELM_CLASS(TQuelmDatabaseEditor, TComponentEditor)

public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  std::string GetVerb(int index) override;
  int GetVerbCount() override;
};
