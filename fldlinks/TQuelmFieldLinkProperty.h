#pragma once
// The MasterFields property editor of a dataset, which is at the same time
// the adapter through which the field link designer reads and writes the
// dataset's index settings and master-field list. The designer calls only
// the adapter operations below and GetIndexNames. The base answers for a
// dataset without indexes and leaves the master-field access abstract; a
// subclass for one kind of dataset overrides the operations.
#include "designhost/TStringProperty.h"

#include <functional>
#include <memory>
#include <string>

class TDataSet;
class TIndexDefs;
class TQuelmFieldLinkProperty;
class TStrings;

// A class reference of the adapter family: makes an adapter of its class
// through the constructor with a dataset.
struct TFieldLinkPropertyClass {
  const TClassInfo* Class = nullptr;
  std::function<std::unique_ptr<TQuelmFieldLinkProperty>(TDataSet* dataSet)> Create;

  template <class E>
  static TFieldLinkPropertyClass Of() {
    return {&E::StaticClass(), [](TDataSet* dataSet) -> std::unique_ptr<TQuelmFieldLinkProperty> {
              return std::make_unique<E>(dataSet);
            }};
  }
};

class TQuelmFieldLinkProperty : public TStringProperty {
  QUELM_CLASS(TQuelmFieldLinkProperty, TStringProperty)

public:
  // Made by the host for one inspection: the dataset is the first edited
  // component, fetched on first use.
  TQuelmFieldLinkProperty(IFormDesigner* designer, int propCount);
  // An adapter for dataSet alone, without form designer or edited
  // components; it serves EditMasterFields and the dialog only.
  explicit TQuelmFieldLinkProperty(TDataSet* dataSet);

  // Runs the field link designer on the dataset; on OK tells the host that
  // the form changed.
  void Edit() override;
  TPropertyAttributes GetAttributes() override;

  TDataSet* GetDataSet();
  // Appends the entries of the designer's index chooser: each index's name,
  // "Primary" for the unnamed primary index.
  void GetIndexNames(TStrings& list);

  // Appends, in index order, the field names of the current index (the one
  // most recently set through SetIndexName).
  virtual void GetFieldNamesForIndex(TStrings& list);
  // True when the detail side of a link is an index of the dataset, false
  // when it is simply all fields of the dataset.
  virtual bool GetIndexBased();
  virtual TIndexDefs* GetIndexDefs();
  virtual std::string GetIndexFieldNames();
  virtual std::string GetIndexName();
  virtual std::string GetMasterFields();
  virtual void SetIndexFieldNames(const std::string& value);
  // value is an entry of the index chooser: "Primary" names the unnamed
  // primary index.
  virtual void SetIndexName(const std::string& value);
  virtual void SetMasterFields(const std::string& value);

  // The result of the last designer run started by Edit.
  bool Accepted() const { return FAccepted; }

protected:
  bool FAccepted = false;
  TDataSet* FDataSet = nullptr;
};
