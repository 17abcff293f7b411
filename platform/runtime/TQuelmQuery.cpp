#include "runtime/TQuelmQuery.h"

#include "db/DatabaseError.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"
#include "runtime/SqlText.h"

#include <map>

QUELM_DEFINE_CLASS(TQuelmQuery, TQuelmDataSet, b.ComponentFactory();
                   b.Property("Params", TParams::StaticClass().TypeInfo(), &TQuelmQuery::Params,
                              &TQuelmQuery::SetParams);
                   b.Property("SQL", TStrings::StaticClass().TypeInfo(), &TQuelmQuery::SQL, &TQuelmQuery::SetSQL))

TQuelmQuery::TQuelmQuery(TComponent* owner)
    : TQuelmDataSet(owner), FSQL(std::make_unique<TStringList>()), FParams(std::make_unique<TParams>(this)) {
  FSQL->OnChange = TNotifyEvent([this](TObject*) { QueryChanged(); });
}

TQuelmQuery::~TQuelmQuery() { FSQL->OnChange.Clear(); }

void TQuelmQuery::SetSQL(TStrings* sql) {
  if (sql && sql != FSQL.get()) FSQL->Assign(sql);
}

void TQuelmQuery::SetParams(TParams* params) {
  if (params && params != FParams.get()) FParams->Assign(params);
}

// A new text closes the query and rebuilds the parameter list, keeping the
// values and types of the parameters that stay.
void TQuelmQuery::QueryChanged() {
  if (!IsLoading() && Active()) Close();
  FieldDefs().SetUpdated(false);
  std::vector<std::string> names = SqlParamNames(ParamSourceText());
  TParams kept;
  kept.Assign(FParams.get());
  FParams->BeginUpdate();
  FParams->Clear();
  for (const std::string& name : names) {
    TParam* param = FParams->AddParam();
    if (TParam* old = kept.FindParam(name)) param->Assign(old);
    else param->SetParamType(TParamType::ptInput);
    param->SetName(name);
  }
  FParams->EndUpdate();
}

void TQuelmQuery::CheckSelectSQL() const {
  if (FSQL->Count() == 0 || FSQL->Text().find_first_not_of(" \t\r\n") == std::string::npos)
    DatabaseError("No SQL statement available", this);
}

std::string TQuelmQuery::ExpandedSQL() const {
  std::string text = ParamSourceText();
  if (FParams->Count() == 0) return text;
  TQuelmConnection& c = CheckDatabase().Connection();
  return SqlReplaceParams(text, [&](const std::string& name) {
    TParam* param = FParams->ParamByName(name);
    return param->IsNull() ? std::string("NULL") : c.QuoteValue(param->AsString());
  });
}

std::string TQuelmQuery::DescribeText() const {
  return SqlReplaceParams(ParamSourceText(), [](const std::string&) { return std::string("?"); });
}

std::string TQuelmQuery::SelectSQL() const {
  CheckSelectSQL();
  return ExpandedSQL();
}

std::string TQuelmQuery::DescribeSQL() const {
  CheckSelectSQL();
  return DescribeText();
}

uint64_t TQuelmQuery::ExecSQL() {
  CheckSelectSQL();
  CheckInactive();
  return CheckDatabase().Connection().Execute(ExpandedSQL());
}
