// Hostile form files: deep nesting, lengths that claim more than the file
// holds, lists that never end, a resource header that lies. Each ends in an
// error that names the file and the spot, never in a crash, a hang or an
// allocation the size a length claims. A binary file denser in values than
// its budget allows ends in an error too, so that the tree read from any
// file stays within a fixed multiple of its size. (Time and memory per input are
// bounded by the fuzz runs of scripts/fuzz.sh, which fail an input over
// 5 seconds or one allocation over 256 MB.)
#include "support/ExpectRaises.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormError.h"
#include "streaming/FormParser.h"
#include "streaming/FormTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string U32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// A binary stream of one object of class TForm1 named Form1 whose single
// property P has the given encoded value.
std::string StreamWithValue(const std::string& value) {
  return std::string("TPF0") + "\x06TForm1\x05" "Form1" + "\x01P" + value + std::string("\x00\x00", 2);
}

std::string WithResourceHeader(const std::string& stream, uint32_t declaredSize) {
  return std::string("\xFF\x0A\x00", 3) + "TFORM1" + std::string("\x00", 1) + "\x30\x10" + U32(declaredSize) + stream;
}

std::string TextError(const std::string& source) {
  return TestSupport::ErrorOf<EFormError>([&] { ParseFormText(source, "hostile.dfm"); });
}

std::string BinaryError(const std::string& bytes) {
  return TestSupport::ErrorOf<EFormError>([&] { ParseFormBinary(bytes, "hostile.dfm"); });
}

TEST(HostileFormFile, TextNestingAndEndlessListsEndInALocatedError) {
  struct TCase {
    const char* What;
    std::string Source;
    std::string Error;
  };
  const TCase cases[] = {
      {"objects nested 502 deep", Repeat("object A: T\r\n", 502), "hostile.dfm:502:1: objects nested too deeply"},
      {"lists nested 600 deep", "object A: T\r\n  P = " + Repeat("(", 600),
       "hostile.dfm:2:507: values nested too deeply"},
      {"collections nested 600 deep", "object A: T\r\n  P = " + Repeat("<item P = ", 600),
       "hostile.dfm:2:5007: values nested too deeply"},
      {"a list that never closes", "object A: T\r\n  P = (\r\n" + Repeat("    'x'\r\n", 100000),
       "hostile.dfm:100003:1: unexpected end of file, expected ')'"},
      {"binary data that never closes", "object A: T\r\n  P = {\r\n" + Repeat("    0A0B\r\n", 100000),
       "hostile.dfm:100003:1: unterminated binary data, expected '}'"},
      {"a string that never closes", "object A: T\r\n  P = 'abc" + Repeat("x", 100000),
       "hostile.dfm:2:7: unterminated string"},
      {"an object that never ends", "object A: T\r\n" + Repeat("  P = 1\r\n", 100000),
       "hostile.dfm:100002:1: missing 'end' of the object started at line 1"},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Error, TextError(c.Source)) << c.What;
}

