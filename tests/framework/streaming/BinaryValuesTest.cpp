// Binary form values: every value type a binary form can hold is written back
// byte for byte, and the null variant (Null) and the empty reference (nil)
// stay apart in both formats.
#include "streaming/TFormFile.h"

#include "classes/TClassRegistry.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormParser.h"
#include "streaming/TextFormWriter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Short(const std::string& s) { return static_cast<char>(s.size()) + s; }
std::string U16(uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); }
std::string U32(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }
std::string U64(uint64_t v) { return std::string(reinterpret_cast<const char*>(&v), 8); }
std::string Tag(TBinValueType t) { return std::string(1, static_cast<char>(t)); }
using VT = TBinValueType;

// A form whose root has one property with the given encoded value.
std::string FormWith(const std::string& value) {
  return "TPF0" + Short("TForm1") + Short("Form1") + Short("Value") + value + std::string(2, '\0');
}

std::string WithResourceHeader(const std::string& stream) {
  return std::string("\xFF\x0A\x00", 3) + "TFORM1" + std::string(1, '\0') + U16(0x1030) + U32(static_cast<uint32_t>(stream.size())) +
         stream;
}

std::string SavedThroughComponents(const std::string& bytes) {
  TClassRegistry registry;
  auto file = TFormFile::Load(bytes, "values.dfm", registry);
  file->ResolveReferences({});
  file->FinishLoading();
  return file->SaveToString();
}

struct TValueRow {
  const char* Name;
  std::string Encoded;
};

std::vector<TValueRow> EveryValueType() {
  float single = 0.1f;
  double real = 1.0 / 3;
  uint64_t nan = 0x7FF8000000000123ULL;  // a NaN with a payload of its own
  std::string single4(reinterpret_cast<const char*>(&single), 4);
  std::string real8(reinterpret_cast<const char*>(&real), 8);
  // An extended value no conversion through double gives back: 64 bits of mantissa.
  std::string extended10 = std::string("\x01\x00\x00\x00\x00\x00\x00\x80", 8) + std::string("\xFF\x3F", 2);
  std::u16string wide = u"x\xD800y";  // a lone surrogate between two letters
  return {
      {"Null", Tag(VT::vaNull)},
      {"Nil", Tag(VT::vaNil)},
      {"Int8", Tag(VT::vaInt8) + "\xFF"},
      {"Int16 holding a small value", Tag(VT::vaInt16) + U16(5)},
      {"Int32 holding a small value", Tag(VT::vaInt32) + U32(7)},
      {"Int64 holding a small value", Tag(VT::vaInt64) + U64(9)},
      {"Int64", Tag(VT::vaInt64) + U64(0x8000000000000000ULL)},
      {"Extended", Tag(VT::vaExtended) + extended10},
      {"Double", Tag(VT::vaDouble) + real8},
      {"Double NaN", Tag(VT::vaDouble) + U64(nan)},
      {"Single", Tag(VT::vaSingle) + single4},
      {"Currency", Tag(VT::vaCurrency) + U64(123456789)},
      {"Date", Tag(VT::vaDate) + real8},
      {"String", Tag(VT::vaString) + Short("caf\xE9")},
      {"Empty string", Tag(VT::vaString) + Short("")},
      {"Long string holding a short text", Tag(VT::vaLString) + U32(2) + "ab"},
      {"Long string", Tag(VT::vaLString) + U32(300) + std::string(300, 'q')},
      {"Wide string", Tag(VT::vaWString) + U32(3) + std::string(reinterpret_cast<const char*>(wide.data()), 6)},
      {"Empty wide string", Tag(VT::vaWString) + U32(0)},
      {"UTF-8 string", Tag(VT::vaUTF8String) + U32(2) + "\xC3\xA9"},
      {"Ident", Tag(VT::vaIdent) + Short("alClient")},
      {"False", Tag(VT::vaFalse)},
      {"True", Tag(VT::vaTrue)},
      {"Binary", Tag(VT::vaBinary) + U32(3) + std::string("\x00\x01\xFF", 3)},
      {"Empty set", Tag(VT::vaSet) + std::string(1, '\0')},
      {"Set", Tag(VT::vaSet) + Short("fsBold") + Short("fsItalic") + std::string(1, '\0')},
      // A set property with no enumeration behind it is written as numbers.
      {"Set of numbers", Tag(VT::vaSet) + Short("0") + Short("17") + std::string(1, '\0')},
      // A list ends at a zero byte, the tag of Null, so a list cannot hold Null.
      {"List of mixed values", Tag(VT::vaList) + Tag(VT::vaInt16) + U16(1) + Tag(VT::vaNil) + Tag(VT::vaString) +
                                   Short("a") + std::string(1, '\0')},
      {"Collection with item orders", Tag(VT::vaCollection) + Tag(VT::vaInt16) + U16(2) + Tag(VT::vaList) +
                                          Short("Width") + Tag(VT::vaInt32) + U32(64) + std::string(1, '\0') +
                                          Tag(VT::vaList) + std::string(1, '\0') + std::string(1, '\0')},
  };
}

} // namespace

