#pragma once
// Shared by the form reader's fuzz targets: a failed check stops the run at
// once, and a refused input must end in a located error.
#include "streaming/FormError.h"

#include <cstdio>
#include <string>

// A failed check names itself and stops the run.
#define FUZZ_REQUIRE(condition)                                                                          \
  do {                                                                                                   \
    if (!(condition)) {                                                                                  \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);          \
      __builtin_trap();                                                                                  \
    }                                                                                                    \
  } while (0)

namespace FormFuzz {

inline const char* const FileName = "fuzz.dfm";

// A refusal names this file, a line and a column of at least 1, and a reason.
inline void RequireLocated(const EFormError& e) {
  FUZZ_REQUIRE(e.FileName() == FileName);
  FUZZ_REQUIRE(e.Line() >= 1 && e.Column() >= 1);
  FUZZ_REQUIRE(!e.Reason().empty());
  FUZZ_REQUIRE(std::string(e.what()).rfind(std::string(FileName) + ":", 0) == 0);
}

} // namespace FormFuzz