// Text the binary form cannot hold is refused where it stands (found by
// fuzzing: such a file loaded and saved as text, but its binary save no
// longer loaded). The lexer reads "A.B" as one identifier, which only a
// property name or a reference may be; a zero byte, Null's tag, ends a
// binary list.
TEST(HostileFormFile, TextTheBinaryFormCannotHoldEndsInALocatedError) {
  struct TCase {
    const char* What;
    std::string Source;
    std::string Error;
  };
  const TCase cases[] = {
      {"a dotted class name", "object A: T\r\n  object P: TPFont.Nameanel\r\n  end\r\nend\r\n",
       "hostile.dfm:2:13: a class name cannot contain '.': 'TPFont.Nameanel'"},
      {"a dotted class name without a component name", "object T.X\r\nend\r\n",
       "hostile.dfm:1:8: a class name cannot contain '.': 'T.X'"},
      {"a dotted class name after its unit", "object A: U/T.X\r\nend\r\n",
       "hostile.dfm:1:13: a class name after '/' cannot contain '.': 'T.X'"},
      {"a dotted component name", "object A.B: T\r\nend\r\n",
       "hostile.dfm:1:8: a component name cannot contain '.': 'A.B'"},
      {"a dotted set element", "object A: T\r\n  S = [fsBold, Font.Name]\r\nend\r\n",
       "hostile.dfm:2:16: a set element cannot contain '.': 'Font.Name'"},
      {"a string as set element", "object A: T\r\n  S = ['x y']\r\nend\r\n",
       "hostile.dfm:2:8: expected a set element, found ''x y''"},
      {"a hexadecimal set element", "object A: T\r\n  S = [$1F]\r\nend\r\n",
       "hostile.dfm:2:8: expected a set element, found '$1F'"},
      {"Null as an item of a list", "object A: T\r\n  P = (\r\n    'a'\r\n    null\r\n    'b')\r\nend\r\n",
       "hostile.dfm:4:5: Null cannot be an item of a list"},
      {"an object with neither name nor class", "object A: T\r\n  object end\r\n  object B: T\r\n  end\r\nend\r\n",
       "hostile.dfm:2:10: expected a component name or class, found 'end'"},
      {"a component name of 256 bytes", "object A: T\r\n  object " + std::string(256, 'n') + ": T\r\n  end\r\nend\r\n",
       "hostile.dfm:2:10: an identifier longer than 255 bytes"},
      {"an identifier value of 256 bytes", "object A: T\r\n  DataSet = M." + std::string(254, 'q') + "\r\nend\r\n",
       "hostile.dfm:2:13: an identifier longer than 255 bytes"},
      {"a unit and class name of 256 bytes", "object A: " + std::string(128, 'u') + "/" + std::string(127, 'c') + "\r\nend\r\n",
       "hostile.dfm:1:140: a unit and class name longer than 255 bytes"},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Error, TextError(c.Source)) << c.What;
}

TEST(HostileFormFile, BinaryLengthsBeyondTheFileEndInALocatedError) {
  struct TCase {
    const char* What;
    std::string Bytes;
    std::string Error;
  };
  const std::string almostNothing("\x01\x02", 2);
  const TCase cases[] = {
      {"a long string claiming 2 GB", StreamWithValue("\x0C" + U32(0x7FFFFFFF) + almostNothing),
       "hostile.dfm:1:25: unexpected end of binary data"},
      {"a wide string claiming 4 G characters", StreamWithValue("\x12" + U32(0xFFFFFFFF) + almostNothing),
       "hostile.dfm:1:25: unexpected end of binary data"},
      {"a UTF-8 string claiming 4 GB", StreamWithValue("\x14" + U32(0xFFFFFFFF) + almostNothing),
       "hostile.dfm:1:25: unexpected end of binary data"},
      {"binary data claiming 4 GB", StreamWithValue("\x0A" + U32(0xFFFFFFFF) + almostNothing),
       "hostile.dfm:1:25: unexpected end of binary data"},
      {"a short string claiming 255 bytes", StreamWithValue("\x06\xFF" + almostNothing),
       "hostile.dfm:1:22: unexpected end of binary data"},
      {"a list that never ends", StreamWithValue("\x01" + Repeat(std::string("\x02\x01", 2), 5000)).substr(0, 10016),
       "hostile.dfm:1:10017: unexpected end of binary data"},
      {"lists nested 600 deep", StreamWithValue(Repeat("\x01", 600)),
       "hostile.dfm:1:521: values nested too deeply"},
      {"objects nested 600 deep",
       "TPF0" + Repeat(std::string("\x01T\x01" "A\x00", 5), 600),
       "hostile.dfm:1:2510: objects nested too deeply"},
      {"an unknown value type", StreamWithValue("\x7F"), "hostile.dfm:1:20: unknown value type 127"},
      // Names the text form cannot write (found by fuzzing: saved as text,
      // such a file no longer loaded).
      {"a class name with a NUL byte", "TPF0" + std::string("\x03T\x00X\x01" "A\x00\x00", 8),
       "hostile.dfm:1:5: invalid name"},
      {"a set item with a control character", StreamWithValue(std::string("\x0B\x03" "d\x07X\x00", 6)),
       "hostile.dfm:1:21: invalid name"},
      {"a property name with a blank", "TPF0" + std::string("\x01T\x01" "A\x03P Q\x02\x01\x00\x00", 12),
       "hostile.dfm:1:9: invalid name"},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Error, BinaryError(c.Bytes)) << c.What;
}

