#pragma once
// Writes a TFormDocument as text. Elements that kept their source span are
// copied byte for byte (re-indented when they moved to another depth); the
// others are formatted as the host's writer formats them: two spaces per
// level, " [n]" child positions, strings in chunks of 64 characters joined by
// " +", #n for characters outside 32..126 and for the quote, ")" "}" and "end>" glued to the
// last line, floats with 18 decimals.
#include "streaming/FormTree.h"

#include <string>
#include <string_view>

std::string WriteFormText(const TFormDocument& doc);

// One value as it would follow "Name = " at the given indent.
std::string FormatFormValue(const TFormValue& value, int indent, std::string_view lineEnd = "\r\n");
// A float as the host writes it (without suffix handling for plain floats).
std::string FormatFormFloat(long double value, char suffix);
