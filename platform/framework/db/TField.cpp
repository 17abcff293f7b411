#include "db/TField.h"

#include "db/DatabaseError.h"
#include "db/TDataSet.h"

#include <cstdlib>

QUELM_DEFINE_CLASS(
    TField, TComponent,
    b.Property("Alignment", TypeInfoAlignment(), &TField::Alignment, &TField::SetAlignment).Default(0);
    b.Property("DefaultExpression", TypeInfoString(), &TField::DefaultExpression, &TField::SetDefaultExpression);
    b.Property("DisplayLabel", TypeInfoString(), &TField::DisplayLabel, &TField::SetDisplayLabel)
        .Stored([](const TField& f) { return f.FDisplayLabel != "" && f.FDisplayLabel != f.FFieldName; });
    b.Property("DisplayWidth", TypeInfoInteger(), &TField::DisplayWidth, &TField::SetDisplayWidth)
        .Stored([](const TField& f) { return f.FDisplayWidth != 0; });
    b.Property("EditMask", TypeInfoString(), &TField::EditMask, &TField::SetEditMask);
    b.Property("FieldKind", TypeInfoFieldKind(), &TField::FieldKind, &TField::SetFieldKind).Default(0);
    b.Property("FieldName", TypeInfoString(), &TField::FieldName, &TField::SetFieldName);
    b.Property("KeyFields", TypeInfoString(), &TField::KeyFields, &TField::SetKeyFields);
    b.Property("LookupCache", TypeInfoBoolean(), &TField::LookupCache, &TField::SetLookupCache).Default(0);
    b.Property("LookupDataSet", TDataSet::StaticClass().TypeInfo(), &TField::LookupDataSet, &TField::SetLookupDataSet);
    b.Property("LookupKeyFields", TypeInfoString(), &TField::LookupKeyFields, &TField::SetLookupKeyFields);
    b.Property("LookupResultField", TypeInfoString(), &TField::LookupResultField, &TField::SetLookupResultField);
    b.Property("Origin", TypeInfoString(), &TField::Origin, &TField::SetOrigin);
    b.Property("ReadOnly", TypeInfoBoolean(), &TField::ReadOnly, &TField::SetReadOnly).Default(0);
    b.Property("Required", TypeInfoBoolean(), &TField::Required, &TField::SetRequired).Default(0);
    b.Property("Size", TypeInfoInteger(), &TField::Size, &TField::SetSize).Default(0);
    b.Property("Visible", TypeInfoBoolean(), &TField::Visible, &TField::SetVisible).Default(1);
    b.Event("OnChange", TypeInfoFieldNotifyEvent(), &TField::OnChange);
    b.Event("OnGetText", TypeInfoFieldGetTextEvent(), &TField::OnGetText);
    b.Event("OnSetText", TypeInfoFieldSetTextEvent(), &TField::OnSetText);
    b.Event("OnValidate", TypeInfoFieldNotifyEvent(), &TField::OnValidate))

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField() { SetDataSet(nullptr); }

void TField::SetDataSet(TDataSet* dataSet) {
  if (dataSet == FDataSet) return;
  if (FDataSet) FDataSet->RemoveField(this);
  if (dataSet) dataSet->AddField(this);
}

TComponent* TField::GetParentComponent() const { return FDataSet; }

void TField::SetParentComponent(TComponent* parent) {
  if (auto* dataSet = dynamic_cast<TDataSet*>(parent)) SetDataSet(dataSet);
}

int TField::Index() const { return FDataSet ? FDataSet->Fields().IndexOf(this) : -1; }

TDataSet* TField::LookupDataSet() const { return FLookupDataSet.Get(); }

void TField::SetLookupDataSet(TDataSet* dataSet) {
  FLookupDataSet = dataSet;
  if (dataSet) dataSet->FreeNotification(this);
}

void TField::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
}

bool TField::IsNull() const { return !FDataSet || !FDataSet->FieldValue(*this).has_value(); }

std::string TField::AsString() const {
  if (!FDataSet) return "";
  auto value = FDataSet->FieldValue(*this);
  return value ? *value : "";
}

int64_t TField::AsInteger() const { return std::strtoll(AsString().c_str(), nullptr, 10); }

double TField::AsFloat() const { return std::strtod(AsString().c_str(), nullptr); }
