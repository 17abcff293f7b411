#include "db/TIndexDefs.h"

#include "classes/TStrings.h"
#include "db/DatabaseError.h"
#include "db/TDataSet.h"
#include "rtl/TextCompare.h"

QUELM_DEFINE_CLASS(TIndexDef, TCollectionItem, CollectionItemFactory(b);
                   b.Property("Name", TypeInfoString(), &TIndexDef::Name, &TIndexDef::SetName);
                   b.Property("DescFields", TypeInfoString(), &TIndexDef::DescFields, &TIndexDef::SetDescFields);
                   b.Property("Expression", TypeInfoString(), &TIndexDef::Expression, &TIndexDef::SetExpression);
                   b.Property("Fields", TypeInfoString(), &TIndexDef::Fields, &TIndexDef::SetFields);
                   b.Property("Options", TypeInfoIndexOptions(), &TIndexDef::Options, &TIndexDef::SetOptions)
                       .Default(0))
QUELM_DEFINE_CLASS(TIndexDefs, TCollection)

void TIndexDef::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TIndexDef*>(source)) {
    FName = other->FName;
    FFields = other->FFields;
    FDescFields = other->FDescFields;
    FExpression = other->FExpression;
    FOptions = other->FOptions;
    return;
  }
  TCollectionItem::Assign(source);
}

TIndexDefs::TIndexDefs(TDataSet* dataSet) : TCollection(TIndexDef::StaticClass(), dataSet), FDataSet(dataSet) {}

TIndexDef* TIndexDefs::Add(const std::string& name, const std::string& fields, TIndexOptions options) {
  TIndexDef* def = AddIndexDef();
  def->SetName(name);
  def->SetFields(fields);
  def->SetOptions(options);
  return def;
}

int TIndexDefs::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), name)) return i;
  return -1;
}

TIndexDef* TIndexDefs::Find(const std::string& name) const {
  int index = IndexOf(name);
  if (index < 0) DatabaseErrorFmt(DBText::IndexNotFound, name, FDataSet);
  return Items(index);
}

TIndexDef* TIndexDefs::GetIndexForFields(const std::string& fields) const {
  if (fields.empty()) return nullptr;
  // An exact match wins over an index that merely starts with the fields.
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Fields(), fields)) return Items(i);
  for (int i = 0; i < Count(); ++i) {
    const std::string& f = Items(i)->Fields();
    if (f.size() > fields.size() && f[fields.size()] == ';' && SameText(f.substr(0, fields.size()), fields))
      return Items(i);
  }
  return nullptr;
}

TIndexDef* TIndexDefs::FindIndexForFields(const std::string& fields) const {
  TIndexDef* def = GetIndexForFields(fields);
  if (!def) DatabaseErrorFmt(DBText::NoIndexForFields, fields, FDataSet);
  return def;
}

void TIndexDefs::GetItemNames(TStrings& list) const {
  TUpdateGuard guard(list);
  list.Clear();
  for (int i = 0; i < Count(); ++i)
    if (!Items(i)->Name().empty()) list.Add(Items(i)->Name());
}

void TIndexDefs::Update() {
  if (FUpdated || !FDataSet) return;
  FDataSet->UpdateIndexDefs();
  FUpdated = true;
}
