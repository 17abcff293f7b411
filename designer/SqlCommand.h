#pragma once
// "sql": runs a script of SQL statements on a database, for setting up the
// schema a form works on (the embedded server by default).
struct TDesignToolContext;

inline constexpr const char* SqlUsage =
    "usage: quelm-designer sql [connection options] FILE|-\n"
    "\n"
    "Runs the statements of FILE (standard input for -), separated by ';', on the\n"
    "database the connection options name, and prints how many ran. The first\n"
    "failing statement stops the script with the server's message.\n";

int RunSqlCommand(TDesignToolContext& ctx);
