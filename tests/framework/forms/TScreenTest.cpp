#include "forms/TScreen.h"

#include "forms/THeadlessWidgetSet.h"

#include <gtest/gtest.h>

TEST(TScreen, TheCursorGuardRestoresTheCursorWhenAnExceptionPasses) {
  ASSERT_EQ(crDefault, Screen().Cursor());
  EXPECT_EQ(-11, crHourGlass);
  std::vector<TCursor> seen;
  auto longRead = [&] {
    TCursorGuard wait(crHourGlass);
    seen.push_back(Screen().Cursor());
    throw EDatabaseError("Lost connection to server");
  };
  EXPECT_THROW(longRead(), EDatabaseError);
  EXPECT_EQ((std::vector<TCursor>{crHourGlass}), seen);
  EXPECT_EQ(crDefault, Screen().Cursor());
  {
    TCursorGuard outer(crSQLWait);
    {
      TCursorGuard inner(crHourGlass);
    }
    EXPECT_EQ(crSQLWait, Screen().Cursor());
  }
  EXPECT_EQ(crDefault, Screen().Cursor());
  // The widgetset was told every change, in order.
  const auto& log = HeadlessWidgetSet()->CursorLog();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ((std::vector<TCursor>{crHourGlass, crDefault, crSQLWait, crHourGlass, crSQLWait, crDefault}),
            std::vector<TCursor>(log.end() - 6, log.end()));
}

TEST(TScreen, AWaitThatEndsOnTheDefaultCursorDoesSoWhenAnExceptionPasses) {
  TCursorGuard caller(crSQLWait);
  auto failedRead = [] {
    TCursorGuard wait(crHourGlass, crDefault);
    EXPECT_EQ(crHourGlass, Screen().Cursor());
    throw EDatabaseError("Lost connection to server");
  };
  EXPECT_THROW(failedRead(), EDatabaseError);
  EXPECT_EQ(crDefault, Screen().Cursor());
}
