// The UpdateSQL editor's questions to the server: its check of the four
// statements, the columns it fills itself, and a unique index that could
// serve where no primary one exists.
#include "updsqled/TQuelmUpdateSQLEditForm.h"

#include "classes/TStringList.h"
#include "forms/TComboBox.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPopupMenu.h"
#include "forms/TRadioGroup.h"
#include "package/PackageModule.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"
#include "runtime/QuelmTypes.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"
#include "updsqled/QuelmUpdSQLStrings.h"
#include "updsqled/UpdateSQLEditRoutines.h"

#include <algorithm>

void TQuelmUpdateSQLEditForm::MarkServerColumns() {
  FServerColumns.clear();
  FServerColumnsTable = UpdateTableName->Text();
  KeyHintLabel->SetCaption("");
  // A hint, never a reason to connect or to show an error: without an open
  // connection, or for a name the server does not know, nothing is marked.
  TQuelmDatabase* database = FTempTable->GetDatabase();
  if (!FServerColumnsTable.empty() && database && database->Connected()) {
    try {
      database->GetColumnInfo(FServerColumnsTable, FServerColumns);
    } catch (const Exception&) {
      FServerColumns.clear();
    }
  }
  std::string hint;
  for (const TQuelmColumnInfo& column : FServerColumns) {
    std::string what = FieldHint(column.Name);
    if (what.empty()) continue;
    if (!hint.empty()) hint += "\n";
    hint += column.Name + ": " + what + (column.Generated ? ", not writable" : "");
  }
  for (TListBox* box : {KeyFieldList, UpdateFieldList}) {
    box->SetHint(hint);
    box->SetShowHint(!hint.empty());
  }
}

std::string TQuelmUpdateSQLEditForm::FieldHint(const std::string& fieldName) const {
  for (const TQuelmColumnInfo& column : FServerColumns) {
    if (!SameText(column.Name, fieldName)) continue;
    if (column.Generated) return column.Virtual ? "generated, virtual" : "generated, stored";
    if (column.AutoIncrement) return "auto-increment";
    return "";
  }
  return "";
}

void TQuelmUpdateSQLEditForm::ShowUniqueKeyHint() {
  std::string hint;
  if (KeyFieldList->Items()->Count() > 0) {
    TIndexDefs& indexDefs = FTempTable->GetIndexDefs();
    const TIndexDef* unique = nullptr;
    bool primary = false;
    for (int i = 0; i < indexDefs.Count(); ++i) {
      const TIndexDef* def = indexDefs.Items(i);
      if (def->Options().Contains(TIndexOption::ixPrimary)) primary = true;
      else if (!unique && def->Options().Contains(TIndexOption::ixUnique)) unique = def;
    }
    if (!primary && unique) {
      std::string fields = unique->Fields();
      for (size_t at = fields.find(';'); at != std::string::npos; at = fields.find(';', at + 2))
        fields.replace(at, 1, ", ");
      hint = Format("No primary index; unique index %s (%s)", {unique->Name(), fields});
    }
  }
  KeyHintLabel->SetCaption(hint);
}

std::vector<std::string> TQuelmUpdateSQLEditForm::WritableItems(const TListBox& box) const {
  std::vector<std::string> writable;
  for (int i = 0; i < box.Items()->Count(); ++i) {
    const std::string item = box.Items()->Get(i);
    bool generated = false;
    for (const TQuelmColumnInfo& column : FServerColumns)
      if (column.Generated && SameText(column.Name, item)) generated = true;
    if (!generated) writable.push_back(item);
  }
  return writable;
}

void TQuelmUpdateSQLEditForm::SelectWritableClick(TObject*) {
  auto* box = dynamic_cast<TListBox*>(FieldListPopup->PopupComponent());
  if (!box) return;
  // The table typed since the lists were read is the one the statements will name.
  if (FServerColumnsTable != UpdateTableName->Text()) ShowWait(&TQuelmUpdateSQLEditForm::MarkServerColumns);
  TStringList writable;
  for (const std::string& item : WritableItems(*box)) writable.Add(item);
  MarkListedItems(*box, writable);
}

void TQuelmUpdateSQLEditForm::CheckButtonClick(TObject*) { ShowWait(&TQuelmUpdateSQLEditForm::CheckOnServer); }

void TQuelmUpdateSQLEditForm::CheckOnServer() {
  TStrings& results = *CheckResultList->Items();
  TUpdateGuard guard(results);
  results.Clear();
  // The tag counts the statements the server refused; -1: no answer at all.
  CheckResultList->SetTag(-1);
  TQuelmDatabase* database = FDataSet ? FDataSet->GetDatabase() : nullptr;
  if (!FDataSet) {
    results.Add(PackageResString(SNoDataSet));
    return;
  }
  if (!database) {
    results.Add("Database not assigned");
    return;
  }
  int refused = 0;
  for (int index = 0; index < QuelmUpdateKindCount; ++index) {
    const auto kind = static_cast<TQuelmUpdateKind>(index);
    std::string name = StatementType->Items()->Get(index);
    name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
    const bool inMemo = kind == FStatementKind && SQLMemo->Modified();
    const std::string text = inMemo ? SQLMemo->Lines()->Text() : WorkingText(kind).Text();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
      results.Add(name + ": empty");
      continue;
    }
    TQuelmStatementCheck check;
    try {
      check = database->CheckSQL(text, TQuelmUpdateSQL::StatementQuoting);
    } catch (const Exception& e) {
      results.Add(name + ": " + e.Message());
      return;  // no connection: the other statements would fail alike
    }
    if (check.Ok) {
      results.Add(name + ": ok");
    } else {
      ++refused;
      results.Add(Format("%s: error %d: %s", {name, static_cast<int>(check.ErrorCode), check.Message}));
    }
  }
  CheckResultList->SetTag(refused);
}
