#pragma once
// "migrate": the package's migrator over a whole application's form files.
struct TDesignToolContext;

inline constexpr const char* MigrateUsage =
    "usage: quelm-designer migrate PATH... [--out DIR] [--dry-run] [--diff] [--report FILE]\n"
    "                              [--database NAME | --create-database MODULE.NAME [--carry-connection NAME|none]]\n"
    "                              [--convert bde,ado,dbx,zeos] [--keep-sources] [--json]\n"
    "\n"
    "Opens the form files together, a folder meaning every form file under it\n"
    "(text and binary, each with the unit beside it), and runs the migrator on\n"
    "them: the migrator on the first form, or else one dropped on the first form\n"
    "for this run only. The foreign datasets (BDE, ADO, dbExpress and Zeos\n"
    "queries, tables and stored procedures) become the suite's datasets under\n"
    "their names, with their SQL, table or procedure name, events, persistent\n"
    "fields and update objects, and the data sources and lookup fields that used\n"
    "them follow; a dbExpress or ADO command text that names a table or a\n"
    "procedure becomes SELECT * FROM it or CALL it. Datasets inherited from an\n"
    "ancestor form, inside inline frames, or of classes derived from the\n"
    "convertible ones are left as they are. A file that cannot be read is left\n"
    "out and reported; the others are migrated, and the exit status is 1.\n"
    "\n"
    "--out DIR writes every changed form under DIR at its relative path and\n"
    "leaves the input alone; without it the files change in place, each\n"
    "atomically. --dry-run writes nothing; --diff prints a unified diff of each\n"
    "changed file (a binary form as text); --report FILE writes the report as\n"
    "JSON. --database names the database component the new datasets use\n"
    "(Root.Name reaches another form); --create-database MODULE.NAME adds one\n"
    "named NAME to the open module MODULE, or makes a data module MODULE.dfm\n"
    "with its unit in DIR (or in the first folder given), and gives it the host,\n"
    "port, database and user (never a password) of the application's first\n"
    "connection component, or of the one --carry-connection names. --convert\n"
    "limits the access layers; --keep-sources keeps each source, renamed\n"
    "Die_NAME.\n";

int RunMigrateCommand(TDesignToolContext& ctx);
