#pragma once
// Four parameterised statements that write one record's changes of a dataset
// to one table: modify, insert, delete and refresh, by TQuelmUpdateKind.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "runtime/QuelmTypes.h"

#include <array>
#include <memory>

class TQuelmDataSet;

class TQuelmUpdateSQL : public TComponent {
  QUELM_CLASS(TQuelmUpdateSQL, TComponent)

public:
  explicit TQuelmUpdateSQL(TComponent* owner);
  ~TQuelmUpdateSQL() override;

  // The dataset whose UpdateObject this is; the dataset sets it.
  TQuelmDataSet* DataSet() const { return FDataSet.Get(); }
  void SetDataSet(TQuelmDataSet* dataSet);

  TStrings& GetSQL(TQuelmUpdateKind kind) const { return *FSQL[static_cast<size_t>(kind)]; }
  // Copies list into the statement of kind.
  void SetSQL(TQuelmUpdateKind kind, const TStrings& list);
  // The statement for index 0 (modify), 1 (insert), 2 (delete) or 3 (refresh);
  // another index raises the list-index error.
  TStrings& GetSQLIndex(int index) const;

  TStrings* ModifySQL() const { return &GetSQL(TQuelmUpdateKind::ukModify); }
  TStrings* InsertSQL() const { return &GetSQL(TQuelmUpdateKind::ukInsert); }
  TStrings* DeleteSQL() const { return &GetSQL(TQuelmUpdateKind::ukDelete); }
  TStrings* RefreshSQL() const { return &GetSQL(TQuelmUpdateKind::ukRefresh); }
  void SetModifySQL(TStrings* v) { AssignSQL(TQuelmUpdateKind::ukModify, v); }
  void SetInsertSQL(TStrings* v) { AssignSQL(TQuelmUpdateKind::ukInsert, v); }
  void SetDeleteSQL(TStrings* v) { AssignSQL(TQuelmUpdateKind::ukDelete, v); }
  void SetRefreshSQL(TStrings* v) { AssignSQL(TQuelmUpdateKind::ukRefresh, v); }

  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  // The statement of kind with each :name (and :OLD_name, the value before the
  // change, which here is the current value) replaced by the dataset's current
  // field value as an escaped literal.
  std::string ExpandedSQL(TQuelmUpdateKind kind) const;
  // Runs the statement of kind on the dataset's database for its current record.
  uint64_t Apply(TQuelmUpdateKind kind);

private:
  void AssignSQL(TQuelmUpdateKind kind, const TStrings* list);

  TComponentRef<TQuelmDataSet> FDataSet;
  std::array<std::unique_ptr<TStringList>, QuelmUpdateKindCount> FSQL;
  std::string FAbout;
};