TEST(HostileFormFile, AResourceHeaderThatLiesAboutTheStreamIsRefused) {
  const std::string stream = StreamWithValue("\x02\x05");
  ASSERT_NO_THROW(ParseFormBinary(WithResourceHeader(stream, static_cast<uint32_t>(stream.size())), "hostile.dfm"));
  struct TCase {
    const char* What;
    std::string Bytes;
    std::string Error;
  };
  const uint32_t size = static_cast<uint32_t>(stream.size());
  const TCase cases[] = {
      {"a size beyond the file", WithResourceHeader(stream, 0xFFFFFFFF),
       "hostile.dfm:1:13: resource size exceeds the file"},
      {"a size short of the stream", WithResourceHeader(stream, size - 3),
       "hostile.dfm:1:13: resource size " + std::to_string(size - 3) + " does not match the stream's " +
           std::to_string(size) + " bytes"},
      {"a size past the stream", WithResourceHeader(stream + "junk", size + 4),
       "hostile.dfm:1:13: resource size " + std::to_string(size + 4) + " does not match the stream's " +
           std::to_string(size) + " bytes"},
      {"a name that never ends", std::string("\xFF\x0A\x00", 3) + Repeat("T", 1000),
       "hostile.dfm:1:1004: unexpected end of binary data"},
      {"a header of another resource type", std::string("\xFF\x0B\x00", 3) + "TFORM1",
       "hostile.dfm:1:2: resource header of an unknown type"},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Error, BinaryError(c.Bytes)) << c.What;
}

// The heap bytes a parsed tree holds: its nodes and the buffers of its
// vectors and strings (not the allocator's own bookkeeping).
size_t HeapBytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; }
size_t HeapBytes(const TFormValue& v);
size_t HeapBytes(const TFormProperty& p) { return HeapBytes(p.Name) + HeapBytes(p.Value); }
size_t HeapBytes(const TFormValue& v) {
  size_t bytes = HeapBytes(v.Text) + HeapBytes(v.Bytes);
  bytes += v.SetItems.capacity() * sizeof(std::string);
  for (const std::string& item : v.SetItems) bytes += HeapBytes(item);
  bytes += v.Items.capacity() * sizeof(TFormValue);
  for (const TFormValue& item : v.Items) bytes += HeapBytes(item);
  bytes += v.CollectionItems.capacity() * sizeof(TFormItem);
  for (const TFormItem& item : v.CollectionItems) {
    bytes += item.Properties.capacity() * sizeof(TFormProperty);
    for (const TFormProperty& p : item.Properties) bytes += HeapBytes(p);
  }
  return bytes;
}
size_t HeapBytes(const TFormObject& o) {
  size_t bytes = sizeof(TFormObject) + HeapBytes(o.Name) + HeapBytes(o.ClassName);
  bytes += o.Properties.capacity() * sizeof(void*) + o.Children.capacity() * sizeof(void*);
  for (const auto& p : o.Properties) bytes += sizeof(TFormProperty) + HeapBytes(*p);
  for (const auto& c : o.Children) bytes += HeapBytes(*c);
  return bytes;
}

