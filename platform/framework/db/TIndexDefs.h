#pragma once
// Index definitions of a table: name, fields (";"-separated), options.
#include "classes/TCollection.h"
#include "db/FieldTypes.h"

class TDataSet;

class TIndexDef : public TCollectionItem {
  QUELM_CLASS(TIndexDef, TCollectionItem)

public:
  explicit TIndexDef(TCollection* collection) : TCollectionItem(collection) {}

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  const std::string& Fields() const { return FFields; }
  void SetFields(const std::string& fields) { FFields = fields; }
  const std::string& DescFields() const { return FDescFields; }
  void SetDescFields(const std::string& fields) { FDescFields = fields; }
  const std::string& Expression() const { return FExpression; }
  void SetExpression(const std::string& expression) { FExpression = expression; }
  TIndexOptions Options() const { return FOptions; }
  void SetOptions(TIndexOptions options) { FOptions = options; }
  std::string DisplayName() const override { return FName; }
  void Assign(const TPersistent* source) override;

private:
  std::string FName;
  std::string FFields;
  std::string FDescFields;
  std::string FExpression;
  TIndexOptions FOptions;
};

class TIndexDefs : public TCollection {
  QUELM_CLASS(TIndexDefs, TCollection)

public:
  explicit TIndexDefs(TDataSet* dataSet);

  TIndexDef* Items(int index) const { return static_cast<TIndexDef*>(TCollection::Items(index)); }
  TIndexDef* AddIndexDef() { return static_cast<TIndexDef*>(TCollection::Add()); }
  TIndexDef* Add(const std::string& name, const std::string& fields, TIndexOptions options);
  int IndexOf(const std::string& name) const;     // ignoring case
  TIndexDef* Find(const std::string& name) const; // raises "Index '%s' not found"
  // The index whose field list is fields, else the first whose list starts
  // with them ("a;b" is covered by "a;b;c"); none when no index covers them.
  TIndexDef* GetIndexForFields(const std::string& fields) const;
  // The same; raises "No index for fields '%s'" when no index covers them.
  TIndexDef* FindIndexForFields(const std::string& fields) const;
  void GetItemNames(class TStrings& list) const;
  TDataSet* DataSet() const { return FDataSet; }

  bool Updated() const { return FUpdated; }
  void SetUpdated(bool updated) { FUpdated = updated; }
  // Refreshes the definitions from the dataset unless they are up to date.
  void Update();

private:
  TDataSet* FDataSet;
  bool FUpdated = false;
};
