#pragma once
// "verbs" and "verb": a component's context-menu commands through its
// registered component editor.
#include "ScriptUsage.h"

#include <string>

struct TDesignToolContext;

inline constexpr const char* VerbsUsage =
    "usage: quelm-designer verbs FORM COMPONENT [connection options] [--json]\n"
    "\n"
    "Lists the context-menu verbs that COMPONENT's component editor offers,\n"
    "with their indexes, as the menu shows them now.\n";

inline const std::string VerbUsage =
    std::string("usage: quelm-designer verb FORM COMPONENT INDEX [--script FILE] [connection options] [--json]\n"
                "\n"
                "Executes verb INDEX of COMPONENT's component editor. The form file is saved\n"
                "when its bytes changed; a connection or dataset the verb opens is open for\n"
                "this run only, and the command says so. Message boxes shown are printed.\n\n") +
    ScriptOperationsUsage;

int RunVerbsCommand(TDesignToolContext& ctx);
int RunVerbCommand(TDesignToolContext& ctx);
