#pragma once
// "db": what the database server holds, through the suite's connection
// component made by class name: table, field, index and routine names,
// character sets and collations. Without connection options it uses the
// embedded server.
#include "designhost/DesignTools.h"

TDesignTool DbCommand();
