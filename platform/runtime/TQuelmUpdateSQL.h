#pragma once
// Four parameterised statements that write one record's changes of a dataset
// to one table: modify, insert, delete and refresh, by TQuelmUpdateKind.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "runtime/QuelmTypes.h"
#include "runtime/SqlText.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TQuelmDataSet;

// New values of a record's fields, by field name (compared ignoring case);
// none is NULL.
using TQuelmFieldValues = std::vector<std::pair<std::string, std::optional<std::string>>>;

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

  // The statements are read and run under ANSI quoting: a name in double
  // quotes is a name, and a parameter may be written :"name".
  static constexpr TSqlQuoting StatementQuoting = TSqlQuoting::sqAnsiQuotes;

  // The statement of kind with each parameter replaced by an escaped literal
  // (NULL for no value): :OLD_name by the dataset's current value of the
  // field, the value before the change; :name by its value in newValues,
  // else by the current value.
  std::string ExpandedSQL(TQuelmUpdateKind kind, const TQuelmFieldValues& newValues = {}) const;
  // Runs the statement of kind on the dataset's database for its current
  // record, in a session whose SQL mode holds ANSI_QUOTES for that statement
  // alone. Modify, insert and delete return the number of rows affected; the
  // refresh statement's row goes into the dataset's current record and the
  // number of rows it read is returned.
  uint64_t Apply(TQuelmUpdateKind kind, const TQuelmFieldValues& newValues = {});

private:
  void AssignSQL(TQuelmUpdateKind kind, const TStrings* list);

  TComponentRef<TQuelmDataSet> FDataSet;
  std::array<std::unique_ptr<TStringList>, QuelmUpdateKindCount> FSQL;
  std::string FAbout;
};
