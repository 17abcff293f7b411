#pragma once
// The design host command "generate": the four statements of an update-SQL
// object for a table, its key fields and its update fields.
struct TDesignToolContext;

inline constexpr const char* GenerateToolUsage =
    "usage: quelm-designer generate --table NAME [--quoted-table] [--quote-fields] --keys A,B --update C,D [--json]\n"
    "\n"
    "Prints the modify, insert, delete and refresh statements, each after a line\n"
    "\"-- modify\", \"-- insert\", \"-- delete\" or \"-- refresh\".\n"
    "  --table NAME     the table the statements name\n"
    "  --quoted-table   write the table name in double quotes\n"
    "  --quote-fields   quote the field names and qualify them with the table name\n"
    "  --keys A,B       the key fields, compared in the WHERE clauses\n"
    "  --update C,D     the update fields, assigned and inserted\n"
    "  --json           print {\"modify\":[lines],\"insert\":[...],\"delete\":[...],\"refresh\":[...]}\n";

// Returns the exit code: 0; 1 without a key field or an update field; 2 for a
// usage error.
int RunGenerateTool(TDesignToolContext& ctx);
