#pragma once
// The host's fields editor: one per dataset and designer, kept open until the
// dataset goes. A second request for the same dataset brings the open one
// forward and keeps the designer it was opened with.
#include "classes/TComponentRef.h"
#include "db/TDataSet.h"
#include "designhost/TDSDesigner.h"

#include <memory>
#include <string>
#include <vector>

class IFormDesigner;

class TFieldsEditor {
public:
  TFieldsEditor(IFormDesigner* designer, TDataSet* dataSet, const TDSDesignerClass& designerClass);

  TDataSet* DataSet() const { return FDataSet.Get(); }
  IFormDesigner* Designer() const { return FDesigner; }
  TDSDesigner& DSDesigner() const { return *FDSDesigner; }
  int ShowCount() const { return FShowCount; }
  void BringToFront() { ++FShowCount; }

  // The kinds of field the editor's "New Field" offers.
  std::vector<std::string> FieldKindsOffered() const;
  // "Add all fields": persistent fields for every field definition that has none.
  void AddAllFields();

private:
  IFormDesigner* FDesigner;
  TComponentRef<TDataSet> FDataSet;
  std::unique_ptr<TDSDesigner> FDSDesigner;
  int FShowCount = 1;
};

// Opens, or brings forward, the fields editor of dataSet.
TFieldsEditor& ShowFieldsEditor(IFormDesigner* designer, TDataSet* dataSet, const TDSDesignerClass& designerClass);
// The fields editors open now, in opening order; closed ones (their dataset went) drop out.
std::vector<TFieldsEditor*> OpenFieldsEditors();
void CloseAllFieldsEditors();
