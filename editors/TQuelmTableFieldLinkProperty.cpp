#include "editors/TQuelmTableFieldLinkProperty.h"

#include "classes/TStrings.h"
#include "fldlinks/QuelmFldLinksStrings.h"
#include "package/PackageModule.h"
#include "runtime/TQuelmTable.h"

QUELM_DEFINE_CLASS(TQuelmTableFieldLinkProperty, TQuelmFieldLinkProperty)

TQuelmTableFieldLinkProperty::~TQuelmTableFieldLinkProperty() = default;

void TQuelmTableFieldLinkProperty::Edit() {
  auto* table = dynamic_cast<TQuelmTable*>(GetDataSet());
  if (!table) throw EInvalidCast(HostText::InvalidCast);
  FTable = std::make_unique<TQuelmTable>(nullptr);
  // The working copy goes at the end of every path, an error's included.
  struct TFreeWorkingCopy {
    std::unique_ptr<TQuelmTable>& Table;
    ~TFreeWorkingCopy() { Table.reset(); }
  } freeWorkingCopy{FTable};

  FTable->SetDatabase(table->GetDatabase());
  FTable->SetTableName(table->TableName());
  if (!table->IndexFieldNames().empty()) FTable->SetIndexFieldNames(table->IndexFieldNames());
  else FTable->SetIndexName(table->IndexName());
  FTable->SetMasterFields(table->MasterFields());
  FTable->Open();
  TQuelmFieldLinkProperty::Edit();
  if (!FAccepted) return;
  table->SetMasterFields(FTable->MasterFields());
  if (!FTable->IndexFieldNames().empty()) table->SetIndexFieldNames(FTable->IndexFieldNames());
  else table->SetIndexName(FTable->IndexName());
}

TQuelmTable& TQuelmTableFieldLinkProperty::Table() const {
  if (!FTable) throw Exception("The working table exists only while the link designer runs");
  return *FTable;
}

void TQuelmTableFieldLinkProperty::GetFieldNamesForIndex(TStrings& list) {
  TQuelmTable& table = Table();
  for (int i = 0; i < table.GetIndexFieldCount(); ++i) list.Add(table.GetIndexField(i)->FieldName());
}

bool TQuelmTableFieldLinkProperty::GetIndexBased() { return true; }

TIndexDefs* TQuelmTableFieldLinkProperty::GetIndexDefs() { return &Table().GetIndexDefs(); }

std::string TQuelmTableFieldLinkProperty::GetIndexFieldNames() { return Table().IndexFieldNames(); }

std::string TQuelmTableFieldLinkProperty::GetIndexName() { return Table().IndexName(); }

std::string TQuelmTableFieldLinkProperty::GetMasterFields() { return Table().MasterFields(); }

void TQuelmTableFieldLinkProperty::SetIndexFieldNames(const std::string& value) { Table().SetIndexFieldNames(value); }

void TQuelmTableFieldLinkProperty::SetIndexName(const std::string& value) {
  Table().SetIndexName(value == PackageResString(SPrimary) ? std::string() : value);
}

void TQuelmTableFieldLinkProperty::SetMasterFields(const std::string& value) { Table().SetMasterFields(value); }
