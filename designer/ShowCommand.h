#pragma once
// "show": each form file's component tree.
struct TDesignToolContext;

inline constexpr const char* ShowUsage =
    "usage: quelm-designer show [--json] [--codepage NAME] FORM...\n"
    "\n"
    "Opens the form files together (references between them are resolved) and\n"
    "prints each one's component tree: name, class, the owner when it is not\n"
    "the enclosing component, and for the data-access components (the suite's\n"
    "classes, the datasets and update objects of other access layers, data\n"
    "sources and fields) the properties that differ from a new component's.\n"
    "Other components are listed by name and class. Unresolved references are\n"
    "reported as warnings on standard error. --codepage names the code page of\n"
    "8-bit files (windows-1251, gbk, big5, ...; the default is windows-1252).\n";

int RunShowCommand(TDesignToolContext& ctx);
