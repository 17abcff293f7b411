#include "rtl/JsonWriter.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(JsonWriter, InvalidUtf8BecomesReplacementCharacters) {
  auto check = [](std::string_view bytes, std::string_view expected) { EXPECT_EQ(expected, ValidUtf8(bytes)); };
  const std::string r = "\xEF\xBF\xBD";
  check("\x80", r);
  check("\xFF\xFE", r + r);
  check("\xC0\xAF", r + r);          // overlong forms
  check("\xE0\x80\xAF", r + r + r);
  check("\xED\xA0\x80", r + r + r);  // surrogates
  check("\xF4\x90\x80\x80", r + r + r + r);
  check("\xE2\x82", r);               // a truncated sequence is one character
  check("\xE2\x82" "A", r + "A");
  check("\xF0\x9F\x98", r);
  check("a\xE9z", "a" + r + "z");
  check("", "");
  check("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  check(std::string_view("\0x", 2), std::string_view("\0x", 2));
}

TEST(JsonWriter, QuotingAndHex) {
  EXPECT_EQ("\"\"", JsonQuoted(""));
  EXPECT_EQ("\"\\\"\\\\\\b\\f\\n\\r\\t\\u0001\\u001f\x7f/\"", JsonQuoted("\"\\\b\f\n\r\t\x01\x1f\x7f/"));
  EXPECT_EQ(std::string("\"\\u0000\""), JsonQuoted(std::string_view("\0", 1)));
  EXPECT_EQ("\"\xEF\xBF\xBD\"", JsonQuoted("\x81"));
  EXPECT_EQ("", HexBytes(""));
  EXPECT_EQ("00ff7f0a", HexBytes(std::string_view("\0\xFF\x7F\n", 4)));
}

TEST(JsonWriter, NestedValuesInWrittenOrder) {
  std::ostringstream out;
  TJsonWriter writer(out);
  writer.BeginObject().Member("z", "1").Member("a", true).Key("list").BeginArray();
  writer.Int(-3).Null().BeginObject().EndObject().BeginArray().EndArray().String("x");
  writer.EndArray().Member("b", false).EndObject();
  EXPECT_EQ("{\"z\":\"1\",\"a\":true,\"list\":[-3,null,{},[],\"x\"],\"b\":false}", out.str());
}
