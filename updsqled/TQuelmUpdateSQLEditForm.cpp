#include "updsqled/TQuelmUpdateSQLEditForm.h"

#include "forms/FormControl.h"

#include "classes/TStringList.h"
#include "forms/MessageDialogs.h"
#include "forms/TApplication.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPageControl.h"
#include "forms/TPopupMenu.h"
#include "forms/TRadioGroup.h"
#include "forms/TScreen.h"
#include "package/PackageModule.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuard.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmTypes.h"
#include "runtime/TQuelmQuery.h"
#include "runtime/TQuelmTable.h"
#include "runtime/TQuelmUpdateSQL.h"
#include "updsqled/QuelmUpdSQLStrings.h"
#include "updsqled/UpdateSQLEditRoutines.h"
#include "updsqled/UpdateSQLGenerator.h"

namespace {
constexpr int UpdateSQLHelpContext = 27220;
constexpr const char* DotSep = ".";
constexpr char EscapeKey = 27;
using enum TQuelmUpdateKind;
constexpr std::array<TQuelmUpdateKind, QuelmUpdateKindCount> UpdateKinds = {ukModify, ukInsert, ukDelete, ukRefresh};

std::string OwnerName(const TComponent& component) {
  return component.Owner() ? component.Owner()->Name() : std::string();
}
} // namespace

QUELM_DEFINE_CLASS(TQuelmUpdateSQLEditForm, TForm,
                   b.Method("FormCreate", &TQuelmUpdateSQLEditForm::FormCreate);
                   b.Method("FormDestroy", &TQuelmUpdateSQLEditForm::FormDestroy);
                   b.Method("FormCloseQuery", &TQuelmUpdateSQLEditForm::FormCloseQuery);
                   b.Method("StatementTypeClick", &TQuelmUpdateSQLEditForm::StatementTypeClick);
                   b.Method("OkButtonClick", &TQuelmUpdateSQLEditForm::OkButtonClick);
                   b.Method("HelpButtonClick", &TQuelmUpdateSQLEditForm::HelpButtonClick);
                   b.Method("GenerateButtonClick", &TQuelmUpdateSQLEditForm::GenerateButtonClick);
                   b.Method("PrimaryKeyButtonClick", &TQuelmUpdateSQLEditForm::PrimaryKeyButtonClick);
                   b.Method("DefaultButtonClick", &TQuelmUpdateSQLEditForm::DefaultButtonClick);
                   b.Method("GetTableFieldsButtonClick", &TQuelmUpdateSQLEditForm::GetTableFieldsButtonClick);
                   b.Method("SettingsChanged", &TQuelmUpdateSQLEditForm::SettingsChanged);
                   b.Method("UpdateTableNameChange", &TQuelmUpdateSQLEditForm::UpdateTableNameChange);
                   b.Method("UpdateTableNameClick", &TQuelmUpdateSQLEditForm::UpdateTableNameClick);
                   b.Method("SelectAllClick", &TQuelmUpdateSQLEditForm::SelectAllClick);
                   b.Method("ClearAllClick", &TQuelmUpdateSQLEditForm::ClearAllClick);
                   b.Method("SQLMemoKeyPress", &TQuelmUpdateSQLEditForm::SQLMemoKeyPress);
                   b.Method("CheckButtonClick", &TQuelmUpdateSQLEditForm::CheckButtonClick);
                   b.Method("SelectWritableClick", &TQuelmUpdateSQLEditForm::SelectWritableClick))

TQuelmUpdateSQLEditForm::TQuelmUpdateSQLEditForm(TComponent* owner) : TForm(owner) {}

TQuelmUpdateSQLEditForm::~TQuelmUpdateSQLEditForm() = default;

void TQuelmUpdateSQLEditForm::BindControls() {
  PageControl = FindFormControl<TPageControl>(*this, "PageControl");
  FieldsPage = FindFormControl<TTabSheet>(*this, "FieldsPage");
  SQLPage = FindFormControl<TTabSheet>(*this, "SQLPage");
  UpdateTableName = FindFormControl<TComboBox>(*this, "UpdateTableName");
  KeyFieldList = FindFormControl<TListBox>(*this, "KeyFieldList");
  UpdateFieldList = FindFormControl<TListBox>(*this, "UpdateFieldList");
  GetTableFieldsButton = FindFormControl<TButton>(*this, "GetTableFieldsButton");
  DefaultButton = FindFormControl<TButton>(*this, "DefaultButton");
  PrimaryKeyButton = FindFormControl<TButton>(*this, "PrimaryKeyButton");
  GenerateButton = FindFormControl<TButton>(*this, "GenerateButton");
  QuoteFields = FindFormControl<TCheckBox>(*this, "QuoteFields");
  StatementType = FindFormControl<TRadioGroup>(*this, "StatementType");
  SQLMemo = FindFormControl<TMemo>(*this, "SQLMemo");
  FieldListPopup = FindFormControl<TPopupMenu>(*this, "FieldListPopup");
  miSelectAll = FindFormControl<TMenuItem>(*this, "miSelectAll");
  miClearAll = FindFormControl<TMenuItem>(*this, "miClearAll");
  OkButton = FindFormControl<TButton>(*this, "OkButton");
  CancelButton = FindFormControl<TButton>(*this, "CancelButton");
  HelpButton = FindFormControl<TButton>(*this, "HelpButton");
}

