#pragma once
// Small pieces the commands share.
#include <string>
#include <vector>

class TComponent;
struct TDesignToolContext;
class TModalDriver;

// The suite's connection component, which the program knows by class name
// (the loaded package brings the runtime library that defines it).
inline constexpr const char* DatabaseClassName = "TQuelmDatabase";

// "a,b,,c" as {"a", "b", "c"}.
std::vector<std::string> SplitNames(const std::string& text);
// Every message box the driver answered, one "message: TEXT [ANSWER]" line each on standard error.
void PrintMessages(TDesignToolContext& ctx, const TModalDriver& driver);
// A component of the registered class of that name, owned by owner; raises
// EClassNotFound when no loaded library registered the class.
TComponent& CreateComponentByName(const std::string& className, TComponent& owner);
