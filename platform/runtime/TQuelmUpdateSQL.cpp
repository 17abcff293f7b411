#include "runtime/TQuelmUpdateSQL.h"

#include "db/DatabaseError.h"
#include "rtl/TList.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"
#include "runtime/SqlText.h"
#include "runtime/TQuelmDataSet.h"

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

std::string TQuelmUpdateSQL::ExpandedSQL(TQuelmUpdateKind kind) const {
  TQuelmDataSet* dataSet = FDataSet.Get();
  if (!dataSet) DatabaseError("Missing DataSet property", this);
  TQuelmDatabase* database = dataSet->GetDatabase();
  if (!database) DatabaseError("Database not assigned", dataSet);
  TQuelmConnection& c = database->Connection();
  return SqlReplaceParams(GetSQL(kind).Text(), [&](const std::string& name) {
    std::string fieldName = name;
    if (fieldName.size() > 4 && SameText(fieldName.substr(0, 4), "OLD_")) fieldName = fieldName.substr(4);
    TField* field = dataSet->FieldByName(fieldName);
    std::optional<std::string> value = dataSet->FieldValue(*field);
    return value ? c.QuoteValue(*value) : std::string("NULL");
  });
}

uint64_t TQuelmUpdateSQL::Apply(TQuelmUpdateKind kind) {
  std::string sql = ExpandedSQL(kind);
  return FDataSet.Get()->GetDatabase()->Connection().Execute(sql);
}

void TQuelmUpdateSQL::SetDataSet(TQuelmDataSet* dataSet) { FDataSet = dataSet; }
