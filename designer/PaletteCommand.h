#pragma once
// "palette": the palette pages and their components in palette order, and
// with --json the component and property editor registrations too.
#include "designhost/DesignTools.h"

TDesignTool PaletteCommand();
