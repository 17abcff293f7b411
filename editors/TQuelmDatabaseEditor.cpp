#include "editors/TQuelmDatabaseEditor.h"

#include "runtime/EditDatabase.h"
#include "runtime/TQuelmDatabase.h"

QUELM_DEFINE_CLASS(TQuelmDatabaseEditor, TComponentEditor)

void TQuelmDatabaseEditor::ExecuteVerb(int index) {
  auto& database = As<TQuelmDatabase>(*Component());
  if (index == 0) EditDatabase(&database);
  else if (index == 1) database.SetConnected(!database.Connected());
  // Reached only when connecting or disconnecting did not fail.
  if (GetDesigner()) GetDesigner()->Modified();
}

std::string TQuelmDatabaseEditor::GetVerb(int index) {
  if (index == 0) return "QuelmDatabase &Editor...";
  return As<TQuelmDatabase>(*Component()).Connected() ? "&Disconnect from server" : "&Connect to server";
}

int TQuelmDatabaseEditor::GetVerbCount() { return 2; }
