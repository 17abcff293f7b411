#include "runtime/DBList.h"

#include "runtime/DBListRegistry.h"

namespace {
// Destroyed with this library: at exit, or when the design host unloads the
// package that brought it in. Every database has left it by then, since
// their forms are freed before the code that made them is unloaded.
TList<TQuelmDatabase>& Databases() {
  static TList<TQuelmDatabase> list;
  return list;
}
} // namespace

const TList<TQuelmDatabase>& DBList() { return Databases(); }

void DBListRegistry::Add(TQuelmDatabase* database) { Databases().Add(database); }
void DBListRegistry::Remove(TQuelmDatabase* database) { Databases().Remove(database); }
