#include "runtime/DBList.h"

#include "runtime/DBListRegistry.h"

namespace {
// Never destroyed: a database component that outlives the static objects at
// exit still takes itself out.
TList<TQuelmDatabase>& Databases() {
  static auto* list = new TList<TQuelmDatabase>;
  return *list;
}
} // namespace

const TList<TQuelmDatabase>& DBList() { return Databases(); }

void DBListRegistry::Add(TQuelmDatabase* database) { Databases().Add(database); }
void DBListRegistry::Remove(TQuelmDatabase* database) { Databases().Remove(database); }
