#include "forms/DibReader.h"

#include "support/ExpectRaises.h"

#include <gtest/gtest.h>

#include <string>

namespace {
void Put32(std::string& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char(v >> (8 * i));
}

// An info header of width x height at bits per pixel.
std::string Header(int width, int height, int bits, uint32_t colors = 0) {
  std::string b(40, '\0');
  Put32(b, 0, 40);
  Put32(b, 4, uint32_t(width));
  Put32(b, 8, uint32_t(height));
  b[12] = 1;
  b[14] = char(bits);
  Put32(b, 32, colors);
  return b;
}
} // namespace

TEST(DibReader, EightBitPixelsLookUpTheColourTableAndRowsArePadded) {
  // A 3 x 1 bitmap with two colours: row of 3 bytes padded to 4.
  std::string b = Header(3, 1, 8, 2);
  b += std::string("\x00\x00\xFF\x00" "\xFF\x00\x00\x00", 8);  // red, blue
  b += std::string("\x01\x00\x01\x00", 4);
  auto bitmap = ReadDib(b);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->Pixel(0, 0), 0xFF0000);
  EXPECT_EQ(bitmap->Pixel(1, 0), 0x0000FF);
  EXPECT_EQ(bitmap->Pixel(2, 0), 0xFF0000);
}

TEST(DibReader, ANegativeHeightMeansTopDownRows) {
  std::string b = Header(1, -2, 24);
  b += std::string("\x00\x00\xFF\x00", 4);  // top: red
  b += std::string("\xFF\x00\x00\x00", 4);  // bottom: blue
  auto bitmap = ReadDib(b);
  EXPECT_EQ(bitmap->Pixel(0, 0), 0x0000FF);
  EXPECT_EQ(bitmap->Pixel(0, 1), 0xFF0000);
}

TEST(DibReader, DamagedBytesAreRefusedWithTheOffset) {
  struct Case {
    std::string bytes;
    std::string message;
  };
  std::string indexOutside = Header(1, 1, 8, 1) + std::string("\0\0\0\0", 4) + std::string("\x05\0\0\0", 4);
  const Case cases[] = {
      {std::string(12, '\0'), "Bitmap at byte 0: unsupported header size 0"},
      {Header(2, 2, 24) + std::string(8, '\0'), "Bitmap ends early: byte 50 is past its end (48 bytes)"},
      {Header(0, 2, 24), "Bitmap at byte 4: bad size 0 x 2"},
      {Header(1, 1, 4), "Bitmap ends early: byte 42 is past its end (40 bytes)"},
      {indexOutside, "Bitmap at byte 44: colour 5 is not in the palette"},
  };
  for (const Case& c : cases) EXPECT_EQ(TestSupport::ErrorOf<EInvalidGraphic>([&] { ReadDib(c.bytes); }), c.message);
}
