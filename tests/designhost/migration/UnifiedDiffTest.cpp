#include "designhost/migration/UnifiedDiff.h"

#include <gtest/gtest.h>

namespace {

std::string Numbered(int from, int to, const char* eol = "\n") {
  std::string s;
  for (int i = from; i <= to; ++i) s += "line" + std::to_string(i) + eol;
  return s;
}

TEST(UnifiedDiffTest, EqualTextsGiveNothing) {
  EXPECT_EQ(UnifiedDiff("", "", "a", "b"), "");
  EXPECT_EQ(UnifiedDiff("x\r\n", "x\r\n", "a", "b"), "");
}

TEST(UnifiedDiffTest, HunksAsDiffPrintsThem) {
  auto check = [](const std::string& before, const std::string& after, const std::string& expected) {
    EXPECT_EQ(UnifiedDiff(before, after, "old", "new"), "--- old\n+++ new\n" + expected);
  };
  // From nothing, to nothing.
  check("", "a\n", "@@ -0,0 +1 @@\n+a\n");
  check("a\nb\n", "", "@@ -1,2 +0,0 @@\n-a\n-b\n");
  // One line changed in the middle: three lines of context each side.
  std::string before = Numbered(1, 10);
  std::string after = before;
  after.replace(after.find("line5"), 5, "five!");
  check(before, after,
        "@@ -2,7 +2,7 @@\n line2\n line3\n line4\n-line5\n+five!\n line6\n line7\n line8\n");
  // Changes far apart make two hunks; near ones share one.
  std::string far = Numbered(1, 20);
  std::string farAfter = far;
  farAfter.replace(farAfter.find("line2\n"), 5, "two");
  farAfter.replace(farAfter.find("line19"), 6, "nineteen");
  check(far, farAfter,
        "@@ -1,5 +1,5 @@\n line1\n-line2\n+two\n line3\n line4\n line5\n"
        "@@ -16,5 +16,5 @@\n line16\n line17\n line18\n-line19\n+nineteen\n line20\n");
  std::string nearAfter = far;
  nearAfter.replace(nearAfter.find("line2\n"), 5, "two");
  nearAfter.replace(nearAfter.find("line8\n"), 5, "eight");
  check(far, nearAfter,
        "@@ -1,11 +1,11 @@\n line1\n-line2\n+two\n line3\n line4\n line5\n line6\n line7\n-line8\n+eight\n line9\n"
        " line10\n line11\n");
  // An inserted line; a text without a final line break.
  check("a\nc\n", "a\nb\nc\n", "@@ -1,2 +1,3 @@\n a\n+b\n c\n");
  check("a\nb", "a\nc", "@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+c\n\\ No newline at end of file\n");
}

TEST(UnifiedDiffTest, LineEndsArePartOfTheLine) {
  EXPECT_EQ(UnifiedDiff("a\r\nb\r\n", "a\r\nb\n", "old", "new"),
            "--- old\n+++ new\n@@ -1,2 +1,2 @@\n a\r\n-b\r\n+b\n");
}

} // namespace
