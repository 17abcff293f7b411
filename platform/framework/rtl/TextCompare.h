#pragma once
// The host runtime's comparisons: only the ASCII letters A-Z and a-z compare
// equal across case; every other byte must match exactly.
#include <string_view>

int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
char AsciiUpper(char c);
