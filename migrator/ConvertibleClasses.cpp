#include "migrator/ConvertibleClasses.h"

#include "rtl/TextCompare.h"

namespace {
using enum TConvertComponent;
using enum TQuelmDataSetKind;

constexpr TConvertibleClass Classes[] = {
    {"TQuery", convBDE, Query},          {"TZQuery", convZeos, Query},
    {"TSQLQuery", convDBX, Query},       {"TSQLDataset", convDBX, Query},
    {"TADOQuery", convADO, Query},       {"TADODataset", convADO, Query},
    {"TTable", convBDE, Table},          {"TZTable", convZeos, Table},
    {"TSQLTable", convDBX, Table},       {"TADOTable", convADO, Table},
    {"TStoredProc", convBDE, StoredProc}, {"TZStoredProc", convZeos, StoredProc},
    {"TSQLStoredProc", convDBX, StoredProc}, {"TADOStoredProc", convADO, StoredProc},
};
} // namespace

std::span<const TConvertibleClass> ConvertibleClasses() { return Classes; }

const TConvertibleClass* FindConvertibleClass(std::string_view className, TConvertComponents convert) {
  for (const TConvertibleClass& row : Classes)
    if (convert.Contains(row.Member) && SameText(row.Name, className)) return &row;
  return nullptr;
}
