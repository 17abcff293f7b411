#include "runtime/TQuelmDirectQuery.h"

#include "db/DatabaseError.h"
#include "rtl/TList.h"
#include "runtime/QuelmConnection.h"

QUELM_DEFINE_CLASS(TQuelmDirectQuery, TComponent, b.ComponentFactory();
                   b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmDirectQuery::About,
                              &TQuelmDirectQuery::SetAbout);
                   b.Property("Database", TQuelmDatabase::StaticClass().TypeInfo(), &TQuelmDirectQuery::Database,
                              &TQuelmDirectQuery::SetDatabase);
                   b.Property("SQL", TStrings::StaticClass().TypeInfo(), &TQuelmDirectQuery::SQL,
                              &TQuelmDirectQuery::SetSQL);
                   b.Property("Active", TypeInfoBoolean(), &TQuelmDirectQuery::Active, &TQuelmDirectQuery::SetActive)
                       .Default(0))

TQuelmDirectQuery::TQuelmDirectQuery(TComponent* owner)
    : TComponent(owner), FSQL(std::make_unique<TStringList>()) {
  FSQL->OnChange = TNotifyEvent([this](TObject*) {
    if (!IsLoading()) Close();
  });
}

TQuelmDirectQuery::~TQuelmDirectQuery() { FSQL->OnChange.Clear(); }

void TQuelmDirectQuery::SetDatabase(TQuelmDatabase* database) {
  if (database == FDatabase.Get()) return;
  Close();
  FDatabase = database;
}

void TQuelmDirectQuery::SetSQL(TStrings* sql) {
  if (sql && sql != FSQL.get()) FSQL->Assign(sql);
}

TQuelmDatabase& TQuelmDirectQuery::CheckDatabase() const {
  if (!FDatabase) DatabaseError("Database not assigned", this);
  return *FDatabase.Get();
}

void TQuelmDirectQuery::SetActive(bool active) {
  if (active == FActive || IsLoading()) return;
  if (!active) {
    FActive = false;
    FColumns.clear();
    FRows.clear();
    FRecNo = 0;
    return;
  }
  TQuelmResult result = CheckDatabase().Connection().Query(FSQL->Text());
  FColumns = result.ColumnNames();
  FRows = std::move(result.Rows);
  FRecNo = 0;
  FActive = true;
}

uint64_t TQuelmDirectQuery::ExecSQL() {
  Close();
  return CheckDatabase().Connection().Execute(FSQL->Text());
}

const std::string& TQuelmDirectQuery::FieldName(int index) const {
  if (index < 0 || index >= FieldCount()) RaiseListIndexError(index);
  return FColumns[static_cast<size_t>(index)];
}

std::optional<std::string> TQuelmDirectQuery::FieldValue(int index) const {
  if (index < 0 || index >= FieldCount()) RaiseListIndexError(index);
  if (Eof()) return std::nullopt;
  return FRows[static_cast<size_t>(FRecNo)][static_cast<size_t>(index)];
}

