#include "runtime/TQuelmStoredProc.h"

#include "db/DatabaseError.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"

#include <optional>

namespace {
TFieldType ParamFieldType(const std::string& dataType) {
  struct TMap {
    const char* Name;
    TFieldType Type;
  };
  static const TMap map[] = {
      {"tinyint", TFieldType::ftSmallint},  {"smallint", TFieldType::ftSmallint}, {"mediumint", TFieldType::ftInteger},
      {"int", TFieldType::ftInteger},       {"bigint", TFieldType::ftLargeint},   {"decimal", TFieldType::ftBCD},
      {"float", TFieldType::ftFloat},       {"double", TFieldType::ftFloat},      {"date", TFieldType::ftDate},
      {"time", TFieldType::ftTime},         {"datetime", TFieldType::ftDateTime}, {"timestamp", TFieldType::ftDateTime},
      {"year", TFieldType::ftSmallint},     {"char", TFieldType::ftFixedChar},    {"varchar", TFieldType::ftString},
      {"tinytext", TFieldType::ftMemo},     {"text", TFieldType::ftMemo},         {"mediumtext", TFieldType::ftMemo},
      {"longtext", TFieldType::ftMemo},     {"binary", TFieldType::ftBytes},      {"varbinary", TFieldType::ftVarBytes},
      {"tinyblob", TFieldType::ftBlob},     {"blob", TFieldType::ftBlob},         {"mediumblob", TFieldType::ftBlob},
      {"longblob", TFieldType::ftBlob},     {"bit", TFieldType::ftLargeint},      {"enum", TFieldType::ftString},
      {"set", TFieldType::ftString},
  };
  for (const TMap& m : map)
    if (SameText(dataType, m.Name)) return m.Type;
  return TFieldType::ftString;
}

std::string OutputVariable(int index) { return Format("@quelm_param_%d", {index}); }
} // namespace

QUELM_DEFINE_CLASS(TQuelmStoredProc, TQuelmDataSet, b.ComponentFactory();
                   b.Property("Params", TParams::StaticClass().TypeInfo(), &TQuelmStoredProc::Params,
                              &TQuelmStoredProc::SetParams);
                   b.Property("ProcedureName", TypeInfoString(), &TQuelmStoredProc::ProcedureName,
                              &TQuelmStoredProc::SetProcedureName);
                   b.Property("RoutineKind", TypeInfoInteger(), &TQuelmStoredProc::RoutineKind,
                              &TQuelmStoredProc::SetRoutineKind)
                       .Default(0))

TQuelmStoredProc::TQuelmStoredProc(TComponent* owner)
    : TQuelmDataSet(owner), FParams(std::make_unique<TParams>(this)) {}

TQuelmStoredProc::~TQuelmStoredProc() = default;

void TQuelmStoredProc::SetProcedureName(const std::string& name) {
  if (name == FProcedureName) return;
  CheckInactive();
  FProcedureName = name;
  FNeedRefreshParams = true;
  FieldDefs().SetUpdated(false);
}

void TQuelmStoredProc::SetRoutineKind(int32_t kind) {
  if (kind == FRoutineKind) return;
  CheckInactive();
  bool wasFunction = IsFunction();
  FRoutineKind = kind;
  if (wasFunction != IsFunction()) {
    FNeedRefreshParams = true;
    FieldDefs().SetUpdated(false);
  }
}

void TQuelmStoredProc::SetParams(TParams* params) {
  if (params && params != FParams.get()) FParams->Assign(params);
}

void TQuelmStoredProc::RefreshParams() {
  if (!FNeedRefreshParams) return;
  if (FProcedureName.empty()) {
    FParams->Clear();
    FNeedRefreshParams = false;
    return;
  }
  TQuelmConnection& c = CheckDatabase().Connection();
  const char* type = IsFunction() ? "'FUNCTION'" : "'PROCEDURE'";
  // One round trip: the routine row tells that the routine exists even when
  // it has no parameters.
  std::string sql =
      "SELECT r.ROUTINE_NAME, p.PARAMETER_NAME, p.PARAMETER_MODE, p.DATA_TYPE, p.CHARACTER_MAXIMUM_LENGTH, "
      "p.ORDINAL_POSITION FROM information_schema.ROUTINES r LEFT JOIN information_schema.PARAMETERS p "
      "ON p.SPECIFIC_SCHEMA = r.ROUTINE_SCHEMA AND p.SPECIFIC_NAME = r.SPECIFIC_NAME AND p.ROUTINE_TYPE = "
      "r.ROUTINE_TYPE WHERE r.ROUTINE_SCHEMA = DATABASE() AND r.ROUTINE_TYPE = " +
      std::string(type) + " AND r.ROUTINE_NAME = " + c.QuoteValue(FProcedureName) + " ORDER BY p.ORDINAL_POSITION";
  TQuelmResult result = c.Query(sql);
  if (result.Rows.empty())
    DatabaseErrorFmt(IsFunction() ? "Stored function '%s' not found" : "Stored procedure '%s' not found",
                     FProcedureName, this);
  TParams kept;
  kept.Assign(FParams.get());
  FParams->BeginUpdate();
  FParams->Clear();
  for (const TQuelmRow& row : result.Rows) {
    if (!row[5]) continue;  // the routine has no parameters
    const bool isResult = *row[5] == "0";
    TParam* param = FParams->AddParam();
    param->SetName(isResult ? std::string("Result") : row[1].value_or(""));
    param->SetDataType(ParamFieldType(row[3].value_or("")));
    if (row[4]) param->SetSize(std::atoi(row[4]->c_str()));
    const std::string mode = row[2].value_or("");
    param->SetParamType(isResult                  ? TParamType::ptResult
                        : SameText(mode, "OUT")   ? TParamType::ptOutput
                        : SameText(mode, "INOUT") ? TParamType::ptInputOutput
                                                  : TParamType::ptInput);
    if (TParam* old = kept.FindParam(param->Name()); old && !old->IsNull() && !isResult)
      param->SetAsString(old->AsString());
  }
  FParams->EndUpdate();
  FNeedRefreshParams = false;
}

