#pragma once
// The property inspector on the command line: a component's published
// properties with their editors, a property's drop-down values, setting a
// value, and a property's dialog.
#include "ScriptUsage.h"

#include <string>

struct TDesignToolContext;

inline constexpr const char* PropsUsage =
    "usage: quelm-designer props FORM COMPONENT [--json]\n"
    "\n"
    "Lists COMPONENT's published properties as the inspector shows them: name,\n"
    "declared type, the property editor that serves it, its attributes and value.\n";

inline constexpr const char* ValuesUsage =
    "usage: quelm-designer values FORM COMPONENT[,COMPONENT...] PROPERTY [connection options] [--json]\n"
    "\n"
    "Prints the drop-down list of PROPERTY's editor, one value a line, for the\n"
    "selected components (several, joined by ','). Connection options apply to\n"
    "this run only.\n";

inline constexpr const char* SetUsage =
    "usage: quelm-designer set FORM COMPONENT[,COMPONENT...] PROPERTY VALUE [--dry-run] [--json]\n"
    "\n"
    "Sets PROPERTY through its editor, as typing VALUE into the inspector does,\n"
    "and saves the form file unless --dry-run.\n";

inline const std::string EditUsage =
    std::string("usage: quelm-designer edit FORM COMPONENT[,COMPONENT...] PROPERTY [--script FILE] [connection options] "
                "[--json]\n"
                "\n"
                "Presses the ellipsis button of PROPERTY: its editor's dialog runs. Saves the\n"
                "form file when its bytes changed.\n\n") +
    ScriptOperationsUsage;

int RunPropsCommand(TDesignToolContext& ctx);
int RunValuesCommand(TDesignToolContext& ctx);
int RunSetCommand(TDesignToolContext& ctx);
int RunEditCommand(TDesignToolContext& ctx);
