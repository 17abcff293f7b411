#include "runtime/TQuelmTools.h"

#include "classes/TStrings.h"
#include "db/DatabaseError.h"
#include "runtime/QuelmConnection.h"

QUELM_DEFINE_CLASS(TQuelmTools, TComponent, b.ComponentFactory();
                   b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmTools::About, &TQuelmTools::SetAbout);
                   b.Property("Database", TQuelmDatabase::StaticClass().TypeInfo(), &TQuelmTools::Database,
                              &TQuelmTools::SetDatabase))

TQuelmTools::TQuelmTools(TComponent* owner) : TComponent(owner) {}

TQuelmTools::~TQuelmTools() = default;

void TQuelmTools::Execute(TQuelmToolsOperation operation, const TStrings& tables, TStrings& results) {
  if (!FDatabase) DatabaseError("Database not assigned", this);
  if (tables.Count() == 0) DatabaseError("No table given", this);
  static const char* const verbs[] = {"CHECK TABLE ", "ANALYZE TABLE ", "OPTIMIZE TABLE ", "REPAIR TABLE "};
  std::string sql = verbs[static_cast<int>(operation)];
  for (int i = 0; i < tables.Count(); ++i) sql += (i ? ", " : "") + QuoteName(tables[i]);
  TQuelmResult result = FDatabase->Connection().Query(sql);
  TUpdateGuard guard(results);
  results.Clear();
  // Columns: Table, Op, Msg_type, Msg_text.
  for (const TQuelmRow& row : result.Rows) {
    auto at = [&](size_t i) { return i < row.size() && row[i] ? *row[i] : std::string(); };
    results.Add(at(0) + ": " + at(2) + ": " + at(3));
  }
}
