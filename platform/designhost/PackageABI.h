#pragma once
// The entry points a design-time package exports, with C linkage, and the
// unit table that GetPackageInfoTable returns. The loader finds them by name.
#include <cstdint>

extern "C" {
struct TUnitEntry {
  void (*Init)();      // the unit's start-up section (none: nothing to run)
  void (*FInit)();     // its finalization section
};

struct TPackageInfoTable {
  int32_t UnitCount;
  const TUnitEntry* UnitInfo;
};

using TPackageInitializeProc = void (*)();
using TPackageFinalizeProc = void (*)();
using TGetPackageInfoTableProc = const TPackageInfoTable* (*)();
using TPackageRegisterProc = void (*)();
using TPackageRegisterDesignToolsProc = void (*)();
}

// The package identity record is carried as the RCDATA resource PACKAGEINFO:
// lines "Key=Value" with the keys Name, Kind ("design-only", "run-only" or
// "both"), NeverBuild (0 or 1), Requires and Contains (names joined by ",").
inline constexpr const char* PackageInfoResource = "PACKAGEINFO";
