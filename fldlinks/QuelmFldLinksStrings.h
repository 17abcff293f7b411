#pragma once
// The field link designer's resource strings, by identifier.
inline constexpr int SPrimary = 65520;         // "Primary"
inline constexpr int SMissingDataSet = 65521;  // "Missing DataSet property"
inline constexpr int SLinkDesigner = 65522;    // "Field '%s', from the Detail Fields list, must be linked"
