#pragma once
// "show": each form file's component tree.
struct TDesignToolContext;

inline constexpr const char* ShowUsage =
    "usage: quelm-designer show [--json] FORM...\n"
    "\n"
    "Opens the form files together (references between them are resolved) and\n"
    "prints each one's component tree: name, class, the owner when it is not\n"
    "the enclosing component, and the stored properties of every class the\n"
    "design host knows (the suite's classes, the datasets of other access\n"
    "layers, data sources and fields). Components of unknown classes are listed\n"
    "without properties. Unresolved references are reported as warnings.\n";

int RunShowCommand(TDesignToolContext& ctx);
