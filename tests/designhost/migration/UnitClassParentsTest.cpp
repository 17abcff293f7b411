#include "designhost/migration/UnitClassParents.h"

#include <gtest/gtest.h>

namespace {

TEST(UnitClassParentsTest, DeclarationsOutsideCommentsAndStringsCount) {
  TUnitClassParents classes;
  classes.AddUnitText("unit A;\r\ninterface\r\ntype\r\n"
                      "  { TFake = class(TQuery) }\r\n"
                      "  // TFake2 = class(TQuery)\r\n"
                      "  (* TFake3 = class(TQuery) *)\r\n"
                      "  TAudit = class(TQuery)\r\n"
                      "  end;\r\n"
                      "  TAudit2 = class (TAudit, IUnknown)\r\n"
                      "  TForward = class;\r\n"
                      "const S = 'TFake4 = class(TQuery)';\r\n"
                      "implementation\r\nend.\r\n",
                      "A.pas");
  EXPECT_EQ(classes.Find("TFake"), nullptr);
  EXPECT_EQ(classes.Find("TFake2"), nullptr);
  EXPECT_EQ(classes.Find("TFake3"), nullptr);
  EXPECT_EQ(classes.Find("TFake4"), nullptr);
  EXPECT_EQ(classes.Find("TForward"), nullptr);
  ASSERT_NE(classes.Find("taudit"), nullptr);
  EXPECT_EQ(classes.Find("TAudit")->Line, 7);
  EXPECT_EQ(classes.Ancestors("TAudit2"), (std::vector<std::string>{"TAudit", "TQuery"}));
}

TEST(UnitClassParentsTest, ACycleEndsTheWalk) {
  TUnitClassParents classes;
  classes.AddUnitText("type TA = class(TB); TB = class(TA);", "X.pas");
  EXPECT_EQ(classes.Ancestors("TA"), (std::vector<std::string>{"TB"}));
}

} // namespace