void TQuelmUpdateSQLEditForm::FormCreate(TObject*) {
  BindControls();
  BindServerControls();
  SetHelpContext(UpdateSQLHelpContext);
  FTempTable = new TQuelmTable(this);
}

void TQuelmUpdateSQLEditForm::FormDestroy(TObject*) {
  delete FTempTable;
  FTempTable = nullptr;
}

bool TQuelmUpdateSQLEditForm::Edit() {
  bool result = false;
  std::string dataSetLabel;
  if (TQuelmDataSet* dataSet = FUpdateSQL->DataSet()) {
    FDataSet = dataSet;
    FTempTable->SetDatabase(dataSet->GetDatabase());
    dataSetLabel = Format("%s%s%s", {OwnerName(*dataSet), DotSep, dataSet->Name()});
  } else {
    dataSetLabel = PackageResString(SNoDataSet);
  }
  SetCaption(Format("%s%s%s (%s)", {OwnerName(*FUpdateSQL), DotSep, FUpdateSQL->Name(), dataSetLabel}));

  // The working texts go when Edit ends, however it ends.
  TScopeGuard freeTexts([this] {
    for (auto& text : FSQLTexts) text.reset();
  });
  for (TQuelmUpdateKind kind : UpdateKinds) {
    FSQLTexts[static_cast<size_t>(kind)] = std::make_unique<TStringList>();
    WorkingText(kind).Assign(&FUpdateSQL->GetSQL(kind));
  }

  StatementTypeClick(this);
  InitUpdateTableNames();
  ShowWait(&TQuelmUpdateSQLEditForm::InitGenerateOptions);

  PageControl->SetActivePageIndex(0);
  if (ShowModal() == mrOk) {
    for (TQuelmUpdateKind kind : UpdateKinds) FUpdateSQL->SetSQL(kind, WorkingText(kind));
    result = true;
  }
  return result;
}

void TQuelmUpdateSQLEditForm::InitUpdateTableNames() {
  TStrings& entries = *UpdateTableName->Items();
  entries.Clear();
  if (auto* query = dynamic_cast<TQuelmQuery*>(FDataSet)) {
    ParseSelectTables(query->GetQuery().Text(), entries);
  } else if (auto* table = dynamic_cast<TQuelmTable*>(FDataSet)) {
    if (!table->TableName().empty()) entries.Add(table->TableName());
  }
  if (entries.Count() > 0) UpdateTableName->SetItemIndex(0);
}

void TQuelmUpdateSQLEditForm::InitGenerateOptions() {
  std::string modifyText = WorkingText(ukModify).Text();
  if (modifyText.empty()) {
    InitFromDataSet();
  } else {
    std::string tableName;
    ParseUpdateStatement(modifyText, tableName, nullptr, nullptr);
    TStrings& entries = *UpdateTableName->Items();
    if (entries.Count() > 0 && entries.IndexOf(tableName) >= 0) {
      UpdateTableName->SetText(tableName);
      InitFromModifySQL();
    } else {
      InitFromDataSet();
      entries.Add(tableName);
    }
  }
  SetButtonStates();
}

void TQuelmUpdateSQLEditForm::InitFromDataSet() {
  if (UpdateTableName->Items()->Count() <= 1) {
    GetDataSetFieldNames();
    FDefaultsShown = true;
  } else {
    GetTableFieldNames();
  }
  SetDefaultSelections();
}

void TQuelmUpdateSQLEditForm::InitFromModifySQL() {
  TStringList updateFields, whereFields;
  std::string tableName;
  ParseUpdateStatement(WorkingText(ukModify).Text(), tableName, &updateFields, &whereFields);
  GetDataSetFieldNames();
  if (MarkListedItems(*UpdateFieldList, updateFields) == 0) SelectAllItems(*UpdateFieldList);
  if (MarkListedItems(*KeyFieldList, whereFields) == 0) SelectAllItems(*KeyFieldList);
}

