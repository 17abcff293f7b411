#include "db/TFieldDefs.h"

#include "db/DatabaseError.h"
#include "db/TDataSet.h"
#include "rtl/TextCompare.h"

QUELM_DEFINE_CLASS(TFieldDef, TCollectionItem, CollectionItemFactory(b);
                   b.Property("Name", TypeInfoString(), &TFieldDef::Name, &TFieldDef::SetName);
                   b.Property("DataType", TypeInfoFieldType(), &TFieldDef::DataType, &TFieldDef::SetDataType);
                   b.Property("Precision", TypeInfoInteger(), &TFieldDef::Precision, &TFieldDef::SetPrecision)
                       .Default(0);
                   b.Property("Size", TypeInfoInteger(), &TFieldDef::Size, &TFieldDef::SetSize).Default(0))
QUELM_DEFINE_CLASS(TFieldDefs, TCollection)

void TFieldDef::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TFieldDef*>(source)) {
    FName = other->FName;
    FDataType = other->FDataType;
    FSize = other->FSize;
    FPrecision = other->FPrecision;
    FRequired = other->FRequired;
    return;
  }
  TCollectionItem::Assign(source);
}

TFieldDefs::TFieldDefs(TDataSet* dataSet) : TCollection(TFieldDef::StaticClass(), dataSet), FDataSet(dataSet) {}

TFieldDef* TFieldDefs::Add(const std::string& name, TFieldType type, int size, bool required) {
  TFieldDef* def = AddFieldDef();
  def->SetName(name);
  def->SetDataType(type);
  def->SetSize(size);
  def->SetRequired(required);
  return def;
}

int TFieldDefs::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::Find(const std::string& name) const {
  int index = IndexOf(name);
  if (index < 0) DatabaseErrorFmt(DBText::FieldNotFound, name, FDataSet);
  return Items(index);
}

void TFieldDefs::Update() {
  if (FUpdated || !FDataSet) return;
  FDataSet->UpdateFieldDefs();
  FUpdated = true;
}
