// Every reader of form files counts lines alike: LF, CRLF and a lone CR each
// end a line, so the same fault is reported at the same line and column
// whichever line ends the file uses and whichever reader finds it.
#include "streaming/FormDefinitionReader.h"
#include "support/ExpectRaises.h"
#include "streaming/TFormFile.h"

#include "classes/TClassRegistry.h"
#include "streaming/FormError.h"
#include "streaming/FormParser.h"
#include "streaming/TGenericComponent.h"

#include <gtest/gtest.h>

namespace {

std::string WithLineEnd(const std::string& lfText, const std::string& eol) {
  std::string out;
  for (char c : lfText) {
    if (c == '\n') out += eol;
    else out += c;
  }
  return out;
}

const auto FormErrorOf = TestSupport::ErrorOf<EFormError>;

} // namespace

TEST(FormPosition, LexerParserBuilderAndDefinitionReaderCountLinesAlike) {
  TClassRegistry registry;
  for (const char* eol : {"\n", "\r\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(eol)));
    // The lexer: a character no token starts with, on line 3.
    EXPECT_EQ(FormErrorOf([&] { ParseFormText(WithLineEnd("object A: TA\n  X = 1\n  Y = ?\nend\n", eol), "a.dfm"); }),
              "a.dfm:3:7: unexpected character '?'");
    // The parser: a missing '='.
    EXPECT_EQ(FormErrorOf([&] { ParseFormText(WithLineEnd("object A: TA\n\n  X 1\nend\n", eol), "a.dfm"); }),
              "a.dfm:3:5: expected '=' after property name, found '1'");

    const std::string form = WithLineEnd("object Form1: TForm1\n  Tag = 1\n\n  Bogus = Missing\nend\n", eol);
    // The lenient builder keeps what it cannot set.
    auto file = TFormFile::Load(form, "f.dfm", registry);
    file->ResolveReferences({});
    file->FinishLoading();
    EXPECT_TRUE(file->Warnings().empty());  // a generic component keeps Bogus as read
    EXPECT_EQ(file->SaveToString(), form);
    // The strict builder of form definitions: the same file is an error at the same place.
    TGenericComponent root(GenericClassInfo("TForm1"), nullptr);
    EXPECT_EQ(FormErrorOf([&] { ReadFormDefinition(root, form, "f.dfm", registry); }),
              "f.dfm:4:3: TForm1 has no property Bogus");
    TGenericComponent late(GenericClassInfo("TForm1"), nullptr);
    EXPECT_EQ(FormErrorOf([&] {
                ReadFormDefinition(late, WithLineEnd("object Form1: TForm1\n\n\n  object B: TNoSuchClass\n  end\nend\n", eol),
                                   "f.dfm", registry);
              }),
              "f.dfm:4:3: unknown class TNoSuchClass");
  }
}
