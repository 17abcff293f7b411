#include "designhost/TFieldsEditorForm.h"

#include "forms/FormControl.h"

#include "classes/TClassRegistry.h"
#include "classes/TypInfo.h"
#include "db/FieldTypes.h"
#include "db/TDataSet.h"
#include "designhost/FieldsEditor.h"
#include "designhost/TFieldsEditorFormDefinition.h"
#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TCustomEdit.h"
#include "forms/TItemStrings.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "rtl/Exceptions.h"
#include "streaming/FormDefinitionReader.h"

#include <charconv>

namespace {
// The types a new field may have, as the type list shows them.
constexpr TFieldType NewFieldTypes[] = {
    TFieldType::ftString,   TFieldType::ftWideString, TFieldType::ftSmallint, TFieldType::ftInteger,
    TFieldType::ftLargeint, TFieldType::ftWord,       TFieldType::ftBoolean,  TFieldType::ftFloat,
    TFieldType::ftCurrency, TFieldType::ftBCD,        TFieldType::ftFMTBcd,   TFieldType::ftDate,
    TFieldType::ftTime,     TFieldType::ftDateTime,   TFieldType::ftTimeStamp, TFieldType::ftBytes,
    TFieldType::ftVarBytes, TFieldType::ftAutoInc,    TFieldType::ftBlob,     TFieldType::ftMemo,
    TFieldType::ftWideMemo, TFieldType::ftGraphic,    TFieldType::ftGuid,     TFieldType::ftVariant,
};
} // namespace

QUELM_DEFINE_CLASS(TFieldsEditorForm, TForm,
                   b.Method("FormCreate", &TFieldsEditorForm::FormCreate);
                   b.Method("AddAllButtonClick", &TFieldsEditorForm::AddAllButtonClick);
                   b.Method("AddFieldsButtonClick", &TFieldsEditorForm::AddFieldsButtonClick);
                   b.Method("NewFieldButtonClick", &TFieldsEditorForm::NewFieldButtonClick);
                   b.Method("NewKindComboChange", &TFieldsEditorForm::NewKindComboChange);
                   b.Method("LookupDataSetComboChange", &TFieldsEditorForm::LookupDataSetComboChange);
                   b.Method("DeleteButtonClick", &TFieldsEditorForm::DeleteButtonClick);
                   b.Method("UpButtonClick", &TFieldsEditorForm::UpButtonClick);
                   b.Method("DownButtonClick", &TFieldsEditorForm::DownButtonClick))

TFieldsEditorForm::TFieldsEditorForm(TComponent* owner, TFieldsEditor& editor) : TForm(owner), FEditor(editor) {}

TFormPtr<TFieldsEditorForm> CreateFieldsEditorForm(TComponent* owner, TFieldsEditor& editor) {
  TFormPtr<TFieldsEditorForm> form(new TFieldsEditorForm(owner, editor));
  ReadFormDefinition(*form, FieldsEditorFormDefinition, "designhost(TFIELDSEDITORFORM)", TClassRegistry::Global());
  form->InitializeForm();
  return form;
}

void TFieldsEditorForm::FormCreate(TObject*) {
  FieldList = FindFormControl<TListBox>(*this, "FieldList");
  AvailableList = FindFormControl<TListBox>(*this, "AvailableList");
  NewNameEdit = FindFormControl<TEdit>(*this, "NewNameEdit");
  NewTypeCombo = FindFormControl<TComboBox>(*this, "NewTypeCombo");
  NewSizeEdit = FindFormControl<TEdit>(*this, "NewSizeEdit");
  NewKindCombo = FindFormControl<TComboBox>(*this, "NewKindCombo");
  LookupDataSetCombo = FindFormControl<TComboBox>(*this, "LookupDataSetCombo");
  KeyFieldsCombo = FindFormControl<TComboBox>(*this, "KeyFieldsCombo");
  LookupKeysCombo = FindFormControl<TComboBox>(*this, "LookupKeysCombo");
  ResultFieldCombo = FindFormControl<TComboBox>(*this, "ResultFieldCombo");
  MessageLabel = FindFormControl<TLabel>(*this, "MessageLabel");
  for (TFieldType type : NewFieldTypes)
    NewTypeCombo->Items()->Add(GetEnumName(TypeInfoFieldType(), int64_t(type)).substr(2));
  NewTypeCombo->SetItemIndex(0);
  for (const std::string& kind : FEditor.FieldKindsOffered()) NewKindCombo->Items()->Add(kind);
  NewKindCombo->SetItemIndex(0);
  for (const std::string& name : FEditor.LookupDataSetNames()) LookupDataSetCombo->Items()->Add(name);
  ShowLookupChoices();
  Command([] {});
}