TEST(BinaryValues, EveryValueTypeIsWrittenBackByteForByte) {
  for (const TValueRow& row : EveryValueType()) {
    SCOPED_TRACE(row.Name);
    std::string bytes = FormWith(row.Encoded);
    EXPECT_NO_THROW({
      EXPECT_EQ(WriteFormBinary(*ParseFormBinary(bytes, "values.dfm"), false), bytes);
      EXPECT_EQ(SavedThroughComponents(bytes), bytes);
      std::string onDisk = WithResourceHeader(bytes);
      EXPECT_EQ(SavedThroughComponents(onDisk), onDisk) << "with a resource header";
    });
  }
}

TEST(BinaryValues, ObjectHeadersAreWrittenBackByteForByte) {
  // The flags byte: inherited (1), with a child position (2), inline (4); the
  // position in a wider tag than it needs; a flags byte with no flag set and
  // one with a bit that means nothing here.
  for (uint8_t flags : {0xF3, 0xF6, 0xF0, 0xF8}) {
    std::string position = flags & 2 ? Tag(VT::vaInt16) + U16(1) : "";
    std::string child = std::string(1, static_cast<char>(flags)) + position + Short("TFrame1") + Short("Frame1") +
                        std::string(2, '\0');
    std::string bytes = "TPF0" + Short("TForm1") + Short("Form1") + std::string(1, '\0') + child + std::string(1, '\0');
    EXPECT_EQ(SavedThroughComponents(bytes), bytes) << int(flags);
  }
}

TEST(BinaryValues, NullAndNilStayApartInBothFormats) {
  const std::string text = "object Form1: TForm1\r\n  Variant = Null\r\n  Reference = nil\r\nend\r\n";
  auto doc = ParseFormText(text, "n.dfm");
  ASSERT_EQ(doc->Root->Properties.size(), 2u);
  EXPECT_EQ(doc->Root->Properties[0]->Value.Kind, TFormValueKind::Null);
  EXPECT_EQ(doc->Root->Properties[1]->Value.Kind, TFormValueKind::Nil);

  std::string binary = WriteFormBinary(*doc, false);
  std::string expected = "TPF0" + Short("TForm1") + Short("Form1") + Short("Variant") + Tag(VT::vaNull) +
                         Short("Reference") + Tag(VT::vaNil) + std::string(2, '\0');
  EXPECT_EQ(binary, expected);

  auto back = ParseFormBinary(binary, "n.dfm");
  EXPECT_EQ(back->Root->Properties[0]->Value.Kind, TFormValueKind::Null);
  EXPECT_EQ(back->Root->Properties[1]->Value.Kind, TFormValueKind::Nil);
  EXPECT_EQ(WriteFormText(*back), text);
  EXPECT_EQ(FormatFormValue(TFormValue::MakeNull(), 0), "Null");
  EXPECT_EQ(FormatFormValue(TFormValue::MakeNil(), 0), "nil");

  // Through components, converting each way.
  TClassRegistry registry;
  auto fromText = TFormFile::Load(text, "n.dfm", registry);
  fromText->ResolveReferences({});
  fromText->FinishLoading();
  EXPECT_EQ(fromText->SaveToString(TFormFormat::Binary).substr(WithResourceHeader("").size()), expected);
  auto fromBinary = TFormFile::Load(expected, "n.dfm", registry);
  fromBinary->ResolveReferences({});
  fromBinary->FinishLoading();
  EXPECT_EQ(fromBinary->SaveToString(TFormFormat::Text), text);
}
