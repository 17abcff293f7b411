#pragma once
// The connection dialog of a database component (TQuelmConnectForm). A host
// may install a handler of its own instead; EditDatabase then hands the
// database to it and returns its answer.
#include <functional>

class TQuelmDatabase;

using TEditDatabaseHandler = std::function<bool(TQuelmDatabase&)>;

// True when the user confirmed the dialog.
bool EditDatabase(TQuelmDatabase* database);
// Installs the handler that EditDatabase calls; returns the previous one.
TEditDatabaseHandler SetEditDatabaseHandler(TEditDatabaseHandler handler);
