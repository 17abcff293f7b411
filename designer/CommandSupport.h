#pragma once
// Small pieces the form commands share.
#include <string>
#include <vector>

struct TConnectionOptions;
struct TDesignToolContext;
class TModalDriver;

// "a,b,,c" as {"a", "b", "c"}.
std::vector<std::string> SplitNames(const std::string& text);
// Every message box the driver answered, one "message: TEXT [ANSWER]" line each on standard error.
void PrintMessages(TDesignToolContext& ctx, const TModalDriver& driver);
// Takes the connection options out of args into connection; for a malformed
// option prints "COMMAND: reason" and the usage and returns false.
bool TakeCommandConnection(TDesignToolContext& ctx, const char* command, const char* usage,
                           std::vector<std::string>& args, TConnectionOptions& connection);
