#include "runtime/TQuelmDataSet.h"

#include "db/DatabaseError.h"
#include "rtl/TList.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmUpdateSQL.h"

QUELM_DEFINE_CLASS(
    TQuelmDataSet, TDataSet,
    b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmDataSet::About, &TQuelmDataSet::SetAbout);
    b.Property("CachedUpdates", TypeInfoBoolean(), &TQuelmDataSet::CachedUpdates, &TQuelmDataSet::SetCachedUpdates)
        .Default(0);
    b.Property("Database", TQuelmDatabase::StaticClass().TypeInfo(), &TQuelmDataSet::GetDatabase,
               &TQuelmDataSet::SetDatabase);
    b.Property("UpdateObject", TQuelmUpdateSQL::StaticClass().TypeInfo(), &TQuelmDataSet::GetUpdateObject,
               &TQuelmDataSet::SetUpdateObject))

TQuelmDataSet::TQuelmDataSet(TComponent* owner) : TDataSet(owner) {}

TQuelmDataSet::~TQuelmDataSet() {
  if (TQuelmDatabase* database = FDatabase.Get()) database->UnregisterDataSet(this);
  if (TQuelmUpdateSQL* update = FUpdateObject.Get(); update && update->DataSet() == this) update->SetDataSet(nullptr);
}

void TQuelmDataSet::SetDatabase(TQuelmDatabase* database) {
  if (database == FDatabase.Get()) return;
  if (Active()) Close();
  if (TQuelmDatabase* old = FDatabase.Get()) old->UnregisterDataSet(this);
  FDatabase = database;
  if (database) database->RegisterDataSet(this);
  FieldDefs().SetUpdated(false);
}

void TQuelmDataSet::SetUpdateObject(TQuelmUpdateSQL* updateObject) {
  if (updateObject == FUpdateObject.Get()) return;
  if (TQuelmUpdateSQL* old = FUpdateObject.Get(); old && old->DataSet() == this) old->SetDataSet(nullptr);
  FUpdateObject = updateObject;
  if (updateObject) {
    // An update object serves one dataset: take it from the one it served.
    if (TQuelmDataSet* other = updateObject->DataSet(); other && other != this) other->SetUpdateObject(nullptr);
    updateObject->SetDataSet(this);
  }
}

void TQuelmDataSet::SetCachedUpdates(bool cachedUpdates) { FCachedUpdates = cachedUpdates; }

TField* TQuelmDataSet::GetIndexField(int index) const { RaiseListIndexError(index); }


TQuelmDatabase& TQuelmDataSet::CheckDatabase() const {
  TQuelmDatabase* database = FDatabase.Get();
  if (!database) DatabaseError("Database not assigned", this);
  return *database;
}

void TQuelmDataSet::CheckSelectSQL() const {}

void TQuelmDataSet::InternalInitFieldDefs() {
  std::string sql = DescribeSQL();
  if (sql.empty()) {
    CheckSelectSQL();
    FieldDefs().Clear();
    return;
  }
  std::vector<TQuelmColumn> columns = CheckDatabase().Connection().Describe(sql);
  FieldDefs().Clear();
  for (const TQuelmColumn& column : columns) {
    TFieldDef* def = FieldDefs().Add(column.Name, column.DataType, column.Size, column.Required);
    def->SetPrecision(column.Precision);
  }
}

void TQuelmDataSet::InternalOpen() {
  CheckSelectSQL();
  std::string sql = SelectSQL();
  TQuelmResult result = CheckDatabase().Connection().Query(sql);
  // Some statements (CALL among them) describe their result only once they
  // have run: their fields come from the result itself.
  if (FieldCount() == 0 && FieldDefs().Count() == 0 && !result.Columns.empty()) {
    for (const TQuelmColumn& column : result.Columns) {
      TFieldDef* def = FieldDefs().Add(column.Name, column.DataType, column.Size, false);
      def->SetPrecision(column.Precision);
    }
    CreateFields();
  }
  SetRecords(result.ColumnNames(), std::move(result.Rows));
}
