#include "fldlinks/FieldLinkText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reads a whole list as a caller does: from position 1 while the position
// is within the text; each name with the position after it.
std::vector<std::string> ReadList(const std::string& text) {
  std::vector<std::string> steps;
  int pos = 1;
  while (pos <= static_cast<int>(text.size())) {
    std::string name = NextFieldName(text, pos);
    steps.push_back("'" + name + "'@" + std::to_string(pos));
  }
  return steps;
}

} // namespace

TEST(FieldLinkTextTest, NextFieldNameReadsAFieldListNameByName) {
  auto check = [](const std::string& text, std::vector<std::string> expected) {
    EXPECT_EQ(ReadList(text), expected) << text;
  };
  check("", {});
  check("A", {"'A'@2"});
  check("A;B", {"'A'@3", "'B'@4"});
  check("A;;B", {"'A'@3", "''@4", "'B'@5"});
  check(" A ; B", {"' A '@5", "' B'@7"});
  check("A;", {"'A'@3"});
  check("CUST_ID;ORDER_NO", {"'CUST_ID'@9", "'ORDER_NO'@17"});
}

TEST(FieldLinkTextTest, APairSplitsAtItsLastArrow) {
  auto check = [](const std::string& pair, const std::string& detail, const std::string& master) {
    EXPECT_EQ(PairDetailField(pair), detail) << pair;
    EXPECT_EQ(PairMasterField(pair), master) << pair;
  };
  check("CUST_ID -> ID", "CUST_ID", "ID");
  check("X->Y -> Z", "X->Y", "Z");
  check("a b -> c d", "a b", "c d");
  check("K1 -> ", "K1", "");
  // Not a pair at all: nothing is cut off.
  check("K1", "K1", "");
  EXPECT_EQ(FormatPair("CUST_ID", "ID"), "CUST_ID -> ID");
  EXPECT_EQ(PairDetailField(FormatPair("X->Y", "Z")), "X->Y");
}
