#include "designhost/FieldsEditor.h"

#include "classes/TStringList.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "db/DatabaseError.h"
#include "db/FieldClasses.h"
#include "designhost/IFormDesigner.h"
#include "rtl/TextCompare.h"

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

std::vector<std::string> TFieldsEditor::LookupDataSetNames() const {
  std::vector<std::string> names;
  TComponent* owner = FieldOwner();
  for (int i = 0; owner && i < owner->ComponentCount(); ++i)
    if (auto* d = dynamic_cast<TDataSet*>(owner->Components(i)); d && d != DataSet()) names.push_back(d->Name());
  return names;
}

std::vector<std::string> TFieldsEditor::FieldNamesOf(TDataSet& dataSet) {
  std::vector<std::string> names;
  if (dataSet.FieldCount() == 0) {
    try {
      if (!dataSet.FieldDefs().Updated()) dataSet.FieldDefs().Update();
    } catch (const Exception&) {
      // Without the server the names are not known; the user types them.
    }
  }
  TStringList list;
  dataSet.GetFieldNames(list);
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
  return names;
}

std::vector<std::string> TFieldsEditor::FieldNamesOf(const std::string& dataSetName) const {
  TComponent* owner = FieldOwner();
  auto* dataSet = dynamic_cast<TDataSet*>(owner && !dataSetName.empty() ? owner->FindComponent(dataSetName) : nullptr);
  return dataSet ? FieldNamesOf(*dataSet) : std::vector<std::string>();
}

namespace {

std::vector<std::string> SplitFieldNames(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  for (size_t semicolon;; start = semicolon + 1) {
    semicolon = text.find(';', start);
    std::string name = text.substr(start, semicolon == std::string::npos ? std::string::npos : semicolon - start);
    size_t first = name.find_first_not_of(' '), last = name.find_last_not_of(' ');
    names.push_back(first == std::string::npos ? std::string() : name.substr(first, last - first + 1));
    if (semicolon == std::string::npos) return names;
  }
}

// Raises for a name that dataset's known field names lack.
void CheckFieldNames(TDataSet& dataSet, const std::vector<std::string>& names) {
  std::vector<std::string> known = TFieldsEditor::FieldNamesOf(dataSet);
  if (known.empty()) return;
  for (const std::string& name : names)
    if (std::none_of(known.begin(), known.end(), [&](const std::string& k) { return SameText(k, name); }))
      throw EDatabaseError(dataSet.Name() + " has no field '" + name + "'");
}

} // namespace

TDataSet& TFieldsEditor::CheckLookup(const TLookupDefinition& lookup) const {
  std::vector<std::string> missing;
  if (lookup.LookupDataSet.empty()) missing.push_back("the lookup dataset");
  if (lookup.KeyFields.empty()) missing.push_back("the key fields");
  if (lookup.LookupKeyFields.empty()) missing.push_back("the lookup key fields");
  if (lookup.ResultField.empty()) missing.push_back("the result field");
  if (!missing.empty()) {
    std::string list;
    for (size_t i = 0; i < missing.size(); ++i) list += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
    throw EDatabaseError("A lookup field needs " + list);
  }
  TComponent* owner = FieldOwner();
  auto* lookupDataSet = dynamic_cast<TDataSet*>(owner ? owner->FindComponent(lookup.LookupDataSet) : nullptr);
  if (!lookupDataSet) throw EDatabaseError("The form has no dataset " + lookup.LookupDataSet);
  if (lookupDataSet == DataSet()) throw EDatabaseError("A lookup field cannot look up in its own dataset");
  std::vector<std::string> keys = SplitFieldNames(lookup.KeyFields), lookupKeys = SplitFieldNames(lookup.LookupKeyFields);
  for (const auto* list : {&keys, &lookupKeys})
    if (std::any_of(list->begin(), list->end(), [](const std::string& n) { return n.empty(); }))
      throw EDatabaseError("'" + (list == &keys ? lookup.KeyFields : lookup.LookupKeyFields) +
                           "' has an empty field name");
  if (keys.size() != lookupKeys.size())
    throw EDatabaseError("The key fields " + lookup.KeyFields + " and the lookup key fields " + lookup.LookupKeyFields +
                         " are not as many");
  CheckFieldNames(*DataSet(), keys);
  lookupKeys.push_back(lookup.ResultField);
  CheckFieldNames(*lookupDataSet, lookupKeys);
  return *lookupDataSet;
}

std::string TFieldsEditor::NewField(const std::string& fieldName, const std::string& typeName, const std::string& kind,
                                    int size, const TLookupDefinition& lookup) {
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
  TDataSet* lookupDataSet = kind == "Lookup" ? &CheckLookup(lookup) : nullptr;
  TField* field = MakeField(FieldClassForType(TFieldType(type)), fieldName);
  field->SetDataType(TFieldType(type));
  field->SetSize(size);
  field->SetFieldKind(TFieldKind(GetEnumValue(TypeInfoFieldKind(), "fk" + kind)));
  if (lookupDataSet) {
    field->SetLookupDataSet(lookupDataSet);
    field->SetKeyFields(lookup.KeyFields);
    field->SetLookupKeyFields(lookup.LookupKeyFields);
    field->SetLookupResultField(lookup.ResultField);
  }
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
