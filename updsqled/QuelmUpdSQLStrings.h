#pragma once
// The UpdateSQL editor's resource strings, by identifier.
inline constexpr int SFieldNameError = 65523;       // "Unable to determine field names for %s"
inline constexpr int SNoDataSet = 65524;            // "No dataset association"
inline constexpr int SSQLDataSetNeeded = 65525;     // "Must select at least one key field and one update field"
inline constexpr int SSQLNotGenerated = 65526;      // "Update SQL statements not generated, exit anyway?"
