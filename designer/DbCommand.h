#pragma once
// "db": what the database server holds, through the runtime library's
// database component: table, field, index and routine names, character sets
// and collations. Without connection options it uses the embedded server.
struct TDesignToolContext;

extern const char* const DbUsage;

int RunDbCommand(TDesignToolContext& ctx);
