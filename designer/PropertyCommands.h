#pragma once
// The property inspector on the command line: a component's published
// properties with their editors ("props"), a property's drop-down values
// ("values"), setting a value ("set"), and a property's dialog ("edit").
#include "designhost/DesignTools.h"

TDesignTool PropsCommand();
TDesignTool ValuesCommand();
TDesignTool SetCommand();
TDesignTool EditCommand();
