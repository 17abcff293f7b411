#pragma once
// The foreign dataset classes the migrator converts: each class name, the
// access layer it belongs to and the suite's dataset that replaces it.
#include "migrator/TBDE2QuelmDorvik.h"

#include <span>
#include <string_view>

enum class TQuelmDataSetKind { Query, Table, StoredProc };

struct TConvertibleClass {
  const char* Name;
  TConvertComponent Member;
  TQuelmDataSetKind Kind;
};

// Queries first, then tables, then stored procedures, each group in the
// order the migrator tests the names.
std::span<const TConvertibleClass> ConvertibleClasses();

// The first row whose name is className (ASCII letters compared without
// case) and whose layer is in convert; none otherwise. Only the class's own
// name counts, never an ancestor's.
const TConvertibleClass* FindConvertibleClass(std::string_view className, TConvertComponents convert);
