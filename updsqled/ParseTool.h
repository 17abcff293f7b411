#pragma once
// The design host command "parse": what the statement reader makes of a text,
// as the UpdateSQL editor would read it.
struct TDesignToolContext;

inline constexpr const char* ParseToolUsage =
    "usage: quelm-designer parse tokens|select-tables|update [--codepage N] [--json] [SQL]\n"
    "\n"
    "Reads SQL (the argument, or standard input when it is \"-\" or absent) as bytes\n"
    "and shows what the statement reader recovers from it:\n"
    "  tokens         every token, one a line, up to the end token\n"
    "  select-tables  the table names of a SELECT statement's FROM list\n"
    "  update         the table, update fields and where fields of a modify statement\n"
    "\n"
    "  --codepage N   scan as code page N: 932, 936, 949 and 950 scan double-byte\n"
    "                 characters, 65001 (UTF-8) and single-byte code pages do not;\n"
    "                 without it the process locale decides\n"
    "  --json         print JSON\n";

// Returns the exit code: 0, or 2 for a usage error.
int RunParseTool(TDesignToolContext& ctx);
