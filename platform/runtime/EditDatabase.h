#pragma once
// The connection dialog of a database component. The windowed dialog comes
// with the forms layer; until then EditDatabase hands the database to the
// installed edit handler and returns its answer, or false without one.
#include <functional>

class TQuelmDatabase;

using TEditDatabaseHandler = std::function<bool(TQuelmDatabase&)>;

// True when the user confirmed the dialog.
bool EditDatabase(TQuelmDatabase* database);
// Installs the handler that EditDatabase calls; returns the previous one.
TEditDatabaseHandler SetEditDatabaseHandler(TEditDatabaseHandler handler);
