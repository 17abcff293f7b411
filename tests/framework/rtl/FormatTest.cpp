#include "support/ExpectRaises.h"
#include "rtl/Format.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(Format, RejectsBadSpecifiersAndMissingArguments) {
  EXPECT_THROW(Format("%s", {}), EConvertError);
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s", {5}), EConvertError);
  EXPECT_THROW(Format("%q", {5}), EConvertError);
  EXPECT_THROW(Format("abc%", {}), EConvertError);
  EXPECT_TRUE(TestSupport::Raises<EConvertError>([] { Format("%d%", {1}); },
                                                 "Format '%d%' invalid or incompatible with argument"));
}

TEST(Format, IndexSpecifiersAndFollowingArguments) {
  auto check = [](const char* format, std::initializer_list<TFormatArg> args, const char* expected) {
    EXPECT_EQ(expected, Format(format, args)) << format;
  };
  // An unindexed specifier after an indexed one takes the argument after it.
  check("%s%1:s%s", {"a", "b", "c"}, "abc");
  check("%1:s%s", {"a", "b", "c"}, "bc");
  check("%2:s%0:s%s", {"a", "b", "c"}, "cab");
  check("  %s%s%s%1:s = :%1:s%2:s%1:s", {"", "\"", "id"}, "  \"id\" = :\"id\"");
  check("  %s%s%s%1:s = :%1:sOLD_%2:s%1:s", {"T.", "", "id"}, "  T.id = :OLD_id");
  check("%s%s%s%s%s%3:s%5:s", {"  (", "", ":", "", "id", ", "}, "  (:id, ");
  check("%d dataset descendants processed successfully", {3}, "3 dataset descendants processed successfully");
  check("%x|%4x|%.4x|%-4d|%4d|%%", {255, 10, 10, 7, -7}, "FF|   A|000A|7   |  -7|%");
  check("%.3s|%5s|%-5s|", {"abcdef", "ab", "ab"}, "abc|   ab|ab   |");
  check("%*d", {3, 5}, "  5");
  check("%.2f|%n|%e", {1.005, 1234567.0, 1500.0}, "1.00|1,234,567.00|1.50000000000000E+003");
}
