#pragma once
// The collection editor's window: the items of a component's collection
// property, the chosen item's properties as inspector rows (through the
// registered property editors, as the inspector shows them), a value line
// that sets the chosen row, and add, delete and move. The designer hears of
// every change, so that the form is saved with it. A refused value says why
// in the message line.
#include "forms/TForm.h"

class IFormDesigner;
class TButton;
class TCollection;
class TEdit;
class TLabel;
class TListBox;

class TCollectionEditorForm : public TForm {
  QUELM_CLASS(TCollectionEditorForm, TForm)

public:
  TCollectionEditorForm(TComponent* owner, IFormDesigner* designer, TComponent* component, TCollection& collection,
                        const std::string& propertyName);

  void FormCreate(TObject* sender);
  void ItemListClick(TObject* sender);
  void AddButtonClick(TObject* sender);
  void DeleteButtonClick(TObject* sender);
  void UpButtonClick(TObject* sender);
  void DownButtonClick(TObject* sender);
  void SetButtonClick(TObject* sender);

  TListBox* ItemList = nullptr;
  TListBox* PropertyList = nullptr;
  TEdit* ValueEdit = nullptr;
  TLabel* MessageLabel = nullptr;

private:
  void ShowItems(int chosen);
  void ShowProperties();
  // The property names of PropertyList's rows, in order.
  std::vector<std::string> FRowNames;
  void Changed();
  void Move(int delta);

  IFormDesigner* FDesigner;
  TComponent* FComponent;
  TCollection& FCollection;
  std::string FPropertyName;
};

// Makes the window with its form definition read in and runs it.
void RunCollectionEditorForm(IFormDesigner* designer, TComponent* component, TCollection& collection,
                             const std::string& propertyName);
