#pragma once
// What a descendant's inherited dataset keeps when its ancestor's dataset
// was converted: the descendant's own differences as the migrator carries
// a source's (the SQL or command text, the table or procedure name, a
// table's filter, the events, the design position); its field objects
// follow through the references. Everything else it set is left behind.
// A dbExpress or ADO command text is carried as the statement it stands
// for, read with the ancestors' settings that texts holds.
// Another inherited component that changed class (an update object) keeps
// every property both classes have.
#include "designhost/migration/InheritedCommandTexts.h"
#include "designhost/session/TDesignSession.h"

TDesignSession::TInheritedCarry InheritedDataSetCarry(TInheritedCommandTexts texts);
