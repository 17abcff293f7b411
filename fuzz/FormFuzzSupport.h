#pragma once
// Shared by the form reader's fuzz targets: a failed check stops the run at
// once, and a refused input must end in a located error.
#include "streaming/FormError.h"

#include <string>

namespace FormFuzz {

inline const char* const FileName = "fuzz.dfm";

inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// A refusal names this file, a line and a column of at least 1, and a reason.
inline void RequireLocated(const EFormError& e) {
  Require(e.FileName() == FileName);
  Require(e.Line() >= 1 && e.Column() >= 1);
  Require(!e.Reason().empty());
  Require(std::string(e.what()).rfind(std::string(FileName) + ":", 0) == 0);
}

} // namespace FormFuzz
