// Scanning a unit again after an edit: only the stretch around the edit is
// scanned, and the tokens must be those a scan of the whole edited text
// gives, also where the edit opens or closes a comment or a string, joins or
// splits a token, or lies at either end of the text.
#include "designhost/units/PascalLexer.h"
#include "support/ExpectRaises.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TestSupport::MessageOf;

const std::string Source =
    "\xEF\xBB\xBFunit U;\r\n"
    "interface\r\n"
    "type\r\n"
    "  TForm1 = class(TForm) { a comment } Query1: TQuery; (* another *)\r\n"
    "    Table1: TTable; // to the line end\r\n"
    "  end;\r\n"
    "implementation\r\n"
    "const S = 'it''s' + #13#10; X := 1..2;\r\n"
    "end.\r\n";

std::string Tokens(const std::vector<TPascalToken>& tokens) {
  std::string out;
  for (const TPascalToken& t : tokens)
    out += std::to_string(static_cast<int>(t.Kind)) + "@" + std::to_string(t.Offset) + ":" + std::string(t.Text) + " ";
  return out;
}

TEST(PascalRescanTest, TheTokensAfterAnEditAreThoseOfTheWholeEditedText) {
  struct TEdit {
    const char* What;
    std::string At;  // the edit begins where this text begins in Source
    size_t Removed;
    std::string Text;
  };
  const std::vector<TEdit> edits = {
      {"a type replaced by a longer one", "TQuery;", 6, "TQuelmQuery"},
      {"a type replaced by a shorter one", "TTable;", 6, "TT"},
      {"a declaration added on its own line", "    Table1", 0, "    Db: TQuelmDatabase;\r\n"},
      {"a declaration removed", "    Table1", 21, ""},
      {"an identifier joined to the one before", " S =", 1, ""},
      {"an identifier split", "ery1", 0, " "},
      {"a two-byte symbol made of two", ":=", 1, ": "},
      {"two symbols made one", ":=", 2, "<>"},
      {"a comment opened that swallows tokens", "Query1", 0, "(* "},
      {"a comment closed early", "a comment", 0, "} x {"},
      {"a parenthesis that becomes a comment", "(TForm)", 1, "(*"},
      {"a line comment that reaches the line end", "Table1", 0, "// "},
      {"a line comment ended by a new line", "to the line end", 0, "\r\nnext "},
      {"a string split in two", "''s'", 3, "' + 's"},
      {"a unit added to nothing at the start", "unit", 0, "{x} "},
      {"the first token changed", "unit", 4, "program"},
      {"text added at the end", "end.\r\n", 6, "end.\r\n// done"},
      {"the whole text after the first token", "U;", 300, "V;"},
  };
  for (const TEdit& e : edits) {
    size_t begin = Source.find(e.At);
    ASSERT_NE(begin, std::string::npos) << e.What;
    size_t end = std::min(Source.size(), begin + e.Removed);
    std::string edited = Source;
    edited.replace(begin, end - begin, e.Text);
    std::vector<TPascalToken> old = ScanPascal(Source, "U.pas");
    EXPECT_EQ(Tokens(RescanPascal(edited, "U.pas", old, begin, end, e.Text.size())),
              Tokens(ScanPascal(edited, "U.pas")))
        << e.What;
  }
}

TEST(PascalRescanTest, AnEditThatLeavesACommentOrStringOpenRaisesAsAWholeScanDoes) {
  for (const auto& [at, text] : std::vector<std::pair<std::string, std::string>>{
           {"Query1", "{ "}, {"Query1", "(* "}, {"Query1", "'"}}) {
    size_t begin = Source.find(at);
    std::string edited = Source;
    edited.insert(begin, text);
    // Closed further on in the text the edit still reaches, or not at all.
    std::string edit = text == "{ " ? "}" : text == "(* " ? "*)" : "'";
    for (size_t close = edited.find(edit, begin + text.size()); close != std::string::npos;
         close = edited.find(edit, close + 1))
      edited.erase(close, edit.size());
    std::vector<TPascalToken> old = ScanPascal(Source, "U.pas");
    std::optional<std::string> whole = MessageOf<EUnitError>([&] { ScanPascal(edited, "U.pas"); });
    ASSERT_TRUE(whole.has_value()) << text;
    EXPECT_EQ(MessageOf<EUnitError>([&] { RescanPascal(edited, "U.pas", old, begin, begin, text.size()); }), whole)
        << text;
  }
}

} // namespace
