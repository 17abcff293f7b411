#include "runtime/DBList.h"

#include "runtime/DBListRegistry.h"

namespace {
TList<TQuelmDatabase>& Databases() {
  static TList<TQuelmDatabase> list;
  return list;
}
} // namespace

const TList<TQuelmDatabase>& DBList() { return Databases(); }

void DBListRegistry::Add(TQuelmDatabase* database) { Databases().Add(database); }
void DBListRegistry::Remove(TQuelmDatabase* database) { Databases().Remove(database); }
