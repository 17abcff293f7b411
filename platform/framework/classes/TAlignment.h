#pragma once
// Text alignment, shared by controls and fields.
#include "classes/TypeInfo.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

const TTypeInfo& TypeInfoAlignment();
