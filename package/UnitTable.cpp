// The package's unit table and the entry points that run it. The first 115
// entries belong to units of the required packages and of the host runtime;
// those are already started by their own libraries, so their entries carry no
// routines except SysInit's, which the package contains. The package's own
// units follow in the order their uses clauses give.
#include "designhost/PackageABI.h"
#include "classes/TClassRegistry.h"
#include "migrator/TBDE2QuelmDorvik.h"
#include "rtl/UnitBookkeeping.h"

#include <array>

namespace {
constexpr int UnitCount = 120;

#define QUELM_UNIT_SECTIONS(Unit)                              \
  void Unit##Start() { NoteUnitStarted(#Unit); }               \
  void Unit##Finish() { NoteUnitFinalized(#Unit); }

QUELM_UNIT_SECTIONS(SysInit)
// The migrator's unit tells the class registry that it declares the
// migrator, so a form that gets one uses QuelmMigrator; it forgets that again
// when the package unloads.
void QuelmMigratorStart() {
  NoteUnitStarted("QuelmMigrator");
  TClassRegistry::Global().SetUnitName(TBDE2QuelmDorvik::StaticClass(), "QuelmMigrator");
}
void QuelmMigratorFinish() {
  TClassRegistry::Global().SetUnitName(TBDE2QuelmDorvik::StaticClass(), "");
  NoteUnitFinalized("QuelmMigrator");
}
QUELM_UNIT_SECTIONS(Quelmfldlinks)
QUELM_UNIT_SECTIONS(Quelmupdsqled)
QUELM_UNIT_SECTIONS(QuelmQueryEdit)
QUELM_UNIT_SECTIONS(QuelmCOMP)

constexpr std::array<TUnitEntry, UnitCount> MakeTable() {
  std::array<TUnitEntry, UnitCount> table{};
  table[1] = {SysInitStart, SysInitFinish};
  table[115] = {QuelmMigratorStart, QuelmMigratorFinish};
  table[116] = {QuelmfldlinksStart, QuelmfldlinksFinish};
  table[117] = {QuelmupdsqledStart, QuelmupdsqledFinish};
  table[118] = {QuelmQueryEditStart, QuelmQueryEditFinish};
  table[119] = {QuelmCOMPStart, QuelmCOMPFinish};
  return table;
}

constexpr std::array<TUnitEntry, UnitCount> Units = MakeTable();
constexpr TPackageInfoTable InfoTable{UnitCount, Units.data()};
} // namespace

extern "C" {
__attribute__((visibility("default"))) const TPackageInfoTable* GetPackageInfoTable() { return &InfoTable; }

__attribute__((visibility("default"))) void Initialize() {
  for (const TUnitEntry& unit : Units)
    if (unit.Init) unit.Init();
}

__attribute__((visibility("default"))) void Finalize() {
  for (auto it = Units.rbegin(); it != Units.rend(); ++it)
    if (it->FInit) it->FInit();
}
}
