#pragma once
// Types the suite's components share: the About string type, the update kinds
// of an update-SQL object and the routine kinds a routine list selects.
#include "classes/TypeInfo.h"

// The four statements of an update-SQL object, in this order.
enum class TQuelmUpdateKind { ukModify, ukInsert, ukDelete, ukRefresh };
inline constexpr int QuelmUpdateKindCount = 4;

// What GetRoutinesNames lists: stored procedures or stored functions.
enum class TQuelmInternalSelectRoutinesType { srtProcedures, srtFunctions };

// The string type of the components' About property ("TQuelmDorvikAbout").
const TTypeInfo& TypeInfoQuelmDorvikAbout();
const TTypeInfo& TypeInfoQuelmUpdateKind();
const TTypeInfo& TypeInfoQuelmInternalSelectRoutinesType();
