#pragma once
// A stored routine of the connected database. RoutineKind 0 is a stored
// procedure (run with CALL, its result set becomes the rows); any other value
// a stored function (run with SELECT, one row with the result). Params are
// rebuilt from the server's parameter list by RefreshParams.
#include "db/TParams.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmDataSet.h"

#include <cstdint>
#include <memory>
#include <optional>

class TQuelmStoredProc : public TQuelmDataSet {
  QUELM_CLASS(TQuelmStoredProc, TQuelmDataSet)

public:
  explicit TQuelmStoredProc(TComponent* owner);
  ~TQuelmStoredProc() override;

  const std::string& ProcedureName() const { return FProcedureName; }
  void SetProcedureName(const std::string& name);
  int32_t RoutineKind() const { return FRoutineKind; }
  void SetRoutineKind(int32_t kind);
  bool IsFunction() const { return FRoutineKind != 0; }
  TQuelmInternalSelectRoutinesType RoutinesType() const {
    return IsFunction() ? TQuelmInternalSelectRoutinesType::srtFunctions
                        : TQuelmInternalSelectRoutinesType::srtProcedures;
  }

  TParams* Params() const { return FParams.get(); }
  void SetParams(TParams* params);
  int GetParamsCount() const { return FParams->Count(); }
  TParam* ParamByName(const std::string& name) const { return FParams->ParamByName(name); }

  void SetNeedRefreshParams() { FNeedRefreshParams = true; }
  bool NeedRefreshParams() const { return FNeedRefreshParams; }
  // Rebuilds Params from the server when they are marked for a refresh (a new
  // procedure name or kind marks them too); a parameter that stays keeps its
  // value. Does nothing otherwise.
  void RefreshParams();

  // Runs the routine without keeping rows (a procedure's result sets are read
  // and dropped); output parameters receive their values.
  void ExecProc();

protected:
  std::string SelectSQL() const override;
  std::string DescribeSQL() const override;
  void CheckSelectSQL() const override;
  void InternalInitFieldDefs() override;
  void InternalOpen() override;

private:
  std::string CallSQL() const;
  // Runs the routine; output parameters and a function's result receive their
  // values. The first result set.
  TQuelmResult RunCall();
  void FetchOutputParams();

  std::optional<TQuelmResult> FPending;  // the result of the run that gave the fields

  std::string FProcedureName;
  int32_t FRoutineKind = 0;
  std::unique_ptr<TParams> FParams;
  bool FNeedRefreshParams = true;
};
