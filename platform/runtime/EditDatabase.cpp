#include "runtime/EditDatabase.h"

#include "runtime/TQuelmConnectForm.h"

#include <utility>

namespace {
TEditDatabaseHandler& Handler() {
  static TEditDatabaseHandler handler;
  return handler;
}
} // namespace

bool EditDatabase(TQuelmDatabase* database) {
  if (!database) return false;
  if (Handler()) return Handler()(*database);
  return CreateQuelmConnectForm(nullptr)->Edit(*database);
}

TEditDatabaseHandler SetEditDatabaseHandler(TEditDatabaseHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
