#include "migrator/ConvertibleClasses.h"

#include <gtest/gtest.h>

using enum TConvertComponent;

namespace {

TEST(ConvertibleClassesTest, OnlyTheClassesOwnNameInAnyLetterCaseCounts) {
  TConvertComponents all{convBDE, convADO, convDBX, convZeos};
  auto check = [&](const char* name, TConvertComponents convert, const char* expected) {
    const TConvertibleClass* row = FindConvertibleClass(name, convert);
    EXPECT_STREQ(row ? row->Name : "(none)", expected) << name;
  };
  check("TMyQuery", all, "(none)");
  check("TClientDataSet", all, "(none)");
  check("TZReadOnlyQuery", all, "(none)");
  check("TQuery", {convADO, convDBX, convZeos}, "(none)");
  check("TADOTable", {convBDE}, "(none)");
  check("TSQLDATASET", {convDBX}, "TSQLDataset");
  check("tsqldataset", {convDBX}, "TSQLDataset");
  check("TSqlDataSet", all, "TSQLDataset");
  check("TZStoredProc", {convZeos}, "TZStoredProc");
  check("TADODataSet", {convADO}, "TADODataset");
  EXPECT_EQ(ConvertibleClasses().size(), 14u);
}

} // namespace
