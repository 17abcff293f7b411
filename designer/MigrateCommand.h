#pragma once
// "migrate": the package's migrator over the given form files, run through
// its Execute property as a developer presses it in the inspector.
#include "designhost/DesignTools.h"

TDesignTool MigrateCommand();
