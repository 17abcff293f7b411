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

// What a new lookup field looks up: in LookupDataSet (a dataset of the
// form, by name), the record whose LookupKeyFields equal the dataset's
// KeyFields (field names separated by ';'); the field shows its
// ResultField.
struct TLookupDefinition {
  std::string LookupDataSet;
  std::string KeyFields;
  std::string LookupKeyFields;
  std::string ResultField;
};

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
  // "Add all fields": persistent fields for every field definition that has
  // none. The names of the fields made, in order.
  std::vector<std::string> AddAllFields();
  // The field definitions (read from the server) that have no persistent field yet.
  std::vector<std::string> AvailableFieldNames();
  // "Add fields...": a persistent field for each named definition, of the
  // class that matches its type, named as designers name it: the dataset's
  // name followed by the field's, made a valid identifier that is free in the
  // form. Raises EDatabaseError "Field 'X' not found" for a name the
  // definitions lack, before anything is made.
  std::vector<std::string> AddFields(const std::vector<std::string>& fieldNames);
  // "New field...": a field of the given type and kind (kind as offered:
  // Data, Calculated, Lookup, InternalCalc). Raises EDatabaseError for a
  // kind not offered, an unknown type, or a field name the dataset has. A
  // lookup field takes lookup, which must be complete: a dataset of the
  // form other than this one, as many key fields as lookup key fields, and
  // names each dataset has (where its field names can be read).
  std::string NewField(const std::string& fieldName, const std::string& typeName, const std::string& kind, int size,
                       const TLookupDefinition& lookup = {});
  // The datasets of the form a lookup field may look up in, by name.
  std::vector<std::string> LookupDataSetNames() const;
  // The field names of dataset that the lookup's drop-downs offer: its
  // persistent fields, else those the server lists (none when it cannot
  // be reached).
  static std::vector<std::string> FieldNamesOf(TDataSet& dataSet);
  // The same for a dataset of the form by name; none for a name it lacks.
  std::vector<std::string> FieldNamesOf(const std::string& dataSetName) const;
  // Deletes the persistent fields of those field names; raises for one the
  // dataset lacks, before anything goes.
  void DeleteFields(const std::vector<std::string>& fieldNames);
  // Moves the field to position index of the dataset's field list.
  void MoveField(const std::string& fieldName, int index);

private:
  TComponent* FieldOwner() const;
  std::string FieldComponentName(const std::string& fieldName) const;
  TField* MakeField(const TClassInfo& cls, const std::string& fieldName);
  TDataSet& CheckLookup(const TLookupDefinition& lookup) const;

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
