#pragma once
// The fields editor's window: the dataset's persistent fields in order, the
// fields the server lists that have none yet, and the editor's commands: add
// the chosen or all of them, a new data, calculated, lookup (or, where the
// dataset's designer offers it, internal-calculated) field, a lookup field
// with the dataset it looks up in, its key fields, the lookup key fields and
// the result field chosen from drop-downs, delete the chosen
// fields, move the chosen field up or down. A refused command says why in
// the message line; the lists show the dataset as it is after each command.
#include "forms/TForm.h"

class TButton;
class TComboBox;
class TEdit;
class TFieldsEditor;
class TLabel;
class TListBox;

class TFieldsEditorForm : public TForm {
  QUELM_CLASS(TFieldsEditorForm, TForm)

public:
  TFieldsEditorForm(TComponent* owner, TFieldsEditor& editor);

  void FormCreate(TObject* sender);
  void AddAllButtonClick(TObject* sender);
  void AddFieldsButtonClick(TObject* sender);
  void NewFieldButtonClick(TObject* sender);
  void NewKindComboChange(TObject* sender);
  void LookupDataSetComboChange(TObject* sender);
  void DeleteButtonClick(TObject* sender);
  void UpButtonClick(TObject* sender);
  void DownButtonClick(TObject* sender);

  TListBox* FieldList = nullptr;
  TListBox* AvailableList = nullptr;
  TEdit* NewNameEdit = nullptr;
  TComboBox* NewTypeCombo = nullptr;
  TEdit* NewSizeEdit = nullptr;
  TComboBox* NewKindCombo = nullptr;
  TComboBox* LookupDataSetCombo = nullptr;
  TComboBox* KeyFieldsCombo = nullptr;
  TComboBox* LookupKeysCombo = nullptr;
  TComboBox* ResultFieldCombo = nullptr;
  TLabel* MessageLabel = nullptr;

private:
  // Runs a command; an error goes to the message line. The lists are read
  // again afterwards either way.
  template <class F>
  void Command(F&& action);
  void Refresh();
  std::vector<std::string> Chosen(const TListBox& list) const;
  void Move(int delta);
  // The lookup's choices are open only while the kind is Lookup.
  void ShowLookupChoices();

  TFieldsEditor& FEditor;
};

// Makes the window with its form definition read in.
TFormPtr<TFieldsEditorForm> CreateFieldsEditorForm(TComponent* owner, TFieldsEditor& editor);
