#include "db/TParams.h"

#include "db/DatabaseError.h"
#include "rtl/TextCompare.h"

QUELM_DEFINE_CLASS(TParam, TCollectionItem, CollectionItemFactory(b);
                   b.Property("DataType", TypeInfoFieldType(), &TParam::DataType, &TParam::SetDataType);
                   b.Property("Name", TypeInfoString(), &TParam::Name, &TParam::SetName);
                   b.Property("ParamType", TypeInfoParamType(), &TParam::ParamType, &TParam::SetParamType);
                   b.Property("Size", TypeInfoInteger(), &TParam::Size, &TParam::SetSize).Default(0))
QUELM_DEFINE_CLASS(TParams, TCollection)

void TParam::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TParam*>(source)) {
    FName = other->FName;
    FDataType = other->FDataType;
    FParamType = other->FParamType;
    FSize = other->FSize;
    FValue = other->FValue;
    return;
  }
  TCollectionItem::Assign(source);
}

TParams::TParams(TPersistent* owner) : TCollection(TParam::StaticClass(), owner) {}

TParam* TParams::CreateParam(TFieldType type, const std::string& name, TParamType paramType) {
  TParam* param = AddParam();
  param->SetName(name);
  param->SetDataType(type);
  param->SetParamType(paramType);
  return param;
}

TParam* TParams::FindParam(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), name)) return Items(i);
  return nullptr;
}

TParam* TParams::ParamByName(const std::string& name) const {
  TParam* param = FindParam(name);
  if (!param) DatabaseErrorFmt(DBText::ParameterNotFound, name);
  return param;
}
