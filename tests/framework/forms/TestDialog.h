#pragma once
// A small dialog built the way form definitions build one: controls made on
// the form, properties set, and event handlers bound by name to the form's
// published methods. Its handlers log what they see, so tests can check the
// order of events a person's operations cause.
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TForm.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPageControl.h"
#include "forms/TPopupMenu.h"
#include "forms/TRadioGroup.h"

#include <string>
#include <vector>

class TTestDialog : public TForm {
  QUELM_CLASS(TTestDialog, TForm)

public:
  explicit TTestDialog(TComponent* owner);

  TPageControl* PageControl;
  TTabSheet* OptionsPage;
  TTabSheet* TextPage;
  TListBox* FieldList;
  TComboBox* TableName;
  TCheckBox* QuoteFields;
  TRadioGroup* StatementType;
  TButton* GenerateButton;
  TMemo* SQLMemo;
  TPopupMenu* FieldListPopup;
  TMenuItem* miSelectAll;
  TMenuItem* miClearAll;
  TButton* OkButton;
  TButton* CancelButton;

  std::vector<std::string> Log;
  bool SettingsChanged = false;
  bool KeepOpenOnOk = false;

  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void FieldListClick(TObject* sender);
  void FieldListEnter(TObject* sender);
  void TableNameChange(TObject* sender);
  void TableNameClick(TObject* sender);
  void QuoteFieldsClick(TObject* sender);
  void StatementTypeClick(TObject* sender);
  void GenerateButtonClick(TObject* sender);
  void OkButtonClick(TObject* sender);
  void SQLMemoKeyPress(TObject* sender, char& key);
  void SQLMemoExit(TObject* sender);
  void SelectAllClick(TObject* sender);
  void ClearAllClick(TObject* sender);

  // The log joined with blanks.
  std::string LogText() const;

  // Sets an event property to the form's published method of that name.
  void Bind(TComponent& component, const char* event, const char* method);
};
