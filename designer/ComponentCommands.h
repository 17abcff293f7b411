#pragma once
// "add", "rename" and "delete": what a form designer does first with a
// component, through the design session; the unit beside the form follows.
#include "designhost/DesignTools.h"

TDesignTool AddCommand();
TDesignTool RenameCommand();
TDesignTool DeleteCommand();
