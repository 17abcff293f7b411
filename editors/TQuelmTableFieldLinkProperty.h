#pragma once
// A table's MasterFields: the field link designer runs on a working copy of
// the table, opened on the server so that its indexes and index fields are
// known. The edited table itself is never opened; only OK copies the link
// settings back onto it.
#include "fldlinks/TQuelmFieldLinkProperty.h"

#include <memory>

class TQuelmTable;

class TQuelmTableFieldLinkProperty : public TQuelmFieldLinkProperty {
  QUELM_CLASS(TQuelmTableFieldLinkProperty, TQuelmFieldLinkProperty)

public:
  using TQuelmFieldLinkProperty::TQuelmFieldLinkProperty;
  ~TQuelmTableFieldLinkProperty() override;

  void Edit() override;
  void GetFieldNamesForIndex(TStrings& list) override;
  bool GetIndexBased() override;
  TIndexDefs* GetIndexDefs() override;
  std::string GetIndexFieldNames() override;
  std::string GetIndexName() override;
  std::string GetMasterFields() override;
  void SetIndexFieldNames(const std::string& value) override;
  // "Primary" selects the primary index, whose IndexName is empty.
  void SetIndexName(const std::string& value) override;
  void SetMasterFields(const std::string& value) override;

private:
  TQuelmTable& Table() const;

  // The working copy; exists only during Edit.
  std::unique_ptr<TQuelmTable> FTable;
};
