#pragma once
// The two texts the field link designer reads and writes: a field list
// (names joined by ";", nothing trimmed) and a joined pair ("DETAIL -> MASTER").
#include <string>

// The name that starts at the 1-based position pos of text, up to the next
// ";" or the end. pos moves one past that ";", or to the length plus one at
// the end. A caller reads a whole list by starting at 1 and repeating while
// pos is not greater than the length.
std::string NextFieldName(const std::string& text, int& pos);

// A joined pair's text: detail name, " -> ", master name.
std::string FormatPair(const std::string& detail, const std::string& master);
// The two halves of a pair, split at its last "->", so that a detail name
// holding "->" itself comes back whole.
std::string PairDetailField(const std::string& pair);
std::string PairMasterField(const std::string& pair);
