#include "streaming/FormParser.h"
#include "support/ExpectRaises.h"

#include "FormTestSupport.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormError.h"
#include "streaming/FormLexer.h"

#include <gtest/gtest.h>

using namespace FormTest;

namespace {
std::string ErrorOf(const std::string& text, const std::string& name = "f.dfm") {
  return TestSupport::ErrorOf<EFormError>([&] { ParseFormText(text, name); });
}
} // namespace

TEST(FormParserTest, MalformedFixturesNameFileLineAndColumn) {
  auto check = [](const std::string& fixture, const std::string& expected) {
    std::string path = FixturePath(fixture);
    EXPECT_EQ(ErrorOf(ReadBytes(path), fixture), fixture + ":" + expected);
  };
  check("unterminated-string.dfm", "2:13: unterminated string");
  check("bad-char-code.dfm", "2:16: expected digits after '#'");
  check("missing-end.dfm", "5:1: missing 'end' of the object started at line 1");
  check("cr-in-quotes.dfm", "2:17: carriage return inside quotes");
  check("odd-binary-digits.dfm", "3:9: odd number of hex digits in binary data");
  check("missing-equals.dfm", "3:9: expected '=' after property name, found '10'");
}

TEST(FormParserTest, MalformedValuesAndTokens) {
  auto check = [](const std::string& body, const std::string& expected) {
    EXPECT_EQ(ErrorOf("object A: TA\n  " + body + "\nend\n"), expected) << body;
  };
  check("X = - 10", "f.dfm:2:7: '-' must be followed by a digit");
  check("X = 1E", "f.dfm:2:9: expected digits in exponent");
  check("X = first.", "f.dfm:2:13: expected identifier after '.'");
  check("X = 'a' 'b'", "f.dfm:2:11: expected a property, an object or 'end', found ''b''");
  check("X = #70000", "f.dfm:2:7: character code out of range");
  check("X = 'a' +", "f.dfm:3:1: expected a string after '+', found 'end'");
  check("X = [a b]", "f.dfm:2:10: expected ']', found 'b'");
  check("X = {G0}", "f.dfm:2:8: invalid character in binary data");
  check("X = {0G}", "f.dfm:2:8: odd number of hex digits in binary data");
  EXPECT_EQ(ErrorOf("object A: TA\n  X = {00"), "f.dfm:2:10: unterminated binary data, expected '}'");
  check("X = <item A = 1>", "f.dfm:2:18: expected a property or 'end', found '>'");
  check("X = // note", "f.dfm:2:7: expected a value, found '/'");
  check("X = \x01", "f.dfm:2:7: unexpected character #1");
  EXPECT_EQ(ErrorOf(""), "f.dfm:1:1: unexpected end of file, expected 'object', 'inherited' or 'inline'");
  EXPECT_EQ(ErrorOf("object A: TA\nend\nobject"), "f.dfm:3:1: unexpected text after the final 'end'");
}

TEST(FormParserTest, StringDecoding) {
  auto check = [](const std::string& token, bool utf8, const std::string& text, TFormStringForm form) {
    TFormValue v;
    DecodeFormString(token, utf8, v);
    EXPECT_EQ(v.Text, text) << token;
    EXPECT_EQ(static_cast<int>(v.StringForm), static_cast<int>(form)) << token;
  };
  check("'c'#97#110''''#116#32'open file'", true, "can't open file", TFormStringForm::Bytes);
  check("'perch'#232", true, "perch\xC3\xA8", TFormStringForm::Wide);
  check("#55357#56832", true, "\xF0\x9F\x98\x80", TFormStringForm::Wide);
  check("'Stra'#223'e'", true, "Stra\xC3\x9F" "e", TFormStringForm::Wide);
  check("'\xD0\x9A\xD0\xBE'", true, "\xD0\x9A\xD0\xBE", TFormStringForm::UTF8);
  check("'C\xF3' #13", true, "C\xF3", TFormStringForm::UTF8);
  check("'C\xF3'", false, "C\xC3\xB3", TFormStringForm::Bytes);
  check("'\x80'", false, "\xE2\x82\xAC", TFormStringForm::Bytes);
  check("#$41", true, "A", TFormStringForm::Bytes);
  check("''", true, "", TFormStringForm::Bytes);
}

