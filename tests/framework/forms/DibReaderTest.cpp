#include "support/Files.h"
#include "forms/DibReader.h"

#include "support/ExpectRaises.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
using TestSupport::ReadFile;

std::string BitmapsDir() { return std::string(QUELM_SOURCE_DIR) + "/resources/bitmaps/"; }

} // namespace

// The package's palette bitmaps: 8-bit palettised and 24-bit, bottom-up.
// Rows must not come out upside down nor colours with red and blue swapped.
TEST(DibReader, ReadsThePackagesBitmaps) {
  for (const char* name : {"LOGO.bmp", "TQUELMDATABASE.bmp", "TQUELMUPDATESQL.bmp"}) {
    std::string bytes = ReadFile(BitmapsDir() + name);
    ASSERT_FALSE(bytes.empty()) << name;
    std::unique_ptr<TBitmap> bitmap = ReadDib(bytes);
    EXPECT_EQ(24, bitmap->Width()) << name;
    EXPECT_EQ(24, bitmap->Height()) << name;
  }
}

TEST(DibReader, PlacesRowsAndColoursRight) {
  // A 2x2 24-bit bitmap, bottom-up: bottom row red, blue; top row green, white.
  std::string dib(40, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) dib[at + i] = static_cast<char>(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, 2);
  put32(8, 2);
  dib[12] = 1;
  dib[14] = 24;
  std::string bottom = std::string("\x00\x00\xff\xff\x00\x00", 6) + std::string(2, '\0');
  std::string top = std::string("\x00\xff\x00\xff\xff\xff", 6) + std::string(2, '\0');
  std::unique_ptr<TBitmap> bitmap = ReadDib(dib + bottom + top);
  EXPECT_EQ(clRed, bitmap->Pixel(0, 1));
  EXPECT_EQ(0xFF0000, bitmap->Pixel(1, 1));  // blue as 0x00BBGGRR
  EXPECT_EQ(0x00FF00, bitmap->Pixel(0, 0));
  EXPECT_EQ(clWhite, bitmap->Pixel(1, 0));
}

TEST(DibReader, TruncatedBitmapNamesTheOffset) {
  std::string bytes = ReadFile(BitmapsDir() + "LOGO.bmp");
  bytes.resize(bytes.size() - 100);
  std::string message = TestSupport::ErrorOf<EInvalidGraphic>([&] { ReadDib(bytes); });
  EXPECT_NE(std::string::npos, message.find("ends early")) << message;
  EXPECT_NE(std::string::npos, message.find(std::to_string(bytes.size()))) << message;
}
