#pragma once
// The host's database error: raised with the component's name in front when
// the component has one ("Table1: Database not assigned").
#include "rtl/Exceptions.h"

#include <string>

class TComponent;

[[noreturn]] void DatabaseError(const std::string& message, const TComponent* component = nullptr);
[[noreturn]] void DatabaseErrorFmt(const std::string& format, const std::string& arg, const TComponent* component = nullptr);

namespace DBText {
inline constexpr const char* FieldNotFound = "Field '%s' not found";
inline constexpr const char* DataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* DataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* DuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* ParameterNotFound = "Parameter '%s' not found";
inline constexpr const char* IndexNotFound = "Index '%s' not found";
inline constexpr const char* NoIndexForFields = "No index for fields '%s'";
inline constexpr const char* CircularDataLink = "Circular datalinks are not allowed";
} // namespace DBText
