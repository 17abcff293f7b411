#include "runtime/TQuelmUpdateSQL.h"

#include "db/DatabaseError.h"
#include "rtl/TList.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"
#include "runtime/QuelmSqlModeScope.h"
#include "runtime/SqlText.h"
#include "runtime/TQuelmDataSet.h"

#include <algorithm>

QUELM_DEFINE_CLASS(
    TQuelmUpdateSQL, TComponent, b.ComponentFactory();
    b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmUpdateSQL::About, &TQuelmUpdateSQL::SetAbout);
    b.Property("DataSet", TQuelmDataSet::StaticClass().TypeInfo(), &TQuelmUpdateSQL::DataSet,
               &TQuelmUpdateSQL::SetDataSet)
        .Stored([](const TQuelmUpdateSQL&) { return false; });
    b.Property("DeleteSQL", TStrings::StaticClass().TypeInfo(), &TQuelmUpdateSQL::DeleteSQL,
               &TQuelmUpdateSQL::SetDeleteSQL);
    b.Property("InsertSQL", TStrings::StaticClass().TypeInfo(), &TQuelmUpdateSQL::InsertSQL,
               &TQuelmUpdateSQL::SetInsertSQL);
    b.Property("ModifySQL", TStrings::StaticClass().TypeInfo(), &TQuelmUpdateSQL::ModifySQL,
               &TQuelmUpdateSQL::SetModifySQL);
    b.Property("RefreshSQL", TStrings::StaticClass().TypeInfo(), &TQuelmUpdateSQL::RefreshSQL,
               &TQuelmUpdateSQL::SetRefreshSQL))

TQuelmUpdateSQL::TQuelmUpdateSQL(TComponent* owner) : TComponent(owner) {
  for (auto& list : FSQL) list = std::make_unique<TStringList>();
}

TQuelmUpdateSQL::~TQuelmUpdateSQL() {
  if (TQuelmDataSet* dataSet = FDataSet.Get(); dataSet && dataSet->GetUpdateObject() == this)
    dataSet->SetUpdateObject(nullptr);
}

void TQuelmUpdateSQL::SetSQL(TQuelmUpdateKind kind, const TStrings& list) { GetSQL(kind).Assign(&list); }

TStrings& TQuelmUpdateSQL::GetSQLIndex(int index) const {
  if (index < 0 || index >= QuelmUpdateKindCount) RaiseListIndexError(index);
  return *FSQL[static_cast<size_t>(index)];
}

void TQuelmUpdateSQL::AssignSQL(TQuelmUpdateKind kind, const TStrings* list) {
  if (list && list != &GetSQL(kind)) GetSQL(kind).Assign(list);
}

std::string TQuelmUpdateSQL::ExpandedSQL(TQuelmUpdateKind kind, const TQuelmFieldValues& newValues) const {
  TQuelmDataSet* dataSet = FDataSet.Get();
  if (!dataSet) DatabaseError("Missing DataSet property", this);
  TQuelmDatabase* database = dataSet->GetDatabase();
  if (!database) DatabaseError("Database not assigned", dataSet);
  TQuelmConnection& c = database->Connection();
  return SqlReplaceParams(
      GetSQL(kind).Text(),
      [&](const std::string& name) {
        const bool old = name.size() > 4 && SameText(name.substr(0, 4), "OLD_");
        if (!old) {
          auto given = std::find_if(newValues.begin(), newValues.end(),
                                    [&](const auto& entry) { return SameText(entry.first, name); });
          if (given != newValues.end()) return given->second ? c.QuoteValue(*given->second) : std::string("NULL");
        }
        TField* field = dataSet->FieldByName(old ? name.substr(4) : name);
        std::optional<std::string> value = dataSet->FieldValue(*field);
        return value ? c.QuoteValue(*value) : std::string("NULL");
      },
      StatementQuoting);
}

uint64_t TQuelmUpdateSQL::Apply(TQuelmUpdateKind kind, const TQuelmFieldValues& newValues) {
  std::string sql = ExpandedSQL(kind, newValues);
  TQuelmDataSet& dataSet = *FDataSet.Get();
  TQuelmConnection& c = dataSet.GetDatabase()->Connection();
  TQuelmAnsiQuotesScope ansiQuotes(c);
  if (kind != TQuelmUpdateKind::ukRefresh) return c.Execute(sql);
  TQuelmResult result = c.Query(sql);
  if (!result.Rows.empty() && dataSet.Active()) dataSet.RefreshCurrentRecord(result.ColumnNames(), result.Rows.front());
  return result.Rows.size();
}

void TQuelmUpdateSQL::SetDataSet(TQuelmDataSet* dataSet) { FDataSet = dataSet; }
