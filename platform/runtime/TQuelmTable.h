#pragma once
// A table of the connected database. Its index definitions come from the
// server; the current index is IndexFieldNames when set, else IndexName
// (empty: the primary index), and orders the rows that Open reads.
#include "classes/TComponentRef.h"
#include "db/TDataSource.h"
#include "db/TIndexDefs.h"
#include "runtime/TQuelmDataSet.h"

#include <memory>
#include <string>
#include <vector>

class TQuelmTable : public TQuelmDataSet {
  QUELM_CLASS(TQuelmTable, TQuelmDataSet)

public:
  explicit TQuelmTable(TComponent* owner);
  ~TQuelmTable() override;

  const std::string& TableName() const { return FTableName; }
  void SetTableName(const std::string& name);
  const std::string& IndexName() const { return FIndexName; }
  void SetIndexName(const std::string& name);
  const std::string& IndexFieldNames() const { return FIndexFieldNames; }
  void SetIndexFieldNames(const std::string& names);
  const std::string& MasterFields() const { return FMasterFields; }
  void SetMasterFields(const std::string& fields) { FMasterFields = fields; }
  TDataSource* MasterSource() const { return FMasterSource.Get(); }
  // Raises "Circular datalinks are not allowed" when the source follows this table.
  void SetMasterSource(TDataSource* source);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }

  TIndexDefs& GetIndexDefs() { return *FIndexDefs; }
  TIndexDefs* IndexDefs() const { return FIndexDefs.get(); }
  void SetIndexDefs(TIndexDefs* defs);
  // Replaces list's content with the names of the named indexes, from the
  // server (the primary index has no name: an empty IndexName selects it).
  void GetIndexNames(TStrings& list);

  // The current index's field names, in index order.
  std::vector<std::string> IndexFieldList() const;
  int GetIndexFieldCount() const override;
  // The open table's field of the current index's field at index.
  TField* GetIndexField(int index) const override;

  TDataSource* GetDataSource() const override { return FMasterSource.Get(); }
  void UpdateIndexDefs() override;

protected:
  std::string SelectSQL() const override;
  std::string DescribeSQL() const override;
  void CheckSelectSQL() const override;

private:
  // The WHERE clause that keeps the rows matching the master's current record.
  std::string MasterCondition() const;

  std::string FTableName;
  std::string FIndexName;
  std::string FIndexFieldNames;
  std::string FMasterFields;
  TComponentRef<TDataSource> FMasterSource;
  bool FReadOnly = false;
  std::unique_ptr<TIndexDefs> FIndexDefs;
};
