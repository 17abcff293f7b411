// The database services the package offers the design host for its
// connection component, so that the host's own commands reach the server
// without linking the runtime library.
#include "package/QuelmDatabaseServices.h"

#include "designhost/DatabaseServices.h"

#include "classes/TStrings.h"
#include "runtime/TQuelmBatchExecute.h"
#include "runtime/TQuelmDatabase.h"

namespace {

class TQuelmDatabaseServices final : public IDatabaseServices {
public:
  void GetTableNames(TComponent& database, TStrings& list) override {
    As<TQuelmDatabase>(database).GetTableNames("", list, true);
  }
  void GetFieldNames(TComponent& database, const std::string& table, TStrings& list) override {
    As<TQuelmDatabase>(database).GetFieldNames(table, list);
  }
  void GetCharacterSets(TComponent& database, TStrings& list) override {
    As<TQuelmDatabase>(database).GetCharacterSetList(list);
  }
  void GetCollations(TComponent& database, TStrings& list) override {
    As<TQuelmDatabase>(database).GetCollationList(list);
  }
  void GetRoutineNames(TComponent& database, TRoutineKind kind, TStrings& list) override {
    As<TQuelmDatabase>(database).GetRoutinesNames("", list,
                                                  kind == TRoutineKind::Functions
                                                      ? TQuelmInternalSelectRoutinesType::srtFunctions
                                                      : TQuelmInternalSelectRoutinesType::srtProcedures);
  }
  int ExecuteScript(TComponent& database, const std::string& script) override {
    TQuelmBatchExecute batch(nullptr);
    batch.SetDatabase(&As<TQuelmDatabase>(database));
    batch.SQL()->SetText(script);
    return batch.ExecSQL();
  }
};

} // namespace

void RegisterQuelmDatabaseServices() {
  RegisterDatabaseServices(TQuelmDatabase::StaticClass(), std::make_shared<TQuelmDatabaseServices>());
}
