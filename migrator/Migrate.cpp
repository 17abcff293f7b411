#include "migrator/TBDE2QuelmDorvik.h"

#include "db/DatabaseError.h"

void TBDE2QuelmDorvik::Migrate() {
  if (!FDatabase) DatabaseError("Database not assigned", this);
  throw EAbstractError("The migration of datasets is not part of this build yet");
}
