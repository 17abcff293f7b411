#include "runtime/TQuelmBatchExecute.h"

#include "db/DatabaseError.h"
#include "runtime/QuelmConnection.h"
#include "runtime/SqlText.h"

QUELM_DEFINE_CLASS(TQuelmBatchExecute, TComponent, b.ComponentFactory();
                   b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmBatchExecute::About,
                              &TQuelmBatchExecute::SetAbout);
                   b.Property("Database", TQuelmDatabase::StaticClass().TypeInfo(), &TQuelmBatchExecute::Database,
                              &TQuelmBatchExecute::SetDatabase);
                   b.Property("Delimiter", TypeInfoString(), &TQuelmBatchExecute::Delimiter,
                              &TQuelmBatchExecute::SetDelimiter);
                   b.Property("SQL", TStrings::StaticClass().TypeInfo(), &TQuelmBatchExecute::SQL,
                              &TQuelmBatchExecute::SetSQL))

TQuelmBatchExecute::TQuelmBatchExecute(TComponent* owner)
    : TComponent(owner), FSQL(std::make_unique<TStringList>()) {}

TQuelmBatchExecute::~TQuelmBatchExecute() = default;

void TQuelmBatchExecute::SetSQL(TStrings* sql) {
  if (sql && sql != FSQL.get()) FSQL->Assign(sql);
}

void TQuelmBatchExecute::SetDelimiter(const std::string& d) {
  if (d.empty()) DatabaseError("Delimiter must not be empty", this);
  FDelimiter = d;
}

std::vector<std::string> TQuelmBatchExecute::Statements() const { return SqlSplitScript(FSQL->Text(), FDelimiter); }

int TQuelmBatchExecute::ExecSQL() {
  if (!FDatabase) DatabaseError("Database not assigned", this);
  TQuelmConnection& c = FDatabase->Connection();
  int count = 0;
  for (const std::string& statement : Statements()) {
    c.Execute(statement);
    ++count;
  }
  return count;
}