void TQuelmUpdateSQLEditForm::GetDataSetFieldNames() {
  if (!FDataSet) return;
  ReadFieldDefNames(*FDataSet, FDataSet->Name(), *KeyFieldList->Items());
  UpdateFieldList->Items()->Assign(KeyFieldList->Items());
  MarkServerColumns();
}

void TQuelmUpdateSQLEditForm::GetTableFieldNames() {
  TQuelmTable* table = TempTable();
  ReadFieldDefNames(*table, table->TableName(), *KeyFieldList->Items());
  UpdateFieldList->Items()->Assign(KeyFieldList->Items());
  FDefaultsShown = false;
  MarkServerColumns();
}

TQuelmTable* TQuelmUpdateSQLEditForm::TempTable() {
  std::string text = UpdateTableName->Text();
  if (FTempTable->TableName() != text) {
    FTempTable->Close();
    FTempTable->SetTableName(text);
  }
  return FTempTable;
}

void TQuelmUpdateSQLEditForm::SetDefaultSelections() {
  if (FDefaultsShown || !FDataSet) {
    SelectAllItems(*UpdateFieldList);
    SelectAllItems(*KeyFieldList);
  } else if (FDataSet->FieldDefs().Count() > 0) {
    TStringList names;
    ReadFieldDefNames(*FDataSet, "", names);
    MarkListedItems(*KeyFieldList, names);
    MarkListedItems(*UpdateFieldList, names);
  }
}

void TQuelmUpdateSQLEditForm::SelectPrimaryKeyFields() {
  TStrings& keys = *KeyFieldList->Items();
  if (keys.Count() == 0) return;
  TIndexDefs& indexDefs = TempTable()->GetIndexDefs();
  indexDefs.Update();
  for (int i = 0; i < keys.Count(); ++i) KeyFieldList->SetSelected(i, false);
  for (int i = 0; i < indexDefs.Count(); ++i) {
    TIndexDef* def = indexDefs.Items(i);
    if (!def->Options().Contains(TIndexOption::ixPrimary)) continue;
    std::string fields = def->Fields() + ";";
    size_t start = 0;
    for (size_t semicolon = fields.find(';'); semicolon != std::string::npos; semicolon = fields.find(';', start)) {
      int index = keys.IndexOf(fields.substr(start, semicolon - start));
      if (index >= 0) KeyFieldList->SetSelected(index, true);
      start = semicolon + 1;
    }
    break;
  }
}

void TQuelmUpdateSQLEditForm::SetButtonStates() {
  GetTableFieldsButton->SetEnabled(!UpdateTableName->Text().empty());
  PrimaryKeyButton->SetEnabled(GetTableFieldsButton->Enabled() && KeyFieldList->Items()->Count() > 0);
  GenerateButton->SetEnabled(GetTableFieldsButton->Enabled() && UpdateFieldList->Items()->Count() > 0 &&
                             KeyFieldList->Items()->Count() > 0);
  DefaultButton->SetEnabled(FDataSet != nullptr && !FDefaultsShown);
}

void TQuelmUpdateSQLEditForm::ShowWait(TWaitMethod method) {
  // Back to the default cursor, not the one before, whatever ends the method.
  TCursorGuard wait(crHourGlass, crDefault);
  (this->*method)();
}

void TQuelmUpdateSQLEditForm::GenerateSQL() {
  if (KeyFieldList->SelCount() == 0 || UpdateFieldList->SelCount() == 0)
    throw Exception(PackageResString(SSQLDataSetNeeded));
  TStringList keyFields, updateFields;
  CollectSelectedItems(*KeyFieldList, keyFields);
  CollectSelectedItems(*UpdateFieldList, updateFields);
  int entry = UpdateTableName->ItemIndex();
  bool quoted = entry != -1 && UpdateTableName->Items()->GetObject(entry) == MarkerObject();
  std::string tableName = TUpdateSQLGenerator::QuotedTableName(UpdateTableName->Text(), quoted);
  std::string quoteChar = QuoteFields->Checked() ? "\"" : "";
  TUpdateSQLGenerator::GenDeleteSQL(tableName, quoteChar, keyFields, WorkingText(ukDelete));
  TUpdateSQLGenerator::GenInsertSQL(tableName, quoteChar, updateFields, WorkingText(ukInsert));
  TUpdateSQLGenerator::GenModifySQL(tableName, quoteChar, keyFields, updateFields, WorkingText(ukModify));
  TUpdateSQLGenerator::GenRefreshRecordSQL(tableName, quoteChar, keyFields, updateFields, WorkingText(ukRefresh));
  SQLMemo->SetModified(false);
  StatementTypeClick(this);
  PageControl->SelectNextPage(true);
}

