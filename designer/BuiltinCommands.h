#pragma once
// The design host program's own commands (those that do not come from a
// loaded package): each is a name, its --help text and its procedure.
#include "designhost/DesignTools.h"

#include <vector>

std::vector<TDesignTool> BuiltinCommands();