void TFieldsEditorForm::ShowLookupChoices() {
  bool lookup = NewKindCombo->Text() == "Lookup";
  for (TControl* c : std::initializer_list<TControl*>{LookupDataSetCombo, KeyFieldsCombo, LookupKeysCombo, ResultFieldCombo})
    c->SetEnabled(lookup);
}

void TFieldsEditorForm::NewKindComboChange(TObject*) { ShowLookupChoices(); }

void TFieldsEditorForm::LookupDataSetComboChange(TObject*) {
  std::vector<std::string> names = FEditor.FieldNamesOf(LookupDataSetCombo->Text());
  for (TComboBox* combo : {LookupKeysCombo, ResultFieldCombo}) {
    combo->Items()->Clear();
    for (const std::string& name : names) combo->Items()->Add(name);
  }
}

template <class F>
void TFieldsEditorForm::Command(F&& action) {
  MessageLabel->SetCaption("");
  try {
    action();
  } catch (const Exception& e) {
    MessageLabel->SetCaption(e.Message());
  }
  Refresh();
}

void TFieldsEditorForm::Refresh() {
  TDataSet* dataSet = FEditor.DataSet();
  FieldList->Items()->Clear();
  AvailableList->Items()->Clear();
  if (!dataSet) return;
  for (int i = 0; i < dataSet->FieldCount(); ++i) FieldList->Items()->Add(dataSet->Fields()[i]->FieldName());
  // The key fields on offer follow the dataset's fields; what was typed stays.
  std::string keys = KeyFieldsCombo->Text();
  KeyFieldsCombo->Items()->Clear();
  for (const std::string& name : TFieldsEditor::FieldNamesOf(*dataSet)) KeyFieldsCombo->Items()->Add(name);
  KeyFieldsCombo->SetText(keys);
  try {
    for (const std::string& name : FEditor.AvailableFieldNames()) AvailableList->Items()->Add(name);
  } catch (const Exception& e) {
    // Without the server the list stays empty; the fields themselves can
    // still be edited.
    if (MessageLabel->Caption().empty()) MessageLabel->SetCaption(e.Message());
  }
}

std::vector<std::string> TFieldsEditorForm::Chosen(const TListBox& list) const {
  std::vector<std::string> names;
  for (int i = 0; i < list.Items()->Count(); ++i)
    if (list.Selected(i)) names.push_back(list.Items()->Strings(i));
  return names;
}

void TFieldsEditorForm::AddAllButtonClick(TObject*) { Command([this] { FEditor.AddAllFields(); }); }

void TFieldsEditorForm::AddFieldsButtonClick(TObject*) {
  std::vector<std::string> names = Chosen(*AvailableList);
  Command([&] {
    if (names.empty()) throw Exception("Choose the fields to add in the list of available fields");
    FEditor.AddFields(names);
  });
}

void TFieldsEditorForm::NewFieldButtonClick(TObject*) {
  Command([this] {
    int size = 0;
    const std::string sizeText = NewSizeEdit->Text();
    if (!sizeText.empty()) {
      auto [end, error] = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
      if (error != std::errc() || end != sizeText.data() + sizeText.size() || size < 0)
        throw Exception("'" + sizeText + "' is not a size");
    }
    TLookupDefinition lookup;
    if (NewKindCombo->Text() == "Lookup")
      lookup = {LookupDataSetCombo->Text(), KeyFieldsCombo->Text(), LookupKeysCombo->Text(), ResultFieldCombo->Text()};
    FEditor.NewField(NewNameEdit->Text(), NewTypeCombo->Text(), NewKindCombo->Text(), size, lookup);
    NewNameEdit->SetText("");
  });
}

void TFieldsEditorForm::DeleteButtonClick(TObject*) {
  std::vector<std::string> names = Chosen(*FieldList);
  Command([&] {
    if (names.empty()) throw Exception("Choose the fields to delete");
    FEditor.DeleteFields(names);
  });
}

void TFieldsEditorForm::Move(int delta) {
  std::vector<std::string> names = Chosen(*FieldList);
  int position = -1;
  for (int i = 0; i < FieldList->Items()->Count(); ++i)
    if (FieldList->Selected(i)) position = i;
  Command([&] {
    if (names.size() != 1) throw Exception("Choose one field to move");
    FEditor.MoveField(names[0], position + delta);
  });
  // The moved field stays chosen.
  for (int i = 0; i < FieldList->Items()->Count(); ++i)
    if (names.size() == 1 && FieldList->Items()->Strings(i) == names[0]) FieldList->SetSelected(i, true);
}

void TFieldsEditorForm::UpButtonClick(TObject*) { Move(-1); }
void TFieldsEditorForm::DownButtonClick(TObject*) { Move(1); }
