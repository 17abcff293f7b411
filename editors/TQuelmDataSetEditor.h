#pragma once
// The context menu of every suite dataset: the fields editor, the SQL editor
// for queries, and opening or closing the dataset. While the SQL editor is
// open, the editor supplies its table and field lists from the query's
// database.
#include "designhost/TDataSetEditor.h"

#include <string>

class TQuelmDatabase;
class TStrings;

class TQuelmDataSetEditor : public TDataSetEditor {
  QUELM_CLASS(TQuelmDataSetEditor, TDataSetEditor)

public:
  using TDataSetEditor::TDataSetEditor;
  void ExecuteVerb(int index) override;
  std::string GetVerb(int index) override;
  int GetVerbCount() override;
  TDSDesignerClass GetDSDesignerClass() override;

  // The SQL editor's callbacks; neither connects to the server, and both
  // leave SystemTables aside.
  void GetTables(TStrings& List, bool SystemTables);
  void GetFields(const std::string& TableName, TStrings& List, bool SystemTables);

private:
  void EditQuerySQL();

  // Set only while the SQL editor is open; not owned.
  TQuelmDatabase* FDatabase = nullptr;
};
