#pragma once
// The UpdateSQL editor: the modal dialog in which the developer picks the
// table, key columns and update columns of an update-SQL object, generates
// its four statements, edits them by hand, and on OK writes them back.
#include "forms/TForm.h"
#include "runtime/QuelmTypes.h"

#include "runtime/TQuelmDatabase.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TButton;
class TCheckBox;
class TComboBox;
class TLabel;
class TListBox;
class TMemo;
class TMenuItem;
class TPageControl;
class TPopupMenu;
class TQuelmDataSet;
class TQuelmTable;
class TQuelmUpdateSQL;
class TRadioGroup;
class TStringList;
class TTabSheet;

class TQuelmUpdateSQLEditForm : public TForm {
  QUELM_CLASS(TQuelmUpdateSQLEditForm, TForm)

public:
  using TWaitMethod = void (TQuelmUpdateSQLEditForm::*)();

  explicit TQuelmUpdateSQLEditForm(TComponent* owner);
  ~TQuelmUpdateSQLEditForm() override;

  void SetUpdateSQL(TQuelmUpdateSQL* updateSQL) { FUpdateSQL = updateSQL; }
  // The whole modal run; true when the developer confirmed with OK and the
  // four statements were written back.
  bool Edit();

  // Event handlers, bound by name from the form definition.
  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void StatementTypeClick(TObject* sender);
  void OkButtonClick(TObject* sender);
  void HelpButtonClick(TObject* sender);
  void GenerateButtonClick(TObject* sender);
  void PrimaryKeyButtonClick(TObject* sender);
  void DefaultButtonClick(TObject* sender);
  void GetTableFieldsButtonClick(TObject* sender);
  void SettingsChanged(TObject* sender);
  void UpdateTableNameChange(TObject* sender);
  void UpdateTableNameClick(TObject* sender);
  void SelectAllClick(TObject* sender);
  void ClearAllClick(TObject* sender);
  void SQLMemoKeyPress(TObject* sender, char& key);
  void CheckButtonClick(TObject* sender);
  void SelectWritableClick(TObject* sender);

  // Steps.
  void InitUpdateTableNames();
  void InitGenerateOptions();
  void InitFromDataSet();
  void InitFromModifySQL();
  void GetDataSetFieldNames();
  void GetTableFieldNames();
  void SetDefaultSelections();
  void SelectPrimaryKeyFields();
  void SetButtonStates();
  TQuelmTable* TempTable();
  void ShowWait(TWaitMethod method);
  void GenerateSQL();
  // Asks the server about the four statements as they stand (the memo's
  // unsaved edit included) and lists its answer in CheckResultList; the
  // working texts and the settings stay as they are.
  void CheckOnServer();

  // The controls of the form definition, owned by the form.
  TPageControl* PageControl = nullptr;
  TTabSheet* FieldsPage = nullptr;
  TTabSheet* SQLPage = nullptr;
  TComboBox* UpdateTableName = nullptr;
  TListBox* KeyFieldList = nullptr;
  TListBox* UpdateFieldList = nullptr;
  TButton* GetTableFieldsButton = nullptr;
  TButton* DefaultButton = nullptr;
  TButton* PrimaryKeyButton = nullptr;
  TButton* GenerateButton = nullptr;
  TCheckBox* QuoteFields = nullptr;
  TRadioGroup* StatementType = nullptr;
  TMemo* SQLMemo = nullptr;
  TPopupMenu* FieldListPopup = nullptr;
  TMenuItem* miSelectAll = nullptr;
  TMenuItem* miClearAll = nullptr;
  TButton* OkButton = nullptr;
  TButton* CancelButton = nullptr;
  TButton* HelpButton = nullptr;
  // What the server knows better: its check of the statements, the columns
  // it computes itself, and a unique index where no primary one exists.
  TButton* CheckButton = nullptr;
  TListBox* CheckResultList = nullptr;
  TLabel* KeyHintLabel = nullptr;
  TMenuItem* miSelectWritable = nullptr;

  // What the dialog's state is, for the program that drives it and for tests.
  bool SettingsChangedSinceGenerate() const { return FSettingsChanged; }
  bool DefaultsShown() const { return FDefaultsShown; }
  // How the server fills a column of the chosen table ("auto-increment",
  // "generated, virtual", "generated, stored"); empty for a plain column.
  std::string FieldHint(const std::string& fieldName) const;
  // The statement shown, and a working statement, by TQuelmUpdateKind index.
  int StatementIndex() const { return static_cast<int>(FStatementKind); }
  const TStringList* SQLText(int index) const { return FSQLTexts[static_cast<size_t>(index)].get(); }

private:
  void BindControls();
  TStringList& WorkingText(TQuelmUpdateKind kind) { return *FSQLTexts[static_cast<size_t>(kind)]; }
  void SaveMemo();
  void BindServerControls();
  // Reads the chosen table's column information from the server, when the
  // database is connected, and marks the field lists with it.
  void MarkServerColumns();
  void ShowUniqueKeyHint();
  std::vector<std::string> WritableItems(const TListBox& box) const;

  TQuelmUpdateSQL* FUpdateSQL = nullptr;
  TQuelmDataSet* FDataSet = nullptr;
  TQuelmTable* FTempTable = nullptr;
  TQuelmUpdateKind FStatementKind = TQuelmUpdateKind::ukModify;
  std::array<std::unique_ptr<TStringList>, QuelmUpdateKindCount> FSQLTexts;
  bool FSettingsChanged = false;
  bool FDefaultsShown = false;
  std::string FServerColumnsTable;
  std::vector<TQuelmColumnInfo> FServerColumns;
};

// Runs the UpdateSQL editor on updateSQL; true when the developer confirmed
// with OK. The dialog is freed in every case.
bool EditQuelmUpdateSQL(TQuelmUpdateSQL* updateSQL);
