#pragma once
// "fields": the fields editor of a dataset from the command line.
#include "designhost/DesignTools.h"

TDesignTool FieldsCommand();