TEST(FormParserTest, EveryConstructOfTheGrammar) {
  auto doc = ParseFormText(ReadBytes(FixturePath("constructs.dfm")), "constructs.dfm");
  EXPECT_EQ(doc->LineEnd, "\r\n");
  EXPECT_EQ(static_cast<int>(doc->Encoding), static_cast<int>(TTextEncoding::Ascii));
  const TFormObject& root = *doc->Root;
  EXPECT_EQ(root.Name, "Form1");
  EXPECT_EQ(root.ClassName, "TForm1");
  auto prop = [&](const std::string& name) -> const TFormValue& {
    for (const auto& p : root.Properties)
      if (p->Name == name) return p->Value;
    throw std::runtime_error("no property " + name);
  };
  EXPECT_EQ(prop("Top").Int, -8);
  EXPECT_EQ(prop("Caption").Text, "It's a \r\ntest");
  EXPECT_EQ(prop("Hint").Text, "0123456789012345678901234567890123456789012345678901234567890123tail");
  EXPECT_EQ(prop("Font.Style").SetItems, (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_EQ(prop("Tag").Int, 31);
  EXPECT_EQ(prop("Ratio").Float, 2.5L);
  EXPECT_EQ(prop("Stamp").FloatSuffix, 'd');
  EXPECT_TRUE(prop("Empty").SetItems.empty());
  EXPECT_EQ(prop("Flag").Kind, TFormValueKind::True);
  EXPECT_EQ(prop("Ref").Kind, TFormValueKind::Nil);
  EXPECT_EQ(prop("OnShow").Text, "FormShow");
  ASSERT_EQ(prop("DesignSize").Items.size(), 2u);
  EXPECT_EQ(prop("DesignSize").Items[1].Int, 493);
  EXPECT_EQ(prop("Glyph.Data").Bytes, std::string("\x0A\x0B\x0C\x0D"));
  ASSERT_EQ(root.Children.size(), 2u);
  const TFormObject& query = *root.Children[0];
  EXPECT_EQ(query.Properties[0]->Name, "SQL.Strings");
  EXPECT_EQ(query.Properties[0]->Value.Items[1].Text, "from T");
  const TFormValue& params = query.Properties[1]->Value;
  ASSERT_EQ(params.CollectionItems.size(), 1u);
  EXPECT_EQ(params.CollectionItems[0].Properties[1].Value.Text, "ID");
  EXPECT_TRUE(query.Properties[2]->Value.CollectionItems.empty());
  EXPECT_EQ(query.Children[0]->Name, "Query1ID");
  EXPECT_EQ(root.Children[1]->Name, "");
  EXPECT_EQ(root.Children[1]->ClassName, "TPrintHelper");
}

TEST(FormParserTest, InheritedInlineChildPositionsAndDottedReferences) {
  auto doc = ParseFormText(ReadBytes(FixturePath("inherited.dfm")), "inherited.dfm");
  const TFormObject& root = *doc->Root;
  EXPECT_EQ(root.Kind, TFormObjectKind::Inherited);
  EXPECT_EQ(doc->LineEnd, "\n");
  EXPECT_EQ(root.Children[0]->ChildPos, 0);
  EXPECT_EQ(root.Children[1]->Kind, TFormObjectKind::Inline);
  EXPECT_EQ(root.Children[1]->ChildPos, 2);
  EXPECT_EQ(root.Children[1]->Children[0]->Kind, TFormObjectKind::Inherited);
  EXPECT_EQ(root.Children[2]->Properties[0]->Value.Text, "DataMod.tblCustomer");
  EXPECT_EQ(root.Children[2]->Properties[1]->Value.Int, 65436);
}

TEST(FormParserTest, EncodingsAreRecognised) {
  auto check = [](const std::string& text, TTextEncoding expected) {
    auto doc = ParseFormText(text, "e.dfm");
    EXPECT_EQ(static_cast<int>(doc->Encoding), static_cast<int>(expected));
  };
  check("object A: TA\nend\n", TTextEncoding::Ascii);
  check("\xEF\xBB\xBFobject A: TA\nend\n", TTextEncoding::Utf8Bom);
  check("object \xD0\x9A\xD0\xBE\xD0\xB4: TA\nend\n", TTextEncoding::Utf8);
  check("object A: TA\n  Caption = 'C\xF3'\nend\n", TTextEncoding::CodePage);
}

TEST(FormParserTest, DamagedFilesFailWithAPositionAndNeverCrash) {
  std::vector<std::string> files = {FixturePath("constructs.dfm"), FixturePath("inherited.dfm")};
  for (const std::string& f : CorpusFiles()) files.push_back(f);
  const std::string damage = std::string("'#{<(\0\xFF\r", 8);
  int failures = 0;
  for (const std::string& path : files) {
    std::string original = ReadBytes(path);
    bool binary = IsBinaryForm(original);
    for (int k = 1; k <= 16; ++k) {
      size_t at = original.size() * static_cast<size_t>(k) / 17;
      std::vector<std::string> variants = {original.substr(0, at)};
      for (char c : damage) {
        std::string v = original;
        v[at] = c;
        variants.push_back(v);
      }
      for (const std::string& v : variants) {
        // Damage may leave a file that still reads; one that does not names the file.
        std::optional<std::string> error = TestSupport::MessageOf<EFormError>([&] {
          if (binary) ParseFormBinary(v, "x.dfm");
          else ParseFormText(v, "x.dfm");
        });
        if (error) {
          ++failures;
          EXPECT_EQ(error->rfind("x.dfm:", 0), 0u) << *error;
        }
      }
    }
  }
  EXPECT_GT(failures, 0);
}

TEST(FormParserTest, NestingIsBounded) {
  EXPECT_EQ(ErrorOf("object A: TA\n  X = " + std::string(100000, '(')), "f.dfm:2:507: values nested too deeply");
  std::string deep;
  for (int i = 0; i < 1000; ++i) deep += "object A: TA\n";
  EXPECT_EQ(ErrorOf(deep), "f.dfm:502:1: objects nested too deeply");
  std::string binary = "TPF0";
  for (int i = 0; i < 1000; ++i) binary += std::string("\x02TA\x01" "A\x00", 6);
  std::string error = TestSupport::ErrorOf<EFormError>([&] { ParseFormBinary(binary, "b.dfm"); });
  EXPECT_TRUE(error.starts_with("b.dfm:") && error.ends_with(": objects nested too deeply")) << error;
}
