#pragma once
// A dataset over the SQL text of one statement. Its field definitions come
// from the server's description of the prepared statement; Open runs it.
#include "classes/TStringList.h"
#include "db/TParams.h"
#include "runtime/TQuelmDataSet.h"

#include <memory>

class TQuelmQuery : public TQuelmDataSet {
  QUELM_CLASS(TQuelmQuery, TQuelmDataSet)

public:
  explicit TQuelmQuery(TComponent* owner);
  ~TQuelmQuery() override;

  TStrings& GetQuery() { return *FSQL; }
  TStrings* SQL() const { return FSQL.get(); }
  void SetSQL(TStrings* sql);
  TParams* Params() const { return FParams.get(); }
  void SetParams(TParams* params);

  // Runs a statement that returns no rows; the number of affected rows.
  uint64_t ExecSQL();

protected:
  // The text sent to the server: the SQL text with each :name parameter
  // replaced by its value as an escaped literal (NULL when it has none).
  virtual std::string ExpandedSQL() const;
  // The SQL text as the server prepares it for a description: parameters
  // become placeholders, so no value is needed.
  virtual std::string DescribeText() const;
  std::string SelectSQL() const override;
  std::string DescribeSQL() const override;
  void CheckSelectSQL() const override;
  // The text the parameters are read from (macros already expanded).
  virtual std::string ParamSourceText() const { return FSQL->Text(); }
  void QueryChanged();

private:
  std::unique_ptr<TStringList> FSQL;
  std::unique_ptr<TParams> FParams;
};
