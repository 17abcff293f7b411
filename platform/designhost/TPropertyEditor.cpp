#include "designhost/TPropertyEditor.h"

#include "classes/TPersistent.h"
#include "classes/TypInfo.h"
#include "rtl/TList.h"

QUELM_DEFINE_CLASS(TPropertyEditor, TObject)

TPropertyEditor::TPropertyEditor(IFormDesigner* designer, int propCount)
    : FDesigner(designer), FProps(static_cast<size_t>(propCount > 0 ? propCount : 0)) {}

void TPropertyEditor::Activate() {}

bool TPropertyEditor::AllEqual() { return PropCount() <= 1; }

bool TPropertyEditor::AutoFill() { return true; }

void TPropertyEditor::Edit() {}

TPropertyAttributes TPropertyEditor::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paRevertable};
}

int TPropertyEditor::GetEditLimit() { return 255; }

std::string TPropertyEditor::GetName() {
  const TPropInfo* prop = GetPropInfo();
  return prop ? prop->Name : "";
}

void TPropertyEditor::GetProperties(const TGetPropProc&) {}

std::string TPropertyEditor::GetValue() { return "(unknown)"; }

void TPropertyEditor::GetValues(const TGetStrProc&) {}

void TPropertyEditor::Initialize() {}

void TPropertyEditor::SetValue(const std::string&) {}

TPersistent* TPropertyEditor::GetComponent(int index) const {
  if (index < 0 || index >= PropCount()) RaiseListIndexError(index);
  return FProps[static_cast<size_t>(index)].Instance;
}

const TPropInfo* TPropertyEditor::GetPropInfo() const { return FProps.empty() ? nullptr : FProps[0].Prop; }

const TTypeInfo* TPropertyEditor::GetPropType() const {
  const TPropInfo* prop = GetPropInfo();
  return prop ? prop->PropType : nullptr;
}

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

void TPropertyEditor::SetPropEntry(int index, TPersistent* instance, const TPropInfo* prop) {
  if (index < 0 || index >= PropCount()) RaiseListIndexError(index);
  FProps[static_cast<size_t>(index)] = {instance, prop};
}

std::string TPropertyEditor::GetStrValueAt(int index) const {
  const TPropEntry& e = FProps.at(static_cast<size_t>(index));
  return PropValue::From<std::string>(GetPropValue(*e.Instance, *e.Prop));
}

std::string TPropertyEditor::GetStrValue() const { return GetStrValueAt(0); }

void TPropertyEditor::SetStrValue(const std::string& value) {
  for (const TPropEntry& e : FProps) SetPropValue(*e.Instance, *e.Prop, TValue(value));
  Modified();
}

int64_t TPropertyEditor::GetOrdValueAt(int index) const {
  const TPropEntry& e = FProps.at(static_cast<size_t>(index));
  return PropValue::From<int64_t>(GetPropValue(*e.Instance, *e.Prop));
}

int64_t TPropertyEditor::GetOrdValue() const { return GetOrdValueAt(0); }

void TPropertyEditor::SetOrdValue(int64_t value) {
  for (const TPropEntry& e : FProps) SetPropValue(*e.Instance, *e.Prop, TValue(value));
  Modified();
}

double TPropertyEditor::GetFloatValue() const {
  const TPropEntry& e = FProps.at(0);
  return PropValue::From<double>(GetPropValue(*e.Instance, *e.Prop));
}

void TPropertyEditor::SetFloatValue(double value) {
  for (const TPropEntry& e : FProps) SetPropValue(*e.Instance, *e.Prop, TValue(value));
  Modified();
}

TMethod TPropertyEditor::GetMethodValue() const {
  const TPropEntry& e = FProps.at(0);
  return PropValue::From<TMethod>(GetPropValue(*e.Instance, *e.Prop));
}

void TPropertyEditor::SetMethodValue(const TMethod& value) {
  for (const TPropEntry& e : FProps) SetPropValue(*e.Instance, *e.Prop, TValue(value));
  Modified();
}

TObject* TPropertyEditor::GetObjectValue() const {
  const TPropEntry& e = FProps.at(0);
  return PropValue::From<TObject*>(GetPropValue(*e.Instance, *e.Prop));
}

void TPropertyEditor::SetObjectValue(TObject* value) {
  for (const TPropEntry& e : FProps) SetPropValue(*e.Instance, *e.Prop, TValue(value));
  Modified();
}
