#pragma once
// "show": each form file's component tree.
#include "designhost/DesignTools.h"

TDesignTool ShowCommand();
