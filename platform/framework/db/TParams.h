#pragma once
// Parameters of a statement or stored routine.
#include "classes/TCollection.h"
#include "db/FieldTypes.h"

#include <optional>
#include <string>

class TParam : public TCollectionItem {
  QUELM_CLASS(TParam, TCollectionItem)

public:
  explicit TParam(TCollection* collection) : TCollectionItem(collection) {}

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType type) { FDataType = type; }
  TParamType ParamType() const { return FParamType; }
  void SetParamType(TParamType type) { FParamType = type; }
  int Size() const { return FSize; }
  void SetSize(int size) { FSize = size; }
  bool IsNull() const { return !FValue.has_value(); }
  std::string AsString() const { return FValue.value_or(""); }
  void SetAsString(const std::string& value) { FValue = value; }
  void Clear() { FValue.reset(); }
  std::string DisplayName() const override { return FName; }
  void Assign(const TPersistent* source) override;

private:
  std::string FName;
  TFieldType FDataType = TFieldType::ftUnknown;
  TParamType FParamType = TParamType::ptUnknown;
  int FSize = 0;
  std::optional<std::string> FValue;
};

class TParams : public TCollection {
  QUELM_CLASS(TParams, TCollection)

public:
  explicit TParams(TPersistent* owner = nullptr);

  TParam* Items(int index) const { return static_cast<TParam*>(TCollection::Items(index)); }
  TParam* AddParam() { return static_cast<TParam*>(TCollection::Add()); }
  TParam* CreateParam(TFieldType type, const std::string& name, TParamType paramType);
  TParam* FindParam(const std::string& name) const;   // ignoring case
  TParam* ParamByName(const std::string& name) const; // raises "Parameter '%s' not found"
};
