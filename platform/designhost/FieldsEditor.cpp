#include "designhost/FieldsEditor.h"

#include "classes/TStrings.h"
#include "db/FieldClasses.h"
#include "designhost/IFormDesigner.h"

#include <algorithm>

namespace {
std::vector<std::unique_ptr<TFieldsEditor>>& Editors() {
  static std::vector<std::unique_ptr<TFieldsEditor>> editors;
  return editors;
}

void DropClosed() {
  auto& editors = Editors();
  editors.erase(std::remove_if(editors.begin(), editors.end(), [](auto& e) { return e->DataSet() == nullptr; }),
                editors.end());
}
} // namespace

TFieldsEditor::TFieldsEditor(IFormDesigner* designer, TDataSet* dataSet, const TDSDesignerClass& designerClass)
    : FDesigner(designer), FDataSet(dataSet), FDSDesigner(designerClass.Create(dataSet)) {}

std::vector<std::string> TFieldsEditor::FieldKindsOffered() const {
  std::vector<std::string> kinds = {"Data", "Calculated", "Lookup"};
  if (FDSDesigner->SupportsInternalCalc()) kinds.push_back("InternalCalc");
  if (FDSDesigner->SupportsAggregates()) kinds.push_back("Aggregate");
  return kinds;
}

void TFieldsEditor::AddAllFields() {
  TDataSet* dataSet = DataSet();
  if (!dataSet) return;
  dataSet->FieldDefs().SetUpdated(false);
  dataSet->FieldDefs().Update();
  TComponent* owner = FDesigner && FDesigner->GetRoot() ? FDesigner->GetRoot() : dataSet->Owner();
  for (int i = 0; i < dataSet->FieldDefs().Count(); ++i) {
    TFieldDef* def = dataSet->FieldDefs().Items(i);
    if (dataSet->FindField(def->Name())) continue;
    auto* field = static_cast<TField*>(FieldClassForType(def->DataType()).CreateComponent(owner));
    field->SetFieldName(def->Name());
    field->SetSize(def->Size());
    field->SetRequired(def->Required());
    std::string name = dataSet->Name() + def->Name();
    std::string cleaned;
    for (char c : name)
      if (TComponent::IsValidIdent(std::string(1, c)) || (c >= '0' && c <= '9')) cleaned += c;
    std::string unique = cleaned;
    for (int n = 1; owner && owner->FindComponent(unique); ++n) unique = cleaned + std::to_string(n);
    field->SetName(unique);
    field->SetDataSet(dataSet);
  }
  if (FDesigner) FDesigner->Modified();
}

TFieldsEditor& ShowFieldsEditor(IFormDesigner* designer, TDataSet* dataSet, const TDSDesignerClass& designerClass) {
  DropClosed();
  for (auto& editor : Editors())
    if (editor->DataSet() == dataSet && editor->Designer() == designer) {
      editor->BringToFront();
      return *editor;
    }
  Editors().push_back(std::make_unique<TFieldsEditor>(designer, dataSet, designerClass));
  return *Editors().back();
}

std::vector<TFieldsEditor*> OpenFieldsEditors() {
  DropClosed();
  std::vector<TFieldsEditor*> result;
  for (auto& editor : Editors()) result.push_back(editor.get());
  return result;
}

void CloseAllFieldsEditors() { Editors().clear(); }
