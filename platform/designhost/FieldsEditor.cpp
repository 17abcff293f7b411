#include "designhost/FieldsEditor.h"

#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "db/DatabaseError.h"
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

TComponent* TFieldsEditor::FieldOwner() const {
  return FDesigner && FDesigner->GetRoot() ? FDesigner->GetRoot() : DataSet()->Owner();
}

std::string TFieldsEditor::FieldComponentName(const std::string& fieldName) const {
  std::string cleaned;
  for (char c : DataSet()->Name() + fieldName)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') cleaned += c;
  if (cleaned.empty() || (cleaned[0] >= '0' && cleaned[0] <= '9')) cleaned = "Field" + cleaned;
  TComponent* owner = FieldOwner();
  std::string unique = cleaned;
  for (int n = 1; owner && owner->FindComponent(unique); ++n) unique = cleaned + std::to_string(n);
  return unique;
}

TField* TFieldsEditor::MakeField(const TClassInfo& cls, const std::string& fieldName) {
  auto* field = static_cast<TField*>(cls.CreateComponent(FieldOwner()));
  field->SetFieldName(fieldName);
  field->SetName(FieldComponentName(fieldName));
  field->SetDataSet(DataSet());
  return field;
}

std::vector<std::string> TFieldsEditor::AvailableFieldNames() {
  std::vector<std::string> names;
  TDataSet* dataSet = DataSet();
  if (!dataSet) return names;
  dataSet->FieldDefs().SetUpdated(false);
  dataSet->FieldDefs().Update();
  for (int i = 0; i < dataSet->FieldDefs().Count(); ++i) {
    const std::string& name = dataSet->FieldDefs().Items(i)->Name();
    if (!dataSet->FindField(name)) names.push_back(name);
  }
  return names;
}

std::vector<std::string> TFieldsEditor::AddAllFields() { return AddFields(AvailableFieldNames()); }

std::vector<std::string> TFieldsEditor::AddFields(const std::vector<std::string>& fieldNames) {
  std::vector<std::string> made;
  TDataSet* dataSet = DataSet();
  if (!dataSet) return made;
  if (!dataSet->FieldDefs().Updated()) dataSet->FieldDefs().Update();
  std::vector<TFieldDef*> defs;
  for (const std::string& name : fieldNames) {
    TFieldDef* def = dataSet->FieldDefs().Find(name);
    if (dataSet->FindField(name)) throw EDatabaseError("Field '" + name + "' is a persistent field already");
    defs.push_back(def);
  }
  for (TFieldDef* def : defs) {
    TField* field = MakeField(FieldClassForType(def->DataType()), def->Name());
    field->SetDataType(def->DataType());
    field->SetSize(def->Size());
    field->SetRequired(def->Required());
    if (auto* bcd = dynamic_cast<TBCDField*>(field)) bcd->SetPrecision(def->Precision());
    if (auto* bcd = dynamic_cast<TFMTBCDField*>(field)) bcd->SetPrecision(def->Precision());
    made.push_back(field->Name());
  }
  if (FDesigner && !made.empty()) FDesigner->Modified();
  return made;
}

std::string TFieldsEditor::NewField(const std::string& fieldName, const std::string& typeName, const std::string& kind,
                                    int size) {
  TDataSet* dataSet = DataSet();
  std::vector<std::string> offered = FieldKindsOffered();
  if (std::find(offered.begin(), offered.end(), kind) == offered.end())
    throw EDatabaseError("'" + kind + "' is not a kind of field this dataset offers");
  std::string typeText = typeName.rfind("ft", 0) == 0 ? typeName : "ft" + typeName;
  int type = GetEnumValue(TypeInfoFieldType(), typeText);
  if (type < 0 || TFieldType(type) == TFieldType::ftUnknown)
    throw EDatabaseError("'" + typeName + "' is not a field type");
  if (fieldName.empty()) throw EDatabaseError("A new field needs a field name");
  if (dataSet->FindField(fieldName)) throw EDatabaseError("Field '" + fieldName + "' exists already");
  TField* field = MakeField(FieldClassForType(TFieldType(type)), fieldName);
  field->SetDataType(TFieldType(type));
  field->SetSize(size);
  field->SetFieldKind(TFieldKind(GetEnumValue(TypeInfoFieldKind(), "fk" + kind)));
  if (FDesigner) FDesigner->Modified();
  return field->Name();
}

void TFieldsEditor::DeleteFields(const std::vector<std::string>& fieldNames) {
  std::vector<TField*> fields;
  for (const std::string& name : fieldNames) fields.push_back(DataSet()->FieldByName(name));
  for (TField* field : fields) delete field;
  if (FDesigner && !fields.empty()) FDesigner->Modified();
}

void TFieldsEditor::MoveField(const std::string& fieldName, int index) {
  TDataSet* dataSet = DataSet();
  TField* moving = dataSet->FieldByName(fieldName);
  std::vector<TField*> order;
  for (int i = 0; i < dataSet->FieldCount(); ++i)
    if (dataSet->Fields()[i] != moving) order.push_back(dataSet->Fields()[i]);
  index = std::clamp(index, 0, int(order.size()));
  order.insert(order.begin() + index, moving);
  // The field list keeps the order fields join it in.
  for (TField* field : order) field->SetDataSet(nullptr);
  for (TField* field : order) field->SetDataSet(dataSet);
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
