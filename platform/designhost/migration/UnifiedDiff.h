#pragma once
// A unified diff of two texts by lines, as "diff -u" prints it: the two
// file names, then hunks with three lines of context.
#include <string>

// Empty when the texts are equal. Lines end at "\n"; a "\r" before it is
// part of the line, so a change of line ends shows as a change.
std::string UnifiedDiff(const std::string& before, const std::string& after, const std::string& beforeName,
                        const std::string& afterName);