// A binary stream whose property P is a list of count items, each the one
// byte of a nil: the densest a file can hold values.
std::string NilList(size_t count) { return StreamWithValue("\x01" + std::string(count, '\x0D') + std::string(1, '\0')); }

TEST(HostileFormFile, ABinaryFileDenserThanItsBudgetEndsInALocatedError) {
  // Over a hundred times its size in list items, were it read whole.
  const size_t count = 4 * FormNodeBudget(0) / sizeof(TFormValue) + 100000;
  const std::string bytes = NilList(count);
  ASSERT_GT(count * sizeof(TFormValue), 100 * bytes.size());
  std::string error = BinaryError(bytes);
  const std::string reason = ": more values than a file of this size can hold";
  ASSERT_TRUE(error.starts_with("hostile.dfm:1:") && error.ends_with(reason)) << error;
  // The reader stopped at the item that would pass the budget, inside the list.
  size_t column = std::stoul(error.substr(std::string("hostile.dfm:1:").size()));
  EXPECT_GT(column, 21u);
  EXPECT_LT(column, bytes.size());
  EXPECT_LE((column - 21) * sizeof(TFormValue), FormNodeBudget(bytes.size()));
}

TEST(HostileFormFile, ADenseBinaryFileWithinItsBudgetTakesAFixedMultipleOfItsSize) {
  // The largest list of nils the budget admits: read, it holds at most twice
  // the budget (a vector grown by doubling) and is written back unchanged.
  auto fileSize = [](size_t items) { return items + 23; };
  ASSERT_EQ(NilList(7).size(), fileSize(7));
  size_t count = 0;
  while (sizeof(TFormObject) + 2 * sizeof(void*) + sizeof(TFormProperty) + (count + 1) * sizeof(TFormValue) <=
         FormNodeBudget(fileSize(count + 1)))
    ++count;
  const std::string bytes = NilList(count);
  std::unique_ptr<TFormDocument> doc;
  ASSERT_NO_THROW(doc = ParseFormBinary(bytes, "dense.dfm"));
  ASSERT_EQ(doc->Root->Properties.at(0)->Value.Items.size(), count);
  size_t held = HeapBytes(*doc->Root);
  EXPECT_LE(held, 2 * FormNodeBudget(bytes.size())) << held << " bytes for a file of " << bytes.size();
  EXPECT_EQ(WriteFormBinary(*doc, false), bytes);
  EXPECT_EQ(BinaryError(NilList(count + 1)), "hostile.dfm:1:" + std::to_string(21 + count) +
                                                   ": more values than a file of this size can hold");
}

TEST(HostileFormFile, ATextFileDenserThanItsBudgetEndsInALocatedError) {
  // Two characters per list item, each item a whole value node.
  const size_t count = 2 * FormNodeBudget(0) / sizeof(TFormValue) + 100000;
  const std::string source = "object A: T\r\n  P = (" + Repeat("1 ", static_cast<int>(count)) + ")\r\nend\r\n";
  ASSERT_GT(count * sizeof(TFormValue), 50 * source.size());
  std::string error = TextError(source);
  const std::string reason = ": more values than a file of this size can hold";
  ASSERT_TRUE(error.starts_with("hostile.dfm:2:") && error.ends_with(reason)) << error;
  size_t column = std::stoul(error.substr(std::string("hostile.dfm:2:").size()));
  size_t itemsRead = (column - 8) / 2;
  EXPECT_GT(itemsRead, 0u);
  EXPECT_LT(itemsRead, count);
  EXPECT_LE(itemsRead * sizeof(TFormValue), FormNodeBudget(source.size()));
  // A list as the host writes it, one item a line, stays within the budget.
  const std::string written = "object A: T\r\n  P = (\r\n" + Repeat("    1\r\n", 20000) + "  )\r\nend\r\n";
  EXPECT_NO_THROW(ParseFormText(written, "hostile.dfm"));
}

} // namespace
