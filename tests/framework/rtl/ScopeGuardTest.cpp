#include "rtl/ScopeGuard.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

TEST(ScopeGuard, TheCleanupRunsOnceOnEveryExitPathInReverseOrder) {
  std::string log;
  auto work = [&](bool fail) {
    TScopeGuard first([&] { log += "1"; });
    TScopeGuard second([&] { log += "2"; });
    if (fail) throw EConvertError("bad value");
    log += "w";
  };
  work(false);
  EXPECT_EQ("w21", log);
  log.clear();
  EXPECT_THROW(work(true), EConvertError);
  EXPECT_EQ("21", log);
}

TEST(ScopeGuard, ADismissedGuardLeavesTheWorkInPlace) {
  std::string made;
  auto make = [&](bool fail) {
    made = "half";
    TScopeGuard undo([&] { made.clear(); });
    if (fail) throw EConvertError("bad value");
    made = "whole";
    undo.Dismiss();
  };
  EXPECT_THROW(make(true), EConvertError);
  EXPECT_EQ("", made);
  make(false);
  EXPECT_EQ("whole", made);
}
