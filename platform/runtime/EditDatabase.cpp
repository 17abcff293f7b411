#include "runtime/EditDatabase.h"

#include <utility>

namespace {
TEditDatabaseHandler& Handler() {
  static TEditDatabaseHandler handler;
  return handler;
}
} // namespace

bool EditDatabase(TQuelmDatabase* database) {
  if (!database || !Handler()) return false;
  return Handler()(*database);
}

TEditDatabaseHandler SetEditDatabaseHandler(TEditDatabaseHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
