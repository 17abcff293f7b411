#pragma once
// Field definitions: what the server says a dataset's columns are. Update asks
// the dataset to refresh them; Updated tells whether that already happened.
#include "classes/TCollection.h"
#include "db/FieldTypes.h"

class TDataSet;

class TFieldDef : public TCollectionItem {
  QUELM_CLASS(TFieldDef, TCollectionItem)

public:
  explicit TFieldDef(TCollection* collection) : TCollectionItem(collection) {}

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType type) { FDataType = type; }
  int Size() const { return FSize; }
  void SetSize(int size) { FSize = size; }
  int Precision() const { return FPrecision; }
  void SetPrecision(int precision) { FPrecision = precision; }
  bool Required() const { return FRequired; }
  void SetRequired(bool required) { FRequired = required; }
  std::string DisplayName() const override { return FName; }
  void Assign(const TPersistent* source) override;

private:
  std::string FName;
  TFieldType FDataType = TFieldType::ftUnknown;
  int FSize = 0;
  int FPrecision = 0;
  bool FRequired = false;
};

class TFieldDefs : public TCollection {
  QUELM_CLASS(TFieldDefs, TCollection)

public:
  explicit TFieldDefs(TDataSet* dataSet);

  TFieldDef* Items(int index) const { return static_cast<TFieldDef*>(TCollection::Items(index)); }
  TFieldDef* AddFieldDef() { return static_cast<TFieldDef*>(TCollection::Add()); }
  TFieldDef* Add(const std::string& name, TFieldType type, int size = 0, bool required = false);
  TFieldDef* Find(const std::string& name) const;  // raises "Field '%s' not found"
  int IndexOf(const std::string& name) const;      // ignoring case
  TDataSet* DataSet() const { return FDataSet; }

  bool Updated() const { return FUpdated; }
  void SetUpdated(bool updated) { FUpdated = updated; }
  // Refreshes the definitions from the dataset unless they are up to date.
  void Update();

private:
  TDataSet* FDataSet;
  bool FUpdated = false;
};
