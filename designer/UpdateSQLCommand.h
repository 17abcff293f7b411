#pragma once
// "updatesql": the UpdateSQL editor on an update object of a form file, with
// the choices made through the dialog's controls as a person would make them.
#include "designhost/DesignTools.h"

TDesignTool UpdateSQLCommand();
