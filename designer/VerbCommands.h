#pragma once
// "verbs" and "verb": a component's context-menu commands through its
// registered component editor.
#include "designhost/DesignTools.h"

TDesignTool VerbsCommand();
TDesignTool VerbCommand();
