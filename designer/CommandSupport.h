#pragma once
// Small pieces the form commands share.
#include <string>
#include <vector>

struct TDesignToolContext;
class TModalDriver;

// "a,b,,c" as {"a", "b", "c"}.
std::vector<std::string> SplitNames(const std::string& text);
// Every message box the driver answered, one "message: TEXT [ANSWER]" line each on standard error.
void PrintMessages(TDesignToolContext& ctx, const TModalDriver& driver);
