#pragma once
// "sql": runs a script of SQL statements on a database, for setting up the
// schema a form works on (the embedded server by default).
#include "designhost/DesignTools.h"

TDesignTool SqlCommand();
