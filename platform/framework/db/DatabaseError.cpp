#include "db/DatabaseError.h"

#include "classes/TComponent.h"
#include "rtl/Format.h"

void DatabaseError(const std::string& message, const TComponent* component) {
  if (component && !component->Name().empty())
    throw EDatabaseError(Format("%s: %s", {component->Name(), message}));
  throw EDatabaseError(message);
}

void DatabaseErrorFmt(const std::string& format, const std::string& arg, const TComponent* component) {
  DatabaseError(Format(format, {arg}), component);
}
