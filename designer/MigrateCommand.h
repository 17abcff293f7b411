#pragma once
// "migrate": the package's migrator over the given form files, run through
// its Execute property as a developer presses it in the inspector.
struct TDesignToolContext;

inline constexpr const char* MigrateUsage =
    "usage: quelm-designer migrate FORM... [--database NAME] [--convert bde,ado,dbx,zeos] [--keep-sources]\n"
    "                              [--dry-run] [--json]\n"
    "\n"
    "Opens the form files together and runs the migrator on them: the migrator\n"
    "on the first form, or else one dropped on the first form for this run only\n"
    "(it takes a database component of that form, or else the last one opened).\n"
    "The foreign datasets (BDE, ADO, dbExpress and Zeos queries, tables and\n"
    "stored procedures) of every open form become the suite's datasets under\n"
    "their names, with their SQL, table or procedure name, events, persistent\n"
    "fields and update objects, and the data sources and lookup fields that used\n"
    "them follow. --database names the database component the new datasets use\n"
    "(Root.Name reaches another form); --convert limits the access layers;\n"
    "--keep-sources keeps each source, renamed Die_NAME. These options apply to\n"
    "this run only. Prints what was converted and re-pointed and the migrator's\n"
    "message, and saves every changed form file unless --dry-run.\n";

int RunMigrateCommand(TDesignToolContext& ctx);
