#pragma once
// "convert": reads one form file and writes it again, as text or binary.
#include "designhost/DesignTools.h"

TDesignTool ConvertCommand();
