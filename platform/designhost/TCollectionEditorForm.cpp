#include "designhost/TCollectionEditorForm.h"

#include "forms/FormControl.h"

#include "classes/TClassRegistry.h"
#include "classes/TCollection.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "designhost/DesignRegistry.h"
#include "designhost/IFormDesigner.h"
#include "designhost/SecretProperties.h"
#include "designhost/TCollectionEditorFormDefinition.h"
#include "designhost/TPropertyEditor.h"
#include "forms/TButton.h"
#include "forms/TCustomEdit.h"
#include "forms/TItemStrings.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "rtl/Exceptions.h"
#include "streaming/FormDefinitionReader.h"

QUELM_DEFINE_CLASS(TCollectionEditorForm, TForm,
                   b.Method("FormCreate", &TCollectionEditorForm::FormCreate);
                   b.Method("ItemListClick", &TCollectionEditorForm::ItemListClick);
                   b.Method("AddButtonClick", &TCollectionEditorForm::AddButtonClick);
                   b.Method("DeleteButtonClick", &TCollectionEditorForm::DeleteButtonClick);
                   b.Method("UpButtonClick", &TCollectionEditorForm::UpButtonClick);
                   b.Method("DownButtonClick", &TCollectionEditorForm::DownButtonClick);
                   b.Method("SetButtonClick", &TCollectionEditorForm::SetButtonClick))

TCollectionEditorForm::TCollectionEditorForm(TComponent* owner, IFormDesigner* designer, TComponent* component,
                                             TCollection& collection, const std::string& propertyName)
    : TForm(owner), FDesigner(designer), FComponent(component), FCollection(collection), FPropertyName(propertyName) {}

void RunCollectionEditorForm(IFormDesigner* designer, TComponent* component, TCollection& collection,
                             const std::string& propertyName) {
  TFormPtr<TCollectionEditorForm> form(new TCollectionEditorForm(nullptr, designer, component, collection, propertyName));
  ReadFormDefinition(*form, CollectionEditorFormDefinition, "designhost(TCOLLECTIONEDITORFORM)",
                     TClassRegistry::Global());
  form->InitializeForm();
  form->ShowModal();
}

void TCollectionEditorForm::FormCreate(TObject*) {
  ItemList = FindFormControl<TListBox>(*this, "ItemList");
  PropertyList = FindFormControl<TListBox>(*this, "PropertyList");
  ValueEdit = FindFormControl<TEdit>(*this, "ValueEdit");
  MessageLabel = FindFormControl<TLabel>(*this, "MessageLabel");
  SetCaption("Editing " + (FComponent ? FComponent->Name() + "." : std::string()) + FPropertyName);
  ShowItems(FCollection.Count() ? 0 : -1);
}

void TCollectionEditorForm::ShowItems(int chosen) {
  ItemList->Items()->Clear();
  for (int i = 0; i < FCollection.Count(); ++i)
    ItemList->Items()->Add(std::to_string(i) + " - " + FCollection.Items(i)->DisplayName());
  if (chosen >= 0 && chosen < FCollection.Count()) ItemList->SetItemIndex(chosen);
  ShowProperties();
}

void TCollectionEditorForm::ShowProperties() {
  PropertyList->Items()->Clear();
  FRowNames.clear();
  int index = ItemList->ItemIndex();
  if (index < 0 || index >= FCollection.Count()) return;
  TCollectionItem* item = FCollection.Items(index);
  for (const TPropInfo* prop : item->ClassType().Properties()) {
    std::string value;
    try {
      auto editor = TDesignRegistry::Instance().CreatePropertyEditor(FDesigner, {item}, prop->Name);
      value = editor->GetValue();
      if (IsSecretProperty(prop->Name)) value = SecretShown(!value.empty());
    } catch (const Exception& e) {
      value = "(" + e.Message() + ")";
    }
    PropertyList->Items()->Add(prop->Name + " = " + value);
    FRowNames.push_back(prop->Name);
  }
}

void TCollectionEditorForm::Changed() {
  if (FDesigner) FDesigner->Modified();
}

void TCollectionEditorForm::ItemListClick(TObject*) { ShowProperties(); }

void TCollectionEditorForm::AddButtonClick(TObject*) {
  MessageLabel->SetCaption("");
  FCollection.Add();
  Changed();
  ShowItems(FCollection.Count() - 1);
}

void TCollectionEditorForm::DeleteButtonClick(TObject*) {
  MessageLabel->SetCaption("");
  int index = ItemList->ItemIndex();
  if (index < 0) {
    MessageLabel->SetCaption("Choose the item to delete");
    return;
  }
  FCollection.Delete(index);
  Changed();
  ShowItems(std::min(index, FCollection.Count() - 1));
}

void TCollectionEditorForm::Move(int delta) {
  MessageLabel->SetCaption("");
  int index = ItemList->ItemIndex();
  int target = index + delta;
  if (index < 0 || target < 0 || target >= FCollection.Count()) return;
  FCollection.Items(index)->SetIndex(target);
  Changed();
  ShowItems(target);
}

void TCollectionEditorForm::UpButtonClick(TObject*) { Move(-1); }
void TCollectionEditorForm::DownButtonClick(TObject*) { Move(1); }

void TCollectionEditorForm::SetButtonClick(TObject*) {
  MessageLabel->SetCaption("");
  int item = ItemList->ItemIndex();
  int row = PropertyList->ItemIndex();
  if (item < 0 || row < 0 || row >= int(FRowNames.size())) {
    MessageLabel->SetCaption("Choose an item and one of its properties");
    return;
  }
  try {
    auto editor = TDesignRegistry::Instance().CreatePropertyEditor(FDesigner, {FCollection.Items(item)}, FRowNames[row]);
    editor->SetValue(ValueEdit->Text());
    Changed();
  } catch (const Exception& e) {
    MessageLabel->SetCaption(e.Message());
  }
  ShowItems(item);
  PropertyList->SetItemIndex(row);
}