void TQuelmStoredProc::CheckSelectSQL() const {
  if (FProcedureName.empty()) DatabaseError("Missing ProcedureName property", this);
}

std::string TQuelmStoredProc::CallSQL() const {
  TQuelmConnection& c = CheckDatabase().Connection();
  std::string args;
  int index = 0;
  for (int i = 0; i < FParams->Count(); ++i) {
    TParam* p = FParams->Items(i);
    if (p->ParamType() == TParamType::ptResult) continue;
    ++index;
    if (!args.empty()) args += ", ";
    if (!IsFunction() && (p->ParamType() == TParamType::ptOutput || p->ParamType() == TParamType::ptInputOutput))
      args += OutputVariable(index);
    else
      args += p->IsNull() ? std::string("NULL") : c.QuoteValue(p->AsString());
  }
  if (IsFunction()) return "SELECT " + QuoteName(FProcedureName) + "(" + args + ") AS `Result`";
  return "CALL " + QuoteName(FProcedureName) + "(" + args + ")";
}

std::string TQuelmStoredProc::SelectSQL() const {
  CheckSelectSQL();
  return CallSQL();
}

std::string TQuelmStoredProc::DescribeSQL() const {
  // A procedure's result columns are known only once it has run.
  if (!IsFunction() || FProcedureName.empty()) return {};
  std::string args;
  for (int i = 0; i < FParams->Count(); ++i)
    if (FParams->Items(i)->ParamType() != TParamType::ptResult) args += args.empty() ? "?" : ", ?";
  return "SELECT " + QuoteName(FProcedureName) + "(" + args + ") AS `Result`";
}

void TQuelmStoredProc::InternalInitFieldDefs() {
  RefreshParams();
  if (IsFunction() || State() != TDataSetState::dsOpening) {
    if (!IsFunction()) {
      FieldDefs().Clear();
      return;
    }
    TQuelmDataSet::InternalInitFieldDefs();
    return;
  }
  // Opening a procedure: run it now, its first result set gives the fields.
  FPending = RunCall();
  FieldDefs().Clear();
  for (const TQuelmColumn& column : FPending->Columns) {
    TFieldDef* def = FieldDefs().Add(column.Name, column.DataType, column.Size, false);
    def->SetPrecision(column.Precision);
  }
}

TQuelmResult TQuelmStoredProc::RunCall() {
  TQuelmConnection& c = CheckDatabase().Connection();
  int index = 0;
  for (int i = 0; i < FParams->Count(); ++i) {
    TParam* p = FParams->Items(i);
    if (p->ParamType() == TParamType::ptResult) continue;
    ++index;
    if (!IsFunction() && p->ParamType() == TParamType::ptInputOutput)
      c.Execute("SET " + OutputVariable(index) + " = " + (p->IsNull() ? std::string("NULL") : c.QuoteValue(p->AsString())));
  }
  std::vector<TQuelmResult> results = c.QueryAll(CallSQL());
  FetchOutputParams();
  if (IsFunction() && !results.empty() && !results[0].Rows.empty()) {
    for (int i = 0; i < FParams->Count(); ++i)
      if (FParams->Items(i)->ParamType() == TParamType::ptResult) {
        const std::optional<std::string>& v = results[0].Rows[0][0];
        if (v) FParams->Items(i)->SetAsString(*v);
        else FParams->Items(i)->Clear();
      }
  }
  return results.empty() ? TQuelmResult{} : std::move(results[0]);
}

void TQuelmStoredProc::FetchOutputParams() {
  if (IsFunction()) return;
  std::string select;
  std::vector<TParam*> outputs;
  int index = 0;
  for (int i = 0; i < FParams->Count(); ++i) {
    TParam* p = FParams->Items(i);
    if (p->ParamType() == TParamType::ptResult) continue;
    ++index;
    if (p->ParamType() == TParamType::ptOutput || p->ParamType() == TParamType::ptInputOutput) {
      select += select.empty() ? "SELECT " : ", ";
      select += OutputVariable(index);
      outputs.push_back(p);
    }
  }
  if (outputs.empty()) return;
  TQuelmResult values = CheckDatabase().Connection().Query(select);
  if (values.Rows.empty()) return;
  for (size_t i = 0; i < outputs.size(); ++i) {
    const std::optional<std::string>& v = values.Rows[0][i];
    if (v) outputs[i]->SetAsString(*v);
    else outputs[i]->Clear();
  }
}

void TQuelmStoredProc::InternalOpen() {
  CheckSelectSQL();
  TQuelmResult result = FPending ? std::move(*FPending) : RunCall();
  FPending.reset();
  SetRecords(result.ColumnNames(), std::move(result.Rows));
}

void TQuelmStoredProc::ExecProc() {
  CheckSelectSQL();
  CheckInactive();
  RefreshParams();
  RunCall();
}
