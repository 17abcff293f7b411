#include "widgetset-qt/Utf16Offsets.h"

#include <gtest/gtest.h>

// Each row: a text, a byte offset and the UTF-16 offset it maps to; the
// way back gives the byte offset again, except inside a character, which
// goes to its start.
TEST(Utf16Offsets, BytesAndUtf16UnitsMapBothWays) {
  struct TRow {
    const char* Text;
    int Bytes;
    int Units;
    int BackToBytes;
  };
  const TRow rows[] = {
      {"abc", 2, 2, 2},
      {"h\xC3\xA9llo", 3, 2, 3},            // after "hé": é is 2 bytes, 1 unit
      {"h\xC3\xA9llo", 2, 1, 1},            // inside é: before it
      {"\xE2\x82\xAC" "1", 3, 1, 3},        // € is 3 bytes, 1 unit
      {"a\xF0\x9F\x98\x80" "b", 5, 3, 5},   // an emoji is 4 bytes, 2 units
      {"a\xF0\x9F\x98\x80" "b", 6, 4, 6},
      {"abc", 99, 3, 3},                    // past the end: the end
      {"a\xFF" "b", 2, 2, 2},               // a stray byte counts as one character
  };
  for (const TRow& row : rows) {
    EXPECT_EQ(row.Units, QtText::Utf16FromByteOffset(row.Text, row.Bytes)) << row.Text << " @" << row.Bytes;
    EXPECT_EQ(row.BackToBytes, QtText::ByteFromUtf16Offset(row.Text, row.Units)) << row.Text << " @" << row.Units;
  }
  // Half of a surrogate pair goes to the character's start.
  EXPECT_EQ(1, QtText::ByteFromUtf16Offset("a\xF0\x9F\x98\x80" "b", 2));
}