void TQuelmUpdateSQLEditForm::SaveMemo() {
  if (SQLMemo->Modified()) WorkingText(FStatementKind).Assign(SQLMemo->Lines());
}

void TQuelmUpdateSQLEditForm::StatementTypeClick(TObject*) {
  SaveMemo();
  int index = StatementType->ItemIndex();
  // The radio items stand in TQuelmUpdateKind order.
  FStatementKind = index >= 0 && index < QuelmUpdateKindCount ? static_cast<TQuelmUpdateKind>(index) : ukModify;
  SQLMemo->Lines()->Assign(&WorkingText(FStatementKind));
}

void TQuelmUpdateSQLEditForm::OkButtonClick(TObject*) { SaveMemo(); }

void TQuelmUpdateSQLEditForm::FormCloseQuery(TObject*, bool& canClose) {
  if (ModalResult() == mrOk && FSettingsChanged)
    canClose = MessageDlg(PackageResString(SSQLNotGenerated), TMsgDlgType::mtConfirmation,
                          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0) == mrYes;
}

void TQuelmUpdateSQLEditForm::GenerateButtonClick(TObject*) {
  GenerateSQL();
  FSettingsChanged = false;
}

void TQuelmUpdateSQLEditForm::PrimaryKeyButtonClick(TObject* sender) {
  ShowWait(&TQuelmUpdateSQLEditForm::SelectPrimaryKeyFields);
  ShowUniqueKeyHint();
  SettingsChanged(sender);
}

void TQuelmUpdateSQLEditForm::GetTableFieldsButtonClick(TObject* sender) {
  ShowWait(&TQuelmUpdateSQLEditForm::GetTableFieldNames);
  SetDefaultSelections();
  SettingsChanged(sender);
}

void TQuelmUpdateSQLEditForm::DefaultButtonClick(TObject*) {
  if (UpdateTableName->Items()->Count() > 0) UpdateTableName->SetItemIndex(0);
  ShowWait(&TQuelmUpdateSQLEditForm::GetDataSetFieldNames);
  FDefaultsShown = true;
  SetDefaultSelections();
  FocusControl(KeyFieldList);
  SetButtonStates();
}

void TQuelmUpdateSQLEditForm::SettingsChanged(TObject*) {
  FSettingsChanged = true;
  FDefaultsShown = false;
  SetButtonStates();
}

void TQuelmUpdateSQLEditForm::UpdateTableNameChange(TObject* sender) { SettingsChanged(sender); }

void TQuelmUpdateSQLEditForm::UpdateTableNameClick(TObject* sender) {
  if (Visible()) GetTableFieldsButtonClick(sender);
}

void TQuelmUpdateSQLEditForm::SelectAllClick(TObject*) {
  if (auto* box = dynamic_cast<TListBox*>(FieldListPopup->PopupComponent())) SelectAllItems(*box);
}

void TQuelmUpdateSQLEditForm::ClearAllClick(TObject*) {
  auto* box = dynamic_cast<TListBox*>(FieldListPopup->PopupComponent());
  if (!box) return;
  TUpdateGuard guard(*box->Items());
  for (int i = 0; i < box->Items()->Count(); ++i) box->SetSelected(i, false);
}

void TQuelmUpdateSQLEditForm::SQLMemoKeyPress(TObject*, char& key) {
  if (key == EscapeKey) Close();
}

void TQuelmUpdateSQLEditForm::HelpButtonClick(TObject*) { Application().HelpContext(HelpContext()); }

void TQuelmUpdateSQLEditForm::BindServerControls() {
  CheckButton = FindFormControl<TButton>(*this, "CheckButton");
  CheckResultList = FindFormControl<TListBox>(*this, "CheckResultList");
  KeyHintLabel = FindFormControl<TLabel>(*this, "KeyHintLabel");
  miSelectWritable = FindFormControl<TMenuItem>(*this, "miSelectWritable");
}

bool EditQuelmUpdateSQL(TQuelmUpdateSQL* updateSQL) {
  auto form = CreateForm<TQuelmUpdateSQLEditForm>(&Application());
  form->SetUpdateSQL(updateSQL);
  return form->Edit();
}
